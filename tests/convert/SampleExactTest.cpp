// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobConversion.h"

#include "DecodedAudio.h"
#include "FrameWalk.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string_view>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A sweep from 200 Hz to 2 kHz: unlike a steady tone it lines up with a
// copy of itself at one lag only.
SyntheticAudio::Signal Sweep(int sampleRate, int channels, double seconds)
{
    SyntheticAudio::Signal signal{sampleRate, channels, {}};
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double phase = 2.0 * M_PI * (200.0 * t + 900.0 * t * t / seconds);
        for (int c = 0; c < channels; ++c)
            signal.samples.push_back(static_cast<std::int16_t>(10000.0 * std::sin(phase + c)));
    }
    return signal;
}

std::vector<double> Channel0(const SyntheticAudio::Signal& signal)
{
    std::vector<double> out;
    for (std::size_t i = 0; i < signal.samples.size(); i += static_cast<std::size_t>(signal.channels))
        out.push_back(signal.samples[i]);
    return out;
}

// The offsets of the frames of an MP3 byte stream without tags.
std::vector<std::size_t> FrameOffsets(const Bytes& mp3)
{
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at + 4 <= mp3.size();) {
        const auto header = MpegFrameHeader::Parse(&mp3[at]);
        if (!MpegFrameHeader::HasSync(&mp3[at]) || !header || !header->Usable())
            break;
        offsets.push_back(at);
        at += header->frameLength;
    }
    return offsets;
}

std::uint32_t BigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// CRC-16 as the LAME header keeps it for the music (polynomial 0xA001, reflected).
std::uint16_t MusicCrc(const std::uint8_t* bytes, std::size_t length)
{
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    return crc;
}

class SampleExactTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string source = dir.File("source.mp3");
    std::string result = dir.File("result.mp3");
    std::atomic<int> control{JobControl::Run};

    ConversionOutcome::Kind Convert(const Bytes& bytes, RecordingHost& host)
    {
        SyntheticAudio::WriteFile(source, bytes);
        ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
        return vorlanta(conversionHost, host.Job(), control).kind;
    }
};

struct ExactKind {
    const char* name;
    int rate;
    int channels;
    int sourceBitrate;
    const char* bitrate;
    int resultRate;
};

class SampleExactKindTest : public SampleExactTest, public ::testing::WithParamInterface<ExactKind> { };

}  // namespace

