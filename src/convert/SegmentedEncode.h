// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncoderSession.h"
#include "convert/EngineText.h"
#include "convert/SegmentJoiner.h"
#include "encoder/LameTagFrame.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

class UserPrompt;

// How a long source is cut, in frames of the result.
struct SegmentPlan {
    std::uint32_t segmentFrames = 0;       // audio of one segment
    std::uint32_t minSegmentFrames = 0;    // the shortest piece the source's end is cut into
    std::uint32_t prerollFrames = 0;       // earlier audio a later segment's stream encodes first
    std::uint32_t settleFrames = 0;        // pre-roll frames before the earliest frame it may take over at
    std::uint32_t tailFrames = 0;          // later audio after a segment, so its last kept frames are final
    std::uint32_t retryPrerollFrames = 0;  // the longer pre-roll of a second try when no frame fits

    // The figures chosen by measurement (bench/ SegmentBench): see the
    // comment at their definition.
    static SegmentPlan Default();
};

// One source encoded in segments by several encoder streams at once and
// joined into one stream (see SegmentJoiner). The caller hands over the
// decoded PCM in order; segments go to the workers as soon as their audio
// and its tail are in, at most a few at a time, so memory stays flat
// whatever the source's length; the joined stream goes to the sink in order
// on the caller's thread.
class SegmentedEncode {
public:
    using Sink = std::function<bool(const std::uint8_t* bytes, std::size_t length)>;

    // Streams are started with `record` (a started session's, so known to
    // work) on `entries`; the record's output rate must be its input rate.
    SegmentedEncode(const EncoderEntryPoints& entries, const be::Config& record, int workers, SegmentPlan plan,
                    UserPrompt& prompt, Sink sink, Translator language = {});
    ~SegmentedEncode();
    SegmentedEncode(const SegmentedEncode&) = delete;
    SegmentedEncode& operator=(const SegmentedEncode&) = delete;

    // The source's expected length in samples per channel, if known: the
    // last segments are made shorter, so that no worker is left encoding a
    // long last segment alone.
    void ExpectSamples(std::uint64_t samples) { m_expectedFrames = samples / m_frameSamples; }

    // Whether a stream of this record can be cut on frame boundaries of the
    // source (no resampling).
    static bool Suits(const be::Config& record);

    // Takes `values` interleaved 16-bit values. Blocks while the workers are
    // busy. False once an encoder stream or the sink failed.
    bool Push(const std::int16_t* pcm, std::size_t values);
    // The audio is complete: encodes and joins the rest. False on failure.
    bool Finish();
    // The track gain and peak the Info frame carries (measured on the
    // decoded audio, before InfoFrame is asked for).
    void SetReplayGain(double gainDb, double peak) { m_replayGain = {gainDb, peak}; }
    // After Finish: the Info frame for the whole joined stream, to write over
    // its first frame; empty when the streams lead with none.
    bool InfoFrame(std::vector<std::uint8_t>& frame) const;

    bool Failed() const { return m_failed; }
    std::size_t Segments() const { return m_joined; }
    // Joins that needed the longer pre-roll.
    std::size_t Retries() const { return m_retries; }
    // Joins that fitted in neither pre-roll: the stretch from the join before
    // was encoded again as one stream.
    std::size_t SerialStretches() const { return m_serialStretches; }
    // The frames the segments took over at, in order (for tests and the bench).
    const std::vector<std::uint64_t>& JoinFrames() const { return m_joinFrames; }

private:
    // The first segment's audio on its way to the worker that encodes it
    // while it is still being decoded: the caller appends, the worker takes.
    struct Feed {
        std::mutex mutex;
        std::condition_variable arrived;
        std::vector<std::int16_t> pending;
        bool closed = false;
        bool last = false;
    };
    struct Task {
        std::size_t index = 0;
        std::uint64_t pcmFrame = 0;  // timeline frame of pcm's first sample
        std::uint64_t start = 0;     // nominal first frame
        std::uint32_t preroll = 0;   // frames encoded before `start`
        bool last = false;
        std::uint64_t frames = 0;  // frames its stream encodes, pre-roll and tail included
        std::vector<std::int16_t> pcm;
        std::shared_ptr<Feed> feed;  // set while the rest of pcm is still to come
    };
    // How far a worker is with its segment, and how fast it encodes (see
    // ShareOfRest).
    struct WorkerPace {
        std::atomic<std::uint64_t> framesLeft{0};  // start and flush included; 0 while idle
        std::atomic<std::uint64_t> nanosPerFrame{0};
    };
    struct Done {
        Task task;
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint8_t> infoTemplate;
        bool failed = false;
    };

    bool EndIsNear() const;
    std::uint64_t BufferEnd() const;
    std::uint64_t FirstLength() const;
    std::uint64_t Shortest() const;
    std::uint64_t ShareOfRest(std::uint64_t rest) const;
    bool AwaitIdleWorker();
    void OpenFirst();
    void Supply(const std::int16_t* pcm, std::size_t values);
    void Work(std::size_t slot);
    Done Encode(Task task, WorkerPace* pace = nullptr) const;
    static void Report(WorkerPace& pace, std::uint64_t frames, std::uint64_t encoded,
                       std::chrono::steady_clock::time_point began);
    bool Pull(Task& task, std::size_t values) const;
    std::size_t StreamBytes(const Task& task) const;
    void Dispatch(bool last, std::uint64_t end);
    std::vector<std::int16_t> Spare();
    void Recycle(std::vector<std::int16_t> buffer);
    bool DrainReady(bool wait);
    bool Join(Done done);
    bool JoinSerially(Task task);
    SegmentJoiner::Segment SegmentOf(const Done& done) const;

    const EncoderEntryPoints m_entries;
    const be::Config m_record;
    const SegmentPlan m_plan;
    UserPrompt& m_prompt;
    const Translator m_language;  // of the prompts
    const int m_channels;
    const std::uint32_t m_frameSamples;
    const std::size_t m_maxInFlight;
    const std::size_t m_workerCount;
    std::uint64_t m_expectedFrames = 0;

    LameTagFrame::StreamTally m_tally;
    SegmentJoiner m_joiner;
    std::vector<std::uint8_t> m_infoTemplate;
    std::optional<std::pair<double, double>> m_replayGain;
    // The segment whose stream the joiner holds, with its audio: a join that
    // fits nowhere encodes it again together with the next.
    Task m_held;

    // PCM not yet handed out whole: from timeline frame m_bufferFrame on.
    std::vector<std::int16_t> m_buffer;
    std::vector<std::vector<std::int16_t>> m_spares;
    bool m_lastStretch = false;  // m_buffer holds the source's last stretch (see Push)
    std::uint64_t m_bufferFrame = 0;
    std::uint64_t m_samples = 0;  // per channel, pushed so far
    std::uint64_t m_nextStart = 0;
    // The first segment, out before its audio is in: its planned end (its
    // tail included, in values) and how much of it was fed.
    std::shared_ptr<Feed> m_feed;
    std::uint64_t m_feedEnd = 0;
    std::size_t m_feedLimit = 0;
    std::size_t m_fed = 0;
    std::size_t m_dispatched = 0;
    std::size_t m_joined = 0;
    std::size_t m_retries = 0;
    std::size_t m_serialStretches = 0;
    std::vector<std::uint64_t> m_joinFrames;
    bool m_failed = false;
    bool m_finished = false;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Task> m_queue;
    std::map<std::size_t, Done> m_done;
    std::unique_ptr<WorkerPace[]> m_paces;  // one per worker
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_workers;
};
