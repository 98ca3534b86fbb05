// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

struct mpg123_handle_struct;

// Decodes MPEG audio frames, fed one whole frame at a time in stream order,
// into interleaved 16-bit PCM in the machine's byte order. The bit
// reservoir is kept from one frame to the next. A leading Xing/Info frame is
// read, not decoded, and its encoder delay and padding are trimmed from the
// PCM. The output keeps the first frame's rate and channel count: later
// frames of another rate are resampled, of other channels mixed.
class FrameDecoder {
public:
    static constexpr int Decoded = 0;
    static constexpr int NeedMore = 1;
    static constexpr int Error = -1;
    // The least output capacity a decode call accepts: one two-channel
    // MPEG-1 frame.
    static constexpr std::size_t kMinCapacity = 4608;

    // `sampleRate` and `channels` (1 or 2) are the output's. For a
    // free-format stream `freeFormatLength` is its frame length without
    // padding, so no frame waits for the next one to be measured.
    FrameDecoder(int sampleRate, int channels, std::uint32_t freeFormatLength = 0);
    ~FrameDecoder();
    FrameDecoder(const FrameDecoder&) = delete;
    FrameDecoder& operator=(const FrameDecoder&) = delete;

    // Starts a new stream of another layer or frame length, after the PCM
    // still held back was taken: the same output format, a Xing/Info frame
    // at its start read as such.
    void Restart(std::uint32_t freeFormatLength);

    // Decoded: one frame was decoded and `produced` holds the PCM byte count.
    // NeedMore: nothing was written. Error: a broken frame, or a capacity
    // below kMinCapacity. With no input, hands out PCM still held back.
    int Decode(const std::uint8_t* input, std::size_t length, std::uint8_t* output, std::size_t capacity,
               std::size_t& produced);

private:
    mpg123_handle_struct* m_handle = nullptr;
};
