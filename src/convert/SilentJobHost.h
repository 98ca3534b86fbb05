// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"
#include "convert/JobProgress.h"
#include "convert/JobSpec.h"
#include "convert/UserPrompt.h"

#include <string>

// One job at 128 kbit/s from `source` to `result` that nobody watches: the
// Status text, the log lines and the message boxes go nowhere. For running
// the engine where only its work counts (timing runs, fuzzing).
class SilentJobHost : public JobProgress, public ActivityLog, public UserPrompt {
public:
    SilentJobHost(std::string source, std::string result);

    const JobSpec& Job() const { return m_job; }
    void SetStatus(const std::string&) override { }
    void showmessage(const std::string&) override { }
    void MessageBox(const std::string&) override { }

private:
    JobSpec m_job;
};
