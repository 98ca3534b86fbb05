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
    : m_window(window),
      m_decoder(decoder),
      m_queue(queue),
      m_start(start),
      m_freeFormatLength(freeFormatLength),
      m_meter(meter),
      m_stream(format)
{
}

void FrameProducer::Run()
{
    FrameChain chain(m_window, m_freeFormatLength);
    std::uint64_t offset = m_start;
    for (;;) {
        const std::uint64_t from = offset;
        const std::optional<MpegFrameHeader> header = NextFrame(chain, offset);
        if (m_readFailed || chain.ReadFailed())
            return PublishEnd(StreamEvent::Kind::ReadFailed);
        if (!PublishSkipped(from, header ? offset : m_window.End()))
            return;
        if (!header) {
            if (PublishDrained(m_window.End()))
                PublishEnd(StreamEvent::Kind::End);
            return;
        }
        const bool newLayer = header->layer != m_stream.layer || header->FreeFormat() != m_stream.FreeFormat()
            || (header->FreeFormat() && m_changeLength != 0);
        if ((newLayer || header->sampleRate != m_stream.sampleRate || header->channels != m_stream.channels)
            && !PublishChange(offset, *header, newLayer))
            return;
        if (newLayer && !TakeNewKind(chain, offset, *header))
            return;
        m_changeLength = 0;
        m_stream = *header;

        StreamEvent* event = m_queue.NextFree();
        if (event == nullptr)
            return;
        const std::uint32_t length = chain.Length(offset, *header);
        const std::uint8_t* frame = m_window.Bytes(offset, length);
        if (frame == nullptr) {
            event->kind = StreamEvent::Kind::ReadFailed;
            m_queue.Publish();
            return;
        }
        event->kind = StreamEvent::Kind::Frame;
        event->length = length;
        event->end = offset + length;
        std::size_t produced = 0;
        const int decoded = m_decoder.Decode(frame, length, reinterpret_cast<std::uint8_t*>(event->pcm.data()),
                                             StreamEvent::kPcmCapacity, produced);
        event->produced = decoded == FrameDecoder::Decoded ? produced : 0;
        if (m_meter != nullptr)
            m_meter->Add(event->pcm.data(), event->produced);
        offset = event->end;
        m_inSync = true;
        m_queue.Publish();
    }
}

// Moves `offset` to the next frame of the stream. Empty when there is none
// (or the source could not be read).
std::optional<MpegFrameHeader> FrameProducer::NextFrame(FrameChain& chain, std::uint64_t& offset)
{
    for (;;) {
        const std::uint8_t* bytes = m_window.Bytes(offset, 4);
        if (bytes == nullptr) {
            m_readFailed = true;
            return std::nullopt;
        }
        if (MpegFrameHeader::HasSync(bytes)) {
            const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
            if (header && Acceptable(chain, offset, *header))
                return header;
            if (chain.ReadFailed())
                return std::nullopt;
        }
        m_inSync = false;
        // A tag of a file joined to the stream is stepped over whole: a
        // picture in it could hold what looks like frames.
        const EngineText* kind = nullptr;
        if (const std::uint64_t length = TagAt(offset, kind); length > 0 && FrameOrEndAt(offset + length)) {
            const std::uint64_t end = std::min(offset + length, m_window.End());
            m_tags.push_back({offset, end, kind});
            offset = end;
            if (offset >= m_window.End())
                return std::nullopt;
            continue;
        }
        if (offset + kTailZone >= m_window.End())
            return std::nullopt;
        ++offset;
    }
}

