// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ConversionOutcome.h"
#include "convert/EngineText.h"
#include "convert/JobSpec.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ActivityLog;

// From sources and settings to jobs, for the window and the command line
// alike: the names results get, the folder tree kept below a result folder,
// the jobs of a batch with those refused that would harm a file or clash
// with another, and what is decided as a job starts (skip rules, the result
// folder). Files are told apart by what they are (device and inode, or the
// path with every link resolved), never by how their names are spelt.
class JobPlanner {
public:
    // --- Names -----------------------------------------------------------
    // A file's name without its folder and without ".mp3" (in any case), or
    // without its last extension when it has another: "/in/Song.v2.MP3" is
    // "Song.v2".
    static std::string Title(const std::string& path);
    // The path without the extension Title takes off.
    static std::string WithoutExtension(const std::string& path);
    // Everything up to and including the last "/"; empty when there is none.
    static std::string FolderWithSlash(const std::string& path);
    // The result of `source`: TITLE_SETTINGS.mp3 in `folder`, or beside the
    // source when `folder` is empty.
    static std::string ResultName(const std::string& source, const std::string& folder, const EncodeSettings& settings);
    // The result of a file found below an added folder, `relative` being its
    // path below that folder ("Artist/Album/01.mp3"): in the same sub-folders
    // below `root`, or beside the source when `root` is empty.
    static std::string TreeResultName(const std::string& source, const std::string& relative, const std::string& root,
                                      const EncodeSettings& settings);
    // The result folder that an accepted result of a found file stands for:
    // the result's folder less the file's sub-folders when it ends in them,
    // else the result's folder itself; with a final "/".
    static std::string TreeRoot(const std::string& acceptedResult, const std::string& relative);

    // --- A batch -----------------------------------------------------------
    struct Choices {
        EncodeSettings settings;
        std::string output;        // the one result of a single source file
        std::string resultFolder;  // every result below it; empty: beside its source
    };
    struct Planned {
        JobSpec job;
        std::uint64_t size = 0;  // the source's bytes
        // Decided before any job starts: refused or skipped. Empty for a job
        // to run.
        std::optional<ConversionOutcome> decided;
    };
    // Every job of `sources` (files, and folders searched for MP3 files),
    // in order. A skipped job's line is logged; a refused job is left to
    // the caller to show. `keepGoing` is asked between folders and files;
    // the sources it stopped before, or in the middle of (a folder), are
    // added to `notSearched` when given.
    static std::vector<Planned> Plan(const std::vector<std::string>& sources, const Choices& choices, ActivityLog& log,
                                     const std::function<bool()>& keepGoing = {},
                                     std::vector<std::string>* notSearched = nullptr);

    // --- As a job starts ---------------------------------------------------
    enum class Existing { Replace, Skip, Refuse };
    struct StartRules {
        bool skipLower = false;                 // skip sources at or below the target bitrate
        Existing existing = Existing::Replace;  // a result that exists already
    };
    // Empty when the job is to be converted; its result folder exists then.
    // Otherwise how the job ended: refused (the result would replace the
    // source, or exists), skipped (its line logged), or failed (the result
    // folder could not be made, logged).
    static std::optional<ConversionOutcome> BeforeStart(const JobSpec& job, const StartRules& rules, ActivityLog& log);
    // Why `job` may never run, whatever the rules: its result would replace
    // its source, or names a folder. Empty when it may. Touches no file.
    static std::optional<std::string> Refusal(const JobSpec& job, const Translator& language = {});
    // The line that tells a refused job, without its line end: "SOURCE:
    // REASON, not converted".
    static std::string RefusalLine(const std::string& source, const std::string& reason, const Translator& language);

    // Whether two paths name one file; a file not there yet is compared by
    // its folder with every link resolved.
    static bool SameFile(const std::string& a, const std::string& b);
    // One key per file, for telling many paths apart at once.
    static std::string IdentityKey(const std::string& path);
};
