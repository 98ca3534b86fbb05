#include "convert/FrameProducer.h"

#include "convert/FrameDecoder.h"
#include "convert/MpegFrameHeader.h"
#include "convert/SourceWindow.h"
#include "convert/StreamEventQueue.h"

#include <optional>

FrameProducer::FrameProducer(SourceWindow& window, FrameDecoder& decoder, StreamEventQueue& queue,
                             std::uint64_t start, std::uint64_t sourceSize)
    : window_(window), decoder_(decoder), queue_(queue), start_(start), sourceSize_(sourceSize)
{
}

void FrameProducer::Run()
{
    std::uint64_t offset = start_;
    for (;;) {
        StreamEvent* event = queue_.NextFree();
        if (event == nullptr)
            return;
        const std::uint8_t* bytes = nullptr;
        if (!FindSync(offset, bytes)) {
            event->kind = bytes == nullptr ? StreamEvent::Kind::ReadFailed : StreamEvent::Kind::End;
            queue_.Publish();
            return;
        }
        const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
        if (!header || !header->IsLayer3()) {
            event->kind = StreamEvent::Kind::NotLayer3;
            queue_.Publish();
            ++offset;
            continue;
        }
        if (!header->Usable()) {
            ++offset;  // not a step of its own: the slot stays free
            continue;
        }
        if (header->frameLength > sourceSize_) {
            event->kind = StreamEvent::Kind::FrameTooLarge;
            queue_.Publish();
            return;
        }
        const std::uint8_t* frame = window_.Bytes(offset, header->frameLength);
        if (frame == nullptr) {
            event->kind = StreamEvent::Kind::ReadFailed;
            queue_.Publish();
            return;
        }
        event->kind = StreamEvent::Kind::Frame;
        event->length = header->frameLength;
        event->end = offset + header->frameLength;
        event->last = event->end >= window_.End();
        std::size_t produced = 0;
        const int decoded = decoder_.Decode(frame, header->frameLength, reinterpret_cast<std::uint8_t*>(event->pcm.data()),
                                            StreamEvent::kPcmCapacity, produced);
        event->produced = decoded == FrameDecoder::Decoded ? produced : 0;
        const bool last = event->last;
        offset = event->end;
        queue_.Publish();
        if (last)
            return;
    }
}

// Moves `offset` to the next frame sync. False when there is none: `bytes`
// is then nullptr if the source could not be read, else the stream is over.
bool FrameProducer::FindSync(std::uint64_t& offset, const std::uint8_t*& bytes)
{
    for (;;) {
        bytes = window_.Bytes(offset, 4);
        if (bytes == nullptr)
            return false;
        if (MpegFrameHeader::HasSync(bytes))
            return true;
        if (offset + kTailZone >= window_.End())
            return false;
        ++offset;
    }
}
