// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowBatch.h"

#include "BenchSource.h"
#include "base/CLogView.h"
#include "base/UserDefaults.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"
#include "window/JobCommands.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

double Seconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// Handles events as the program's own loop does until `done` holds.
void RunUntil(const std::function<bool()>& done)
{
    while (!done()) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

int Cores()
{
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// The job table and the log as the main window shows them.
void ShowWindow(CMyListView& table, CLogView& log)
{
    table.SetLogView(&log);
    table.resize(800, 400);
    log.resize(800, 200);
    table.show();
    log.show();
}

bool Idle(CMyListView& table)
{
    return table.JobCount() == 0 && table.Threads().State().WorkerBusy == 0;
}

}  // namespace

int WindowBatch::Convert(const std::string& sources, const std::string& results, int simultaneous)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(sources))
        if (entry.path().extension() == ".mp3")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());

    CLogView log;
    CMyListView table;
    table.Threads().SetSimultaneousConversions(simultaneous);
    ShowWindow(table, log);

    QElapsedTimer timer;
    timer.start();
    for (const std::string& file : files) {
        const std::string result = results + "/" + fs::path(file).stem().string() + "_128.mp3";
        table.AddJob(QString::fromStdString(file), QString::fromStdString(result), 128);
    }
    RunUntil([&] { return Idle(table); });
    const double seconds = Seconds(timer);
    table.StopThreads();
    std::printf("%.6f\n", seconds);
    return 0;
}

int WindowBatch::Scale(int jobs, const std::string& workFolder)
{
    // Distinct names for one short source, as a library of songs would give.
    const std::string source = workFolder + "/source.mp3";
    BenchSource::Make(source, 5);
    fs::create_directories(workFolder + "/in");
    fs::create_directories(workFolder + "/out");
    QStringList chosen;
    for (int i = 0; i < jobs; ++i) {
        const std::string link = workFolder + "/in/song" + std::to_string(i) + ".mp3";
        fs::create_symlink(source, link);
        chosen << QString::fromStdString(link);
    }
    const long baseKiB = StatusKiB("VmRSS:");

    UserDefaults defaults(
        SettingsStore({QString::fromStdString(workFolder), QString::fromStdString(workFolder), nullptr}));
    defaults.Settings()
        = {QString::fromStdString(workFolder + "/in"), QString::fromStdString(workFolder + "/out"), "128", 1};
    CLogView log;
    CMyListView table;
    table.Threads().SetSimultaneousConversions(Cores());
    JobCommands commands(table);
    commands.SetUserDefaults(&defaults);
    commands.SetFileChooser([&](QWidget*, const QString&) { return chosen; });
    // The first file's dialog: "Use Same Settings for this batch of files", OK.
    commands.SetAddDialogRunner([](CJobAddDialog& dialog) {
        dialog.show();
        dialog.SameSettingsBox()->click();
        dialog.OkButton()->click();
        return dialog.result();
    });
    ShowWindow(table, log);

    QElapsedTimer timer;
    timer.start();
    commands.OnJobAdd(0);
    const double addSeconds = Seconds(timer);
    const int added = table.JobCount();
    const long addedKiB = StatusKiB("VmRSS:");

    // While jobs run: the longest the window's thread was away from its
    // events (a timer that should fire every 10 ms), and the slowest scroll
    // with a full repaint and the slowest menu opened and closed.
    double longestWaitMs = 0;
    double slowestScrollMs = 0;
    double slowestMenuMs = 0;
    QElapsedTimer tick;
    tick.start();
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestWaitMs = std::max(longestWaitMs, static_cast<double>(tick.nsecsElapsed()) / 1e6 - 10);
        tick.restart();
    });
    probe.start();
    QMenu menu;
    for (const char* item : {"Add", "Delete", "Property", "Settings"})
        menu.addAction(item);
    QElapsedTimer running;
    running.start();
    int step = 0;
    RunUntil([&] {
        if (running.elapsed() < 1000 + 100 * step)
            return false;
        ++step;
        QElapsedTimer one;
        one.start();
        QScrollBar* bar = table.verticalScrollBar();
        bar->setValue((bar->value() + bar->maximum() / 7 + 1) % (bar->maximum() + 1));
        table.viewport()->repaint();
        slowestScrollMs = std::max(slowestScrollMs, static_cast<double>(one.nsecsElapsed()) / 1e6);
        one.restart();
        menu.popup(table.mapToGlobal(QPoint(20, 20)));
        menu.repaint();
        menu.hide();
        slowestMenuMs = std::max(slowestMenuMs, static_cast<double>(one.nsecsElapsed()) / 1e6);
        tick.restart();  // the measurement itself is not a wait
        return running.elapsed() > 8000;
    });
    probe.stop();
    const int converted = added - table.JobCount();
    const long peakKiB = StatusKiB("VmHWM:");
    table.StopThreads();

    // The rows leave one by one from the top, as the scheduler removes them.
    timer.restart();
    while (table.JobCount() > 0)
        table.Queue().RemoveAt(0);
    const double removeSeconds = Seconds(timer);

    std::printf("%d %.6f %ld %ld %ld %.3f %.3f %.3f %d %.6f\n", added, addSeconds, baseKiB, addedKiB, peakKiB,
                longestWaitMs, slowestScrollMs, slowestMenuMs, converted, removeSeconds);
    return 0;
}
