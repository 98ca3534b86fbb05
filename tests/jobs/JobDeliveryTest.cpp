// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CMyListView.h"
#include "jobs/LogViewActivityLog.h"
#include "jobs/MessageBoxPrompt.h"
#include "jobs/QueuedJobAccess.h"
#include "jobs/UiThreadCall.h"

#include "EventWait.h"
#include "StatusRecorder.h"
#include "base/CLogView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

// True when the job thread's work finished while the UI thread handled no
// events at all. Otherwise the window serves it afterwards (so the test can
// end) and the answer is false.
bool FinishesWithoutTheWindow(std::future<void>& work)
{
    if (work.wait_for(10s) == std::future_status::ready)
        return true;
    WaitUntil([&] { return work.wait_for(0s) == std::future_status::ready; });
    return false;
}

bool FinishesWithTheWindow(std::future<void>& work)
{
    return WaitUntil([&] { return work.wait_for(0s) == std::future_status::ready; });
}

// A table whose first job has been handed to a worker, with no job threads
// of its own: the test plays the worker.
class TableDeliveryTest : public ::testing::Test {
protected:
    // Two waiting jobs; no scheduler will ever start.
    static JobQueue::JobRef FirstOfTwoJobs(CMyListView& table)
    {
        table.StopThreads(0ms);
        table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
        table.AddJob("/in/b.mp3", "/out/b.mp3", 128);
        return table.Queue().At(0);
    }

    CMyListView table;
    QueuedJobAccess access{table.Queue(), FirstOfTwoJobs(table)};
    StatusRecorder recorder{table};
};

TEST_F(TableDeliveryTest, WorkersReadAndWriteTheirJobWithoutWaitingAndOnlyTheNewestStatusIsShown)
{
    table.WriteJobCells(0, "/in/new.mp3", "/out/new.mp3", " 96");
    JobSpec job;
    auto work = std::async(std::launch::async, [&] {
        job = access.Spec();
        for (int percent = 2; percent <= 100; ++percent)
            access.SetStatus(std::to_string(percent) + "%");
    });
    ASSERT_TRUE(FinishesWithoutTheWindow(work));
    EXPECT_EQ(job, (JobSpec{"/in/new.mp3", "/out/new.mp3", EncodeSettings::Cbr(96)}));
    EXPECT_EQ(table.CellText(0, JobColumns::Status), "100%");
    recorder.Clear();
    ASSERT_TRUE(WaitUntil([&] { return !recorder.Entries().empty(); }));
    HandleEventsFor(250ms);
    EXPECT_EQ(recorder.StatusesOf("/in/new.mp3"), std::vector<QString>{"100%"});
    EXPECT_EQ(table.CellText(1, JobColumns::Status), "0");
}

TEST_F(TableDeliveryTest, StatusOfADeletedJobGoesNowhere)
{
    table.SetCellText(0, JobColumns::Status, "100%");
    table.selectRow(0);
    table.OnJobDel();  // an ended job is deleted at once
    ASSERT_EQ(table.JobCount(), 1);

    auto work = std::async(std::launch::async, [&] { access.SetStatus("100%"); });
    ASSERT_TRUE(FinishesWithTheWindow(work));
    HandleEventsFor(250ms);
    // The waiting job that moved up is not mistaken for the ended one.
    EXPECT_EQ(table.CellText(0, JobColumns::SourceFile), "/in/b.mp3");
    EXPECT_EQ(table.CellText(0, JobColumns::Status), "0");
}

TEST(LogDeliveryTest, ProgressLinesNotYetShownGiveWayToTheNextLine)
{
    UiThreadCall ui;
    LogViewActivityLog log(ui);
    std::vector<std::string> shown;
    log.SetSink([&](const QString& line) { shown.push_back(line.toStdString()); });

    auto work = std::async(std::launch::async, [&] {
        log.showmessage("a.mp3 convert begin\r\n");
        for (int frame = 0; frame < 500; ++frame)
            log.showmessage(std::to_string(417 + frame % 2) + " BYTEs Read\r");
        log.showmessage("Error!Source File small than one Frame!\n");
        log.showmessage("4608 PCM data created, 417 Mp3 data created\r");
        log.showmessage("b.mp3 Created\r\n");
        log.showmessage("0 BYTEs Write\r");
    });
    ASSERT_TRUE(FinishesWithoutTheWindow(work));
    ASSERT_TRUE(WaitUntil([&] { return shown.size() >= 4; }));
    HandleEventsFor(20ms);
    const std::vector<std::string> expected{"a.mp3 convert begin\r\n", "Error!Source File small than one Frame!\n",
                                            "b.mp3 Created\r\n", "0 BYTEs Write\r"};
    EXPECT_EQ(shown, expected);
}

