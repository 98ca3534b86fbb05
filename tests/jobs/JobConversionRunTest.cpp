// SPDX-License-Identifier: GPL-3.0-or-later
// The job table driving the real conversion: synthesised MP3 sources go in,
// converted files come out, and the table shows each job's road.
#include "jobs/CMyListView.h"

#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"

#include "DecodedAudio.h"
#include "EventWait.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "base/CLogView.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr auto kPass = 20ms;
constexpr auto kJobTimeout = 60000ms;
constexpr double kLongSeconds = 60.0;

class JobConversionRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.Threads().SetPassInterval(kPass);
        table.SetLogView(&log);
        table.SetDeleteQuestion([](const QString&) { return true; });
    }

    // A tone encoded at 128 kbit/s, written to the temporary folder.
    QString MakeSource(const std::string& name, double seconds)
    {
        const std::string path = dir.File(name);
        SyntheticAudio::WriteFile(path, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, seconds)));
        return QString::fromStdString(path);
    }
    QString Out(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

    bool AllDone()
    {
        return WaitUntil([&] { return table.JobCount() == 0 && table.Threads().State().WorkerBusy == 0; }, kJobTimeout);
    }
    bool RunningPastStart()
    {
        return WaitUntil(
            [&] { return table.JobCount() > 0 && table.Status(0).Number() >= 2 && table.Status(0).IsRunning(); },
            kJobTimeout);
    }
    int LogCount(const QString& text) const { return static_cast<int>(log.toPlainText().count(text)); }

    TempDir dir;
    CLogView log;
    CMyListView table;
};

TEST_F(JobConversionRunTest, QueueOfThreeJobsIsConvertedInOrder)
{
    const QString sources[] = {MakeSource("a.mp3", 2.0), MakeSource("b.mp3", 2.0), MakeSource("c.mp3", 2.0)};
    const QString results[] = {Out("a_64.mp3"), Out("b_128.mp3"), Out("c_192.mp3")};
    const int bitrates[] = {64, 128, 192};
    for (int job = 0; job < 3; ++job)
        table.AddJob(sources[job], results[job], bitrates[job]);
    ASSERT_TRUE(AllDone());

    for (int job = 0; job < 3; ++job) {
        SCOPED_TRACE(job);
        const DecodedAudio decoded = DecodedAudio::FromFile(results[job].toStdString());
        ASSERT_TRUE(decoded.ok);
        EXPECT_NEAR(decoded.Seconds(), 2.0, 0.2);
    }
    // One after another, top row first.
    const QString text = log.toPlainText();
    EXPECT_LT(text.indexOf(results[0] + " Created"), text.indexOf(sources[1] + " convert begin"));
    EXPECT_LT(text.indexOf(results[1] + " Created"), text.indexOf(sources[2] + " convert begin"));
    // Each job used its own bitrate.
    const auto size = [](const QString& path) { return std::filesystem::file_size(path.toStdString()); };
    EXPECT_LT(size(results[0]), size(results[1]));
    EXPECT_LT(size(results[1]), size(results[2]));

    EXPECT_EQ(LogCount("convert begin"), 3);
    EXPECT_EQ(LogCount("Created"), 3);
    EXPECT_EQ(table.NextJobId(), 0);
}

TEST_F(JobConversionRunTest, MissingSourceShowsErrThenItsRowLeaves)
{
    const QString missing = Out("missing.mp3");
    const QString good = MakeSource("good.mp3", 1.0);
    table.AddJob(missing, Out("missing_128.mp3"), 128);
    table.AddJob(good, Out("good_128.mp3"), 128);
    ASSERT_TRUE(AllDone());

    EXPECT_EQ(LogCount("Source file open failed"), 1);
    EXPECT_FALSE(std::filesystem::exists(Out("missing_128.mp3").toStdString()));
    EXPECT_TRUE(DecodedAudio::FromFile(Out("good_128.mp3").toStdString()).ok);
    EXPECT_EQ(table.NextJobId(), 1);  // only the converted job gave its number back
}

TEST_F(JobConversionRunTest, DeletedRunningJobStopsShowsEndedThenLeaves)
{
    const QString source = MakeSource("long.mp3", kLongSeconds);
    table.AddJob(source, Out("long_128.mp3"), 128);
    ASSERT_TRUE(RunningPastStart());

    table.selectRow(0);
    table.OnJobDel();
    EXPECT_EQ(table.JobCount(), 1);  // the row stays until the conversion has stopped
    ASSERT_TRUE(AllDone());

    EXPECT_EQ(LogCount("Job Stopped by user"), 1);
    EXPECT_EQ(LogCount("Created"), 0);
    EXPECT_EQ(LogCount(" not converted, nothing written to "), 1);
    EXPECT_FALSE(std::filesystem::exists(Out("long_128.mp3").toStdString()));
    EXPECT_EQ(table.NextJobId(), 0);
}

