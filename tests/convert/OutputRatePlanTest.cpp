// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/OutputRatePlan.h"

#include <gtest/gtest.h>

TEST(OutputRatePlan, KeepsTheSourceRateWhenItCarriesTheBitrate)
{
    for (int rate : {32000, 44100, 48000})
        for (int bitrate : {32, 128, 320})
            EXPECT_EQ(OutputRatePlan::Choose(rate, bitrate), rate);
    EXPECT_EQ(OutputRatePlan::Choose(22050, 128), 22050);
    EXPECT_EQ(OutputRatePlan::Choose(8000, 64), 8000);
}

TEST(OutputRatePlan, MovesToTheNearestRateThatCarriesIt)
{
    EXPECT_EQ(OutputRatePlan::Choose(11025, 128), 16000);
    EXPECT_EQ(OutputRatePlan::Choose(22050, 192), 32000);
    EXPECT_EQ(OutputRatePlan::Choose(24000, 320), 32000);
    EXPECT_EQ(OutputRatePlan::Choose(12000, 96), 16000);
    // Nothing carries 100 kbit/s: left to the encoder to refuse.
    EXPECT_EQ(OutputRatePlan::Choose(44100, 100), 44100);
    EXPECT_FALSE(OutputRatePlan::Carries(11025, 80));
    EXPECT_TRUE(OutputRatePlan::Carries(16000, 160));
}
