#pragma once

#include "convert/ActivityLog.h"

#include <chrono>
#include <cstdio>
#include <string>

// The activity log on a terminal or a pipe. Lines that stay are printed with
// their time stamps. On a terminal the progress lines and a progress bar
// share one line that is rewritten in place; through a pipe only the lines
// that stay are printed.
class ConsoleLog : public ActivityLog {
public:
    ConsoleLog(std::FILE* stream, bool terminal);
    void showmessage(const std::string& text) override;
    // The running job's percentage, drawn as a bar on a terminal.
    void SetPercent(int percent);
    // Ends a progress line that is still on screen.
    void Finish();

private:
    void DrawProgress(bool force);

    std::FILE* stream_;
    bool terminal_;
    std::string progressText_;
    int percent_ = 0;
    bool progressShown_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};
