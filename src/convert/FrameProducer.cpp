// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FrameProducer.h"

#include "convert/FrameChain.h"
#include "convert/FrameDecoder.h"
#include "convert/LoudnessMeter.h"
#include "convert/SourceWindow.h"
#include "convert/StreamEventQueue.h"
#include "convert/TagCarryOver.h"

#include <algorithm>
#include <cstring>

FrameProducer::FrameProducer(SourceWindow& window, FrameDecoder& decoder, StreamEventQueue& queue, std::uint64_t start,
                             const MpegFrameHeader& format, std::uint32_t freeFormatLength, LoudnessMeter* meter)
    : window_(window),
      decoder_(decoder),
      queue_(queue),
      start_(start),
      freeFormatLength_(freeFormatLength),
      meter_(meter),
      stream_(format)
{
}

void FrameProducer::Run()
{
    FrameChain chain(window_, freeFormatLength_);
    std::uint64_t offset = start_;
    for (;;) {
        const std::uint64_t from = offset;
        const std::optional<MpegFrameHeader> header = NextFrame(chain, offset);
        if (readFailed_ || chain.ReadFailed())
            return PublishEnd(StreamEvent::Kind::ReadFailed);
        if (!PublishSkipped(from, header ? offset : window_.End()))
            return;
        if (!header) {
            if (PublishDrained(window_.End()))
                PublishEnd(StreamEvent::Kind::End);
            return;
        }
        const bool newLayer = header->layer != stream_.layer || header->FreeFormat() != stream_.FreeFormat()
            || (header->FreeFormat() && changeLength_ != 0);
        if ((newLayer || header->sampleRate != stream_.sampleRate || header->channels != stream_.channels)
            && !PublishChange(offset, *header, newLayer))
            return;
        if (newLayer && !TakeNewKind(chain, offset, *header))
            return;
        changeLength_ = 0;
        stream_ = *header;

        StreamEvent* event = queue_.NextFree();
        if (event == nullptr)
            return;
        const std::uint32_t length = chain.Length(offset, *header);
        const std::uint8_t* frame = window_.Bytes(offset, length);
        if (frame == nullptr) {
            event->kind = StreamEvent::Kind::ReadFailed;
            queue_.Publish();
            return;
        }
        event->kind = StreamEvent::Kind::Frame;
        event->length = length;
        event->end = offset + length;
        std::size_t produced = 0;
        const int decoded = decoder_.Decode(frame, length, reinterpret_cast<std::uint8_t*>(event->pcm.data()),
                                            StreamEvent::kPcmCapacity, produced);
        event->produced = decoded == FrameDecoder::Decoded ? produced : 0;
        if (meter_ != nullptr)
            meter_->Add(event->pcm.data(), event->produced);
        offset = event->end;
        inSync_ = true;
        queue_.Publish();
    }
}

// Moves `offset` to the next frame of the stream. Empty when there is none
// (or the source could not be read).
std::optional<MpegFrameHeader> FrameProducer::NextFrame(FrameChain& chain, std::uint64_t& offset)
{
    for (;;) {
        const std::uint8_t* bytes = window_.Bytes(offset, 4);
        if (bytes == nullptr) {
            readFailed_ = true;
            return std::nullopt;
        }
        if (MpegFrameHeader::HasSync(bytes)) {
            const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
            if (header && Acceptable(chain, offset, *header))
                return header;
            if (chain.ReadFailed())
                return std::nullopt;
        }
        inSync_ = false;
        // A tag of a file joined to the stream is stepped over whole: a
        // picture in it could hold what looks like frames.
        const EngineText* kind = nullptr;
        if (const std::uint64_t length = TagAt(offset, kind); length > 0 && FrameOrEndAt(offset + length)) {
            const std::uint64_t end = std::min(offset + length, window_.End());
            tags_.push_back({offset, end, kind});
            offset = end;
            if (offset >= window_.End())
                return std::nullopt;
            continue;
        }
        if (offset + kTailZone >= window_.End())
            return std::nullopt;
        ++offset;
    }
}

bool FrameProducer::Acceptable(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header)
{
    changeLength_ = 0;
    if (!(header.Usable() || header.FreeFormat()))
        return false;
    const bool sameStream = header.SameStreamAs(stream_) && header.FreeFormat() == stream_.FreeFormat();
    if (sameStream && inSync_ && chain.Length(offset, header) != 0)
        return true;
    if (sameStream) {
        const FrameChain::Run run = chain.Follow(offset, header, kConfirmRun);
        if (run.frames == kConfirmRun || run.reachesEnd)
            return true;
        if (!header.FreeFormat() || chain.ReadFailed())
            return false;
        // Free format again, but maybe of another frame length.
    }
    return AcceptableChange(offset, header);
}

