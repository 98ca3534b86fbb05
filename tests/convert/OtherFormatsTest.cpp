// SPDX-License-Identifier: GPL-3.0-or-later
// Sources in other formats, made at test time by the encoders the test
// machine installs (flac, oggenc, opusenc, ffmpeg), converted end to end.
#include "convert/JobConversion.h"
#include "convert/SourceBitrate.h"
#include "convert/SourceFormats.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A WAV file of `samples` (interleaved, full scale +-1) as 16- or 24-bit
// integers or 32-bit floats, with a channel mask for more than two channels.
Bytes Wav(const std::vector<double>& samples, int rate, int channels, int bits, bool isFloat = false)
{
    const int sampleBytes = bits / 8;
    const std::uint64_t dataBytes = samples.size() * static_cast<std::uint64_t>(sampleBytes);
    Bytes wav;
    const auto text = [&wav](const char* s) {
        for (int i = 0; i < 4; ++i)
            wav.push_back(static_cast<std::uint8_t>(s[i]));
    };
    text("RIFF");
    PutLe(wav, 4 + 8 + 40 + 8 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLe(wav, 40, 4);
    PutLe(wav, 0xFFFE, 2);  // extensible
    PutLe(wav, static_cast<std::uint64_t>(channels), 2);
    PutLe(wav, static_cast<std::uint64_t>(rate), 4);
    PutLe(wav, static_cast<std::uint64_t>(rate * channels * sampleBytes), 4);
    PutLe(wav, static_cast<std::uint64_t>(channels * sampleBytes), 2);
    PutLe(wav, static_cast<std::uint64_t>(bits), 2);
    PutLe(wav, 22, 2);
    PutLe(wav, static_cast<std::uint64_t>(bits), 2);
    PutLe(wav, channels == 6 ? 0x3F : channels == 2 ? 0x3 : 0x4, 4);
    const std::uint8_t pcmGuid[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    for (const std::uint8_t byte : pcmGuid)
        wav.push_back(byte);
    if (isFloat)
        wav[wav.size() - 16] = 3;
    text("data");
    PutLe(wav, dataBytes, 4);
    for (const double value : samples) {
        if (isFloat) {
            const float f = static_cast<float>(value);
            std::uint32_t bitsOf = 0;
            std::memcpy(&bitsOf, &f, 4);
            PutLe(wav, bitsOf, 4);
        } else {
            const double scale = std::ldexp(1.0, bits - 1);
            const auto q = static_cast<std::int64_t>(std::lround(std::clamp(value * scale, -scale, scale - 1)));
            PutLe(wav, static_cast<std::uint64_t>(q), sampleBytes);
        }
    }
    return wav;
}

// Pink-ish noise: lines up with a copy of itself at one lag only.
std::vector<double> Noise(std::size_t frames, int channels, double level, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0.0, level);
    std::vector<double> samples(frames * static_cast<std::size_t>(channels));
    std::vector<double> low(static_cast<std::size_t>(channels), 0.0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double& state = low[i % static_cast<std::size_t>(channels)];
        state = 0.9 * state + 0.1 * normal(random);
        samples[i] = std::clamp(3 * state, -0.9, 0.9);
    }
    return samples;
}

int Shell(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str());
}

bool HasTool(const std::string& tool)
{
    return Shell("command -v " + tool) == 0;
}

// FFmpeg's own decode of a file: interleaved floats at the file's rate.
std::vector<float> FfmpegDecode(const std::string& path, int channels)
{
    const std::string command
        = "ffmpeg -v error -i '" + path + "' -ac " + std::to_string(channels) + " -f f32le - 2>/dev/null";
    std::vector<float> samples;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        float block[4096];
        std::size_t read = 0;
        while ((read = std::fread(block, sizeof(float), 4096, pipe)) > 0)
            samples.insert(samples.end(), block, block + read);
        ::pclose(pipe);
    }
    return samples;
}

std::vector<double> ChannelOf(const std::vector<float>& samples, int channels, int channel)
{
    std::vector<double> out;
    for (std::size_t i = static_cast<std::size_t>(channel); i < samples.size(); i += static_cast<std::size_t>(channels))
        out.push_back(samples[i]);
    return out;
}

