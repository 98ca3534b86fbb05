// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobThreads.h"

#include "convert/AlbumGain.h"
#include "convert/ConversionHost.h"
#include "convert/EncoderSession.h"
#include "convert/JobConversion.h"
#include "convert/JobPlanner.h"
#include "convert/JobVocabulary.h"
#include "convert/LogText.h"
#include "jobs/JobStatus.h"
#include "jobs/QueuedJobAccess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace {
constexpr int kQuit = 1;
constexpr int kWaitPollMs = 5;

// One job's log lines. While more than one job converts, progress lines
// (which the next line replaces) stay out of the log: jobs would overwrite
// each other's, and the table shows every job's progress anyway.
class JobLog : public ActivityLog {
public:
    JobLog(ActivityLog& log, const std::atomic<int>& busyWorkers) : m_log(log), m_busyWorkers(busyWorkers) { }

    void showmessage(const std::string& text) override
    {
        if (m_busyWorkers > 1 && LogViewActivityLog::IsProgressLine(text))
            return;
        m_log.showmessage(text);
    }
    Translator Language() const override { return m_log.Language(); }

private:
    ActivityLog& m_log;
    const std::atomic<int>& m_busyWorkers;
};

// Loading the library to see whether it loads shows nothing.
class QuietPrompt : public UserPrompt {
public:
    void MessageBox(const std::string&) override { }
};

std::string EncoderLoadProblem()
{
    QuietPrompt quiet;
    const EncoderSession session(QCoreApplication::applicationDirPath().toStdString(), quiet);
    return session.Ready() ? std::string() : session.Problem();
}
}  // namespace

JobThreads::JobThreads(JobQueue& queue)
    : m_queue(queue), m_log(m_ui), m_prompt(m_ui), m_convert(&vorlanta), m_encoderCheck(&EncoderLoadProblem)
{
}

JobThreads::~JobThreads()
{
    StopThreads(kStopBound);
}

bool JobThreads::ThreadsRunning() const
{
    return m_state.WorkerBusy != 0 || m_state.SchedulerRunning == 1;
}

int JobThreads::WorkerCount() const
{
    std::lock_guard lock(m_workersMutex);
    return static_cast<int>(m_workers.size());
}

void JobThreads::SetLogView(CLogView* view)
{
    m_log.SetView(view);
}

void JobThreads::SetPromptParent(QWidget* parent)
{
    m_prompt.SetParent(parent);
}

void JobThreads::SetPassInterval(std::chrono::milliseconds interval)
{
    m_passInterval = interval;
}

void JobThreads::SetConversionRoutine(ConversionRoutine routine)
{
    m_convert = std::move(routine);
}

void JobThreads::SetEncoderCheck(EncoderCheck check)
{
    m_encoderCheck = std::move(check);
}

void JobThreads::SetSimultaneousConversions(int count)
{
    m_slots = std::max(1, count);
    WakeScheduler();
}

bool JobThreads::StartScheduler()
{
    if (m_state.SchedulerQuit == kQuit)
        return false;
    int stopped = 0;
    if (!m_state.SchedulerRunning.compare_exchange_strong(stopped, 1))
        return false;
    // A scheduler that has ended is joined before its successor starts.
    if (m_state.SchedulerThread.joinable())
        m_state.SchedulerThread.join();
    m_state.SchedulerThread = std::thread(&JobThreads::jobqueuethread, this);
    return true;
}

// The scheduler. SchedulerRunning was set to 1 by StartScheduler, so a
// second start cannot slip in before this thread runs.
void JobThreads::jobqueuethread()
{
    while (m_state.SchedulerQuit != kQuit) {
        SchedulerPass();
        SleepUntilNextPass();
    }
    m_state.SchedulerRunning = 0;
}

void JobThreads::SchedulerPass()
{
    JoinEndedWorkers();
    if (m_state.SchedulingPaused != 0)
        return;
    // Held since a job found the encoder library missing: the waiting jobs
    // start once it loads (installed meanwhile).
    if (m_encoderMissing && m_encoderCheck().empty()) {
        m_encoderMissing = false;
        m_log.showmessage(m_log.Language().Line(
            ENGINE_TEXT("JobThreads", "The encoder library loads now: the waiting jobs start"), {}));
    }
    std::vector<JobQueue::JobRef> start;
    std::vector<int> threads;
    if (!m_ui.Run([&] {
            start = TakePass();
            threads = m_passThreads;
        }))
        return;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (m_state.SchedulerQuit == kQuit)
            m_queue.SetHeld(start[i], false);  // closing: it stays unstarted
        else
            StartWorker(std::move(start[i]), threads[i]);
    }
}

