// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRunner.h"

#include "cli/BatchProgress.h"
#include "cli/ConsoleLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobLogTap.h"
#include "convert/JobVocabulary.h"
#include "convert/LogText.h"
#include "convert/Mp3FolderWalk.h"
#include "convert/SourceBitrate.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <system_error>
#include <thread>

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// One spelling per file for comparing planned results: "a/./b.mp3" and "a/b.mp3" are one file.
std::string Spelling(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

}  // namespace

CliRunner::CliRunner(const CliOptions& options, ConsoleLog& log, UserPrompt& prompt, std::string encoderFolder,
                     std::FILE* errors)
    : options_(options), log_(log), prompt_(prompt), encoderFolder_(std::move(encoderFolder)), errors_(errors)
{
    table_.OnStatus([this](int row, const std::string& text) {
        if (progress_ && progress_->SetPercent(static_cast<std::size_t>(row), JobVocabulary::LeadingNumber(text)))
            ShowProgress();
    });
}

CliRunner::~CliRunner() = default;

// Every job of the batch, with its result, before the first one starts.
void CliRunner::Plan(const std::atomic<bool>& interrupted)
{
    for (const std::string& source : options_.sources) {
        if (interrupted.load())
            return;
        std::error_code error;
        if (std::filesystem::is_directory(source, error)) {
            ExpandFolder(source, interrupted);
            continue;
        }
        const std::uintmax_t size = std::filesystem::file_size(source, error);
        AddSource(source, {}, error ? 0 : size);
    }
    RefuseDuplicates();
}

void CliRunner::AddSource(const std::string& source, const std::string& subfolder, std::uint64_t size)
{
    jobs_.push_back({source, options_.ResultFor(source, subfolder), size, Outcome::Waiting, {}});
}

void CliRunner::ExpandFolder(const std::string& folder, const std::atomic<bool>& interrupted)
{
    std::vector<Mp3FolderWalk::Found> found;
    const bool read = Mp3FolderWalk::Find(folder, log_, found, [&](std::size_t) { return !interrupted.load(); });
    if (!read) {
        Job job{folder, {}, 0, Outcome::Waiting, {}};
        Fail(job, "the folder cannot be read", "vorlanta-cli: " + folder + ": the folder cannot be read\n");
        jobs_.push_back(job);
        return;
    }
    if (found.empty())
        log_.showmessage(LogText::Format("No .mp3 file found in folder %s\r\n", folder.c_str()));
    for (const Mp3FolderWalk::Found& file : found)
        AddSource(file.path, std::filesystem::path(file.relative).parent_path().string(), file.size);
}

// Two jobs must never write one file, and a file that another job of the
// batch writes is no source (a result of an earlier run beside its source).
void CliRunner::RefuseDuplicates()
{
    std::map<std::string, std::size_t> results;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        if (jobs_[i].outcome == Outcome::Waiting)
            results.emplace(Spelling(jobs_[i].result), i);
    }
    std::map<std::string, std::size_t> claimed;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        Job& job = jobs_[i];
        if (job.outcome != Outcome::Waiting)
            continue;
        const auto writer = results.find(Spelling(job.source));
        if (writer != results.end() && writer->second != i) {
            Skip(job,
                 LogText::Format("%s is the result of %s in this run: skipped\r\n", job.source.c_str(),
                                 jobs_[writer->second].source.c_str()));
            continue;
        }
        const auto [first, added] = claimed.emplace(Spelling(job.result), i);
        if (!added) {
            const std::string reason = job.result + " is the result of " + jobs_[first->second].source + " already";
            Fail(job, reason, "vorlanta-cli: " + job.source + ": " + reason + ", not converted\n");
        }
    }
}

int CliRunner::Run(std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    const auto started = std::chrono::steady_clock::now();
    control.store(JobControl::Run);
    Plan(interrupted);
    std::vector<std::uint64_t> sizes;
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        table_.AddJob(static_cast<int>(i), jobs_[i].source, jobs_[i].result, options_.bitrate);
        sizes.push_back(jobs_[i].size);
    }
    progress_ = std::make_unique<BatchProgress>(std::move(sizes));
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
        if (jobs_[i].outcome != Outcome::Waiting)
            progress_->Ended(i, jobs_[i].outcome == Outcome::Skipped);
    }

    const auto workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, options_.jobs)), jobs_.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < workers; ++i)
        threads.emplace_back([&] { Work(control, interrupted); });
    for (std::thread& thread : threads)
        thread.join();

    for (const Job& job : jobs_) {
        if (job.outcome == Outcome::Converted)
            summary_.AddConverted();
        else if (job.outcome == Outcome::Skipped)
            summary_.AddSkipped();
        else if (job.outcome == Outcome::Failed)
            summary_.AddFailed(job.source, job.reason);
    }
    PrintSummary(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    if (interrupted.load())
        return kExitInterrupted;
    return summary_.Failed() == 0 ? kExitConverted : kExitFailed;
}

