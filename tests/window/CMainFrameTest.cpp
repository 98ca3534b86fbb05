// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CMainFrame.h"
#include "window/JobCommands.h"

#include "FrameTestKit.h"
#include "ModalDialogCatcher.h"
#include "TempDir.h"
#include "base/CHelpWindow.h"
#include "base/CLogView.h"
#include "base/CPaneSplitter.h"
#include "base/CommandIds.h"
#include "convert/ConversionHost.h"
#include "convert/JobProgress.h"
#include "jobs/CMyListView.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

namespace {

// The command strings as the program must show them: status-bar prompt
// before the line break, tooltip after it, blanks included.
const std::map<int, std::pair<QString, QString>> kCommandStrings = {
    {IdToolAddJob, {"Add Job", "Add New Job"}},
    {IdToolDeleteJob, {"Delete Job", "Delete"}},
    {IdToolJobProperty, {"Job Property", "Property"}},
    {IdMenuCustomize, {"ToolBar Customize", " ToolBar Customize"}},
    {IdJobDelete, {"Delete Job", "Delete Job"}},
    {IdSettings, {"System Settings", " System Settings"}},
    {IdToolSettings, {"System Settings", "Settings"}},
    {IdJobAdd, {"Add New Job", "Add New Job"}},
    {IdAbout, {"About", "About"}},
    {IdJobProperty, {"Job Property", "Job Property"}},
    {IdHelpTopics, {"Help Topics", "Help Topics"}},
    {IdToolCustomize, {"ToolBar Customize", " ToolBar Customize"}},
    {IdToolHelpTopics, {"Help Topics", "Help Topics"}},
    {IdToolAbout, {"About", "About"}},
    {IdToolExit, {"Exit", "Exit"}},
    {IdAppExit, {"Exit", "Exit"}},
};

int ActionId(const QAction* action)
{
    return action->isSeparator() ? 0 : action->data().toInt();
}

std::vector<int> ActionIds(const QList<QAction*>& actions)
{
    std::vector<int> ids;
    for (const QAction* action : actions)
        ids.push_back(ActionId(action));
    return ids;
}

QMenu* TopMenu(CMainFrame& frame, const QString& title)
{
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

void AddRow(CMyListView& table, const QString& status)
{
    table.Queue().Append({"x", "x", "x", "x", "x", status.toStdString()});
}

void ClickInto(QAbstractScrollArea* pane, QPoint at = QPoint(5, 5))
{
    QMouseEvent press(QEvent::MouseButtonPress, at, pane->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(pane->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, pane->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(pane->viewport(), &release);
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.JobTable()->Threads().SetPassInterval(10ms);
        frame.SetExitQuestion([this](const QString& text) {
            questions.push_back(text);
            return answer;
        });
    }

    CMainFrame frame;
    std::vector<QString> questions;
    bool answer = false;
};

TEST_F(MainFrameTest, HasItsTitleIconAndPanes)
{
    EXPECT_EQ(frame.windowTitle(), QString("RO3 Daviror Evazevida"));
    EXPECT_FALSE(frame.windowIcon().isNull());
    ASSERT_NE(frame.Splitter(), nullptr);
    EXPECT_EQ(frame.centralWidget(), frame.Splitter());
    EXPECT_EQ(frame.Splitter()->Orientation(), Qt::Vertical);
    EXPECT_EQ(frame.Splitter()->Pane(0), frame.JobTable());
    EXPECT_EQ(frame.Splitter()->Pane(1), frame.LogView());
    EXPECT_EQ(frame.JobTable()->model()->columnCount(), 6);
    EXPECT_TRUE(frame.LogView()->isReadOnly());
}

TEST_F(MainFrameTest, SplitsTheClientAreaSeventyToThirty)
{
    frame.show();
    ProcessEventsUntil([&] { return frame.isVisible(); });
    const int bar = frame.Splitter()->BarThickness();
    const int usable = frame.Splitter()->height() - bar;
    ASSERT_GT(usable, 200);
    EXPECT_NEAR(frame.JobTable()->height(), std::lround(usable * 0.7), 1);
    EXPECT_NEAR(frame.LogView()->height(), std::lround(usable * 0.3), 1);
}

TEST_F(MainFrameTest, ToolBarButtonsComeInTheirOrderWithImages)
{
    QToolBar* bar = frame.MainToolBar();
    ASSERT_NE(bar, nullptr);
    const std::vector<int> expected = {IdToolAddJob,
                                       IdToolDeleteJob,
                                       IdToolJobProperty,
                                       0,
                                       IdToolSettings,
                                       IdToolCustomize,
                                       0,
                                       IdToolHelpTopics,
                                       IdToolAbout,
                                       0,
                                       IdToolExit};
    EXPECT_EQ(ActionIds(bar->actions()), expected);
    EXPECT_EQ(bar->iconSize(), QSize(24, 24));
    EXPECT_EQ(frame.toolBarArea(bar), Qt::TopToolBarArea);
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        SCOPED_TRACE(ActionId(action));
        const QImage image = action->icon().pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull());
        // The magenta background of the strip is transparent, the picture is not.
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += image.pixelColor(x, y).alpha() == 255 ? 1 : 0;
        EXPECT_GT(opaque, 24 * 24 / 5);
    }
}

TEST_F(MainFrameTest, MenusHaveTheirItemsKeysAndImages)
{
    const std::vector<QString> titles = {"&Job", "View", "&Help"};
    std::vector<QString> shown;
    for (const QAction* action : frame.menuBar()->actions())
        shown.push_back(action->text());
    EXPECT_EQ(shown, titles);

    QMenu* job = TopMenu(frame, "&Job");
    QMenu* view = TopMenu(frame, "View");
    QMenu* help = TopMenu(frame, "&Help");
    ASSERT_TRUE(job && view && help);
    EXPECT_EQ(ActionIds(job->actions()),
              (std::vector<int>{IdJobAdd, IdJobAddFolder, IdJobDelete, IdJobProperty, 0, IdAppExit}));
    EXPECT_EQ(ActionIds(help->actions()), (std::vector<int>{IdHelpTopics, 0, IdAbout}));

    ASSERT_EQ(view->actions().size(), 2);
    QMenu* toolBar = view->actions().at(0)->menu();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(view->actions().at(0)->text(), QString("ToolBar"));
    EXPECT_EQ(ActionIds(toolBar->actions()), std::vector<int>{IdMenuCustomize});
    EXPECT_EQ(ActionId(view->actions().at(1)), IdSettings);

    const std::map<int, std::pair<QString, QKeySequence>> items = {
        {IdJobAdd, {"&Add\tF2", QKeySequence(Qt::Key_F2)}},
        {IdJobDelete, {"&Delete\tDel", QKeySequence(Qt::Key_Delete)}},
        {IdJobProperty, {"&Property", QKeySequence()}},
        {IdAppExit, {"&Exit\tALT+F4", QKeySequence(Qt::CTRL | Qt::Key_Q)}},
        {IdMenuCustomize, {"&Customize...", QKeySequence()}},
        {IdSettings, {"&Settings\tF4", QKeySequence(Qt::Key_F4)}},
        {IdHelpTopics, {"&Help Topics\tF1", QKeySequence(Qt::Key_F1)}},
        {IdAbout, {"&About", QKeySequence()}},
    };
    for (const auto& [id, item] : items) {
        SCOPED_TRACE(id);
        QAction* action = frame.Action(id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), item.first);
        EXPECT_EQ(action->shortcut(), item.second);
        // Keys work while the menus are closed only when the frame holds the action.
        EXPECT_EQ(frame.actions().contains(action), !item.second.isEmpty());
        // The item's image is the one the menu-image toolbar holds for it.
        ASSERT_FALSE(frame.MenuImage(id).isNull());
        EXPECT_EQ(action->icon().pixmap(16, 16).toImage(), frame.MenuImage(id).pixmap(16, 16).toImage());
    }
    // The keys other programs use, beside the program's own.
    EXPECT_EQ(frame.Action(IdJobAdd)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_O)}));
    EXPECT_EQ(frame.Action(IdJobAddFolder)->text(), QString("Add &Folder...\tCtrl+Shift+O"));
    EXPECT_EQ(frame.Action(IdJobAddFolder)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    EXPECT_TRUE(frame.actions().contains(frame.Action(IdJobAddFolder)));
}

