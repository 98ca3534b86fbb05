// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobConversion.h"

#include "convert/BatchSummary.h"

#include "DecodedAudio.h"
#include "FrameWalk.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

class JobConversionTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string source = dir.File("source.mp3");
    std::string result = dir.File("result.mp3");
    std::atomic<int> control{JobControl::Run};

    ConversionOutcome::Kind Convert(RecordingHost& host) { return ConvertWith(host, RecordingHost::ProgramFolder()); }
    ConversionOutcome::Kind ConvertWith(RecordingHost& host, const std::string& encoderFolder)
    {
        ConversionHost conversionHost = host.Host(encoderFolder);
        return vorlanta(conversionHost, host.Job(), control).kind;
    }
    ConversionOutcome::Kind Convert(const Bytes& bytes, RecordingHost& host)
    {
        SyntheticAudio::WriteFile(source, bytes);
        return Convert(host);
    }
    bool ResultExists() const { return std::filesystem::exists(result); }
    // The names in the test's folder, hidden ones too.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The line logged right after `line`; empty when there is none.
    static std::string LineAfter(const RecordingHost& host, const std::string& line)
    {
        const auto lines = host.Lines();
        const auto at = std::find(lines.begin(), lines.end(), line);
        return at == lines.end() || at + 1 == lines.end() ? std::string() : *(at + 1);
    }
};

bool EndsWith(const Bytes& bytes, const Bytes& tail)
{
    return bytes.size() >= tail.size()
        && std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<long>(tail.size()));
}

bool StartsWith(const Bytes& bytes, const Bytes& head)
{
    return bytes.size() >= head.size() && std::equal(head.begin(), head.end(), bytes.begin());
}

}  // namespace

TEST_F(JobConversionTest, EmptySourceFailsBeforeAnythingElse)
{
    RecordingHost host(source, result, "128");
    EXPECT_EQ(Convert({}, host), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(host.Lines(), (std::vector<std::string>{source + " File Size is 0, Invalid MP3 File\r\n"}));
    EXPECT_FALSE(ResultExists());
    EXPECT_TRUE(host.Messages().empty());  // no encoder was loaded
}

TEST_F(JobConversionTest, MissingSourceFailsWithALine)
{
    RecordingHost host(dir.File("nope.mp3"), result, "128");
    EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(LineAfter(host, "Source file open failed in file " + dir.File("nope.mp3") + "\r\n"),
              "No such file or directory\r\n");
    EXPECT_FALSE(ResultExists());
}

TEST_F(JobConversionTest, SourceWithoutFramesIsAFailureNotAnEmptyResult)
{
    Bytes junk(5000, 0x41);
    const auto v1 = SyntheticAudio::Id3v1Tag("t");
    RecordingHost host(source, result, "128");
    EXPECT_EQ(Convert(SyntheticAudio::Concat({&junk, &v1}), host), ConversionOutcome::Kind::Failed);
    EXPECT_TRUE(host.Logged(source + " is not an MP3 file (no MPEG audio found), not converted\r\n"));
    EXPECT_FALSE(ResultExists());
}

// A German catalogue of a few texts, one of them with its placeholders
// reordered; texts it lacks stay English.
std::string German(const char* context, const char* english)
{
    const std::string text = english;
    if (std::string(context) == "JobConversion" && text == "%1 Created")
        return "Erstellt: %1";
    if (text == "%1 is not an MP3 file (%2), not converted")
        return "Keine MP3-Datei (%2): %1, nicht konvertiert";
    if (text == "no MPEG audio found")
        return "kein MPEG-Audio gefunden";
    if (text == "Failed: %1 \u2014 %2")
        return "Fehlgeschlagen: %1 \u2014 %2";
    return text;
}

TEST_F(JobConversionTest, LinesAreWrittenInTheLanguageTheLogAsksFor)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5));
    RecordingHost host(source, result, "128");
    host.language = Translator(&German);
    ASSERT_EQ(Convert(mp3, host), ConversionOutcome::Kind::Converted);
    EXPECT_EQ(host.Lines().back(), "Erstellt: " + result + "\r\n");
    EXPECT_EQ(host.Lines().front(), source + " convert begin\r\n");  // not in the catalogue: English

    // A name that holds a placeholder of its own is not filled in again.
    const std::string junk = dir.File("50%2 off.mp3");
    SyntheticAudio::WriteFile(junk, Bytes(5000, 0x41));
    RecordingHost german(junk, result, "128");
    german.language = Translator(&German);
    ConversionHost conversionHost = german.Host(RecordingHost::ProgramFolder());
    const ConversionOutcome outcome = vorlanta(conversionHost, german.Job(), control);
    const std::string line = "Keine MP3-Datei (kein MPEG-Audio gefunden): " + junk + ", nicht konvertiert";
    EXPECT_EQ(german.Lines(), (std::vector<std::string>{line + "\r\n"}));
    EXPECT_EQ(outcome.reason, line);
    BatchSummary summary;
    summary.Add(junk, outcome);
    EXPECT_EQ(summary.FailureLines(Translator(&German)),
              (std::vector<std::string>{
                  "Fehlgeschlagen: Keine MP3-Datei (kein MPEG-Audio gefunden): 50%2 off.mp3, nicht konvertiert \u2014 "
                  "50%2 off.mp3"}));
}

