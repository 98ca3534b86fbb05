// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "encoder/BeConfig.h"

// One stream of the loaded encoder library, closed on destruction. encode()
// feeds PCM in chunks of the size the start returned and collects the bytes;
// every call's output is checked to stay inside the announced buffer size.
class EncoderStream {
public:
    // A LAME record for constant bitrate with every other field 0.
    static be::Config record(std::uint32_t sampleRate, std::int32_t mode, std::uint32_t bitrate);

    explicit EncoderStream(be::Config config);
    EncoderStream(const EncoderStream&) = delete;
    EncoderStream& operator=(const EncoderStream&) = delete;
    ~EncoderStream();

    std::uint32_t startResult() const { return startResult_; }
    bool started() const { return startResult_ == be::kErrSuccessful; }
    std::uint32_t samples() const { return samples_; }
    std::uint32_t bufferSize() const { return bufferSize_; }
    be::StreamHandle handle() const { return handle_; }

    // Encodes the values in chunks of `chunk` values (0: the stream's own).
    void encode(const std::vector<std::int16_t>& pcm, std::uint32_t chunk = 0);
    // Flushes the stream and appends the last frames.
    void finish();
    void close();

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    void encodeChunk(const std::int16_t* pcm, std::uint32_t values);

    std::uint32_t startResult_ = 0;
    std::uint32_t samples_ = 0;
    std::uint32_t bufferSize_ = 0;
    be::StreamHandle handle_ = 0;
    std::vector<std::uint8_t> bytes_;
};
