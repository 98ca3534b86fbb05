// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchBench.h"

#include "BenchSource.h"
#include "ChildRun.h"
#include "TempDir.h"
#include "convert/ActivityLog.h"
#include "convert/Mp3FolderWalk.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kSources = 20;
constexpr int kWalkFiles = BatchBench::kLibraryFiles;
constexpr int kQueuedJobs = 10000;

struct Batch {
    std::string name;
    std::string folder;  // the sources
};

// One line of the table: wall and processor seconds per batch, best of the runs.
struct BatchRow {
    std::string name;
    std::vector<double> seconds;
    std::vector<double> processor;
};

struct Timing {
    double wall = 1e9;
    double processor = 1e9;
    void Take(const ChildRun& run)
    {
        wall = std::min(wall, run.status == 0 ? run.wallSeconds : -1.0);
        processor = std::min(processor, run.seconds);
    }
};

int Cores()
{
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// `count` copies of one synthesised source: every job does the same work.
Batch MakeBatch(const std::string& root, const std::string& name, double seconds, int count)
{
    const std::string folder = root + "/" + name;
    fs::create_directories(folder);
    const std::string first = folder + "/source00.mp3";
    BenchSource::Make(first, seconds);
    for (int i = 1; i < count; ++i) {
        char file[32];
        std::snprintf(file, sizeof file, "/source%02d.mp3", i);
        fs::copy_file(first, folder + file);
    }
    return {name, folder};
}

std::vector<std::string> Sources(const Batch& batch)
{
    std::vector<std::string> sources;
    for (const auto& entry : fs::directory_iterator(batch.folder))
        sources.push_back(entry.path().string());
    std::sort(sources.begin(), sources.end());
    return sources;
}

ChildRun TimeOf(const std::vector<std::string>& argv, const std::string& results)
{
    fs::remove_all(results);
    fs::create_directories(results);
    const ChildRun run = ChildRun::Of(argv);
    if (run.status != 0)
        std::fprintf(stderr, "%s failed (%d)\n", argv[0].c_str(), run.status);
    return run;
}

std::vector<std::string> CliArgs(const std::string& bin, int jobs, const Batch& batch, const std::string& results)
{
    std::vector<std::string> argv{bin + "/vorlanta-cli", "-j", std::to_string(jobs), "-b", "128", "-d", results};
    for (const std::string& source : Sources(batch))
        argv.push_back(source);
    return argv;
}

// The window's run: its wall time is the window's own figure, from the first
// job added to the queue running empty, without the program's start.
ChildRun WindowTime(const std::string& bin, int simultaneous, const Batch& batch, const std::string& results)
{
    ChildRun run = TimeOf({bin + "/vorlanta-bench-gui", "--batch", batch.folder, results, std::to_string(simultaneous)},
                          results);
    if (run.status == 0 && std::sscanf(run.output.c_str(), "%lf", &run.wallSeconds) != 1)
        run.status = -1;
    return run;
}

bool HaveWindow(const std::string& bin)
{
    return fs::exists(bin + "/vorlanta-bench-gui");
}

std::vector<std::string> PeerArgs(int jobs, const Batch& batch, const std::string& results)
{
    // One source a line: the batch folders' names hold blanks.
    const std::string script = "printf '%s\\n' '" + batch.folder + "'/*.mp3 | xargs -d '\\n' -P " + std::to_string(jobs)
        + " -n 1 sh -c 'lame --quiet --mp3input -b 128 \"$1\" " + "\"$0/${1##*/}\"' '" + results + "'";
    return {"sh", "-c", script};
}

void PrintTable(const std::vector<Batch>& batches, const std::vector<BatchRow>& rows)
{
    std::printf("%-40s", "best of the runs: wall s (processor s)");
    for (const Batch& batch : batches)
        std::printf(" %20s", batch.name.c_str());
    std::printf("\n");
    for (const BatchRow& row : rows) {
        std::printf("%-40s", row.name.c_str());
        for (std::size_t i = 0; i < row.seconds.size(); ++i)
            std::printf(" %11.2f (%6.2f)", row.seconds[i], row.processor[i]);
        std::printf("\n");
    }
}

void PrintScaling(const std::vector<Batch>& batches, const BatchRow& one, const BatchRow& all, const BatchRow& peer,
                  int cores)
{
    for (std::size_t i = 0; i < batches.size(); ++i) {
        const double ratio = all.seconds[i] / one.seconds[i];
        std::printf("%s: (b)/(a) = %.2f (target <= 0.60 on two cores), speed-up %.2f on %d cores (%.0f %% of "
                    "linear); (b) is %.2f x as fast as the peer\n",
                    batches[i].name.c_str(), ratio, 1 / ratio, cores, 100 / ratio / cores,
                    peer.seconds[i] / all.seconds[i]);
    }
}

// Other work on the machine falls on the figures: say how much there was.
std::string LoadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five;
    in >> one >> five;
    return one + " (1 min), " + five + " (5 min)";
}

class QuietLog : public ActivityLog {
public:
    void showmessage(const std::string&) override { }
};

