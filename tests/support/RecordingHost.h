// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobProgress.h"
#include "convert/JobSpec.h"
#include "convert/UserPrompt.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A conversion host for tests: one job (its bitrate read as a table's cell
// is), and a Status, log and prompt that keep everything they are given.
class RecordingHost : public JobProgress, public ActivityLog, public UserPrompt {
public:
    RecordingHost(const std::string& source, const std::string& result, const std::string& bitrate);

    JobSpec Job() const;
    void SetStatus(const std::string& text) override;
    void showmessage(const std::string& text) override;
    void MessageBox(const std::string& text) override;
    Translator Language() const override { return language; }

    ConversionHost Host(const std::string& encoderFolder);
    // The folder of the test program, where the encoder library is built.
    static std::string ProgramFolder();

    bool Logged(const std::string& text) const;
    std::vector<std::string> Lines() const;
    std::vector<std::string> Statuses() const;
    std::vector<std::string> Messages() const;
    // Runs after every logged line (e.g. to raise a stop request).
    std::function<void(const std::string&)> onLog;
    // The language the engine is to write in; English by default.
    Translator language;

private:
    mutable std::mutex m_mutex;
    JobSpec m_job;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_statuses;
    std::vector<std::string> m_messages;
};