TEST_F(JobConversionTest, OtherLayersBeforeTheStreamAreSkippedWithALine)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5));
    const Bytes layer2{0xFF, 0xFD, 0x90, 0x44, 0, 0, 0, 0};
    RecordingHost host(source, result, "128");
    EXPECT_EQ(Convert(SyntheticAudio::Concat({&layer2, &mp3}), host), ConversionOutcome::Kind::Converted);
    EXPECT_TRUE(host.Logged("8 bytes at byte 0 of " + source + " are not MPEG audio, skipped\r\n"));
}

TEST_F(JobConversionTest, StopBeforeTheFirstFrameLeavesNothingAndNamesTheJob)
{
    const auto v2 = SyntheticAudio::Id3v2Tag("stopped");
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0));
    const auto v1 = SyntheticAudio::Id3v1Tag("stopped");
    control = JobControl::Stop;
    RecordingHost host(source, result, "128");
    EXPECT_EQ(Convert(SyntheticAudio::Concat({&v2, &mp3, &v1}), host), ConversionOutcome::Kind::Stopped);
    EXPECT_EQ(LineAfter(host, "Job Stopped by user\r\n"),
              source + " not converted, nothing written to " + result + "\r\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"source.mp3"});

    control = JobControl::Restart;
    RecordingHost again(source, result, "128");
    EXPECT_EQ(Convert(again), ConversionOutcome::Kind::RestartRequested);
    EXPECT_TRUE(again.Logged("Job restart by user\r\n"));
}

TEST_F(JobConversionTest, StopMidStreamDropsTheBufferAndTheId3v1Block)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 3.0));
    const auto v1 = SyntheticAudio::Id3v1Tag("x");
    RecordingHost host(source, result, "128");
    int reads = 0;
    host.onLog = [&](const std::string& line) {
        if (line.find("BYTEs Read") != std::string::npos && ++reads == 20)
            control = JobControl::Stop;
    };
    EXPECT_EQ(Convert(SyntheticAudio::Concat({&mp3, &v1}), host), ConversionOutcome::Kind::Stopped);
    EXPECT_EQ(reads, 20);  // the frame under way is finished, no other begun
    EXPECT_EQ(Files(), std::vector<std::string>{"source.mp3"});
    EXPECT_FALSE(host.Logged(result + " Created\r\n"));
}

