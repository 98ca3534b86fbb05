// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRunner.h"

#include "cli/BatchProgress.h"
#include "cli/CliText.h"
#include "cli/ConsoleLog.h"
#include "convert/AlbumGain.h"
#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/JobPlanner.h"
#include "convert/JobVocabulary.h"
#include "convert/LogText.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The folders of `results` that are not there yet, deepest first: those a
// run may make.
std::vector<std::string> MissingFolders(const std::vector<std::string>& results)
{
    std::set<std::string> missing;
    for (const std::string& result : results) {
        for (std::filesystem::path folder = std::filesystem::path(result).parent_path();
             !folder.empty() && folder != folder.root_path() && !missing.contains(folder.string());
             folder = folder.parent_path()) {
            struct stat info { };
            if (::lstat(folder.c_str(), &info) == 0)
                break;
            missing.insert(folder.string());
        }
    }
    std::vector<std::string> deepestFirst(missing.begin(), missing.end());
    std::sort(deepestFirst.begin(), deepestFirst.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return deepestFirst;
}

}  // namespace

CliRunner::CliRunner(const CliOptions& options, ConsoleLog& log, UserPrompt& prompt, std::string encoderFolder,
                     std::FILE* errors)
    : m_options(options), m_log(log), m_prompt(prompt), m_encoderFolder(std::move(encoderFolder)), m_errors(errors)
{
    m_table.OnStatus([this](int row, const std::string& text) {
        if (m_progress && m_progress->SetPercent(static_cast<std::size_t>(row), JobVocabulary::LeadingNumber(text)))
            ShowProgress();
    });
}

CliRunner::~CliRunner() = default;

// Every job of the batch, with its result, before the first one starts;
// those that would clash with another are refused at once.
void CliRunner::Plan(const std::atomic<bool>& interrupted)
{
    const auto keepGoing = [&interrupted] { return !interrupted.load(); };
    for (JobPlanner::Planned& planned :
         JobPlanner::Plan(m_options.sources, m_options.Choices(), m_log, keepGoing, &m_notSearched)) {
        m_jobs.push_back({std::move(planned.job), planned.size, std::move(planned.decided)});
        if (m_jobs.back().outcome && m_jobs.back().outcome->IsFailure())
            ShowRefusal(m_jobs.back());
    }
}

int CliRunner::Run(std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    const auto started = std::chrono::steady_clock::now();
    control.store(JobControl::Run);
    Plan(interrupted);
    std::vector<std::uint64_t> sizes;
    for (std::size_t i = 0; i < m_jobs.size(); ++i) {
        m_table.AddJob(static_cast<int>(i), m_jobs[i].planned);
        sizes.push_back(m_jobs[i].size);
    }
    m_progress = std::make_unique<BatchProgress>(std::move(sizes));
    MakeAlbums();
    for (std::size_t i = 0; i < m_jobs.size(); ++i) {
        if (m_jobs[i].outcome)
            m_progress->Ended(i, Skipped(i));
    }

    std::vector<std::string> results;
    for (const Job& job : m_jobs) {
        if (!job.outcome)
            results.push_back(job.planned.result);
    }
    const std::vector<std::string> newFolders = MissingFolders(results);

    const auto workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, m_options.jobs)), m_jobs.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < workers; ++i)
        threads.emplace_back([&] { Work(control, interrupted); });
    for (std::thread& thread : threads)
        thread.join();

    // A folder this run made for results that never came is not left
    // behind; rmdir leaves any that holds something.
    for (const std::string& folder : newFolders)
        ::rmdir(folder.c_str());

    // Every source is named once: a job without an outcome never started
    // (Ctrl-C, or a missing encoder library, came first).
    for (const Job& job : m_jobs) {
        if (job.outcome)
            m_summary.Add(job.planned.source, *job.outcome);
        else
            m_summary.AddNotStarted(job.planned.source);
    }
    for (const std::string& source : m_notSearched)
        m_summary.AddNotSearched(source);
    PrintSummary(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    if (interrupted.load())
        return kExitInterrupted;
    if (m_encoderMissing.load())
        return kExitEncoderMissing;
    return m_summary.Failed() == 0 ? kExitConverted : kExitFailed;
}

// One worker: takes the next waiting job until none is left or Ctrl-C came.
void CliRunner::Work(std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    for (;;) {
        if (interrupted.load() || m_encoderMissing.load())
            return;
        const std::size_t index = m_next.fetch_add(1);
        if (index >= m_jobs.size())
            return;
        if (m_jobs[index].outcome)
            continue;
        RunJob(index, control, interrupted);
        m_progress->Ended(index, Skipped(index));
        ShowProgress();
    }
}

