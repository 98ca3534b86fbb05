// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobPlanner.h"

#include "convert/ActivityLog.h"
#include "convert/LogText.h"
#include "convert/Mp3FolderWalk.h"
#include "convert/SourceBitrate.h"

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const std::string kMp3 = ".mp3";

std::string NameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}

// The length of the extension Title takes off the name.
std::size_t ExtensionLength(const std::string& name)
{
    if (Mp3FolderWalk::IsMp3Name(name))
        return kMp3.size();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? 0 : name.size() - dot;
}

std::string WithSlash(const std::string& folder)
{
    return folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

// A link is there even when what it leads to is not.
bool Exists(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0;
}

bool DanglingLink(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0;
}

// A result is a file: a name ending in "/" or naming a folder (or a link
// to one) is none.
bool NamesFolder(const std::string& result)
{
    std::error_code error;
    return result.empty() || result.back() == '/' || fs::is_directory(result, error);
}

// The folders of a result that may not exist yet: made, or why not.
std::optional<std::string> MakeFolder(const std::string& result, const Translator& language)
{
    const fs::path folder = fs::path(result).parent_path();
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error) || fs::create_directories(folder, error) || !error)
        return std::nullopt;
    return language.Text(ENGINE_TEXT("JobPlanner", "Dest folder %1 cannot be created: %2"),
                         {folder.string(), language("SystemReason", error.message())});
}

ConversionOutcome Refused(std::string reason)
{
    return ConversionOutcome::Of(ConversionOutcome::Kind::Refused, std::move(reason));
}

ConversionOutcome Skipped(ActivityLog& log, const std::string& line)
{
    log.showmessage(line);
    return ConversionOutcome::Of(ConversionOutcome::Kind::Skipped, LogText::WithoutLineEnd(line));
}

void AddFolder(const std::string& folder, const JobPlanner::Choices& choices, ActivityLog& log,
               const std::function<bool()>& keepGoing, std::vector<JobPlanner::Planned>& jobs)
{
    const Translator language = log.Language();
    const auto unreadableFolder = [&](const std::string& path) {
        jobs.push_back({JobSpec{path, {}, choices.settings}, 0,
                        ConversionOutcome::Of(ConversionOutcome::Kind::Failed,
                                              language(ENGINE_TEXT("JobPlanner", "the folder cannot be read")))});
    };
    std::vector<Mp3FolderWalk::Found> found;
    std::vector<std::string> unreadable;
    if (!Mp3FolderWalk::Find(
            folder, log, found, [&](std::size_t) { return !keepGoing || keepGoing(); }, &unreadable)) {
        unreadableFolder(folder);
        return;
    }
    // What lies in a folder that cannot be read is not converted: a failure
    // of the batch, not just a log line.
    for (const std::string& path : unreadable)
        unreadableFolder(path);
    if (found.empty())
        log.showmessage(language.Line(ENGINE_TEXT("JobPlanner", "No audio file found in folder %1"), {folder}));
    for (const Mp3FolderWalk::Found& file : found) {
        const std::string result = choices.resultFolder.empty()
            ? JobPlanner::ResultName(file.path, {}, choices.settings)
            : JobPlanner::TreeResultName(file.path, file.relative, WithSlash(choices.resultFolder), choices.settings);
        jobs.push_back({JobSpec{file.path, result, choices.settings}, file.size, std::nullopt});
    }
}

// Two jobs must never convert one file or write one result, and a file
// that another job of the batch writes is no source (a result of an
// earlier run beside its source). Decided before the first job starts.
void RefuseClashes(std::vector<JobPlanner::Planned>& jobs, ActivityLog& log)
{
    const Translator language = log.Language();
    std::vector<std::string> sourceKeys(jobs.size());
    std::map<std::string, std::size_t> results;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].decided)
            continue;
        sourceKeys[i] = JobPlanner::IdentityKey(jobs[i].job.source);
        results.emplace(JobPlanner::IdentityKey(jobs[i].job.result), i);
    }
    std::map<std::string, std::size_t> sources;
    std::map<std::string, std::size_t> claimed;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        JobPlanner::Planned& planned = jobs[i];
        if (planned.decided)
            continue;
        const JobSpec& job = planned.job;
        const auto writer = results.find(sourceKeys[i]);
        if (writer != results.end() && writer->second != i) {
            planned.decided
                = Skipped(log,
                          language.Line(ENGINE_TEXT("JobPlanner", "%1 is the result of %2 in this run: skipped"),
                                        {job.source, jobs[writer->second].job.source}));
            continue;
        }
        const auto [twin, newSource] = sources.emplace(sourceKeys[i], i);
        if (!newSource) {
            planned.decided = Refused(language.Text(ENGINE_TEXT("JobPlanner", "the same file as %1, a source already"),
                                                    {jobs[twin->second].job.source}));
            continue;
        }
        const auto [first, newResult] = claimed.emplace(JobPlanner::IdentityKey(job.result), i);
        if (!newResult)
            planned.decided = Refused(language.Text(ENGINE_TEXT("JobPlanner", "%1 is the result of %2 already"),
                                                    {job.result, jobs[first->second].job.source}));
    }
}

}  // namespace