// Every tag block is carried byte for byte in its place, and none of them
// is taken for junk: an empty ID3v2 tag and a second one right after it at
// the start; APE and Lyrics3 tags before the ID3v1 tag at the end.
TEST_F(JobConversionTest, TagsAreCarriedInTheirPlaces)
{
    const Bytes empty{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
    const auto v2 = SyntheticAudio::Id3v2Tag("second", 700);
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5));
    const auto le32 = [](Bytes& bytes, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    Bytes item;
    le32(item, 5);
    le32(item, 0);
    for (const char c : std::string("Title\0hello", 11))
        item.push_back(static_cast<std::uint8_t>(c));
    const auto apeBlock = [&](std::uint32_t flags) {
        Bytes block{'A', 'P', 'E', 'T', 'A', 'G', 'E', 'X'};
        le32(block, 2000);
        le32(block, static_cast<std::uint32_t>(item.size() + 32));
        le32(block, 1);
        le32(block, flags);
        block.resize(block.size() + 8, 0);
        return block;
    };
    const Bytes ape = [&] {
        Bytes tag = apeBlock(0xA0000000u);  // the header
        tag.insert(tag.end(), item.begin(), item.end());
        const Bytes footer = apeBlock(0x80000000u);
        tag.insert(tag.end(), footer.begin(), footer.end());
        return tag;
    }();
    const std::string lyricsText = "LYRICSBEGINLYR00005hello";
    const std::string lyrics = lyricsText + "000024LYRICS200";
    const Bytes lyrics3(lyrics.begin(), lyrics.end());
    const auto v1 = SyntheticAudio::Id3v1Tag("tags");
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(SyntheticAudio::Concat({&empty, &v2, &mp3, &ape, &lyrics3, &v1}), host),
              ConversionOutcome::Kind::Converted);
    const auto lines = host.Lines();
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(),
                             [](const std::string& line) { return line.find("not MPEG audio") != std::string::npos; }));
    const Bytes out = SyntheticAudio::ReadFile(result);
    EXPECT_TRUE(StartsWith(out, SyntheticAudio::Concat({&empty, &v2})));
    EXPECT_TRUE(EndsWith(out, SyntheticAudio::Concat({&ape, &lyrics3, &v1})));
}

TEST_F(JobConversionTest, ResultLayoutTagsAudioTagAndTheLogAndStatusTexts)
{
    const auto v2 = SyntheticAudio::Id3v2Tag("Both tags", 200000);  // a large picture full of fake syncs
    const auto signal = SyntheticAudio::Tone(44100, 2, 3.0);
    const auto mp3 = SyntheticAudio::EncodeMp3(signal);
    const auto v1 = SyntheticAudio::Id3v1Tag("Both tags");
    RecordingHost host(source, result, "96");
    ASSERT_EQ(Convert(SyntheticAudio::Concat({&v2, &mp3, &v1}), host), ConversionOutcome::Kind::Converted);

    const Bytes out = SyntheticAudio::ReadFile(result);
    EXPECT_TRUE(StartsWith(out, v2));
    EXPECT_TRUE(EndsWith(out, v1));
    const FrameWalk walk = FrameWalk::Of(out);
    EXPECT_FALSE(walk.brokenChain);
    ASSERT_FALSE(walk.frames.empty());
    for (const auto& frame : walk.frames)
        ASSERT_EQ(frame.bitrate, 96);
    // No tag byte was decoded: the audio lasts as long as the source's.
    const auto decoded = DecodedAudio::FromFile(result);
    EXPECT_NEAR(decoded.Seconds(), 3.0, 0.1);

    const auto lines = host.Lines();
    EXPECT_EQ(lines.front(), source + " convert begin\r\n");
    EXPECT_EQ(lines.back(), result + " Created\r\n");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("skipped") != std::string::npos; }),
              0);
    const auto statuses = host.Statuses();
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), "99%");  // the last frame ends before the ID3v1 block
    EXPECT_GE(statuses.front(), std::string("2%"));
}

struct SourceKind {
    const char* name;
    int rate;
    int channels;
    bool vbr;
    int sourceBitrate;
};

class JobConversionAudioTest : public JobConversionTest, public ::testing::WithParamInterface<SourceKind> { };

