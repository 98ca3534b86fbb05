// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

struct ConversionOutcome;

// What a batch of jobs came to, in the words the log and the status bar
// show when the queue runs empty: "18 converted, 2 failed, 3 skipped in
// 1:42", then one line per failed job with its source and the reason.
class BatchSummary {
public:
    struct Failure {
        std::string source;
        std::string reason;
    };

    void AddConverted() { ++converted_; }
    void AddSkipped() { ++skipped_; }
    void AddFailed(const std::string& source, const std::string& reason);
    // Counts one job by how it ended: failed and refused jobs as failed
    // with their reason; stopped and restarted ones not at all.
    void Add(const std::string& source, const ConversionOutcome& outcome);

    int Converted() const { return converted_; }
    int Failed() const { return static_cast<int>(failures_.size()); }
    int Skipped() const { return skipped_; }
    const std::vector<Failure>& Failures() const { return failures_; }

    // The summary line for a batch that took `seconds`.
    std::string Text(double seconds) const;
    // "Failed: SOURCE: REASON", one a failed job, in the order they were added.
    std::vector<std::string> FailureLines() const;

    // Elapsed or remaining time: "0.4 s" below a minute, else "1:42" or "1:02:03".
    static std::string Duration(double seconds);
    // Always as a clock: "0:07", "1:42", "1:02:03".
    static std::string Clock(double seconds);

private:
    int converted_ = 0;
    int skipped_ = 0;
    std::vector<Failure> failures_;
};
