// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliJobTable.h"
#include "cli/CliOptions.h"
#include "convert/BatchSummary.h"
#include "convert/ConversionOutcome.h"
#include "convert/JobSpec.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AlbumGain;
class BatchProgress;
class ConsoleLog;
class UserPrompt;

// Converts the command line's sources through the engine, up to -j jobs at
// once. Folders among the sources are searched for MP3 files first, and
// every result is decided before the first job starts.
class CliRunner {
public:
    static constexpr int kExitConverted = 0;
    static constexpr int kExitFailed = 1;
    static constexpr int kExitUsage = 2;
    static constexpr int kExitInterrupted = 130;
    // The encoder library could not be loaded: no further job was started.
    static constexpr int kExitEncoderMissing = 3;

    CliRunner(const CliOptions& options, ConsoleLog& log, UserPrompt& prompt, std::string encoderFolder,
              std::FILE* errors);
    ~CliRunner();

    // Runs every job; returns the exit status. `control` is the control word
    // every running job polls (set to stop by Ctrl-C); `interrupted` tells
    // that it was, and no further job starts.
    int Run(std::atomic<int>& control, const std::atomic<bool>& interrupted);

    int Converted() const { return m_summary.Converted(); }
    int Failed() const { return m_summary.Failed(); }
    int Skipped() const { return m_summary.Skipped(); }

private:
    int EncoderThreads(std::size_t index) const;
    struct Job {
        JobSpec planned;
        std::uint64_t size = 0;
        std::optional<ConversionOutcome> outcome;  // empty while it waits
    };

    void Plan(const std::atomic<bool>& interrupted);
    void MakeAlbums();
    void EndOfAlbumTrack(const Job& job);
    std::shared_ptr<AlbumGain> AlbumOf(const Job& job) const;
    void Work(std::atomic<int>& control, const std::atomic<bool>& interrupted);
    void RunJob(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted);
    ConversionOutcome Convert(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted);
    // Says on the error stream why a job was not converted.
    void ShowRefusal(const Job& job);
    // One line on the error stream, names in it escaped.
    void Say(const std::string& text);
    static std::string ErrorLine(const std::string& text);
    bool Skipped(std::size_t index) const;
    void ShowProgress();
    void PrintSummary(double seconds);

    const CliOptions& m_options;
    ConsoleLog& m_log;
    UserPrompt& m_prompt;
    std::string m_encoderFolder;
    std::FILE* m_errors;
    CliJobTable m_table;
    std::vector<Job> m_jobs;
    std::atomic<std::size_t> m_next{0};
    std::atomic<int> m_running{0};              // jobs converting now
    std::atomic<bool> m_encoderMissing{false};  // every further job would fail alike
    std::unique_ptr<BatchProgress> m_progress;
    // With --replaygain album: the album of each source folder.
    std::map<std::string, std::shared_ptr<AlbumGain>> m_albums;
    BatchSummary m_summary;
    std::vector<std::string> m_notSearched;  // sources a stop came before, named in the summary
};