TEST_P(JobConversionAudioTest, ResultSoundsLikeTheSource)
{
    const SourceKind kind = GetParam();
    const double seconds = 2.0;
    const auto signal = SyntheticAudio::Tone(kind.rate, kind.channels, seconds, 330.0);
    SyntheticAudio::Mp3Options options;
    options.vbr = kind.vbr;
    options.bitrate = kind.sourceBitrate;
    const auto mp3 = SyntheticAudio::EncodeMp3(signal, options);
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(mp3, host), ConversionOutcome::Kind::Converted) << kind.name;

    const auto sourceAudio = DecodedAudio::FromBytes(mp3);
    const auto resultAudio = DecodedAudio::FromFile(result);
    ASSERT_TRUE(resultAudio.ok);
    EXPECT_EQ(resultAudio.sampleRate, kind.rate);
    EXPECT_EQ(resultAudio.channels, kind.channels);
    // One frame plus the encoder's delay and padding at most, and never shorter:
    // the encoder's last frames are part of the result.
    const double frame = (kind.rate >= 32000 ? 1152.0 : 576.0) / kind.rate;
    EXPECT_GE(resultAudio.Frames(), sourceAudio.Frames());
    EXPECT_LE(resultAudio.Seconds(), sourceAudio.Seconds() + 2 * frame + 2000.0 / kind.rate);
    for (int c = 0; c < kind.channels; ++c) {
        // The first second is enough to line the two up and compare them.
        auto original = sourceAudio.Channel(c);
        original.resize(std::min<std::size_t>(original.size(), static_cast<std::size_t>(kind.rate)));
        const double correlation = DecodedAudio::BestCorrelation(original, resultAudio.Channel(c), 2400);
        EXPECT_GE(correlation, 0.98) << kind.name << " channel " << c;
    }
    for (const auto& frameHeader : FrameWalk::Of(SyntheticAudio::ReadFile(result)).frames)
        ASSERT_EQ(frameHeader.bitrate, 128);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, JobConversionAudioTest,
    ::testing::Values(SourceKind{"44k1", 44100, 2, false, 192}, SourceKind{"48k", 48000, 2, false, 160},
                      SourceKind{"32k", 32000, 2, false, 128}, SourceKind{"mono", 44100, 1, false, 96},
                      SourceKind{"mpeg2", 22050, 2, false, 64}, SourceKind{"vbr", 44100, 2, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobConversionTest, RateThatCannotCarryTheBitrateIsResampled)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(11025, 1, 2.0, 300.0), {32, false, true});
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(mp3, host), ConversionOutcome::Kind::Converted);
    EXPECT_TRUE(host.Logged(source + ": 128 kbit/s cannot be encoded at 11025 Hz, resampled to 16000 Hz\r\n"));
    const FrameWalk walk = FrameWalk::Of(SyntheticAudio::ReadFile(result));
    ASSERT_FALSE(walk.frames.empty());
    for (const auto& frame : walk.frames) {
        ASSERT_EQ(frame.bitrate, 128);
        ASSERT_EQ(frame.sampleRate, 16000);
    }
    EXPECT_NEAR(DecodedAudio::FromFile(result).Seconds(), DecodedAudio::FromBytes(mp3).Seconds(), 0.12);
}

TEST_F(JobConversionTest, ResultThatIsTheSourceIsRefusedAndTheSourceKept)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0));
    SyntheticAudio::WriteFile(source, mp3);
    const std::string sameFile = dir.Path() + "/./source.mp3";
    RecordingHost host(source, sameFile, "128");
    EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed);
    EXPECT_TRUE(host.Logged("Dest file create failed in file " + sameFile + "\r\n"));
    EXPECT_EQ(SyntheticAudio::ReadFile(source), mp3);

    ASSERT_EQ(::link(source.c_str(), dir.File("hard.mp3").c_str()), 0);
    RecordingHost linked(source, dir.File("hard.mp3"), "128");
    EXPECT_EQ(Convert(linked), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(SyntheticAudio::ReadFile(source), mp3);
}

TEST_F(JobConversionTest, ResultInAMissingFolder)
{
    const std::string missing = dir.File("no/such/folder/r.mp3");
    RecordingHost host(source, missing, "128");
    EXPECT_EQ(Convert(SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)), host),
              ConversionOutcome::Kind::Failed);
    EXPECT_TRUE(host.Logged("Dest file create failed in file " + missing + "\r\n"));
}

TEST_F(JobConversionTest, FailedOverwriteKeepsTheOldFileAndSaysWhy)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 3.0));
    SyntheticAudio::WriteFile(source, mp3);
    const Bytes before{'o', 'l', 'd', 0, 0xFF, 0xFB};
    SyntheticAudio::WriteFile(result, before);
    RecordingHost host(source, result, "128");
    // The result may not grow past 4 KB: its writes fail as on a full disk.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ConversionOutcome::Kind outcome = Convert(host);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(outcome, ConversionOutcome::Kind::Failed);
    EXPECT_EQ(LineAfter(host, "Dest file write failed in file " + result + "\r\n"), "File too large\r\n");
    EXPECT_FALSE(host.Logged(result + " Created\r\n"));
    EXPECT_EQ(SyntheticAudio::ReadFile(result), before);
    EXPECT_EQ(Files(), (std::vector<std::string>{"result.mp3", "source.mp3"}));
}