// Played gapless, the result holds the source's samples: as many, and the
// first one first.
TEST_P(SampleExactKindTest, ResultHasTheSourcesLengthAndAlignment)
{
    const ExactKind kind = GetParam();
    const auto signal = Sweep(kind.rate, kind.channels, 1.7);
    const auto mp3 = SyntheticAudio::EncodeMp3(signal, {kind.sourceBitrate, false, true});
    RecordingHost host(source, result, kind.bitrate);
    ASSERT_EQ(Convert(mp3, host), ConversionOutcome::Kind::Converted);

    const auto decoded = DecodedAudio::FromFile(result, true);
    ASSERT_EQ(decoded.sampleRate, kind.resultRate);
    ASSERT_EQ(decoded.channels, kind.channels);
    const auto sourceAudio = DecodedAudio::FromBytes(mp3, true);
    ASSERT_EQ(sourceAudio.Frames(), signal.Frames());
    int lag = 99;
    if (kind.rate == kind.resultRate) {
        EXPECT_EQ(decoded.Frames(), sourceAudio.Frames());
        EXPECT_GE(DecodedAudio::BestCorrelation(sourceAudio.Channel(0), decoded.Channel(0), 1200, &lag), 0.97);
    } else {
        // As long within one sample period of the result's rate.
        const auto expected = Sweep(kind.resultRate, kind.channels, 1.7);
        EXPECT_NEAR(static_cast<double>(decoded.Frames()), static_cast<double>(expected.Frames()), 1.0);
        EXPECT_GE(DecodedAudio::BestCorrelation(Channel0(expected), decoded.Channel(0), 1200, &lag), 0.97);
    }
    EXPECT_EQ(lag, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SampleExactKindTest,
    ::testing::Values(ExactKind{"44k1", 44100, 2, 192, "128", 44100}, ExactKind{"48k", 48000, 2, 160, "128", 48000},
                      ExactKind{"32k", 32000, 2, 128, "96", 32000}, ExactKind{"mono", 44100, 1, 96, "64", 44100},
                      ExactKind{"mpeg2", 22050, 2, 64, "64", 22050}, ExactKind{"mpeg25", 8000, 1, 32, "24", 8000},
                      ExactKind{"resampled", 11025, 1, 32, "128", 16000},
                      // The Info frame in a larger frame than the bitrate's own.
                      ExactKind{"cbr48", 44100, 2, 192, "48", 44100},
                      // Variable and average bitrate.
                      ExactKind{"vbr2", 44100, 2, 192, "V2", 44100}, ExactKind{"abr160", 48000, 2, 192, "A160", 48000}),
    [](const auto& info) { return std::string(info.param.name); });

// The Info frame stands right after the carried ID3v2 block, and its counts,
// delay, padding and music CRC describe the audio after it.
TEST_F(SampleExactTest, InfoFrameFieldsParseBack)
{
    const auto v2 = SyntheticAudio::Id3v2Tag("gapless", 3000);
    const auto signal = Sweep(44100, 2, 2.3);
    const auto mp3 = SyntheticAudio::EncodeMp3(signal);
    const auto v1 = SyntheticAudio::Id3v1Tag("gapless");
    RecordingHost host(source, result, "160");
    ASSERT_EQ(Convert(SyntheticAudio::Concat({&v2, &mp3, &v1}), host), ConversionOutcome::Kind::Converted);

    const Bytes out = SyntheticAudio::ReadFile(result);
    ASSERT_TRUE(std::equal(v2.begin(), v2.end(), out.begin()));
    ASSERT_TRUE(std::equal(v1.begin(), v1.end(), out.end() - 128));
    const FrameWalk walk = FrameWalk::Of(out);
    ASSERT_FALSE(walk.brokenChain);
    ASSERT_EQ(walk.audioStart, v2.size());
    const std::uint8_t* info = out.data() + v2.size() + 4 + 32;  // header, MPEG-1 stereo side information
    ASSERT_EQ(std::string(info, info + 4), "Info");
    const std::uint32_t frames = BigEndian(info + 8);
    EXPECT_EQ(frames, walk.frames.size() - 1);
    EXPECT_EQ(BigEndian(info + 12), walk.audioEnd - walk.audioStart);
    const int delay = info[141] << 4 | info[142] >> 4;
    const int padding = (info[142] & 0x0F) << 8 | info[143];
    EXPECT_GT(delay, 0);
    EXPECT_EQ(static_cast<std::size_t>(frames) * 1152 - static_cast<std::size_t>(delay + padding), signal.Frames());
    const std::uint32_t infoLength = 144000u * 160 / 44100;
    const std::uint8_t* music = out.data() + walk.audioStart + infoLength;
    EXPECT_EQ(MusicCrc(music, walk.audioEnd - walk.audioStart - infoLength), info[152] << 8 | info[153]);
}

// Junk with false syncs between frames is skipped with one line per run;
// a rate change midway is converted to the first rate, with one line.
TEST_F(SampleExactTest, JunkAndRateChangesMidway)
{
    const auto first = Sweep(44100, 2, 1.0);
    Bytes mp3 = SyntheticAudio::EncodeMp3(first);
    const auto offsets = FrameOffsets(mp3);
    ASSERT_GT(offsets.size(), 30u);
    Bytes junk(1500);
    std::mt19937 random(3);
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(random());
    for (std::size_t i = 7; i + 4 < junk.size(); i += 97) {
        const std::uint8_t fake[4]{0xFF, 0xFB, 0x90, 0x44};  // 128 kbit/s, 44.1 kHz
        std::copy(fake, fake + 4, junk.begin() + static_cast<long>(i));
    }
    const long cut = static_cast<long>(offsets[20]);
    mp3.insert(mp3.begin() + cut, junk.begin(), junk.end());
    const auto second = SyntheticAudio::EncodeMp3(Sweep(48000, 1, 1.0), {128, false, false});
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(SyntheticAudio::Concat({&mp3, &second}), host), ConversionOutcome::Kind::Converted);

    const auto lines = host.Lines();
    const auto count = [&lines](const std::string& part) {
        return std::count_if(lines.begin(), lines.end(),
                             [&part](const std::string& line) { return line.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(host.Logged("1500 bytes at byte " + std::to_string(cut) + " of " + source
                            + " are not MPEG audio, skipped\r\n"));
    EXPECT_EQ(count("not MPEG audio, skipped"), 1);
    EXPECT_EQ(count("changes to 48000 Hz mono at byte"), 1);
    EXPECT_EQ(count(" converted to 44100 Hz stereo\r\n"), 1);

    const auto decoded = DecodedAudio::FromFile(result, true);
    ASSERT_EQ(decoded.sampleRate, 44100);
    // Length and pitch stay right: two seconds (and the second part's own
    // delay and padding, which no Info frame tells), the second one the same sweep.
    EXPECT_NEAR(decoded.Seconds(), 2.0 + 1500.0 / 48000, 0.01);
    auto left = decoded.Channel(0);
    EXPECT_GE(DecodedAudio::BestCorrelation(Channel0(first), left, 64), 0.97);
    const std::vector<double> rest(left.begin() + 44100, left.end());
    EXPECT_GE(DecodedAudio::BestCorrelation(Channel0(first), rest, 1200), 0.95);
}

// A free-format stream (no bitrate in its headers) converts whole.
TEST_F(SampleExactTest, FreeFormatStreamConverts)
{
    const auto signal = Sweep(44100, 2, 1.5);
    Bytes mp3 = SyntheticAudio::EncodeMp3(signal, {128, false, false});
    for (const std::size_t at : FrameOffsets(mp3))
        mp3[at + 2] &= 0x0F;  // bitrate index 0; the lengths stay 417 and 418
    const auto sourceAudio = DecodedAudio::FromBytes(mp3);
    ASSERT_GT(sourceAudio.Frames(), signal.Frames());
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(mp3, host), ConversionOutcome::Kind::Converted);
    const auto decoded = DecodedAudio::FromFile(result, true);
    EXPECT_EQ(decoded.sampleRate, 44100);
    EXPECT_EQ(decoded.Frames(), sourceAudio.Frames());
    EXPECT_GE(DecodedAudio::BestCorrelation(sourceAudio.Channel(0), decoded.Channel(0), 64), 0.97);
}

// An .mp2 named .mp3 converts whole: silent Layer II frames (no subband
// allocated), every sample of them.
TEST_F(SampleExactTest, LayerTwoStreamConvertsWhole)
{
    Bytes mp2;
    for (int i = 0; i < 40; ++i) {
        const std::uint8_t header[4]{0xFF, 0xFD, 0xA0, 0x04};  // Layer II, 192 kbit/s, 44.1 kHz
        mp2.insert(mp2.end(), header, header + 4);
        mp2.resize(mp2.size() + 626 - 4, 0);
    }
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(mp2, host), ConversionOutcome::Kind::Converted);
    const auto decoded = DecodedAudio::FromFile(result, true);
    EXPECT_EQ(decoded.sampleRate, 44100);
    EXPECT_EQ(decoded.Frames(), 40u * 1152);
}

// Silent Layer II frames (no subband allocated): 1152 samples each.
Bytes SilentLayerTwo(int frames)
{
    Bytes mp2;
    for (int i = 0; i < frames; ++i) {
        const std::uint8_t header[4]{0xFF, 0xFD, 0xA0, 0x04};  // Layer II, 192 kbit/s, 44.1 kHz
        mp2.insert(mp2.end(), header, header + 4);
        mp2.resize(mp2.size() + 626 - 4, 0);
    }
    return mp2;
}

// A free-format Layer III stream: CBR frames with the bitrate index cleared.
Bytes FreeFormat(const SyntheticAudio::Signal& signal)
{
    Bytes mp3 = SyntheticAudio::EncodeMp3(signal, {128, false, false});
    for (const std::size_t at : FrameOffsets(mp3))
        mp3[at + 2] &= 0x0F;  // the lengths stay 417 and 418
    return mp3;
}

// Streams joined from files of other layers or of free format convert in
// every part: as many samples as the parts have, one line per change.
TEST_F(SampleExactTest, JoinedStreamsConvertEveryPart)
{
    const Bytes layer3 = SyntheticAudio::EncodeMp3(Sweep(44100, 2, 1.0));  // with its Info frame
    const Bytes plain = SyntheticAudio::EncodeMp3(Sweep(44100, 2, 0.7), {128, false, false});
    const Bytes layer2 = SilentLayerTwo(30);
    const Bytes shortLayer2 = SilentLayerTwo(2);
    const Bytes free = FreeFormat(Sweep(44100, 2, 0.9));
    const Bytes v1 = SyntheticAudio::Id3v1Tag("first");
    const Bytes v2 = SyntheticAudio::Id3v2Tag("second", 2000);  // a picture full of false syncs
    const struct {
        const char* name;
        std::vector<const Bytes*> parts;
        std::vector<std::string> changes;
    } cases[] = {
        {"II+III", {&layer2, &layer3}, {"Layer III"}},
        {"III+II", {&layer3, &layer2}, {"Layer II"}},
        {"III+II+III, two frames", {&layer3, &shortLayer2, &plain}, {"Layer II", "Layer III"}},
        {"CBR+free", {&plain, &free}, {"free-format Layer III"}},
        {"free+CBR", {&free, &plain}, {"Layer III"}},
        {"II+free+III", {&layer2, &free, &layer3}, {"free-format Layer III", "Layer III"}},
        // Tagged files joined: their tags are named as such, not as junk.
        {"III,v1+v2,II", {&layer3, &v1, &v2, &layer2}, {"", "", "Layer II"}},
    };
    for (const auto& c : cases) {
        Bytes joined;
        std::size_t samples = 0;
        std::size_t at = 0;
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < c.parts.size(); ++i) {
            if (i > 0 && !c.changes[i - 1].empty())
                expected.push_back(source + " changes to " + c.changes[i - 1] + " at byte " + std::to_string(at)
                                   + ", converted to 44100 Hz stereo\r\n");
            joined.insert(joined.end(), c.parts[i]->begin(), c.parts[i]->end());
            at += c.parts[i]->size();
            if (c.parts[i] != &v1 && c.parts[i] != &v2)
                samples += DecodedAudio::FromBytes(*c.parts[i], true).Frames();
        }
        RecordingHost host(source, result, "128");
        ASSERT_EQ(Convert(joined, host), ConversionOutcome::Kind::Converted) << c.name;
        std::vector<std::string> changes;
        for (const std::string& line : host.Lines())
            if (line.find(" changes to ") != std::string::npos || line.find("not MPEG audio") != std::string::npos)
                changes.push_back(line);
        EXPECT_EQ(changes, expected) << c.name;
        if (c.parts.size() == 4) {
            EXPECT_TRUE(host.Logged("128 bytes at byte " + std::to_string(layer3.size()) + " of " + source
                                    + " are an ID3v1 tag, skipped\r\n"));
            EXPECT_TRUE(host.Logged(std::to_string(v2.size()) + " bytes at byte " + std::to_string(layer3.size() + 128)
                                    + " of " + source + " are an ID3v2 tag, skipped\r\n"));
        }
        EXPECT_EQ(DecodedAudio::FromFile(result, true).Frames(), samples) << c.name;
    }
}

