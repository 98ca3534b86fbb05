#include "jobs/JobThreads.h"

#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobVocabulary.h"
#include "jobs/CMyListView.h"
#include "jobs/JobStatus.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int kQuit = 1;
constexpr int kJobRow = 0;  // the scheduler only ever starts the first row
constexpr int kWaitPollMs = 5;
}  // namespace

JobThreads::JobThreads(CMyListView& table)
    : m_table(table), m_tableAccess(table, m_ui), m_log(m_ui), m_prompt(m_ui), m_convert(&vorlanta)
{
    m_prompt.SetParent(&table);
}

JobThreads::~JobThreads()
{
    StopThreads(kStopBound);
}

bool JobThreads::ThreadsRunning() const
{
    return m_state.WorkerBusy == 1 || m_state.SchedulerRunning == 1;
}

void JobThreads::SetLogView(CLogView* view)
{
    m_log.SetView(view);
}

void JobThreads::SetPassInterval(std::chrono::milliseconds interval)
{
    m_passInterval = interval;
}

void JobThreads::SetConversionRoutine(ConversionRoutine routine)
{
    m_convert = std::move(routine);
}

void JobThreads::RequestStop()
{
    m_state.JobControlWord = JobControl::Stop;
}

void JobThreads::RequestRestart()
{
    m_state.JobControlWord = JobControl::Restart;
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
    // While a worker is busy the first row is its job: it is neither
    // removed nor started again until the worker has written its final
    // status and ended.
    if (m_state.SchedulingPaused != 0 || m_state.WorkerBusy != 0)
        return;
    CMyListView::FirstRowAction action = CMyListView::FirstRowAction::None;
    if (!m_ui.Run([&] { action = m_table.TakeFirstRow(); }))
        return;
    if (action == CMyListView::FirstRowAction::Start && m_state.SchedulerQuit != kQuit)
        StartWorker();
}

void JobThreads::StartWorker()
{
    // The previous worker has written its final status; it only has to end.
    if (m_state.WorkerThread.joinable())
        m_state.WorkerThread.join();
    m_state.JobControlWord = JobControl::Run;
    m_state.WorkerBusy = 1;
    m_state.WorkerThread = std::thread(&JobThreads::mp3cvtthread, this, kJobRow);
}

void JobThreads::SleepUntilNextPass()
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, m_passInterval, [this] { return m_state.SchedulerQuit == kQuit; });
}

void JobThreads::WakeScheduler()
{
    std::lock_guard lock(m_wakeMutex);
    m_wake.notify_all();
}

// The worker: one run of the job in `row`.
void JobThreads::mp3cvtthread(int row)
{
    m_state.WorkerBusy = 1;
    m_tableAccess.SetStatusNow(JobStatus::kStarted);
    ConversionHost host{m_tableAccess, m_log, m_prompt, QCoreApplication::applicationDirPath().toStdString()};
    const int result = m_convert(host, row, m_state.JobControlWord);
    m_tableAccess.SetStatusNow(JobVocabulary::StatusAfter(result));
    m_state.WorkerBusy = 0;
}

void JobThreads::StopThreads(std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    m_prompt.SetQuiet(true);
    if (m_state.WorkerBusy == 1)
        RequestStop();
    {
        std::lock_guard lock(m_wakeMutex);
        m_state.SchedulerQuit = kQuit;
    }
    WakeScheduler();
    // The scheduler goes first: once it has ended, no new worker can
    // appear and a stop request cannot be overwritten by a start.
    bool inTime = WaitWithEvents([this] { return m_state.SchedulerRunning == 0; }, deadline);
    if (inTime && m_state.WorkerBusy == 1)
        RequestStop();
    inTime = inTime && WaitWithEvents([this] { return m_state.WorkerBusy == 0; }, deadline);
    if (!inTime) {
        m_ui.Cancel();
        RequestStop();
    }
    JoinAll();
}

void JobThreads::JoinAll()
{
    if (m_state.SchedulerThread.joinable())
        m_state.SchedulerThread.join();
    // The scheduler has ended, so WorkerThread no longer changes. A worker
    // started at the last moment is told to stop as well.
    if (m_state.WorkerThread.joinable()) {
        RequestStop();
        m_state.WorkerThread.join();
    }
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
