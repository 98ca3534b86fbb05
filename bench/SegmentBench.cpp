// SPDX-License-Identifier: GPL-3.0-or-later
// One source on every core: a long source encoded in segments on several
// encoder streams and joined, against the serial encode of the same PCM.
//
//   vorlanta-bench-segments [--seconds S] [--workers N] [--plan FRAMES,PREROLL,SETTLE[,MIN]]
//                           [--cli MINUTES,MINUTES...] [--runs N] [--long-runs N] [--memory MINUTES]
//                           [--write-source MINUTES,PATH]
//
// For five music-like signals it prints the signal-to-noise ratio of the
// serial and the joined result against the source, and the largest error
// of a 20 ms window at the joins against the 99th percentile of the same
// measure at points elsewhere, and the serial result's largest error at the
// same points (how hard the audio there is to encode, joins or not); then
// the encode time, serial and joined.
// With --cli, vorlanta-cli converts one source of each length with -j 1,
// -j 2 (and -j 4, -j 8 where the machine has the cores), side by side, and
// as two whole -j 1 jobs at once, in rounds (--runs of them; --long-runs
// for sources of 10 minutes or more, 3 unless told).
// With --memory, it converts one source of that length with -j 2 once and
// prints the peak memory of the process. --write-source writes the source
// the command-line figures use (for a profiler run by hand) and exits.

#include "BenchSource.h"
#include "ChildRun.h"
#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "convert/EncoderSession.h"
#include "convert/Layer3Frame.h"
#include "convert/SegmentedEncode.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Signal = SyntheticAudio::Signal;
constexpr int kRate = 44100;
constexpr int kBitrate = 128;
constexpr int kDecoderLag = 576 + 529;  // encoder delay and decoder delay: where frame 0's audio lands

Signal Make(double seconds, const std::function<double(double t, std::size_t i)>& value)
{
    Signal signal{kRate, 2, {}};
    const auto frames = static_cast<std::size_t>(seconds * kRate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = std::clamp(value(static_cast<double>(i) / kRate, i), -32000.0, 32000.0);
        signal.samples.push_back(static_cast<std::int16_t>(v));
        signal.samples.push_back(static_cast<std::int16_t>(0.7 * v));
    }
    return signal;
}

struct Named {
    const char* name;
    Signal signal;
};

std::vector<Named> Signals(double seconds, double segmentSeconds)
{
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::vector<Named> out;
    out.push_back({"transients (clicks, decays)", Make(seconds, [&](double t, std::size_t) {
                       const double phase = std::fmod(t, 0.137);
                       return 20000.0 * std::exp(-phase * 60.0) * std::sin(2 * M_PI * 2500.0 * t) + 300 * gauss(random);
                   })});
    out.push_back({"sustained tones (chord)", Make(seconds, [](double t, std::size_t) {
                       return 6000.0 * std::sin(2 * M_PI * 261.6 * t) + 5000.0 * std::sin(2 * M_PI * 329.6 * t)
                           + 4000.0 * std::sin(2 * M_PI * 392.0 * t) + 1500.0 * std::sin(2 * M_PI * 1046.5 * t);
                   })});
    out.push_back({"noise bursts", Make(seconds, [&](double t, std::size_t) {
                       const double on = std::fmod(t, 0.61) < 0.25 ? 1.0 : 0.05;
                       return 7000.0 * on * gauss(random);
                   })});
    out.push_back({"silence around joins", Make(seconds, [&](double t, std::size_t) {
                       const double fromJoin
                           = std::fmod(t + 0.5 * segmentSeconds, segmentSeconds) - 0.5 * segmentSeconds;
                       if (std::fabs(fromJoin) < 0.4)
                           return 0.0;
                       return 8000.0 * std::sin(2 * M_PI * 440.0 * t) + 500 * gauss(random);
                   })});
    out.push_back({"music-like mix", BenchSource::MusicLike(seconds)});
    return out;
}

