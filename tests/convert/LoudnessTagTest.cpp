// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/AlbumGain.h"
#include "convert/JobConversion.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 1 kHz sine at -20 dBFS in both channels: about -20 LUFS, a track gain
// near +2 dB.
SyntheticAudio::Signal QuietSine()
{
    SyntheticAudio::Signal signal{44100, 2, {}};
    for (int i = 0; i < 44100 * 5; ++i) {
        const auto value = static_cast<std::int16_t>(std::lround(3276.8 * std::sin(2.0 * M_PI * 1000.0 * i / 44100.0)));
        signal.samples.push_back(value);
        signal.samples.push_back(value);
    }
    return signal;
}

void PutFrame(Bytes& tag, const char* id, std::string_view data)
{
    tag.insert(tag.end(), id, id + 4);
    const auto size = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        tag.push_back(static_cast<std::uint8_t>(size >> shift));
    tag.insert(tag.end(), {0, 0});
    tag.insert(tag.end(), data.begin(), data.end());
}

// An ID3v2.3 tag with a title and a stale track gain from another program.
Bytes CarriedTag()
{
    Bytes frames;
    PutFrame(frames, "TIT2", std::string_view("\0Quiet sine", 11));
    PutFrame(frames, "TXXX", std::string_view("\0replaygain_track_gain\0+9.99 dB", 31));
    frames.resize(frames.size() + 32, 0);
    Bytes tag(10 + frames.size(), 0);
    std::copy_n("ID3\x03", 4, tag.begin());
    tag[8] = static_cast<std::uint8_t>(frames.size() >> 7);
    tag[9] = static_cast<std::uint8_t>(frames.size() & 0x7F);
    std::copy(frames.begin(), frames.end(), tag.begin() + 10);
    return tag;
}

std::size_t Count(std::string_view bytes, std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = bytes.find(text); at != std::string_view::npos; at = bytes.find(text, at + 1))
        ++count;
    return count;
}

// The value of the user text frame `name` (ISO-8859-1) in `tag`.
double Value(std::string_view tag, const std::string& name)
{
    const std::size_t at = tag.find(name + '\0');
    return at == std::string_view::npos ? NAN : std::atof(std::string(tag.substr(at + name.size() + 1, 12)).c_str());
}

// What EBU R128 gives a steady sine whose frequency the K-weighting passes
// at unity gain (1 kHz): the sum over the channels of their mean squares,
// in dB, and from it the ReplayGain 2.0 gain to -18 LUFS; and the peak.
ReplayGainValues SineValues(const DecodedAudio& audio)
{
    double power = 0;
    double peak = 0;
    for (int c = 0; c < audio.channels; ++c) {
        double sum = 0;
        for (double x : audio.Channel(c)) {
            sum += (x / 32768.0) * (x / 32768.0);
            peak = std::max(peak, std::fabs(x) / 32768.0);
        }
        power += sum / static_cast<double>(audio.Frames());
    }
    return {-18.0 - 10.0 * std::log10(power), peak};
}

}  // namespace

// The track gain and peak land in the carried tag, in place of the stale
// ones and beside the title, and in the LAME tag; the result stays gapless.
TEST(LoudnessTagTest, SineAtKnownLevelGetsItsGainInBothTags)
{
    TempDir dir;
    const std::string source = dir.File("sine.mp3");
    const std::string result = dir.File("sine_128.mp3");
    const auto signal = QuietSine();
    const Bytes carried = CarriedTag();
    const Bytes mp3 = SyntheticAudio::EncodeMp3(signal, {192, false, true});
    SyntheticAudio::WriteFile(source, SyntheticAudio::Concat({&carried, &mp3}));
    RecordingHost host(source, result, "128");
    ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
    conversionHost.loudness = LoudnessTags::Track;
    std::atomic<int> control{JobControl::Run};
    ASSERT_EQ(vorlanta(conversionHost, host.Job(), control).kind, ConversionOutcome::Kind::Converted);

    const ReplayGainValues expected = SineValues(DecodedAudio::FromBytes(mp3, true));
    ASSERT_NEAR(expected.gainDb, 2.0, 0.5);
    const Bytes out = SyntheticAudio::ReadFile(result);
    ASSERT_GT(out.size(), 10u);
    ASSERT_EQ(std::string(out.begin(), out.begin() + 4), std::string("ID3\x03", 4));
    const std::size_t tagLength = 10 + (out[6] << 21 | out[7] << 14 | out[8] << 7 | out[9]);
    const std::string_view tag(reinterpret_cast<const char*>(out.data()), tagLength);
    EXPECT_EQ(Count(tag, std::string_view("TIT2\0\0\0\x0b\0\0\0Quiet sine", 21)), 1u);
    EXPECT_EQ(Count(tag, "+9.99 dB"), 0u);
    EXPECT_EQ(Count(tag, "REPLAYGAIN_TRACK_GAIN"), 1u);
    EXPECT_NEAR(Value(tag, "REPLAYGAIN_TRACK_GAIN"), expected.gainDb, 0.05);
    EXPECT_NEAR(Value(tag, "REPLAYGAIN_TRACK_PEAK"), expected.peak, 0.0001);
    EXPECT_EQ(Count(tag, "REPLAYGAIN_ALBUM"), 0u);

    const std::uint8_t* lameTag = out.data() + tagLength + 4 + 32;
    ASSERT_EQ(std::string(lameTag, lameTag + 4), "Info");
    const int gainField = lameTag[135] << 8 | lameTag[136];
    EXPECT_EQ(gainField & 0xFE00, 0x2C00);  // track gain, determined automatically, positive
    EXPECT_NEAR((gainField & 0x1FF) / 10.0, expected.gainDb, 0.051);

    EXPECT_EQ(DecodedAudio::FromFile(result, true).Frames(), signal.Frames());
}

// An album whose other job fails: the result that completed keeps its
// track values only, and the log says why the album values are missing.
TEST(LoudnessTagTest, AlbumWithAFailedJobKeepsTrackValues)
{
    TempDir dir;
    const Bytes mp3 = SyntheticAudio::EncodeMp3(QuietSine(), {192, false, true});
    SyntheticAudio::WriteFile(dir.File("one.mp3"), mp3);
    RecordingHost albumLog("", "", "");
    auto album = std::make_shared<AlbumGain>(dir.File(""), 2, albumLog);
    for (const char* name : {"one", "missing"}) {
        RecordingHost host(dir.File(std::string(name) + ".mp3"), dir.File(std::string(name) + "_V2.mp3"), "V2");
        ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
        conversionHost.loudness = LoudnessTags::Album;
        conversionHost.album = album;
        std::atomic<int> control{JobControl::Run};
        vorlanta(conversionHost, host.Job(), control);
    }
    const std::vector<std::string> lines = albumLog.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("1 of 2 jobs did not complete") != std::string::npos;
    }));
    const Bytes out = SyntheticAudio::ReadFile(dir.File("one_V2.mp3"));
    const std::string_view bytes(reinterpret_cast<const char*>(out.data()), out.size());
    EXPECT_EQ(Count(bytes, "REPLAYGAIN_TRACK_GAIN"), 1u);
    EXPECT_EQ(Count(bytes, "REPLAYGAIN_ALBUM"), 0u);
}
