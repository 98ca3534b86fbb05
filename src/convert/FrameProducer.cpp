// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FrameProducer.h"

#include "convert/FrameChain.h"
#include "convert/FrameDecoder.h"
#include "convert/LoudnessMeter.h"
#include "convert/SourceWindow.h"
#include "convert/StreamEventQueue.h"

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
            if (PublishDrained())
                PublishEnd(StreamEvent::Kind::End);
            return;
        }
        if ((header->sampleRate != stream_.sampleRate || header->channels != stream_.channels)
            && !PublishChange(offset, *header))
            return;
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
        if (offset + kTailZone >= window_.End())
            return std::nullopt;
        ++offset;
    }
}

bool FrameProducer::Acceptable(FrameChain& chain, std::uint64_t offset, const MpegFrameHeader& header) const
{
    if (header.layer != stream_.layer || header.FreeFormat() != stream_.FreeFormat()
        || !(header.Usable() || header.FreeFormat()))
        return false;
    const bool sameRate = header.version == stream_.version && header.sampleRate == stream_.sampleRate;
    if (sameRate && inSync_)
        return chain.Length(offset, header) != 0;
    const int wanted = sameRate ? kConfirmRun : kChangeRun;
    const FrameChain::Run run = chain.Follow(offset, header, wanted);
    return run.frames == wanted || (sameRate && run.reachesEnd);
}

bool FrameProducer::PublishSkipped(std::uint64_t from, std::uint64_t to)
{
    if (to <= from)
        return true;
    StreamEvent* event = queue_.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::Skipped;
    event->offset = from;
    event->skipped = to - from;
    queue_.Publish();
    return true;
}

bool FrameProducer::PublishChange(std::uint64_t offset, const MpegFrameHeader& header)
{
    StreamEvent* event = queue_.NextFree();
    if (event == nullptr)
        return false;
    event->kind = StreamEvent::Kind::FormatChanged;
    event->offset = offset;
    event->sampleRate = header.sampleRate;
    event->channels = header.channels;
    queue_.Publish();
    return true;
}

// PCM the decoder still holds once the last frame was fed.
bool FrameProducer::PublishDrained()
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
        event->end = window_.End();
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
