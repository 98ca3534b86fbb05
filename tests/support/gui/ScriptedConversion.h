// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobThreads.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// A stand-in for the conversion routine, for checking how the job threads
// drive it. It takes the job as the real routine does, then, per source
// path, either ends at once with a chosen outcome or keeps "running"
// (writing a progress status) until the control word asks it to stop or
// restart, or the test releases it.
class ScriptedConversion {
public:
    struct Call {
        std::string source;
        std::string result;
        EncodeSettings settings;
    };

    static constexpr const char* kProgress = "37%";

    JobThreads::ConversionRoutine Routine();

    // Outcome when the job is not held (default: converted).
    void SetResult(const std::string& source, ConversionOutcome::Kind result);
    // The job keeps running until asked to end or released.
    void Hold(const std::string& source);
    void Release(const std::string& source);

    std::vector<Call> Calls() const;
    std::size_t CallCount() const;
    int Running() const { return m_running; }
    int MaxConcurrent() const { return m_maxConcurrent; }
    // Control word values seen when each job ended.
    std::vector<int> EndControls() const;

private:
    ConversionOutcome Convert(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control);
    bool IsIn(const std::set<std::string>& set, const std::string& source) const;

    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
    std::vector<int> m_endControls;
    std::set<std::string> m_held;
    std::vector<std::pair<std::string, ConversionOutcome::Kind>> m_results;
    std::atomic<int> m_running{0};
    std::atomic<int> m_maxConcurrent{0};
};
