// The conversion benchmark: the engine against the encode-only floor and
// against the lame and ffmpeg command-line tools, on synthesised sources.
//
//   vorlanta-bench [--minutes M] [--long-minutes L] [--runs N]
//   vorlanta-bench --encode-only SOURCE RESULT KBPS     (one floor run)
//   vorlanta-bench --make-source PATH SECONDS           (a demo MP3)

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
    double seconds;
    long peakKiB;
};

void Print(const std::vector<Row>& rows, double floor, double audioSeconds)
{
    std::printf("\nProcessor seconds (user + system), best of the runs:\n");
    std::printf("%-34s %9s %11s %10s %11s\n", "", "seconds", "x floor", "x realtime", "peak MiB");
    for (const auto& row : rows)
        std::printf("%-34s %9.3f %11.3f %10.1f %11.1f\n", row.name.c_str(), row.seconds, row.seconds / floor,
                    audioSeconds / row.seconds, static_cast<double>(row.peakKiB) / 1024.0);
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

    std::vector<Row> rows;
    const std::string cli = bin + "/vorlanta-cli";
    // Engine and floor runs alternate, so a change in the machine's load
    // falls on both alike.
    ChildRun engine;
    double floor = 1e9;
    long floorPeak = 0;
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = ChildRun::Of({cli, "--overwrite", "-b", "128", "-o", result, source});
        if (run.status != 0) {
            std::fprintf(stderr, "vorlanta-cli failed (%d)\n", run.status);
            return 1;
        }
        if (i == 0 || run.seconds < engine.seconds)
            engine = run;
        const ChildRun floorRun = ChildRun::Of({bin + "/vorlanta-bench", "--encode-only", source, result, "128"});
        floor = std::min(floor, std::atof(floorRun.output.c_str()));
        floorPeak = std::max(floorPeak, floorRun.peakKiB);
    }
    if (floor <= 0) {
        std::fprintf(stderr, "the encode-only run failed\n");
        return 1;
    }
    rows.push_back({"encode only (the floor)", floor, floorPeak});
    rows.push_back({"vorlanta-cli -b 128", engine.seconds, engine.peakKiB});
    if (Installed("lame")) {
        const ChildRun lame = ChildRun::Best({"lame", "--quiet", "--mp3input", "-b", "128", source, result}, runs);
        rows.push_back({"lame --mp3input -b 128", lame.seconds, lame.peakKiB});
    } else {
        std::printf("lame is not installed: skipped\n");
    }
    if (Installed("ffmpeg")) {
        const ChildRun ffmpeg = ChildRun::Best(
            {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", source, "-c:a", "libmp3lame", "-b:a", "128k",
             result},
            runs);
        rows.push_back({"ffmpeg -c:a libmp3lame -b:a 128k", ffmpeg.seconds, ffmpeg.peakKiB});
    } else {
        std::printf("ffmpeg is not installed: skipped\n");
    }
    Print(rows, floor, audioSeconds);

    if (longMinutes > 0) {
        std::printf("\nPeak memory against the source's length (vorlanta-cli -b 128):\n");
        std::printf("  %4.0f minutes: %7.1f MiB\n", minutes, static_cast<double>(engine.peakKiB) / 1024.0);
        std::fflush(stdout);
        const std::string longSource = dir.File("long.mp3");
        BenchSource::Make(longSource, longMinutes * 60);
        const ChildRun longRun = ChildRun::Of({cli, "--overwrite", "-b", "128", "-o", result, longSource});
        std::printf("  %4.0f minutes: %7.1f MiB (%.1f s, %.1f x realtime)\n", longMinutes,
                    static_cast<double>(longRun.peakKiB) / 1024.0, longRun.seconds,
                    longMinutes * 60 / longRun.seconds);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "--encode-only") {
        const double seconds = EncodeOnly::Run(args[1], args[2], std::atoi(args[3].c_str()), ProgramFolder());
        std::printf("%.6f\n", seconds);
        return seconds > 0 ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "--make-source") {
        BenchSource::Make(args[1], std::atof(args[2].c_str()));
        return 0;
    }
    double minutes = 3;
    double longMinutes = 30;
    int runs = 5;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--minutes")
            minutes = std::atof(args[i + 1].c_str());
        else if (args[i] == "--long-minutes")
            longMinutes = std::atof(args[i + 1].c_str());
        else if (args[i] == "--runs")
            runs = std::atoi(args[i + 1].c_str());
    }
    return Benchmark(minutes, longMinutes, std::max(1, runs));
}
