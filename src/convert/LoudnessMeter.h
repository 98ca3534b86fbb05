// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// ReplayGain 2.0 values: the gain that brings the audio to -18 LUFS
// (EBU R128 integrated loudness) and its sample peak (1.0 = full scale).
struct ReplayGainValues {
    double gainDb = 0;
    double peak = 0;
};

// The integrated loudness of one stream after ITU-R BS.1770-4 / EBU R128,
// measured from the PCM as the conversion decodes it: each channel through
// the K-weighting filter, the weighted mean square of 400 ms blocks every
// 100 ms, gated at -70 LUFS and 10 LU below the mean of the blocks above it.
// It gives libebur128's integrated loudness (tests compare the two) at a
// fraction of its cost: the analysis runs on every loudness-tagged job, and
// libebur128's filter alone took about 7 % of a 128 kbit/s job.
class LoudnessMeter {
public:
    static constexpr double kReferenceLufs = -18.0;

    LoudnessMeter(int sampleRate, int channels);

    bool Ready() const { return m_ready; }
    // Adds `bytes` bytes of interleaved 16-bit PCM.
    void Add(const std::int16_t* pcm, std::size_t bytes);
    // `frames` frames of interleaved floats, full scale +-1 (sources in other formats).
    void Add(const float* pcm, std::size_t frames);
    // The integrated loudness in LUFS; -infinity when no block passes the gates.
    double IntegratedLufs() const;
    // The track's values; empty when the stream is too short or silent.
    std::optional<ReplayGainValues> Track() const;
    // The values of several streams taken as one album.
    static std::optional<ReplayGainValues> Album(const std::vector<const LoudnessMeter*>& meters);

private:
    // One second-order section.
    struct Biquad {
        double b0, b1, b2, a1, a2;
    };

    template <typename Sample> void Measure(const Sample* pcm, std::size_t frames, double scale);
    // Filters `frames` frames and returns their weighted sum of squares;
    // `Channels` 0 takes any count (mono and stereo have loops of their own).
    template <int Channels, typename Sample> double Filter(const Sample* pcm, std::size_t frames, double scale);
    void EndPart();
    static double GatedLufs(const std::vector<const std::vector<double>*>& blocks);

    bool m_ready;
    int m_channels;
    Biquad m_shelf{};
    Biquad m_highPass{};
    std::vector<double> m_state;   // six delay values for each channel
    std::vector<double> m_weight;  // each channel's weight in the sum
    std::size_t m_partFrames = 0;  // frames in 100 ms
    std::size_t m_framesInPart = 0;
    double m_partEnergy = 0;
    std::array<double, 4> m_parts{};  // the last four 100 ms parts, a 400 ms block
    std::size_t m_partsSeen = 0;
    double m_absoluteGate = 0;     // -70 LUFS as a mean square
    std::vector<double> m_blocks;  // mean squares of the blocks above the absolute gate
    double m_peak = 0;             // the largest magnitude so far, full scale 1.0
};
