// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobLogTap.h"

#include "convert/LogText.h"

void JobLogTap::showmessage(const std::string& text)
{
    m_log.showmessage(text);
    if (!text.empty() && !LogText::IsProgressLine(text))
        Keep(LogText::WithoutLineEnd(text));
}

void JobLogTap::MessageBox(const std::string& text)
{
    m_prompt.MessageBox(text);
    Keep(LogText::WithoutLineEnd(text));
}

void JobLogTap::Keep(std::string line)
{
    m_lineBefore = std::move(m_lastLine);
    m_lastLine = std::move(line);
}

std::string JobLogTap::Reason(const std::string& source, const std::string& result) const
{
    const auto names = [](const std::string& line, const std::string& path) {
        return !path.empty() && line.find(path) != std::string::npos;
    };
    if (m_lineBefore.empty() || names(m_lastLine, source) || names(m_lastLine, result))
        return m_lastLine;
    return m_lineBefore + ": " + m_lastLine;
}
