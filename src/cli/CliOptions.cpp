// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "cli/PathList.h"
#include "convert/JobVocabulary.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

constexpr int kMaxJobs = 256;

bool ParseSettings(const std::string& text, EncodeSettings& settings)
{
    if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    settings = EncodeSettings::FromText(text);
    return settings.Valid();
}

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool ParseJobs(const std::string& text, int& jobs)
{
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    jobs = JobVocabulary::LeadingNumber(text);
    return jobs >= 1 && jobs <= kMaxJobs;
}

}  // namespace

bool CliOptions::IsMpeg1Bitrate(int bitrate)
{
    return JobVocabulary::IsBitrate(bitrate);
}

std::string CliOptions::Usage()
{
    return "Usage: vorlanta-cli [-b KBPS | -V N | --abr KBPS] [--replaygain track|album]\n"
           "                   [-o RESULT | -d DIR] [-j N] [--overwrite | --skip-existing]\n"
           "                   [--skip-lower] [--no-split] [--files-from FILE [-0]] SOURCE...\n"
           "Converts MP3 files to another bitrate, keeping their ID3 tags, and FLAC,\n"
           "WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE and WavPack files to MP3 with\n"
           "their tags and covers. A SOURCE that is a folder stands for every audio\n"
           "file below it (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).\n"
           "\n"
           "  -b KBPS          bitrate of the results: 32 40 48 56 64 80 96 112 128 160\n"
           "                   192 224 256 320 (default 128)\n"
           "  -V N             variable bitrate at LAME's quality N, 0 (best) to 9\n"
           "  --abr KBPS       average bitrate KBPS, one of the rates of -b\n"
           "  --replaygain track|album\n"
           "                   write ReplayGain 2.0 loudness tags; album: also the\n"
           "                   album values of the sources that share a folder\n"
           "  -o RESULT        the result file (only with one SOURCE file)\n"
           "  -d DIR           put the results in DIR, keeping the sub-folders of a\n"
           "                   SOURCE folder (default: beside each source)\n"
           "  -j N             convert N files at once (default: one a processor core)\n"
           "  --overwrite      replace results that exist already\n"
           "  --skip-existing  skip sources whose result exists already\n"
           "  --skip-lower     skip sources whose bitrate is at or below KBPS (with -V,\n"
           "                   the quality's typical rate: V0 245 ... V2 190 ... V9 65)\n"
           "  --no-split       never encode one long file on several cores (by default\n"
           "                   a CBR file of 20 s or more is, when fewer files than N are left)\n"
           "  --files-from FILE  read further sources from FILE, one a line\n"
           "                   (- for standard input)\n"
           "  -0               the paths in FILE end in NUL bytes, not newlines\n"
           "  -h, --help       show this help\n"
           "  --version        show the version\n"
           "\n"
           "A result is named after its source: TITLE_KBPS.mp3, TITLE_VN.mp3 or\n"
           "TITLE_AKBPS.mp3. Every result starts with an Info frame for gapless\n"
           "playback. Ctrl-C stops every\n"
           "running job and removes its half-written result. The exit status is 0\n"
           "when no job failed (skipped ones do not count as failed).\n";
}

std::optional<CliOptions> CliOptions::Parse(const std::vector<std::string>& args, std::string& error)
{
    CliOptions options;
    auto value = [&](std::size_t& i, const std::string& flag) -> const std::string* {
        if (i + 1 >= args.size()) {
            error = flag + " needs a value";
            return nullptr;
        }
        return &args[++i];
    };
    bool onlySources = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlySources || arg.empty() || arg[0] != '-' || arg == "-") {
            options.sources.push_back(arg);
        } else if (arg == "--") {
            onlySources = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--overwrite") {
            options.overwrite = true;
        } else if (arg == "--skip-existing") {
            options.skipExisting = true;
        } else if (arg == "--skip-lower") {
            options.skipLower = true;
        } else if (arg == "--no-split") {
            options.split = false;
        } else if (arg == "-0" || arg == "--null") {
            options.nulSeparated = true;
        } else if (arg == "--files-from") {
            const std::string* text = value(i, arg);
            if (text == nullptr)
                return std::nullopt;
            options.filesFrom = *text;
        } else if (arg == "-j") {
            const std::string* text = value(i, arg);
            if (text == nullptr)
                return std::nullopt;
            if (!ParseJobs(*text, options.jobs)) {
                error = "-j '" + *text + "' is not a number of conversions from 1 to " + std::to_string(kMaxJobs);
                return std::nullopt;
            }
        } else if (arg == "-V" || arg == "--abr" || arg == "--replaygain") {
            const std::string* text = value(i, arg);
            if (text == nullptr)
                return std::nullopt;
            if (arg == "-V") {
                if (text->size() != 1 || !std::isdigit(static_cast<unsigned char>((*text)[0]))) {
                    error = "-V '" + *text + "' is not a quality from 0 to 9";
                    return std::nullopt;
                }
                options.settings = EncodeSettings::Vbr((*text)[0] - '0');
            } else if (arg == "--abr") {
                EncodeSettings average;
                if (!ParseSettings(*text, average)) {
                    error = "average bitrate '" + *text + "' is not one of " + JobVocabulary::BitrateList();
                    return std::nullopt;
                }
                options.settings = EncodeSettings::Abr(average.bitrate);
            } else if (*text == "track" || *text == "album") {
                options.replayGain = *text == "album" ? LoudnessTags::Album : LoudnessTags::Track;
            } else {
                error = "--replaygain '" + *text + "' is neither track nor album";
                return std::nullopt;
            }
        } else if (arg == "-b" || arg == "-o" || arg == "-d") {
            const std::string* text = value(i, arg);
            if (text == nullptr)
                return std::nullopt;
            if (arg == "-o")
                options.output = *text;
            else if (arg == "-d")
                options.directory = *text;
            else if (!ParseSettings(*text, options.settings)) {
                error = "bitrate '" + *text + "' is not one of " + JobVocabulary::BitrateList();
                return std::nullopt;
            }
        } else {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    if (options.help || options.version)
        return options;
    if (!options.filesFrom.empty()) {
        const auto listed = PathList::ReadNamed(options.filesFrom, options.nulSeparated, error);
        if (!listed)
            return std::nullopt;
        options.sources.insert(options.sources.end(), listed->begin(), listed->end());
    }
    if (options.sources.empty())
        error = "no source file given";
    else if (!options.output.empty() && !options.directory.empty())
        error = "-o and -d cannot be used together";
    else if (!options.output.empty() && options.sources.size() > 1)
        error = "-o names one result, but there are several sources";
    else if (options.overwrite && options.skipExisting)
        error = "--overwrite and --skip-existing cannot be used together";
    else if (!options.output.empty() && IsFolder(options.sources.front()))
        error = "-o names one result, but the source is a folder";
    if (!error.empty())
        return std::nullopt;
    if (options.jobs == 0)
        options.jobs = DefaultJobs();
    return options;
}

int CliOptions::DefaultJobs()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(kMaxJobs)));
}

JobPlanner::StartRules CliOptions::StartRules() const
{
    using Existing = JobPlanner::Existing;
    return {skipLower, overwrite ? Existing::Replace : (skipExisting ? Existing::Skip : Existing::Refuse)};
}
