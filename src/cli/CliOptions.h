// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/LoudnessTagging.h"

#include <optional>
#include <string>
#include <vector>

// What the command line asked for.
struct CliOptions {
    int bitrate = 128;                            // -b, or the average of --abr
    int vbrQuality = -1;                          // -V: 0 to 9; -1 when not given
    bool average = false;                         // --abr
    LoudnessTags replayGain = LoudnessTags::Off;  // --replaygain track|album
    std::string output;                           // -o: the result of the one source
    std::string directory;                        // -d: the folder for every result
    bool overwrite = false;
    bool skipExisting = false;  // --skip-existing: a result that exists is left alone, its job skipped
    bool skipLower = false;     // --skip-lower: sources at or below the bitrate are skipped
    int jobs = 0;               // -j: conversions at once; 0 until parsed, then 1 or more
    bool help = false;
    bool version = false;
    std::vector<std::string> sources;

    // Parses argv; on a usage error returns nothing and sets `error`.
    static std::optional<CliOptions> Parse(const std::vector<std::string>& args, std::string& error);
    static std::string Usage();
    // The result name the Add command would offer: folder, title, "_", rate,
    // ".mp3". `subfolder` is where a source found in a folder lies below it;
    // under -d the result keeps that place.
    std::string ResultFor(const std::string& source, const std::string& subfolder = {}) const;
    // Conversions at once when -j is not given: one a processor core.
    static int DefaultJobs();
    static bool IsMpeg1Bitrate(int bitrate);
    // The job's Bitrate text and the result name's suffix: "128", "V2", "A160".
    std::string RateText() const;
    // What --skip-lower compares a source's bitrate with: the bitrate, the
    // average, or the VBR quality's typical rate.
    int SkipKbps() const;
};
