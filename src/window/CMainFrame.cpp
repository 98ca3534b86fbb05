// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CMainFrame.h"

#include "base/AppMessage.h"
#include "base/CHelpWindow.h"
#include "base/CLogView.h"
#include "base/CPaneSplitter.h"
#include "base/CommandIds.h"
#include "base/CommandStrings.h"
#include "base/ImageStrip.h"
#include "base/UserDefaults.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CToolBarCustomizeDlg.h"
#include "jobs/CMyListView.h"
#include "window/BatchReport.h"
#include "window/DesktopNotice.h"
#include "window/JobCommands.h"
#include "window/KeptJobs.h"
#include "xp/CFlatStatusBar.h"
#include "xp/CFlatToolBar.h"
#include "xp/FlatMenu.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <initializer_list>
#include <utility>

namespace {

constexpr int kToolBarImageSize = 24;
constexpr int kMenuImageSize = 16;
// The framework's idle update of toolbar button states, roughly.
constexpr int kUpdateIntervalMs = 250;
const QSize kInitialSize(800, 600);

const QString kToolBarStrip = QStringLiteral(":/vorlanta/toolbar24.png");
const QString kMenuImageStrip = QStringLiteral(":/vorlanta/menuimages16.png");

// Main toolbar buttons in order; 0 is a separator. The second number is the
// button's image in the toolbar strip.
constexpr std::array<std::pair<int, int>, 11> kToolBarButtons{{
    {IdToolAddJob, 0},
    {IdToolDeleteJob, 1},
    {IdToolJobProperty, 2},
    {0, -1},
    {IdToolSettings, 3},
    {IdToolCustomize, 4},
    {0, -1},
    {IdToolHelpTopics, 5},
    {IdToolAbout, 6},
    {0, -1},
    {IdToolExit, 7},
}};

// The menu-image toolbar's buttons; the n-th one has the n-th image.
constexpr std::array<int, 8> kMenuImageCommands{
    IdJobAdd, IdJobDelete, IdJobProperty, IdSettings, IdMenuCustomize, IdHelpTopics, IdAbout, IdAppExit,
};

// Commands the frame hands on to the job table. The toolbar's Job Property
// is the table's alone: it works only while the table is the active view.
bool IsJobCommand(int id)
{
    return IsJobTableCommand(id) && id != IdToolJobProperty;
}

// Job commands that need a selected row.
bool NeedsSelectedRow(int id)
{
    return id == IdJobDelete || id == IdToolDeleteJob || id == IdJobProperty;
}

bool IsUserFocus(Qt::FocusReason reason)
{
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::ShortcutFocusReason;
}

}  // namespace

