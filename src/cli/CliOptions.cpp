// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "cli/CliText.h"
#include "cli/PathList.h"
#include "convert/JobVocabulary.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <getopt.h>
#include <mutex>
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

// Values above any character name the options that have no short form.
enum LongOnly : int { kAbr = 256, kReplayGain, kOverwrite, kSkipExisting, kSkipLower, kNoSplit, kFilesFrom, kVersion };

// Every short option has a long name; getopt_long also takes a long name's
// unambiguous beginning, values attached (-b64, --bitrate=64) or as the next
// argument, and flags grouped (-0h).
constexpr char kShortOptions[] = ":b:V:o:d:j:0h";
constexpr option kLongOptions[] = {{"bitrate", required_argument, nullptr, 'b'},
                                   {"vbr", required_argument, nullptr, 'V'},
                                   {"abr", required_argument, nullptr, kAbr},
                                   {"replaygain", required_argument, nullptr, kReplayGain},
                                   {"output", required_argument, nullptr, 'o'},
                                   {"directory", required_argument, nullptr, 'd'},
                                   {"jobs", required_argument, nullptr, 'j'},
                                   {"overwrite", no_argument, nullptr, kOverwrite},
                                   {"skip-existing", no_argument, nullptr, kSkipExisting},
                                   {"skip-lower", no_argument, nullptr, kSkipLower},
                                   {"no-split", no_argument, nullptr, kNoSplit},
                                   {"files-from", required_argument, nullptr, kFilesFrom},
                                   {"null", no_argument, nullptr, '0'},
                                   {"help", no_argument, nullptr, 'h'},
                                   {"version", no_argument, nullptr, kVersion},
                                   {nullptr, 0, nullptr, 0}};

// getopt_long keeps its place in globals: one parse at a time.
std::mutex g_getoptLock;

// The option as the user wrote it: "--name" (without "=value") or "-c".
std::string Written(const char* argument, int shortName)
{
    const std::string text = argument != nullptr ? argument : "";
    if (text.rfind("--", 0) == 0)
        return text.substr(0, text.find('='));
    return shortName > 0 && shortName < 256 ? std::string("-") + static_cast<char>(shortName) : text;
}

std::string Candidates(const std::string& written)
{
    std::string names;
    for (const option* o = kLongOptions; o->name != nullptr; ++o)
        if (std::string("--").append(o->name).rfind(written, 0) == 0)
            names += (names.empty() ? "" : ", ") + std::string("--") + o->name;
    return names;
}

}  // namespace

bool CliOptions::IsMpeg1Bitrate(int bitrate)
{
    return JobVocabulary::IsBitrate(bitrate);
}

std::string CliOptions::Usage()
{
    // The synopsis names options, which stay as they are in every language.
    return CliText::translate("CliOptions", "Usage:")
        + " vorlanta-cli [-b KBPS | -V N | --abr KBPS] [--replaygain track|album]\n"
          "                   [-o RESULT | -d DIR] [-j N] [--overwrite | --skip-existing]\n"
          "                   [--skip-lower] [--no-split] [--files-from FILE [-0]] SOURCE...\n"
        + CliText::translate("CliOptions",
                             "Converts MP3 files to another bitrate, keeping their ID3 tags, and FLAC,\n"
                             "WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE and WavPack files to MP3 with\n"
                             "their tags and covers. A SOURCE that is a folder stands for every audio\n"
                             "file below it (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).\n")
        + "\n"
        + CliText::translate("CliOptions",
                             "  -b, --bitrate=KBPS  bitrate of the results: 32 40 48 56 64 80 96 112 128\n"
                             "                   160 192 224 256 320 (default 128)\n"
                             "  -V, --vbr=N      variable bitrate at LAME's quality N, 0 (best) to 9\n"
                             "  --abr=KBPS       average bitrate KBPS, one of the rates of -b\n"
                             "  --replaygain=track|album\n"
                             "                   write ReplayGain 2.0 loudness tags; album: also the\n"
                             "                   album values of the sources that share a folder\n"
                             "  -o, --output=RESULT  the result file (only with one SOURCE file)\n"
                             "  -d, --directory=DIR  put the results in DIR, keeping the sub-folders of a\n"
                             "                   SOURCE folder (default: beside each source)\n"
                             "  -j, --jobs=N     convert N files at once (default: one a processor core)\n"
                             "  --overwrite      replace results that exist already\n"
                             "  --skip-existing  skip sources whose result exists already\n"
                             "  --skip-lower     skip sources whose bitrate is at or below KBPS (with -V,\n"
                             "                   the quality's typical rate: V0 245 ... V2 190 ... V9 65)\n"
                             "  --no-split       never encode one long file on several cores (by default\n"
                             "                   a CBR file of 20 s or more is, when fewer files than N are left)\n"
                             "  --files-from=FILE  read further sources from FILE, one a line\n"
                             "                   (- for standard input)\n"
                             "  -0, --null       the paths in FILE end in NUL bytes, not newlines\n"
                             "  -h, --help       show this help\n"
                             "  --version        show the version\n"
                             "Values follow an option as the next word or attached: -b 64, -b64,\n"
                             "--bitrate 64, --bitrate=64. Options without a value may be grouped (-0h).\n")
        + "\n"
        + CliText::translate("CliOptions",
                             "A result is named after its source: TITLE_KBPS.mp3, TITLE_VN.mp3 or\n"
                             "TITLE_AKBPS.mp3. Every result starts with an Info frame for gapless\n"
                             "playback. Ctrl-C stops every\n"
                             "running job and removes its half-written result. The exit status is 0\n"
                             "when no job failed (skipped ones do not count as failed).\n");
}