Bytes Serial(EncoderSession& model, UserPrompt& prompt, const Signal& signal)
{
    EncoderSession session(model.Entries(), prompt);
    session.Adopt(model.Record());
    session.Start();
    const auto bytes = static_cast<std::uint32_t>(signal.samples.size() * 2);
    Bytes out(session.EncodeRoom(bytes) + EncoderSession::kFlushRoom);
    std::size_t used = session.Encode(signal.samples.data(), bytes, out.data());
    used += session.Flush(out.data() + used);
    out.resize(used);
    Bytes frame(be::kInfoTagOutputSize);
    std::uint32_t length = 0;
    if (session.InfoFrame(frame.data(), length))
        std::memcpy(out.data(), frame.data(), length);
    return out;
}

struct Joined {
    Bytes bytes;
    std::vector<std::uint64_t> joins;
    std::size_t retries = 0;
    bool valid = false;
};

Joined Segmented(EncoderSession& model, UserPrompt& prompt, const Signal& signal, int workers, SegmentPlan plan)
{
    Joined joined;
    SegmentedEncode segmented(model.Entries(), model.Record(), workers, plan, prompt,
                              [&joined](const std::uint8_t* bytes, std::size_t length) {
                                  joined.bytes.insert(joined.bytes.end(), bytes, bytes + length);
                                  return true;
                              });
    // As the command line does: the last segments shrink so the workers end together.
    segmented.ExpectSamples(signal.Frames());
    constexpr std::size_t kPiece = 4608;
    for (std::size_t at = 0; at < signal.samples.size(); at += kPiece)
        segmented.Push(signal.samples.data() + at, std::min(kPiece, signal.samples.size() - at));
    segmented.Finish();
    Bytes info;
    segmented.InfoFrame(info);
    if (!info.empty())
        std::memcpy(joined.bytes.data(), info.data(), info.size());
    joined.joins = segmented.JoinFrames();
    joined.retries = segmented.Retries();
    joined.valid = ReservoirCheck::Of(joined.bytes.data(), joined.bytes.size()).Valid();
    return joined;
}

double Snr(const Signal& source, const DecodedAudio& decoded)
{
    double signal = 0, noise = 0;
    const std::size_t n = std::min(source.samples.size(), decoded.samples.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double s = source.samples[i];
        const double e = s - decoded.samples[i];
        signal += s * s;
        noise += e * e;
    }
    return 10.0 * std::log10(signal / std::max(noise, 1e-9));
}

// The largest error (RMS of a 20 ms window, both channels) of the windows
// that cover `point` (in samples per channel).
double WorstAround(const Signal& source, const DecodedAudio& decoded, std::int64_t point)
{
    const std::int64_t window = kRate / 50;
    const auto frames = static_cast<std::int64_t>(std::min(source.Frames(), decoded.Frames()));
    double worst = 0;
    for (std::int64_t start = point - window; start <= point; start += kRate / 1000) {
        if (start < 0 || start + window > frames)
            continue;
        double sum = 0;
        for (std::int64_t i = start * 2; i < (start + window) * 2; ++i) {
            const double e = source.samples[static_cast<std::size_t>(i)] - decoded.samples[static_cast<std::size_t>(i)];
            sum += e * e;
        }
        worst = std::max(worst, std::sqrt(sum / static_cast<double>(2 * window)));
    }
    return worst;
}

struct JoinError {
    double worstAtJoins = 0;
    double serialAtJoins = 0;  // the serial result's worst at the same points
    double p99Elsewhere = 0;
};

