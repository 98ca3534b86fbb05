// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleLog.h"

#include "cli/CliText.h"
#include "convert/LogText.h"
#include "convert/SystemReason.h"

#include <cerrno>

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 24;

std::string Bar(int percent)
{
    const int filled = percent * kBarWidth / 100;
    // Appended piece by piece: GCC 12 at -O3 misreads the chained operator+ as an overlapping copy.
    std::string bar = "[";
    bar.append(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    bar += "] ";
    bar += std::to_string(percent);
    bar += '%';
    return bar;
}

}  // namespace

ConsoleLog::ConsoleLog(std::FILE* stream, bool terminal) : stream_(stream), terminal_(terminal)
{
}

Translator ConsoleLog::Language() const
{
    return Translator(&CliText::translate);
}

void ConsoleLog::showmessage(const std::string& text)
{
    if (LogText::IsProgressLine(text))
        return;
    const std::string line = LogText::TimeStampNow() + LogText::WithoutLineEnd(text) + "\n";
    std::lock_guard lock(mutex_);
    Wipe();
    std::fputs(line.c_str(), stream_);
    DrawProgress(true);
    Flush();
}

void ConsoleLog::Flush()
{
    if (std::fflush(stream_) != 0 && writeError_ == 0)
        writeError_ = errno != 0 ? errno : EIO;
}

std::string ConsoleLog::WriteFailure()
{
    std::lock_guard lock(mutex_);
    Flush();
    return writeError_ == 0 ? std::string() : SystemReason::OfError(writeError_);
}

void ConsoleLog::SetProgress(const std::string& text, int percent)
{
    if (!terminal_)
        return;
    std::lock_guard lock(mutex_);
    progressText_ = text;
    percent_ = percent;
    DrawProgress(false);
}

void ConsoleLog::Message(std::FILE* stream, const std::string& text)
{
    std::lock_guard lock(mutex_);
    Wipe();
    Flush();
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
    DrawProgress(true);
}

void ConsoleLog::Wipe()
{
    if (terminal_ && progressShown_)
        std::fputs("\r\033[K", stream_);
    progressShown_ = false;
}

void ConsoleLog::DrawProgress(bool force)
{
    if (!terminal_ || progressText_.empty())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && progressShown_ && now - lastDraw_ < kRedrawInterval)
        return;
    lastDraw_ = now;
    std::fputs(("\r\033[K" + progressText_ + "  " + Bar(percent_)).c_str(), stream_);
    std::fflush(stream_);
    progressShown_ = true;
}

void ConsoleLog::Finish()
{
    std::lock_guard lock(mutex_);
    Wipe();
    Flush();
    progressText_.clear();
    percent_ = 0;
}
