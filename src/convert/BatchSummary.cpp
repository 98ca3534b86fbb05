// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BatchSummary.h"

#include "convert/ConversionOutcome.h"
#include "convert/LogText.h"

#include <cmath>

void BatchSummary::AddFailed(const std::string& source, const std::string& reason)
{
    failures_.push_back({source, reason.empty() ? std::string("no reason given") : reason});
}

std::string BatchSummary::Text(double seconds) const
{
    return LogText::Format("%d converted, %d failed, %d skipped in %s", converted_, Failed(), skipped_,
                           Duration(seconds).c_str());
}

std::vector<std::string> BatchSummary::FailureLines() const
{
    std::vector<std::string> lines;
    lines.reserve(failures_.size());
    for (const Failure& failure : failures_)
        lines.push_back("Failed: " + failure.source + ": " + failure.reason);
    return lines;
}

std::string BatchSummary::Duration(double seconds)
{
    if (seconds < 59.95)
        return LogText::Format("%.1f s", seconds < 0 ? 0.0 : seconds);
    return Clock(seconds);
}

std::string BatchSummary::Clock(double seconds)
{
    const long total = seconds <= 0 ? 0 : std::lround(seconds);
    const long hours = total / 3600;
    const long minutes = total / 60 % 60;
    const long rest = total % 60;
    if (hours > 0)
        return LogText::Format("%ld:%02ld:%02ld", hours, minutes, rest);
    return LogText::Format("%ld:%02ld", minutes, rest);
}

void BatchSummary::Add(const std::string& source, const ConversionOutcome& outcome)
{
    switch (outcome.kind) {
    case ConversionOutcome::Kind::Converted:
        AddConverted();
        break;
    case ConversionOutcome::Kind::Skipped:
        AddSkipped();
        break;
    case ConversionOutcome::Kind::Failed:
    case ConversionOutcome::Kind::Refused:
    case ConversionOutcome::Kind::EncoderMissing:
        AddFailed(source, outcome.reason);
        break;
    case ConversionOutcome::Kind::Stopped:
    case ConversionOutcome::Kind::RestartRequested:
        break;
    }
}
