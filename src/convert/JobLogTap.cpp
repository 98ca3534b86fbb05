// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobLogTap.h"

#include "convert/LogText.h"

void JobLogTap::showmessage(const std::string& text)
{
    log_.showmessage(text);
    if (!text.empty() && !LogText::IsProgressLine(text))
        Keep(LogText::WithoutLineEnd(text));
}

void JobLogTap::MessageBox(const std::string& text)
{
    prompt_.MessageBox(text);
    Keep(LogText::WithoutLineEnd(text));
}

void JobLogTap::Keep(std::string line)
{
    lineBefore_ = std::move(lastLine_);
    lastLine_ = std::move(line);
}

std::string JobLogTap::Reason(const std::string& source, const std::string& result) const
{
    const auto names = [](const std::string& line, const std::string& path) {
        return !path.empty() && line.find(path) != std::string::npos;
    };
    if (lineBefore_.empty() || names(lastLine_, source) || names(lastLine_, result))
        return lastLine_;
    return lineBefore_ + ": " + lastLine_;
}
