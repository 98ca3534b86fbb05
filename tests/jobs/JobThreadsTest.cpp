// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CMyListView.h"

#include "EventWait.h"
#include "ScriptedConversion.h"
#include "base/CLogView.h"
#include "convert/JobConversion.h"

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

constexpr auto kPass = 20ms;

class JobThreadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.Threads().SetPassInterval(kPass);
        table.Threads().SetConversionRoutine(script.Routine());
    }

    JobThreadState& State() { return table.Threads().State(); }
    QString Status(int row) const { return table.CellText(row, JobColumns::Status); }
    bool RunningWith(const std::string& source)
    {
        return script.Running() == 1 && !script.Calls().empty() && script.Calls().back().source == source;
    }

    ScriptedConversion script;  // outlives the table and its threads
    CMyListView table;
};

TEST_F(JobThreadsTest, EmptyTableOnlySleeps)
{
    table.OnCommand(40017);  // the Add command starts the scheduler, nothing is added
    HandleEventsFor(10 * kPass);
    EXPECT_TRUE(table.ThreadsRunning());
    EXPECT_EQ(script.CallCount(), 0u);
    EXPECT_EQ(State().WorkerBusy, 0);
}

TEST_F(JobThreadsTest, SchedulerStartsOnceForTwoRowsInsertedTogether)
{
    table.AddJob("a", "a.out", 128);
    table.AddJob("b", "b.out", 128);
    EXPECT_EQ(State().SchedulerRunning, 1);
    EXPECT_FALSE(table.Threads().StartScheduler());  // already running

    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    const auto calls = script.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].source, "a");
    EXPECT_EQ(calls[1].source, "b");
    EXPECT_EQ(script.MaxConcurrent(), 1);
}

TEST_F(JobThreadsTest, WorkerWritesStartedThenEndedAndTheRowLeaves)
{
    script.Hold("a");
    table.AddJob("a", "a.out", 160);
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == ScriptedConversion::kProgress; }));
    EXPECT_EQ(State().WorkerBusy, 1);
    EXPECT_EQ(table.ControlWord(0), 0);  // set by the scheduler before the start
    EXPECT_EQ(script.Calls().at(0).result, "a.out");
    EXPECT_EQ(script.Calls().at(0).settings, EncodeSettings::Cbr(160));

    State().SchedulingPaused = 1;  // the ended row stays in view
    script.Release("a");
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == "100%" && State().WorkerBusy == 0; }));
    EXPECT_EQ(table.NextJobId(), 1);
    State().SchedulingPaused = 0;
    table.Threads().WakeScheduler();
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    EXPECT_EQ(table.NextJobId(), 0);  // lowered when the ended row was removed
}

TEST_F(JobThreadsTest, ThreeJobsThenTheNextJobIsNumberedTwoAgain)
{
    script.Hold("b");
    EXPECT_EQ(table.AddJob("a", "a.out", 128), 0);
    EXPECT_EQ(table.AddJob("b", "b.out", 128), 1);
    EXPECT_EQ(table.AddJob("c", "c.out", 128), 2);
    ASSERT_TRUE(WaitUntil([&] { return RunningWith("b"); }));
    ASSERT_EQ(table.JobCount(), 2);

    EXPECT_EQ(table.NextJobId(), 2);
    EXPECT_EQ(table.AddJob("d", "d.out", 128), 2);
    EXPECT_EQ(table.CellText(1, JobColumns::JobId), "2");
    EXPECT_EQ(table.CellText(2, JobColumns::JobId), "2");
    script.Release("b");
}