// Other formats named .mp3, and noise, are refused before a result exists.
TEST_F(SampleExactTest, OtherFormatsAreRefusedWithWhatTheyAre)
{
    using namespace std::string_view_literals;
    auto header = [](std::string_view text, std::size_t size) {
        Bytes bytes(size, 0);
        std::mt19937 random(5);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        std::copy(text.begin(), text.end(), bytes.begin());
        return bytes;
    };
    Bytes wav = header("RIFF\x24\x10\x00\x00WAVEfmt "sv, 40000);
    Bytes flac = header("fLaC"sv, 40000);
    Bytes ogg = header("OggS"sv, 40000);
    Bytes mp4 = header("\x00\x00\x00\x20"
                       "ftypM4A "sv,
                       40000);
    Bytes noise = header(""sv, 300000);
    // A header announcing a frame longer than the file is no stream either.
    Bytes shortFrame(300, 0);
    shortFrame[0] = 0xFF;
    shortFrame[1] = 0xFB;
    shortFrame[2] = 0x90;
    const auto v2 = SyntheticAudio::Id3v2Tag("wave");
    const struct {
        Bytes bytes;
        const char* found;
    } cases[] = {{SyntheticAudio::Concat({&v2, &wav}), "WAVE audio"},
                 {flac, "FLAC audio"},
                 {ogg, "Ogg data"},
                 {mp4, "MP4/M4A data"},
                 {noise, "no MPEG audio found"},
                 {shortFrame, "no MPEG audio found"}};
    for (const auto& c : cases) {
        RecordingHost host(source, result, "128");
        EXPECT_EQ(Convert(c.bytes, host), ConversionOutcome::Kind::Failed) << c.found;
        EXPECT_EQ(host.Lines(),
                  std::vector<std::string>{source + " is not an MP3 file (" + c.found + "), not converted\r\n"});
        EXPECT_FALSE(std::filesystem::exists(result)) << c.found;
    }
}
