// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceBitrate.h"

#include "FrameWalk.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Write(const TempDir& dir, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    SyntheticAudio::WriteFile(dir.File(name), bytes);
    return dir.File(name);
}

}  // namespace

TEST(SourceBitrate, AverageOverTheAudioFramesBetweenTheTags)
{
    TempDir dir;
    const auto tone = SyntheticAudio::Tone(44100, 2, 3.0);
    SyntheticAudio::Mp3Options cbr;
    cbr.bitrate = 96;
    const auto audio = SyntheticAudio::EncodeMp3(tone, cbr);
    // Frame-sync look-alikes in the picture of the ID3v2 tag are not frames.
    const auto v2 = SyntheticAudio::Id3v2Tag("t", 5000);
    const auto v1 = SyntheticAudio::Id3v1Tag("t");
    EXPECT_DOUBLE_EQ(*SourceBitrate::Average(Write(dir, "cbr.mp3", SyntheticAudio::Concat({&v2, &audio, &v1}))), 96.0);

    // VBR: the mean of the frames' own rates, without the LAME/Xing frame.
    SyntheticAudio::Mp3Options vbr;
    vbr.vbr = true;
    const auto varied = SyntheticAudio::EncodeMp3(SyntheticAudio::Noise(44100, 2, 3.0), vbr);
    const FrameWalk walk = FrameWalk::Of(varied);
    ASSERT_GT(walk.frames.size(), 10u);
    double sum = 0;
    for (std::size_t i = 1; i < walk.frames.size(); ++i)
        sum += walk.frames[i].bitrate;
    const double expected = sum / static_cast<double>(walk.frames.size() - 1);
    const auto average = SourceBitrate::Average(Write(dir, "vbr.mp3", varied));
    ASSERT_TRUE(average);
    EXPECT_NEAR(*average, expected, 1e-9);
    EXPECT_NE(*average, static_cast<double>(walk.frames[0].bitrate));

    // MPEG-2 at 22.05 kHz, and junk before the first frame.
    cbr.bitrate = 48;
    const std::vector<std::uint8_t> junk(333, 0x5A);
    const auto low = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(22050, 1, 2.0), cbr);
    EXPECT_DOUBLE_EQ(*SourceBitrate::Average(Write(dir, "low.mp3", SyntheticAudio::Concat({&junk, &low}))), 48.0);

    EXPECT_FALSE(SourceBitrate::Average(Write(dir, "noise.mp3", std::vector<std::uint8_t>(5000, 0x11))));
    EXPECT_FALSE(SourceBitrate::Average(Write(dir, "empty.mp3", {})));
    EXPECT_FALSE(SourceBitrate::Average(dir.File("missing.mp3")));
}

TEST(SourceBitrate, SkipsSourcesAtOrBelowTheTarget)
{
    TempDir dir;
    SyntheticAudio::Mp3Options options;
    options.bitrate = 96;
    const std::string source
        = Write(dir, "s.mp3", SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0), options));
    EXPECT_EQ(SourceBitrate::SkipLine(source, 128), source + " is 96 kbit/s, not above 128 kbit/s: skipped\r\n");
    EXPECT_TRUE(SourceBitrate::SkipLine(source, 96));
    EXPECT_FALSE(SourceBitrate::SkipLine(source, 80));
    // A source whose rate cannot be told is converted, and its job says what is wrong.
    EXPECT_FALSE(SourceBitrate::SkipLine(dir.File("missing.mp3"), 320));
}

// Every source the engine converts is measured: Layer II, and free format
// by its frame length.
TEST(SourceBitrate, LayerTwoAndFreeFormatSourcesAreMeasured)
{
    TempDir dir;
    std::vector<std::uint8_t> mp2;
    for (int i = 0; i < 40; ++i) {
        const std::uint8_t header[4]{0xFF, 0xFD, 0xA0, 0x04};  // Layer II, 192 kbit/s, 44.1 kHz
        mp2.insert(mp2.end(), header, header + 4);
        mp2.resize(mp2.size() + 626 - 4, 0);
    }
    const std::string layer2 = Write(dir, "layer2.mp3", mp2);
    EXPECT_EQ(SourceBitrate::SkipLine(layer2, 256), layer2 + " is 192 kbit/s, not above 256 kbit/s: skipped\r\n");

    SyntheticAudio::Mp3Options options;
    options.bitrate = 192;
    options.infoTag = false;
    auto free = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0), options);
    const FrameWalk walk = FrameWalk::Of(free);
    for (const auto& frame : walk.frames)
        free[frame.offset + 2] &= 0x0F;  // bitrate index 0: free format of the same lengths
    const std::string freeFormat = Write(dir, "free.mp3", free);
    EXPECT_EQ(SourceBitrate::SkipLine(freeFormat, 256),
              freeFormat + " is 192 kbit/s, not above 256 kbit/s: skipped\r\n");
    EXPECT_FALSE(SourceBitrate::SkipLine(freeFormat, 160));
}