TEST_F(JobThreadsTest, FailedJobShowsErrThenLeavesWithoutCounting)
{
    script.SetResult("bad", ConversionOutcome::Kind::Failed);
    script.Hold("next");
    table.AddJob("bad", "bad.out", 128);
    table.AddJob("next", "next.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return RunningWith("next"); }));

    EXPECT_EQ(table.JobCount(), 1);
    EXPECT_EQ(table.NextJobId(), 2);  // an "ERR" row is removed without lowering the counter
    script.Release("next");
}

// A missing encoder library fails every job alike: the first such outcome
// holds the rest, one line says what to do, and they start once it loads.
TEST_F(JobThreadsTest, MissingEncoderLibraryHoldsTheWaitingJobsUntilItLoads)
{
    CLogView log;
    table.SetLogView(&log);
    std::atomic<bool> installed{false};
    table.Threads().SetEncoderCheck(
        [&installed] { return installed ? std::string() : std::string("liblame_enc.so was looked for in /x"); });
    script.SetResult("first", ConversionOutcome::Kind::EncoderMissing);
    table.AddJob("first", "1.out", 128);
    table.AddJob("second", "2.out", 128);
    table.AddJob("third", "3.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 2; }));  // the failed row left
    HandleEventsFor(10 * kPass);
    EXPECT_EQ(script.CallCount(), 1u);
    EXPECT_EQ(Status(0), "0");
    EXPECT_EQ(Status(1), "0");
    EXPECT_TRUE(table.Threads().EncoderMissing());
    const QString text = log.toPlainText();
    EXPECT_EQ(text.count("no further job starts"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("liblame_enc.so could not be loaded, so no further job starts: install LAME"));

    installed = true;
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    EXPECT_EQ(script.CallCount(), 3u);
    EXPECT_TRUE(log.toPlainText().contains("The encoder library loads now"));
}

TEST_F(JobThreadsTest, FirstRowIsReadByTheThreeCharacterRule)
{
    State().SchedulingPaused = 1;
    script.Hold("held");
    table.AddJob("ended", "1.out", 128);
    table.AddJob("failed", "2.out", 128);
    table.AddJob("lower", "3.out", 128);
    table.AddJob("held", "4.out", 128);
    table.SetCellText(0, JobColumns::Status, "100%");
    table.SetCellText(1, JobColumns::Status, "ERR");
    table.SetCellText(2, JobColumns::Status, "err");
    State().SchedulingPaused = 0;

    ASSERT_TRUE(WaitUntil([&] { return RunningWith("held"); }));
    const auto calls = script.Calls();
    // "100%" and "ERR" were removed unconverted; "err" is not a failure and counts as waiting.
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].source, "lower");
    EXPECT_EQ(calls[1].source, "held");
    EXPECT_EQ(table.JobCount(), 1);
    // Lowered twice: for the "100%" row and for the converted "err" row.
    EXPECT_EQ(table.NextJobId(), 2);
    script.Release("held");
}

TEST_F(JobThreadsTest, NothingIsStartedOrRemovedWhileSchedulingIsPaused)
{
    State().SchedulingPaused = 1;
    table.AddJob("a", "a.out", 128);
    table.AddJob("b", "b.out", 128);
    table.SetCellText(0, JobColumns::Status, "ERR");
    HandleEventsFor(10 * kPass);
    EXPECT_EQ(table.JobCount(), 2);
    EXPECT_EQ(script.CallCount(), 0u);

    State().SchedulingPaused = 0;
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    ASSERT_EQ(script.CallCount(), 1u);
    EXPECT_EQ(script.Calls()[0].source, "b");
}

TEST_F(JobThreadsTest, DeleteOfRunningJobStopsItThenTheRowLeaves)
{
    table.SetDeleteQuestion([](const QString&) { return true; });
    script.Hold("a");
    table.AddJob("a", "a.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == ScriptedConversion::kProgress; }));

    table.selectRow(0);
    table.OnJobDel();
    EXPECT_EQ(table.ControlWord(0), 1);
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    EXPECT_EQ(script.EndControls(), std::vector<int>{1});
    EXPECT_EQ(table.NextJobId(), 0);
}

TEST_F(JobThreadsTest, DeleteOfWaitingJobLeavesTheRunningJobAlone)
{
    int asked = 0;
    table.SetDeleteQuestion([&](const QString&) { return ++asked > 0; });
    script.Hold("a");
    table.AddJob("a", "a.out", 128);
    table.AddJob("b", "b.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return RunningWith("a"); }));

    table.selectRow(1);
    table.OnJobDel();
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(table.CellText(0, JobColumns::SourceFile), "a");
    EXPECT_EQ(table.ControlWord(0), 0);

    script.Release("a");
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
    EXPECT_EQ(script.CallCount(), 1u);  // "b" never ran
}

TEST_F(JobThreadsTest, RestartRunsTheJobAgainWithTheNewCells)
{
    script.Hold("a");
    table.AddJob("a", "a.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == ScriptedConversion::kProgress; }));

    script.Hold("a2");
    table.RequestRestart(table.JobKey(0));
    table.WriteJobCells(0, "a2", "a2.out", " 96");
    ASSERT_TRUE(WaitUntil([&] { return RunningWith("a2"); }));

    const auto calls = script.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].result, "a2.out");
    EXPECT_EQ(calls[1].settings.bitrate, 96);  // the cell " 96" read as atol reads it
    EXPECT_EQ(script.EndControls().at(0), 2);
    EXPECT_EQ(table.ControlWord(0), 0);  // set back by the scheduler
    // The row stayed and started again.
    EXPECT_EQ(table.JobCount(), 1);
    script.Release("a2");
}

TEST_F(JobThreadsTest, RestartWaitsWhileThePropertySheetIsOpen)
{
    script.Hold("a");
    table.AddJob("a", "a.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == ScriptedConversion::kProgress; }));

    State().SchedulingPaused = 1;  // the sheet is open
    table.RequestRestart(table.JobKey(0));
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == "0" && State().WorkerBusy == 0; }));
    HandleEventsFor(10 * kPass);
    EXPECT_EQ(script.CallCount(), 1u);

    State().SchedulingPaused = 0;  // the sheet is closed
    ASSERT_TRUE(WaitUntil([&] { return script.CallCount() == 2u; }));
    script.Release("a");
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0; }));
}

