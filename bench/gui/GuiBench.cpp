// SPDX-License-Identifier: GPL-3.0-or-later
// The window's cost to a conversion: the same job run by the engine alone
// and through the job table's scheduler and worker, with its Status cell
// and log lines delivered to the (offscreen) window.
//
//   vorlanta-bench-gui [--minutes M] [--runs N]
//   vorlanta-bench-gui --batch SOURCES RESULTS N   (the batch section's window rows)
//   vorlanta-bench-gui --scale JOBS FOLDER         (the batch section's 10,000 jobs)

#include "BenchSource.h"
#include "RecordingHost.h"
#include "TempDir.h"
#include "WindowBatch.h"
#include "base/CLogView.h"
#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/SilentJobHost.h"
#include "jobs/CMyListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double EngineAlone(const std::string& source, const std::string& result)
{
    SilentJobHost silent(source, result);
    ConversionHost host{silent, silent, silent, RecordingHost::ProgramFolder()};
    std::atomic<int> control{JobControl::Run};
    QElapsedTimer timer;
    timer.start();
    vorlanta(host, silent.Job(), control);
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// Wall time of the conversion routine itself, run by the table's worker.
double ThroughWindow(CMyListView& table, const std::string& source, const std::string& result)
{
    double seconds = -1;
    table.Threads().SetConversionRoutine(
        [&](ConversionHost& host, const JobSpec& job, const std::atomic<int>& control) {
            QElapsedTimer timer;
            timer.start();
            ConversionOutcome outcome = vorlanta(host, job, control);
            seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
            return outcome;
        });
    table.AddJob(QString::fromStdString(source), QString::fromStdString(result), 128);
    // Sleep in an event loop between looks, as the program's own loop would.
    while (table.JobCount() > 0 || seconds < 0) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 5 && std::string(argv[1]) == "--batch")
        return WindowBatch::Convert(argv[2], argv[3], std::atoi(argv[4]));
    if (argc == 4 && std::string(argv[1]) == "--scale")
        return WindowBatch::Scale(std::atoi(argv[2]), argv[3]);
    double minutes = 3;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--minutes")
            minutes = std::atof(argv[i + 1]);
        else if (std::string(argv[i]) == "--runs")
            runs = std::atoi(argv[i + 1]);
    }
    TempDir dir;
    const std::string source = dir.File("source.mp3");
    std::printf("Synthesising a %.0f-minute source...\n", minutes);
    std::fflush(stdout);
    BenchSource::Make(source, minutes * 60);

    CLogView log;
    CMyListView table;
    table.SetLogView(&log);
    table.Threads().SetPassInterval(std::chrono::milliseconds(100));
    table.resize(800, 300);
    log.resize(800, 200);
    table.show();
    log.show();

    double alone = 1e9;
    double windowed = 1e9;
    for (int i = 0; i < std::max(1, runs); ++i) {
        alone = std::min(alone, EngineAlone(source, dir.File("alone.mp3")));
        windowed = std::min(windowed, ThroughWindow(table, source, dir.File("window.mp3")));
    }
    std::printf("\nWall seconds of the conversion, best of %d alternating runs:\n", std::max(1, runs));
    std::printf("  engine alone                       %8.3f\n", alone);
    std::printf("  through the window's worker        %8.3f   (%.3f x the engine alone)\n", windowed, windowed / alone);
    table.StopThreads();
    return 0;
}
