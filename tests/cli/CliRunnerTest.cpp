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
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

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

    std::string MakeSource(const std::string& name, double seconds = 1.0)
    {
        const std::string path = dir.File(name);
        SyntheticAudio::WriteFile(path, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, seconds)));
        return path;
    }

    int Run(const CliOptions& options)
    {
        ConsoleLog log(out, false);
        ConsolePrompt prompt(err);
        CliRunner runner(options, log, prompt, RecordingHost::ProgramFolder(), err);
        return runner.Run(control, interrupted);
    }
};

}  // namespace

TEST_F(CliRunnerTest, ConvertsEverySourceAndPrintsOnlyLinesThatStay)
{
    CliOptions options;
    options.bitrate = 64;
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
    EXPECT_NE(Text(err).find("1 converted, 1 failed"), std::string::npos);
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
    struct stat info {};
    EXPECT_TRUE(!haveDevice || (::stat(device.c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), haveDevice ? 3 : 2);
}
