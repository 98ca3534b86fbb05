// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventWait.h"
#include "JobDialogKit.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "base/CLogView.h"
#include "jobs/CMyListView.h"
#include "window/CMainFrame.h"
#include "window/KeptJobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
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

// The user's data folder in a fresh folder for the life of the object.
class DataHome {
public:
    DataHome() : m_old(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", m_dir.Path().c_str()); }
    ~DataHome() { qputenv("XDG_DATA_HOME", m_old); }
    QString JobsFile() const { return QString::fromStdString(m_dir.Path()) + "/vorlanta/" + KeptJobsStore::kFileName; }

private:
    TempDir m_dir;
    QByteArray m_old;
};

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
    EXPECT_TRUE(lines[summary + 1].contains("Failed: " + folder + "/noise.mp3: ")) << lines[summary + 1].toStdString();
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
    const auto yes = [&](const QString& question) {
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
        EXPECT_EQ(declined.frame.KeptJobsKeeper()->OfferBack({[](const QString&) { return false; }, {}}), 0);
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
