#pragma once

#include "convert/ActivityLog.h"
#include "convert/UserPrompt.h"

#include <string>

// A job's own view of the activity log and of the user prompts: passes
// every line and message on and keeps the last line that stays or message,
// which says how the job ended ("... Created", or why it failed). One tap a
// job; read it once the job has ended.
class JobLogTap : public ActivityLog, public UserPrompt {
public:
    JobLogTap(ActivityLog& log, UserPrompt& prompt) : log_(log), prompt_(prompt) {}
    void showmessage(const std::string& text) override;
    void MessageBox(const std::string& text) override;

    // Without its line end; empty when the job logged no such line.
    const std::string& LastLine() const { return lastLine_; }

private:
    ActivityLog& log_;
    UserPrompt& prompt_;
    std::string lastLine_;
};
