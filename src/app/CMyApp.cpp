// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMyApp.h"

#include "base/CLogView.h"
#include "base/CommandIds.h"
#include "convert/SourceFormats.h"
#include "dialogs/CSettingProp.h"
#include "jobs/CMyListView.h"
#include "window/CMainFrame.h"
#include "window/JobCommands.h"
#include "xp/FlatMenu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <utility>

CMyApp::CMyApp(SettingsStore store) : m_defaults(std::move(store))
{
}

CMyApp::~CMyApp()
{
    // The frame goes first: its job table joins the threads, and the frame
    // holds the defaults handed to it until then.
    m_mainFrame.reset();
}

bool CMyApp::InitInstance()
{
    ReadSettingsFile();
    m_menuHook.emplace();
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->SetApplicationTarget(this);
    m_mainFrame->SetUserDefaults(&m_defaults);
    m_mainFrame->SetSettingsSheetOpener([this] { OpenSettingsSheet(); });
    FlatMenu::PrepareMenuBar(m_mainFrame.get());
    connect(m_mainFrame.get(), &CMainFrame::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    ApplySimultaneousConversions();
    // Every window and dialog keeps inside the screen's available area.
    qApp->installEventFilter(&m_screenFit);
    m_mainFrame->show();
    // The questions asked at start open once the window manager has put the
    // window in its place, so that they stand centred on it.
    WaitUntilPlaced(*m_mainFrame);
    if (!m_mainFrame->isVisible()) {
        // Closed while it was being placed: its quit request came before
        // the event loop that it ends.
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return true;
    }
    // Files from the file manager may be dropped on the job table only.
    m_mainFrame->JobTable()->setAcceptDrops(true);
    m_mainFrame->LogView()->setAcceptDrops(false);
    // The arrow keys move through the rows from the start.
    m_mainFrame->JobTable()->setFocus();
    m_mainFrame->OfferKeptJobs();
    m_mainFrame->ApplySettings();
    for (const QString& line : std::exchange(m_startNotAdded, {}))
        m_mainFrame->LogText(line + QStringLiteral("\r\n"));
    // Files from the command line, once the window is up: their dialogs
    // open over it, as they would after Job > Add.
    if (!m_startFiles.isEmpty()) {
        QTimer::singleShot(0, m_mainFrame.get(), [this, files = std::exchange(m_startFiles, {})] {
            m_mainFrame->Commands()->AddGivenFiles(files);
        });
    }
    return true;
}

void CMyApp::WaitUntilPlaced(QWidget& window)
{
    QElapsedTimer waited;
    waited.start();
    const auto exposed = [&window] { return window.windowHandle() && window.windowHandle()->isExposed(); };
    while (!exposed() && waited.elapsed() < kPlacementWaitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // The window manager's word on the frame's position follows the exposure.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

int CMyApp::ExitInstance(int exitCode)
{
    qApp->removeEventFilter(&m_screenFit);
    WriteSettingsFile();
    m_menuHook.reset();
    return exitCode;
}

int CMyApp::Run()
{
    if (!InitInstance())
        return ExitInstance(1);
    return ExitInstance(QApplication::exec());
}

QStringList CMyApp::StartFiles(const QStringList& paths, QStringList& notAdded)
{
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir() || (info.isFile() && SourceFormat::IsSourceName(info.fileName().toStdString())))
            files << QDir::cleanPath(info.absoluteFilePath());
        else if (info.isFile())
            notAdded << tr("%1: not an audio file this program converts, not added").arg(path);
        else
            notAdded << tr("%1: no such file or folder, not added").arg(path);
    }
    return files;
}

QString CMyApp::SettingsFilePath() const
{
    return m_defaults.SettingsFilePath();
}

void CMyApp::ReadSettingsFile()
{
    m_defaults.ReadSettingsFile();
}

bool CMyApp::WriteSettingsFile()
{
    return m_defaults.WriteSettingsFile();
}

void CMyApp::OpenSettingsSheet()
{
    CSettingProp::Open(m_defaults.Settings(), m_mainFrame.get());
    ApplySimultaneousConversions();
    if (m_mainFrame)
        m_mainFrame->ApplySettings();
}

void CMyApp::ApplySimultaneousConversions()
{
    if (m_mainFrame)
        m_mainFrame->JobTable()->Threads().SetSimultaneousConversions(Settings().SimultaneousConversions);
}

bool CMyApp::TakesCommand(int id) const
{
    return id == IdSettings || id == IdToolExit || id == IdAppExit;
}

void CMyApp::OnCommand(int id)
{
    if (id == IdSettings)
        OpenSettingsSheet();
    else if (id == IdToolExit || id == IdAppExit)
        CloseMainFrame();
}

// Every exit command becomes the main frame's close request.
void CMyApp::CloseMainFrame()
{
    if (m_mainFrame)
        m_mainFrame->close();
}

bool CMyApp::DisplayConfigured(const QByteArray& display, const QByteArray& waylandDisplay, const QByteArray& platform)
{
    return !display.isEmpty() || !waylandDisplay.isEmpty() || !platform.isEmpty();
}

QString CMyApp::NoDisplayMessage(const QString& program)
{
    return tr("%1: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
              "Vorlanta is a desktop program and needs a graphical session. To run it\n"
              "without one, start it under a virtual X server:\n"
              "    xvfb-run -a %1\n"
              "or choose a Qt platform plugin explicitly, for example:\n"
              "    QT_QPA_PLATFORM=offscreen %1\n")
        .arg(program);
}
