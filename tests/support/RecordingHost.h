// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobTableAccess.h"
#include "convert/UserPrompt.h"

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A conversion host for tests: one-row tables, and a log and prompt that
// keep everything they are given.
class RecordingHost : public JobTableAccess, public ActivityLog, public UserPrompt {
public:
    RecordingHost(const std::string& source, const std::string& result, const std::string& bitrate);

    std::string CellText(int row, int column) override;
    void SetStatus(int row, const std::string& text) override;
    void showmessage(const std::string& text) override;
    void MessageBox(const std::string& text) override;

    ConversionHost Host(const std::string& encoderFolder);
    // The folder of the test program, where the encoder library is built.
    static std::string ProgramFolder();

    bool Logged(const std::string& text) const;
    std::vector<std::string> Lines() const;
    std::vector<std::string> Statuses() const;
    std::vector<std::string> Messages() const;
    void SetCell(int column, const std::string& text);
    // Runs after every logged line (e.g. to raise a stop request).
    std::function<void(const std::string&)> onLog;

private:
    mutable std::mutex mutex_;
    std::array<std::string, 6> row_;
    std::vector<std::string> lines_;
    std::vector<std::string> statuses_;
    std::vector<std::string> messages_;
};
