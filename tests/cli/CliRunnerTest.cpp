// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRunner.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "cli/ConsoleLog.h"
#include "cli/ConsolePrompt.h"
#include "convert/JobConversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The console log, with a look at every line as it is printed.
class WatchedLog : public ConsoleLog {
public:
    WatchedLog(std::FILE* stream, std::function<void(const std::string&)> onLine)
        : ConsoleLog(stream, false), m_onLine(std::move(onLine))
    {
    }
    void showmessage(const std::string& text) override
    {
        ConsoleLog::showmessage(text);
        if (m_onLine)
            m_onLine(text);
    }

private:
    std::function<void(const std::string&)> m_onLine;
};

class CliRunnerTest : public ::testing::Test {
protected:
    TempDir dir;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::atomic<int> control{JobControl::Idle};
    std::atomic<bool> interrupted{false};

    ~CliRunnerTest() override
    {
        std::fclose(out);
        std::fclose(err);
    }

    static std::string Text(std::FILE* stream)
    {
        std::fflush(stream);
        std::rewind(stream);
        std::string text;
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
            text.append(buffer, got);
        return text;
    }

    std::function<void(const std::string&)> onLine;

    std::string MakeSource(const std::string& name, double seconds = 1.0, int bitrate = 128)
    {
        const std::string path = dir.File(name);
        fs::create_directories(fs::path(path).parent_path());
        SyntheticAudio::Mp3Options mp3;
        mp3.bitrate = bitrate;
        SyntheticAudio::WriteFile(path, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, seconds), mp3));
        return path;
    }

    int Run(const CliOptions& options, const std::string& encoderFolder = RecordingHost::ProgramFolder())
    {
        WatchedLog log(out, onLine);
        ConsolePrompt prompt(err);
        CliRunner runner(options, log, prompt, encoderFolder, err);
        return runner.Run(control, interrupted);
    }

    // The log lines, time stamps taken off.
    std::vector<std::string> LogLines()
    {
        std::vector<std::string> lines;
        std::istringstream text(Text(out));
        std::string line;
        while (std::getline(text, line))
            lines.push_back(line.substr(12));
        return lines;
    }

    static std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
    {
        return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
    }
};

}  // namespace

TEST_F(CliRunnerTest, ConvertsEverySourceAndPrintsOnlyLinesThatStay)
{
    CliOptions options;
    options.settings = EncodeSettings::Cbr(64);
    options.sources = {MakeSource("one.mp3"), MakeSource("two.mp3")};
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_EQ(DecodedAudio::FromFile(dir.File("one_64.mp3")).sampleRate, 44100);
    EXPECT_TRUE(std::filesystem::exists(dir.File("two_64.mp3")));

    const std::string log = Text(out);
    EXPECT_NE(log.find(options.sources[0] + " convert begin\n"), std::string::npos);
    EXPECT_NE(log.find(dir.File("two_64.mp3") + " Created\n"), std::string::npos);
    EXPECT_EQ(log.find("BYTEs"), std::string::npos);  // progress lines stay off a pipe
    EXPECT_EQ(log.find('\r'), std::string::npos);
    EXPECT_EQ(log.substr(2, 1), ":");
    EXPECT_EQ(log.substr(8, 4), "    ");
    EXPECT_NE(Text(err).find("2 converted, 0 failed"), std::string::npos);
}

