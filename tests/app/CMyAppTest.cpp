// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMyApp.h"

#include "FrameTestKit.h"
#include "ModalDialogCatcher.h"
#include "TempDir.h"
#include "base/CLogView.h"
#include "base/CommandIds.h"
#include "base/IniFile.h"
#include "dialogs/CSettingProp.h"
#include "jobs/CMyListView.h"
#include "window/CMainFrame.h"
#include "window/JobCommands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace std::chrono_literals;

namespace {

class MyAppTest : public ::testing::Test {
protected:
    MyAppTest()
        : folder(QString::fromStdString(dir.Path())),
          app(SettingsStore({folder, folder + "/fallback", &SettingsStore::IsWritableFolder}))
    {
    }

    QString ConfigPath() const { return folder + "/config.ini"; }

    void WriteConfig(const QByteArray& text)
    {
        QFile file(ConfigPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Starts the program and lets the tests answer the exit question.
    CMainFrame& Start()
    {
        EXPECT_TRUE(app.InitInstance());
        CMainFrame& frame = *app.MainFrame();
        frame.JobTable()->Threads().SetPassInterval(10ms);
        // The Add command's file chooser picks nothing.
        frame.Commands()->SetFileChooser([](QWidget*, const QString&) { return QStringList(); });
        frame.SetExitQuestion([this](const QString& text) {
            questions.push_back(text);
            return answer;
        });
        return frame;
    }

    TempDir dir;
    QString folder;
    CMyApp app;
    std::vector<QString> questions;
    bool answer = false;
};

TEST_F(MyAppTest, StartUpReadsTheSettingsAndShowsTheFrame)
{
    WriteConfig("[Settings]\nSource Folder=/usr\nDest Folder=/tmp\nBitRate=1920\n");
    EXPECT_EQ(app.MainFrame(), nullptr);
    CMainFrame& frame = Start();
    EXPECT_EQ(app.Settings().SourceFolder, QString("/usr"));
    EXPECT_EQ(app.Settings().DestFolder, QString("/tmp"));
    EXPECT_EQ(app.Settings().BitRate, QString("192"));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), QString("RO3 Daviror Evazevida"));
    EXPECT_TRUE(frame.JobTable()->acceptDrops());
    EXPECT_FALSE(frame.LogView()->acceptDrops());
    EXPECT_FALSE(frame.acceptDrops());
}

TEST_F(MyAppTest, ExitWritesTheSettingsAsTheyAreInMemory)
{
    ASSERT_FALSE(QFile::exists(ConfigPath()));
    Start();
    app.Settings().BitRate = " 96";
    app.Settings().DestFolder = "/elsewhere";
    app.MainFrame()->close();
    EXPECT_EQ(app.ExitInstance(0), 0);

    QFile file(ConfigPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("\nBitRate= 96"));  // verbatim, blank included
    EXPECT_TRUE(text.contains("\nDest Folder=/elsewhere"));
    EXPECT_TRUE(text.contains("Source Folder=" + app.Settings().SourceFolder.toUtf8()));
}

TEST_F(MyAppTest, RunEndsWhenTheFrameClosesAndWritesTheSettings)
{
    QTimer::singleShot(0, [this] {
        ASSERT_NE(app.MainFrame(), nullptr);
        app.Settings().BitRate = "256";
        app.MainFrame()->close();
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(app.MainFrame()->isVisible());
    IniFile file(ConfigPath());
    ASSERT_TRUE(file.Load());
    EXPECT_EQ(file.Value("Settings", "BitRate"), std::optional<QString>("256"));
}

TEST_F(MyAppTest, SettingsStaysEnabledWhileTheToolBarSettingsIsNot)
{
    CMainFrame& frame = Start();
    CMyListView& table = *frame.JobTable();
    table.Queue().Append({"0", "0", "0", "0", "0", "0"});
    table.selectRow(0);
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.Action(IdToolSettings)->isEnabled());
    EXPECT_TRUE(frame.Action(IdSettings)->isEnabled());

    // View, Settings (and F4) still reach the application object, whose
    // settings sheet edits its record.
    ModalDialogCatcher catcher([](QDialog& sheet) {
        auto& settings = static_cast<CSettingProp&>(sheet);
        settings.DestFolderEdit()->setText("/from/the/sheet");
        settings.OkButton()->click();
    });
    EXPECT_TRUE(frame.RouteCommand(IdSettings));
    ASSERT_EQ(catcher.Dialogs().size(), 1u);
    EXPECT_EQ(catcher.Dialogs()[0].className, QString("CSettingProp"));
    EXPECT_EQ(catcher.Dialogs()[0].caption, QString("Settings"));
    EXPECT_EQ(app.Settings().DestFolder, QString("/from/the/sheet"));

    // With no row selected the toolbar button opens the same sheet.
    table.clearSelection();
    EXPECT_TRUE(frame.RouteCommand(IdToolSettings));
    ASSERT_EQ(catcher.Dialogs().size(), 2u);
    EXPECT_EQ(catcher.Dialogs()[1].className, QString("CSettingProp"));
}

TEST_F(MyAppTest, EveryExitPathAsksTheSameQuestionOnceJobsWereAdded)
{
    CMainFrame& frame = Start();
    EXPECT_TRUE(frame.Action(IdAppExit)->isEnabled());
    EXPECT_TRUE(frame.Action(IdToolExit)->isEnabled());
    ASSERT_TRUE(frame.RouteCommand(IdJobAdd));  // starts the scheduler

    answer = false;
    frame.Action(IdAppExit)->trigger();   // Job, Exit
    frame.Action(IdToolExit)->trigger();  // toolbar Exit
    frame.close();                        // close box and Alt+F4 come as close requests
    ASSERT_EQ(questions.size(), 3u);
    for (const QString& question : questions)
        EXPECT_EQ(question, QString("Are you sure to exit?"));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.JobTable()->ThreadsRunning());

    answer = true;
    frame.Action(IdToolExit)->trigger();
    EXPECT_EQ(questions.size(), 4u);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.JobTable()->ThreadsRunning());
}

