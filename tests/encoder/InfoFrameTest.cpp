// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <lame/lame.h>

#include <cstring>

#include "DecodedAudio.h"
#include "EncoderLibrary.h"
#include "EncoderStream.h"
#include "FrameWalk.h"
#include "SyntheticAudio.h"
#include "encoder/LameTagFrame.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct LameRun {
    Bytes stream;  // the placeholder, then the audio frames
    Bytes infoFrame;
};

// A stream made by libmp3lame itself, with its own Info frame and its own
// ReplayGain analysis.
LameRun EncodeWithLame(vbr_mode mode, int value, const SyntheticAudio::Signal& signal)
{
    lame_global_flags* flags = lame_init();
    lame_set_in_samplerate(flags, signal.sampleRate);
    lame_set_num_channels(flags, signal.channels);
    lame_set_write_id3tag_automatic(flags, 0);
    lame_set_bWriteVbrTag(flags, 1);
    lame_set_findReplayGain(flags, 1);
    lame_set_VBR(flags, mode);
    if (mode == vbr_off)
        lame_set_brate(flags, value);
    else
        lame_set_VBR_q(flags, value);
    EXPECT_EQ(lame_init_params(flags), 0);
    LameRun run;
    run.stream.resize(signal.samples.size() * 2 + 20000);
    std::vector<std::int16_t> pcm = signal.samples;
    const int frames = static_cast<int>(signal.Frames());
    int used = lame_encode_buffer_interleaved(flags, pcm.data(), frames, run.stream.data(),
                                              static_cast<int>(run.stream.size()));
    used += lame_encode_flush(flags, run.stream.data() + used, static_cast<int>(run.stream.size()) - used);
    run.stream.resize(static_cast<std::size_t>(used));
    run.infoFrame.resize(be::kInfoTagOutputSize);
    run.infoFrame.resize(lame_get_lametag_frame(flags, run.infoFrame.data(), run.infoFrame.size()));
    lame_close(flags);
    return run;
}

std::uint32_t BigEndian(const std::uint8_t* b, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | b[i];
    return value;
}

}  // namespace

// Built from the layout, the fields that describe the stream (counts, seek
// table, music length and CRC), the track gain and both CRCs come out as
// libmp3lame writes them, for a constant and a variable bitrate.
TEST(InfoFrameTest, LayoutAndCrcsMatchLibmp3lame)
{
    const auto signal = SyntheticAudio::Sines(44100, {440.0, 3000.0}, 6.0, 3000);
    for (const auto& [mode, value] : {std::pair{vbr_off, 128}, std::pair{vbr_mtrh, 2}}) {
        SCOPED_TRACE(value);
        const LameRun lame = EncodeWithLame(mode, value, signal);
        ASSERT_GT(lame.infoFrame.size(), 200u);
        const std::size_t tag = LameTagFrame::TagOffset(lame.infoFrame.data(), lame.infoFrame.size());
        ASSERT_EQ(tag, 36u);

        Bytes ours = lame.infoFrame;
        std::memset(ours.data() + tag + 8, 0, 108);  // counts and seek table
        std::memset(ours.data() + tag + 135, 0, 2);  // track gain
        std::memset(ours.data() + tag + 148, 0, 8);  // music length, both CRCs
        LameTagFrame::StreamTally tally;
        tally.Add(lame.stream.data() + lame.infoFrame.size(), lame.stream.size() - lame.infoFrame.size());
        ASSERT_TRUE(LameTagFrame::SetStreamFields(ours.data(), ours.size(), tally.Fields(ours.size())));
        const std::uint32_t gain = BigEndian(lame.infoFrame.data() + tag + 135, 2);
        ASSERT_NE(gain, 0u);
        const double gainDb = ((gain & 0x200) != 0 ? -1.0 : 1.0) * (gain & 0x1FF) / 10.0;
        ASSERT_TRUE(LameTagFrame::SetTrackGain(ours.data(), ours.size(), gainDb, 0.0));
        EXPECT_EQ(ours, lame.infoFrame);
    }
}

// Where LAME's own Info frame does not fit a frame of the bitrate, the
// library writes one in a frame of the smallest bitrate that holds it, and
// a gapless decoder gives back exactly the samples that went in.
TEST(InfoFrameTest, LowBitrateGetsItsInfoFrameInALargerFrame)
{
    ASSERT_TRUE(EncoderLibrary::shared().complete()) << EncoderLibrary::shared().problem();
    const auto signal = SyntheticAudio::Sines(44100, {440.0, 660.0}, 2.5);
    be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 48);
    config.writeVbrHeader = 1;
    EncoderStream stream(config);
    ASSERT_TRUE(stream.started());
    stream.encode(signal.samples);
    stream.finish();
    Bytes mp3 = stream.bytes();
    Bytes frame(be::kInfoTagOutputSize);
    std::uint32_t length = 0;
    ASSERT_EQ(EncoderLibrary::shared().infoTag(stream.handle(), frame.data(), be::kInfoTagOutputSize, &length),
              be::kErrSuccessful);
    ASSERT_EQ(length, 144000u * 64 / 44100);  // one 64 kbit/s frame
    std::copy(frame.begin(), frame.begin() + length, mp3.begin());

    const FrameWalk walk = FrameWalk::Of(mp3);
    ASSERT_TRUE(walk.CoversAll());
    const std::uint8_t* tag = mp3.data() + LameTagFrame::TagOffset(mp3.data(), length);
    EXPECT_EQ(std::string(tag, tag + 4), "Info");
    EXPECT_EQ(BigEndian(tag + 8, 4), walk.frames.size() - 1);
    EXPECT_EQ(BigEndian(tag + 12, 4), mp3.size());
    EXPECT_EQ(tag[140], 48);  // the stream's own bitrate
    EXPECT_EQ(BigEndian(tag + 152, 2), LameTagFrame::Crc16(mp3.data() + length, mp3.size() - length));
    EXPECT_EQ(BigEndian(tag + 154, 2),
              LameTagFrame::Crc16(mp3.data(), static_cast<std::size_t>(tag - mp3.data()) + 154));
    const DecodedAudio decoded = DecodedAudio::FromBytes(mp3, true);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.Frames(), signal.Frames());
}