TEST_F(JobConversionTest, KilledJobLeavesTheOldFileAndItsLeftoverGoesNextTime)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 2.0));
    SyntheticAudio::WriteFile(source, mp3);
    const Bytes old{'o', 'l', 'd'};
    SyntheticAudio::WriteFile(result, old);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The job holds its temporary file when it tells the parent it runs.
        RecordingHost host(source, result, "128");
        host.onLog = [&](const std::string& line) {
            if (line.find("convert begin") != std::string::npos) {
                (void)!::write(ready[1], "x", 1);
                ::pause();
            }
        };
        Convert(host);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(SyntheticAudio::ReadFile(result), old);
    const auto files = Files();
    ASSERT_EQ(files.size(), 3u);  // the leftover, hidden, and never taken for an MP3 file
    EXPECT_TRUE(ResultFile::IsTemporaryName(files[0], "result.mp3")) << files[0];

    RecordingHost again(source, result, "128");
    EXPECT_EQ(Convert(again), ConversionOutcome::Kind::Converted);
    EXPECT_EQ(Files(), (std::vector<std::string>{"result.mp3", "source.mp3"}));
    EXPECT_NEAR(DecodedAudio::FromFile(result).Seconds(), 2.0, 0.1);
}

TEST_F(JobConversionTest, NonFilesAndForbiddenFoldersAreRefusedAtOnceWithTheReason)
{
    SyntheticAudio::WriteFile(source, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    const std::string fifo = dir.File("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a FIFO could wait for a partner for ever: one turns up late.
    std::promise<void> checked;
    std::thread partner([&fifo, done = checked.get_future()] {
        if (done.wait_for(std::chrono::seconds(2)) == std::future_status::ready)
            return;
        const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        done.wait();
        ::close(fd);
    });
    const std::string fifoReason = "Is a named pipe (FIFO), not a regular file\r\n";
    const auto started = std::chrono::steady_clock::now();
    RecordingHost fromFifo(fifo, result, "128");
    EXPECT_EQ(Convert(fromFifo), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(LineAfter(fromFifo, "Source file open failed in file " + fifo + "\r\n"), fifoReason);
    RecordingHost toFifo(source, fifo, "128");
    EXPECT_EQ(Convert(toFifo), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(LineAfter(toFifo, "Dest file create failed in file " + fifo + "\r\n"), fifoReason);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    checked.set_value();
    partner.join();
    EXPECT_EQ(Files(), (std::vector<std::string>{"pipe.mp3", "source.mp3"}));

    // Even root may not create files in /sys.
    const std::string forbidden = "/sys/vorlanta-test.mp3";
    ASSERT_LT(::open(forbidden.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600), 0);
    const std::string reason = std::strerror(errno);
    RecordingHost denied(source, forbidden, "128");
    EXPECT_EQ(Convert(denied), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(LineAfter(denied, "Dest file create failed in file " + forbidden + "\r\n"), reason + "\r\n");
}

TEST_F(JobConversionTest, ControlCharactersInNamesCannotForgeLogLines)
{
    const std::string name = dir.File("x\n00:00:00    y.mp3 Created\r\x1b[2J.mp3");
    SyntheticAudio::WriteFile(name, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    RecordingHost host(name, result, "128");
    ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
    EXPECT_EQ(host.Lines().front(), dir.File("x\\n00:00:00    y.mp3 Created\\r\\x1b[2J.mp3") + " convert begin\r\n");
    for (const std::string& line : host.Lines())
        EXPECT_EQ(std::count_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\x1b'; }),
                  line.back() == '\n' ? 1 : 0);
}

TEST_F(JobConversionTest, SourceTruncatedWhileConvertingEndsTheJob)
{
    // Frames, a long stretch of silence bytes, frames: the end of the file is
    // read only well after the job has begun.
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0));
    const Bytes gap(3u << 20, 0);
    SyntheticAudio::WriteFile(source, SyntheticAudio::Concat({&mp3, &gap, &mp3}));
    RecordingHost host(source, result, "128");
    host.onLog = [&](const std::string& line) {
        if (line.find("convert begin") != std::string::npos) {
            ASSERT_EQ(::truncate(source.c_str(), 200000), 0);
        }
    };
    EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed);
    EXPECT_TRUE(host.Logged("Source file read failed in file " + source + ", it changed while converting\r\n"));
    EXPECT_FALSE(ResultExists());
}

// Every job would fail alike: a result of its own, and a line that says
// which library was looked for where, and why it could not be loaded.
TEST_F(JobConversionTest, MissingEncoderLibrary)
{
    const auto mp3 = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5));
    SyntheticAudio::WriteFile(source, mp3);
    RecordingHost host(source, result, "128");
    EXPECT_EQ(ConvertWith(host, dir.Path()), ConversionOutcome::Kind::EncoderMissing);
    EXPECT_EQ(host.Messages(), (std::vector<std::string>{"Init Lame Encoder Error!"}));
    const std::string why = LineAfter(host, "Failed to init lame!\r\n");
    EXPECT_EQ(why.rfind("The encoder library liblame_enc.so was looked for in " + dir.Path() + "/liblame_enc.so, ", 0),
              0u)
        << why;
    EXPECT_NE(why.find(" and the library search path: "), std::string::npos) << why;
    EXPECT_NE(why.find("cannot open shared object file"), std::string::npos) << why;
    EXPECT_FALSE(ResultExists());
}

// A link at the result's name is an existing result, dangling or not: the
// link itself is replaced, never the file it names. A stop that comes while
// the result goes to disk leaves the old file as it was.
TEST_F(JobConversionTest, SpecialResultNamesAndStopsAtTheEnd)
{
    SyntheticAudio::WriteFile(source, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    const std::string elsewhere = dir.File("elsewhere.mp3");
    for (const bool dangling : {true, false}) {
        std::filesystem::remove(result);
        std::filesystem::remove(elsewhere);
        if (!dangling)
            SyntheticAudio::WriteFile(elsewhere, {'k', 'e', 'e', 'p'});
        std::filesystem::create_symlink("elsewhere.mp3", result);
        RecordingHost host(source, result, "128");
        ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted) << dangling;
        EXPECT_TRUE(host.Logged(result + " Created\r\n"));
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(result)));
        EXPECT_EQ(std::filesystem::exists(elsewhere), !dangling);
        if (!dangling) {
            EXPECT_EQ(SyntheticAudio::ReadFile(elsewhere), (Bytes{'k', 'e', 'e', 'p'}));
        }
    }

    const Bytes old{'o', 'l', 'd'};
    SyntheticAudio::WriteFile(result, old);
    RecordingHost stopped(source, result, "128");
    stopped.onLog = [&](const std::string& line) {
        if (line == result + ": writing to disk\r")
            control = JobControl::Stop;
    };
    EXPECT_EQ(Convert(stopped), ConversionOutcome::Kind::Stopped);
    EXPECT_TRUE(stopped.Logged("Job Stopped by user\r\n"));
    EXPECT_FALSE(stopped.Logged(result + " Created\r\n"));
    EXPECT_EQ(SyntheticAudio::ReadFile(result), old);
    EXPECT_EQ(Files(), (std::vector<std::string>{"elsewhere.mp3", "result.mp3", "source.mp3"}));
}

