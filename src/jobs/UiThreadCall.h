// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// Carries calls from the job threads over to the window's (UI) thread, which
// alone may touch the table and the log. Run waits for the call, Post does
// not. The UI thread never waits for the job threads through this object.
//
// Cancel, given on the UI thread when the window closes and a job thread
// does not finish in time, releases every waiting caller at once and turns
// every later call into nothing, so no thread can stay blocked on a UI
// thread that no longer serves it.
class UiThreadCall {
public:
    // Must be constructed on the UI thread.
    UiThreadCall();
    UiThreadCall(const UiThreadCall&) = delete;
    UiThreadCall& operator=(const UiThreadCall&) = delete;

    // Runs `call` on the UI thread and waits until it has run. On the UI
    // thread itself it runs at once. Returns false, and `call` does not
    // run, once cancelled.
    bool Run(const std::function<void()>& call);

    // Queues `call` for the UI thread and returns at once. Calls queued
    // from one thread run in the order they were queued, also relative to
    // Run. Dropped once cancelled.
    void Post(std::function<void()> call);
    // Queues `call` to run on the UI thread `delay` later, unless cancelled
    // by then. No order is kept against other calls.
    void PostDelayed(std::function<void()> call, std::chrono::milliseconds delay);

    // UI thread: refuses every call from now on and releases the waiters.
    void Cancel();
    bool Cancelled() const;

private:
    bool OnUiThread() const;

    QObject m_context;  // lives on the UI thread; pending calls die with it
    mutable std::mutex m_mutex;
    std::condition_variable m_ran;
    bool m_cancelled = false;
};
