// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion benchmark: the engine against the encode-only floor and
// against the lame and ffmpeg command-line tools, on synthesised sources;
// variable bitrate against lame's, and what loudness analysis adds to a job.
//
//   vorlanta-bench [--minutes M] [--long-minutes L] [--runs N] [--batch-runs N]
//   vorlanta-bench --batch-only [--batch-runs N]        (only the batch section)
//   vorlanta-bench --flac-only [--minutes M] [--runs N]  (only the FLAC section)
//   vorlanta-bench --encode-only SOURCE RESULT KBPS     (one floor run)
//   vorlanta-bench --encode-only-decoded SOURCE RESULT KBPS  (one floor run, FLAC source)
//   vorlanta-bench --make-source PATH SECONDS           (a demo MP3)
//   vorlanta-bench --walk FOLDER                        (one folder walk)

#include "BatchBench.h"
#include "BenchSource.h"
#include "ChildRun.h"
#include "EncodeOnly.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

bool Installed(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

struct Row {
    std::string name;
    double wall;
    double processor;
    long peakKiB;
};

void Print(const std::vector<Row>& rows, const Row& floor, double audioSeconds)
{
    std::printf("\nBest of the runs; wall seconds (what the user waits) and processor seconds (user + system):\n");
    std::printf("%-34s %8s %8s %10s %8s %8s %9s\n", "", "wall s", "x floor", "x realtime", "cpu s", "x floor",
                "peak MiB");
    for (const auto& row : rows)
        std::printf("%-34s %8.3f %8.3f %10.1f %8.3f %8.3f %9.1f\n", row.name.c_str(), row.wall, row.wall / floor.wall,
                    audioSeconds / row.wall, row.processor, row.processor / floor.processor,
                    static_cast<double>(row.peakKiB) / 1024.0);
}

Row Fastest(const std::string& name, const std::vector<std::string>& argv, int runs)
{
    Row row{name, 1e9, 1e9, 0};
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = ChildRun::Of(argv);
        row.wall = std::min(row.wall, run.wallSeconds);
        row.processor = std::min(row.processor, run.seconds);
        row.peakKiB = std::max(row.peakKiB, run.peakKiB);
    }
    return row;
}

// The engine's runs and its encode-only floor's (`floorCommand` prints its
// processor and wall seconds) alternate, so a change in the machine's load
// falls on both alike; the best of each.
bool EngineAndFloor(const std::string& cli, const std::vector<std::string>& floorCommand, const std::string& source,
                    const std::string& result, int runs, Row& engine, Row& floor)
{
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = ChildRun::Of({cli, "--overwrite", "-b", "128", "-o", result, source});
        if (run.status != 0) {
            std::fprintf(stderr, "vorlanta-cli failed (%d)\n", run.status);
            return false;
        }
        engine.wall = std::min(engine.wall, run.wallSeconds);
        engine.processor = std::min(engine.processor, run.seconds);
        engine.peakKiB = std::max(engine.peakKiB, run.peakKiB);
        const ChildRun floorRun = ChildRun::Of(floorCommand);
        double processor = -1, wall = -1;
        if (std::sscanf(floorRun.output.c_str(), "%lf %lf", &processor, &wall) != 2 || processor <= 0) {
            std::fprintf(stderr, "the encode-only run failed\n");
            return false;
        }
        floor.wall = std::min(floor.wall, wall);
        floor.processor = std::min(floor.processor, processor);
        floor.peakKiB = std::max(floor.peakKiB, floorRun.peakKiB);
    }
    return true;
}

// Runs the commands in turn, `runs` times, so a change in the machine's load
// falls on all of them alike; the best of each.
std::vector<Row> Alternating(const std::vector<std::pair<std::string, std::vector<std::string>>>& commands, int runs)
{
    std::vector<Row> rows;
    for (const auto& command : commands)
        rows.push_back(Row{command.first, 1e9, 1e9, 0});
    for (int i = 0; i < runs; ++i) {
        for (std::size_t c = 0; c < commands.size(); ++c) {
            const ChildRun run = ChildRun::Of(commands[c].second);
            rows[c].wall = std::min(rows[c].wall, run.wallSeconds);
            rows[c].processor = std::min(rows[c].processor, run.seconds);
            rows[c].peakKiB = std::max(rows[c].peakKiB, run.peakKiB);
        }
    }
    return rows;
}

