// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <lame/lame.h>
#include <mpg123.h>

#include <algorithm>
#include <string_view>

#include "DecodedAudio.h"
#include "EncoderLibrary.h"
#include "EncoderStream.h"
#include "FrameWalk.h"
#include "SyntheticAudio.h"

namespace {

constexpr double kToneSeconds = 2.0;
constexpr double kFrequencyTolerance = 5.0;

class EncoderOutputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EncoderLibrary::shared().complete()) << EncoderLibrary::shared().problem(); }

    // Encodes the PCM through a whole stream: start, chunks, flush.
    static std::vector<std::uint8_t> encodeAll(const be::Config& config, const std::vector<std::int16_t>& pcm)
    {
        EncoderStream stream(config);
        EXPECT_EQ(stream.startResult(), be::kErrSuccessful);
        if (!stream.started()) {
            return {};
        }
        stream.encode(pcm);
        stream.finish();
        return stream.bytes();
    }

    static bool allFramesAt(const DecodedAudio& decoded, int bitrate, long rate)
    {
        return std::all_of(
            decoded.frameInfo.begin(), decoded.frameInfo.end(),
            [&](const DecodedAudio::FrameInfo& frame) { return frame.bitrate == bitrate && frame.rate == rate; });
    }

    static bool allFramesInMode(const DecodedAudio& decoded, int mode)
    {
        return std::all_of(decoded.frameInfo.begin(), decoded.frameInfo.end(),
                           [&](const DecodedAudio::FrameInfo& frame) { return frame.mode == mode; });
    }

    static bool hasInfoTag(const std::vector<std::uint8_t>& mp3, const FrameWalk& walk)
    {
        const std::string_view first(reinterpret_cast<const char*>(mp3.data()), walk.frames.front().length);
        return first.find("Info") != std::string_view::npos || first.find("Xing") != std::string_view::npos;
    }
};

TEST_F(EncoderOutputTest, StereoToneComesBackAtTheAskedBitrate)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(48000, {1000.0, 2500.0}, kToneSeconds).samples;
    const std::vector<std::uint8_t> mp3 = encodeAll(EncoderStream::record(48000, be::kModeJointStereo, 192), pcm);

    const DecodedAudio decoded = DecodedAudio::FromBytes(mp3);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.sampleRate, 48000);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_TRUE(allFramesAt(decoded, 192, 48000));
    EXPECT_TRUE(allFramesInMode(decoded, MPG123_M_JOINT));
    // Left and right stay apart and in order.
    EXPECT_NEAR(DecodedAudio::ToneFrequency(decoded.Channel(0), 48000), 1000.0, kFrequencyTolerance);
    EXPECT_NEAR(DecodedAudio::ToneFrequency(decoded.Channel(1), 48000), 2500.0, kFrequencyTolerance);
}

TEST_F(EncoderOutputTest, OutputIsBareFramesWithoutInfoTag)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 1000.0}, 1.0).samples;
    const std::vector<std::uint8_t> mp3 = encodeAll(EncoderStream::record(44100, be::kModeJointStereo, 128), pcm);

    const FrameWalk walk = FrameWalk::Of(mp3);
    ASSERT_TRUE(walk.CoversAll());
    EXPECT_FALSE(hasInfoTag(mp3, walk));
    EXPECT_TRUE(std::all_of(walk.frames.begin(), walk.frames.end(),
                            [](const FrameWalk::Frame& frame) { return frame.bitrate == 128 && !frame.crc; }));
}