JoinError JoinErrors(const Signal& source, const DecodedAudio& decoded, const DecodedAudio& serial,
                     const std::vector<std::uint64_t>& joins)
{
    JoinError out;
    std::vector<std::int64_t> points;
    for (std::size_t i = 1; i < joins.size(); ++i)  // the first segment joins nothing
        points.push_back(static_cast<std::int64_t>(joins[i]) * 1152 - kDecoderLag);
    for (const std::int64_t point : points) {
        out.worstAtJoins = std::max(out.worstAtJoins, WorstAround(source, decoded, point));
        out.serialAtJoins = std::max(out.serialAtJoins, WorstAround(source, serial, point));
    }
    std::vector<double> elsewhere;
    const auto frames = static_cast<std::int64_t>(source.Frames());
    for (std::int64_t point = kRate / 10; point < frames - kRate / 10; point += kRate / 8) {
        const bool nearJoin = std::any_of(points.begin(), points.end(),
                                          [point](std::int64_t p) { return std::llabs(p - point) < kRate / 10; });
        if (!nearJoin)
            elsewhere.push_back(WorstAround(source, decoded, point));
    }
    std::sort(elsewhere.begin(), elsewhere.end());
    if (!elsewhere.empty())
        out.p99Elsewhere = elsewhere[static_cast<std::size_t>(0.99 * static_cast<double>(elsewhere.size() - 1))];
    return out;
}

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string ProgramFolder()
{
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string folder(path, length > 0 ? static_cast<std::size_t>(length) : 0);
    return folder.substr(0, folder.rfind('/'));
}

// A long source made fast: 30 s of the benchmark's music encoded once
// (192 kbit/s, no Info frame) and its frames written again and again. Each
// copy opens with the stream's first frame, which takes nothing from the
// bit reservoir, so every copy decodes whole.
void LongSource(const std::string& path, double seconds)
{
    constexpr double kPiece = 30.0;
    SyntheticAudio::Mp3Options options;
    options.bitrate = 192;
    options.infoTag = false;
    const Bytes piece = SyntheticAudio::EncodeMp3(BenchSource::MusicLike(std::min(seconds, kPiece)), options);
    const Bytes v2 = SyntheticAudio::Id3v2Tag("Vorlanta long demo");
    const Bytes v1 = SyntheticAudio::Id3v1Tag("Vorlanta long demo");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fwrite(v2.data(), 1, v2.size(), file);
    for (double done = 0; done < seconds; done += kPiece)
        std::fwrite(piece.data(), 1, piece.size(), file);
    std::fwrite(v1.data(), 1, v1.size(), file);
    std::fclose(file);
}

// The targets for -j 2 against -j 1: 86 % of a perfect split for a
// short source, 90 % for a long one.
double Target(double minutes)
{
    return minutes >= 30 ? 0.55 : 0.58;
}