std::string FrameText(TagLib::ID3v2::Tag& tag, const char* id)
{
    const TagLib::ID3v2::FrameList& frames = tag.frameList(id);
    return frames.isEmpty() ? std::string() : frames.front()->toString().to8Bit(true);
}

class OtherFormatsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string wav = dir.File("source.wav");
    std::string cover = dir.File("cover.jpg");
    std::string result = dir.File("result.mp3");
    std::atomic<int> control{JobControl::Run};

    void SetUp() override
    {
        if (!HasTool("ffmpeg"))
            GTEST_SKIP() << "ffmpeg is not installed";
    }

    ConversionOutcome::Kind Convert(RecordingHost& host)
    {
        ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
        return vorlanta(conversionHost, host.Job(), control).kind;
    }
};

}  // namespace

// Every format converts to exactly the samples FFmpeg decodes from it, at
// lag 0, with its tags and its cover's bytes in an ID3v2.3 tag.
TEST_F(OtherFormatsTest, EachFormatConvertsSampleExactWithTagsAndCover)
{
    SyntheticAudio::WriteFile(wav, Wav(Noise(44100 * 3 + 123, 2, 0.2), 44100, 2, 16));
    ASSERT_EQ(Shell("ffmpeg -v error -f lavfi -i color=red:s=16x16 -frames:v 1 '" + cover + "'"), 0);
    const std::string meta = "-metadata title='Tëst 名前' -metadata artist=Artist -metadata album=Album "
                             "-metadata track=3/12 -metadata date=2021 ";
    const std::string withCover = "-i '" + cover + "' -map 0 -map 1 -c:v copy -disposition:v attached_pic ";
    const std::string vorbisTags = "-t 'Tëst 名前' -a Artist -l Album -N 3 -c TRACKTOTAL=12 -d 2021 ";
    const std::string picture = "'3|image/jpeg||16x16x24|" + cover + "'";
    const struct {
        const char* name;
        const char* tool;
        std::string make;  // IN and OUT stand for the WAV and the source
        bool hasCover;
        const char* track = "3/12";  // RIFF INFO keeps no total
    } cases[] = {
        {"a.flac", "flac",
         "flac -s -f --picture=" + picture
             + " -T 'TITLE=Tëst 名前' -T ARTIST=Artist -T ALBUM=Album"
               " -T TRACKNUMBER=3 -T TRACKTOTAL=12 -T DATE=2021 -o OUT IN",
         true},
        {"b.ogg", "oggenc", "oggenc -Q " + vorbisTags + "-o OUT IN", false},
        {"c.opus", "opusenc",
         "opusenc --quiet --title 'Tëst 名前' --artist Artist --album Album --tracknumber 3 "
         "--comment TRACKTOTAL=12 --date 2021 --picture "
             + picture + " IN OUT",
         true},
        {"d.m4a", "ffmpeg", "ffmpeg -v error -i IN " + withCover + "-c:a aac -b:a 128k " + meta + "OUT", true},
        {"e.m4a", "ffmpeg", "ffmpeg -v error -i IN " + withCover + "-c:a alac " + meta + "OUT", true},
        {"f.wma", "ffmpeg", "ffmpeg -v error -i IN -c:a wmav2 -b:a 128k " + meta + "OUT", false},
        {"g.aiff", "ffmpeg", "ffmpeg -v error -i IN " + withCover + "-write_id3v2 1 " + meta + "OUT", true},
        {"h.wav", "ffmpeg", "ffmpeg -v error -i IN -c:a pcm_f32le " + meta + "OUT", false, "3"},
        {"i.wv", "ffmpeg", "ffmpeg -v error -i IN -c:a wavpack " + meta + "OUT", false},
    };
    const Bytes coverBytes = SyntheticAudio::ReadFile(cover);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!HasTool(c.tool))
            continue;
        const std::string source = dir.File(c.name);
        std::string make = c.make;
        make.replace(make.find("IN"), 2, "'" + wav + "'");
        make.replace(make.find("OUT"), 3, "'" + source + "'");
        ASSERT_EQ(Shell(make), 0) << make;

        RecordingHost host(source, result, "128");
        ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
        EXPECT_TRUE(host.Logged(result + " Created\r\n"));
        const std::vector<float> expected = FfmpegDecode(source, 2);
        const std::vector<float> got = FfmpegDecode(result, 2);
        ASSERT_GT(expected.size(), 44100u);
        EXPECT_EQ(got.size(), expected.size());
        EXPECT_EQ(DecodedAudio::FromFile(result, true).samples.size(), expected.size()) << "mpg123";
        int lag = -1;
        EXPECT_GT(DecodedAudio::BestCorrelation(ChannelOf(expected, 2, 0), ChannelOf(got, 2, 0), 3000, &lag), 0.9);
        EXPECT_EQ(lag, 0);

        TagLib::MPEG::File mp3(result.c_str(), false);
        ASSERT_TRUE(mp3.hasID3v2Tag());
        TagLib::ID3v2::Tag& tag = *mp3.ID3v2Tag();
        EXPECT_EQ(tag.header()->majorVersion(), 3u);
        EXPECT_EQ(FrameText(tag, "TIT2"), "Tëst 名前");
        EXPECT_EQ(FrameText(tag, "TPE1"), "Artist");
        EXPECT_EQ(FrameText(tag, "TALB"), "Album");
        EXPECT_EQ(FrameText(tag, "TRCK"), c.track);
        EXPECT_EQ(FrameText(tag, "TDRC"), "2021");  // TagLib reads TYER as TDRC
        const TagLib::ID3v2::FrameList& pictures = tag.frameList("APIC");
        ASSERT_EQ(pictures.size(), c.hasCover ? 1u : 0u);
        if (c.hasCover) {
            const auto* apic = static_cast<const TagLib::ID3v2::AttachedPictureFrame*>(pictures.front());
            const TagLib::ByteVector data = apic->picture();
            EXPECT_EQ(Bytes(data.begin(), data.end()), coverBytes);
        }
    }
}

