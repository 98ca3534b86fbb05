// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/OutputRatePlan.h"

#include "convert/JobVocabulary.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr std::array<int, 14> kMpeg2{8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
// The encoder caps the 8 to 12 kHz rates at 64 kbit/s.
constexpr int kMpeg25Max = 64;

constexpr std::array<int, 9> kRates{8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};

template <std::size_t N> bool Contains(const std::array<int, N>& table, int value)
{
    return std::find(table.begin(), table.end(), value) != table.end();
}

}  // namespace

bool OutputRatePlan::Carries(int rate, int bitrate)
{
    if (!Contains(kRates, rate))
        return false;
    if (rate >= 32000)
        return JobVocabulary::IsBitrate(bitrate);
    if (rate >= 16000)
        return Contains(kMpeg2, bitrate);
    return Contains(kMpeg2, bitrate) && bitrate <= kMpeg25Max;
}

int OutputRatePlan::Choose(int inputRate, int bitrate)
{
    if (Carries(inputRate, bitrate))
        return inputRate;
    int best = 0;
    for (int rate : kRates) {
        if (!Carries(rate, bitrate))
            continue;
        // Nearest first; between two as near, the higher keeps more of the sound.
        const int distance = std::abs(rate - inputRate);
        const int bestDistance = std::abs(best - inputRate);
        if (best == 0 || distance < bestDistance || (distance == bestDistance && rate > best))
            best = rate;
    }
    return best != 0 ? best : inputRate;
}