std::optional<CliOptions> CliOptions::Parse(const std::vector<std::string>& args, std::string& error)
{
    CliOptions options;
    // getopt_long wants a writable argv with the program's name first.
    std::vector<std::string> words{"vorlanta-cli"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const std::lock_guard<std::mutex> lock(g_getoptLock);
    optind = 0;  // glibc: start afresh, reading the environment again
    opterr = 0;  // the messages are ours
    const int argc = static_cast<int>(words.size());
    for (int name; (name = getopt_long(argc, argv.data(), kShortOptions, kLongOptions, nullptr)) != -1;) {
        const std::string value = optarg != nullptr ? optarg : "";
        switch (name) {
        case 'h':
            options.help = true;
            break;
        case kVersion:
            options.version = true;
            break;
        case kOverwrite:
            options.overwrite = true;
            break;
        case kSkipExisting:
            options.skipExisting = true;
            break;
        case kSkipLower:
            options.skipLower = true;
            break;
        case kNoSplit:
            options.split = false;
            break;
        case '0':
            options.nulSeparated = true;
            break;
        case kFilesFrom:
            options.filesFrom = value;
            break;
        case 'o':
            options.output = value;
            break;
        case 'd':
            options.directory = value;
            break;
        case 'j':
            if (!ParseJobs(value, options.jobs)) {
                error = CliText::Format(
                    CliText::translate("CliOptions", "-j '%1' is not a number of conversions from 1 to %2"),
                    {value, std::to_string(kMaxJobs)});
                return std::nullopt;
            }
            break;
        case 'V':
            if (value.size() != 1 || !std::isdigit(static_cast<unsigned char>(value[0]))) {
                error = CliText::Format(CliText::translate("CliOptions", "-V '%1' is not a quality from 0 to 9"),
                                        {value});
                return std::nullopt;
            }
            options.settings = EncodeSettings::Vbr(value[0] - '0');
            break;
        case kAbr: {
            EncodeSettings average;
            if (!ParseSettings(value, average)) {
                error = CliText::Format(CliText::translate("CliOptions", "average bitrate '%1' is not one of %2"),
                                        {value, JobVocabulary::BitrateList()});
                return std::nullopt;
            }
            options.settings = EncodeSettings::Abr(average.bitrate);
            break;
        }
        case 'b':
            if (!ParseSettings(value, options.settings)) {
                error = CliText::Format(CliText::translate("CliOptions", "bitrate '%1' is not one of %2"),
                                        {value, JobVocabulary::BitrateList()});
                return std::nullopt;
            }
            break;
        case kReplayGain:
            if (value != "track" && value != "album") {
                error = CliText::Format(
                    CliText::translate("CliOptions", "--replaygain '%1' is neither track nor album"), {value});
                return std::nullopt;
            }
            options.replayGain = value == "album" ? LoudnessTags::Album : LoudnessTags::Track;
            break;
        case ':':
            error = CliText::Format(CliText::translate("CliOptions", "%1 needs a value"),
                                    {Written(argv[optind - 1], optopt)});
            return std::nullopt;
        default: {
            const std::string written = Written(argv[optind - 1], optopt);
            const std::string candidates = written.rfind("--", 0) == 0 ? Candidates(written) : std::string();
            if (optopt != 0 && written.rfind("--", 0) == 0)
                error = CliText::Format(CliText::translate("CliOptions", "%1 takes no value"), {written});
            else if (candidates.find(',') != std::string::npos)
                error = CliText::Format(CliText::translate("CliOptions", "option '%1' is ambiguous: %2"),
                                        {written, candidates});
            else
                error = CliText::Format(CliText::translate("CliOptions", "unknown option '%1'"), {written});
            return std::nullopt;
        }
        }
    }
    // What is left once the options are taken (getopt_long moves them
    // ahead, and stops at "--") are the sources.
    options.sources.assign(argv.begin() + optind, argv.end() - 1);
    if (options.help || options.version)
        return options;
    if (!options.filesFrom.empty()) {
        const auto listed = PathList::ReadNamed(options.filesFrom, options.nulSeparated, error);
        if (!listed)
            return std::nullopt;
        options.sources.insert(options.sources.end(), listed->begin(), listed->end());
    }
    if (options.sources.empty())
        error = CliText::translate("CliOptions", "no source file given");
    else if (!options.output.empty() && !options.directory.empty())
        error = CliText::translate("CliOptions", "-o and -d cannot be used together");
    else if (!options.output.empty() && options.sources.size() > 1)
        error = CliText::translate("CliOptions", "-o names one result, but there are several sources");
    else if (options.overwrite && options.skipExisting)
        error = CliText::translate("CliOptions", "--overwrite and --skip-existing cannot be used together");
    else if (!options.output.empty() && IsFolder(options.sources.front()))
        error = CliText::translate("CliOptions", "-o names one result, but the source is a folder");
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
