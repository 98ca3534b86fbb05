// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void LoudnessMeter::StateDeleter::operator()(ebur128_state* state) const
{
    ebur128_destroy(&state);
}

LoudnessMeter::LoudnessMeter(int sampleRate, int channels) : channels_(channels)
{
    // The sample peak, as ReplayGain players expect it, is kept here from
    // the 16-bit values; the true peak would cost an oversampling pass.
    state_.reset(ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate), EBUR128_MODE_I));
}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::Add(const std::int16_t* pcm, std::size_t bytes)
{
    if (!state_ || channels_ <= 0)
        return;
    const std::size_t frames = bytes / (2 * static_cast<std::size_t>(channels_));
    if (frames == 0)
        return;
    ebur128_add_frames_short(state_.get(), pcm, frames);
    int largest = peak_;
    for (std::size_t i = 0; i < frames * static_cast<std::size_t>(channels_); ++i)
        largest = std::max(largest, std::abs(static_cast<int>(pcm[i])));
    peak_ = largest;
}

double LoudnessMeter::Peak() const
{
    return peak_ / 32768.0;
}

std::optional<ReplayGainValues> LoudnessMeter::FromLoudness(double lufs, double peak)
{
    // Silence, or too short for one 400 ms block: no loudness to correct.
    if (!std::isfinite(lufs))
        return std::nullopt;
    return ReplayGainValues{kReferenceLufs - lufs, peak};
}

std::optional<ReplayGainValues> LoudnessMeter::Track() const
{
    if (!state_)
        return std::nullopt;
    double lufs = 0;
    if (ebur128_loudness_global(state_.get(), &lufs) != EBUR128_SUCCESS)
        return std::nullopt;
    return FromLoudness(lufs, Peak());
}

std::optional<ReplayGainValues> LoudnessMeter::Album(const std::vector<const LoudnessMeter*>& meters)
{
    std::vector<ebur128_state*> states;
    double peak = 0;
    for (const LoudnessMeter* meter : meters) {
        if (meter == nullptr || !meter->state_)
            return std::nullopt;
        states.push_back(meter->state_.get());
        peak = std::max(peak, meter->Peak());
    }
    double lufs = 0;
    if (states.empty() || ebur128_loudness_global_multiple(states.data(), states.size(), &lufs) != EBUR128_SUCCESS)
        return std::nullopt;
    return FromLoudness(lufs, peak);
}
