// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobVocabulary.h"

#include <QString>

// The job's Status cell as its readers see it. Readers take at most the
// first three characters, so "100%" reads as "100" while "37%" keeps its
// "%". The text read is either exactly "ERR" (failed) or carries a leading
// decimal number; a text without one counts as 0.
class JobStatus {
public:
    static constexpr int kReadLength = 3;

    // Texts the job threads write (the engine's vocabulary).
    static constexpr const char* kWaiting = JobVocabulary::kWaiting;
    static constexpr const char* kStarted = JobVocabulary::kStarted;
    static constexpr const char* kEnded = JobVocabulary::kEnded;
    static constexpr const char* kFailed = JobVocabulary::kFailed;

    static constexpr int kEndedNumber = JobVocabulary::kEndedNumber;

    // Reads a Status cell by the three-character rule.
    static JobStatus FromCell(const QString& cellText);

    // The characters read, at most three.
    const QString& Text() const { return m_text; }
    bool IsEmpty() const { return m_text.isEmpty(); }
    // Exactly "ERR", capitals only.
    bool IsError() const { return m_error; }
    // The leading decimal number; 0 for "ERR" and for texts without digits.
    int Number() const { return m_number; }

    // Waiting to be started: not "ERR", number 0.
    bool IsWaiting() const { return !m_error && m_number == 0; }
    // Being converted: not "ERR", number 1 to 99.
    bool IsRunning() const { return !m_error && m_number >= 1 && m_number <= 99; }
    // Converted or stopped: not "ERR", number 100.
    bool IsEnded() const { return !m_error && m_number == kEndedNumber; }

private:
    JobStatus(QString text, bool error, int number);

    QString m_text;
    bool m_error = false;
    int m_number = 0;
};
