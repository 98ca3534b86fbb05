#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An MP3 file decoded in full with libmpg123, for checking results.
struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;  // interleaved
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
};
