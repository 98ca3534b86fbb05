#pragma once

#include <cstddef>
#include <cstdint>

struct mpg123_handle_struct;

// Decodes MPEG audio frames, fed one whole frame at a time in stream order,
// into interleaved 16-bit PCM in the machine's byte order. The bit
// reservoir is kept from one frame to the next.
class FrameDecoder {
public:
    static constexpr int Decoded = 0;
    static constexpr int NeedMore = 1;
    static constexpr int Error = -1;
    // The least output capacity a decode call accepts: one two-channel
    // MPEG-1 frame.
    static constexpr std::size_t kMinCapacity = 4608;

    // `channels` is the channel count the output always has (1 or 2).
    explicit FrameDecoder(int channels);
    ~FrameDecoder();
    FrameDecoder(const FrameDecoder&) = delete;
    FrameDecoder& operator=(const FrameDecoder&) = delete;

    // Decoded: one frame was decoded and `produced` holds the PCM byte count.
    // NeedMore: nothing was written. Error: a broken frame, or a capacity
    // below kMinCapacity.
    int Decode(const std::uint8_t* input, std::size_t length, std::uint8_t* output, std::size_t capacity,
               std::size_t& produced);

private:
    mpg123_handle_struct* handle_ = nullptr;
};
