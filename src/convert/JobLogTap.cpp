#include "convert/JobLogTap.h"

#include "convert/LogText.h"

void JobLogTap::showmessage(const std::string& text)
{
    log_.showmessage(text);
    if (!text.empty() && !LogText::IsProgressLine(text))
        lastLine_ = LogText::WithoutLineEnd(text);
}

void JobLogTap::MessageBox(const std::string& text)
{
    prompt_.MessageBox(text);
    lastLine_ = LogText::WithoutLineEnd(text);
}
