// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/BatchSummary.h"
#include "convert/ConversionOutcome.h"

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <functional>

// What the user learns when a batch ends: one summary line in the log ("18
// converted, 2 failed, 3 skipped in 1:42") followed by one line per failed
// job with its source and reason; the same summary in the status bar until
// the next batch starts; and, when the window is not the active one, a
// desktop notification. UI thread.
//
// A batch opens with its first job (or with the first source an add
// operation passes over) and ends when the queue has run empty with no add
// operation still going on: jobs added after a question that stood open
// belong to the same batch. Every source is counted once, as converted,
// failed, skipped or stopped. Its time is the time some job of it was
// converting, not the time a question or a property sheet stood open
// while none did.
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

    // A job starts converting. The first of a batch takes the last summary
    // off the status bar.
    void JobStarted(Clock::time_point now = Clock::now());
    // A job has ended: counted by its outcome; one restarted on request is
    // counted when its next run ends.
    void JobEnded(const std::string& source, const ConversionOutcome& outcome, Clock::time_point now = Clock::now());
    // A source an add operation did not make a job of: its result was kept,
    // or it was refused.
    void Skipped();
    void Failed(const QString& source, const QString& reason);

    // An add operation (one Add, one drop, one folder, the kept jobs at
    // start) for its lifetime: while one goes on, the batch is not reported;
    // nested ones count. `over` runs as it ends, to have the queue looked at
    // again at once. A null report holds nothing.
    class AddOperation {
    public:
        AddOperation(BatchReport* report, std::function<void()> over);
        ~AddOperation();
        AddOperation(const AddOperation&) = delete;
        AddOperation& operator=(const AddOperation&) = delete;

    private:
        BatchReport* m_report;
        std::function<void()> m_over;
    };

    bool BatchOpen() const { return m_open; }
    // The queue has run empty: reports the open batch once, unless a job's
    // end is still to be told or an add operation goes on.
    void QueueEmpty();

private:
    void Open();

    Outlets m_outlets;
    BatchSummary m_summary;
    Clock::duration m_converting{};  // time some job ran, up to the last end
    Clock::time_point m_busySince{};
    int m_running = 0;
    int m_addOperations = 0;
    bool m_open = false;
};
