// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"
#include "convert/MpegFrameHeader.h"
#include "convert/StreamEvent.h"

#include <cstdint>
#include <optional>
#include <vector>

class FrameChain;
class FrameDecoder;
class LoudnessMeter;
class SourceWindow;
class StreamEventQueue;

// The reading side of a conversion: walks the source from frame to frame,
// decodes each frame and queues the steps of the walk for the encoding side,
// ahead of it by as many steps as the queue holds. A frame is taken where the
// last one ended; after junk, only a header of the stream that the next
// header confirms. A change of layer, of rate or to or from free format
// needs a longer confirmed run; a new layer or free-format length starts the
// decoder anew, so every part of a stream made by joining files is decoded.
class FrameProducer {
public:
    // A header is looked for in the stream's last bytes only where the
    // previous frame ended or where the sliding scan first reaches them.
    static constexpr std::uint64_t kTailZone = 100;
    // Frames in a row that confirm a header after lost sync, and a change of
    // the stream's rate.
    static constexpr int kConfirmRun = 2;
    static constexpr int kChangeRun = 3;

    // `format` is the stream's first frame, as the set-up found it, and
    // `freeFormatLength` a free-format stream's frame length without padding.
    // A `meter` measures the decoded samples here, beside the encoding side.
    FrameProducer(SourceWindow& window, FrameDecoder& decoder, StreamEventQueue& queue, std::uint64_t start,
                  const MpegFrameHeader& format, std::uint32_t freeFormatLength = 0, LoudnessMeter* meter = nullptr);

    // Walks until the stream ends, the walk fails or the queue is cancelled.
    void Run();

private:
    std::optional<MpegFrameHeader> NextFrame(FrameChain& chain, std::uint64_t& offset);
    bool Acceptable(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header);
    bool AcceptableChange(std::uint64_t offset, const MpegFrameHeader& header);
    bool TakeNewKind(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header);
    std::uint64_t TagAt(std::uint64_t offset, const EngineText*& kind);
    bool FrameOrEndAt(std::uint64_t offset);
    bool PublishSkipped(std::uint64_t from, std::uint64_t to);
    bool PublishRun(std::uint64_t from, std::uint64_t to, const EngineText* tag);
    bool PublishChange(std::uint64_t offset, const MpegFrameHeader& header, bool newLayer);
    bool PublishDrained(std::uint64_t end);
    void PublishEnd(StreamEvent::Kind kind);

    SourceWindow& m_window;
    FrameDecoder& m_decoder;
    StreamEventQueue& m_queue;
    std::uint64_t m_start;
    std::uint32_t m_freeFormatLength;
    LoudnessMeter* m_meter;
    MpegFrameHeader m_stream;          // the version, rate and channels frames now have
    bool m_inSync = false;             // the next frame is expected where the last one ended
    std::uint32_t m_changeLength = 0;  // the free-format length measured for a change just accepted
    struct Tag {
        std::uint64_t start;
        std::uint64_t end;
        const EngineText* kind;
    };
    std::vector<Tag> m_tags;  // tags inside the run of bytes being skipped (files joined with theirs)
    bool m_readFailed = false;
};
