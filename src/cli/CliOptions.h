// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobPlanner.h"
#include "convert/LoudnessTagging.h"

#include <optional>
#include <string>
#include <vector>

// What the command line asked for.
struct CliOptions {
    EncodeSettings settings;  // -b, -V or --abr: how the results are encoded (the last given counts)
    LoudnessTags replayGain = LoudnessTags::Off;  // --replaygain track|album
    std::string output;                           // -o: the result of the one source
    std::string directory;                        // -d: the folder for every result
    bool overwrite = false;
    bool skipExisting = false;  // --skip-existing: a result that exists is left alone, its job skipped
    bool skipLower = false;     // --skip-lower: sources at or below the bitrate are skipped
    int jobs = 0;               // -j: conversions at once; 0 until parsed, then 1 or more
    bool split = true;          // --no-split: a long source never runs on more than one encoder thread
    std::string filesFrom;      // --files-from: a list of sources, "-" for standard input
    bool nulSeparated = false;  // -0: the list's paths end in NUL bytes, not newlines
    bool help = false;
    bool version = false;
    std::vector<std::string> sources;

    // Parses argv, and reads the --files-from list (its sources after those
    // of the command line); on a usage error, or a list that cannot be
    // read, returns nothing and sets `error`.
    static std::optional<CliOptions> Parse(const std::vector<std::string>& args, std::string& error);
    static std::string Usage();
    // What the job planner needs to plan the batch.
    JobPlanner::Choices Choices() const { return {settings, output, directory}; }
    // What decides a job as it starts: --skip-lower, and --overwrite or
    // --skip-existing for a result that exists already (refused otherwise).
    JobPlanner::StartRules StartRules() const;
    // Conversions at once when -j is not given: one a processor core.
    static int DefaultJobs();
    static bool IsMpeg1Bitrate(int bitrate);
};
