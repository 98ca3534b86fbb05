// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessMeter.h"

#include <algorithm>
#include <cmath>

void LoudnessMeter::StateDeleter::operator()(ebur128_state* state) const
{
    ebur128_destroy(&state);
}

LoudnessMeter::LoudnessMeter(int sampleRate, int channels) : channels_(channels)
{
    // Sample peak, as ReplayGain players expect it; the true peak would cost
    // an oversampling pass over every sample.
    state_.reset(ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate),
                              EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK));
}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::Add(const std::int16_t* pcm, std::size_t bytes)
{
    if (!state_ || channels_ <= 0)
        return;
    const std::size_t frames = bytes / (2 * static_cast<std::size_t>(channels_));
    if (frames > 0)
        ebur128_add_frames_short(state_.get(), pcm, frames);
}

double LoudnessMeter::Peak() const
{
    double peak = 0;
    for (int channel = 0; channel < channels_; ++channel) {
        double value = 0;
        if (ebur128_sample_peak(state_.get(), static_cast<unsigned>(channel), &value) == EBUR128_SUCCESS)
            peak = std::max(peak, value);
    }
    return peak;
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
