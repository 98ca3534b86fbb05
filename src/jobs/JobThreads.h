// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ConversionOutcome.h"
#include "convert/JobSpec.h"
#include "convert/LoudnessTagging.h"
#include "jobs/JobQueue.h"
#include "jobs/JobThreadState.h"
#include "jobs/LogViewActivityLog.h"
#include "jobs/MessageBoxPrompt.h"
#include "jobs/UiThreadCall.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

class ActivityLog;
class CLogView;
struct ConversionHost;

// The job threads of one job queue: the scheduler `jobqueuethread`, which
// walks the queue from the top at every pass, removes ended and failed jobs
// and starts waiting ones, and the workers `mp3cvtthread`, each converting
// one job and writing its final status. Rows are added and removed on the UI
// thread only (the queue's owner), so the scheduler's pass runs there; the
// workers read and write their own jobs directly.
//
// The scheduler passes at once when there is something to do (a job added,
// ended or deleted, the property sheet closed, the number of simultaneous
// conversions changed) and otherwise once per pass interval. With one
// simultaneous conversion jobs run strictly one after another from the top;
// with N the first N waiting jobs in table order run at once.
//
// Threads are never killed. StopThreads asks them to end, keeps the window
// alive while they do, and joins them.
class JobThreads {
public:
    using ConversionRoutine
        = std::function<ConversionOutcome(ConversionHost&, const JobSpec&, const std::atomic<int>&)>;

    // What the window hears of the jobs, on the UI thread: a job starts
    // (once for each job), a job has ended (with its source and outcome,
    // stopped or restarted on request included), and a pass found nothing
    // waiting, nothing running and no end still to be told.
    struct Listener {
        std::function<void()> started;
        std::function<void(const JobSpec&, const ConversionOutcome&)> ended;
        std::function<void()> queueEmpty;
    };

    static constexpr std::chrono::milliseconds kPassInterval{1000};
    static constexpr std::chrono::milliseconds kStopBound{2000};

    explicit JobThreads(JobQueue& queue);
    ~JobThreads();
    JobThreads(const JobThreads&) = delete;
    JobThreads& operator=(const JobThreads&) = delete;

    JobThreadState& State() { return m_state; }
    const JobThreadState& State() const { return m_state; }

    // A worker or the scheduler runs: the close request asks before exiting.
    bool ThreadsRunning() const;
    // Worker threads not yet joined.
    int WorkerCount() const;

    // UI thread. Starts the scheduler unless it runs already or the threads
    // have been stopped; true when this call started it. Safe against any
    // number of calls in a row.
    bool StartScheduler();
    // Any thread: the scheduler passes at once.
    void WakeScheduler();

    // UI thread. Asks every running conversion to stop and the scheduler to
    // quit, handles UI events while they end (at most `bound`), then joins
    // them. Afterwards no job thread runs and none can be started again.
    void StopThreads(std::chrono::milliseconds bound = kStopBound);

    // How many jobs may convert at once, 1 or more; 1 at start.
    void SetSimultaneousConversions(int count);
    int SimultaneousConversions() const { return m_slots; }

    // UI thread: where the conversions' log lines go.
    void SetLogView(CLogView* view);
    LogViewActivityLog& Log() { return m_log; }
    void SetPromptParent(QWidget* parent);

    // Set before the scheduler starts. The pass interval defaults to
    // kPassInterval, the routine to `vorlanta`.
    void SetPassInterval(std::chrono::milliseconds interval);
    void SetConversionRoutine(ConversionRoutine routine);
    // UI thread, before the scheduler starts.
    void SetListener(Listener listener);
    // Whether a job whose source is at or below its bitrate is skipped
    // rather than converted; any thread, read as each job starts.
    void SetSkipLowerSources(bool skip) { m_skipLower = skip; }
    // Whether a job started while conversion slots would stay free encodes
    // its source in segments on those slots too.
    void SetSplitLongSources(bool split) { m_split = split; }
    // "Write loudness tags", for the jobs that start from now on.
    void SetLoudnessTags(LoudnessTags tags) { m_loudness = tags; }

    // UI thread: one scheduler pass over the queue. Removes failed jobs and
    // ended ones (lowering NextJobId for each ended one) and marks waiting
    // jobs as held until as many jobs are held or running as may convert at
    // once; returns the jobs to start. Nothing while scheduling is paused.
    std::vector<JobQueue::JobRef> TakePass();
    // Encoder threads for each job of the last pass, in its order: the
    // slots no waiting job needs are shared among them.
    const std::vector<int>& PassThreads() const { return m_passThreads; }

private:
    struct Worker {
        std::thread thread;
        JobQueue::JobRef job;
        int encoderThreads = 1;
        std::atomic<bool> done{false};
    };

    void jobqueuethread();
    void mp3cvtthread(Worker& worker);
    // Before a conversion (the job planner's rules): how the job ended, or
    // nothing when it is to be converted.
    std::optional<ConversionOutcome> BeforeConversion(const JobSpec& job, ActivityLog& log) const;
    void SchedulerPass();
    void StartWorker(JobQueue::JobRef job, int encoderThreads);
    void JoinEndedWorkers();
    void StopEveryJob();
    void SleepUntilNextPass();
    bool WaitWithEvents(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline);
    void JoinAll();

    JobQueue& m_queue;
    JobThreadState m_state;
    UiThreadCall m_ui;
    LogViewActivityLog m_log;
    MessageBoxPrompt m_prompt;
    ConversionRoutine m_convert;
    std::chrono::milliseconds m_passInterval = kPassInterval;
    std::atomic<int> m_slots{1};
    std::atomic<bool> m_skipLower{false};
    std::atomic<bool> m_split{true};
    std::vector<int> m_passThreads;  // UI thread
    std::atomic<LoudnessTags> m_loudness{LoudnessTags::Off};
    Listener m_listener;  // UI thread
    // Ends posted to the UI thread and not yet told: the queue is not
    // empty for the listener before they are.
    std::atomic<int> m_endsUntold{0};

    mutable std::mutex m_workersMutex;
    std::list<Worker> m_workers;  // stable addresses: each thread holds its own entry

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_wakeRequested = false;  // guarded by m_wakeMutex
};
