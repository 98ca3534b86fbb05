// SPDX-License-Identifier: GPL-3.0-or-later
// The job commands in the running program: the menu's Add, the table's
// context menu, drops and the property command, all through the window.
#include "app/CMyApp.h"

#include "EventWait.h"
#include "ModalDialogCatcher.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "base/CLogView.h"
#include "base/CommandIds.h"
#include "dialogs/CItemPropP.h"
#include "dialogs/CItemPropSheet.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"
#include "window/CMainFrame.h"
#include "window/JobCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class JobCommandsAppTest : public ::testing::Test {
protected:
    JobCommandsAppTest()
        : folder(QString::fromStdString(dir.Path())),
          app(SettingsStore({folder, folder + "/fallback", &SettingsStore::IsWritableFolder}))
    {
    }

    CMainFrame& Start()
    {
        EXPECT_TRUE(app.InitInstance());
        CMainFrame& frame = *app.MainFrame();
        frame.JobTable()->Threads().SetPassInterval(20ms);
        frame.SetExitQuestion([](const QString&) { return true; });
        return frame;
    }

    QString MakeSource(const QString& name, double seconds)
    {
        const QString path = folder + "/" + name;
        SyntheticAudio::WriteFile(path.toStdString(),
                                  SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, seconds)));
        return path;
    }

    TempDir dir;
    QString folder;
    CMyApp app;
};

TEST_F(JobCommandsAppTest, ThreeChosenFilesWithTheSameSettingsAreConvertedInTurn)
{
    CMainFrame& frame = Start();
    const QStringList sources = {MakeSource("a.mp3", 0.5), MakeSource("b.mp3", 0.5), MakeSource("c.mp3", 0.5)};
    const QString out = folder + "/out";
    ASSERT_TRUE(QDir().mkpath(out));
    frame.Commands()->SetFileChooser([&](QWidget*, const QString&) { return sources; });
    int dialogs = 0;
    frame.Commands()->SetAddDialogRunner([&](CJobAddDialog& dialog) {
        ++dialogs;
        dialog.show();
        dialog.BitrateRadio(1024)->click();  // 64K
        dialog.ResultEdit()->setText(out + "/a_64.mp3");
        dialog.SameSettingsBox()->click();
        dialog.OkButton()->click();
        return dialog.result();
    });

    frame.Action(IdJobAdd)->trigger();  // Job, Add (F2)
    EXPECT_EQ(dialogs, 1);
    CMyListView& table = *frame.JobTable();
    EXPECT_EQ(table.JobCount(), 3);
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0 && table.Threads().State().WorkerBusy == 0; }, 60s));
    for (const char* name : {"a_64.mp3", "b_64.mp3", "c_64.mp3"}) {
        SCOPED_TRACE(name);
        EXPECT_GT(QFileInfo(out + "/" + name).size(), 0);
    }
    const QString log = frame.LogView()->toPlainText();
    EXPECT_EQ(log.count("Created"), 3);
    EXPECT_LT(log.indexOf("a_64.mp3 Created"), log.indexOf("b_64.mp3 Created"));
    EXPECT_LT(log.indexOf("b_64.mp3 Created"), log.indexOf("c_64.mp3 Created"));
}

TEST_F(JobCommandsAppTest, ContextMenuOffersTheMenuCommandsWithTheirRules)
{
    CMainFrame& frame = Start();
    CMyListView& table = *frame.JobTable();
    table.Threads().State().SchedulingPaused = 1;
    table.AddJob(folder + "/a.mp3", folder + "/a_128.mp3", 128);
    table.clearSelection();

    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 10), table.viewport()->mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(table.viewport(), &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->parentWidget(), &frame);  // owned by the main window
    QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_TRUE(actions[0]->isEnabled());       // Add
    EXPECT_TRUE(actions[1]->isEnabled());       // Add Folder: the frame's, always
    EXPECT_FALSE(actions[2]->isEnabled());      // Delete: no row selected
    EXPECT_FALSE(actions[3]->isEnabled());      // Property
    EXPECT_TRUE(actions[5]->isEnabled());       // Settings: the application's, always
    EXPECT_FALSE(actions[0]->icon().isNull());  // the menu images

    ModalDialogCatcher catcher;
    actions[5]->trigger();
    menu->close();
    ASSERT_TRUE(WaitUntil([&] { return catcher.Dialogs().size() == 1; }, 5s));
    EXPECT_EQ(catcher.Dialogs()[0].className, QString("CSettingProp"));

    table.selectRow(0);
    QCoreApplication::sendEvent(table.viewport(), &request);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    actions = menu->actions();
    EXPECT_TRUE(actions[2]->isEnabled());
    EXPECT_TRUE(actions[3]->isEnabled());
    actions[3]->trigger();  // Property
    menu->close();
    ASSERT_TRUE(WaitUntil([&] { return catcher.Dialogs().size() == 2; }, 5s));
    EXPECT_EQ(catcher.Dialogs()[1].className, QString("CItemPropSheet"));
}

TEST_F(JobCommandsAppTest, FilesAreTakenOnTheJobTableOnly)
{
    CMainFrame& frame = Start();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(folder + "/a.mp3")});

    QDragEnterEvent onTable(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.JobTable()->viewport(), &onTable);
    EXPECT_TRUE(onTable.isAccepted());

    EXPECT_FALSE(frame.LogView()->acceptDrops());
    QDragEnterEvent onLog(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.LogView()->viewport(), &onLog);
    EXPECT_FALSE(onLog.isAccepted());
}

TEST_F(JobCommandsAppTest, PropertyCommandEditsTheSelectedJob)
{
    CMainFrame& frame = Start();
    CMyListView& table = *frame.JobTable();
    table.Threads().State().SchedulingPaused = 1;
    table.AddJob(folder + "/a.mp3", folder + "/a_128.mp3", 128);
    table.AddJob(folder + "/b.mp3", folder + "/b_128.mp3", 128);
    table.selectRow(1);
    frame.UpdateCommandStates();
    ASSERT_TRUE(frame.Action(IdJobProperty)->isEnabled());

    int pausedWhileOpen = -1;
    ModalDialogCatcher catcher([&](QDialog& dialog) {
        auto& sheet = static_cast<CItemPropSheet&>(dialog);
        pausedWhileOpen = table.Threads().State().SchedulingPaused;
        EXPECT_EQ(sheet.Page()->SourceEdit()->text(), folder + "/b.mp3");
        sheet.Page()->ResultEdit()->setText(folder + "/renamed_128.mp3");
        sheet.OkButton()->click();
    });
    frame.Action(IdJobProperty)->trigger();  // Job, Property
    ASSERT_EQ(catcher.Dialogs().size(), 1u);
    EXPECT_EQ(pausedWhileOpen, 1);
    EXPECT_EQ(table.CellText(1, JobColumns::DestFile), folder + "/renamed_128.mp3");
    EXPECT_EQ(table.CellText(0, JobColumns::DestFile), folder + "/a_128.mp3");
}

}  // namespace
