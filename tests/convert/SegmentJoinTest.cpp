// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ConversionHost.h"
#include "convert/EncoderSession.h"
#include "convert/JobConversion.h"
#include "convert/Layer3Frame.h"
#include "convert/SegmentJoiner.h"
#include "convert/SegmentedEncode.h"
#include "encoder/LameTagFrame.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Signal = SyntheticAudio::Signal;

struct Format {
    int rate;
    int channels;
    int bitrate;
};

// Music-like test audio: a sweep under tone bursts, noise bursts and a
// stretch of silence, so joins meet transients, steady tones and silence.
Signal MusicLike(const Format& format, double seconds)
{
    Signal signal{format.rate, format.channels, {}};
    const auto frames = static_cast<std::size_t>(seconds * format.rate);
    unsigned noise = 12345;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / format.rate;
        const double cycle = std::fmod(t, 3.0);
        double value = 6000.0 * std::sin(2.0 * M_PI * (200.0 * t + 150.0 * t * t / seconds));
        if (cycle > 1.0 && cycle < 1.4)
            value += 5000.0 * std::sin(2.0 * M_PI * 1320.0 * t) * std::exp(-(cycle - 1.0) * 8.0);
        noise = noise * 1103515245u + 12345u;
        if (cycle > 2.0 && cycle < 2.3)
            value += static_cast<double>(static_cast<int>((noise >> 16) & 0x7FFF) - 16384) * 0.5;
        if (cycle > 2.6)
            value = 0.0;
        for (int c = 0; c < format.channels; ++c)
            signal.samples.push_back(static_cast<std::int16_t>(c == 0 ? value : 0.8 * value));
    }
    return signal;
}

class Encoder {
public:
    explicit Encoder(const Format& format) : m_host("", "", ""), m_session(RecordingHost::ProgramFolder(), m_host)
    {
        m_session.Configure(EncodeSettings::Cbr(format.bitrate), format.rate, format.channels);
    }
    EncoderSession& Session() { return m_session; }
    UserPrompt& Prompt() { return m_host; }

    // One stream over samples [from, end) of the signal, flushed; with its
    // Info frame written over its first frame when `info`.
    Bytes Encode(const Signal& signal, std::size_t from, std::size_t to, bool info = false)
    {
        EncoderSession session(m_session.Entries(), m_host);
        session.Adopt(m_session.Record());
        EXPECT_TRUE(session.Start());
        const auto values = static_cast<std::uint32_t>((to - from) * static_cast<std::size_t>(signal.channels));
        Bytes out(session.EncodeRoom(values * 2) + EncoderSession::kFlushRoom);
        std::size_t used = session.Encode(signal.samples.data() + from * static_cast<std::size_t>(signal.channels),
                                          values * 2, out.data());
        used += session.Flush(out.data() + used);
        out.resize(used);
        if (info) {
            Bytes frame(be::kInfoTagOutputSize);
            std::uint32_t length = 0;
            EXPECT_TRUE(session.InfoFrame(frame.data(), length));
            std::memcpy(out.data(), frame.data(), length);
        }
        return out;
    }

private:
    RecordingHost m_host;
    EncoderSession m_session;
};

std::vector<double> Channel0(const Signal& signal)
{
    std::vector<double> out;
    for (std::size_t i = 0; i < signal.samples.size(); i += static_cast<std::size_t>(signal.channels))
        out.push_back(signal.samples[i]);
    return out;
}

// Bytes before frame `index`'s body that no earlier frame's main data uses.
std::uint64_t FreeBefore(const std::vector<Layer3Frame>& frames, std::size_t index)
{
    std::uint64_t body = 0;
    std::uint64_t end = 0;
    for (std::size_t i = 0; i < index; ++i) {
        end = (body - static_cast<std::uint64_t>(frames[i].mainDataBegin)) * 8 + frames[i].mainDataBits;
        body += frames[i].BodyLength();
    }
    return body - (end + 7) / 8;
}

