// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// The progress of a whole batch for the terminal's progress line: files
// done of all, the share of the work done (each job weighed by its source's
// size, so one long file does not pass for one short one) and the time that
// is likely left. Jobs report from their own threads.
class BatchProgress {
public:
    explicit BatchProgress(std::vector<std::uint64_t> sizes);

    // A job's own percentage; true when the batch's percentage changed.
    bool SetPercent(std::size_t job, int percent);
    // A job has ended. A skipped job did no work: it leaves the weighing.
    void Ended(std::size_t job, bool skipped);

    int Percent() const;
    // "3/20 files done, about 0:12 left".
    std::string Text() const;

private:
    double Fraction() const;

    mutable std::mutex m_mutex;
    std::vector<double> m_weights;
    std::vector<int> m_percents;
    double m_totalWeight = 0;
    double m_doneWeight = 0;
    std::size_t m_ended = 0;
    int m_lastPercent = -1;
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
};