// The bitmaps live in the GUI library's resources; a static library's
// resources must be registered by name before first use (outside any
// namespace, as the registration function is a global one).
static void RegisterArtwork()
{
    Q_INIT_RESOURCE(vorlanta);
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    RegisterArtwork();
    setWindowTitle(kTitle);
    QIcon icon;
    icon.addFile(QStringLiteral(":/vorlanta/vorlanta64.png"));
    icon.addFile(QStringLiteral(":/vorlanta/vorlanta256.png"));
    setWindowIcon(icon);

    CreateMainToolBar();
    CreateMenuImageToolBar();
    CreateMenus();
    CreateStatusBar();
    CreatePanes();

    m_route.SetFrame(this);
    m_exitQuestion = [this](const QString& text) { return AppMessage::AskYesNo(this, text); };

    m_updateTimer = new QTimer(this);
    m_updateTimer->setInterval(kUpdateIntervalMs);
    connect(m_updateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
    m_updateTimer->start();
    resize(kInitialSize);
    UpdateCommandStates();
    FlatMenu::EnableFlatMenu(this, true);
}

CMainFrame::~CMainFrame()
{
    // The job threads end while the whole frame still stands: stopping them
    // handles events, which must not reach a frame half torn down.
    m_updateTimer->stop();
    for (QWidget* pane : {static_cast<QWidget*>(m_jobTable), static_cast<QWidget*>(m_logView)}) {
        pane->removeEventFilter(this);
        if (auto* view = qobject_cast<QAbstractScrollArea*>(pane))
            view->viewport()->removeEventFilter(this);
    }
    m_jobTable->StopThreads();
    m_jobTable->Threads().SetListener({});  // the report goes before the table
    m_activeView = nullptr;
    m_route.SetView(nullptr);
    m_route.SetApplication(nullptr);
}

JobThreadState& CMainFrame::ThreadState()
{
    return m_jobTable->Threads().State();
}

void CMainFrame::CreatePanes()
{
    m_splitter = new CPaneSplitter(this);
    // The splitter starts as large as the frame's client area would be, so
    // the 70/30 split is not first squeezed into a tiny widget (which would
    // pin the lower pane at its minimum size).
    m_splitter->resize(kInitialSize);
    m_jobTable = new CMyListView(m_splitter);
    m_logView = new CLogView(m_splitter);
    m_splitter->SetProportions({70, 30});
    m_splitter->AddPane(0, m_jobTable);
    m_splitter->AddPane(1, m_logView);
    setCentralWidget(m_splitter);

    m_jobTable->SetLogView(m_logView);
    WatchPane(m_jobTable);
    WatchPane(m_logView);
    // The table's context menu offers the menu commands and takes their route.
    m_jobCommands = new JobCommands(*m_jobTable, this);
    m_jobCommands->SetCommandSink({[this](int id) { return IsCommandEnabled(id); },
                                   [this](int id) { RouteCommand(id); }, [this](int id) { return MenuImage(id); }});
    if (QItemSelectionModel* selection = m_jobTable->selectionModel()) {
        connect(selection, &QItemSelectionModel::selectionChanged, this, &CMainFrame::UpdateCommandStates);
    }
    m_keptJobs = new KeptJobs(*m_jobTable, KeptJobsStore(), this);
    WatchBatches();
}

// When a batch ends the log, the status bar and (for a window the user has
// left) a desktop notice say what it came to.
void CMainFrame::WatchBatches()
{
    m_batchReport = std::make_unique<BatchReport>(BatchReport::Outlets{
        [this](const QString& line) { m_logView->AppendLine(line + QStringLiteral("\r\n")); },
        [this](const QString& text) { m_idleLabel->setText(text.isEmpty() ? CommandStrings::IdleMessage() : text); },
        [this] { return isActiveWindow(); },
        [](const QString& summary, const QString& body) { DesktopNotice().Send(summary, body); }});
    BatchReport& report = *m_batchReport;
    m_jobTable->Threads().SetListener(
        {[&report] { report.JobStarted(); },
         [&report](const JobSpec& job, const ConversionOutcome& outcome) { report.JobEnded(job.source, outcome); },
         [&report] { report.QueueEmpty(); }});
    m_jobCommands->SetBatchReport(m_batchReport.get());
    m_keptJobs->SetBatchReport(m_batchReport.get());
}

void CMainFrame::ApplySettings()
{
    if (!m_defaults)
        return;
    const SettingsRecord& settings = m_defaults->Settings();
    m_jobTable->Threads().SetSkipLowerSources(settings.SkipLowerSources);
    m_jobTable->Threads().SetSplitLongSources(settings.SplitLongSources);
    m_jobTable->Threads().SetLoudnessTags(settings.WriteLoudnessTags);
    m_keptJobs->SetEnabled(settings.KeepUnfinishedJobs);
}

int CMainFrame::OfferKeptJobs()
{
    if (!m_defaults || !m_defaults->Settings().KeepUnfinishedJobs)
        return 0;
    return m_keptJobs->OfferBack({[this](const QString& question, const QString& details) {
                                      return AppMessage::AskYesNo(this, question, QMessageBox::Question, details);
                                  },
                                  [this](const QString& text) { AppMessage::Show(this, text, QMessageBox::Warning); },
                                  [this](const QString& question, bool offerAll) {
                                      return JobPrompts::Defaults().AskReplace(this, question, offerAll);
                                  }});
}

// Remembers clicks and focus changes into `pane` to make it the active view.
void CMainFrame::WatchPane(QWidget* pane)
{
    pane->installEventFilter(this);
    if (auto* view = qobject_cast<QAbstractScrollArea*>(pane))
        view->viewport()->installEventFilter(this);
}

QAction* CMainFrame::MakeAction(int id, const QString& text, QObject* owner)
{
    auto* action = new QAction(text, owner);
    action->setData(id);
    action->setStatusTip(CommandStrings::Prompt(id));
    action->setToolTip(CommandStrings::ToolTip(id));
    connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
    return action;
}

void CMainFrame::CreateMainToolBar()
{
    auto* toolBar = new CFlatToolBar(tr("ToolBar"), this);
    m_mainToolBar = toolBar;
    m_mainToolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_mainToolBar->setIconSize(QSize(kToolBarImageSize, kToolBarImageSize));
    m_mainToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_mainToolBar->setMovable(true);
    m_mainToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    // Hot, normal and disabled images, from the one strip.
    toolBar->BuildToolBarImages(kToolBarStrip, ImageStrip::TransparentColour());
    for (const auto& [id, image] : kToolBarButtons) {
        if (id == 0) {
            m_mainToolBar->addSeparator();
            continue;
        }
        QAction* action = MakeAction(id, CommandStrings::ToolTip(id).trimmed(), this);
        action->setIcon(toolBar->ButtonIcon(image));
        m_mainToolBar->addAction(action);
        m_actions.insert(id, action);
    }
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);
}

