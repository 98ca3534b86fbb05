// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventWait.h"
#include "FrameTestKit.h"
#include "JobDialogKit.h"
#include "ScriptedConversion.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "base/CLogView.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"
#include "window/CMainFrame.h"
#include "window/JobCommands.h"
#include "window/KeptJobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

void WriteMp3(const QString& path, int bitrate)
{
    SyntheticAudio::Mp3Options options;
    options.bitrate = bitrate;
    SyntheticAudio::WriteFile(path.toStdString(),
                              SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.5), options));
}

struct Frame {
    DefaultsInTempDir env{"/music", "c", "128"};
    CMainFrame frame;

    explicit Frame(bool skipLower = false, bool keepJobs = false)
    {
        frame.JobTable()->Threads().SetPassInterval(10ms);
        frame.SetExitQuestion([](const QString&) { return true; });
        env.defaults.Settings().SkipLowerSources = skipLower;
        env.defaults.Settings().KeepUnfinishedJobs = keepJobs;
        frame.SetUserDefaults(&env.defaults);
        // As at start-up: the kept jobs are offered before they are kept again.
        if (!keepJobs)
            frame.ApplySettings();
    }
    CMyListView& Table() { return *frame.JobTable(); }
    QString Log() const { return frame.LogView()->toPlainText(); }
    QString Status() const { return frame.IdleLabel()->text(); }
};

void MakeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    SyntheticAudio::WriteFile(path.toStdString(), {'I', 'D', '3'});
}

}  // namespace

// When the queue runs empty the log says what the batch came to, then lists
// each failed job with its source and reason; the status bar shows the same
// summary until the next batch has its own. A source already at or below
// the job's bitrate is skipped, not failed; a result folder that does not
// exist yet is made.
TEST(BatchTest, EmptyQueueReportsSummaryFailuresAndSkippedSources)
{
    Frame f(true);
    const QString folder = f.env.folder;
    WriteMp3(folder + "/high.mp3", 192);
    WriteMp3(folder + "/low.mp3", 96);
    SyntheticAudio::WriteFile((folder + "/noise.mp3").toStdString(), std::vector<std::uint8_t>(5000, 0x55));
    f.Table().AddJob(folder + "/high.mp3", folder + "/OUT/Album/high_128.mp3", 128);
    f.Table().AddJob(folder + "/low.mp3", folder + "/low_128.mp3", 128);
    f.Table().AddJob(folder + "/noise.mp3", folder + "/noise_128.mp3", 128);

    ASSERT_TRUE(WaitUntil([&] { return f.Log().contains(" converted, "); }, 30s)) << f.Log().toStdString();
    const QString log = f.Log();
    EXPECT_TRUE(log.contains(folder + "/low.mp3 is 96 kbit/s, not above 128 kbit/s: skipped"));
    const QStringList lines = log.split('\n');
    const qsizetype summary = lines.indexOf(QRegularExpression(".*1 converted, 1 failed, 1 skipped in .*"));
    ASSERT_GE(summary, 0) << log.toStdString();
    ASSERT_GT(lines.size(), summary + 1);
    EXPECT_TRUE(lines[summary + 1].contains("Failed: ")
                && lines[summary + 1].contains(QString::fromUtf8(" \u2014 noise.mp3"))
                && !lines[summary + 1].contains(folder))
        << lines[summary + 1].toStdString();
    EXPECT_TRUE(f.Status().startsWith("1 converted, 1 failed, 1 skipped in ")) << f.Status().toStdString();
    EXPECT_TRUE(QFile::exists(folder + "/OUT/Album/high_128.mp3"));
    EXPECT_FALSE(QFile::exists(folder + "/low_128.mp3"));

    // The next batch is counted on its own.
    f.Table().AddJob(folder + "/high.mp3", folder + "/again_128.mp3", 128);
    ASSERT_TRUE(WaitUntil([&] { return f.Status().startsWith("1 converted, 0 failed, 0 skipped"); }, 30s))
        << f.Status().toStdString();
}