// With the VBR header asked for, the stream opens with a placeholder frame,
// and after the flush beWriteInfoTag hands over the Info frame to put there.
TEST_F(EncoderOutputTest, InfoTagReplacesThePlaceholderAfterTheFlush)
{
    const auto& library = EncoderLibrary::shared();
    std::vector<std::uint8_t> frame(be::kInfoTagOutputSize);
    std::uint32_t written = 1;
    for (const std::uint32_t writeHeader : {0u, 1u}) {
        be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
        config.writeVbrHeader = writeHeader;
        EncoderStream stream(config);
        ASSERT_TRUE(stream.started());
        stream.encode(SyntheticAudio::Sines(44100, {1000.0, 1000.0}, 1.0).samples);
        EXPECT_EQ(library.infoTag(stream.handle(), frame.data(), be::kInfoTagOutputSize, &written),
                  be::kErrEncodeFailed);  // the counts are not known before the flush
        stream.finish();
        const std::uint32_t result = library.infoTag(stream.handle(), frame.data(), be::kInfoTagOutputSize, &written);
        if (writeHeader == 0) {
            EXPECT_EQ(result, be::kErrEncodeFailed);
            EXPECT_EQ(written, 0u);
            continue;
        }
        ASSERT_EQ(result, be::kErrSuccessful);
        const FrameWalk walk = FrameWalk::Of(stream.bytes());
        ASSERT_TRUE(walk.CoversAll());
        ASSERT_EQ(written, walk.frames.front().length);
        EXPECT_FALSE(hasInfoTag(stream.bytes(), walk));  // only a placeholder so far
        EXPECT_NE(std::string_view(reinterpret_cast<const char*>(frame.data()), written).find("Info"),
                  std::string_view::npos);
        EXPECT_EQ(library.infoTag(stream.handle(), frame.data(), 100, &written), be::kErrEncodeFailed);
    }
}

TEST_F(EncoderOutputTest, MonoInputGivesMonoOutput)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0}, kToneSeconds).samples;
    const DecodedAudio decoded
        = DecodedAudio::FromBytes(encodeAll(EncoderStream::record(44100, be::kModeMono, 128), pcm));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.channels, 1);
    EXPECT_TRUE(allFramesInMode(decoded, MPG123_M_MONO));
    EXPECT_TRUE(allFramesAt(decoded, 128, 44100));
    EXPECT_NEAR(DecodedAudio::ToneFrequency(decoded.Channel(0), 44100), 1000.0, kFrequencyTolerance);
}

TEST_F(EncoderOutputTest, ResamplesToTheAskedOutputRate)
{
    be::Config config = EncoderStream::record(22050, be::kModeJointStereo, 192);
    config.reSampleRate = 32000;
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(22050, {1000.0, 1000.0}, kToneSeconds).samples;

    const DecodedAudio decoded = DecodedAudio::FromBytes(encodeAll(config, pcm));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.sampleRate, 32000);
    EXPECT_TRUE(allFramesAt(decoded, 192, 32000));
    EXPECT_NEAR(DecodedAudio::ToneFrequency(decoded.Channel(0), 32000), 1000.0, kFrequencyTolerance);
}

TEST_F(EncoderOutputTest, FlushWritesTheTail)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 1000.0}, kToneSeconds).samples;
    const std::size_t inputLength = pcm.size() / 2;
    EncoderStream stream(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(stream.started());
    stream.encode(pcm);
    const DecodedAudio beforeFlush = DecodedAudio::FromBytes(stream.bytes());
    stream.finish();
    const DecodedAudio afterFlush = DecodedAudio::FromBytes(stream.bytes());

    ASSERT_TRUE(beforeFlush.ok);
    ASSERT_TRUE(afterFlush.ok);
    EXPECT_LT(beforeFlush.Frames(), inputLength);
    EXPECT_GE(afterFlush.Frames(), inputLength);
    EXPECT_TRUE(FrameWalk::Of(stream.bytes()).CoversAll());
}

