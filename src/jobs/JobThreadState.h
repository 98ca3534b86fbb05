#pragma once

#include <atomic>
#include <memory>
#include <thread>

// The fields through which the window controls the job threads. The
// integers are shared without locks; each has one meaning and few writers.
struct JobThreadState {
    std::atomic<int> SchedulerRunning{0};
    std::atomic<int> SchedulerQuit{-1};
    std::atomic<int> WorkerBusy{0};
    std::atomic<int> JobControlWord{-1};
    std::atomic<int> SchedulingPaused{0};
    // Threads are joined, never killed: the close request asks them to stop
    // and waits for them.
    std::thread SchedulerThread;
    std::thread WorkerThread;
};
