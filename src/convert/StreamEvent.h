#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One step of the frame walk, handed from the reading side of a conversion
// to the encoding side: a decoded frame, or what ended or interrupted the
// walk. The walk's steps arrive in stream order.
struct StreamEvent {
    enum class Kind {
        Frame,          // a Layer III frame, read and decoded
        NotLayer3,      // a sync before a header of another layer: skipped
        FrameTooLarge,  // a frame longer than the whole source
        ReadFailed,     // the source could not be read as far as it should
        End,            // no further frame: the stream is complete
    };

    static constexpr std::size_t kPcmCapacity = 8192;  // bytes the decoder may write

    Kind kind = Kind::End;
    std::uint32_t length = 0;  // Frame: its length in bytes
    std::uint64_t end = 0;     // Frame: the offset just after it
    bool last = false;         // Frame: the stream ends with this frame
    std::size_t produced = 0;  // Frame: PCM bytes decoded; 0 when none
    std::array<std::int16_t, kPcmCapacity / 2> pcm{};
};
