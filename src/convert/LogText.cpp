// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LogText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// How many of the characters that close `format` make up its line ending.
std::size_t LineEndLength(const char* format)
{
    const std::size_t length = std::strlen(format);
    std::size_t end = length;
    while (end > 0 && (format[end - 1] == '\r' || format[end - 1] == '\n'))
        --end;
    return length - end;
}

}  // namespace

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
    const std::size_t lineEnd = std::min(LineEndLength(format), text.size());
    const bool plain = std::none_of(text.begin(), text.end() - static_cast<long>(lineEnd), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || byte == 0xC2;
    });
    if (plain)
        return text;  // the common case: per-frame lines cost no copy
    return Escaped(text.substr(0, text.size() - lineEnd)) + text.substr(text.size() - lineEnd);
}

std::string LogText::Escaped(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        char escape[8] = {};
        if (byte == '\n')
            shown += "\\n";
        else if (byte == '\r')
            shown += "\\r";
        else if (byte == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // A C1 control in UTF-8: terminals may act on it.
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            shown += escape;
            ++i;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
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
