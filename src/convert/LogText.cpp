#include "convert/LogText.h"

#include <cstdarg>
#include <cstdio>

std::string LogText::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    return text;
}

std::string LogText::TimeStamp(const std::tm& local)
{
    return Format("%02d:%02d:%02d    ", local.tm_hour, local.tm_min, local.tm_sec);
}

std::string LogText::TimeStampNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return TimeStamp(local);
}

std::string LogText::WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}