TEST_F(JobConversionRunTest, RestartConvertsAgainIntoTheNewResult)
{
    const QString source = MakeSource("song.mp3", kLongSeconds);
    table.AddJob(source, Out("first.mp3"), 128);
    ASSERT_TRUE(RunningPastStart());

    table.RequestRestart(table.JobKey(0));
    table.WriteJobCells(0, source, Out("second.mp3"), " 96");
    ASSERT_TRUE(AllDone());

    EXPECT_EQ(LogCount("Job restart by user"), 1);
    const DecodedAudio second = DecodedAudio::FromFile(Out("second.mp3").toStdString());
    ASSERT_TRUE(second.ok);
    EXPECT_NEAR(second.Seconds(), kLongSeconds, 0.2);
    // " 96" was read as 96 kbit/s: the size fits that rate, not 128.
    const double bytes = static_cast<double>(std::filesystem::file_size(Out("second.mp3").toStdString()));
    EXPECT_NEAR(bytes, 96000.0 / 8 * kLongSeconds, 96000.0 / 8 * kLongSeconds * 0.1);
}

TEST_F(JobConversionRunTest, CloseStopsTheRunningConversionAndJoins)
{
    const QString source = MakeSource("long.mp3", kLongSeconds);
    table.AddJob(source, Out("long_128.mp3"), 128);
    table.AddJob(MakeSource("next.mp3", 1.0), Out("next_128.mp3"), 128);
    ASSERT_TRUE(RunningPastStart());
    ASSERT_TRUE(table.ThreadsRunning());

    table.StopThreads(2000ms);
    EXPECT_FALSE(table.ThreadsRunning());
    EXPECT_FALSE(table.Threads().State().SchedulerThread.joinable());
    EXPECT_EQ(table.Threads().WorkerCount(), 0);
    EXPECT_EQ(LogCount("Job Stopped by user"), 1);
    EXPECT_EQ(table.CellText(0, JobColumns::Status), "100%");
    EXPECT_FALSE(std::filesystem::exists(Out("next_128.mp3").toStdString()));
}

// Two conversions at once: both results are whole, each job's lines stand
// in its own order, and no progress line of one job overwrites another's.
TEST_F(JobConversionRunTest, TwoAtOnceKeepEachJobsLinesWholeAndInOrder)
{
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    table.Threads().SetConversionRoutine(
        [&](ConversionHost& host, const JobSpec& job, const std::atomic<int>& control) {
            most = std::max(most.load(), ++running);
            ConversionOutcome result = vorlanta(host, job, control);
            --running;
            return result;
        });
    table.Threads().SetSimultaneousConversions(2);
    const QString sources[] = {MakeSource("a.mp3", 8.0), MakeSource("b.mp3", 8.0)};
    const QString results[] = {Out("a_96.mp3"), Out("b_96.mp3")};
    for (int job = 0; job < 2; ++job)
        table.AddJob(sources[job], results[job], 96);
    ASSERT_TRUE(AllDone());

    EXPECT_EQ(most, 2);
    const QStringList lines = log.toPlainText().split('\n');
    for (int job = 0; job < 2; ++job) {
        SCOPED_TRACE(job);
        EXPECT_TRUE(DecodedAudio::FromFile(results[job].toStdString()).ok);
        const qsizetype begin
            = lines.indexOf(QRegularExpression(".*  " + QRegularExpression::escape(sources[job]) + " convert begin$"));
        const qsizetype created
            = lines.indexOf(QRegularExpression(".*  " + QRegularExpression::escape(results[job]) + " Created$"));
        ASSERT_GE(begin, 0);
        EXPECT_GT(created, begin);
    }
    EXPECT_FALSE(log.toPlainText().contains("BYTEs"));
}

// Slots no waiting job needs go to the job started with them, unless the
// General page's choice is off.
TEST_F(JobConversionRunTest, ALoneJobGetsTheFreeSlotsAsEncoderThreads)
{
    std::vector<int> threads;
    std::mutex mutex;
    table.Threads().SetConversionRoutine(
        [&](ConversionHost& host, const JobSpec& job, const std::atomic<int>& control) {
            {
                const std::lock_guard lock(mutex);
                threads.push_back(host.encoderThreads);
            }
            return vorlanta(host, job, control);
        });
    table.Threads().SetSimultaneousConversions(3);
    table.AddJob(MakeSource("alone.mp3", 2.0), Out("alone_96.mp3"), 96);
    ASSERT_TRUE(AllDone());
    table.Threads().SetSplitLongSources(false);
    table.AddJob(MakeSource("single.mp3", 2.0), Out("single_96.mp3"), 96);
    ASSERT_TRUE(AllDone());
    EXPECT_EQ(threads, (std::vector<int>{3, 1}));
}

}  // namespace