TEST_F(CliRunnerTest, NeverOverwritesWithoutBeingToldAndNeverTheSource)
{
    const std::string source = MakeSource("keep.mp3");
    const auto original = SyntheticAudio::ReadFile(source);
    SyntheticAudio::WriteFile(dir.File("keep_128.mp3"), {1, 2, 3});

    CliOptions options;
    options.sources = {source};
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_EQ(SyntheticAudio::ReadFile(dir.File("keep_128.mp3")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_NE(Text(err).find("exists already"), std::string::npos);

    options.overwrite = true;
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_GT(std::filesystem::file_size(dir.File("keep_128.mp3")), 1000u);

    options.output = dir.Path() + "/../" + std::filesystem::path(dir.Path()).filename().string() + "/keep.mp3";
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_EQ(SyntheticAudio::ReadFile(source), original);
}

TEST_F(CliRunnerTest, FailedJobsMakeTheStatusNonZero)
{
    CliOptions options;
    options.sources = {dir.File("missing.mp3"), MakeSource("fine.mp3")};
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_TRUE(std::filesystem::exists(dir.File("fine_128.mp3")));
    const std::string errors = Text(err);
    EXPECT_NE(errors.find("1 converted, 1 failed, 0 skipped in "), std::string::npos);
    // The summary is followed by the failed job with its reason.
    EXPECT_NE(errors.find("\nvorlanta-cli: Failed: Source file open failed: No such file or directory \u2014 "
                          + std::filesystem::path(options.sources[0]).filename().string() + "\n"),
              std::string::npos);
}

// Without the encoder library every job would fail alike: the batch stops
// after the first, whose log says where the library was looked for and why.
TEST_F(CliRunnerTest, MissingEncoderLibraryStopsTheBatch)
{
    CliOptions options;
    options.jobs = 1;
    options.sources = {MakeSource("a.mp3", 0.3), MakeSource("b.mp3", 0.3), MakeSource("c.mp3", 0.3)};
    EXPECT_EQ(Run(options, dir.File("no-library-here")), CliRunner::kExitEncoderMissing);
    const auto lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Failed to init lame!"), 1);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("The encoder library liblame_enc.so was looked for in ", 0) == 0;
    }));
    EXPECT_FALSE(std::filesystem::exists(dir.File("b_128.mp3")));
    EXPECT_NE(Text(err).find("0 converted, 1 failed, 0 skipped, 2 not started in "), std::string::npos) << Text(err);
}

TEST_F(CliRunnerTest, InterruptRemovesNothingThatWasThere)
{
    // An old result being replaced, and a device given as the result.
    const std::string keep = dir.File("keep.mp3");
    SyntheticAudio::WriteFile(keep, {1, 2, 3});
    const std::string device = dir.File("null.mp3");
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    for (const std::string& result : {keep, device}) {
        if (result == device && !haveDevice)
            continue;
        SCOPED_TRACE(result);
        CliOptions options;
        options.overwrite = true;
        options.output = result;
        options.sources = {MakeSource("long.mp3", 4.0)};
        control = JobControl::Idle;
        interrupted = false;
        // Raise the stop the way the signal handler does, once the job runs.
        std::thread interrupter([&] {
            while (control.load() != JobControl::Run)
                std::this_thread::yield();
            interrupted = true;
            control = JobControl::Stop;
        });
        const int status = Run(options);
        interrupter.join();
        // The device is refused at once, often before the stop comes.
        EXPECT_TRUE(status == CliRunner::kExitInterrupted || result == device);
    }
    EXPECT_EQ(SyntheticAudio::ReadFile(keep), (std::vector<std::uint8_t>{1, 2, 3}));
    struct stat info { };
    EXPECT_TRUE(!haveDevice || (::stat(device.c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), haveDevice ? 3 : 2);
}

TEST_F(CliRunnerTest, ParallelJobsRunAtOnceEachWithItsLinesInOrder)
{
    CliOptions options;
    options.jobs = 3;
    options.sources
        = {MakeSource("a.mp3", 6.0), MakeSource("b.mp3", 6.0), MakeSource("c.mp3", 6.0), MakeSource("d.mp3", 0.5)};
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 8u);
    std::size_t lastBegin = 0;
    for (const std::string name : {"a", "b", "c", "d"}) {
        const std::size_t begin = IndexOf(lines, dir.File(name + ".mp3") + " convert begin");
        const std::size_t created = IndexOf(lines, dir.File(name + "_128.mp3") + " Created");
        EXPECT_LT(begin, created) << name;
        EXPECT_LT(created, lines.size()) << name;
        EXPECT_EQ(DecodedAudio::FromFile(dir.File(name + "_128.mp3")).sampleRate, 44100);
        if (name != "d")
            lastBegin = std::max(lastBegin, begin);
    }
    // The three long jobs all began before the first of them ended.
    EXPECT_EQ(lastBegin, 2u);
    EXPECT_NE(Text(err).find("4 converted, 0 failed, 0 skipped"), std::string::npos);
}

