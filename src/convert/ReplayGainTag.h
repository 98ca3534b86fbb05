// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/LoudnessMeter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An ID3v2 tag with the ReplayGain frames players read: TXXX frames
// REPLAYGAIN_TRACK_GAIN ("-6.52 dB"), REPLAYGAIN_TRACK_PEAK, and for an
// album REPLAYGAIN_ALBUM_GAIN and _PEAK. Every other frame of a carried tag
// stays as it was, in its own version; ReplayGain frames it had are
// replaced. Without a carried tag a new ID3v2.4 tag holds them.
namespace ReplayGainTag {

struct Values {
    std::optional<ReplayGainValues> track;
    std::optional<ReplayGainValues> album;
};

// The tag for `values`, from the carried tag `carried` (`length` bytes,
// nullptr when none), filled with padding to `atLeast` bytes.
std::vector<std::uint8_t> Compose(const std::uint8_t* carried, std::size_t length, const Values& values,
                                  std::size_t atLeast = 0);

// Room for any values: a tag at least as long as any Compose of the same
// carried tag with values of these kinds.
std::vector<std::uint8_t> Reserve(const std::uint8_t* carried, std::size_t length, bool album);

// The text of a gain and of a peak, as the frames hold them.
std::string GainText(double gainDb);
std::string PeakText(double peak);

}  // namespace ReplayGainTag
