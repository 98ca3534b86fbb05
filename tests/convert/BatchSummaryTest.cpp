// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BatchSummary.h"

#include <gtest/gtest.h>

TEST(BatchSummary, SummaryLineAndOneLinePerFailure)
{
    BatchSummary summary;
    for (int i = 0; i < 18; ++i)
        summary.AddConverted();
    summary.AddFailed("/m/a.mp3", "No MP3 frame found in file /m/a.mp3, nothing converted");
    summary.AddSkipped();
    summary.AddFailed("/m/b.mp3", "");
    EXPECT_EQ(summary.Text(102), "18 converted, 2 failed, 1 skipped in 1:42");
    EXPECT_EQ(summary.FailureLines(),
              (std::vector<std::string>{"Failed: /m/a.mp3: No MP3 frame found in file /m/a.mp3, nothing converted",
                                        "Failed: /m/b.mp3: no reason given"}));
    EXPECT_EQ(BatchSummary().Text(0.34), "0 converted, 0 failed, 0 skipped in 0.3 s");
    EXPECT_EQ(BatchSummary::Duration(59.96), "1:00");
    EXPECT_EQ(BatchSummary::Duration(3723), "1:02:03");
    EXPECT_EQ(BatchSummary::Clock(7.4), "0:07");
}
