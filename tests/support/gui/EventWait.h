// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>

// Handles UI events until `done` holds or `timeout` has passed; true when
// `done` held. The job threads need the UI thread to serve their requests,
// so a test waits here rather than sleeping.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(15000))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Handles UI events for `duration`, for checks that something does NOT happen.
inline void HandleEventsFor(std::chrono::milliseconds duration)
{
    WaitUntil([] { return false; }, duration);
}
