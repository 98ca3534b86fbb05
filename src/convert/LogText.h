#pragma once

#include <ctime>
#include <string>

// printf-style formatting of the engine's log texts into a std::string.
class LogText {
public:
    [[gnu::format(printf, 1, 2)]] static std::string Format(const char* format, ...);
    // The time stamp that opens every log line: "hh:mm:ss" and four blanks.
    static std::string TimeStamp(const std::tm& local);
    static std::string TimeStampNow();
    // A progress line ends in a bare "\r": the next line replaces it.
    static bool IsProgressLine(const std::string& text) { return !text.empty() && text.back() == '\r'; }
    // The text without its line end ("\r\n", "\n" or "\r").
    static std::string WithoutLineEnd(std::string text);
};