TEST(LogDeliveryTest, LogViewShowsTheSameTextAsWithEveryLineAppended)
{
    const auto fixedTime = [] { return QTime(9, 5, 7); };
    CLogView delivered;
    CLogView direct;
    delivered.SetTimeSource(fixedTime);
    direct.SetTimeSource(fixedTime);
    UiThreadCall ui;
    LogViewActivityLog log(ui);
    log.SetView(&delivered);

    std::vector<std::string> lines;
    for (int job = 0; job < 3; ++job) {
        lines.push_back("job" + std::to_string(job) + " convert begin\r\n");
        for (int frame = 0; frame < 300; ++frame) {
            lines.push_back(std::to_string(frame) + " BYTEs Read\r");
            lines.push_back("4608 PCM data created, " + std::to_string(frame) + " Mp3 data created\r");
        }
        lines.push_back(job == 1 ? "Job Stopped by user\r\n" : "job Created\r\n");
    }
    // The window serves the thread while it writes, so lines arrive in
    // batches of any size.
    auto work = std::async(std::launch::async, [&] {
        for (const std::string& line : lines)
            log.showmessage(line);
    });
    ASSERT_TRUE(FinishesWithTheWindow(work));
    HandleEventsFor(20ms);
    for (const std::string& line : lines)
        direct.AppendLine(QString::fromStdString(line));
    EXPECT_EQ(delivered.toPlainText(), direct.toPlainText());
    EXPECT_TRUE(delivered.toPlainText().contains("Job Stopped by user"));
}

TEST(PromptDeliveryTest, MessageIsShownModallyByTheWindowWhileTheWorkerWaits)
{
    UiThreadCall ui;
    MessageBoxPrompt prompt(ui);
    std::atomic<bool> returned{false};
    auto work = std::async(std::launch::async, [&] {
        prompt.MessageBox("Init Lame Encoder Error!");
        returned = true;
    });

    // The box runs its own modal loop; the test looks at it from a timer
    // that fires inside that loop, and answers after a few looks.
    QString text;
    bool modal = false;
    bool onUiThread = false;
    bool workerWaited = false;
    int looks = 0;
    QTimer look;
    look.setInterval(5);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        text = box->text();
        modal = box->isModal();
        onUiThread = box->thread() == QApplication::instance()->thread();
        if (++looks < 5)
            return;
        workerWaited = !returned;
        box->button(QMessageBox::Ok)->click();
    });
    look.start();
    ASSERT_TRUE(FinishesWithTheWindow(work));
    EXPECT_EQ(text, "Init Lame Encoder Error!");
    EXPECT_TRUE(modal);
    EXPECT_TRUE(onUiThread);
    EXPECT_TRUE(workerWaited);
    EXPECT_TRUE(returned);
}

TEST(PromptDeliveryTest, QuietPromptShowsNothing)
{
    UiThreadCall ui;
    MessageBoxPrompt prompt(ui);
    prompt.SetQuiet(true);
    auto work = std::async(std::launch::async, [&] { prompt.MessageBox("Init Lame Encoder Error!"); });
    ASSERT_TRUE(FinishesWithoutTheWindow(work));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(UiThreadCallTest, CancelReleasesAWaitingThreadAndTheCallNeverRuns)
{
    UiThreadCall ui;
    std::atomic<bool> ran{false};
    std::atomic<bool> answered{true};
    auto work = std::async(std::launch::async, [&] { answered = ui.Run([&] { ran = true; }); });
    // The call waits for the window; the window cancels instead of serving.
    ASSERT_EQ(work.wait_for(50ms), std::future_status::timeout);
    ui.Cancel();
    ASSERT_EQ(work.wait_for(10s), std::future_status::ready);
    HandleEventsFor(20ms);
    EXPECT_FALSE(answered);
    EXPECT_FALSE(ran);
    // Later calls are refused at once.
    EXPECT_FALSE(ui.Run([&] { ran = true; }));
    EXPECT_FALSE(ran);
}

TEST(UiThreadCallTest, CallsFromAThreadRunOnTheWindowThreadInOrder)
{
    UiThreadCall ui;
    std::vector<int> order;
    std::vector<bool> onUiThread;
    const auto record = [&](int step) {
        order.push_back(step);
        onUiThread.push_back(QThread::currentThread() == QApplication::instance()->thread());
    };
    auto work = std::async(std::launch::async, [&] {
        ui.Post([&] { record(1); });
        ui.Post([&] { record(2); });
        ui.Run([&] { record(3); });
    });
    ASSERT_TRUE(FinishesWithTheWindow(work));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(onUiThread, (std::vector<bool>{true, true, true}));
}

}  // namespace