bool FrameProducer::Acceptable(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header)
{
    m_changeLength = 0;
    if (!(header.Usable() || header.FreeFormat()))
        return false;
    const bool sameStream = header.SameStreamAs(m_stream) && header.FreeFormat() == m_stream.FreeFormat();
    if (sameStream && m_inSync && chain.Length(offset, header) != 0)
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
    FrameChain probe(m_window);
    const FrameChain::Run run = probe.Follow(offset, header, kChangeRun);
    if (probe.ReadFailed()) {
        m_readFailed = true;
        return false;
    }
    // Right where the last frame ended no junk can be mistaken for a
    // change: there a shorter run will do, and a last part that fills the
    // stream to its end.
    const bool enough = run.frames == kChangeRun || (m_inSync && (run.frames >= kConfirmRun || run.reachesEnd));
    if (!enough)
        return false;
    m_changeLength = header.FreeFormat() ? probe.FreeFormatLength() : 0;
    return true;
}

// The stream goes on as another kind: what the decoder still holds is handed
// on first, then it starts anew with the new part's free-format length.
bool FrameProducer::TakeNewKind(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header)
{
    if (!PublishDrained(offset))
        return false;
    const std::uint32_t length = header.FreeFormat() ? m_changeLength : 0;
    chain.SetFreeFormatLength(length);
    m_decoder.Restart(length > 4 ? length - 4 : 0);
    return true;
}

// The length of the ID3v2, ID3v1 or APE tag at `offset`, 0 when there is none.
std::uint64_t FrameProducer::TagAt(std::uint64_t offset, const EngineText*& kind)
{
    if (offset + 32 > m_window.End())
        return 0;
    const std::uint8_t* bytes = m_window.Bytes(offset, 32);
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
    if (offset >= m_window.End())
        return true;
    const std::uint8_t* bytes = m_window.Bytes(offset, 4);
    if (bytes != nullptr && MpegFrameHeader::HasSync(bytes))
        return true;
    const EngineText* kind = nullptr;
    return TagAt(offset, kind) > 0;
}

// A run of skipped bytes, the tags in it told apart from junk.
bool FrameProducer::PublishSkipped(std::uint64_t from, std::uint64_t to)
{
    for (const Tag& tag : m_tags) {
        if (tag.start < from || tag.end > to)
            continue;
        if (!PublishRun(from, tag.start, nullptr) || !PublishRun(tag.start, tag.end, tag.kind))
            return false;
        from = tag.end;
    }
    m_tags.clear();
    return PublishRun(from, to, nullptr);
}

bool FrameProducer::PublishRun(std::uint64_t from, std::uint64_t to, const EngineText* tag)
{
    if (to <= from)
        return true;
    StreamEvent* event = m_queue.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::Skipped;
    event->offset = from;
    event->skipped = to - from;
    event->tag = tag;
    m_queue.Publish();
    return true;
}

bool FrameProducer::PublishChange(std::uint64_t offset, const MpegFrameHeader& header, bool newLayer)
{
    StreamEvent* event = m_queue.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::FormatChanged;
    event->offset = offset;
    event->sampleRate = header.sampleRate;
    event->channels = header.channels;
    event->layer = header.layer;
    event->freeFormat = header.FreeFormat();
    event->newLayer = newLayer;
    event->newRate = header.sampleRate != m_stream.sampleRate || header.channels != m_stream.channels;
    m_queue.Publish();
    return true;
}

// PCM the decoder still holds once the last frame was fed.
bool FrameProducer::PublishDrained(std::uint64_t end)
{
    for (;;) {
        StreamEvent* event = m_queue.NextFree();
        if (event == nullptr)
            return false;
        std::size_t produced = 0;
        m_decoder.Decode(nullptr, 0, reinterpret_cast<std::uint8_t*>(event->pcm.data()), StreamEvent::kPcmCapacity,
                         produced);
        if (produced == 0)
            return true;
        event->kind = StreamEvent::Kind::Frame;
        event->length = 0;
        event->end = end;
        event->produced = produced;
        if (m_meter != nullptr)
            m_meter->Add(event->pcm.data(), event->produced);
        m_queue.Publish();
    }
}

void FrameProducer::PublishEnd(StreamEvent::Kind kind)
{
    StreamEvent* event = m_queue.NextFree();
    if (event == nullptr)
        return;
    event->kind = kind;
    m_queue.Publish();
}
