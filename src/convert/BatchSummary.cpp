// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BatchSummary.h"

#include "convert/ConversionOutcome.h"
#include "convert/LogText.h"

#include <algorithm>
#include <cmath>

void BatchSummary::AddFailed(const std::string& source, const std::string& reason)
{
    failures_.push_back({source, reason.empty() ? std::string("no reason given") : reason});
}

std::string BatchSummary::Text(double seconds) const
{
    const std::string stopped = stopped_ == 0 ? "" : LogText::Format(", %d stopped", stopped_);
    const std::string notStarted = notStarted_.empty() ? "" : LogText::Format(", %d not started", NotStarted());
    return LogText::Format("%d converted, %d failed, %d skipped%s%s in %s", converted_, Failed(), skipped_,
                           stopped.c_str(), notStarted.c_str(), Duration(seconds).c_str());
}

namespace {

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void EraseAll(std::string& text, const std::string& piece)
{
    for (std::size_t at = text.find(piece); !piece.empty() && at != std::string::npos; at = text.find(piece, at))
        text.erase(at, piece.size());
}

}  // namespace

// The engine's lines name the source where they begin ("PATH is not an MP3
// file ...") or end ("... failed in file PATH"); the failure line names the
// file itself, so the reason drops it.
std::string BatchSummary::ReasonWithoutSource(const std::string& reason, const std::string& source)
{
    std::string text = reason;
    if (!source.empty()) {
        if (text.rfind(source + " is ", 0) == 0)
            text.erase(0, source.size() + 4);
        else if (text.rfind(source + " ", 0) == 0)
            text.erase(0, source.size() + 1);
        EraseAll(text, " in file " + source);
        EraseAll(text, " of " + source);
        // Anywhere else the file is named by its name alone.
        const std::string name = NameOf(source);
        for (std::size_t at = text.find(source); at != std::string::npos; at = text.find(source, at + name.size()))
            text.replace(at, source.size(), name);
    }
    return text.empty() ? std::string("no reason given") : text;
}

std::vector<std::string> BatchSummary::FailureLines() const
{
    std::vector<std::string> lines;
    lines.reserve(failures_.size());
    for (const Failure& failure : failures_) {
        const std::string name = NameOf(failure.source);
        // The folder only where another failed file has the same name.
        const bool shared = std::count_if(failures_.begin(), failures_.end(),
                                          [&](const Failure& other) { return NameOf(other.source) == name; })
            > 1;
        std::string line = "Failed: " + ReasonWithoutSource(failure.reason, failure.source) + " \u2014 " + name;
        if (shared)
            line += " (in " + FolderOf(failure.source) + ")";
        lines.push_back(std::move(line));
    }
    for (const std::string& source : notStarted_)
        lines.push_back("Not started: " + source);
    for (const std::string& source : notSearched_)
        lines.push_back("Not searched: " + source);
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
        AddStopped();
        break;
    case ConversionOutcome::Kind::RestartRequested:
        break;
    }
}
