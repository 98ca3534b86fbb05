// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ebur128.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// ReplayGain 2.0 values: the gain that brings the audio to -18 LUFS
// (EBU R128 integrated loudness) and its sample peak (1.0 = full scale).
struct ReplayGainValues {
    double gainDb = 0;
    double peak = 0;
};

// The loudness of one stream, measured with libebur128 from 16-bit PCM as
// the conversion decodes it.
class LoudnessMeter {
public:
    static constexpr double kReferenceLufs = -18.0;

    LoudnessMeter(int sampleRate, int channels);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    bool Ready() const { return state_ != nullptr; }
    // Adds `bytes` bytes of interleaved 16-bit PCM.
    void Add(const std::int16_t* pcm, std::size_t bytes);
    // The track's values; empty when the stream is too short or silent.
    std::optional<ReplayGainValues> Track() const;
    // The values of several streams taken as one album.
    static std::optional<ReplayGainValues> Album(const std::vector<const LoudnessMeter*>& meters);

private:
    static std::optional<ReplayGainValues> FromLoudness(double lufs, double peak);
    double Peak() const;

    struct StateDeleter {
        void operator()(ebur128_state* state) const;
    };
    std::unique_ptr<ebur128_state, StateDeleter> state_;
    int channels_;
    int peak_ = 0;  // the largest magnitude of a 16-bit value so far
};
