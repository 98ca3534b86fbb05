// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BatchReport.h"

#include "jobs/LogViewActivityLog.h"

#include <utility>

BatchReport::BatchReport(Outlets outlets) : m_outlets(std::move(outlets))
{
}

BatchReport::AddOperation::AddOperation(BatchReport* report, std::function<void()> over)
    : m_report(report), m_over(std::move(over))
{
    if (m_report)
        ++m_report->m_addOperations;
}

BatchReport::AddOperation::~AddOperation()
{
    if (!m_report)
        return;
    --m_report->m_addOperations;
    if (m_over)
        m_over();
}

void BatchReport::Open()
{
    if (m_open)
        return;
    m_open = true;
    m_converting = {};
    m_summary = BatchSummary();
    if (m_outlets.status)
        m_outlets.status(QString());
}

void BatchReport::JobStarted(Clock::time_point now)
{
    Open();
    if (m_running++ == 0)
        m_busySince = now;
}

void BatchReport::JobEnded(const std::string& source, const ConversionOutcome& outcome, Clock::time_point now)
{
    Open();
    m_summary.Add(source, outcome);
    if (m_running > 0 && --m_running == 0)
        m_converting += now - m_busySince;
}

void BatchReport::Skipped()
{
    Open();
    m_summary.AddSkipped();
}

void BatchReport::Failed(const QString& source, const QString& reason)
{
    Open();
    m_summary.AddFailed(source.toStdString(), reason.toStdString());
}

void BatchReport::QueueEmpty()
{
    if (!m_open || m_running > 0 || m_addOperations > 0)
        return;
    m_open = false;
    const double seconds = std::chrono::duration<double>(m_converting).count();
    const Translator language = LogViewActivityLog::QtTranslation();
    const QString text = QString::fromStdString(m_summary.Text(seconds, language));
    if (m_outlets.log) {
        m_outlets.log(text);
        for (const std::string& line : m_summary.FailureLines(language))
            m_outlets.log(QString::fromStdString(line));
    }
    if (m_outlets.status)
        m_outlets.status(text);
    if (m_outlets.notify && m_outlets.windowActive && !m_outlets.windowActive())
        m_outlets.notify(kNoticeTitle(), text);
}