// One worker: takes the next waiting job until none is left or Ctrl-C came.
void CliRunner::Work(std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    for (;;) {
        if (interrupted.load())
            return;
        const std::size_t index = next_.fetch_add(1);
        if (index >= jobs_.size())
            return;
        if (jobs_[index].outcome != Outcome::Waiting)
            continue;
        RunJob(index, control, interrupted);
        progress_->Ended(index, jobs_[index].outcome == Outcome::Skipped);
        ShowProgress();
    }
}

void CliRunner::RunJob(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    Job& job = jobs_[index];
    if (SkippedOrRefused(job))
        return;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(job.result).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)
        && !std::filesystem::create_directories(folder, error) && error) {
        const std::string reason = "the folder " + folder.string() + " cannot be created (" + error.message() + ")";
        Fail(job, reason, "vorlanta-cli: " + job.source + ": " + reason + "\n");
        return;
    }
    Convert(index, control, interrupted);
}

// A job the command line does not start: its result would harm a file, or
// the source needs no work.
bool CliRunner::SkippedOrRefused(Job& job)
{
    if (SameFile(job.source, job.result) || (!Exists(job.result) && job.source == job.result)) {
        Fail(job, "the result would replace the source",
             "vorlanta-cli: " + job.source + ": the result would replace the source, not converted\n");
        return true;
    }
    if (!options_.overwrite && Exists(job.result)) {
        if (options_.skipExisting) {
            Skip(job, LogText::Format("%s exists already: skipped\r\n", job.result.c_str()));
        } else {
            Fail(job, job.result + " exists already",
                 "vorlanta-cli: " + job.result
                     + " exists already (use --overwrite to replace it, --skip-existing to skip it)\n");
        }
        return true;
    }
    if (options_.skipLower) {
        if (const std::optional<std::string> line = SourceBitrate::SkipLine(job.source, options_.bitrate)) {
            Skip(job, *line);
            return true;
        }
    }
    return false;
}

// Workers that no job will need while this one runs lend it their cores:
// with fewer jobs left than -j, a long source is encoded in segments.
int CliRunner::EncoderThreads(std::size_t index) const
{
    if (!options_.split)
        return 1;
    int waiting = 0;
    for (std::size_t i = std::max(index + 1, next_.load()); i < jobs_.size(); ++i)
        waiting += jobs_[i].outcome == Outcome::Waiting ? 1 : 0;
    const int others = running_.load() - 1;
    return std::max(1, std::max(1, options_.jobs) - others - waiting);
}

void CliRunner::Convert(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    Job& job = jobs_[index];
    const int row = static_cast<int>(index);
    JobLogTap tap(log_, prompt_);
    ++running_;
    ConversionHost host{table_, tap, tap, encoderFolder_, EncoderThreads(index)};
    table_.SetStatus(row, JobVocabulary::kStarted);
    const int result = vorlanta(host, row, control);
    --running_;
    table_.SetStatus(row, JobVocabulary::StatusAfter(result));
    const bool created = result != JobResult::Failed && tap.LastLine() == job.result + " Created";
    if (created) {
        job.outcome = Outcome::Converted;
    } else if (interrupted.load()) {
        // The stopped job removed its own temporary file; whatever has the
        // result's name was there before and is left as it was.
        const std::string what = Exists(job.result) ? " left as it was" : " not written";
        Fail(job, "interrupted, result" + what, "vorlanta-cli: interrupted, " + job.result + what + "\n");
    } else {
        job.outcome = Outcome::Failed;
        job.reason = tap.Reason(job.source, job.result);
    }
}

void CliRunner::Fail(Job& job, const std::string& reason, const std::string& message)
{
    job.outcome = Outcome::Failed;
    job.reason = reason;
    log_.Message(errors_, message);
}

void CliRunner::Skip(Job& job, const std::string& line)
{
    job.outcome = Outcome::Skipped;
    log_.showmessage(line);
}

void CliRunner::ShowProgress()
{
    log_.SetProgress(progress_->Text(), progress_->Percent());
}

void CliRunner::PrintSummary(double seconds)
{
    log_.Finish();
    std::string text = "vorlanta-cli: " + summary_.Text(seconds) + "\n";
    for (const std::string& line : summary_.FailureLines())
        text += "vorlanta-cli: " + line + "\n";
    std::fputs(text.c_str(), errors_);
    std::fflush(errors_);
}
