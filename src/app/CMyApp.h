// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CommandTarget.h"
#include "base/ScreenFit.h"
#include "base/SettingsRecord.h"
#include "base/SettingsStore.h"
#include "base/UserDefaults.h"
#include "xp/ScopedMenuHook.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

class CMainFrame;

// The application object: owns the main frame and the user defaults, runs
// start-up and exit, and takes the application-wide commands (settings,
// exit). One exists per run. The layers below never reach it: it hands them
// the user defaults and the callbacks they need.
class CMyApp : public QObject, public CommandTarget {
    Q_OBJECT

public:
    // Needs a QApplication. `store` says where the settings file lives.
    explicit CMyApp(SettingsStore store = SettingsStore());
    ~CMyApp() override;
    CMyApp(const CMyApp&) = delete;
    CMyApp& operator=(const CMyApp&) = delete;

    // Start-up: reads the settings, creates the main frame, shows it and
    // lets the job table take file drops. True when the event loop may run.
    bool InitInstance();
    // Exit, after the event loop: writes the settings. Returns `exitCode`.
    int ExitInstance(int exitCode);
    // InitInstance, the event loop until the main frame has closed, and
    // ExitInstance; the process exit code.
    int Run();

    // Files to add once the main frame shows, as if chosen with Job > Add;
    // folders among them as with Add Folder.
    void SetStartFiles(const QStringList& files) { m_startFiles = files; }
    // Names from the command line that are neither file nor folder: the
    // log says so once the window shows (stderr has said so already).
    // Log lines for the command line's names that were not added.
    void SetStartNotAdded(const QStringList& lines) { m_startNotAdded = lines; }
    // The absolute paths of the `paths` that name folders, or files of a
    // kind the program converts (as Add Folder and drops take them), in
    // order; for each other name a line saying why is appended to `notAdded`.
    static QStringList StartFiles(const QStringList& paths, QStringList& notAdded);

    // The main frame; nullptr before InitInstance.
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

    SettingsRecord& Settings() { return m_defaults.Settings(); }
    const SettingsRecord& Settings() const { return m_defaults.Settings(); }
    UserDefaults& Defaults() { return m_defaults; }
    QString SettingsFilePath() const;
    void ReadSettingsFile();
    // False when the file could not be written; nothing is shown then.
    bool WriteSettingsFile();

    // Opens the settings sheet (View, Settings; F4; the toolbar's Settings).
    void OpenSettingsSheet();
    // Hands the number of simultaneous conversions to the job threads.
    void ApplySimultaneousConversions();

    // CommandTarget: 40009 settings, 40036 and 57665 exit.
    bool TakesCommand(int id) const override;
    void OnCommand(int id) override;

    // Whether Qt can reach a display: an X11 or Wayland display is named, or
    // a platform plugin is chosen explicitly (offscreen, vnc, ...).
    static bool DisplayConfigured(const QByteArray& display, const QByteArray& waylandDisplay,
                                  const QByteArray& platform);
    // What the program prints when it cannot reach a display.
    static QString NoDisplayMessage(const QString& program);

private:
    static constexpr int kPlacementWaitMs = 1000;

    void CloseMainFrame();
    // Handles events until `window` is on screen, for a second at most.
    static void WaitUntilPlaced(QWidget& window);

    UserDefaults m_defaults;
    QStringList m_startFiles;
    QStringList m_startNotAdded;
    ScreenFitFilter m_screenFit;
    std::unique_ptr<CMainFrame> m_mainFrame;
    // The flat popup decoration, from start-up to exit.
    std::optional<ScopedMenuHook> m_menuHook;
};