TEST_F(MyAppTest, ExitCommandsCloseAtOnceBeforeAnyJob)
{
    CMainFrame& frame = Start();
    frame.Action(IdAppExit)->trigger();
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(frame.isVisible());
}

TEST(MyAppDisplayTest, NeedsADisplayOrAnExplicitPlatform)
{
    EXPECT_FALSE(CMyApp::DisplayConfigured({}, {}, {}));
    EXPECT_TRUE(CMyApp::DisplayConfigured(":0", {}, {}));
    EXPECT_TRUE(CMyApp::DisplayConfigured({}, "wayland-0", {}));
    EXPECT_TRUE(CMyApp::DisplayConfigured({}, {}, "offscreen"));
    const QString message = CMyApp::NoDisplayMessage("vorlanta");
    EXPECT_TRUE(message.contains("xvfb-run -a vorlanta"));
    EXPECT_TRUE(message.contains("QT_QPA_PLATFORM=offscreen vorlanta"));
}

// A person who started the program from a file manager never sees stderr:
// names that are neither file nor folder are reported in the log too.
TEST_F(MyAppTest, NamesThatAreNeitherFileNorFolderAreReportedInTheLog)
{
    app.SetStartNotAdded({"gone.mp3: no such file or folder, not added"});
    CMainFrame& frame = Start();
    EXPECT_TRUE(ProcessEventsUntil(
        [&] { return frame.LogView()->toPlainText().contains("gone.mp3: no such file or folder, not added"); }));
    EXPECT_EQ(frame.JobTable()->JobCount(), 0);
}

}  // namespace

// `vorlanta song.mp3 Library/` from a terminal: the job must hold an
// absolute path, a folder is taken (to be added as Add Folder adds it), and
// names that are neither, or files of no kind the program converts, are
// reported instead of becoming jobs.
TEST(MyAppCommandLine, ExistingFilesAndFoldersAreMadeAbsoluteAndTheRestReported)
{
    TempDir dir;
    QFile(QString::fromStdString(dir.File("song.mp3"))).open(QIODevice::WriteOnly);
    QFile(QString::fromStdString(dir.File("notes.txt"))).open(QIODevice::WriteOnly);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path())));
    QStringList missing;
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(dir.File("Library"))));
    const QStringList files = CMyApp::StartFiles({"song.mp3", "gone.mp3", "Library/", "Library", "notes.txt"}, missing);
    QDir::setCurrent(before);

    const QDir here(QString::fromStdString(dir.Path()));
    EXPECT_EQ(files,
              (QStringList{here.absoluteFilePath("song.mp3"), here.absoluteFilePath("Library"),
                           here.absoluteFilePath("Library")}));
    EXPECT_EQ(missing,
              (QStringList{"gone.mp3: no such file or folder, not added",
                           "notes.txt: not an audio file this program converts, not added"}));
}
