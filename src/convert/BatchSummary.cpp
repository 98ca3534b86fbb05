// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BatchSummary.h"

#include "convert/ConversionOutcome.h"
#include "convert/LogText.h"

#include <algorithm>
#include <cmath>

void BatchSummary::AddFailed(const std::string& source, const std::string& reason)
{
    m_failures.push_back({source, reason});
}

std::string BatchSummary::Text(double seconds, const Translator& language) const
{
    const std::string converted = std::to_string(m_converted);
    const std::string failed = std::to_string(Failed());
    const std::string skipped = std::to_string(m_skipped);
    const std::string stopped = std::to_string(m_stopped);
    const std::string notStarted = std::to_string(NotStarted());
    const std::string time = Duration(seconds);
    if (m_stopped > 0 && NotStarted() > 0)
        return language.Text(
            ENGINE_TEXT("BatchSummary", "%1 converted, %2 failed, %3 skipped, %4 stopped, %5 not started in %6"),
            {converted, failed, skipped, stopped, notStarted, time});
    if (m_stopped > 0)
        return language.Text(ENGINE_TEXT("BatchSummary", "%1 converted, %2 failed, %3 skipped, %4 stopped in %5"),
                             {converted, failed, skipped, stopped, time});
    if (NotStarted() > 0)
        return language.Text(ENGINE_TEXT("BatchSummary", "%1 converted, %2 failed, %3 skipped, %4 not started in %5"),
                             {converted, failed, skipped, notStarted, time});
    return language.Text(ENGINE_TEXT("BatchSummary", "%1 converted, %2 failed, %3 skipped in %4"),
                         {converted, failed, skipped, time});
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
std::string BatchSummary::ReasonWithoutSource(const std::string& reason, const std::string& source,
                                              const Translator& language)
{
    std::string text = reason;
    if (!source.empty()) {
        // How a reason names its source at its start, and the words after
        // the name the shortened line reads well without ("is "), as each
        // language's reasons start.
        //: The start of a reason line naming its file (%1) that the summary's failure line leaves out, its file
        //: named at the end instead: "Failed: not an MP3 file (...) - x.mp3". Only the words that line reads well
        //: without: keep just "%1 " where leaving out more would change the meaning.
        const std::string lead = language(ENGINE_TEXT("BatchSummary", "%1 is "));
        const std::size_t mark = lead.find("%1");
        const std::string start
            = mark == std::string::npos ? source + " " : lead.substr(0, mark) + source + lead.substr(mark + 2);
        if (text.rfind(start, 0) == 0)
            text.erase(0, start.size());
        else if (text.rfind(source + " ", 0) == 0)
            text.erase(0, source.size() + 1);
        EraseAll(text, " in file " + source);
        EraseAll(text, " of " + source);
        // Anywhere else the file is named by its name alone.
        const std::string name = NameOf(source);
        for (std::size_t at = text.find(source); at != std::string::npos; at = text.find(source, at + name.size()))
            text.replace(at, source.size(), name);
    }
    return text.empty() ? language(ENGINE_TEXT("BatchSummary", "no reason given")) : text;
}

std::vector<std::string> BatchSummary::FailureLines(const Translator& language) const
{
    std::vector<std::string> lines;
    lines.reserve(m_failures.size());
    for (const Failure& failure : m_failures) {
        const std::string name = NameOf(failure.source);
        // The folder only where another failed file has the same name.
        const bool shared = std::count_if(m_failures.begin(), m_failures.end(),
                                          [&](const Failure& other) { return NameOf(other.source) == name; })
            > 1;
        const std::string reason = ReasonWithoutSource(failure.reason, failure.source, language);
        lines.push_back(shared ? language.Text(ENGINE_TEXT("BatchSummary", "Failed: %1 \u2014 %2 (in %3)"),
                                               {reason, name, FolderOf(failure.source)})
                               : language.Text(ENGINE_TEXT("BatchSummary", "Failed: %1 \u2014 %2"), {reason, name}));
    }
    for (const std::string& source : m_notStarted)
        lines.push_back(language.Text(ENGINE_TEXT("BatchSummary", "Not started: %1"), {source}));
    for (const std::string& source : m_notSearched)
        lines.push_back(language.Text(ENGINE_TEXT("BatchSummary", "Not searched: %1"), {source}));
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
