// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/BatchProgress.h"

#include "cli/CliText.h"

#include "convert/BatchSummary.h"

#include <algorithm>

namespace {

// Below this share done, or this long after the start, no estimate is worth showing.
constexpr double kEstimateFrom = 0.02;
constexpr double kEstimateAfterSeconds = 1.0;

}  // namespace

BatchProgress::BatchProgress(std::vector<std::uint64_t> sizes) : m_percents(sizes.size(), 0)
{
    m_weights.reserve(sizes.size());
    for (const std::uint64_t size : sizes) {
        m_weights.push_back(static_cast<double>(std::max<std::uint64_t>(size, 1)));
        m_totalWeight += m_weights.back();
    }
}

bool BatchProgress::SetPercent(std::size_t job, int percent)
{
    std::lock_guard lock(m_mutex);
    if (job >= m_percents.size() || percent == m_percents[job])
        return false;
    const int clamped = std::clamp(percent, 0, 100);
    m_doneWeight += m_weights[job] * (clamped - m_percents[job]) / 100.0;
    m_percents[job] = clamped;
    const int now = static_cast<int>(Fraction() * 100);
    const bool changed = now != m_lastPercent;
    m_lastPercent = now;
    return changed;
}

void BatchProgress::Ended(std::size_t job, bool skipped)
{
    std::lock_guard lock(m_mutex);
    if (job >= m_percents.size())
        return;
    ++m_ended;
    m_doneWeight -= m_weights[job] * m_percents[job] / 100.0;
    if (skipped) {
        m_totalWeight -= m_weights[job];
        m_weights[job] = 0;
    }
    m_percents[job] = 100;
    m_doneWeight += m_weights[job];
}

double BatchProgress::Fraction() const
{
    return m_totalWeight <= 0 ? 1.0 : std::clamp(m_doneWeight / m_totalWeight, 0.0, 1.0);
}

int BatchProgress::Percent() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(Fraction() * 100);
}

std::string BatchProgress::Text() const
{
    std::lock_guard lock(m_mutex);
    const std::string ended = std::to_string(m_ended);
    const std::string files = std::to_string(m_percents.size());
    const double fraction = Fraction();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    if (fraction >= kEstimateFrom && fraction < 1.0 && elapsed >= kEstimateAfterSeconds)
        return CliText::Format(CliText::translate("BatchProgress", "%1/%2 files done, about %3 left"),
                               {ended, files, BatchSummary::Clock(elapsed * (1.0 - fraction) / fraction)});
    return CliText::Format(CliText::translate("BatchProgress", "%1/%2 files done"), {ended, files});
}