// With "Keep unfinished jobs" on, the jobs still waiting when the window
// closes come back at the next start after one question, in their order and
// with their bitrates; declined, they are gone. A damaged file yields no
// jobs, a message, and is kept aside.
TEST(BatchTest, UnfinishedJobsComeBackAtTheNextStart)
{
    DataHome home;
    QString asked;
    const auto yes = [&](const QString& question, const QString&) {
        asked = question;
        return true;
    };
    {
        Frame first(false, true);
        first.frame.ApplySettings();
        first.Table().Threads().State().SchedulingPaused = 1;  // the jobs stay waiting
        first.Table().AddJob("/m/a.mp3", "/o/a_96.mp3", 96);
        first.Table().AddJob("/m/b.mp3", "/o/b_128.mp3", 128);
        first.Table().AddJob("/m/c.mp3", "/o/c_320.mp3", 320);
        // Saved as they change, before any close.
        ASSERT_TRUE(
            WaitUntil([&] { return KeptJobsStore(QFileInfo(home.JobsFile()).path()).Load().jobs.size() == 3; }, 5s));
        EXPECT_TRUE(first.frame.CloseRequest());
    }
    {
        Frame second(false, true);
        EXPECT_EQ(second.frame.KeptJobsKeeper()->OfferBack({yes, {}}), 3);
        EXPECT_EQ(asked, QString("Resume 3 waiting jobs?"));
        ASSERT_EQ(second.Table().JobCount(), 3);
        EXPECT_EQ(second.Table().CellText(2, JobColumns::SourceFile), "/m/c.mp3");
        EXPECT_EQ(second.Table().CellText(2, JobColumns::Bitrate), "320");
    }
    {
        Frame declined(false, true);
        EXPECT_EQ(
            declined.frame.KeptJobsKeeper()->OfferBack({[](const QString&, const QString&) { return false; }, {}}), 0);
        EXPECT_FALSE(QFile::exists(home.JobsFile()));
    }
    QDir().mkpath(QFileInfo(home.JobsFile()).path());
    SyntheticAudio::WriteFile(home.JobsFile().toStdString(), {'{', '"', 'j'});
    Frame damaged(false, true);
    QString shown;
    EXPECT_EQ(damaged.frame.KeptJobsKeeper()->OfferBack({yes, [&](const QString& text) { shown = text; }}), 0);
    EXPECT_TRUE(shown.contains(home.JobsFile() + ".damaged-")) << shown.toStdString();
    EXPECT_TRUE(WaitUntil([&] { return damaged.Log().contains("could not be read"); }, 5s));
    EXPECT_EQ(damaged.Table().JobCount(), 0);
}

// One add operation is one batch, however long its questions stand open:
// one summary when its last job ends, every source counted once (results
// kept after "No to all" as skipped, a job stopped with Delete as stopped),
// and its time is the time spent converting, not the time the question
// stood open with nothing to convert.
TEST(BatchTest, ABatchIsCountedOnceWholeAndByItsConvertingTime)
{
    ScriptedConversion script;  // outlives the frame's threads
    Frame f;
    f.Table().Threads().SetConversionRoutine(script.Routine());
    const QString music = f.env.folder + "/Music";
    const QString out = f.env.folder + "/Out";
    for (const char* name : {"a.mp3", "c.mp3", "d.mp3", "z.mp3"})
        MakeFile(music + "/" + name);
    MakeFile(out + "/c_128.mp3");
    MakeFile(out + "/d_128.mp3");
    f.env.defaults.Settings().DestFolder = out;
    script.Hold((music + "/z.mp3").toStdString());

    JobCommands& commands = *f.frame.Commands();
    commands.SetAddDialogRunner([](CJobAddDialog& dialog) {
        dialog.show();
        dialog.OkButton()->click();
        return dialog.result();
    });
    double questionSeconds = 0;
    PromptLog shown;
    JobPrompts prompts = shown.Prompts();
    prompts.askReplace = [&](QWidget*, const QString&, bool) {
        const auto opened = std::chrono::steady_clock::now();
        // Meanwhile the file before it converts and the queue runs empty.
        EXPECT_TRUE(WaitUntil([&] { return script.CallCount() == 1 && f.Table().JobCount() == 0; }, 20s));
        HandleEventsFor(1500ms);
        questionSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count();
        return ReplaceRule::Answer::NoToAll;
    };
    commands.SetPrompts(prompts);
    commands.AddFolder(music);

    ASSERT_TRUE(WaitUntil([&] { return script.Running() == 1 && f.Table().JobCount() == 1; }, 20s))
        << f.Log().toStdString();
    f.Table().SetDeleteQuestion([](const QString&) { return true; });
    f.Table().selectRow(0);
    f.Table().OnJobDel();
    ASSERT_TRUE(WaitUntil([&] { return f.Log().contains(" stopped in "); }, 20s)) << f.Log().toStdString();
    HandleEventsFor(100ms);

    const QString log = f.Log();
    EXPECT_EQ(log.count(" converted, "), 1) << log.toStdString();
    const QRegularExpressionMatch summary
        = QRegularExpression("1 converted, 0 failed, 2 skipped, 1 stopped in ([0-9.]+) s").match(log);
    ASSERT_TRUE(summary.hasMatch()) << log.toStdString();
    EXPECT_LT(summary.captured(1).toDouble(), questionSeconds) << log.toStdString();
    EXPECT_TRUE(f.Status().startsWith("1 converted, 0 failed, 2 skipped, 1 stopped")) << f.Status().toStdString();
}