// The jobs of one run whose sources share a folder make an album. A job
// decided before it starts (skipped or refused) counts as not completed, so
// its album keeps track values: album values without one of its tracks would
// be false.
void CliRunner::MakeAlbums()
{
    if (m_options.replayGain != LoudnessTags::Album)
        return;
    std::map<std::string, std::size_t> tracks;
    for (const Job& job : m_jobs)
        ++tracks[std::filesystem::path(job.planned.source).parent_path().string()];
    for (const auto& [folder, count] : tracks)
        m_albums[folder] = std::make_shared<AlbumGain>(folder.empty() ? std::string(".") : folder, count, m_log);
    for (const Job& job : m_jobs) {
        if (job.outcome)
            EndOfAlbumTrack(job);
    }
}

// A job of an album ended without a conversion.
void CliRunner::EndOfAlbumTrack(const Job& job)
{
    if (const std::shared_ptr<AlbumGain> album = AlbumOf(job))
        album->JobEnded(job.planned.result, nullptr);
}

// The album of the job's source folder; none without album values.
std::shared_ptr<AlbumGain> CliRunner::AlbumOf(const Job& job) const
{
    const auto album = m_albums.find(std::filesystem::path(job.planned.source).parent_path().string());
    return album == m_albums.end() ? nullptr : album->second;
}

void CliRunner::RunJob(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    Job& job = m_jobs[index];
    if (std::optional<ConversionOutcome> early = JobPlanner::BeforeStart(job.planned, m_options.StartRules(), m_log)) {
        job.outcome = std::move(early);
        if (job.outcome->IsFailure())
            ShowRefusal(job);
        EndOfAlbumTrack(job);
        return;
    }
    job.outcome = Convert(index, control, interrupted);
}

// Workers that no job will need while this one runs lend it their cores:
// with fewer jobs left than -j, a long source is encoded in segments.
int CliRunner::EncoderThreads(std::size_t index) const
{
    if (!m_options.split)
        return 1;
    int waiting = 0;
    for (std::size_t i = std::max(index + 1, m_next.load()); i < m_jobs.size(); ++i)
        waiting += m_jobs[i].outcome ? 0 : 1;
    const int others = m_running.load() - 1;
    return std::max(1, std::max(1, m_options.jobs) - others - waiting);
}

ConversionOutcome CliRunner::Convert(std::size_t index, std::atomic<int>& control, const std::atomic<bool>& interrupted)
{
    const Job& job = m_jobs[index];
    const int row = static_cast<int>(index);
    CliJobTable::RowProgress status(m_table, row);
    ++m_running;
    ConversionHost host{status, m_log, m_prompt, m_encoderFolder, EncoderThreads(index)};
    host.loudness = m_options.replayGain;
    host.album = AlbumOf(job);
    m_table.SetStatus(row, JobVocabulary::kStarted);
    ConversionOutcome outcome = vorlanta(host, job.planned, control);
    --m_running;
    m_table.SetStatus(row, JobVocabulary::StatusAfter(outcome));
    if (outcome.kind == ConversionOutcome::Kind::EncoderMissing)
        m_encoderMissing.store(true);
    if (outcome.kind == ConversionOutcome::Kind::Stopped || (interrupted.load() && outcome.IsFailure())) {
        // The stopped job removed its own temporary file; whatever has the
        // result's name was there before and is left as it was.
        const bool kept = Exists(job.planned.result);
        const std::string& result = job.planned.result;
        Say(kept ? CliText::Format(CliText::translate("CliRunner", "interrupted, %1 left as it was"), {result})
                 : CliText::Format(CliText::translate("CliRunner", "interrupted, %1 not written"), {result}));
        return ConversionOutcome::Of(ConversionOutcome::Kind::Failed,
                                     kept ? CliText::translate("CliRunner", "interrupted, result left as it was")
                                          : CliText::translate("CliRunner", "interrupted, result not written"));
    }
    return outcome;
}

void CliRunner::ShowRefusal(const Job& job)
{
    const bool refused = job.outcome->kind == ConversionOutcome::Kind::Refused;
    const std::string& source = job.planned.source;
    Say(refused ? JobPlanner::RefusalLine(source, job.outcome->reason, m_log.Language())
                : source + ": " + job.outcome->reason);
}

// Names in these lines are a file's, which may hold any control character:
// shown escaped as in the log, so none can colour or retitle the terminal
// or split one line in two.
std::string CliRunner::ErrorLine(const std::string& text)
{
    return "vorlanta-cli: " + LogText::Escaped(text) + "\n";
}

void CliRunner::Say(const std::string& text)
{
    m_log.Message(m_errors, ErrorLine(text));
}

bool CliRunner::Skipped(std::size_t index) const
{
    return m_jobs[index].outcome && m_jobs[index].outcome->kind == ConversionOutcome::Kind::Skipped;
}

void CliRunner::ShowProgress()
{
    m_log.SetProgress(m_progress->Text(), m_progress->Percent());
}

void CliRunner::PrintSummary(double seconds)
{
    m_log.Finish();
    const Translator language = m_log.Language();
    std::string text = ErrorLine(m_summary.Text(seconds, language));
    for (const std::string& line : m_summary.FailureLines(language))
        text += ErrorLine(line);
    std::fputs(text.c_str(), m_errors);
    std::fflush(m_errors);
}
