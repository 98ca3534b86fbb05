// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/MpegFrameHeader.h"

#include <gtest/gtest.h>

namespace {

MpegFrameHeader Parse(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3 = 0x44)
{
    const std::uint8_t bytes[4]{0xFF, b1, b2, b3};
    const auto header = MpegFrameHeader::Parse(bytes);
    EXPECT_TRUE(header.has_value());
    return header.value_or(MpegFrameHeader{});
}

}  // namespace

TEST(MpegFrameHeader, Mpeg1FrameLengthsFollowTheIntegerFormula)
{
    EXPECT_EQ(Parse(0xFB, 0x90).frameLength, 417u);   // 128 kbit/s, 44.1 kHz
    EXPECT_EQ(Parse(0xFB, 0x92).frameLength, 418u);   // with padding
    EXPECT_EQ(Parse(0xFB, 0xE0).frameLength, 1044u);  // 320 kbit/s, 44.1 kHz
    EXPECT_EQ(Parse(0xFA, 0x18).frameLength, 144u);   // 32 kbit/s, 32 kHz, with CRC
    EXPECT_EQ(Parse(0xFB, 0x94).frameLength, 384u);   // 128 kbit/s, 48 kHz
    // Every table entry agrees with floor(144000 * bitrate / rate) + padding.
    for (int index = 1; index < 15; ++index) {
        for (int rate = 0; rate < 3; ++rate) {
            for (int pad = 0; pad < 2; ++pad) {
                const auto h = Parse(0xFB, static_cast<std::uint8_t>(index << 4 | rate << 2 | pad << 1));
                EXPECT_EQ(h.frameLength, static_cast<std::uint32_t>(144000 * h.bitrate / h.sampleRate + pad));
            }
        }
    }
}

TEST(MpegFrameHeader, LowSampleRateStreamsUseTheirOwnTables)
{
    const auto mpeg2 = Parse(0xF3, 0x80);  // MPEG-2, 64 kbit/s, 22.05 kHz
    EXPECT_EQ(mpeg2.version, MpegFrameHeader::Version::Mpeg2);
    EXPECT_EQ(mpeg2.bitrate, 64);
    EXPECT_EQ(mpeg2.sampleRate, 22050);
    EXPECT_EQ(mpeg2.frameLength, 72000u * 64 / 22050);
    EXPECT_EQ(mpeg2.SamplesPerFrame(), 576);

    const auto mpeg25 = Parse(0xE3, 0x82);  // MPEG-2.5, 64 kbit/s, 11.025 kHz, padded
    EXPECT_EQ(mpeg25.version, MpegFrameHeader::Version::Mpeg25);
    EXPECT_EQ(mpeg25.sampleRate, 11025);
    EXPECT_EQ(mpeg25.frameLength, 72000u * 64 / 11025 + 1);
}

TEST(MpegFrameHeader, UnusableFieldsAndOtherLayers)
{
    EXPECT_FALSE(Parse(0xFB, 0x00).Usable());  // free format
    EXPECT_FALSE(Parse(0xFB, 0xF0).Usable());  // forbidden bitrate index
    EXPECT_FALSE(Parse(0xFB, 0x9C).Usable());  // reserved rate index
    EXPECT_EQ(Parse(0xFD, 0x90).layer, 2);
    EXPECT_EQ(Parse(0xFF, 0x90).layer, 1);
    EXPECT_EQ(Parse(0xFB, 0x90, 0xC4).channels, 1);
    EXPECT_EQ(Parse(0xFB, 0x90, 0x44).channels, 2);

    const std::uint8_t reservedVersion[4]{0xFF, 0xEB, 0x90, 0x44};
    EXPECT_FALSE(MpegFrameHeader::Parse(reservedVersion));
    const std::uint8_t reservedLayer[4]{0xFF, 0xF9, 0x90, 0x44};
    EXPECT_FALSE(MpegFrameHeader::Parse(reservedLayer));

    const std::uint8_t noSync[2]{0xFF, 0xD0};
    EXPECT_FALSE(MpegFrameHeader::HasSync(noSync));
}