TEST_F(CliRunnerTest, InterruptStopsEveryRunningJobAndRemovesTheirHalfResults)
{
    CliOptions options;
    options.jobs = 2;
    options.sources = {MakeSource("one.mp3", 30.0), MakeSource("two.mp3", 30.0), MakeSource("three.mp3")};
    std::atomic<int> begun{0};
    onLine = [&](const std::string& line) {
        // Ctrl-C once both jobs run, the way the signal handler raises it.
        if (line.find("convert begin") != std::string::npos && ++begun == 2) {
            interrupted = true;
            control = JobControl::Stop;
        }
    };
    EXPECT_EQ(Run(options), CliRunner::kExitInterrupted);
    for (const char* result : {"one_128.mp3", "two_128.mp3", "three_128.mp3"})
        EXPECT_FALSE(fs::exists(dir.File(result))) << result;
    const auto lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Job Stopped by user"), 2);
    // The third job never started: counted and named as such.
    const std::string errors = Text(err);
    EXPECT_NE(errors.find("0 converted, 2 failed, 0 skipped, 1 not started in "), std::string::npos) << errors;
    EXPECT_NE(errors.find("\nvorlanta-cli: Not started: " + options.sources[2] + "\n"), std::string::npos);
}

TEST_F(CliRunnerTest, FolderSourcesKeepTheirTreeUnderTheResultFolder)
{
    const std::string music = dir.File("Music");
    MakeSource("Music/Artist/Album/02.mp3");
    MakeSource("Music/Artist/Album/01.MP3");
    MakeSource("Music/Single.mp3");
    SyntheticAudio::WriteFile(dir.File("Music/Artist/Album/cover.jpg"), {1, 2, 3});
    CliOptions options;
    options.directory = dir.File("OUT");
    options.sources = {music};
    options.jobs = 1;
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    for (const char* result : {"OUT/Artist/Album/01_128.mp3", "OUT/Artist/Album/02_128.mp3", "OUT/Single_128.mp3"})
        EXPECT_GT(fs::file_size(dir.File(result)), 1000u) << result;
    const auto lines = LogLines();
    EXPECT_LT(IndexOf(lines, music + "/Artist/Album/01.MP3 convert begin"),
              IndexOf(lines, music + "/Artist/Album/02.mp3 convert begin"));

    // Without -d each result goes beside its source; run again, the results
    // of the first run are not taken for sources, and what exists is skipped.
    options.directory.clear();
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_TRUE(fs::exists(dir.File("Music/Artist/Album/01_128.mp3")));
    options.skipExisting = true;
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_FALSE(fs::exists(dir.File("Music/Artist/Album/01_128_128.mp3")));
    const std::string errors = Text(err);
    EXPECT_NE(errors.find("0 converted, 0 failed, 6 skipped"), std::string::npos) << errors;
    EXPECT_NE(LogLines().back().find("exists already: skipped"), std::string::npos);
}

TEST_F(CliRunnerTest, SkipRulesAndResultsThatTwoJobsWouldWrite)
{
    CliOptions options;
    options.skipLower = true;
    options.settings = EncodeSettings::Cbr(112);
    options.directory = dir.File("OUT");
    const std::string low = MakeSource("low.mp3", 1.0, 96);
    const std::string at = MakeSource("at.mp3", 1.0, 112);
    options.sources = {low, at, MakeSource("high.mp3", 1.0, 192)};
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    const auto lines = LogLines();
    EXPECT_LT(IndexOf(lines, low + " is 96 kbit/s, not above 112 kbit/s: skipped"), lines.size());
    EXPECT_LT(IndexOf(lines, at + " is 112 kbit/s, not above 112 kbit/s: skipped"), lines.size());
    EXPECT_FALSE(fs::exists(dir.File("OUT/low_112.mp3")));
    EXPECT_TRUE(fs::exists(dir.File("OUT/high_112.mp3")));
    EXPECT_NE(Text(err).find("1 converted, 0 failed, 2 skipped"), std::string::npos);

    // Two sources of one name would write one result at once: the second is refused.
    options = CliOptions();
    options.directory = dir.File("OUT2");
    options.sources = {MakeSource("x/song.mp3"), MakeSource("y/song.mp3")};
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_EQ(DecodedAudio::FromFile(dir.File("OUT2/song_128.mp3")).sampleRate, 44100);
    EXPECT_NE(Text(err).find("Failed: " + dir.File("OUT2/song_128.mp3") + " is the result of " + options.sources[0]
                             + " already \u2014 " + std::filesystem::path(options.sources[1]).filename().string()),
              std::string::npos);
}