TEST_F(MainFrameTest, ActionsCarryTheirPromptsAndTooltipsExactly)
{
    for (const auto& [id, strings] : kCommandStrings) {
        SCOPED_TRACE(id);
        const QAction* action = frame.Action(id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->statusTip(), strings.first);
        EXPECT_EQ(action->toolTip(), strings.second);
    }
}

TEST_F(MainFrameTest, StatusBarShowsReadyWhenIdleAndThePromptOnHover)
{
    frame.show();
    ProcessEventsUntil([&] { return frame.isVisible(); });
    ASSERT_NE(frame.IdleLabel(), nullptr);
    EXPECT_EQ(frame.IdleLabel()->text(), QString("Ready"));
    EXPECT_TRUE(frame.IdleLabel()->isVisible());

    // What a hovered menu item or button does: its status tip goes to the frame.
    ASSERT_TRUE(frame.Action(IdToolAddJob)->showStatusText(frame.MainToolBar()));
    EXPECT_EQ(frame.statusBar()->currentMessage(), QString("Add Job"));
    EXPECT_FALSE(frame.IdleLabel()->isVisible());

    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(&frame, &leave);
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(frame.IdleLabel()->isVisible());
}

TEST_F(MainFrameTest, RowCommandsAreGreyedWithoutASelectedRow)
{
    frame.UpdateCommandStates();
    for (int id : {IdJobDelete, IdToolDeleteJob, IdJobProperty, IdToolJobProperty}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(frame.Action(id)->isEnabled());
    }
    for (int id : {IdJobAdd, IdToolAddJob, IdToolSettings, IdHelpTopics, IdToolHelpTopics, IdAbout, IdToolAbout,
                   IdMenuCustomize, IdToolCustomize}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(frame.Action(id)->isEnabled());
    }
    // Nobody takes the application's commands while there is no application object.
    EXPECT_FALSE(frame.Action(IdSettings)->isEnabled());
    EXPECT_FALSE(frame.Action(IdAppExit)->isEnabled());

    // Deleting with nothing selected does nothing at all.
    EXPECT_FALSE(frame.RouteCommand(IdJobDelete));
}

