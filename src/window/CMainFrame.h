// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CommandRoute.h"
#include "base/CommandTarget.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class BatchReport;
class CHelpWindow;
class KeptJobs;
class JobCommands;
class UserDefaults;
class CLogView;
class CMyListView;
class CPaneSplitter;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
struct JobThreadState;

// The program's one top-level window: the menu bar, the main toolbar, a
// hidden toolbar that only supplies the menu items' images, the status bar,
// and a splitter with the job table above and the activity log below.
//
// Every command (menu, toolbar, accelerator, the table's context menu) goes
// through one route: the active view (the pane the user last clicked or
// moved the focus into; none right after start), then this frame, then the
// application object. The enabled state of every action is asked along the
// same route, and a command that nobody takes is disabled.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    // Asks the user a yes/no question; true for Yes.
    using ExitQuestion = std::function<bool(const QString& text)>;
    // Opens the settings sheet; the application object's.
    using SettingsSheetOpener = std::function<void()>;

    static inline const QString kTitle = QStringLiteral("RO3 Daviror Evazevida");
    static QString kExitQuestion() { return QCoreApplication::translate("CMainFrame", "Are you sure to exit?"); }
    static inline const QString kIntroTopic = QStringLiteral("intro.htm");

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The panes and bars.
    CMyListView* JobTable() const { return m_jobTable; }
    // The job table's add flows, property sheet, drops and context menu.
    JobCommands* Commands() const { return m_jobCommands; }
    CLogView* LogView() const { return m_logView; }
    CPaneSplitter* Splitter() const { return m_splitter; }
    QToolBar* MainToolBar() const { return m_mainToolBar; }
    QToolBar* MenuImageToolBar() const { return m_menuImageToolBar; }
    // The status bar's idle text ("Ready").
    QLabel* IdleLabel() const { return m_idleLabel; }
    JobThreadState& ThreadState();

    // The action that stands for command `id` in the menus or on the main
    // toolbar; nullptr for an unknown id. The table's context menu uses the
    // menu actions, so its commands take the same route.
    QAction* Action(int id) const;
    // The image the menu-image toolbar holds for `id`, if any.
    QIcon MenuImage(int id) const;

    // The route: the active view, the frame, the application object.
    void SetApplicationTarget(CommandTarget* application);
    QWidget* ActiveView() const { return m_activeView; }
    void SetActiveView(QWidget* view);
    bool IsCommandEnabled(int id) const;
    // Carries `id` out along the route; false when nobody took it or it is
    // disabled.
    bool RouteCommand(int id);
    // Brings every action's enabled state up to date.
    void UpdateCommandStates();

    // Appends `text` to the activity log. Callable from any thread: off the
    // UI thread the line is queued to the UI thread and appended there, in
    // the order sent. The caller does not wait, so a worker never blocks on a
    // UI thread that may itself be waiting for the worker to stop.
    void LogText(const QString& text);

    // Shows `page` of the help folder beside the program in the help window.
    void ShowHelpTopic(const QString& page);
    CHelpWindow* HelpWindow() const { return m_helpWindow; }

    // The user defaults the job commands offer and save; not owned.
    void SetUserDefaults(UserDefaults* defaults);
    // Puts the General page's choices to work: skipping sources that need
    // no work, keeping unfinished jobs.
    void ApplySettings();
    // Start-up, when unfinished jobs are kept: offers the last run's back;
    // the number of jobs added.
    int OfferKeptJobs();
    KeptJobs* KeptJobsKeeper() const { return m_keptJobs; }

    // What the toolbar's Settings button opens.
    void SetSettingsSheetOpener(SettingsSheetOpener opener);

    // The exit question of the close request; a message box unless set.
    void SetExitQuestion(ExitQuestion question);
    // The close request: while a job thread runs, asks kExitQuestion() and on
    // Yes stops the threads, keeping the window responsive meanwhile. True
    // when the window may close.
    bool CloseRequest();

    // CommandTarget: the frame's own commands.
    bool TakesCommand(int id) const override;
    bool CommandEnabled(int id) const override;
    void OnCommand(int id) override;

signals:
    // The window has accepted a close request and is closing.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void CreatePanes();
    void WatchBatches();
    void CreateMainToolBar();
    void CreateMenuImageToolBar();
    void CreateMenus();
    void CreateStatusBar();
    void WatchPane(QWidget* pane);
    QAction* MakeAction(int id, const QString& text, QObject* owner);
    QMenu* AddMenu(QMenu* parentMenu, const QString& title);
    void AddMenuItem(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut = {});
    QWidget* PaneOf(QObject* object) const;
    bool JobRowSelected() const;
    bool JobThreadsRunning() const;
    void StopJobThreads();
    void ShowAboutBox();
    void CustomizeToolBar();
    void OpenSettingsFromToolBar();

    CPaneSplitter* m_splitter = nullptr;
    CMyListView* m_jobTable = nullptr;
    JobCommands* m_jobCommands = nullptr;
    CLogView* m_logView = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_menuImageToolBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_idleLabel = nullptr;
    CHelpWindow* m_helpWindow = nullptr;
    QTimer* m_updateTimer = nullptr;

    QHash<int, QAction*> m_actions;
    QHash<int, QAction*> m_menuImages;
    CommandRoute m_route;
    QPointer<QWidget> m_activeView;
    ExitQuestion m_exitQuestion;
    SettingsSheetOpener m_openSettingsSheet;
    UserDefaults* m_defaults = nullptr;
    KeptJobs* m_keptJobs = nullptr;
    std::unique_ptr<BatchReport> m_batchReport;
    bool m_closing = false;
};
