#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asked for.
struct CliOptions {
    int bitrate = 128;
    std::string output;     // -o: the result of the one source
    std::string directory;  // -d: the folder for every result
    bool overwrite = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> sources;

    // Parses argv; on a usage error returns nothing and sets `error`.
    static std::optional<CliOptions> Parse(const std::vector<std::string>& args, std::string& error);
    static std::string Usage();
    // The result name the Add command would offer: folder, title, "_", rate, ".mp3".
    std::string ResultFor(const std::string& source) const;
    static bool IsMpeg1Bitrate(int bitrate);
};