TEST_F(MainFrameTest, SelectedRowEnablesRowCommandsAndDisablesToolBarSettings)
{
    AddRow(*frame.JobTable(), "0");
    frame.JobTable()->selectRow(0);
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.Action(IdJobDelete)->isEnabled());
    EXPECT_TRUE(frame.Action(IdToolDeleteJob)->isEnabled());
    EXPECT_TRUE(frame.Action(IdJobProperty)->isEnabled());
    EXPECT_FALSE(frame.Action(IdToolSettings)->isEnabled());

    frame.JobTable()->clearSelection();
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.Action(IdToolSettings)->isEnabled());
    EXPECT_FALSE(frame.Action(IdJobDelete)->isEnabled());
}

TEST_F(MainFrameTest, SelectionChangeUpdatesTheButtonsAtOnce)
{
    AddRow(*frame.JobTable(), "0");
    ASSERT_FALSE(frame.Action(IdToolDeleteJob)->isEnabled());
    frame.JobTable()->selectRow(0);
    EXPECT_TRUE(frame.Action(IdToolDeleteJob)->isEnabled());
}

TEST_F(MainFrameTest, ToolBarPropertyWaitsForTheTableToBecomeTheActiveView)
{
    frame.show();
    AddRow(*frame.JobTable(), "0");
    frame.JobTable()->selectRow(0);
    frame.UpdateCommandStates();
    // Right after start no view is active, so nobody takes 40005.
    EXPECT_EQ(frame.ActiveView(), nullptr);
    EXPECT_FALSE(frame.Action(IdToolJobProperty)->isEnabled());
    EXPECT_TRUE(frame.Action(IdJobProperty)->isEnabled());

    const QRect cell = frame.JobTable()->visualRect(frame.JobTable()->model()->index(0, 0));
    ClickInto(frame.JobTable(), cell.center());
    EXPECT_EQ(frame.ActiveView(), frame.JobTable());
    EXPECT_EQ(frame.JobTable()->SelectedRow(), 0);
    EXPECT_TRUE(frame.Action(IdToolJobProperty)->isEnabled());

    ClickInto(frame.LogView());
    EXPECT_EQ(frame.ActiveView(), frame.LogView());
    EXPECT_FALSE(frame.Action(IdToolJobProperty)->isEnabled());
    // The log takes no job command; the frame hands them to the table.
    EXPECT_TRUE(frame.Action(IdJobDelete)->isEnabled());
}