// One source per length, converted by the command line with each worker
// count, and as two whole -j 1 jobs at once: what two cores give when
// nothing is split, the most a split of one job could reach here. The
// machine's speed drifts by up to a tenth within minutes, more than the
// margins measured, so each round runs every variant once, back to back,
// each round gives its own ratios, and the median round counts.
void CommandLine(const std::vector<double>& minutes, int runs, int longRuns)
{
    const unsigned cores = std::thread::hardware_concurrency();
    std::vector<int> counts{1, 2};
    for (int n : {4, 8})
        if (cores >= static_cast<unsigned>(n))
            counts.push_back(n);
    std::printf("\nvorlanta-cli on one source (44.1 kHz stereo, 192 kbit/s, to 128 kbit/s); %d rounds (%d from 10 "
                "minutes on), each running every variant once; medians of the rounds. %u hardware threads found.\n",
                runs, longRuns, cores);
    std::printf("%-10s %-18s %9s %9s %10s %9s %8s\n", "source", "run", "wall s", "cpu s", "x of -j 1", "peak MiB",
                "target");
    const std::string cli = ProgramFolder() + "/vorlanta-cli";
    for (const double length : minutes) {
        TempDir dir;
        const std::string source = dir.File("source.mp3");
        LongSource(source, length * 60);
        const auto job = [&](int workers, const std::string& result) {
            return std::vector<std::string>{cli,   "-j", std::to_string(workers), "--overwrite", "-o", dir.File(result),
                                            source};
        };
        const int rounds = length >= 10 ? longRuns : runs;
        // Per variant: wall and processor seconds and ratio of each round; the last variant is the pair.
        const std::size_t variants = counts.size() + 1;
        std::vector<std::vector<double>> wall(variants), cpu(variants), share(variants);
        std::vector<long> peak(variants, 0);
        for (int r = 0; r < rounds; ++r) {
            std::vector<ChildRun> round;
            for (const int count : counts)
                round.push_back(ChildRun::Of(job(count, "result.mp3")));
            round.push_back(ChildRun::Together({job(1, "first.mp3"), job(1, "second.mp3")}));
            // Per job: the pair's wall time is that of two jobs.
            round.back().wallSeconds /= 2;
            round.back().seconds /= 2;
            for (std::size_t v = 0; v < variants; ++v) {
                if (round[v].status != 0)
                    std::printf("vorlanta-cli run %zu of round %d failed\n", v, r + 1);
                wall[v].push_back(round[v].wallSeconds);
                cpu[v].push_back(round[v].seconds);
                share[v].push_back(round[v].wallSeconds / round[0].wallSeconds);
                peak[v] = std::max(peak[v], round[v].peakKiB);
            }
        }
        for (std::size_t v = 0; v < variants; ++v) {
            const bool pair = v == counts.size();
            const std::string name = pair ? "2 x -j 1 at once" : "-j " + std::to_string(counts[v]);
            std::string target;
            if (!pair && counts[v] == 2)
                target = std::string(Median(share[v]) <= Target(length) ? "met " : "MISSED ")
                    + std::to_string(Target(length)).substr(0, 4);
            std::printf("%6.0f min %-18s %9.2f %9.2f %10.3f %9.1f %8s\n", length, name.c_str(), Median(wall[v]),
                        Median(cpu[v]), Median(share[v]), static_cast<double>(peak[v]) / 1024.0, target.c_str());
        }
        // -j 1 already keeps more than one core busy: its decoder runs on a
        // thread beside the encoder. Its processor time spread over two cores
        // with nothing added is the best any split into two can reach.
        std::vector<double> busy, floor;
        for (int r = 0; r < rounds; ++r) {
            busy.push_back(cpu[0][r] / wall[0][r]);
            floor.push_back(cpu[0][r] / 2 / wall[0][r]);
        }
        std::string floorLine = "-j 1 keeps " + std::to_string(Median(busy)).substr(0, 4)
            + " cores busy; its processor time on two cores with nothing added: "
            + std::to_string(Median(floor)).substr(0, 5) + " of its wall time, by round:";
        for (const double f : floor)
            floorLine += " " + std::to_string(f).substr(0, 5);
        std::printf("%s\n", floorLine.c_str());
        std::string byRound = "-j 2 against -j 1 by round:";
        for (const double s : share[1])
            byRound += " " + std::to_string(s).substr(0, 5);
        byRound += "; two whole jobs at once, per job:";
        for (const double s : share.back())
            byRound += " " + std::to_string(s).substr(0, 5);
        std::printf("%s\n", byRound.c_str());
        std::fflush(stdout);
    }
}

// Peak memory of one long conversion with -j 2: segments are handed out a
// few at a time, so it does not grow with the source.
void Memory(double minutes)
{
    TempDir dir;
    const std::string source = dir.File("long.mp3");
    LongSource(source, minutes * 60);
    const std::string cli = ProgramFolder() + "/vorlanta-cli";
    const ChildRun run = ChildRun::Of({cli, "-j", "2", "--overwrite", "-o", dir.File("result.mp3"), source});
    const double peak = static_cast<double>(run.peakKiB) / 1024.0;
    std::printf("\nMemory: a %.0f-minute source, vorlanta-cli -j 2: peak %.1f MiB (target under 64 MiB: %s), "
                "%.1f s wall, %.1f s processor%s.\n",
                minutes, peak, peak < 64.0 ? "met" : "MISSED", run.wallSeconds, run.seconds,
                run.status == 0 ? "" : ", FAILED");
    std::fflush(stdout);
}