// Another layer, rate or channel count, a change to or from free format, or
// free format of another length: a longer run of frames must confirm it,
// with a free-format length measured anew.
bool FrameProducer::AcceptableChange(std::uint64_t offset, const MpegFrameHeader& header)
{
    FrameChain probe(window_);
    const FrameChain::Run run = probe.Follow(offset, header, kChangeRun);
    if (probe.ReadFailed()) {
        readFailed_ = true;
        return false;
    }
    // Right where the last frame ended no junk can be mistaken for a
    // change: there a shorter run will do, and a last part that fills the
    // stream to its end.
    const bool enough = run.frames == kChangeRun || (inSync_ && (run.frames >= kConfirmRun || run.reachesEnd));
    if (!enough)
        return false;
    changeLength_ = header.FreeFormat() ? probe.FreeFormatLength() : 0;
    return true;
}

// The stream goes on as another kind: what the decoder still holds is handed
// on first, then it starts anew with the new part's free-format length.
bool FrameProducer::TakeNewKind(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header)
{
    if (!PublishDrained(offset))
        return false;
    const std::uint32_t length = header.FreeFormat() ? changeLength_ : 0;
    chain.SetFreeFormatLength(length);
    decoder_.Restart(length > 4 ? length - 4 : 0);
    return true;
}

// The length of the ID3v2, ID3v1 or APE tag at `offset`, 0 when there is none.
std::uint64_t FrameProducer::TagAt(std::uint64_t offset, const EngineText*& kind)
{
    if (offset + 32 > window_.End())
        return 0;
    const std::uint8_t* bytes = window_.Bytes(offset, 32);
    if (bytes == nullptr)
        return 0;  // the next read reports it
    if (const std::uint32_t length = TagCarryOver::Id3v2Length(bytes);
        length > 0 && bytes[3] >= 2 && bytes[3] <= 4 && (bytes[6] | bytes[7] | bytes[8] | bytes[9]) < 0x80) {
        static constexpr EngineText kId3v2
            = ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 are an ID3v2 tag, skipped");
        kind = &kId3v2;
        return length;
    }
    if (std::memcmp(bytes, "APETAGEX", 8) == 0) {
        static constexpr EngineText kApe
            = ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 are an APE tag, skipped");
        kind = &kApe;
        return std::uint64_t{TagCarryOver::LittleEndian(bytes + 12)} + 32;  // the header, then items and footer
    }
    if (std::memcmp(bytes, "TAG", 3) == 0) {
        static constexpr EngineText kId3v1
            = ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 are an ID3v1 tag, skipped");
        kind = &kId3v1;
        return 128;
    }
    return 0;
}

// A tag counts as one only where a frame, another tag or the stream's end
// follows it.
bool FrameProducer::FrameOrEndAt(std::uint64_t offset)
{
    if (offset >= window_.End())
        return true;
    const std::uint8_t* bytes = window_.Bytes(offset, 4);
    if (bytes != nullptr && MpegFrameHeader::HasSync(bytes))
        return true;
    const EngineText* kind = nullptr;
    return TagAt(offset, kind) > 0;
}

// A run of skipped bytes, the tags in it told apart from junk.
bool FrameProducer::PublishSkipped(std::uint64_t from, std::uint64_t to)
{
    for (const Tag& tag : tags_) {
        if (tag.start < from || tag.end > to)
            continue;
        if (!PublishRun(from, tag.start, nullptr) || !PublishRun(tag.start, tag.end, tag.kind))
            return false;
        from = tag.end;
    }
    tags_.clear();
    return PublishRun(from, to, nullptr);
}

bool FrameProducer::PublishRun(std::uint64_t from, std::uint64_t to, const EngineText* tag)
{
    if (to <= from)
        return true;
    StreamEvent* event = queue_.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::Skipped;
    event->offset = from;
    event->skipped = to - from;
    event->tag = tag;
    queue_.Publish();
    return true;
}

bool FrameProducer::PublishChange(std::uint64_t offset, const MpegFrameHeader& header, bool newLayer)
{
    StreamEvent* event = queue_.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::FormatChanged;
    event->offset = offset;
    event->sampleRate = header.sampleRate;
    event->channels = header.channels;
    event->layer = header.layer;
    event->freeFormat = header.FreeFormat();
    event->newLayer = newLayer;
    event->newRate = header.sampleRate != stream_.sampleRate || header.channels != stream_.channels;
    queue_.Publish();
    return true;
}

// PCM the decoder still holds once the last frame was fed.
bool FrameProducer::PublishDrained(std::uint64_t end)
{
    for (;;) {
        StreamEvent* event = queue_.NextFree();
        if (event == nullptr)
            return false;
        std::size_t produced = 0;
        decoder_.Decode(nullptr, 0, reinterpret_cast<std::uint8_t*>(event->pcm.data()), StreamEvent::kPcmCapacity,
                        produced);
        if (produced == 0)
            return true;
        event->kind = StreamEvent::Kind::Frame;
        event->length = 0;
        event->end = end;
        event->produced = produced;
        if (meter_ != nullptr)
            meter_->Add(event->pcm.data(), event->produced);
        queue_.Publish();
    }
}

void FrameProducer::PublishEnd(StreamEvent::Kind kind)
{
    StreamEvent* event = queue_.NextFree();
    if (event == nullptr)
        return;
    event->kind = kind;
    queue_.Publish();
}
