// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/LoudnessMeter.h"
#include "convert/ReplayGainTag.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Which loudness tags results get ("Write loudness tags").
enum class LoudnessTags { Off, Track, Album };

// The loudness tags of one result: the ID3v2 tag it starts with holds room
// for the ReplayGain frames, the decoded samples are measured as they pass,
// and at the end the tag with the values takes that room, at the same length.
class LoudnessTagging {
public:
    LoudnessTagging(LoudnessTags tags, int sampleRate, int channels);

    // The tag the result starts with: the carried one (nullptr when none)
    // with room for the values.
    const std::vector<std::uint8_t>& BeginTag(const std::uint8_t* carried, std::size_t length);
    // The meter the decoded samples go to.
    LoudnessMeter& Measure() { return *m_meter; }
    // The track's values; empty for silence or a stream shorter than 0.4 s.
    std::optional<ReplayGainValues> Track() const { return m_meter->Track(); }
    // The tag with these values, as long as BeginTag's.
    std::vector<std::uint8_t> FinalTag(const ReplayGainTag::Values& values) const;
    // The meter, for the album's values once every track is measured.
    std::shared_ptr<const LoudnessMeter> Meter() const { return m_meter; }

private:
    LoudnessTags m_tags;
    std::shared_ptr<LoudnessMeter> m_meter;
    std::vector<std::uint8_t> m_carried;
    bool m_hasCarried = false;
    std::vector<std::uint8_t> m_reserved;
};