TEST_F(JobThreadsTest, StopThreadsWithNothingStartedReturnsAtOnce)
{
    EXPECT_FALSE(table.ThreadsRunning());
    table.StopThreads(2000ms);
    EXPECT_FALSE(table.ThreadsRunning());
    EXPECT_FALSE(State().SchedulerThread.joinable());
}

TEST_F(JobThreadsTest, StopThreadsStopsTheJobAndJoinsBothThreads)
{
    script.Hold("a");
    table.AddJob("a", "a.out", 128);
    table.AddJob("b", "b.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return Status(0) == ScriptedConversion::kProgress; }));
    ASSERT_TRUE(table.ThreadsRunning());

    table.StopThreads(2000ms);
    EXPECT_FALSE(table.ThreadsRunning());
    EXPECT_FALSE(State().SchedulerThread.joinable());
    EXPECT_EQ(table.Threads().WorkerCount(), 0);
    EXPECT_EQ(script.EndControls(), std::vector<int>{1});
    EXPECT_EQ(Status(0), "100%");  // the worker's final write still arrived
    EXPECT_EQ(script.CallCount(), 1u);

    // Once stopped, nothing starts again.
    table.AddJob("c", "c.out", 128);
    HandleEventsFor(5 * kPass);
    EXPECT_FALSE(table.ThreadsRunning());
    EXPECT_EQ(script.CallCount(), 1u);
}

TEST_F(JobThreadsTest, DeleteQuestionOutlivingItsJobStopsNoOtherJob)
{
    script.Hold("a");
    script.Hold("b");
    table.AddJob("a", "a.out", 128);
    table.AddJob("b", "b.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return RunningWith("a"); }));
    // The question stays open while its job ends and the next one starts.
    table.SetDeleteQuestion([&](const QString&) {
        script.Release("a");
        EXPECT_TRUE(WaitUntil([&] { return RunningWith("b") && table.JobCount() == 1; }));
        return true;
    });
    table.selectRow(0);
    table.OnJobDel();

    EXPECT_EQ(table.CellText(0, JobColumns::SourceFile), "b");
    EXPECT_EQ(table.ControlWord(0), 0);
    HandleEventsFor(5 * kPass);
    EXPECT_TRUE(RunningWith("b"));
    script.Release("b");
}

// With several simultaneous conversions: the first N waiting jobs run at
// once; Delete and Property act on the selected job only; close stops and
// joins every worker.
TEST_F(JobThreadsTest, SeveralWorkersRunTheFirstJobsAndEachIsStoppedOrRestartedAlone)
{
    table.Threads().SetSimultaneousConversions(2);
    table.SetDeleteQuestion([](const QString&) { return true; });
    for (const char* source : {"a", "b", "c", "d"}) {
        script.Hold(source);
        table.AddJob(source, QString(source) + ".out", 128);
    }
    ASSERT_TRUE(WaitUntil([&] { return script.Running() == 2 && Status(0) == "37%" && Status(1) == "37%"; }));
    EXPECT_EQ(Status(2), "0");
    EXPECT_EQ(Status(3), "0");

    table.selectRow(1);  // "b"
    table.OnJobDel();
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 3 && Status(1) == "37%"; }));
    EXPECT_EQ(table.CellText(1, JobColumns::SourceFile), "c");
    EXPECT_EQ(table.ControlWord(0), 0);  // "a" went on

    script.Hold("a2");
    table.RequestRestart(table.JobKey(0));
    table.WriteJobCells(0, "a2", "a2.out", "128");
    ASSERT_TRUE(WaitUntil([&] { return script.CallCount() == 4u && script.Running() == 2; }));
    EXPECT_EQ(script.Calls()[3].source, "a2");
    EXPECT_EQ(Status(2), "0");  // "d" still waits
    EXPECT_EQ(script.MaxConcurrent(), 2);
    EXPECT_EQ(table.Threads().WorkerCount(), 2);

    table.StopThreads(2000ms);
    EXPECT_FALSE(table.ThreadsRunning());
    EXPECT_EQ(table.Threads().WorkerCount(), 0);
    EXPECT_EQ(script.Running(), 0);
    EXPECT_EQ(script.EndControls(), (std::vector<int>{1, 2, 1, 1}));  // b stopped, a restarted, then both stopped
    EXPECT_EQ(script.CallCount(), 4u);
}

