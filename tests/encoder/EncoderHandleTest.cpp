// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "DecodedAudio.h"
#include "EncoderLibrary.h"
#include "EncoderStream.h"
#include "SyntheticAudio.h"

namespace {

constexpr std::uint32_t kPoison = 0xDEADBEEFu;

class EncoderHandleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EncoderLibrary::shared().complete()) << EncoderLibrary::shared().problem(); }

    static const EncoderLibrary& library() { return EncoderLibrary::shared(); }

    static std::vector<std::uint8_t> encodeAll(const be::Config& config, const std::vector<std::int16_t>& pcm)
    {
        EncoderStream stream(config);
        EXPECT_TRUE(stream.started());
        stream.encode(pcm);
        stream.finish();
        return stream.bytes();
    }

    // What an encode call on the handle reports: result and byte count.
    static std::pair<std::uint32_t, std::uint32_t> encodeOn(be::StreamHandle handle)
    {
        std::vector<std::int16_t> pcm(2304, 100);
        std::vector<std::uint8_t> out(16384);
        std::uint32_t written = kPoison;
        const std::uint32_t result = library().encode(handle, 2304, pcm.data(), out.data(), &written);
        return {result, written};
    }
};

TEST_F(EncoderHandleTest, TwoStreamsAtOnceStayIndependent)
{
    const std::vector<std::int16_t> stereoPcm = SyntheticAudio::Sines(48000, {1000.0, 1000.0}, 1.5).samples;
    const std::vector<std::int16_t> monoPcm = SyntheticAudio::Sines(44100, {2500.0}, 1.5).samples;
    EncoderStream stereo(EncoderStream::record(48000, be::kModeJointStereo, 192));
    EncoderStream mono(EncoderStream::record(44100, be::kModeMono, 64));
    ASSERT_TRUE(stereo.started());
    ASSERT_TRUE(mono.started());
    EXPECT_NE(stereo.handle(), mono.handle());

    // Interleave the two streams' calls chunk by chunk.
    for (std::size_t second = 0, first = 0; first < stereoPcm.size() || second < monoPcm.size();
         first += stereo.samples(), second += mono.samples()) {
        if (first < stereoPcm.size()) {
            stereo.encode({stereoPcm.begin() + static_cast<std::ptrdiff_t>(first),
                           stereoPcm.begin()
                               + static_cast<std::ptrdiff_t>(std::min(first + stereo.samples(), stereoPcm.size()))});
        }
        if (second < monoPcm.size()) {
            mono.encode(
                {monoPcm.begin() + static_cast<std::ptrdiff_t>(second),
                 monoPcm.begin() + static_cast<std::ptrdiff_t>(std::min(second + mono.samples(), monoPcm.size()))});
        }
    }
    stereo.finish();
    mono.finish();

    const DecodedAudio stereoOut = DecodedAudio::FromBytes(stereo.bytes());
    const DecodedAudio monoOut = DecodedAudio::FromBytes(mono.bytes());
    ASSERT_TRUE(stereoOut.ok);
    ASSERT_TRUE(monoOut.ok);
    EXPECT_EQ(stereoOut.sampleRate, 48000);
    EXPECT_EQ(stereoOut.channels, 2);
    EXPECT_EQ(stereoOut.frameInfo.front().bitrate, 192);
    EXPECT_EQ(monoOut.sampleRate, 44100);
    EXPECT_EQ(monoOut.channels, 1);
    EXPECT_EQ(monoOut.frameInfo.front().bitrate, 64);
    EXPECT_NEAR(DecodedAudio::ToneFrequency(stereoOut.Channel(0), 48000), 1000.0, 5.0);
    EXPECT_NEAR(DecodedAudio::ToneFrequency(monoOut.Channel(0), 44100), 2500.0, 5.0);
}

