#include "TestTone.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kAmplitude = 12000.0;
// Crossings count only when the signal has gone past these levels, so that
// coding noise around zero does not add false crossings.
constexpr int kLow = -2000;
constexpr int kHigh = 2000;

}  // namespace

std::vector<std::int16_t> TestTone::make(long rate, const std::vector<double>& frequencies, double seconds)
{
    const auto frames = static_cast<std::size_t>(static_cast<double>(rate) * seconds);
    std::vector<std::int16_t> pcm;
    pcm.reserve(frames * frequencies.size());
    for (std::size_t i = 0; i < frames; ++i) {
        const double time = static_cast<double>(i) / static_cast<double>(rate);
        for (double frequency : frequencies) {
            pcm.push_back(static_cast<std::int16_t>(kAmplitude * std::sin(2.0 * std::numbers::pi * frequency * time)));
        }
    }
    return pcm;
}

double TestTone::frequency(const std::vector<std::int16_t>& samples, long rate)
{
    const auto start = static_cast<std::size_t>(rate / 10);
    const auto end = start + static_cast<std::size_t>(rate);
    if (samples.size() < end + start) {
        return 0.0;
    }
    int crossings = 0;
    bool low = false;
    for (std::size_t i = start; i < end; ++i) {
        if (samples[i] < kLow) {
            low = true;
        } else if (samples[i] > kHigh && low) {
            low = false;
            ++crossings;
        }
    }
    return crossings;
}
