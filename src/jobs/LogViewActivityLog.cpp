// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LogViewActivityLog.h"

#include "base/CLogView.h"
#include "jobs/UiThreadCall.h"

#include <QCoreApplication>
#include <QPointer>

LogViewActivityLog::LogViewActivityLog(UiThreadCall& ui) : m_ui(ui)
{
}

Translator LogViewActivityLog::QtTranslation()
{
    return Translator([](const char* context, const char* english) {
        return QCoreApplication::translate(context, english).toStdString();
    });
}

bool LogViewActivityLog::IsProgressLine(const std::string& text)
{
    return !text.empty() && text.back() == '\r';
}

void LogViewActivityLog::showmessage(const std::string& text)
{
    const bool progress = IsProgressLine(text);
    bool postNow = false;
    bool postLater = false;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pending.empty() && IsProgressLine(m_pending.back()))
            m_pending.back() = text;
        else
            m_pending.push_back(text);
        // A line that stays is shown at once; progress lines a few times a
        // second, so a conversion reporting every frame costs the window
        // next to nothing and the worker never waits for it.
        if (!progress && !m_nowQueued)
            postNow = m_nowQueued = true;
        else if (progress && !m_laterQueued)
            postLater = m_laterQueued = true;
    }
    if (postNow)
        m_ui.Post([this] { DeliverPending(Delivery::Now); });
    if (postLater)
        m_ui.PostDelayed([this] { DeliverPending(Delivery::Later); }, kProgressDelay);
}

void LogViewActivityLog::DeliverPending(Delivery delivery)
{
    std::deque<std::string> lines;
    {
        std::lock_guard lock(m_mutex);
        (delivery == Delivery::Now ? m_nowQueued : m_laterQueued) = false;
        lines.swap(m_pending);
    }
    if (!m_sink)
        return;
    for (const std::string& line : lines)
        m_sink(QString::fromStdString(line));
}

void LogViewActivityLog::SetView(CLogView* view)
{
    if (view == nullptr) {
        m_sink = nullptr;
        return;
    }
    QPointer<CLogView> guarded(view);
    m_sink = [guarded](const QString& line) {
        if (guarded)
            guarded->AppendLine(line);
    };
}

void LogViewActivityLog::SetSink(Sink sink)
{
    m_sink = std::move(sink);
}