TEST_F(EncoderHandleTest, ClosingAnUnknownHandleChangesNothing)
{
    EncoderStream stream(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(stream.started());
    EXPECT_EQ(library().close(0), be::kErrInvalidHandle);
    EXPECT_EQ(library().close(stream.handle() + 1000), be::kErrInvalidHandle);

    const auto [result, written] = encodeOn(stream.handle());
    EXPECT_EQ(result, be::kErrSuccessful);
    EXPECT_NE(written, kPoison);
}

TEST_F(EncoderHandleTest, ClosedHandleWritesNothing)
{
    EncoderStream stream(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(stream.started());
    const be::StreamHandle handle = stream.handle();
    stream.close();

    const auto [result, written] = encodeOn(handle);
    EXPECT_EQ(result, be::kErrInvalidHandle);
    EXPECT_EQ(written, 0u);

    std::vector<std::uint8_t> out(be::kDeinitOutputSize);
    std::uint32_t flushed = kPoison;
    EXPECT_EQ(library().deinit(handle, out.data(), &flushed), be::kErrInvalidHandle);
    EXPECT_EQ(flushed, 0u);
    EXPECT_EQ(library().close(handle), be::kErrInvalidHandle);
}

TEST_F(EncoderHandleTest, ClosedHandleIsNotHandedOutAgain)
{
    EncoderStream first(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(first.started());
    const be::StreamHandle stale = first.handle();
    first.close();

    EncoderStream second(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(second.started());
    EXPECT_NE(second.handle(), stale);
    EXPECT_EQ(encodeOn(stale).first, be::kErrInvalidHandle);
}

TEST_F(EncoderHandleTest, FullTableRefusesFurtherStreamsUntilOneCloses)
{
    constexpr int kGiveUpAfter = 10000;
    std::vector<std::unique_ptr<EncoderStream>> open;
    std::uint32_t lastResult = be::kErrSuccessful;
    while (lastResult == be::kErrSuccessful && open.size() < kGiveUpAfter) {
        open.push_back(std::make_unique<EncoderStream>(EncoderStream::record(44100, be::kModeMono, 64)));
        lastResult = open.back()->startResult();
    }
    EXPECT_EQ(lastResult, be::kErrNoMoreHandles);
    EXPECT_EQ(open.back()->handle(), 0u);
    ASSERT_GT(open.size(), 2u);

    open.front()->close();
    EncoderStream another(EncoderStream::record(44100, be::kModeMono, 64));
    EXPECT_TRUE(another.started());
}

TEST_F(EncoderHandleTest, FlushedStreamTakesNoMoreInput)
{
    EncoderStream stream(EncoderStream::record(44100, be::kModeJointStereo, 128));
    ASSERT_TRUE(stream.started());
    stream.encode(SyntheticAudio::Sines(44100, {1000.0, 1000.0}, 0.2).samples);
    stream.finish();
    ASSERT_FALSE(stream.bytes().empty());

    const auto [result, written] = encodeOn(stream.handle());
    EXPECT_NE(result, be::kErrSuccessful);
    EXPECT_EQ(written, 0u);
    std::vector<std::uint8_t> out(be::kDeinitOutputSize);
    std::uint32_t flushed = kPoison;
    EXPECT_NE(library().deinit(stream.handle(), out.data(), &flushed), be::kErrSuccessful);
    EXPECT_EQ(flushed, 0u);
}

TEST_F(EncoderHandleTest, OddTrailingValueOfStereoBlockIsLeftOut)
{
    const be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 2500.0}, 0.5).samples;
    const std::vector<std::uint8_t> reference = encodeAll(config, pcm);

    // The same PCM, every call given one stray value past its whole pairs.
    EncoderStream odd(config);
    ASSERT_TRUE(odd.started());
    std::vector<std::uint8_t> out(2 * odd.bufferSize());
    std::vector<std::uint8_t> bytes;
    for (std::size_t offset = 0; offset < pcm.size(); offset += odd.samples()) {
        const std::size_t pairs = std::min<std::size_t>(odd.samples(), pcm.size() - offset);
        std::vector<std::int16_t> block(pcm.begin() + static_cast<std::ptrdiff_t>(offset),
                                        pcm.begin() + static_cast<std::ptrdiff_t>(offset + pairs));
        block.push_back(30000);
        std::uint32_t written = 0;
        ASSERT_EQ(library().encode(odd.handle(), static_cast<std::uint32_t>(block.size()), block.data(), out.data(),
                                   &written),
                  be::kErrSuccessful);
        bytes.insert(bytes.end(), out.begin(), out.begin() + written);
    }
    odd.finish();
    bytes.insert(bytes.end(), odd.bytes().begin(), odd.bytes().end());
    EXPECT_EQ(bytes, reference);
}

TEST_F(EncoderHandleTest, StreamsOnSeveralThreadsGiveTheSameBytes)
{
    const be::Config config = EncoderStream::record(44100, be::kModeJointStereo, 128);
    const std::vector<std::int16_t> pcm = SyntheticAudio::Sines(44100, {1000.0, 2500.0}, 0.5).samples;
    const std::vector<std::uint8_t> reference = encodeAll(config, pcm);

    constexpr int kThreads = 4;
    std::vector<std::vector<std::uint8_t>> results(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] { results[static_cast<std::size_t>(i)] = encodeAll(config, pcm); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::vector<std::uint8_t>& result : results) {
        EXPECT_EQ(result, reference);
    }
}

}  // namespace