// The window with 10,000 jobs: adding them as one same-settings batch,
// memory, and how the window answers while every core converts.
void PrintQueuedJobs(const std::string& bin, const std::string& folder)
{
    fs::create_directories(folder);
    const ChildRun run = ChildRun::Of({bin + "/vorlanta-bench-gui", "--scale", std::to_string(kQueuedJobs), folder});
    int added = 0, converted = 0;
    double addSeconds = 0, waitMs = 0, scrollMs = 0, menuMs = 0, removeSeconds = 0;
    long baseKiB = 0, addedKiB = 0, peakKiB = 0;
    if (run.status != 0
        || std::sscanf(run.output.c_str(), "%d %lf %ld %ld %ld %lf %lf %lf %d %lf", &added, &addSeconds, &baseKiB,
                       &addedKiB, &peakKiB, &waitMs, &scrollMs, &menuMs, &converted, &removeSeconds)
            != 10) {
        std::fprintf(stderr, "vorlanta-bench-gui --scale failed (%d)\n", run.status);
        return;
    }
    std::printf("Window with %d queued jobs: added through Add with \"Use Same Settings\" in %.2f s (target < 2); "
                "memory %.1f MiB after adding (%.1f MiB of it the jobs), peak %.1f MiB (target < 100)\n",
                added, addSeconds, addedKiB / 1024.0, (addedKiB - baseKiB) / 1024.0, peakKiB / 1024.0);
    std::printf("  while %d jobs converted (8 s, every core): longest wait for events %.1f ms, scroll with "
                "repaint %.1f ms, menu open and close %.1f ms (target < 100); removing all rows one by one "
                "from the top %.2f s\n",
                converted, waitMs, scrollMs, menuMs, removeSeconds);
}

}  // namespace

// A tree like a music library: 100 artists, 10 albums each, 10 tracks each,
// and a cover picture per album that the walk passes by.
void BatchBench::MakeLibrary(const std::string& root)
{
    int made = 0;
    for (int artist = 0; made < kWalkFiles; ++artist) {
        for (int album = 0; album < 10 && made < kWalkFiles; ++album) {
            const std::string folder = root + "/Artist " + std::to_string(artist) + "/Album " + std::to_string(album);
            fs::create_directories(folder);
            std::ofstream(folder + "/cover.jpg");
            for (int track = 0; track < 10 && made < kWalkFiles; ++track, ++made)
                std::ofstream(folder + "/" + std::to_string(track) + " Track.mp3");
        }
    }
}

int BatchBench::Walk(const std::string& folder)
{
    QuietLog log;
    std::vector<Mp3FolderWalk::Found> found;
    const auto start = std::chrono::steady_clock::now();
    Mp3FolderWalk::Find(folder, log, found);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %zu\n", seconds, found.size());
    return 0;
}

int BatchBench::Run(const std::string& bin, int runs)
{
    const int cores = Cores();
    TempDir dir;
    std::printf("\nBatch: %d sources of 10 s and %d of 3 minutes (44.1 kHz stereo, 192 kbit/s) to 128 kbit/s; "
                "load average %s\n",
                kSources, kSources, LoadAverage().c_str());
    std::fflush(stdout);
    const std::vector<Batch> batches{MakeBatch(dir.Path(), "20 x 10 s", 10, kSources),
                                     MakeBatch(dir.Path(), "20 x 3 min", 180, kSources)};
    const std::string results = dir.File("results");
    BatchRow one{"(a) vorlanta-cli -j 1", {}, {}};
    BatchRow all{"(b) vorlanta-cli -j " + std::to_string(cores), {}, {}};
    BatchRow peer{"peer: xargs -P " + std::to_string(cores) + " lame --mp3input", {}, {}};
    const bool window = HaveWindow(bin);
    BatchRow windowOne{"(c) window, 1 simultaneous conversion", {}, {}};
    BatchRow windowAll{"(c) window, " + std::to_string(cores) + " simultaneous conversions", {}, {}};
    for (const Batch& batch : batches) {
        Timing a, b, p, c1, cn;
        // They alternate, so a change in the machine's load falls on all alike.
        for (int i = 0; i < runs; ++i) {
            a.Take(TimeOf(CliArgs(bin, 1, batch, results), results));
            b.Take(TimeOf(CliArgs(bin, cores, batch, results), results));
            p.Take(TimeOf(PeerArgs(cores, batch, results), results));
            if (window) {
                c1.Take(WindowTime(bin, 1, batch, results));
                cn.Take(WindowTime(bin, cores, batch, results));
            }
        }
        for (auto [row, timing] : {std::pair{&one, a}, std::pair{&all, b}, std::pair{&peer, p},
                                   std::pair{&windowOne, c1}, std::pair{&windowAll, cn}}) {
            row->seconds.push_back(timing.wall);
            row->processor.push_back(timing.processor);
        }
    }
    std::vector<BatchRow> rows{one, all};
    if (window)
        rows.insert(rows.end(), {windowOne, windowAll});
    rows.push_back(peer);
    std::printf("load average after the runs: %s\n", LoadAverage().c_str());
    PrintTable(batches, rows);
    PrintScaling(batches, one, all, peer, cores);
    if (window) {
        for (std::size_t i = 0; i < batches.size(); ++i)
            std::printf("%s: (c) at 1 = %.2f x (a) (target <= 1.10); (c) at %d = %.2f x (b) (target <= 1.10)\n",
                        batches[i].name.c_str(), windowOne.seconds[i] / one.seconds[i], cores,
                        windowAll.seconds[i] / all.seconds[i]);
        PrintQueuedJobs(bin, dir.File("queued"));
    }

    const std::string library = dir.File("library");
    MakeLibrary(library);
    const ChildRun walk = ChildRun::Best({bin + "/vorlanta-bench", "--walk", library}, runs);
    double seconds = 0;
    std::size_t found = 0;
    std::sscanf(walk.output.c_str(), "%lf %zu", &seconds, &found);
    std::printf("Folder walk: %zu files in %d folders found in %.3f s, peak memory of the whole process %.1f MiB\n",
                found, kWalkFiles / 10, seconds, static_cast<double>(walk.peakKiB) / 1024.0);
    return 0;
}