void CMainFrame::CreateMenuImageToolBar()
{
    // Never shown and never part of the window's layout: it only holds the
    // images that the menu items show.
    m_menuImageToolBar = new QToolBar(this);
    m_menuImageToolBar->setObjectName(QStringLiteral("MenuImageToolBar"));
    m_menuImageToolBar->setIconSize(QSize(kMenuImageSize, kMenuImageSize));
    m_menuImageToolBar->hide();
    const QList<QPixmap> images = ImageStrip::Load(kMenuImageStrip, kMenuImageSize);
    // The toolbar's larger pictures of the same commands, in the same order,
    // serve screens scaled above 1, where a 16-pixel picture would be
    // enlarged block by block.
    const QList<QPixmap> large = ImageStrip::Load(kToolBarStrip, kToolBarImageSize);
    for (std::size_t i = 0; i < kMenuImageCommands.size(); ++i) {
        const int id = kMenuImageCommands[i];
        auto* holder = new QAction(m_menuImageToolBar);
        holder->setData(id);
        QIcon icon;
        if (qsizetype(i) < images.size())
            icon.addPixmap(images.at(qsizetype(i)));
        if (!icon.isNull() && qsizetype(i) < large.size())
            icon.addPixmap(large.at(qsizetype(i)));
        holder->setIcon(icon);
        m_menuImageToolBar->addAction(holder);
        m_menuImages.insert(id, holder);
    }
}

QIcon CMainFrame::MenuImage(int id) const
{
    const QAction* holder = m_menuImages.value(id);
    return holder ? holder->icon() : QIcon();
}

QMenu* CMainFrame::AddMenu(QMenu* parentMenu, const QString& title)
{
    QMenu* menu = parentMenu ? parentMenu->addMenu(title) : menuBar()->addMenu(title);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    return menu;
}

// A menu item shows its caption as given; the text after a tab is the key
// name, which the menu shows right-aligned.
void CMainFrame::AddMenuItem(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut)
{
    QAction* action = MakeAction(id, text, this);
    action->setIcon(MenuImage(id));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // accelerators work while the menus are closed
    }
    menu->addAction(action);
    m_actions.insert(id, action);
}