TEST_F(EncoderOutputTest, RecordBitsReachTheFrameHeaders)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 1000.0}, 0.5).samples;
    be::Config config = EncoderStream::record(44100, be::kModeStereo, 160);
    config.crc = 1;
    config.copyright = 1;
    config.original = 1;
    config.privateBit = 1;
    config.emphasis = 1;
    const std::vector<std::uint8_t> mp3 = encodeAll(config, pcm);

    const DecodedAudio decoded = DecodedAudio::FromBytes(mp3);
    ASSERT_TRUE(decoded.ok);
    const int allBits = MPG123_CRC | MPG123_COPYRIGHT | MPG123_PRIVATE | MPG123_ORIGINAL;
    EXPECT_TRUE(allFramesInMode(decoded, MPG123_M_STEREO));
    EXPECT_TRUE(
        std::all_of(decoded.frameInfo.begin(), decoded.frameInfo.end(), [&](const DecodedAudio::FrameInfo& frame) {
            return (frame.flags & allBits) == allBits && frame.emphasis == 1;
        }));
    const FrameWalk walk = FrameWalk::Of(mp3);
    ASSERT_TRUE(walk.CoversAll());
    EXPECT_TRUE(walk.frames.front().crc);

    const DecodedAudio plain
        = DecodedAudio::FromBytes(encodeAll(EncoderStream::record(44100, be::kModeStereo, 160), pcm));
    ASSERT_TRUE(plain.ok);
    EXPECT_TRUE(std::all_of(plain.frameInfo.begin(), plain.frameInfo.end(), [&](const DecodedAudio::FrameInfo& frame) {
        return (frame.flags & allBits) == 0 && frame.emphasis == 0;
    }));
}

TEST_F(EncoderOutputTest, DualChannelModeIsKept)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 2500.0}, 0.5).samples;
    const DecodedAudio decoded
        = DecodedAudio::FromBytes(encodeAll(EncoderStream::record(44100, be::kModeDualChannel, 192), pcm));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_TRUE(allFramesInMode(decoded, MPG123_M_DUAL));
}

TEST_F(EncoderOutputTest, BitReservoirFollowsTheRecord)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 2500.0}, 1.0).samples;
    const auto usesReservoir = [](const FrameWalk& walk) {
        return std::any_of(walk.frames.begin(), walk.frames.end(),
                           [](const FrameWalk::Frame& frame) { return frame.mainDataBegin != 0; });
    };

    const FrameWalk withReservoir
        = FrameWalk::Of(encodeAll(EncoderStream::record(44100, be::kModeJointStereo, 128), pcm));
    ASSERT_TRUE(withReservoir.CoversAll());
    EXPECT_TRUE(usesReservoir(withReservoir));

    be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.noBitReservoir = 1;
    const FrameWalk withoutReservoir = FrameWalk::Of(encodeAll(config, pcm));
    ASSERT_TRUE(withoutReservoir.CoversAll());
    EXPECT_FALSE(usesReservoir(withoutReservoir));
}

// "Not strict ISO" is LAME's default: the audio frames are byte for byte
// those of libmp3lame fed the same PCM with its default settings.
TEST_F(EncoderOutputTest, FramesMatchLameWithItsDefaults)
{
    const std::vector<std::int16_t> pcm = SyntheticAudio::Noise(44100, 2, 3.0).samples;
    const std::vector<std::uint8_t> ours = encodeAll(EncoderStream::record(44100, be::kModeJointStereo, 320), pcm);

    lame_global_flags* flags = lame_init();
    lame_set_in_samplerate(flags, 44100);
    lame_set_num_channels(flags, 2);
    lame_set_brate(flags, 320);
    lame_set_bWriteVbrTag(flags, 0);
    lame_set_write_id3tag_automatic(flags, 0);
    lame_set_original(flags, 0);  // a header bit the record leaves off
    ASSERT_GE(lame_init_params(flags), 0);
    std::vector<std::uint8_t> theirs(pcm.size() * 2 + 7200);
    const int frames = static_cast<int>(pcm.size() / 2);
    int length = lame_encode_buffer_interleaved(flags, const_cast<std::int16_t*>(pcm.data()), frames, theirs.data(),
                                                static_cast<int>(theirs.size()));
    ASSERT_GE(length, 0);
    const int tail = lame_encode_flush(flags, theirs.data() + length, static_cast<int>(theirs.size()) - length);
    lame_close(flags);
    ASSERT_GE(tail, 0);
    theirs.resize(static_cast<std::size_t>(length + tail));
    ASSERT_GT(theirs.size(), 100000u);
    EXPECT_TRUE(ours == theirs) << ours.size() << " bytes against " << theirs.size();
}

}  // namespace
