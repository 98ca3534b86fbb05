// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <string>
#include <vector>

struct ConversionOutcome;

// What a batch of jobs came to, in the words the log and the status bar
// show when the queue runs empty: "18 converted, 2 failed, 3 skipped in
// 1:42", then one line per failed job with its reason and the file.
class BatchSummary {
public:
    struct Failure {
        std::string source;
        std::string reason;
    };

    void AddConverted() { ++m_converted; }
    void AddSkipped() { ++m_skipped; }
    void AddFailed(const std::string& source, const std::string& reason);
    // A job stopped on request while it converted.
    void AddStopped() { ++m_stopped; }
    // A job the batch never started (it was stopped first).
    void AddNotStarted(const std::string& source) { m_notStarted.push_back(source); }
    // A source named to the batch that a stop kept from being searched to
    // its end: what lies below it was never found, so it is named here.
    void AddNotSearched(const std::string& source) { m_notSearched.push_back(source); }
    // Counts one job by how it ended: failed and refused jobs as failed
    // with their reason; restarted ones not at all (they run again).
    void Add(const std::string& source, const ConversionOutcome& outcome);

    int Converted() const { return m_converted; }
    int Failed() const { return static_cast<int>(m_failures.size()); }
    int Skipped() const { return m_skipped; }
    int Stopped() const { return m_stopped; }
    int NotStarted() const { return static_cast<int>(m_notStarted.size()); }
    const std::vector<Failure>& Failures() const { return m_failures; }

    // The summary line for a batch that took `seconds`; "…, 1 stopped" only
    // when a job was stopped, "…, 2 not started in 1:42" only when some job
    // never started.
    std::string Text(double seconds, const Translator& language = {}) const;
    // "Failed: REASON — NAME", one a failed job, in the order they were
    // added: the reason first, so that it shows in a narrow log, then the
    // source's file name, with its folder ("NAME (in FOLDER)") only where
    // two failed sources share a name.
    // Then "Not started: SOURCE", one a job never started, and "Not
    // searched: SOURCE", one a folder or file a stop came before.
    std::vector<std::string> FailureLines(const Translator& language = {}) const;
    // `reason` without the source's path the engine's lines carry.
    static std::string ReasonWithoutSource(const std::string& reason, const std::string& source,
                                           const Translator& language = {});

    // Elapsed or remaining time: "0.4 s" below a minute, else "1:42" or "1:02:03".
    static std::string Duration(double seconds);
    // Always as a clock: "0:07", "1:42", "1:02:03".
    static std::string Clock(double seconds);

private:
    int m_converted = 0;
    int m_skipped = 0;
    int m_stopped = 0;
    std::vector<Failure> m_failures;
    std::vector<std::string> m_notStarted;
    std::vector<std::string> m_notSearched;
};
