#pragma once

#include <string>

// The floor of a transcode: the source already decoded to PCM, fed to the
// same encoder library with the same settings, written to a file. Only the
// encoding and writing are timed, in processor seconds.
class EncodeOnly {
public:
    // Returns the seconds the encode took, or a negative value on failure.
    static double Run(const std::string& source, const std::string& result, int bitrate,
                      const std::string& encoderFolder);
};
