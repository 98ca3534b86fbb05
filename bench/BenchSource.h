// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SyntheticAudio.h"

#include <string>

// The benchmark's source: synthesised, tagged, 44.1 kHz stereo at 192 kbit/s.
class BenchSource {
public:
    static SyntheticAudio::Signal MusicLike(double seconds);
    static void Make(const std::string& path, double seconds);
    // The same music as a 16-bit WAV file.
    static void MakeWav(const std::string& path, double seconds);
};
