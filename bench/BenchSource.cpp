// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSource.h"

#include <algorithm>
#include <cmath>
#include <random>

// Something like music: a few tones that change every half second, and noise.
SyntheticAudio::Signal BenchSource::MusicLike(double seconds)
{
    SyntheticAudio::Signal signal{44100, 2, {}};
    const auto frames = static_cast<std::size_t>(seconds * 44100);
    signal.samples.resize(frames * 2);
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, 900.0);
    std::uniform_real_distribution<double> pitch(110.0, 880.0);
    double f1 = 220, f2 = 330, f3 = 440;
    for (std::size_t i = 0; i < frames; ++i) {
        if (i % 22050 == 0) {
            f1 = pitch(random);
            f2 = pitch(random);
            f3 = pitch(random);
        }
        const double t = static_cast<double>(i) / 44100.0;
        const double base = 5000 * std::sin(2 * M_PI * f1 * t) + 3000 * std::sin(2 * M_PI * f2 * t)
            + 2000 * std::sin(2 * M_PI * f3 * t);
        signal.samples[2 * i] = static_cast<std::int16_t>(std::clamp(base + noise(random), -32000.0, 32000.0));
        signal.samples[2 * i + 1]
            = static_cast<std::int16_t>(std::clamp(0.8 * base + noise(random), -32000.0, 32000.0));
    }
    return signal;
}

void BenchSource::Make(const std::string& path, double seconds)
{
    SyntheticAudio::Mp3Options options;
    options.bitrate = 192;
    const auto tag = SyntheticAudio::Id3v2Tag("Vorlanta demo");
    const auto mp3 = SyntheticAudio::EncodeMp3(MusicLike(seconds), options);
    const auto v1 = SyntheticAudio::Id3v1Tag("Vorlanta demo");
    SyntheticAudio::WriteFile(path, SyntheticAudio::Concat({&tag, &mp3, &v1}));
}
