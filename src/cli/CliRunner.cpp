#include "cli/CliRunner.h"

#include "cli/ConsoleLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobVocabulary.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

CliRunner::CliRunner(const CliOptions& options, ConsoleLog& log, UserPrompt& prompt, std::string encoderFolder,
                     std::FILE* errors)
    : options_(options), log_(log), prompt_(prompt), encoderFolder_(std::move(encoderFolder)), errors_(errors)
{
    table_.OnStatus([this](int, const std::string& text) { log_.SetPercent(JobVocabulary::LeadingNumber(text)); });
}

// A job the command line will not start: its result would harm a file.
bool CliRunner::Refused(const std::string& source, const std::string& result)
{
    std::error_code error;
    if (SameFile(source, result) || (!std::filesystem::exists(result, error) && source == result)) {
        std::fprintf(errors_, "vorlanta-cli: %s: the result would replace the source, skipped\n", source.c_str());
        return true;
    }
    if (!options_.overwrite && std::filesystem::exists(result, error)) {
        std::fprintf(errors_, "vorlanta-cli: %s exists already (use --overwrite to replace it), skipped\n",
                     result.c_str());
        return true;
    }
    return false;
}

int CliRunner::RunJob(int row, std::atomic<int>& control)
{
    ConversionHost host{table_, log_, prompt_, encoderFolder_};
    table_.SetStatus(row, JobVocabulary::kStarted);
    control.store(JobControl::Run);
    const int result = vorlanta(host, row, control);
    table_.SetStatus(row, JobVocabulary::StatusAfter(result));
    log_.Finish();
    return result;
}

int CliRunner::Run(std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    const auto started = std::chrono::steady_clock::now();
    int id = 0;
    for (const std::string& source : options_.sources) {
        if (interrupted.load())
            break;
        const std::string result = options_.ResultFor(source);
        if (Refused(source, result)) {
            ++failed_;
            continue;
        }
        const int row = table_.AddJob(id++, source, result, options_.bitrate);
        const int outcome = RunJob(row, control);
        if (interrupted.load()) {
            // A stopped job leaves half a file behind; it is no result.
            std::remove(result.c_str());
            std::fprintf(errors_, "vorlanta-cli: interrupted, %s removed\n", result.c_str());
            ++failed_;
            break;
        }
        outcome == JobResult::Failed ? ++failed_ : ++converted_;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(errors_, "vorlanta-cli: %d converted, %d failed, %.1f s\n", converted_, failed_, seconds);
    if (interrupted.load())
        return kExitInterrupted;
    return failed_ == 0 ? kExitConverted : kExitFailed;
}
