// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "EncoderLibrary.h"
#include "EncoderStream.h"

namespace {

class EncoderStartTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EncoderLibrary::shared().complete()) << EncoderLibrary::shared().problem(); }

    // A start that must fail: the result, with the outputs checked to be 0.
    static std::uint32_t refusedStart(be::Config config)
    {
        EncoderStream stream(config);
        EXPECT_EQ(stream.handle(), 0u);
        EXPECT_EQ(stream.samples(), 0u);
        EXPECT_EQ(stream.bufferSize(), 0u);
        return stream.startResult();
    }
};

TEST_F(EncoderStartTest, ChunkIsOneFrameOfAllChannels)
{
    EncoderStream stereo(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_EQ(stereo.startResult(), be::kErrSuccessful);
    EXPECT_EQ(stereo.samples(), 2304u);
    EXPECT_NE(stereo.handle(), 0u);

    EncoderStream mono(EncoderStream::record(44100, be::kModeMono, 128));
    ASSERT_EQ(mono.startResult(), be::kErrSuccessful);
    EXPECT_EQ(mono.samples(), 1152u);

    // MPEG-2 rates have frames of 576 samples a channel.
    EncoderStream mpeg2(EncoderStream::record(22050, be::kModeStereo, 64));
    ASSERT_EQ(mpeg2.startResult(), be::kErrSuccessful);
    EXPECT_EQ(mpeg2.samples(), 1152u);
}

TEST_F(EncoderStartTest, BufferSizeCoversTheWorstCaseOfOneChunk)
{
    EncoderStream plain(EncoderStream::record(44100, be::kModeJointStereo, 320));
    ASSERT_TRUE(plain.started());
    EXPECT_GE(plain.bufferSize(), plain.samples() * 5 / 4 + 7200);

    // Upsampling 16000 -> 48000 triples the samples the encoder sees.
    be::Config config = EncoderStream::record(16000, be::kModeJointStereo, 320);
    config.reSampleRate = 48000;
    EncoderStream upsampled(config);
    ASSERT_TRUE(upsampled.started());
    EXPECT_GE(upsampled.bufferSize(), upsampled.samples() * 3 * 5 / 4 + 7200);
}

TEST_F(EncoderStartTest, RefusesRecordsOfOtherFormats)
{
    be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.format = 0;
    EXPECT_EQ(refusedStart(config), be::kErrInvalidFormat);

    config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.version = 2;
    EXPECT_EQ(refusedStart(config), be::kErrInvalidFormat);

    config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.size = be::kConfigSize - 1;
    EXPECT_EQ(refusedStart(config), be::kErrInvalidFormat);
}

TEST_F(EncoderStartTest, RefusesBitratesTheEncoderWouldChange)
{
    EXPECT_EQ(refusedStart(EncoderStream::record(44100, be::kModeJointStereo, 0)), be::kErrInvalidFormatParameters);
    EXPECT_EQ(refusedStart(EncoderStream::record(44100, be::kModeJointStereo, 999)), be::kErrInvalidFormatParameters);
    // Not an MPEG-1 bitrate, and above the MPEG-2 maximum of 160 kbit/s.
    EXPECT_EQ(refusedStart(EncoderStream::record(44100, be::kModeJointStereo, 8)), be::kErrInvalidFormatParameters);
    EXPECT_EQ(refusedStart(EncoderStream::record(22050, be::kModeJointStereo, 320)), be::kErrInvalidFormatParameters);
}

TEST_F(EncoderStartTest, RefusesSettingsOutsideTheirRange)
{
    EXPECT_EQ(refusedStart(EncoderStream::record(0, be::kModeJointStereo, 128)), be::kErrInvalidFormatParameters);
    EXPECT_EQ(refusedStart(EncoderStream::record(44100, 7, 128)), be::kErrInvalidFormatParameters);
    EXPECT_EQ(refusedStart(EncoderStream::record(44100, -1, 128)), be::kErrInvalidFormatParameters);

    // 44000 Hz is no MP3 rate, so it cannot be kept as the output rate.
    EXPECT_EQ(refusedStart(EncoderStream::record(44000, be::kModeJointStereo, 128)), be::kErrInvalidFormatParameters);

    be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.reSampleRate = 44000;
    EXPECT_EQ(refusedStart(config), be::kErrInvalidFormatParameters);

    config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    config.emphasis = 4;
    EXPECT_EQ(refusedStart(config), be::kErrInvalidFormatParameters);
}

TEST_F(EncoderStartTest, FailedStartLeavesNothingToClose)
{
    EncoderStream refused(EncoderStream::record(44100, be::kModeJointStereo, 999));
    ASSERT_FALSE(refused.started());
    // The program closes the handle a failed start returned; that must be harmless.
    EXPECT_EQ(EncoderLibrary::shared().close(refused.handle()), be::kErrInvalidHandle);
}

TEST_F(EncoderStartTest, MissingAddressesAreRefused)
{
    const auto& library = EncoderLibrary::shared();
    std::uint32_t samples = 1;
    std::uint32_t bufferSize = 1;
    be::StreamHandle handle = 1;
    EXPECT_EQ(library.init(nullptr, &samples, &bufferSize, &handle), be::kErrInvalidFormat);
    EXPECT_EQ(handle, 0u);

    be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    EXPECT_NE(library.init(&config, nullptr, &bufferSize, &handle), be::kErrSuccessful);
    EXPECT_NE(library.init(&config, &samples, nullptr, &handle), be::kErrSuccessful);
    EXPECT_NE(library.init(&config, &samples, &bufferSize, nullptr), be::kErrSuccessful);
}

}  // namespace
