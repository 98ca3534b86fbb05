// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The formats other than MP3 that the engine decodes, recognised by their
// opening bytes. This table is also the demuxer whitelist: a source is only
// ever opened with the one demuxer its content names here, so no playlist,
// concat or network demuxer is ever reached.
struct SourceFormat {
    std::string_view name;     // as logged: "FLAC audio"
    std::string_view demuxer;  // FFmpeg's demuxer for it
    bool lossless = false;     // false: the codec inside decides (WAV, M4A, Ogg, ASF may hold either)

    // Bytes a recognition needs at most.
    static constexpr std::size_t kMagicBytes = 16;

    // The format whose signature `bytes` (`length` of them, from the start of
    // the audio) open with; nullptr when none does.
    static const SourceFormat* Recognize(const std::uint8_t* bytes, std::size_t length);
    // The names of every whitelisted demuxer, comma-separated (FFmpeg's form).
    static const char* DemuxerWhitelist();

    // The file name extensions of sources, MP3 first, without dots, in lower
    // case: what Add Folder, drops and the file chooser take.
    static const std::vector<std::string_view>& Extensions();
    // A name ending in one of them, in any case.
    static bool IsSourceName(std::string_view name);
};