TEST_F(MainFrameTest, DeleteCommandReachesTheTableWhicheverViewIsActive)
{
    AddRow(*frame.JobTable(), "0");
    AddRow(*frame.JobTable(), "0");
    frame.JobTable()->selectRow(1);
    EXPECT_TRUE(frame.RouteCommand(IdJobDelete));
    EXPECT_EQ(frame.JobTable()->JobCount(), 1);

    ClickInto(frame.LogView());
    frame.JobTable()->selectRow(0);
    EXPECT_TRUE(frame.RouteCommand(IdToolDeleteJob));
    EXPECT_EQ(frame.JobTable()->JobCount(), 0);
}

TEST_F(MainFrameTest, MenuImageToolBarIsNeverShown)
{
    QToolBar* images = frame.MenuImageToolBar();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ActionIds(images->actions()),
              (std::vector<int>{IdJobAdd, IdJobDelete, IdJobProperty, IdSettings, IdMenuCustomize, IdHelpTopics,
                                IdAbout, IdAppExit}));
    EXPECT_EQ(images->iconSize(), QSize(16, 16));
    frame.show();
    ProcessEventsUntil([&] { return frame.isVisible(); });
    EXPECT_FALSE(images->isVisible());

    // Docking the main toolbar elsewhere leaves it hidden, and no bar menu
    // offers to show it.
    frame.addToolBar(Qt::LeftToolBarArea, frame.MainToolBar());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame.MainToolBar()->isVisible());
    EXPECT_FALSE(images->isVisible());
    QMenu* barMenu = static_cast<QMainWindow&>(frame).createPopupMenu();
    EXPECT_EQ(barMenu, nullptr);
    delete barMenu;
}

TEST_F(MainFrameTest, HelpTopicsOpenIntroBesideTheProgramWhateverTheCurrentFolder)
{
    TempDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(elsewhere.Path())));
    const bool routed = frame.RouteCommand(IdHelpTopics);
    QDir::setCurrent(before);

    ASSERT_TRUE(routed);
    ASSERT_NE(frame.HelpWindow(), nullptr);
    EXPECT_TRUE(frame.HelpWindow()->isVisible());
    EXPECT_EQ(frame.HelpWindow()->Topic(),
              QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/help/intro.htm"));

    // The toolbar button shows the same topic in the same window.
    CHelpWindow* window = frame.HelpWindow();
    EXPECT_TRUE(frame.RouteCommand(IdToolHelpTopics));
    EXPECT_EQ(frame.HelpWindow(), window);
}

