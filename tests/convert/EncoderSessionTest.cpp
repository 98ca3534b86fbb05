// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/EncoderSession.h"

#include "RecordingHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A stand-in encoder library that records how it is called.
struct FakeLibrary {
    static inline std::vector<std::uint32_t> encodeCalls;
    static inline std::vector<std::uint8_t> record;
    static inline std::uint32_t initResult = 0;
    static inline std::uint32_t encodeResult = 0;
    static inline std::uint32_t deinitResult = 0;
    static inline int closes = 0;
    static inline int deinits = 0;

    static std::uint32_t Init(be::Config* config, std::uint32_t* samples, std::uint32_t* bound, be::StreamHandle* s)
    {
        record.assign(reinterpret_cast<std::uint8_t*>(config),
                      reinterpret_cast<std::uint8_t*>(config) + sizeof *config);
        *samples = 2304;
        *bound = 8640;
        *s = 7;
        return initResult;
    }
    static std::uint32_t Encode(be::StreamHandle, std::uint32_t n, const std::int16_t*, std::uint8_t* out,
                                std::uint32_t* written)
    {
        encodeCalls.push_back(n);
        out[0] = 0xAB;
        *written = 10;
        return encodeResult;
    }
    static std::uint32_t Deinit(be::StreamHandle, std::uint8_t*, std::uint32_t* written)
    {
        ++deinits;
        *written = 0;
        return deinitResult;
    }
    static std::uint32_t Close(be::StreamHandle)
    {
        ++closes;
        return 0;
    }
    static EncoderEntryPoints Entries() { return {Init, Encode, Deinit, Close}; }
    static void Reset()
    {
        encodeCalls.clear();
        record.clear();
        initResult = 0;
        encodeResult = 0;
        deinitResult = 0;
        closes = 0;
        deinits = 0;
    }
};

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

class EncoderSessionTest : public ::testing::Test {
protected:
    void SetUp() override { FakeLibrary::Reset(); }
    RecordingHost host{"", "", ""};
    std::vector<std::int16_t> pcm = std::vector<std::int16_t>(8192);
    std::vector<std::uint8_t> out = std::vector<std::uint8_t>(65536);

    std::vector<std::uint32_t> EncodeBytes(std::uint32_t bytes)
    {
        EncoderSession session(FakeLibrary::Entries(), host);
        session.Configure(EncodeSettings::Cbr(128), 44100, 2);
        EXPECT_TRUE(session.Start());
        FakeLibrary::encodeCalls.clear();
        const std::uint32_t total = session.Encode(pcm.data(), bytes, out.data());
        EXPECT_EQ(total, 10u * FakeLibrary::encodeCalls.size());
        return FakeLibrary::encodeCalls;
    }
};

}  // namespace

TEST_F(EncoderSessionTest, ChunkingRule)
{
    const std::uint32_t s = 2304;
    EXPECT_EQ(EncodeBytes(2 * s), (std::vector<std::uint32_t>{s}));
    EXPECT_EQ(EncodeBytes(2 * s + 2), (std::vector<std::uint32_t>{s, 1}));
    EXPECT_EQ(EncodeBytes(4 * s), (std::vector<std::uint32_t>{s, s}));
    EXPECT_EQ(EncodeBytes(2304), (std::vector<std::uint32_t>{1152}));
}

