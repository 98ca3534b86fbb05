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
    startResult_ = EncoderLibrary::shared().init(&config, &samples_, &bufferSize_, &handle_);
}

EncoderStream::~EncoderStream()
{
    close();
}

void EncoderStream::close()
{
    if (handle_ != 0) {
        EncoderLibrary::shared().close(handle_);
        handle_ = 0;
    }
}

void EncoderStream::encode(const std::vector<std::int16_t>& pcm, std::uint32_t chunk)
{
    const std::uint32_t step = chunk != 0 ? chunk : samples_;
    for (std::size_t offset = 0; offset < pcm.size(); offset += step) {
        const auto values = static_cast<std::uint32_t>(std::min<std::size_t>(step, pcm.size() - offset));
        encodeChunk(pcm.data() + offset, values);
    }
}

void EncoderStream::encodeChunk(const std::int16_t* pcm, std::uint32_t values)
{
    std::vector<std::uint8_t> out(bufferSize_ + kGuardBytes, kGuardValue);
    std::uint32_t written = 0xFFFFFFFFu;
    EXPECT_EQ(EncoderLibrary::shared().encode(handle_, values, pcm, out.data(), &written), be::kErrSuccessful);
    ASSERT_LE(written, bufferSize_);
    EXPECT_TRUE(guardIntact(out, bufferSize_)) << "wrote past the announced buffer size";
    bytes_.insert(bytes_.end(), out.begin(), out.begin() + written);
}

void EncoderStream::finish()
{
    std::vector<std::uint8_t> out(be::kDeinitOutputSize + kGuardBytes, kGuardValue);
    std::uint32_t written = 0xFFFFFFFFu;
    EXPECT_EQ(EncoderLibrary::shared().deinit(handle_, out.data(), &written), be::kErrSuccessful);
    ASSERT_LE(written, be::kDeinitOutputSize);
    EXPECT_TRUE(guardIntact(out, be::kDeinitOutputSize)) << "flush wrote past its buffer";
    bytes_.insert(bytes_.end(), out.begin(), out.begin() + written);
}