// A name may hold any control character: the job converts and counts as
// converted, whatever its log line looks like once escaped.
TEST_F(CliRunnerTest, NamesWithControlCharactersCountAsConverted)
{
    CliOptions options;
    options.jobs = 2;
    for (const std::string name : {"tab\there", "new\nline", "esc\x1b[2J", "del\x7f", "nel\xc2\x85x"})
        options.sources.push_back(MakeSource(name + ".mp3", 0.3));
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_TRUE(fs::exists(dir.File("tab\there_128.mp3")));
    EXPECT_TRUE(fs::exists(dir.File("nel\xc2\x85x_128.mp3")));
    EXPECT_NE(Text(err).find("5 converted, 0 failed, 0 skipped"), std::string::npos) << Text(err);
    EXPECT_NE(Text(out).find("tab\\there_128.mp3 Created"), std::string::npos);
}

// Names the error stream shows (refusals, failures, interruptions) are
// escaped as in the log: no control character reaches the terminal.
TEST_F(CliRunnerTest, NamesOnTheErrorStreamAreEscaped)
{
    const std::string red = "esc\x1b[31mred";
    SyntheticAudio::WriteFile(dir.File(red + "_128.mp3"), {1});
    CliOptions options;
    options.sources = {MakeSource(red + ".mp3", 0.3), dir.File("title\x1b]0;T\a\nsplit.mp3")};
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    const std::string errors = Text(err);
    EXPECT_EQ(errors.find_first_of("\x1b\a"), std::string::npos) << errors;
    EXPECT_NE(errors.find("esc\\x1b[31mred_128.mp3 exists already, not converted\n"), std::string::npos);
    EXPECT_NE(errors.find(" \u2014 title\\x1b]0;T\\x07\\nsplit.mp3\n"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 4) << errors;  // refusal, summary, two failures
}

// A link as the result is replaced itself, never what it leads to; a
// failed tree leaves no empty folder; an unreadable sub-folder fails the run.
TEST_F(CliRunnerTest, SpecialResultNamesAndFolders)
{
    const std::string source = MakeSource("s.mp3", 0.3);
    const std::string link = dir.File("link.mp3");
    fs::create_symlink(dir.File("gone.mp3"), link);
    CliOptions options;
    options.sources = {source};
    options.output = link;
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_NE(Text(err).find(link + " exists already, a link to a missing file, not converted"), std::string::npos);
    options.overwrite = true;
    EXPECT_EQ(Run(options), CliRunner::kExitConverted);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(dir.File("gone.mp3")));

    options.output = dir.File("newdir/");
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_FALSE(fs::exists(dir.File("newdir")));

    // Every job of the tree fails: none of the folders made for it stays.
    fs::create_directories(dir.File("Music/A/B"));
    SyntheticAudio::WriteFile(dir.File("Music/A/B/noise.mp3"), std::vector<std::uint8_t>(4096, 0x55));
    fs::create_directories(dir.File("Music/Locked"));
    fs::permissions(dir.File("Music/Locked"), fs::perms::none);
    options = CliOptions();
    options.sources = {dir.File("Music")};
    options.directory = dir.File("OUT/new");
    EXPECT_EQ(Run(options), CliRunner::kExitFailed);
    EXPECT_FALSE(fs::exists(dir.File("OUT")));
    // Only a process without the right to read everything meets the locked folder.
    if (::geteuid() != 0) {
        EXPECT_NE(Text(err).find("vorlanta-cli: " + dir.File("Music/Locked") + ": the folder cannot be read\n"),
                  std::string::npos);
    }
    fs::permissions(dir.File("Music/Locked"), fs::perms::owner_all);
}
