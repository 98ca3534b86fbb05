// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <thread>

// The fields through which the window controls the job threads. The
// integers are shared without locks; each has one meaning and few writers.
// Each job carries the control word of its own conversion (JobQueue), and
// the workers, one per running job, are kept by JobThreads.
struct JobThreadState {
    std::atomic<int> SchedulerRunning{0};
    std::atomic<int> SchedulerQuit{-1};
    // The number of workers converting a job: 0 or 1 with one simultaneous
    // conversion, up to that number with more.
    std::atomic<int> WorkerBusy{0};
    std::atomic<int> SchedulingPaused{0};
    // Joined, never killed: the close request asks it to stop and waits.
    std::thread SchedulerThread;
};
