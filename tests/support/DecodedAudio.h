// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An MP3 file decoded in full with libmpg123, for checking results, with
// what the decoder reported about every frame.
struct DecodedAudio {
    struct FrameInfo {
        long rate = 0;
        int bitrate = 0;  // kbit/s
        int mode = 0;     // mpg123_mode
        int flags = 0;    // mpg123_flags
        int emphasis = 0;
    };

    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;  // interleaved
    std::vector<FrameInfo> frameInfo;
    bool ok = false;

    // `gapless`: a leading Info frame's encoder delay and padding are trimmed,
    // as gapless players do.
    static DecodedAudio FromFile(const std::string& path, bool gapless = false);
    static DecodedAudio FromBytes(const std::vector<std::uint8_t>& bytes, bool gapless = false);
    std::size_t Frames() const { return channels == 0 ? 0 : samples.size() / static_cast<std::size_t>(channels); }
    double Seconds() const { return sampleRate == 0 ? 0.0 : static_cast<double>(Frames()) / sampleRate; }
    // One channel as doubles.
    std::vector<double> Channel(int channel) const;
    // The best normalised correlation of two signals over lags up to
    // `maxLag` samples either way (encoder and decoder delays); `lag`, when
    // given, receives the lag of b against a where it is best.
    static double BestCorrelation(const std::vector<double>& a, const std::vector<double>& b, int maxLag,
                                  int* lag = nullptr);
    // The frequency of the dominant tone in one channel, from the rising
    // crossings in one second starting a tenth of a second in (past the
    // encoder's start-up delay). 0 when fewer than 1.2 seconds are given.
    static double ToneFrequency(const std::vector<double>& channel, int sampleRate);
};