// The scheduler passes when a job is added or ends, not only once a pass
// interval: a batch does not wait between its jobs.
TEST(JobThreadsWakeTest, JobsFollowOneAnotherWithoutWaitingForThePassInterval)
{
    ScriptedConversion script;
    CMyListView table;
    table.Threads().SetPassInterval(60s);
    table.Threads().SetConversionRoutine(script.Routine());
    script.SetResult("b", ConversionOutcome::Kind::Failed);
    for (const char* source : {"a", "b", "c"})
        table.AddJob(source, QString(source) + ".out", 128);
    EXPECT_TRUE(WaitUntil([&] { return table.JobCount() == 0 && script.CallCount() == 3; }, 5s));
    EXPECT_EQ(table.NextJobId(), 1);  // lowered for "a" and "c", not for the failed "b"
}

TEST(JobThreadsLifetimeTest, DestroyingTheTableStopsAndJoinsRunningThreads)
{
    ScriptedConversion script;
    script.Hold("a");
    auto table = std::make_unique<CMyListView>();
    table->Threads().SetPassInterval(kPass);
    table->Threads().SetConversionRoutine(script.Routine());
    table->AddJob("a", "a.out", 128);
    ASSERT_TRUE(WaitUntil([&] { return script.Running() == 1; }));

    table.reset();
    EXPECT_EQ(script.Running(), 0);
    EXPECT_EQ(script.EndControls(), std::vector<int>{1});
}

}  // namespace
