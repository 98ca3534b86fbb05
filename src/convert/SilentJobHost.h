// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"
#include "convert/JobTableAccess.h"
#include "convert/UserPrompt.h"

#include <string>

// One job at 128 kbit/s from `source` to `result` that nobody watches: the
// Status cell, the log lines and the message boxes go nowhere. For running
// the engine where only its work counts (timing runs, fuzzing).
class SilentJobHost : public JobTableAccess, public ActivityLog, public UserPrompt {
public:
    SilentJobHost(std::string source, std::string result);

    std::string CellText(int row, int column) override;
    void SetStatus(int, const std::string&) override { }
    void showmessage(const std::string&) override { }
    void MessageBox(const std::string&) override { }

private:
    std::string source_;
    std::string result_;
};
