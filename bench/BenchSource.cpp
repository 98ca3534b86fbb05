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

void BenchSource::MakeWav(const std::string& path, double seconds)
{
    const SyntheticAudio::Signal signal = MusicLike(seconds);
    const auto dataBytes = static_cast<std::uint32_t>(signal.samples.size() * 2);
    std::vector<std::uint8_t> wav;
    const auto put = [&wav](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            wav.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const auto text = [&wav](const char* four) {
        for (int i = 0; i < 4; ++i)
            wav.push_back(static_cast<std::uint8_t>(four[i]));
    };
    text("RIFF");
    put(36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(44100, 4);
    put(44100 * 4, 4);
    put(4, 2);
    put(16, 2);
    text("data");
    put(dataBytes, 4);
    for (const std::int16_t sample : signal.samples)
        put(static_cast<std::uint16_t>(sample), 2);
    SyntheticAudio::WriteFile(path, wav);
}
