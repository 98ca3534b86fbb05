// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/UiThreadCall.h"

#include <QThread>
#include <QTimer>

#include <memory>

UiThreadCall::UiThreadCall() = default;

bool UiThreadCall::OnUiThread() const
{
    return QThread::currentThread() == m_context.thread();
}

bool UiThreadCall::Cancelled() const
{
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

bool UiThreadCall::Run(const std::function<void()>& call)
{
    if (OnUiThread()) {
        if (Cancelled())
            return false;
        call();
        return true;
    }
    // Cancel and the call itself both run on the UI thread, so a call that
    // starts is never cut short and the waiter's locals stay valid for it.
    auto done = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        &m_context,
        [this, done, &call] {
            if (Cancelled())
                return;
            call();
            std::lock_guard lock(m_mutex);
            *done = true;
            m_ran.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_ran.wait(lock, [&] { return *done || m_cancelled; });
    return *done;
}

void UiThreadCall::Post(std::function<void()> call)
{
    if (Cancelled())
        return;
    QMetaObject::invokeMethod(
        &m_context,
        [this, call = std::move(call)] {
            if (!Cancelled())
                call();
        },
        Qt::QueuedConnection);
}

void UiThreadCall::PostDelayed(std::function<void()> call, std::chrono::milliseconds delay)
{
    Post([this, call = std::move(call), delay] {
        QTimer::singleShot(delay, &m_context, [this, call] {
            if (!Cancelled())
                call();
        });
    });
}

void UiThreadCall::Cancel()
{
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_ran.notify_all();
}
