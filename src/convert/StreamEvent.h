// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One step of the frame walk, handed from the reading side of a conversion
// to the encoding side: a decoded frame, or what ended or interrupted the
// walk. The walk's steps arrive in stream order.
struct StreamEvent {
    enum class Kind {
        Frame,          // a frame, read and decoded
        Skipped,        // a run of bytes that are not frames of the stream
        FormatChanged,  // the stream goes on at another layer, rate or channel count, or to or from free format
        ReadFailed,     // the source could not be read as far as it should
        End,            // no further frame: the stream is complete
    };

    static constexpr std::size_t kPcmCapacity = 8192;  // bytes the decoder may write

    Kind kind = Kind::End;
    std::uint32_t length = 0;   // Frame: its length in bytes (0: PCM the decoder held back)
    std::uint64_t offset = 0;   // Skipped: where the run starts; FormatChanged: the first frame's offset
    std::uint64_t skipped = 0;  // Skipped: the run's length in bytes
    // Skipped: the log line for a tag ("... are an ID3v2 tag, skipped"); none for junk.
    const EngineText* tag = nullptr;
    int sampleRate = 0;  // FormatChanged: the new rate and channel count,
    int channels = 0;
    int layer = 0;  // layer and free-format state,
    bool freeFormat = false;
    bool newLayer = false;     // and whether the layer or free-format state changed
    bool newRate = false;      // and whether the rate or channel count did
    std::uint64_t end = 0;     // Frame: the offset just after it
    std::size_t produced = 0;  // Frame: PCM bytes decoded; 0 when none
    std::array<std::int16_t, kPcmCapacity / 2> pcm{};
};