std::vector<JobQueue::JobRef> JobThreads::TakePass()
{
    std::vector<JobQueue::JobRef> start;
    // Checked here, on the UI thread, so that a property sheet opened a
    // moment ago keeps its rows where they are.
    if (m_state.SchedulingPaused != 0)
        return start;
    const int allowed = m_slots;
    int running = 0;
    for (int row = 0; row < m_queue.Count() && running < allowed;) {
        const JobQueue::JobRef job = m_queue.At(row);
        const JobQueue::RunState state = m_queue.StateOf(job);
        // A job its worker still holds is neither removed nor started
        // again until the worker has written its final status and let go.
        if (state.held) {
            ++running;
            ++row;
            continue;
        }
        const JobStatus status = JobStatus::FromCell(QString::fromStdString(state.status));
        if (status.IsEmpty())
            break;  // nothing more in this pass
        if (status.IsError()) {
            m_queue.RemoveAt(row);
        } else if (status.Number() == JobStatus::kEndedNumber) {
            m_queue.RemoveAt(row);
            m_queue.LowerNextJobId();
        } else if (status.Number() == 0) {
            if (m_encoderMissing)
                break;  // every job would fail alike: they wait
            JobQueue::Control(job) = JobControl::Run;
            m_queue.SetHeld(job, true);
            start.push_back(job);
            ++running;
            ++row;
        } else {
            ++running;  // any other number: the job counts as running
            ++row;
        }
    }
    // Slots left free by this pass had no waiting job to take them: the
    // jobs it starts share them.
    m_passThreads.assign(start.size(), 1);
    const int spare = allowed - running;
    if (m_split && spare > 0) {
        for (std::size_t i = 0; i < start.size(); ++i)
            m_passThreads[i] += spare / static_cast<int>(start.size())
                + (static_cast<int>(i) < spare % static_cast<int>(start.size()) ? 1 : 0);
    }
    if (m_listener.started) {
        for (std::size_t i = 0; i < start.size(); ++i)
            m_listener.started();
    }
    if (m_listener.queueEmpty && running == 0 && m_queue.Count() == 0 && m_endsUntold == 0)
        m_listener.queueEmpty();
    return start;
}

void JobThreads::SetListener(Listener listener)
{
    m_listener = std::move(listener);
}

std::optional<ConversionOutcome> JobThreads::BeforeConversion(const JobSpec& job, ActivityLog& log) const
{
    const JobPlanner::StartRules rules{m_skipLower, JobPlanner::Existing::Replace};
    std::optional<ConversionOutcome> outcome = JobPlanner::BeforeStart(job, rules, log);
    // A refusal is the window's to show: the command line tells it otherwise.
    if (outcome && outcome->kind == ConversionOutcome::Kind::Refused)
        log.showmessage(JobPlanner::RefusalLine(job.source, outcome->reason, log.Language()) + "\r\n");
    return outcome;
}

void JobThreads::StartWorker(JobQueue::JobRef job, int encoderThreads)
{
    ++m_state.WorkerBusy;
    std::lock_guard lock(m_workersMutex);
    Worker& worker = m_workers.emplace_back();
    worker.job = std::move(job);
    worker.encoderThreads = encoderThreads;
    worker.thread = std::thread(&JobThreads::mp3cvtthread, this, std::ref(worker));
}

void JobThreads::JoinEndedWorkers()
{
    std::list<Worker> ended;
    {
        std::lock_guard lock(m_workersMutex);
        for (auto it = m_workers.begin(); it != m_workers.end();) {
            const auto next = std::next(it);
            if (it->done)
                ended.splice(ended.end(), m_workers, it);
            it = next;
        }
    }
    for (Worker& worker : ended)
        worker.thread.join();
}

void JobThreads::StopEveryJob()
{
    std::lock_guard lock(m_workersMutex);
    for (Worker& worker : m_workers)
        JobQueue::Control(worker.job) = JobControl::Stop;
}

void JobThreads::SleepUntilNextPass()
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, m_passInterval, [this] { return m_wakeRequested || m_state.SchedulerQuit == kQuit; });
    m_wakeRequested = false;
}

void JobThreads::WakeScheduler()
{
    std::lock_guard lock(m_wakeMutex);
    m_wakeRequested = true;
    m_wake.notify_all();
}

