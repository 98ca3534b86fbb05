// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The K-weighting of BS.1770 as two sections, derived for any sample rate
// from the analogue prototype behind the 48 kHz coefficients the
// recommendation lists (the same derivation libebur128 uses): a high shelf
// of about +4 dB above 1.5 kHz, then a high-pass at 38 Hz.
constexpr double kShelfHz = 1681.974450955533;
constexpr double kShelfGainDb = 3.999843853973347;
constexpr double kShelfQ = 0.7071752369554196;
constexpr double kHighPassHz = 38.13547087602444;
constexpr double kHighPassQ = 0.5003270373238773;

// Block loudness is -0.691 + 10 log10(mean square); the absolute gate is
// -70 LUFS, the relative gate 10 LU below the mean of the blocks above it.
constexpr double kLoudnessOffset = -0.691;
constexpr double kAbsoluteGateLufs = -70.0;
constexpr double kRelativeGateLu = -10.0;

// Filter delay values this small are flushed to zero between parts, so
// silence never decays into denormal numbers (which are slow to compute
// with); they lie hundreds of dB below the absolute gate.
constexpr double kFlushBelow = 1e-30;

// Delay values for each channel: two inputs and two outputs of each section, sharing the middle.
constexpr std::size_t kStateSize = 6;

double LufsOf(double meanSquare)
{
    return kLoudnessOffset + 10.0 * std::log10(meanSquare);
}

// BS.1770's channel weights for the layouts libebur128 assumes by default:
// 4 channels L R Ls Rs, 5 channels L R C Ls Rs, otherwise L R C LFE Ls Rs;
// the LFE and channels past the sixth do not count.
double ChannelWeight(int channel, int channels)
{
    if (channels == 4)
        return channel < 2 ? 1.0 : 1.41;
    if (channels == 5)
        return channel < 3 ? 1.0 : 1.41;
    if (channel < 3)
        return 1.0;
    if (channel == 4 || channel == 5)
        return 1.41;
    return 0.0;
}

}  // namespace