// A replacement keeps the owner, group and mode of the file it replaces.
TEST_F(JobConversionTest, ReplacementKeepsOwnerGroupAndMode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file away";
    SyntheticAudio::WriteFile(source, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    SyntheticAudio::WriteFile(result, {'o', 'l', 'd'});
    ASSERT_EQ(::chown(result.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(result.c_str(), 0640), 0);
    RecordingHost host(source, result, "128");
    ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
    struct stat info { };
    ASSERT_EQ(::stat(result.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_GT(info.st_size, 3);
}

TEST_F(JobConversionTest, BitrateTheEncoderRefuses)
{
    SyntheticAudio::WriteFile(source, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    RecordingHost host(source, result, "abc");  // reads as 0
    EXPECT_EQ(Convert(host), ConversionOutcome::Kind::Failed);
    EXPECT_EQ(host.Messages(), (std::vector<std::string>{"Init Lame Stream Failed in Lame"}));
    EXPECT_FALSE(ResultExists());
}

TEST_F(JobConversionTest, BitrateCellWithALeadingBlank)
{
    SyntheticAudio::WriteFile(source, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5)));
    RecordingHost host(source, result, " 96");
    ASSERT_EQ(Convert(host), ConversionOutcome::Kind::Converted);
    EXPECT_EQ(FrameWalk::Of(SyntheticAudio::ReadFile(result)).frames.at(0).bitrate, 96);
}
