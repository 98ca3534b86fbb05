// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleLog.h"

#include "cli/BatchProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::string Contents(std::FILE* stream)
{
    std::fflush(stream);
    std::rewind(stream);
    std::string out;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        out.append(buffer, got);
    return out;
}

}  // namespace

TEST(ConsoleLog, TerminalKeepsOneBatchProgressLineBelowTheLines)
{
    std::FILE* stream = std::tmpfile();
    {
        ConsoleLog log(stream, true);
        log.showmessage("begin\r\n");
        log.SetProgress("0/2 files done", 37);
        log.showmessage("417 BYTEs Read\r");  // a job's own progress line is not shown
        log.showmessage("done\r\n");
        log.Finish();
    }
    const std::string out = Contents(stream);
    std::fclose(stream);
    EXPECT_EQ(out.find("BYTEs"), std::string::npos);
    const std::size_t progress = out.find("0/2 files done  [########................] 37%");
    ASSERT_NE(progress, std::string::npos);
    // Wiped before the next line, drawn again below it, wiped at the end.
    const std::size_t done = out.find("done\n");
    EXPECT_LT(progress, done);
    EXPECT_LT(out.rfind("\r\033[K", done), done);
    EXPECT_NE(out.find("0/2 files done", done), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 4), "\r\033[K");
}

TEST(ConsoleLog, PipeGetsWholeLinesInEachJobsOrder)
{
    std::FILE* stream = std::tmpfile();
    {
        ConsoleLog log(stream, false);
        log.SetProgress("1/2 files done", 50);
        std::vector<std::thread> jobs;
        for (int job = 0; job < 4; ++job) {
            jobs.emplace_back([&log, job] {
                for (int line = 0; line < 300; ++line) {
                    log.showmessage("job " + std::to_string(job) + " line " + std::to_string(line) + "\r\n");
                    log.showmessage("417 BYTEs Read\r");
                }
            });
        }
        for (auto& thread : jobs)
            thread.join();
        log.Finish();
    }
    std::istringstream lines(Contents(stream));
    std::fclose(stream);
    const std::regex whole(R"(\d\d:\d\d:\d\d    job (\d) line (\d+))");
    std::vector<int> next(4, 0);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, whole)) << line;
        const int job = std::stoi(match[1]);
        EXPECT_EQ(std::stoi(match[2]), next[static_cast<std::size_t>(job)]++);
        ++count;
    }
    EXPECT_EQ(count, 4 * 300);
}

TEST(BatchProgress, WeighsJobsBySizeAndLeavesSkippedOnesOut)
{
    BatchProgress progress({100, 300});
    EXPECT_EQ(progress.Text(), "0/2 files done");
    EXPECT_TRUE(progress.SetPercent(1, 50));
    EXPECT_EQ(progress.Percent(), 37);
    EXPECT_FALSE(progress.SetPercent(1, 50));
    progress.Ended(0, true);
    EXPECT_EQ(progress.Percent(), 50);
    EXPECT_EQ(progress.Text().substr(0, 14), "1/2 files done");
    progress.Ended(1, false);
    EXPECT_EQ(progress.Percent(), 100);
    EXPECT_EQ(progress.Text(), "2/2 files done");
}

// A log that cannot be written (a full disk, /dev/full) is told, so the
// exit status can say so.
TEST(ConsoleLog, FailedWritesAreReported)
{
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    ConsoleLog log(full, false);
    EXPECT_EQ(log.WriteFailure(), "");
    log.showmessage("a line\r\n");
    log.Finish();
    EXPECT_EQ(log.WriteFailure(), "No space left on device");
    std::fclose(full);
}