// The join rule on crafted pairs. A stream of silence leaves its frames
// little reservoir and a stream of noise leans on a large one, so noise may
// never take over from silence. Two noise streams of different seeds, forced
// to join where the second needs more than the first left free, emit a
// frame whose main data lies in bytes of the frame before it, and the
// reservoir check finds exactly that frame.
TEST(SegmentJoin, RuleRefusesAFrameWhoseReservoirBytesAreNotItsOwnAndTheCheckCatchesIt)
{
    Encoder encoder(Format{44100, 2, 128});
    const Signal noise = SyntheticAudio::Noise(44100, 2, 3.0, 1);
    const Signal otherNoise = SyntheticAudio::Noise(44100, 2, 3.0, 2);
    const Signal silence{44100, 2, std::vector<std::int16_t>(noise.samples.size(), 0)};
    const Bytes noiseStream = encoder.Encode(noise, 0, noise.Frames());
    const Bytes otherStream = encoder.Encode(otherNoise, 0, otherNoise.Frames());
    const Bytes silenceStream = encoder.Encode(silence, 0, silence.Frames());
    for (const Bytes* stream : {&noiseStream, &otherStream, &silenceStream})
        ASSERT_TRUE(ReservoirCheck::Of(stream->data(), stream->size()).Valid());

    Bytes joined;
    const auto sink = [&joined](const std::uint8_t* bytes, std::size_t length) {
        joined.insert(joined.end(), bytes, bytes + length);
        return true;
    };
    {
        SegmentJoiner joiner(sink);
        ASSERT_EQ(joiner.Add({0, 0, 0, silenceStream}), SegmentJoiner::Outcome::Joined);
        EXPECT_EQ(joiner.Add({0, 50, 70, noiseStream}), SegmentJoiner::Outcome::NoValidFrame);
    }

    const auto first = Layer3Frame::Walk(noiseStream.data(), noiseStream.size());
    const auto second = Layer3Frame::Walk(otherStream.data(), otherStream.size());
    const std::size_t tag = Layer3Frame::IsTagFrame(noiseStream.data(), first[0]) ? 1 : 0;
    std::size_t join = 20;
    while (join + tag < first.size()
           && static_cast<std::uint64_t>(second[join + tag].mainDataBegin) <= FreeBefore(first, join + tag))
        ++join;
    ASSERT_LT(join + tag, first.size()) << "no frame where the second stream needs more than the first left";
    joined.clear();
    SegmentJoiner forced(sink);
    ASSERT_EQ(forced.Add({0, 0, 0, noiseStream}), SegmentJoiner::Outcome::Joined);
    ASSERT_EQ(forced.AddUncheckedAt({0, 0, 0, otherStream}, join), SegmentJoiner::Outcome::Joined);
    ASSERT_TRUE(forced.Finish());
    const ReservoirCheck check = ReservoirCheck::Of(joined.data(), joined.size());
    EXPECT_EQ(check.fault, ReservoirCheck::Fault::NotItsOwn);
    EXPECT_EQ(check.frame, tag + join);
}

// The same audio encoded from a later frame joins where the rule holds,
// and the joined stream is one a decoder's reservoir walks without a fault.
TEST(SegmentJoin, PrerollStreamJoinsWhereItsReservoirFits)
{
    const Format format{44100, 2, 128};
    Encoder encoder(format);
    const Signal signal = MusicLike(format, 6.0);
    constexpr std::uint64_t kStart = 120;
    constexpr std::uint64_t kPreroll = 12;
    const Bytes first = encoder.Encode(signal, 0, (kStart + 2) * 1152);
    const Bytes second = encoder.Encode(signal, (kStart - kPreroll) * 1152, signal.Frames());

    Bytes joined;
    SegmentJoiner joiner([&joined](const std::uint8_t* bytes, std::size_t length) {
        joined.insert(joined.end(), bytes, bytes + length);
        return true;
    });
    ASSERT_EQ(joiner.Add({0, 0, 0, first}), SegmentJoiner::Outcome::Joined);
    ASSERT_EQ(joiner.Add({kStart - kPreroll, kStart - kPreroll + 4, kStart, second}), SegmentJoiner::Outcome::Joined);
    ASSERT_TRUE(joiner.Finish());
    EXPECT_GE(joiner.LastJoin(), kStart - kPreroll + 4);
    EXPECT_LE(joiner.LastJoin(), kStart);
    EXPECT_TRUE(ReservoirCheck::Of(joined.data(), joined.size()).Valid());
}

// The Info frame filled in for a joined stream from its frames is the
// encoder's own, byte for byte: counts, seek table, padding and both CRCs.
TEST(SegmentJoin, RebuiltInfoFrameMatchesTheEncoders)
{
    const Format format{44100, 2, 128};
    Encoder encoder(format);
    const Signal signal = MusicLike(format, 12.0);  // past 400 frames: the seek table halves
    const Bytes stream = encoder.Encode(signal, 0, signal.Frames(), true);
    const auto frames = Layer3Frame::Walk(stream.data(), stream.size());
    ASSERT_TRUE(Layer3Frame::IsTagFrame(stream.data(), frames[0]));
    LameTagFrame::StreamTally tally;
    for (std::size_t i = 1; i < frames.size(); ++i)
        tally.Add(stream.data() + frames[i].offset, frames[i].length);
    const Bytes lames(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(frames[0].length));
    Bytes m_template = lames;
    const std::size_t tag = frames[0].bodyOffset;
    std::memset(&m_template[tag + 8], 0, 108);  // counts and seek table
    m_template[tag + 142] &= 0xF0;              // padding
    m_template[tag + 143] = 0;
    std::memset(&m_template[tag + 148], 0, 8);  // music length and CRC, tag CRC
    ASSERT_TRUE(LameTagFrame::SetJoinedStreamFields(m_template.data(), m_template.size(), tally, signal.Frames()));
    EXPECT_EQ(m_template, lames);
}

