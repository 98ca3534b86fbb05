#pragma once

#include "jobs/JobThreadState.h"
#include "jobs/LogViewActivityLog.h"
#include "jobs/MessageBoxPrompt.h"
#include "jobs/TableJobAccess.h"
#include "jobs/UiThreadCall.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class CLogView;
class CMyListView;
struct ConversionHost;

// The job threads of one job table: the scheduler `jobqueuethread`, which
// looks at the table's first row once per pass and removes or starts it,
// and the worker `mp3cvtthread`, which converts one job and writes its
// final status. Owned by the table; every table and log access of the two
// threads is carried out on the UI thread.
//
// Threads are never killed. StopThreads asks them to end, keeps the window
// alive while they do, and joins them.
class JobThreads {
public:
    using ConversionRoutine = std::function<int(ConversionHost&, int, const std::atomic<int>&)>;

    static constexpr std::chrono::milliseconds kPassInterval{1000};
    static constexpr std::chrono::milliseconds kStopBound{2000};

    explicit JobThreads(CMyListView& table);
    ~JobThreads();
    JobThreads(const JobThreads&) = delete;
    JobThreads& operator=(const JobThreads&) = delete;

    JobThreadState& State() { return m_state; }
    const JobThreadState& State() const { return m_state; }

    // WorkerBusy or SchedulerRunning: the close request asks before exiting.
    bool ThreadsRunning() const;

    // UI thread. Starts the scheduler unless it runs already or the threads
    // have been stopped; true when this call started it. Safe against any
    // number of calls in a row.
    bool StartScheduler();

    // UI thread. Asks the running conversion to stop (control word 1) and
    // the scheduler to quit, handles UI events while they end (at most
    // `bound`, so their requests to the window are served), then joins
    // them. A thread still busy at the bound has its window requests
    // refused from then on, which lets it end at once. Afterwards no job
    // thread runs and none can be started again.
    void StopThreads(std::chrono::milliseconds bound = kStopBound);

    // UI thread. Control word requests to the running conversion.
    void RequestStop();
    void RequestRestart();

    // UI thread: where the conversion's log lines go.
    void SetLogView(CLogView* view);
    LogViewActivityLog& Log() { return m_log; }

    // Set before the scheduler starts. The pass interval defaults to
    // kPassInterval, the routine to `vorlanta`.
    void SetPassInterval(std::chrono::milliseconds interval);
    void SetConversionRoutine(ConversionRoutine routine);

private:
    void jobqueuethread();
    void mp3cvtthread(int row);
    void SchedulerPass();
    void StartWorker();
    void SleepUntilNextPass();
    void WakeScheduler();
    bool WaitWithEvents(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline);
    void JoinAll();

    CMyListView& m_table;
    JobThreadState m_state;
    UiThreadCall m_ui;
    TableJobAccess m_tableAccess;
    LogViewActivityLog m_log;
    MessageBoxPrompt m_prompt;
    ConversionRoutine m_convert;
    std::chrono::milliseconds m_passInterval = kPassInterval;
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
};