void SignalTable(EncoderSession& model, UserPrompt& host, double seconds, int workers, const SegmentPlan& plan)
{
    std::printf("Quality of the joined result against the serial one: SNR within 0.05 dB, and the worst 20 ms "
                "error at the joins at most the 99th percentile elsewhere.\n");
    std::printf("%-28s %9s %9s %8s %6s %8s %11s %11s %11s %7s %7s %6s %7s\n", "signal", "SNR ser", "SNR join",
                "diff dB", "joins", "retries", "worst@join", "serial@join", "p99 else", "ser s", "join s", "valid",
                "quality");
    const double segmentSeconds = plan.segmentFrames * 1152.0 / kRate;
    for (const Named& named : Signals(seconds, segmentSeconds)) {
        Bytes serial;
        Joined joined;
        const double serialTime = Seconds([&] { serial = Serial(model, host, named.signal); });
        const double joinedTime = Seconds([&] { joined = Segmented(model, host, named.signal, workers, plan); });
        const DecodedAudio serialDecoded = DecodedAudio::FromBytes(serial, true);
        const DecodedAudio joinedDecoded = DecodedAudio::FromBytes(joined.bytes, true);
        const double snrSerial = Snr(named.signal, serialDecoded);
        const double snrJoined = Snr(named.signal, joinedDecoded);
        const JoinError errors = JoinErrors(named.signal, joinedDecoded, serialDecoded, joined.joins);
        const bool exact = joinedDecoded.Frames() == named.signal.Frames();
        const bool quality = std::fabs(snrJoined - snrSerial) <= 0.05 && errors.worstAtJoins <= errors.p99Elsewhere;
        std::printf("%-28s %9.3f %9.3f %8.3f %6zu %8zu %11.1f %11.1f %11.1f %7.2f %7.2f %6s %7s\n", named.name,
                    snrSerial, snrJoined, snrJoined - snrSerial, joined.joins.size() - 1, joined.retries,
                    errors.worstAtJoins, errors.serialAtJoins, errors.p99Elsewhere, serialTime, joinedTime,
                    joined.valid && exact ? "yes" : "NO", quality ? "met" : "MISSED");
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    double seconds = 120;
    int workers = 2;
    SegmentPlan plan = SegmentPlan::Default();
    std::vector<double> cliMinutes;
    int runs = 3;
    int longRuns = 3;
    double memoryMinutes = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--cli") {
            for (const char* at = argv[i + 1]; *at != 0;) {
                char* end = nullptr;
                cliMinutes.push_back(std::strtod(at, &end));
                at = *end == ',' ? end + 1 : end;
            }
        } else if (option == "--memory")
            memoryMinutes = std::atof(argv[i + 1]);
        else if (option == "--runs")
            runs = std::atoi(argv[i + 1]);
        else if (option == "--long-runs")
            longRuns = std::atoi(argv[i + 1]);
        else if (option == "--seconds")
            seconds = std::atof(argv[i + 1]);
        else if (option == "--workers")
            workers = std::atoi(argv[i + 1]);
        else if (option == "--write-source") {
            char* path = nullptr;
            const double minutes = std::strtod(argv[i + 1], &path);
            if (*path == ',')
                LongSource(path + 1, minutes * 60);
            return *path == ',' ? 0 : 2;
        } else if (option == "--plan")
            std::sscanf(argv[i + 1], "%u,%u,%u,%u", &plan.segmentFrames, &plan.prerollFrames, &plan.settleFrames,
                        &plan.minSegmentFrames);
    }
    RecordingHost host("", "", "");
    EncoderSession model(RecordingHost::ProgramFolder(), host);
    model.Configure(EncodeSettings::Cbr(kBitrate), kRate, 2);
    std::printf("Segments of %u frames (the end in pieces of at least %u), pre-roll %u (joins from frame %u of it), "
                "tail %u, second try %u; %d workers; %.0f s signals, 44.1 kHz stereo, %d kbit/s CBR. "
                "Hardware threads: %u.\n",
                plan.segmentFrames, plan.minSegmentFrames, plan.prerollFrames, plan.settleFrames, plan.tailFrames,
                plan.retryPrerollFrames, workers, seconds, kBitrate, std::thread::hardware_concurrency());
    if (seconds > 0)
        SignalTable(model, host, seconds, workers, plan);
    if (!cliMinutes.empty())
        CommandLine(cliMinutes, runs, longRuns);
    if (memoryMinutes > 0)
        Memory(memoryMinutes);
    return 0;
}
