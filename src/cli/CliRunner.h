#pragma once

#include "cli/CliJobTable.h"
#include "cli/CliOptions.h"

#include <atomic>
#include <cstdio>
#include <string>

class ConsoleLog;
class UserPrompt;

// Converts the command line's sources one job at a time through the engine.
class CliRunner {
public:
    static constexpr int kExitConverted = 0;
    static constexpr int kExitFailed = 1;
    static constexpr int kExitUsage = 2;
    static constexpr int kExitInterrupted = 130;

    CliRunner(const CliOptions& options, ConsoleLog& log, UserPrompt& prompt, std::string encoderFolder,
              std::FILE* errors);
    // Runs every job; returns the exit status. `control` is the job control
    // word (set to stop by Ctrl-C); `interrupted` tells that it was.
    int Run(std::atomic<int>& control, const std::atomic<bool>& interrupted);

    int Converted() const { return converted_; }
    int Failed() const { return failed_; }

private:
    bool Refused(const std::string& source, const std::string& result);
    int RunJob(int row, std::atomic<int>& control);

    const CliOptions& options_;
    ConsoleLog& log_;
    UserPrompt& prompt_;
    std::string encoderFolder_;
    std::FILE* errors_;
    CliJobTable table_;
    int converted_ = 0;
    int failed_ = 0;
};