LoudnessMeter::LoudnessMeter(int sampleRate, int channels)
    : m_ready(sampleRate >= 16 && channels > 0 && channels <= 64), m_channels(channels)
{
    if (!m_ready)
        return;
    const double rate = sampleRate;
    double k = std::tan(M_PI * kShelfHz / rate);
    const double vh = std::pow(10.0, kShelfGainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / kShelfQ + k * k;
    m_shelf = Biquad{(vh + vb * k / kShelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
                     (vh - vb * k / kShelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kShelfQ + k * k) / a0};
    k = std::tan(M_PI * kHighPassHz / rate);
    a0 = 1.0 + k / kHighPassQ + k * k;
    m_highPass = Biquad{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kHighPassQ + k * k) / a0};

    m_state.assign(kStateSize * static_cast<std::size_t>(channels), 0.0);
    for (int c = 0; c < channels; ++c)
        m_weight.push_back(ChannelWeight(c, channels));
    m_partFrames = static_cast<std::size_t>(sampleRate + 5) / 10;
    m_absoluteGate = std::pow(10.0, (kAbsoluteGateLufs - kLoudnessOffset) / 10.0);
}

namespace {

// The last two inputs and the last two outputs of each section of one
// channel (direct form I: the shelf's outputs are the high-pass's inputs);
// `Value` is a double, or a pair of them for the two channels of stereo.
template <typename Value> struct KState {
    Value x1, x2, y1, y2, k1, k2;
};

// Two doubles in one register (GCC's and Clang's vector extension): both
// channels of a stereo frame go through the filter in the same instructions.
using Pair = double __attribute__((vector_size(16)));

// One sample through both sections (coefficients b0 b1 b2 a1 a2); returns
// the K-weighted value. Summed so that each output waits on the previous
// one through only one multiplication and one subtraction: that chain, not
// the arithmetic, bounds the speed.
template <typename Value> inline Value KStep(const double* s, const double* h, KState<Value>& z, Value x)
{
    const Value y = (s[0] * x + s[1] * z.x1 + s[2] * z.x2 - s[4] * z.y2) - s[3] * z.y1;
    const Value k = (h[0] * y + h[1] * z.y1 + h[2] * z.y2 - h[4] * z.k2) - h[3] * z.k1;
    z = KState<Value>{x, z.x1, y, z.y1, k, z.k1};
    return k;
}

KState<double> Load(const double* state)
{
    return KState<double>{state[0], state[1], state[2], state[3], state[4], state[5]};
}

void Store(const KState<double>& z, double* state)
{
    const double values[] = {z.x1, z.x2, z.y1, z.y2, z.k1, z.k2};
    std::copy(std::begin(values), std::end(values), state);
}

// The states of two channels, lane 0 and lane 1, as pairs and back.
KState<Pair> LoadPair(const double* left, const double* right)
{
    return KState<Pair>{Pair{left[0], right[0]}, Pair{left[1], right[1]}, Pair{left[2], right[2]},
                        Pair{left[3], right[3]}, Pair{left[4], right[4]}, Pair{left[5], right[5]}};
}

void StorePair(const KState<Pair>& z, double* left, double* right)
{
    for (int lane = 0; lane < 2; ++lane)
        Store(KState<double>{z.x1[lane], z.x2[lane], z.y1[lane], z.y2[lane], z.k1[lane], z.k2[lane]},
              lane == 0 ? left : right);
}

}  // namespace

template <int Channels, typename Sample>
double LoudnessMeter::Filter(const Sample* pcm, std::size_t frames, double scale)
{
    const double s[5] = {m_shelf.b0, m_shelf.b1, m_shelf.b2, m_shelf.a1, m_shelf.a2};
    const double h[5] = {m_highPass.b0, m_highPass.b1, m_highPass.b2, m_highPass.a1, m_highPass.a2};
    if constexpr (Channels == 1) {
        KState<double> z = Load(&m_state[0]);
        double sum = 0;
        double peak = m_peak;
        for (std::size_t i = 0; i < frames; ++i) {
            const double x = static_cast<double>(pcm[i]) * scale;
            peak = std::max(peak, std::fabs(x));
            const double k = KStep(s, h, z, x);
            sum += k * k;
        }
        m_peak = peak;
        Store(z, &m_state[0]);
        return m_weight[0] * sum;
    } else if constexpr (Channels == 2) {
        KState<Pair> z = LoadPair(&m_state[0], &m_state[kStateSize]);
        Pair sum{0.0, 0.0};
        // The peak comes along in the same pass: the loop waits on the
        // filter's chain anyway.
        double peak = m_peak;
        for (std::size_t i = 0; i < frames; ++i) {
            const Pair x = Pair{static_cast<double>(pcm[2 * i]), static_cast<double>(pcm[2 * i + 1])} * scale;
            peak = std::max(peak, std::max(std::fabs(x[0]), std::fabs(x[1])));
            const Pair k = KStep(s, h, z, x);
            sum += k * k;
        }
        m_peak = peak;
        StorePair(z, &m_state[0], &m_state[kStateSize]);
        return m_weight[0] * sum[0] + m_weight[1] * sum[1];
    } else {
        const auto stride = static_cast<std::size_t>(m_channels);
        double energy = 0;
        for (std::size_t c = 0; c < stride; ++c) {
            if (m_weight[c] == 0.0) {
                // Not in the loudness (the LFE), but in the peak.
                for (std::size_t i = 0; i < frames; ++i)
                    m_peak = std::max(m_peak, std::fabs(static_cast<double>(pcm[i * stride + c]) * scale));
                continue;
            }
            KState<double> z = Load(&m_state[kStateSize * c]);
            double sum = 0;
            double peak = m_peak;
            for (std::size_t i = 0; i < frames; ++i) {
                const double x = static_cast<double>(pcm[i * stride + c]) * scale;
                peak = std::max(peak, std::fabs(x));
                const double k = KStep(s, h, z, x);
                sum += k * k;
            }
            m_peak = peak;
            Store(z, &m_state[kStateSize * c]);
            energy += m_weight[c] * sum;
        }
        return energy;
    }
}

template <typename Sample> void LoudnessMeter::Measure(const Sample* pcm, std::size_t frames, double scale)
{
    const auto stride = static_cast<std::size_t>(m_channels);
    while (frames > 0) {
        const std::size_t run = std::min(frames, m_partFrames - m_framesInPart);
        if (m_channels == 1)
            m_partEnergy += Filter<1>(pcm, run, scale);
        else if (m_channels == 2)
            m_partEnergy += Filter<2>(pcm, run, scale);
        else
            m_partEnergy += Filter<0>(pcm, run, scale);
        pcm += run * stride;
        frames -= run;
        m_framesInPart += run;
        if (m_framesInPart == m_partFrames)
            EndPart();
    }
}

void LoudnessMeter::EndPart()
{
    m_parts[m_partsSeen % m_parts.size()] = m_partEnergy;
    ++m_partsSeen;
    m_partEnergy = 0;
    m_framesInPart = 0;
    for (double& z : m_state) {
        if (std::fabs(z) < kFlushBelow)
            z = 0;
    }
    if (m_partsSeen < m_parts.size())
        return;
    const double meanSquare
        = (m_parts[0] + m_parts[1] + m_parts[2] + m_parts[3]) / static_cast<double>(m_parts.size() * m_partFrames);
    if (meanSquare >= m_absoluteGate)
        m_blocks.push_back(meanSquare);
}

void LoudnessMeter::Add(const float* pcm, std::size_t frames)
{
    if (!m_ready || frames == 0)
        return;
    Measure(pcm, frames, 1.0);
}

void LoudnessMeter::Add(const std::int16_t* pcm, std::size_t bytes)
{
    if (!m_ready)
        return;
    const std::size_t frames = bytes / (2 * static_cast<std::size_t>(m_channels));
    if (frames == 0)
        return;
    Measure(pcm, frames, 1.0 / 32768.0);
}

double LoudnessMeter::GatedLufs(const std::vector<const std::vector<double>*>& blocks)
{
    double sum = 0;
    std::size_t count = 0;
    for (const std::vector<double>* list : blocks) {
        for (double block : *list)
            sum += block;
        count += list->size();
    }
    if (count == 0)
        return -std::numeric_limits<double>::infinity();
    const double relativeGate = sum / static_cast<double>(count) * std::pow(10.0, kRelativeGateLu / 10.0);
    sum = 0;
    count = 0;
    for (const std::vector<double>* list : blocks) {
        for (double block : *list) {
            if (block >= relativeGate) {
                sum += block;
                ++count;
            }
        }
    }
    return count == 0 ? -std::numeric_limits<double>::infinity() : LufsOf(sum / static_cast<double>(count));
}

double LoudnessMeter::IntegratedLufs() const
{
    return GatedLufs({&m_blocks});
}

std::optional<ReplayGainValues> LoudnessMeter::Track() const
{
    // Silence, or too short for one 400 ms block: no loudness to correct.
    const double lufs = IntegratedLufs();
    if (!m_ready || !std::isfinite(lufs))
        return std::nullopt;
    return ReplayGainValues{kReferenceLufs - lufs, std::min(m_peak, 1.0)};
}

std::optional<ReplayGainValues> LoudnessMeter::Album(const std::vector<const LoudnessMeter*>& meters)
{
    std::vector<const std::vector<double>*> blocks;
    double peak = 0;
    for (const LoudnessMeter* meter : meters) {
        if (meter == nullptr || !meter->m_ready)
            return std::nullopt;
        blocks.push_back(&meter->m_blocks);
        peak = std::max(peak, meter->m_peak);
    }
    const double lufs = GatedLufs(blocks);
    if (blocks.empty() || !std::isfinite(lufs))
        return std::nullopt;
    return ReplayGainValues{kReferenceLufs - lufs, std::min(peak, 1.0)};
}