std::string JobPlanner::Title(const std::string& path)
{
    const std::string name = NameOf(path);
    return name.substr(0, name.size() - ExtensionLength(name));
}

std::string JobPlanner::WithoutExtension(const std::string& path)
{
    return path.substr(0, path.size() - ExtensionLength(NameOf(path)));
}

std::string JobPlanner::FolderWithSlash(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

std::string JobPlanner::ResultName(const std::string& source, const std::string& folder, const EncodeSettings& settings)
{
    const std::string stem = folder.empty() ? WithoutExtension(source) : WithSlash(folder) + Title(source);
    return stem + "_" + settings.Text() + kMp3;
}

std::string JobPlanner::TreeResultName(const std::string& source, const std::string& relative, const std::string& root,
                                       const EncodeSettings& settings)
{
    if (root.empty())
        return ResultName(source, {}, settings);
    return ResultName(source, WithSlash(root) + FolderWithSlash(relative), settings);
}

std::string JobPlanner::TreeRoot(const std::string& acceptedResult, const std::string& relative)
{
    const std::string folder = FolderWithSlash(acceptedResult);
    const std::string below = FolderWithSlash(relative);
    if (below.empty() || folder.size() <= below.size()
        || folder.compare(folder.size() - below.size() - 1, std::string::npos, "/" + below) != 0)
        return folder;
    return folder.substr(0, folder.size() - below.size());
}

std::vector<JobPlanner::Planned> JobPlanner::Plan(const std::vector<std::string>& sources, const Choices& choices,
                                                  ActivityLog& log, const std::function<bool()>& keepGoing,
                                                  std::vector<std::string>* notSearched)
{
    std::vector<Planned> jobs;
    const auto stopped = [&keepGoing] { return keepGoing && !keepGoing(); };
    for (auto source = sources.begin(); source != sources.end(); ++source) {
        if (stopped()) {
            if (notSearched)
                notSearched->insert(notSearched->end(), source, sources.end());
            break;
        }
        std::error_code error;
        if (fs::is_directory(*source, error)) {
            AddFolder(*source, choices, log, keepGoing, jobs);
            // A stop during the walk leaves the rest of the folder unfound.
            if (stopped()) {
                if (notSearched)
                    notSearched->insert(notSearched->end(), source, sources.end());
                break;
            }
            continue;
        }
        const std::uintmax_t size = fs::file_size(*source, error);
        const std::string result
            = choices.output.empty() ? ResultName(*source, choices.resultFolder, choices.settings) : choices.output;
        jobs.push_back({JobSpec{*source, result, choices.settings}, error ? 0 : size, std::nullopt});
    }
    RefuseClashes(jobs, log);
    return jobs;
}

std::string JobPlanner::RefusalLine(const std::string& source, const std::string& reason, const Translator& language)
{
    return language.Text(ENGINE_TEXT("JobPlanner", "%1: %2, not converted"), {source, reason});
}

std::optional<std::string> JobPlanner::Refusal(const JobSpec& job, const Translator& language)
{
    if (SameFile(job.source, job.result) || (!Exists(job.result) && job.source == job.result))
        return language(ENGINE_TEXT("JobPlanner", "the result would replace the source"));
    if (NamesFolder(job.result))
        return language.Text(ENGINE_TEXT("JobPlanner", "%1 is a folder, not a file name"), {job.result});
    return std::nullopt;
}

std::optional<ConversionOutcome> JobPlanner::BeforeStart(const JobSpec& job, const StartRules& rules, ActivityLog& log)
{
    const Translator language = log.Language();
    if (const std::optional<std::string> refusal = Refusal(job, language))
        return Refused(*refusal);
    const bool resultExists = Exists(job.result);
    if (resultExists && rules.existing == Existing::Skip)
        return Skipped(log, language.Line(ENGINE_TEXT("JobPlanner", "%1 exists already: skipped"), {job.result}));
    if (resultExists && rules.existing == Existing::Refuse)
        return Refused(
            DanglingLink(job.result)
                ? language.Text(ENGINE_TEXT("JobPlanner", "%1 exists already, a link to a missing file"), {job.result})
                : language.Text(ENGINE_TEXT("JobPlanner", "%1 exists already"), {job.result}));
    if (rules.skipLower) {
        if (const std::optional<std::string> line
            = SourceBitrate::SkipLine(job.source, job.settings.ComparableKbps(), language))
            return Skipped(log, *line);
    }
    if (const std::optional<std::string> failure = MakeFolder(job.result, language)) {
        log.showmessage(*failure + "\r\n");
        return ConversionOutcome::Of(ConversionOutcome::Kind::Failed, *failure);
    }
    return std::nullopt;
}

bool JobPlanner::SameFile(const std::string& a, const std::string& b)
{
    return IdentityKey(a) == IdentityKey(b);
}

std::string JobPlanner::IdentityKey(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return "inode " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    // Not there (yet): its folder with every link resolved, and its name.
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const fs::path resolved = fs::weakly_canonical(error ? fs::path(path) : absolute, error);
    return "path " + (error ? absolute.lexically_normal() : resolved).string();
}