class SegmentedEncodeTest : public testing::TestWithParam<Format> { };

// A source cut in many segments and joined: valid reservoir walk, every
// frame the asked bitrate, as many frames as a serial encode, and decoded
// (gapless) exactly the source's samples at lag 0.
TEST_P(SegmentedEncodeTest, JoinedStreamIsGaplessAndSampleExact)
{
    const Format format = GetParam();
    Encoder encoder(format);
    ASSERT_TRUE(SegmentedEncode::Suits(encoder.Session().Record()));
    const Signal signal = MusicLike(format, 8.3);
    SegmentPlan plan = SegmentPlan::Default();
    plan.segmentFrames = 40;

    Bytes joined;
    SegmentedEncode segmented(encoder.Session().Entries(), encoder.Session().Record(), 2, plan, encoder.Prompt(),
                              [&joined](const std::uint8_t* bytes, std::size_t length) {
                                  joined.insert(joined.end(), bytes, bytes + length);
                                  return true;
                              });
    // Pushed in uneven pieces, as a decoder hands them over.
    for (std::size_t at = 0; at < signal.samples.size();) {
        const std::size_t values = std::min<std::size_t>(1000 + at % 3000, signal.samples.size() - at);
        ASSERT_TRUE(segmented.Push(signal.samples.data() + at, values));
        at += values;
    }
    ASSERT_TRUE(segmented.Finish());
    EXPECT_GT(segmented.Segments(), 5u);
    Bytes info;
    ASSERT_TRUE(segmented.InfoFrame(info));
    if (!info.empty())
        std::memcpy(joined.data(), info.data(), info.size());

    const ReservoirCheck check = ReservoirCheck::Of(joined.data(), joined.size());
    EXPECT_TRUE(check.Valid()) << "frame " << check.frame;
    const auto frames = Layer3Frame::Walk(joined.data(), joined.size());
    // Audio frames only: at low bitrates the Info frame takes a larger frame.
    for (std::size_t i = info.empty() ? 0 : 1; i < frames.size(); ++i)
        ASSERT_EQ(frames[i].header.bitrate, format.bitrate);
    const Bytes serial = encoder.Encode(signal, 0, signal.Frames(), true);
    EXPECT_EQ(frames.size(), Layer3Frame::Walk(serial.data(), serial.size()).size());
    if (!info.empty()) {
        // The Info frame counts the audio frames and every byte.
        const std::uint8_t* tag = joined.data() + frames[0].bodyOffset;
        const auto field = [tag](std::size_t at) {
            return std::uint32_t{tag[at]} << 24 | std::uint32_t{tag[at + 1]} << 16 | std::uint32_t{tag[at + 2]} << 8
                | tag[at + 3];
        };
        EXPECT_EQ(field(8), frames.size() - 1);
        EXPECT_EQ(field(12), joined.size());
    }

    // Where the encoder's Info frame does not fit a frame of this bitrate, a
    // serial result has none either: then the joined one decodes as long.
    const DecodedAudio decoded = DecodedAudio::FromBytes(joined, true);
    const DecodedAudio serialDecoded = DecodedAudio::FromBytes(serial, true);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.Frames(), info.empty() ? serialDecoded.Frames() : signal.Frames());
    if (info.empty())
        return;
    // One second across several joins, against the source.
    const std::vector<double> source = Channel0(signal);
    const std::vector<double> result = decoded.Channel(0);
    const auto slice = [&format](const std::vector<double>& all) {
        const auto from = all.begin() + 3 * format.rate;
        return std::vector<double>(from, from + format.rate);
    };
    int lag = -1;
    const double correlation = DecodedAudio::BestCorrelation(slice(source), slice(result), 1200, &lag);
    EXPECT_EQ(lag, 0);
    EXPECT_GT(correlation, 0.95);
}

