// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessMeter.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Ebur128Deleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using Ebur128 = std::unique_ptr<ebur128_state, Ebur128Deleter>;

// Music-like float PCM: noise and tones whose level changes every half
// second, with quiet stretches the gates must leave out; `seed` varies it.
std::vector<float> Signal(int rate, int channels, double seconds, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::uniform_real_distribution<double> level(-60.0, -6.0);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> pcm(frames * static_cast<std::size_t>(channels));
    double gain = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        if (i % static_cast<std::size_t>(rate / 2) == 0)
            gain = (i / static_cast<std::size_t>(rate / 2)) % 5 == 3 ? 0.0 : std::pow(10.0, level(random) / 20.0);
        for (int c = 0; c < channels; ++c) {
            const double tone = std::sin(2.0 * M_PI * (60.0 + 700.0 * c) * static_cast<double>(i) / rate);
            pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)]
                = static_cast<float>(gain * (0.5 * tone + 0.2 * noise(random)));
        }
    }
    return pcm;
}

std::vector<std::int16_t> ToInt16(const std::vector<float>& pcm)
{
    std::vector<std::int16_t> samples;
    for (float value : pcm)
        samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value * 32768.0f, -32768.0f, 32767.0f))));
    return samples;
}

// Feeds both meters in pieces of uneven length, as decoded frames arrive.
template <typename Sample>
void Feed(LoudnessMeter& ours, ebur128_state* reference, const std::vector<Sample>& pcm, int channels)
{
    const auto stride = static_cast<std::size_t>(channels);
    const std::size_t frames = pcm.size() / stride;
    for (std::size_t at = 0, piece = 577; at < frames; at += piece, piece = piece % 3000 + 1152) {
        const std::size_t n = std::min(piece, frames - at);
        if constexpr (std::is_same_v<Sample, float>) {
            ours.Add(pcm.data() + at * stride, n);
            ebur128_add_frames_float(reference, pcm.data() + at * stride, n);
        } else {
            ours.Add(pcm.data() + at * stride, n * stride * 2);
            ebur128_add_frames_short(reference, pcm.data() + at * stride, n);
        }
    }
}

}  // namespace

// The meter gives libebur128's integrated loudness within 0.01 LU across
// sample rates, channel layouts (with their BS.1770 weights) and both
// sample formats, and no value at all for silence or less than one block.
TEST(LoudnessMeterTest, IntegratedLoudnessMatchesLibebur128)
{
    struct Case {
        int rate;
        int channels;
        bool int16;
        double seconds;
    };
    for (const Case& c : {Case{44100, 2, true, 20}, Case{48000, 1, false, 12}, Case{32000, 2, false, 9},
                          Case{22050, 2, true, 7}, Case{96000, 6, false, 5}, Case{44100, 5, false, 4}}) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " channels");
        const std::vector<float> pcm
            = Signal(c.rate, c.channels, c.seconds, static_cast<unsigned>(c.rate + c.channels));
        LoudnessMeter ours(c.rate, c.channels);
        Ebur128 reference(
            ebur128_init(static_cast<unsigned>(c.channels), static_cast<unsigned long>(c.rate), EBUR128_MODE_I));
        if (c.int16)
            Feed(ours, reference.get(), ToInt16(pcm), c.channels);
        else
            Feed(ours, reference.get(), pcm, c.channels);
        double expected = 0;
        ASSERT_EQ(ebur128_loudness_global(reference.get(), &expected), EBUR128_SUCCESS);
        EXPECT_NEAR(ours.IntegratedLufs(), expected, 0.01);
    }

    LoudnessMeter silent(44100, 2);
    const std::vector<std::int16_t> zeros(44100 * 2 * 3, 0);
    silent.Add(zeros.data(), zeros.size() * 2);
    EXPECT_FALSE(silent.Track().has_value());
    LoudnessMeter brief(44100, 2);
    const std::vector<std::int16_t> tooShort = ToInt16(Signal(44100, 2, 0.39, 7));
    brief.Add(tooShort.data(), tooShort.size() * 2);
    EXPECT_FALSE(brief.Track().has_value());
}

// An album gates the blocks of all its tracks together, as libebur128's
// loudness of several states does; its peak is the largest track's.
TEST(LoudnessMeterTest, AlbumLoudnessMatchesLibebur128)
{
    std::vector<std::unique_ptr<LoudnessMeter>> meters;
    std::vector<Ebur128> references;
    std::vector<ebur128_state*> states;
    for (unsigned track = 0; track < 3; ++track) {
        const std::vector<float> pcm = Signal(44100, 2, 4.0 + 3.0 * track, 100 + track);
        meters.push_back(std::make_unique<LoudnessMeter>(44100, 2));
        references.emplace_back(ebur128_init(2, 44100, EBUR128_MODE_I));
        states.push_back(references.back().get());
        Feed(*meters.back(), states.back(), ToInt16(pcm), 2);
    }
    double expected = 0;
    ASSERT_EQ(ebur128_loudness_global_multiple(states.data(), states.size(), &expected), EBUR128_SUCCESS);
    const std::optional<ReplayGainValues> album
        = LoudnessMeter::Album({meters[0].get(), meters[1].get(), meters[2].get()});
    ASSERT_TRUE(album.has_value());
    EXPECT_NEAR(album->gainDb, LoudnessMeter::kReferenceLufs - expected, 0.01);
    double peak = 0;
    for (const auto& meter : meters)
        peak = std::max(peak, meter->Track()->peak);
    EXPECT_EQ(album->peak, peak);
}
