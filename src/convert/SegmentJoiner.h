// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/Layer3Frame.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Joins the streams of consecutive segments of one source, each encoded by
// an encoder stream of its own that started a few frames early (the
// pre-roll), into one stream. All streams start on frame boundaries of the
// same timeline, so frame k of every stream holds the same stretch of audio.
//
// At each join the new stream takes over at a frame J of the pre-roll where
// its bit reservoir fits in the old one's: the main data J needs from before
// its header (main_data_begin) must fit in the bytes that the old stream had
// reserved there for its own frame J, which the join drops. Those bytes are
// replaced by the new stream's, and what is left of them is zeroed. Frame J-1
// of both streams must also end in the same block type, so the decoder's
// windows overlap as the encoder meant. No frame is ever emitted whose main
// data lies in bytes that are not its own.
class SegmentJoiner {
public:
    using Sink = std::function<bool(const std::uint8_t* bytes, std::size_t length)>;

    struct Segment {
        std::uint64_t firstFrame = 0;     // timeline index of the stream's first audio frame
        std::uint64_t joinFrom = 0;       // earliest frame it may take over at
        std::uint64_t joinTo = 0;         // latest frame it may take over at
        std::vector<std::uint8_t> bytes;  // the stream, flush included; a leading tag frame is dropped
    };

    enum class Outcome {
        Joined,
        NoValidFrame,  // no frame in [joinFrom, joinTo] meets the rule: encode again with a longer pre-roll
        BadStream,     // the bytes are not a stream of whole Layer III frames, or the sink refused
    };

    // `sink` receives the joined stream in order; `onFrame` (optional) sees
    // every emitted frame once, tag frame excluded.
    explicit SegmentJoiner(Sink sink, std::function<void(const std::uint8_t*, const Layer3Frame&)> onFrame = {});

    // The first segment is taken whole, a leading tag frame (Info frame
    // placeholder) included; every later one is joined to the one before.
    Outcome Add(Segment segment);
    // Joins at `frame` without checking the rule (for tests and tools that
    // need a bad join on purpose).
    Outcome AddUncheckedAt(Segment segment, std::uint64_t frame);
    // Emits what is still held. False when the sink refused.
    bool Finish();

    // The join frame of the last successful Add.
    std::uint64_t LastJoin() const { return m_lastJoin; }
    // Length of the leading tag frame taken from the first segment; 0 when none.
    std::size_t TagFrameLength() const { return m_tagLength; }

private:
    struct Held;
    struct Stream {
        std::vector<std::uint8_t> bytes;
        std::vector<Layer3Frame> frames;
        std::vector<std::uint64_t> bodyStart;  // reservoir position of each body
        std::uint64_t firstFrame = 0;
        const Layer3Frame* At(std::uint64_t frame) const;
        std::size_t IndexOf(std::uint64_t frame) const { return static_cast<std::size_t>(frame - firstFrame); }
        // The byte at reservoir position `position`; nullptr when not held.
        std::uint8_t* ByteAt(std::uint64_t position);
    };

    static std::optional<Stream> Open(Segment& segment, std::size_t* tagLength);
    bool Fits(const Stream& next, std::uint64_t frame) const;
    Outcome JoinAt(Stream next, std::uint64_t frame);
    bool Emit(const std::uint8_t* bytes, std::size_t length, const std::vector<Layer3Frame>& frames,
              std::size_t frameCount);

    Sink m_sink;
    std::function<void(const std::uint8_t*, const Layer3Frame&)> m_onFrame;
    std::optional<Stream> m_held;
    std::uint64_t m_lastJoin = 0;
    std::size_t m_tagLength = 0;
};
