// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Test audio made on the spot: PCM signals and MP3 files encoded from them
// with libmp3lame, plus hand-made ID3 tags.
struct SyntheticAudio {
    struct Signal {
        int sampleRate = 44100;
        int channels = 2;
        std::vector<std::int16_t> samples;  // interleaved
        std::size_t Frames() const { return samples.size() / static_cast<std::size_t>(channels); }
    };

    struct Mp3Options {
        int bitrate = 128;
        bool vbr = false;
        bool infoTag = true;  // the LAME/Xing frame at the start
    };

    // A sine tone per channel (the second channel a fifth higher), with a
    // little noise so the encoder has something to do.
    static Signal Tone(int sampleRate, int channels, double seconds, double frequency = 440.0);
    // One clean sine per channel at the given frequencies; with `noise`, a
    // deterministic noise of that amplitude is added to every sample.
    static Signal Sines(int sampleRate, const std::vector<double>& frequencies, double seconds, int noise = 0);
    // White noise, deterministic for a given seed.
    static Signal Noise(int sampleRate, int channels, double seconds, unsigned seed = 1);

    static std::vector<std::uint8_t> EncodeMp3(const Signal& signal, const Mp3Options& options);
    static std::vector<std::uint8_t> EncodeMp3(const Signal& signal) { return EncodeMp3(signal, Mp3Options()); }

    // An ID3v2.3 (or .4) tag with a title frame and `pictureBytes` of picture
    // data full of 0xFF 0xFB pairs, the bytes a frame scan could mistake for audio.
    static std::vector<std::uint8_t> Id3v2Tag(const std::string& title, std::size_t pictureBytes = 0, int version = 3,
                                              bool footer = false);
    static std::vector<std::uint8_t> Id3v1Tag(const std::string& title);

    static std::vector<std::uint8_t> Concat(std::initializer_list<const std::vector<std::uint8_t>*> parts);
    static void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
    static std::vector<std::uint8_t> ReadFile(const std::string& path);
};
