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

    std::uint32_t startResult() const { return m_startResult; }
    bool started() const { return m_startResult == be::kErrSuccessful; }
    std::uint32_t samples() const { return m_samples; }
    std::uint32_t bufferSize() const { return m_bufferSize; }
    be::StreamHandle handle() const { return m_handle; }

    // Encodes the values in chunks of `chunk` values (0: the stream's own).
    void encode(const std::vector<std::int16_t>& pcm, std::uint32_t chunk = 0);
    // Flushes the stream and appends the last frames.
    void finish();
    void close();

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    void encodeChunk(const std::int16_t* pcm, std::uint32_t values);

    std::uint32_t m_startResult = 0;
    std::uint32_t m_samples = 0;
    std::uint32_t m_bufferSize = 0;
    be::StreamHandle m_handle = 0;
    std::vector<std::uint8_t> m_bytes;
};
