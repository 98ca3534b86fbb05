#pragma once

#include <cstdint>

class FrameDecoder;
class SourceWindow;
class StreamEventQueue;

// The reading side of a conversion: walks the source from frame sync to
// frame sync, decodes each Layer III frame and queues the steps of the walk
// for the encoding side, ahead of it by as many steps as the queue holds.
class FrameProducer {
public:
    // A header is looked for in the stream's last bytes only where the
    // previous frame ended or where the sliding scan first reaches them.
    static constexpr std::uint64_t kTailZone = 100;

    FrameProducer(SourceWindow& window, FrameDecoder& decoder, StreamEventQueue& queue, std::uint64_t start,
                  std::uint64_t sourceSize);

    // Walks until the stream ends, the walk fails or the queue is cancelled.
    void Run();

private:
    bool FindSync(std::uint64_t& offset, const std::uint8_t*& bytes);

    SourceWindow& window_;
    FrameDecoder& decoder_;
    StreamEventQueue& queue_;
    std::uint64_t start_;
    std::uint64_t sourceSize_;
};