// A source's length is estimated from its size, and one of varying bitrate
// runs longer or shorter than that: the end is cut where it really is.
TEST(SegmentedEncode, AWrongLengthEstimateStillJoinsTheWholeSource)
{
    const Format format{44100, 2, 128};
    Encoder encoder(format);
    const Signal signal = MusicLike(format, 8.3);
    const Bytes serial = encoder.Encode(signal, 0, signal.Frames(), true);
    SegmentPlan plan = SegmentPlan::Default();
    plan.segmentFrames = 40;
    plan.minSegmentFrames = 8;
    for (const double estimate : {1.0, 0.3, 2.0}) {
        Bytes joined;
        SegmentedEncode segmented(encoder.Session().Entries(), encoder.Session().Record(), 2, plan, encoder.Prompt(),
                                  [&joined](const std::uint8_t* bytes, std::size_t length) {
                                      joined.insert(joined.end(), bytes, bytes + length);
                                      return true;
                                  });
        segmented.ExpectSamples(static_cast<std::uint64_t>(static_cast<double>(signal.Frames()) * estimate));
        for (std::size_t at = 0; at < signal.samples.size();) {
            const std::size_t values = std::min<std::size_t>(2304, signal.samples.size() - at);
            ASSERT_TRUE(segmented.Push(signal.samples.data() + at, values));
            at += values;
        }
        ASSERT_TRUE(segmented.Finish()) << estimate;
        Bytes info;
        ASSERT_TRUE(segmented.InfoFrame(info));
        std::memcpy(joined.data(), info.data(), info.size());
        EXPECT_TRUE(ReservoirCheck::Of(joined.data(), joined.size()).Valid()) << estimate;
        EXPECT_EQ(Layer3Frame::Walk(joined.data(), joined.size()).size(),
                  Layer3Frame::Walk(serial.data(), serial.size()).size())
            << estimate;
        EXPECT_EQ(DecodedAudio::FromBytes(joined, true).Frames(), signal.Frames()) << estimate;
    }
}

// Without pre-roll no frame can ever be joined at (the new stream holds no
// frame before it to compare windows with): every segment falls back to
// being encoded with the one before as one stream. The job still succeeds,
// and the result is the serial encode, byte for byte, Info frame included.
TEST(SegmentedEncode, JoinsThatFitNowhereAreEncodedSerially)
{
    const Format format{44100, 2, 128};
    Encoder encoder(format);
    const Signal signal = MusicLike(format, 5.0);
    SegmentPlan plan = SegmentPlan::Default();
    plan.segmentFrames = 40;
    plan.prerollFrames = 0;
    plan.retryPrerollFrames = 0;
    Bytes joined;
    SegmentedEncode segmented(encoder.Session().Entries(), encoder.Session().Record(), 2, plan, encoder.Prompt(),
                              [&joined](const std::uint8_t* bytes, std::size_t length) {
                                  joined.insert(joined.end(), bytes, bytes + length);
                                  return true;
                              });
    ASSERT_TRUE(segmented.Push(signal.samples.data(), signal.samples.size()));
    ASSERT_TRUE(segmented.Finish());
    ASSERT_GT(segmented.Segments(), 3u);
    EXPECT_EQ(segmented.SerialStretches(), segmented.Segments() - 1);
    Bytes info;
    ASSERT_TRUE(segmented.InfoFrame(info));
    ASSERT_FALSE(info.empty());
    std::memcpy(joined.data(), info.data(), info.size());
    EXPECT_TRUE(joined == encoder.Encode(signal, 0, signal.Frames(), true));
}

INSTANTIATE_TEST_SUITE_P(Formats, SegmentedEncodeTest,
                         testing::Values(Format{44100, 2, 128}, Format{48000, 1, 320}, Format{22050, 2, 64},
                                         Format{32000, 2, 32}));

}  // namespace

