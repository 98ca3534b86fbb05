#pragma once

#include "convert/ActivityLog.h"

#include <string>

// A job's own view of the activity log: passes every line on and keeps the
// last line that stays, which says how the job ended ("... Created", or why
// it failed). One tap a job; read it once the job has ended.
class JobLogTap : public ActivityLog {
public:
    explicit JobLogTap(ActivityLog& log) : log_(log) {}
    void showmessage(const std::string& text) override;

    // Without its line end; empty when the job logged no such line.
    const std::string& LastLine() const { return lastLine_; }

private:
    ActivityLog& log_;
    std::string lastLine_;
};
