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

    static DecodedAudio FromFile(const std::string& path);
    static DecodedAudio FromBytes(const std::vector<std::uint8_t>& bytes);
    std::size_t Frames() const { return channels == 0 ? 0 : samples.size() / static_cast<std::size_t>(channels); }
    double Seconds() const { return sampleRate == 0 ? 0.0 : static_cast<double>(Frames()) / sampleRate; }
    // One channel as doubles.
    std::vector<double> Channel(int channel) const;
    // The best normalised correlation of two signals over lags up to
    // `maxLag` samples either way (encoder and decoder delays).
    static double BestCorrelation(const std::vector<double>& a, const std::vector<double>& b, int maxLag);
};