// The worker: one run of one job. The job is read from its row once, as
// it starts; a change made meanwhile restarts it and it is read again.
void JobThreads::mp3cvtthread(Worker& worker)
{
    QueuedJobAccess access(m_queue, worker.job);
    access.SetStatus(JobStatus::kStarted);
    const JobSpec job = access.Read();
    JobLog log(m_log, m_state.WorkerBusy);
    ConversionHost host{access, log, m_prompt, QCoreApplication::applicationDirPath().toStdString(),
                        worker.encoderThreads};
    // A job of an album tells it how it ended (the engine does, once it has
    // run); without album values now, it ends there as not completed.
    host.loudness = m_loudness;
    if (host.loudness == LoudnessTags::Album) {
        host.album = AlbumOf(JobQueue::KeyOf(worker.job));
        if (!host.album)
            host.loudness = LoudnessTags::Track;  // a job added without an album
    }
    const std::optional<ConversionOutcome> early = BeforeConversion(job, log);
    const ConversionOutcome outcome = early ? *early : m_convert(host, job, JobQueue::Control(worker.job));
    if (outcome.kind != ConversionOutcome::Kind::RestartRequested) {
        // The engine told the album itself when it ran with it.
        if (const std::shared_ptr<AlbumGain> taken = TakeAlbum(JobQueue::KeyOf(worker.job));
            taken && (early || !host.album))
            taken->JobEnded(job.result, nullptr);
    }
    if (outcome.kind == ConversionOutcome::Kind::EncoderMissing)
        HoldForEncoder();
    // Posted before the final status is written; a pass that runs before
    // the post does (it may already be running on the UI thread) sees the
    // end as untold and does not call the queue empty.
    ++m_endsUntold;
    m_ui.Post([this, job, outcome] {
        if (m_listener.ended)
            m_listener.ended(job, outcome);
        --m_endsUntold;
        WakeScheduler();
    });
    access.SetStatus(JobVocabulary::StatusAfter(outcome));
    m_queue.SetHeld(worker.job, false);
    --m_state.WorkerBusy;
    worker.done = true;
    WakeScheduler();  // the next job starts at once
}

void JobThreads::JoinAlbum(JobQueue::Key key, std::shared_ptr<AlbumGain> album)
{
    std::lock_guard lock(m_albumsMutex);
    m_albums[key] = std::move(album);
}

void JobThreads::LeaveAlbum(JobQueue::Key key, const std::string& result)
{
    if (const std::shared_ptr<AlbumGain> album = TakeAlbum(key))
        album->JobEnded(result, nullptr);
}

std::shared_ptr<AlbumGain> JobThreads::AlbumOf(JobQueue::Key key) const
{
    std::lock_guard lock(m_albumsMutex);
    const auto found = m_albums.find(key);
    return found == m_albums.end() ? nullptr : found->second;
}

std::shared_ptr<AlbumGain> JobThreads::TakeAlbum(JobQueue::Key key)
{
    std::lock_guard lock(m_albumsMutex);
    const auto found = m_albums.find(key);
    if (found == m_albums.end())
        return nullptr;
    std::shared_ptr<AlbumGain> album = std::move(found->second);
    m_albums.erase(found);
    return album;
}

// A job found the encoder library missing (its own lines say where it was
// looked for and why it did not load): no further job starts until it
// loads, and the log says so once, with what to do.
void JobThreads::HoldForEncoder()
{
    if (m_encoderMissing.exchange(true))
        return;
    m_log.showmessage(m_log.Language().Line(
        ENGINE_TEXT("JobThreads",
                    "%1 could not be loaded, so no further job starts: install LAME (the Debian package "
                    "libmp3lame0) or reinstall Vorlanta; the waiting jobs start once it loads"),
        {be::kLibraryFileName}));
}

void JobThreads::StopThreads(std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    m_prompt.SetQuiet(true);
    StopEveryJob();
    {
        std::lock_guard lock(m_wakeMutex);
        m_state.SchedulerQuit = kQuit;
    }
    WakeScheduler();
    // The scheduler goes first: once it has ended, no new worker can
    // appear and a stop request cannot be overwritten by a start.
    bool inTime = WaitWithEvents([this] { return m_state.SchedulerRunning == 0; }, deadline);
    StopEveryJob();
    inTime = inTime && WaitWithEvents([this] { return m_state.WorkerBusy == 0; }, deadline);
    if (!inTime)
        m_ui.Cancel();
    JoinAll();
}

void JobThreads::JoinAll()
{
    if (m_state.SchedulerThread.joinable())
        m_state.SchedulerThread.join();
    // The scheduler has ended, so no worker is added any more. A worker
    // started at the last moment is told to stop as well.
    StopEveryJob();
    std::list<Worker> workers;
    {
        std::lock_guard lock(m_workersMutex);
        workers.swap(m_workers);
    }
    for (Worker& worker : workers)
        worker.thread.join();
    m_state.SchedulerRunning = 0;
    m_state.WorkerBusy = 0;
}

bool JobThreads::WaitWithEvents(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kWaitPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || std::chrono::steady_clock::now() >= deadline)
            loop.quit();
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}