void CMainFrame::CreateMenus()
{
    QMenu* job = AddMenu(nullptr, tr("&Job"));
    AddMenuItem(job, IdJobAdd, tr("&Add\tF2"), QKeySequence(Qt::Key_F2));
    // Ctrl+O as in other programs that open files, beside F2.
    Action(IdJobAdd)->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_O)});
    AddMenuItem(job, IdJobAddFolder, tr("Add &Folder...\tCtrl+Shift+O"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    AddMenuItem(job, IdJobDelete, tr("&Delete\tDel"), QKeySequence(Qt::Key_Delete));
    AddMenuItem(job, IdJobProperty, tr("&Property"));
    job->addSeparator();
    // Alt+F4 belongs to the window manager, which turns it into a close
    // request; the item only names the key.
    AddMenuItem(job, IdAppExit, tr("&Exit\tALT+F4"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* view = AddMenu(nullptr, tr("&View"));
    QMenu* toolBar = AddMenu(view, tr("ToolBar"));
    AddMenuItem(toolBar, IdMenuCustomize, tr("&Customize..."));
    AddMenuItem(view, IdSettings, tr("&Settings\tF4"), QKeySequence(Qt::Key_F4));

    QMenu* help = AddMenu(nullptr, tr("&Help"));
    AddMenuItem(help, IdHelpTopics, tr("&Help Topics\tF1"), QKeySequence(Qt::Key_F1));
    help->addSeparator();
    AddMenuItem(help, IdAbout, tr("&About"));
}

void CMainFrame::CreateStatusBar()
{
    m_statusBar = new CFlatStatusBar(this);
    m_idleLabel = new QLabel(CommandStrings::IdleMessage(), m_statusBar);
    m_idleLabel->setObjectName(QStringLiteral("IdleMessage"));
    // One pane, stretching over the whole bar. Prompts hide it while shown.
    m_statusBar->addWidget(m_idleLabel, 1);
    setStatusBar(m_statusBar);
}

QAction* CMainFrame::Action(int id) const
{
    return m_actions.value(id);
}

void CMainFrame::SetApplicationTarget(CommandTarget* application)
{
    m_route.SetApplication(application);
    UpdateCommandStates();
}

void CMainFrame::SetActiveView(QWidget* view)
{
    if (view != m_jobTable && view != m_logView)
        view = nullptr;
    if (m_activeView == view)
        return;
    m_activeView = view;
    m_route.SetView(dynamic_cast<CommandTarget*>(view));
    UpdateCommandStates();
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    return m_route.Enabled(id);
}

bool CMainFrame::RouteCommand(int id)
{
    const bool done = m_route.Execute(id);
    UpdateCommandStates();
    return done;
}

void CMainFrame::UpdateCommandStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_route.Enabled(it.key()));
}

void CMainFrame::LogText(const QString& text)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, text] { LogText(text); }, Qt::QueuedConnection);
        return;
    }
    m_logView->AppendLine(text);
}

void CMainFrame::ShowHelpTopic(const QString& page)
{
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this);
    m_helpWindow->ShowTopic(page);
}

void CMainFrame::SetExitQuestion(ExitQuestion question)
{
    m_exitQuestion = std::move(question);
}

bool CMainFrame::JobRowSelected() const
{
    return m_jobTable->HasSelection();
}

bool CMainFrame::JobThreadsRunning() const
{
    return m_jobTable->ThreadsRunning();
}

void CMainFrame::StopJobThreads()
{
    // Input is refused while the threads end, but the window keeps serving
    // their requests and keeps painting.
    setEnabled(false);
    m_jobTable->StopThreads();
    setEnabled(true);
}

bool CMainFrame::CloseRequest()
{
    if (m_closing)
        return false;
    if (!JobThreadsRunning()) {
        m_keptJobs->Freeze();
        return true;
    }
    m_closing = true;
    const bool yes = m_exitQuestion && m_exitQuestion(kExitQuestion());
    if (yes) {
        // Kept as they stand: stopping marks the running jobs as ended.
        m_keptJobs->Freeze();
        StopJobThreads();
    }
    m_closing = false;
    return yes;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!CloseRequest()) {
        event->ignore();
        return;
    }
    m_updateTimer->stop();
    if (m_helpWindow)
        m_helpWindow->close();
    event->accept();
    emit Closed();
}