// What loudness analysis adds to a job, from serial jobs (-j 1): a split
// job's processor time also moves with how busy the other core is. The
// two run back to back in each of several rounds; the median round's
// ratio counts, as this kind of machine's speed drifts between rounds by
// more than the cost measured.
void LoudnessCost(const std::string& cli, const std::string& source, const std::string& result)
{
    constexpr int kRounds = 9;
    std::vector<double> processor, wall;
    for (int i = 0; i < kRounds; ++i) {
        const ChildRun plain = ChildRun::Of({cli, "--overwrite", "-j", "1", "-b", "128", "-o", result, source});
        const ChildRun measured
            = ChildRun::Of({cli, "--overwrite", "-j", "1", "-b", "128", "--replaygain", "track", "-o", result, source});
        processor.push_back(measured.seconds / plain.seconds - 1);
        wall.push_back(measured.wallSeconds / plain.wallSeconds - 1);
    }
    const auto [least, most] = std::minmax_element(processor.begin(), processor.end());
    std::printf("Loudness analysis adds %.1f %% processor time (%.1f %% wall) to a 128 kbit/s job (-j 1, median of %d "
                "rounds; processor time from %.1f to %.1f %%)\n",
                100.0 * Median(processor), 100.0 * Median(wall), kRounds, 100.0 * *least, 100.0 * *most);
}

// Variable bitrate V2 beside lame's, and constant 128 kbit/s with and
// without loudness analysis (ReplayGain tags), side by side in one run.
void VbrAndLoudness(const std::string& cli, const std::string& source, const std::string& result, int runs,
                    const Row& floor, double audioSeconds)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> commands{
        {"vorlanta-cli -V 2", {cli, "--overwrite", "-V", "2", "-o", result, source}},
        {"vorlanta-cli -b 128", {cli, "--overwrite", "-b", "128", "-o", result, source}},
        {"vorlanta-cli -b 128 --replaygain track",
         {cli, "--overwrite", "-b", "128", "--replaygain", "track", "-o", result, source}},
    };
    const bool lame = Installed("lame");
    if (lame)
        commands.push_back({"lame --mp3input -V 2", {"lame", "--quiet", "--mp3input", "-V", "2", source, result}});
    const std::vector<Row> rows = Alternating(commands, runs);
    Print(rows, floor, audioSeconds);
    if (lame)
        std::printf("vorlanta-cli -V 2 is %.2f x faster than lame --mp3input -V 2 (wall)\n",
                    rows[3].wall / rows[0].wall);
    LoudnessCost(cli, source, result);
}

int Benchmark(double minutes, double longMinutes, int runs)
{
    const std::string bin = ProgramFolder();
    TempDir dir;
    const std::string source = dir.File("source.mp3");
    const std::string result = dir.File("result.mp3");
    std::printf("Synthesising a %.0f-minute 44.1 kHz stereo source at 192 kbit/s...\n", minutes);
    std::fflush(stdout);
    BenchSource::Make(source, minutes * 60);
    const double audioSeconds = minutes * 60;

    const std::string cli = bin + "/vorlanta-cli";
    Row engine{"vorlanta-cli -b 128", 1e9, 1e9, 0};
    Row floor{"encode only (the floor)", 1e9, 1e9, 0};
    if (!EngineAndFloor(cli, {bin + "/vorlanta-bench", "--encode-only", source, result, "128"}, source, result, runs,
                        engine, floor))
        return 1;
    std::vector<Row> rows{floor, engine};
    if (Installed("lame"))
        rows.push_back(
            Fastest("lame --mp3input -b 128", {"lame", "--quiet", "--mp3input", "-b", "128", source, result}, runs));
    else
        std::printf("lame is not installed: skipped\n");
    if (Installed("ffmpeg"))
        rows.push_back(Fastest("ffmpeg -c:a libmp3lame -b:a 128k",
                               {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", source, "-c:a", "libmp3lame",
                                "-b:a", "128k", result},
                               runs));
    else
        std::printf("ffmpeg is not installed: skipped\n");
    Print(rows, floor, audioSeconds);
    for (std::size_t i = 2; i < rows.size(); ++i)
        std::printf("vorlanta-cli is %.2f x faster than %s (wall)\n", rows[i].wall / engine.wall, rows[i].name.c_str());
    VbrAndLoudness(cli, source, result, runs, floor, audioSeconds);

    if (longMinutes > 0) {
        std::printf("\nPeak memory against the source's length (vorlanta-cli -b 128):\n");
        std::printf("  %4.0f minutes: %7.1f MiB\n", minutes, static_cast<double>(engine.peakKiB) / 1024.0);
        std::fflush(stdout);
        const std::string longSource = dir.File("long.mp3");
        BenchSource::Make(longSource, longMinutes * 60);
        const ChildRun longRun = ChildRun::Of({cli, "--overwrite", "-b", "128", "-o", result, longSource});
        std::printf("  %4.0f minutes: %7.1f MiB (%.1f s, %.1f x realtime)\n", longMinutes,
                    static_cast<double>(longRun.peakKiB) / 1024.0, longRun.wallSeconds,
                    longMinutes * 60 / longRun.wallSeconds);
    }
    return 0;
}

