// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncoderStream.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "EncoderLibrary.h"

namespace {

constexpr std::size_t kGuardBytes = 64;
constexpr std::uint8_t kGuardValue = 0xA5;

bool guardIntact(const std::vector<std::uint8_t>& buffer, std::size_t from)
{
    return std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(from), buffer.end(),
                       [](std::uint8_t byte) { return byte == kGuardValue; });
}

}  // namespace

be::Config EncoderStream::record(std::uint32_t sampleRate, std::int32_t mode, std::uint32_t bitrate)
{
    be::Config config{};
    config.format = be::kConfigLame;
    config.version = be::kConfigVersion;
    config.size = be::kConfigSize;
    config.sampleRate = sampleRate;
    config.mode = mode;
    config.bitrate = bitrate;
    config.preset = be::kPresetCbr;
    config.mpegVersion = be::kMpeg1;
    return config;
}

EncoderStream::EncoderStream(be::Config config)
{
    m_startResult = EncoderLibrary::shared().init(&config, &m_samples, &m_bufferSize, &m_handle);
}

EncoderStream::~EncoderStream()
{
    close();
}

void EncoderStream::close()
{
    if (m_handle != 0) {
        EncoderLibrary::shared().close(m_handle);
        m_handle = 0;
    }
}

void EncoderStream::encode(const std::vector<std::int16_t>& pcm, std::uint32_t chunk)
{
    const std::uint32_t step = chunk != 0 ? chunk : m_samples;
    for (std::size_t offset = 0; offset < pcm.size(); offset += step) {
        const auto values = static_cast<std::uint32_t>(std::min<std::size_t>(step, pcm.size() - offset));
        encodeChunk(pcm.data() + offset, values);
    }
}

void EncoderStream::encodeChunk(const std::int16_t* pcm, std::uint32_t values)
{
    std::vector<std::uint8_t> out(m_bufferSize + kGuardBytes, kGuardValue);
    std::uint32_t written = 0xFFFFFFFFu;
    EXPECT_EQ(EncoderLibrary::shared().encode(m_handle, values, pcm, out.data(), &written), be::kErrSuccessful);
    ASSERT_LE(written, m_bufferSize);
    EXPECT_TRUE(guardIntact(out, m_bufferSize)) << "wrote past the announced buffer size";
    m_bytes.insert(m_bytes.end(), out.begin(), out.begin() + written);
}

void EncoderStream::finish()
{
    std::vector<std::uint8_t> out(be::kDeinitOutputSize + kGuardBytes, kGuardValue);
    std::uint32_t written = 0xFFFFFFFFu;
    EXPECT_EQ(EncoderLibrary::shared().deinit(m_handle, out.data(), &written), be::kErrSuccessful);
    ASSERT_LE(written, be::kDeinitOutputSize);
    EXPECT_TRUE(guardIntact(out, be::kDeinitOutputSize)) << "flush wrote past its buffer";
    m_bytes.insert(m_bytes.end(), out.begin(), out.begin() + written);
}