// The pane that `object` belongs to (the pane itself or its viewport).
QWidget* CMainFrame::PaneOf(QObject* object) const
{
    for (QWidget* pane : {static_cast<QWidget*>(m_jobTable), static_cast<QWidget*>(m_logView)}) {
        if (!pane)
            continue;
        if (object == pane)
            return pane;
        auto* view = qobject_cast<QAbstractScrollArea*>(pane);
        if (view && object == view->viewport())
            return pane;
    }
    return nullptr;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
        || (type == QEvent::FocusIn && IsUserFocus(static_cast<QFocusEvent*>(event)->reason()))) {
        if (QWidget* pane = PaneOf(watched))
            SetActiveView(pane);
    }
    return QMainWindow::eventFilter(watched, event);
}

QMenu* CMainFrame::createPopupMenu()
{
    // No bar-visibility menu: the main toolbar stays, the image bar stays hidden.
    return nullptr;
}

bool CMainFrame::TakesCommand(int id) const
{
    if (IsJobCommand(id))
        return true;
    switch (id) {
    case IdJobAddFolder:
    case IdToolSettings:
    case IdMenuCustomize:
    case IdToolCustomize:
    case IdHelpTopics:
    case IdToolHelpTopics:
    case IdAbout:
    case IdToolAbout:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::CommandEnabled(int id) const
{
    if (NeedsSelectedRow(id))
        return JobRowSelected();
    if (id == IdToolSettings)
        return !JobRowSelected();
    return true;
}

void CMainFrame::OnCommand(int id)
{
    if (IsJobCommand(id)) {
        // The table decides for itself whether it can act now.
        CommandTarget& table = *m_jobTable;
        if (table.TakesCommand(id) && table.CommandEnabled(id))
            table.OnCommand(id);
        return;
    }
    switch (id) {
    case IdJobAddFolder:
        m_jobCommands->OnJobAddFolder();
        break;
    case IdToolSettings:
        OpenSettingsFromToolBar();
        break;
    case IdMenuCustomize:
    case IdToolCustomize:
        CustomizeToolBar();
        break;
    case IdHelpTopics:
    case IdToolHelpTopics:
        ShowHelpTopic(kIntroTopic);
        break;
    case IdAbout:
    case IdToolAbout:
        ShowAboutBox();
        break;
    default:
        break;
    }
}

void CMainFrame::SetUserDefaults(UserDefaults* defaults)
{
    m_defaults = defaults;
    m_jobCommands->SetUserDefaults(defaults);
}

void CMainFrame::SetSettingsSheetOpener(SettingsSheetOpener opener)
{
    m_openSettingsSheet = std::move(opener);
}

void CMainFrame::OpenSettingsFromToolBar()
{
    // Opened by the application object; a frame without one has no sheet.
    if (m_openSettingsSheet)
        m_openSettingsSheet();
}

void CMainFrame::ShowAboutBox()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::CustomizeToolBar()
{
    // The dialog opens once the command's click is over: it may take away
    // the very toolbar button that was clicked, whose widget must not go
    // while it still handles the click.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (findChild<CToolBarCustomizeDlg*>(QString(), Qt::FindDirectChildrenOnly))
                return;  // already open
            // The toolbar's own buttons are all it can hold; the arrangement
            // lasts until the program ends.
            QList<QAction*> buttons;
            for (const auto& [id, image] : kToolBarButtons) {
                if (id != 0)
                    buttons.append(Action(id));
            }
            CToolBarCustomizeDlg dialog(*m_mainToolBar, buttons, this);
            dialog.exec();
        },
        Qt::QueuedConnection);
}