// More than 16 bits reach the encoder: a quiet tone in a 24-bit FLAC comes
// back with far less error than the same tone cut to 16 bits first can.
TEST_F(OtherFormatsTest, TwentyFourBitSourceKeepsItsLowNoiseFloor)
{
    if (!HasTool("flac"))
        GTEST_SKIP() << "flac is not installed";
    std::vector<double> tone(44100 * 2 * 3);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = std::pow(10.0, -90.0 / 20) * std::sqrt(2.0)
            * std::sin(2 * M_PI * 1000.0 * static_cast<double>(i / 2) / 44100);
    SyntheticAudio::WriteFile(wav, Wav(tone, 44100, 2, 24));
    const std::string source = dir.File("deep.flac");
    ASSERT_EQ(Shell("flac -s -f -o '" + source + "' '" + wav + "'"), 0);
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
    const std::vector<float> got = FfmpegDecode(result, 2);
    ASSERT_EQ(got.size(), tone.size());
    double error = 0;
    const std::size_t edge = 4410 * 2;
    for (std::size_t i = edge; i < got.size() - edge; ++i)
        error += (got[i] - tone[i]) * (got[i] - tone[i]);
    const double errorDb = 10 * std::log10(error / static_cast<double>(got.size() - 2 * edge));
    // Cut to 16 bits, the error alone is about -101 dBFS (measured the same way).
    EXPECT_LT(errorDb, -108.0);
}

// Six channels at 96 kHz: mixed down to stereo and resampled to 48 kHz,
// each said once, the length kept.
TEST_F(OtherFormatsTest, SurroundHighRateSourceIsMixedDownAndResampled)
{
    if (!HasTool("flac"))
        GTEST_SKIP() << "flac is not installed";
    SyntheticAudio::WriteFile(wav, Wav(Noise(96000 * 2, 6, 0.1), 96000, 6, 24));
    const std::string source = dir.File("surround.flac");
    ASSERT_EQ(Shell("flac -s -f --channel-map=none -o '" + source + "' '" + wav + "'"), 0);
    RecordingHost host(source, result, "192");
    ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
    EXPECT_TRUE(host.Logged(source + " has 6 channels, mixed down to stereo\r\n"));
    EXPECT_TRUE(host.Logged(source + " is sampled at 96000 Hz, resampled to 48000 Hz\r\n"));
    const DecodedAudio decoded = DecodedAudio::FromFile(result, true);
    EXPECT_EQ(decoded.sampleRate, 48000);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_NEAR(static_cast<double>(decoded.Frames()), 48000.0 * 2, 2.0);
}

