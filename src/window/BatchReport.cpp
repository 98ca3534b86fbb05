// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BatchReport.h"

#include <utility>

BatchReport::BatchReport(Outlets outlets) : m_outlets(std::move(outlets))
{
}

void BatchReport::JobStarted(Clock::time_point now)
{
    if (m_open)
        return;
    m_open = true;
    m_started = now;
    m_summary = BatchSummary();
    if (m_outlets.status)
        m_outlets.status(QString());
}

void BatchReport::Failed(const QString& source, const QString& reason)
{
    m_summary.AddFailed(source.toStdString(), reason.toStdString());
}

void BatchReport::QueueEmpty(Clock::time_point now)
{
    if (!m_open)
        return;
    m_open = false;
    const double seconds = std::chrono::duration<double>(now - m_started).count();
    const QString text = QString::fromStdString(m_summary.Text(seconds));
    if (m_outlets.log) {
        m_outlets.log(text);
        for (const std::string& line : m_summary.FailureLines())
            m_outlets.log(QString::fromStdString(line));
    }
    if (m_outlets.status)
        m_outlets.status(text);
    if (m_outlets.notify && m_outlets.windowActive && !m_outlets.windowActive())
        m_outlets.notify(kNoticeTitle(), text);
}
