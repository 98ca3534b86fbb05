// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

// printf-style formatting of the engine's log texts into a std::string.
class LogText {
public:
    // The line ending that closes `format` ("\r\n", "\r", "\n") is kept; any
    // other control character, which only a file name can bring in, is shown
    // escaped, so no name can break a line or forge one.
    [[gnu::format(printf, 1, 2)]] static std::string Format(const char* format, ...);
    // `text` with its control characters shown as escapes: "\n", "\r",
    // "\t", "\x1b", "\u0085". A file's name as the log and the table show it.
    static std::string Escaped(const std::string& text);
    // The time stamp that opens every log line: "hh:mm:ss" and four blanks.
    static std::string TimeStamp(const std::tm& local);
    static std::string TimeStampNow();
    // A progress line ends in a bare "\r": the next line replaces it.
    static bool IsProgressLine(const std::string& text) { return !text.empty() && text.back() == '\r'; }
    // The text without its line end ("\r\n", "\n" or "\r").
    static std::string WithoutLineEnd(std::string text);
};