// A file refused for its path's length is a failure of its batch, with the
// reason of its log line and nothing else in front of it.
TEST(BatchTest, ATooLongPathFailsItsBatchWithItsReason)
{
    PromptLog prompts;  // outlives the frame, which holds its answers
    Frame f;
    f.frame.Commands()->SetPrompts(prompts.Prompts());
    f.frame.Commands()->AddGivenFiles({f.env.folder + "/" + QString(5000, 'x') + ".mp3"});
    ASSERT_TRUE(WaitUntil([&] { return f.Log().contains(" converted, "); }, 20s)) << f.Log().toStdString();
    EXPECT_TRUE(f.Log().contains(QString::fromUtf8("Failed: the path is longer than 4095 bytes, not added \u2014 ")))
        << f.Log().right(300).toStdString();
}

// Kept jobs are checked as added ones are: one whose result is not an
// ".mp3" name, is a folder, would replace its source or whose path is too
// long is not offered, and the log says why; the question lists the jobs it
// would resume; a result made since they were kept is replaced only when
// the user says so.
TEST(BatchTest, KeptJobsAreCheckedAsAddedJobsAre)
{
    DataHome home;
    Frame f(false, true);
    f.Table().Threads().State().SchedulingPaused = 1;
    const QString dir = f.env.folder;
    MakeFile(dir + "/same.mp3");
    MakeFile(dir + "/made_128.mp3");
    QDir().mkpath(dir + "/folder.mp3");
    const QString tooLong = dir + "/" + QString(5000, 'x') + ".mp3";
    const auto job = [](const QString& source, const QString& result) {
        return JobSpec{source.toStdString(), result.toStdString(), EncodeSettings::Cbr(128)};
    };
    ASSERT_TRUE(KeptJobsStore(QFileInfo(home.JobsFile()).path())
                    .Save({job(dir + "/a.mp3", dir + "/a_128.mp3"), job(dir + "/b.mp3", dir + "/b_128.wav"),
                           job(dir + "/same.mp3", dir + "/same.mp3"), job(dir + "/c.mp3", dir + "/folder.mp3"),
                           job(dir + "/d.mp3", tooLong), job(dir + "/e.mp3", dir + "/made_128.mp3")}));

    QString asked;
    QString details;
    QStringList replaceAsked;
    const int added = f.frame.KeptJobsKeeper()->OfferBack({[&](const QString& question, const QString& list) {
                                                               asked = question;
                                                               details = list;
                                                               return true;
                                                           },
                                                           {},
                                                           [&](const QString& question, bool) {
                                                               replaceAsked << question;
                                                               return ReplaceRule::Answer::No;
                                                           }});
    EXPECT_EQ(added, 1);
    EXPECT_EQ(asked, "Resume 2 waiting jobs?");
    EXPECT_TRUE(details.contains(dir + "/a.mp3") && details.contains(dir + "/e.mp3")
                && details.contains("Not resumed: " + dir + "/b.mp3"))
        << details.toStdString();
    EXPECT_EQ(replaceAsked, QStringList{CJobAddDialog::kOverwriteQuestion().arg(dir + "/made_128.mp3")});
    ASSERT_EQ(f.Table().JobCount(), 1);
    EXPECT_EQ(f.Table().CellText(0, JobColumns::SourceFile), dir + "/a.mp3");
    ASSERT_TRUE(WaitUntil([&] { return f.Log().contains("made_128.mp3 exists already: kept"); }, 5s));
    const QString log = f.Log();
    for (const QString& line : {dir + "/b.mp3: the result " + dir + "/b_128.wav is not named .mp3; not resumed",
                                dir + "/same.mp3: the result would replace the source; not resumed",
                                dir + "/c.mp3: " + dir + "/folder.mp3 is a folder, not a file name; not resumed",
                                dir + "/d.mp3: the path " + tooLong})
        EXPECT_TRUE(log.contains(line)) << line.toStdString() << "\n" << log.toStdString();
    EXPECT_TRUE(QFile::exists(dir + "/made_128.mp3"));

    // The result kept at the question counts in the batch of the resumed jobs.
    f.Table().Threads().State().SchedulingPaused = 0;
    f.Table().Threads().WakeScheduler();
    ASSERT_TRUE(WaitUntil([&] { return f.Status().contains(" skipped"); }, 20s)) << f.Log().toStdString();
    EXPECT_TRUE(f.Status().startsWith("0 converted, 1 failed, 1 skipped in ")) << f.Status().toStdString();
}