TEST_F(EncoderSessionTest, RecordBytes)
{
    EncoderSession session(FakeLibrary::Entries(), host);
    session.Configure(EncodeSettings::Cbr(192), 48000, 2);
    ASSERT_TRUE(session.Start());
    const auto& r = FakeLibrary::record;
    ASSERT_EQ(r.size(), 331u);
    EXPECT_EQ(U32At(r, 0), 256u);
    EXPECT_EQ(U32At(r, 4), 1u);
    EXPECT_EQ(U32At(r, 8), 331u);
    EXPECT_EQ(U32At(r, 12), 48000u);  // the source's own rate
    EXPECT_EQ(U32At(r, 16), 48000u);  // kept: 48 kHz carries 192 kbit/s
    EXPECT_EQ(U32At(r, 20), 1u);      // joint stereo
    EXPECT_EQ(U32At(r, 24), 192u);
    EXPECT_EQ(U32At(r, 32), 12u);
    EXPECT_EQ(U32At(r, 36), 1u);
    for (std::size_t offset : {28u, 40u, 44u, 48u, 52u, 56u, 60u, 64u, 68u, 72u, 76u, 80u, 84u, 88u})
        EXPECT_EQ(U32At(r, offset), 0u) << offset;
    EXPECT_TRUE(std::all_of(r.begin() + 92, r.end(), [](std::uint8_t b) { return b == 0; }));

    // Packed fields are copied out before comparing.
    session.Configure(EncodeSettings::Cbr(128), 22050, 1);
    const be::Config mono = session.Record();
    EXPECT_EQ(std::int32_t{mono.mode}, be::kModeMono);
    EXPECT_EQ(std::uint32_t{mono.sampleRate}, 22050u);
    session.Configure(EncodeSettings::Cbr(0), 44100, 2);  // unchecked: the encoder decides
    const be::Config zero = session.Record();
    EXPECT_EQ(std::uint32_t{zero.bitrate}, 0u);
}

TEST_F(EncoderSessionTest, StartFailureReleasesTheStreamAndSaysSo)
{
    FakeLibrary::initResult = be::kErrInvalidFormatParameters;
    {
        EncoderSession session(FakeLibrary::Entries(), host);
        session.Configure(EncodeSettings::Cbr(128), 44100, 2);
        EXPECT_FALSE(session.Start());
    }
    EXPECT_EQ(FakeLibrary::closes, 1);
    EXPECT_EQ(FakeLibrary::deinits, 0);
    EXPECT_EQ(host.Messages(), (std::vector<std::string>{"Init Lame Stream Failed in Lame"}));
}

TEST_F(EncoderSessionTest, CloseFlushesOnceIntoScratchUnlessFlushedBefore)
{
    {
        EncoderSession session(FakeLibrary::Entries(), host);
        session.Configure(EncodeSettings::Cbr(128), 44100, 2);
        ASSERT_TRUE(session.Start());
        session.Close();
        session.Close();
    }
    EXPECT_EQ(FakeLibrary::deinits, 1);
    EXPECT_EQ(FakeLibrary::closes, 1);
    {
        EncoderSession session(FakeLibrary::Entries(), host);
        session.Configure(EncodeSettings::Cbr(128), 44100, 2);
        ASSERT_TRUE(session.Start());
        session.Flush(out.data());
    }  // closed on destruction
    EXPECT_EQ(FakeLibrary::deinits, 2);
    EXPECT_EQ(FakeLibrary::closes, 2);
}

// A refused call must not pass for encoded audio.
TEST_F(EncoderSessionTest, RefusedEncodeOrFlushIsAFailure)
{
    EncoderSession session(FakeLibrary::Entries(), host);
    session.Configure(EncodeSettings::Cbr(128), 44100, 2);
    ASSERT_TRUE(session.Start());
    session.Encode(pcm.data(), 4 * 2304, out.data());
    EXPECT_FALSE(session.Failed());
    FakeLibrary::encodeCalls.clear();
    FakeLibrary::encodeResult = 1;
    session.Encode(pcm.data(), 4 * 2304, out.data());
    EXPECT_TRUE(session.Failed());
    EXPECT_EQ(FakeLibrary::encodeCalls.size(), 1u);  // no call after the refusal

    EncoderSession flushed(FakeLibrary::Entries(), host);
    flushed.Configure(EncodeSettings::Cbr(128), 44100, 2);
    ASSERT_TRUE(flushed.Start());
    FakeLibrary::deinitResult = 1;
    flushed.Flush(out.data());
    EXPECT_TRUE(flushed.Failed());
}

TEST_F(EncoderSessionTest, MissingLibraryIsNotReady)
{
    EncoderSession session("/nonexistent-folder", host);
    EXPECT_FALSE(session.Ready());
    EXPECT_EQ(host.Messages(), (std::vector<std::string>{"Init Lame Encoder Error!"}));
    EncoderSession partial(EncoderEntryPoints{FakeLibrary::Init, nullptr, nullptr, nullptr}, host);
    EXPECT_FALSE(partial.Ready());
}
