// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The tags and front cover of a source in another format (Vorbis comments,
// MP4 atoms, APE and ASF tags, ID3v2 in WAV and AIFF), read with TagLib and
// written as the ID3v2.3 tag that leads its MP3 result: Latin-1 text where
// it fits, UTF-16 elsewhere, the front cover as an APIC frame with its
// picture bytes unchanged. Which field goes to which frame is kTagMapping's
// one table (SourceTags.cpp).
namespace SourceTags {

// `demuxer` and `codec` are FFmpeg's names for what the source holds; they
// say which tag format to read. Empty when the source carries nothing.
std::vector<std::uint8_t> Id3v2FromFile(const std::string& path, std::string_view demuxer, std::string_view codec);
std::vector<std::uint8_t> Id3v2FromBytes(const std::uint8_t* data, std::size_t size, std::string_view demuxer,
                                         std::string_view codec);

}  // namespace SourceTags