// A FLAC source (16-bit 44.1 kHz stereo, made with flac from the same
// synthesised music) to MP3 128: the engine against its encode-only floor,
// ffmpeg, and flac piped into lame.
int FlacBenchmark(double minutes, int runs)
{
    if (!Installed("flac")) {
        std::printf("\nflac is not installed: the FLAC benchmark is skipped\n");
        return 0;
    }
    const std::string bin = ProgramFolder();
    TempDir dir;
    const std::string wav = dir.File("source.wav");
    const std::string source = dir.File("source.flac");
    const std::string result = dir.File("result.mp3");
    std::printf("\nSynthesising a %.0f-minute 44.1 kHz stereo FLAC source...\n", minutes);
    std::fflush(stdout);
    BenchSource::MakeWav(wav, minutes * 60);
    if (ChildRun::Of({"flac", "-s", "-f", "-o", source, wav}).status != 0) {
        std::fprintf(stderr, "flac failed\n");
        return 1;
    }
    std::filesystem::remove(wav);
    const std::string cli = bin + "/vorlanta-cli";
    Row engine{"vorlanta-cli -b 128 (FLAC)", 1e9, 1e9, 0};
    Row floor{"encode only (the floor)", 1e9, 1e9, 0};
    if (!EngineAndFloor(cli, {bin + "/vorlanta-bench", "--encode-only-decoded", source, result, "128"}, source, result,
                        runs, engine, floor))
        return 1;
    std::vector<Row> rows{floor, engine};
    if (Installed("ffmpeg"))
        rows.push_back(Fastest("ffmpeg -c:a libmp3lame -b:a 128k",
                               {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", source, "-c:a", "libmp3lame",
                                "-b:a", "128k", result},
                               runs));
    if (Installed("lame"))
        rows.push_back(Fastest("flac -dc | lame -b 128",
                               {"sh", "-c", "flac -dcs \"$0\" | lame --quiet -b 128 - \"$1\"", source, result}, runs));
    Print(rows, floor, minutes * 60);
    for (std::size_t i = 2; i < rows.size(); ++i)
        std::printf("vorlanta-cli is %.2f x faster than %s (wall)\n", rows[i].wall / engine.wall, rows[i].name.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "--encode-only") {
        const auto seconds = EncodeOnly::Run(args[1], args[2], std::atoi(args[3].c_str()), ProgramFolder());
        std::printf("%.6f %.6f\n", seconds.processor, seconds.wall);
        return seconds.processor > 0 ? 0 : 1;
    }
    if (args.size() == 4 && args[0] == "--encode-only-decoded") {
        const auto seconds = EncodeOnly::RunDecoded(args[1], args[2], std::atoi(args[3].c_str()), ProgramFolder());
        std::printf("%.6f %.6f\n", seconds.processor, seconds.wall);
        return seconds.processor > 0 ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "--make-source") {
        BenchSource::Make(args[1], std::atof(args[2].c_str()));
        return 0;
    }
    if (args.size() == 2 && args[0] == "--walk")
        return BatchBench::Walk(args[1]);
    double minutes = 3;
    double longMinutes = 30;
    int runs = 5;
    int batchRuns = 2;
    bool batchOnly = false;
    bool flacOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--flac-only") {
            flacOnly = true;
            continue;
        }
        if (args[i] == "--batch-only") {
            batchOnly = true;
            continue;
        }
        if (i + 1 >= args.size())
            break;
        if (args[i] == "--batch-runs")
            batchRuns = std::atoi(args[++i].c_str());
        else if (args[i] == "--minutes")
            minutes = std::atof(args[++i].c_str());
        else if (args[i] == "--long-minutes")
            longMinutes = std::atof(args[++i].c_str());
        else if (args[i] == "--runs")
            runs = std::atoi(args[++i].c_str());
    }
    if (flacOnly)
        return FlacBenchmark(minutes, std::max(1, runs));
    if (!batchOnly) {
        int status = Benchmark(minutes, longMinutes, std::max(1, runs));
        if (status == 0)
            status = FlacBenchmark(minutes, std::max(1, runs));
        if (status != 0)
            return status;
    }
    return BatchBench::Run(ProgramFolder(), std::max(1, batchRuns));
}
