#include "cli/ConsoleLog.h"

#include "convert/LogText.h"

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 24;

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

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

ConsoleLog::ConsoleLog(std::FILE* stream, bool terminal) : stream_(stream), terminal_(terminal) {}

void ConsoleLog::showmessage(const std::string& text)
{
    const bool progress = !text.empty() && text.back() == '\r';
    if (progress) {
        progressText_ = LogText::TimeStampNow() + WithoutLineEnd(text);
        if (terminal_)
            DrawProgress(false);
        return;
    }
    if (terminal_ && progressShown_)
        std::fputs("\r\033[K", stream_);
    progressShown_ = false;
    std::fputs((LogText::TimeStampNow() + WithoutLineEnd(text) + "\n").c_str(), stream_);
    std::fflush(stream_);
}

void ConsoleLog::SetPercent(int percent)
{
    percent_ = percent;
    if (terminal_ && !progressText_.empty())
        DrawProgress(false);
}

void ConsoleLog::DrawProgress(bool force)
{
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
    if (terminal_ && progressShown_) {
        std::fputs("\r\033[K", stream_);
        std::fflush(stream_);
    }
    progressShown_ = false;
    progressText_.clear();
    percent_ = 0;
}
