// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/BatchSummary.h"
#include "convert/ConversionOutcome.h"

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <functional>

// What the user learns when the job queue runs empty: one summary line in
// the log ("18 converted, 2 failed, 3 skipped in 1:42") followed by one line
// per failed job with its source and reason; the same summary in the status
// bar until the next job starts; and, when the window is not the active one,
// a desktop notification. UI thread.
class BatchReport {
public:
    using Clock = std::chrono::steady_clock;

    struct Outlets {
        // A line that stays in the activity log (without line end).
        std::function<void(const QString& line)> log;
        // The status bar's message; an empty text brings back the idle text.
        std::function<void(const QString& text)> status;
        // Whether the main window is the active window.
        std::function<bool()> windowActive;
        // A desktop notification.
        std::function<void(const QString& summary, const QString& body)> notify;
    };

    static QString kNoticeTitle() { return QCoreApplication::translate("BatchReport", "Vorlanta: all jobs done"); }

    explicit BatchReport(Outlets outlets);

    // A job starts. The first after the queue ran empty opens a new batch
    // and takes the last summary off the status bar.
    void JobStarted(Clock::time_point now = Clock::now());
    void Converted() { m_summary.AddConverted(); }
    void Skipped() { m_summary.AddSkipped(); }
    void Failed(const QString& source, const QString& reason);
    // A job has ended: counted by its outcome.
    void JobEnded(const std::string& source, const ConversionOutcome& outcome) { m_summary.Add(source, outcome); }

    bool BatchOpen() const { return m_open; }
    // The queue has run empty: reports the open batch, if any, once.
    void QueueEmpty(Clock::time_point now = Clock::now());

private:
    Outlets m_outlets;
    BatchSummary m_summary;
    Clock::time_point m_started{};
    bool m_open = false;
};
