// SPDX-License-Identifier: GPL-3.0-or-later
// Adding a whole library through the window: Add Folder over a generated
// tree of 10,000 files (empty stand-ins), read and queued as jobs with the
// same settings, beside the engine's folder walk alone and the same window
// with no jobs, each in a process of its own for its peak memory.
//
//   vorlanta-bench-folder [--runs N]
//   vorlanta-bench-folder --add FOLDER      (child: adds FOLDER, prints "SECONDS JOBS")

#include "BatchBench.h"
#include "ChildRun.h"
#include "JobDialogKit.h"
#include "TempDir.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"
#include "window/JobCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int AddFolder(const QString& folder)
{
    DefaultsInTempDir env{"/", "c", "128"};
    CMyListView table;
    table.Threads().State().SchedulingPaused = 1;  // queued, not converted
    JobCommands commands(table);
    commands.SetUserDefaults(&env.defaults);
    PromptLog prompts;  // no message box waits for an answer
    commands.SetPrompts(prompts.Prompts());
    // The first file's dialog is accepted as offered: the rest of the
    // folder follows with its settings.
    commands.SetAddDialogRunner([](CJobAddDialog& dialog) {
        dialog.show();
        dialog.OkButton()->click();
        return dialog.result();
    });
    QElapsedTimer timer;
    timer.start();
    commands.AddFolder(folder);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("%.6f %d\n", seconds, table.JobCount());
    table.StopThreads();
    return 0;
}

std::string ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string self = ProgramFolder() + "/vorlanta-bench-folder";
    if (argc == 3 && std::string(argv[1]) == "--add")
        return AddFolder(QString::fromLocal8Bit(argv[2]));
    int runs = 3;
    if (argc == 3 && std::string(argv[1]) == "--runs")
        runs = std::max(1, std::atoi(argv[2]));

    TempDir dir;
    const std::string library = dir.File("library");
    const std::string empty = dir.File("empty");
    BatchBench::MakeLibrary(library);
    std::filesystem::create_directories(empty);

    const ChildRun walk = ChildRun::Best({ProgramFolder() + "/vorlanta-bench", "--walk", library}, runs);
    const ChildRun none = ChildRun::Best({self, "--add", empty}, runs);
    const ChildRun add = ChildRun::Best({self, "--add", library}, runs);
    double walkSeconds = 0, addSeconds = 0;
    std::size_t walkFound = 0;
    int jobs = 0;
    std::sscanf(walk.output.c_str(), "%lf %zu", &walkSeconds, &walkFound);
    std::sscanf(add.output.c_str(), "%lf %d", &addSeconds, &jobs);
    std::printf("\nAdd Folder over %d files in %d folders (best of %d, each in its own process):\n",
                BatchBench::kLibraryFiles, BatchBench::kLibraryFiles / 10, runs);
    std::printf("%-44s %10s %8s %14s\n", "", "seconds", "files", "peak MiB");
    std::printf("%-44s %10.3f %8zu %14.1f\n", "engine folder walk alone (vorlanta-bench)", walkSeconds, walkFound,
                static_cast<double>(walk.peakKiB) / 1024.0);
    std::printf("%-44s %10s %8d %14.1f\n", "window with no jobs (an empty folder added)", "-", 0,
                static_cast<double>(none.peakKiB) / 1024.0);
    std::printf("%-44s %10.3f %8d %14.1f\n", "window: Add Folder, read and queued", addSeconds, jobs,
                static_cast<double>(add.peakKiB) / 1024.0);
    std::printf("the queued jobs cost %.1f MiB over the empty window\n",
                static_cast<double>(add.peakKiB - none.peakKiB) / 1024.0);
    return 0;
}