// Content decides, never the name: a concat script or a playlist that
// names a real source is no source, and no demuxer of that kind is used.
TEST_F(OtherFormatsTest, PlaylistsAndConcatScriptsAreRefused)
{
    SyntheticAudio::WriteFile(wav, Wav(Noise(44100, 2, 0.2), 44100, 2, 16));
    const std::string texts[] = {
        "ffconcat version 1.0\nfile '" + wav + "'\n",
        "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nfile://" + wav + "\n#EXT-X-ENDLIST\n",
        "[playlist]\nFile1=" + wav + "\nNumberOfEntries=1\n",
    };
    for (const std::string& text : texts) {
        const std::string source = dir.File("list.flac");
        SyntheticAudio::WriteFile(source, Bytes(text.begin(), text.end()));
        EXPECT_EQ(SourceFormat::Recognize(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), nullptr);
        RecordingHost host(source, result, "128");
        EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed) << text;
        EXPECT_FALSE(std::filesystem::exists(result));
    }
    // The whitelist names no demuxer that reads other files or the network.
    const std::string whitelist = SourceFormat::DemuxerWhitelist();
    for (const char* reaching : {"concat", "hls", "dash", "rtsp", "sdp", "image2", "tee"})
        EXPECT_EQ(("," + whitelist + ",").find(std::string(",") + reaching + ","), std::string::npos) << reaching;
}

// "Skip sources at or below the target bitrate": a lossy source counts by
// its average bitrate, a lossless one is always converted.
TEST_F(OtherFormatsTest, SkipLowerMeasuresLossySourcesAndConvertsLosslessOnes)
{
    if (!HasTool("oggenc") || !HasTool("flac"))
        GTEST_SKIP() << "oggenc or flac is not installed";
    SyntheticAudio::WriteFile(wav, Wav(Noise(44100 * 4, 2, 0.2), 44100, 2, 16));
    const std::string ogg = dir.File("low.ogg");
    const std::string flac = dir.File("whole.flac");
    ASSERT_EQ(Shell("oggenc -Q -b 64 --managed -o '" + ogg + "' '" + wav + "'"), 0);
    ASSERT_EQ(Shell("flac -s -f -o '" + flac + "' '" + wav + "'"), 0);
    const std::optional<double> average = SourceBitrate::Average(ogg);
    ASSERT_TRUE(average.has_value());
    EXPECT_NEAR(*average, 64.0, 12.0);  // the headers count too
    EXPECT_TRUE(SourceBitrate::SkipLine(ogg, 128).has_value());
    EXPECT_FALSE(SourceBitrate::SkipLine(ogg, 32).has_value());
    EXPECT_FALSE(SourceBitrate::SkipLine(flac, 320).has_value());
}

// An M4A under common encryption is refused for what it is, before a result exists.
TEST_F(OtherFormatsTest, EncryptedSourceIsRefusedAsSuch)
{
    SyntheticAudio::WriteFile(wav, Wav(Noise(44100, 2, 0.2), 44100, 2, 16));
    const std::string source = dir.File("locked.m4a");
    ASSERT_EQ(Shell("ffmpeg -v error -i '" + wav
                    + "' -c:a aac -encryption_scheme cenc-aes-ctr -encryption_key "
                      "76a6c65c5ea762046bd749a2e632ccbb -encryption_kid a7e61c373e219033c21091fa607bf3b8 '"
                    + source + "'"),
              0);
    RecordingHost host(source, result, "128");
    EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(host.Lines(),
              std::vector<std::string>{source + " (MP4/M4A audio) not converted: it is encrypted (DRM)\r\n"});
    EXPECT_FALSE(std::filesystem::exists(result));
}
