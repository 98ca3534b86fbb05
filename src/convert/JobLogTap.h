// SPDX-License-Identifier: GPL-3.0-or-later
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
    JobLogTap(ActivityLog& log, UserPrompt& prompt) : m_log(log), m_prompt(prompt) { }
    void showmessage(const std::string& text) override;
    Translator Language() const override { return m_log.Language(); }
    void MessageBox(const std::string& text) override;

    // Without its line end; empty when the job logged no such line.
    const std::string& LastLine() const { return m_lastLine; }
    // Why the job failed, for a list of failures: the last line, preceded by
    // the line it explains when it is a bare system reason ("No space left on
    // device" after "Dest file write failed in file ..."), which names neither
    // the job's source nor its result.
    std::string Reason(const std::string& source, const std::string& result) const;

private:
    void Keep(std::string line);

    ActivityLog& m_log;
    UserPrompt& m_prompt;
    std::string m_lastLine;
    std::string m_lineBefore;
};
