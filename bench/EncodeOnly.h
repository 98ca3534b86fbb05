// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The floor of a transcode: the source already decoded to PCM, fed to the
// same encoder library with the same settings, written to a file. Only the
// encoding and writing are timed.
class EncodeOnly {
public:
    struct Seconds {
        double processor = -1;  // user and system time; negative on failure
        double wall = -1;
    };
    static Seconds Run(const std::string& source, const std::string& result, int bitrate,
                       const std::string& encoderFolder);
    // The same for a source in another format (FLAC): decoded first, then
    // its float samples encoded as the engine hands them over.
    static Seconds RunDecoded(const std::string& source, const std::string& result, int bitrate,
                              const std::string& encoderFolder);
};
