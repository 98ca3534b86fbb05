// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

// The activity log on a terminal or a pipe, shared by every job of a batch.
// Lines that stay are printed whole, with their time stamps, one at a time,
// so lines of jobs running at once never mix within a line. A job's own
// progress lines are not printed: on a terminal one progress line for the
// whole batch stays at the bottom, rewritten in place; through a pipe only
// the lines that stay are printed.
class ConsoleLog : public ActivityLog {
public:
    ConsoleLog(std::FILE* stream, bool terminal);
    void showmessage(const std::string& text) override;
    // The engine's texts in the user's language, from the loaded catalogue.
    Translator Language() const override;
    // The batch's progress: a text and a percentage drawn as a bar (terminal only).
    void SetProgress(const std::string& text, int percent);
    // A message on another stream (the error stream) that leaves the
    // progress line whole.
    void Message(std::FILE* stream, const std::string& text);
    // Ends a progress line that is still on screen.
    void Finish();
    // Why a line could not be written (a full disk, /dev/full); empty when
    // every line was.
    std::string WriteFailure();

private:
    void Wipe();
    void DrawProgress(bool force);
    void Flush();

    std::mutex m_mutex;
    std::FILE* m_stream;
    bool m_terminal;
    std::string m_progressText;
    int m_percent = 0;
    bool m_progressShown = false;
    std::chrono::steady_clock::time_point m_lastDraw{};
    int m_writeError = 0;  // the first failed write's errno
};