TEST_F(MainFrameTest, AboutAndCustomizeReachTheirHandlers)
{
    ModalDialogCatcher dialogs;
    for (int id : {IdAbout, IdToolAbout}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(frame.RouteCommand(id));
    }
    ASSERT_EQ(dialogs.Dialogs().size(), 2u);
    for (const auto& dialog : dialogs.Dialogs()) {
        EXPECT_EQ(dialog.className, QString("CAboutDlg"));
        EXPECT_EQ(dialog.caption, QString("About Vorlanta"));
    }

    // The Customize dialog opens once the command's click is over.
    ModalBoxCatcher boxes;
    std::size_t opened = dialogs.Dialogs().size();
    for (int id : {IdMenuCustomize, IdToolCustomize}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(frame.RouteCommand(id));
        EXPECT_TRUE(ProcessEventsUntil([&] { return dialogs.Dialogs().size() > opened; }));
        opened = dialogs.Dialogs().size();
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    ASSERT_EQ(dialogs.Dialogs().size(), 4u);
    for (const auto& dialog : {dialogs.Dialogs()[2], dialogs.Dialogs()[3]}) {
        EXPECT_EQ(dialog.className, QString("CToolBarCustomizeDlg"));
        EXPECT_EQ(dialog.caption, QString("Customize Toolbar"));
    }
}

TEST_F(MainFrameTest, ToolBarSettingsOpensWhatTheApplicationHandsDown)
{
    ModalBoxCatcher catcher;
    EXPECT_TRUE(frame.RouteCommand(IdToolSettings));  // nothing handed down: nothing opens, nothing is said
    int opened = 0;
    frame.SetSettingsSheetOpener([&] { ++opened; });
    EXPECT_TRUE(frame.RouteCommand(IdToolSettings));
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST_F(MainFrameTest, LogTextReachesTheLogFromAnyThread)
{
    frame.LogText("first line\r\n");
    EXPECT_TRUE(frame.LogView()->toPlainText().contains("first line"));

    std::thread worker([&] { frame.LogText("from the worker\r\n"); });
    worker.join();
    EXPECT_TRUE(ProcessEventsUntil([&] { return frame.LogView()->toPlainText().contains("from the worker"); }));
}

TEST_F(MainFrameTest, ClosesWithoutAQuestionWhileNoJobThreadRuns)
{
    frame.show();
    int closed = 0;
    QObject::connect(&frame, &CMainFrame::Closed, [&] { ++closed; });
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(closed, 1);
}

TEST_F(MainFrameTest, AfterAnAddCommandClosingAsksAndNoKeepsEverythingRunning)
{
    frame.show();
    // The first Add starts the scheduler, even when the user then adds nothing
    // (here the file chooser returns no files).
    ModalBoxCatcher catcher;
    frame.Commands()->SetFileChooser([](QWidget*, const QString&) { return QStringList(); });
    ASSERT_TRUE(frame.RouteCommand(IdJobAdd));
    JobThreadState& state = frame.ThreadState();
    ASSERT_EQ(state.SchedulerRunning, 1);

    answer = false;
    EXPECT_FALSE(frame.close());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QString("Are you sure to exit?"));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(state.SchedulerRunning, 1);
    EXPECT_NE(state.SchedulerQuit, 1);

    answer = true;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.JobTable()->ThreadsRunning());
    EXPECT_FALSE(state.SchedulerThread.joinable());
}

TEST_F(MainFrameTest, ClosingStopsARunningConversionWhileServingItsWindowRequests)
{
    std::atomic<int> statusWrites{0};
    std::atomic<int> endControl{-1};
    // A conversion that writes its Status cell until it is asked to stop.
    frame.JobTable()->Threads().SetConversionRoutine(
        [&](ConversionHost& host, const JobSpec&, const std::atomic<int>& control) {
            while (control != 1) {
                host.progress.SetStatus("50%");
                ++statusWrites;
                std::this_thread::sleep_for(1ms);
            }
            endControl = control.load();
            return ConversionOutcome::Of(ConversionOutcome::Kind::Stopped);
        });
    frame.show();
    frame.JobTable()->AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    ASSERT_TRUE(ProcessEventsUntil([&] { return statusWrites > 3; }));

    answer = true;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(endControl, 1);
    EXPECT_FALSE(frame.JobTable()->ThreadsRunning());
    EXPECT_EQ(frame.JobTable()->Threads().WorkerCount(), 0);
    // The window was enabled again for its remaining life.
    EXPECT_TRUE(frame.isEnabled());
}

TEST(MainFrameLifetimeTest, DestroyingTheFrameEndsARunningConversion)
{
    std::atomic<int> running{0};
    std::atomic<int> statusWrites{0};
    auto frame = std::make_unique<CMainFrame>();
    frame->JobTable()->Threads().SetPassInterval(10ms);
    frame->JobTable()->Threads().SetConversionRoutine(
        [&](ConversionHost& host, const JobSpec&, const std::atomic<int>& control) {
            running = 1;
            while (control != 1) {
                host.progress.SetStatus("50%");
                ++statusWrites;
                std::this_thread::sleep_for(1ms);
            }
            running = 0;
            return ConversionOutcome::Of(ConversionOutcome::Kind::Stopped);
        });
    frame->JobTable()->AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    ASSERT_TRUE(ProcessEventsUntil([&] { return statusWrites > 3; }));
    frame.reset();
    EXPECT_EQ(running, 0);
}

}  // namespace
