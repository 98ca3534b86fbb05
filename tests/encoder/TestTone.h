#pragma once

#include <cstdint>
#include <vector>

// Synthesised sine tones as 16-bit PCM, and a zero-crossing frequency
// estimate to tell which tone came back out of the codec.
class TestTone {
public:
    // Interleaved PCM, one sine per channel at the given frequencies.
    static std::vector<std::int16_t> make(long rate, const std::vector<double>& frequencies, double seconds);

    // The frequency of the dominant tone, from the rising crossings in one
    // second of `samples` starting a tenth of a second in (past the
    // encoder's start-up delay). 0 when fewer than 1.2 seconds are given.
    static double frequency(const std::vector<std::int16_t>& samples, long rate);
};
