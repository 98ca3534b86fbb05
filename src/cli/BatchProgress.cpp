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

BatchProgress::BatchProgress(std::vector<std::uint64_t> sizes) : percents_(sizes.size(), 0)
{
    weights_.reserve(sizes.size());
    for (const std::uint64_t size : sizes) {
        weights_.push_back(static_cast<double>(std::max<std::uint64_t>(size, 1)));
        totalWeight_ += weights_.back();
    }
}

bool BatchProgress::SetPercent(std::size_t job, int percent)
{
    std::lock_guard lock(mutex_);
    if (job >= percents_.size() || percent == percents_[job])
        return false;
    const int clamped = std::clamp(percent, 0, 100);
    doneWeight_ += weights_[job] * (clamped - percents_[job]) / 100.0;
    percents_[job] = clamped;
    const int now = static_cast<int>(Fraction() * 100);
    const bool changed = now != lastPercent_;
    lastPercent_ = now;
    return changed;
}

void BatchProgress::Ended(std::size_t job, bool skipped)
{
    std::lock_guard lock(mutex_);
    if (job >= percents_.size())
        return;
    ++ended_;
    doneWeight_ -= weights_[job] * percents_[job] / 100.0;
    if (skipped) {
        totalWeight_ -= weights_[job];
        weights_[job] = 0;
    }
    percents_[job] = 100;
    doneWeight_ += weights_[job];
}

double BatchProgress::Fraction() const
{
    return totalWeight_ <= 0 ? 1.0 : std::clamp(doneWeight_ / totalWeight_, 0.0, 1.0);
}

int BatchProgress::Percent() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(Fraction() * 100);
}

std::string BatchProgress::Text() const
{
    std::lock_guard lock(mutex_);
    const std::string ended = std::to_string(ended_);
    const std::string files = std::to_string(percents_.size());
    const double fraction = Fraction();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    if (fraction >= kEstimateFrom && fraction < 1.0 && elapsed >= kEstimateAfterSeconds)
        return CliText::Format(CliText::translate("BatchProgress", "%1/%2 files done, about %3 left"),
                               {ended, files, BatchSummary::Clock(elapsed * (1.0 - fraction) / fraction)});
    return CliText::Format(CliText::translate("BatchProgress", "%1/%2 files done"), {ended, files});
}
