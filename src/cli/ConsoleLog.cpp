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

ConsoleLog::ConsoleLog(std::FILE* stream, bool terminal) : m_stream(stream), m_terminal(terminal)
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
    std::lock_guard lock(m_mutex);
    Wipe();
    std::fputs(line.c_str(), m_stream);
    DrawProgress(true);
    Flush();
}

void ConsoleLog::Flush()
{
    if (std::fflush(m_stream) != 0 && m_writeError == 0)
        m_writeError = errno != 0 ? errno : EIO;
}

std::string ConsoleLog::WriteFailure()
{
    std::lock_guard lock(m_mutex);
    Flush();
    return m_writeError == 0 ? std::string() : SystemReason::OfError(m_writeError);
}

void ConsoleLog::SetProgress(const std::string& text, int percent)
{
    if (!m_terminal)
        return;
    std::lock_guard lock(m_mutex);
    m_progressText = text;
    m_percent = percent;
    DrawProgress(false);
}

void ConsoleLog::Message(std::FILE* stream, const std::string& text)
{
    std::lock_guard lock(m_mutex);
    Wipe();
    Flush();
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
    DrawProgress(true);
}

void ConsoleLog::Wipe()
{
    if (m_terminal && m_progressShown)
        std::fputs("\r\033[K", m_stream);
    m_progressShown = false;
}

void ConsoleLog::DrawProgress(bool force)
{
    if (!m_terminal || m_progressText.empty())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && m_progressShown && now - m_lastDraw < kRedrawInterval)
        return;
    m_lastDraw = now;
    std::fputs(("\r\033[K" + m_progressText + "  " + Bar(m_percent)).c_str(), m_stream);
    std::fflush(m_stream);
    m_progressShown = true;
}

void ConsoleLog::Finish()
{
    std::lock_guard lock(m_mutex);
    Wipe();
    Flush();
    m_progressText.clear();
    m_percent = 0;
}