namespace {

// A job given two encoder threads: a tagged 25 s source is encoded in
// segments; tags stay in place, the log says so, and the result decodes
// (gapless) to the source's samples at lag 0; loudness tags are the serial
// result's. A stop halfway leaves nothing behind.
TEST(SegmentedJob, LongSourceOnTwoThreadsKeepsTagsLengthAndStop)
{
    TempDir dir;
    const std::string source = dir.File("long.mp3");
    const std::string result = dir.File("joined.mp3");
    const auto v2 = SyntheticAudio::Id3v2Tag("Long");
    const auto v1 = SyntheticAudio::Id3v1Tag("Long");
    const auto mp3 = SyntheticAudio::EncodeMp3(MusicLike(Format{44100, 2, 128}, 22.0));
    SyntheticAudio::WriteFile(source, SyntheticAudio::Concat({&v2, &mp3, &v1}));
    const auto convert = [&](const std::string& to, int threads, std::atomic<int>& control) {
        RecordingHost host(source, to, "128");
        ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
        conversionHost.encoderThreads = threads;
        const ConversionOutcome outcome = vorlanta(conversionHost, host.Job(), control);
        return std::pair{outcome.kind, host.Lines()};
    };
    std::atomic<int> run{JobControl::Run};
    const auto [outcome, lines] = convert(result, 2, run);
    ASSERT_EQ(outcome, ConversionOutcome::Kind::Converted);
    ASSERT_EQ(lines.back(), result + " Created\r\n");
    EXPECT_NE(
        std::find_if(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.find("segments on 2 threads") != std::string::npos; }),
        lines.end());
    const Bytes joined = SyntheticAudio::ReadFile(result);
    ASSERT_GT(joined.size(), v2.size() + v1.size());
    EXPECT_TRUE(std::equal(v2.begin(), v2.end(), joined.begin()));
    EXPECT_TRUE(std::equal(v1.begin(), v1.end(), joined.end() - static_cast<std::ptrdiff_t>(v1.size())));
    const Bytes audio(joined.begin() + static_cast<std::ptrdiff_t>(v2.size()),
                      joined.end() - static_cast<std::ptrdiff_t>(v1.size()));
    EXPECT_TRUE(ReservoirCheck::Of(audio.data(), audio.size()).Valid());
    const DecodedAudio decoded = DecodedAudio::FromBytes(audio, true);
    const DecodedAudio original = DecodedAudio::FromBytes(mp3, true);
    ASSERT_EQ(decoded.Frames(), original.Frames());
    int lag = -1;
    const auto slice = [](const std::vector<double>& all) {
        return std::vector<double>(all.begin() + 441000, all.begin() + 485100);  // a second past the first joins
    };
    EXPECT_GT(DecodedAudio::BestCorrelation(slice(original.Channel(0)), slice(decoded.Channel(0)), 1200, &lag), 0.98);
    EXPECT_EQ(lag, 0);

    // With loudness tags: measured on the decoded audio, so the split result
    // carries the serial one's ReplayGain tag and the same track gain and
    // peak in its LAME tag.
    const auto tagged = [&](const std::string& to, int threads) {
        RecordingHost host(source, to, "128");
        ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
        conversionHost.encoderThreads = threads;
        conversionHost.loudness = LoudnessTags::Track;
        std::atomic<int> control{JobControl::Run};
        EXPECT_EQ(vorlanta(conversionHost, host.Job(), control).kind, ConversionOutcome::Kind::Converted);
        const std::vector<std::string> lines = host.Lines();
        EXPECT_EQ(std::any_of(lines.begin(), lines.end(),
                              [](const std::string& line) { return line.find(" segments on ") != std::string::npos; }),
                  threads > 1);
        const Bytes bytes = SyntheticAudio::ReadFile(to);
        const std::size_t v2Length = 10 + (bytes[6] << 21 | bytes[7] << 14 | bytes[8] << 7 | bytes[9]);
        const std::size_t info = v2Length + LameTagFrame::TagOffset(bytes.data() + v2Length, bytes.size() - v2Length);
        EXPECT_GT(info, v2Length);
        return std::pair{Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(v2Length)),
                         Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(info + 131),
                               bytes.begin() + static_cast<std::ptrdiff_t>(info + 137))};
    };
    const auto serialTags = tagged(dir.File("serial-rg.mp3"), 1);
    const auto splitTags = tagged(dir.File("split-rg.mp3"), 2);
    EXPECT_TRUE(splitTags.first == serialTags.first);
    EXPECT_TRUE(splitTags.second == serialTags.second);
    EXPECT_NE(splitTags.second, Bytes(6, 0));
    std::filesystem::remove(dir.File("serial-rg.mp3"));
    std::filesystem::remove(dir.File("split-rg.mp3"));

    // Stopped once a few segments are out: no result, no temporary file.
    std::filesystem::remove(result);
    std::atomic<int> stop{JobControl::Run};
    RecordingHost host(source, result, "128");
    ConversionHost conversionHost = host.Host(RecordingHost::ProgramFolder());
    conversionHost.encoderThreads = 2;
    int frames = 0;
    host.onLog = [&](const std::string& line) {
        if (line.find("BYTEs Read") != std::string::npos && ++frames == 500)
            stop = JobControl::Stop;
    };
    EXPECT_EQ(vorlanta(conversionHost, host.Job(), stop).kind, ConversionOutcome::Kind::Stopped);
    EXPECT_TRUE(host.Logged("Job Stopped by user\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // the source alone
}

}  // namespace
