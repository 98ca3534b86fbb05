// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The stream interface of the encoder library: the configuration record, the
// four stream entry points and the Info-frame entry point, as the program and
// the library both see them.

namespace be {

constexpr std::uint32_t kConfigLame = 256;  // record format: LAME
constexpr std::uint32_t kConfigVersion = 1;
constexpr std::uint32_t kConfigSize = 331;

constexpr std::int32_t kModeStereo = 0;
constexpr std::int32_t kModeJointStereo = 1;
constexpr std::int32_t kModeDualChannel = 2;
constexpr std::int32_t kModeMono = 3;

constexpr std::int32_t kPresetCbr = 12;

// vbrMethod values of a record with enableVbr set: LAME's default variable
// bitrate (quality vbrQuality, 0 best to 9) and its average bitrate
// (abrBitrate, in bit/s).
constexpr std::int32_t kVbrMethodMtrh = 3;
constexpr std::int32_t kVbrMethodAbr = 4;
constexpr std::int32_t kVbrQualityBest = 0;
constexpr std::int32_t kVbrQualityLeast = 9;
constexpr std::uint32_t kMpeg1 = 1;

constexpr std::uint32_t kErrSuccessful = 0;
constexpr std::uint32_t kErrInvalidFormat = 1;
constexpr std::uint32_t kErrInvalidFormatParameters = 2;
constexpr std::uint32_t kErrNoMoreHandles = 3;
constexpr std::uint32_t kErrInvalidHandle = 4;
// The stream refused an encode or flush call: a missing buffer or count
// address, a stream already flushed, or a failure inside the encoder.
constexpr std::uint32_t kErrEncodeFailed = 5;

// Room, in bytes, that the output address of beDeinitStream must offer:
// the flush writes the last frames and can produce up to this many bytes.
constexpr std::uint32_t kDeinitOutputSize = 7200;
// Room that beWriteInfoTag's output must offer: one frame at the largest
// bitrate and lowest rate of MPEG-1 Layer III, with padding.
constexpr std::uint32_t kInfoTagOutputSize = 2880;

#pragma pack(push, 1)
struct Config {
    std::uint32_t format;          // 0
    std::uint32_t version;         // 4
    std::uint32_t size;            // 8
    std::uint32_t sampleRate;      // 12  input sample rate, Hz
    std::uint32_t reSampleRate;    // 16  output sample rate, 0: encoder decides
    std::int32_t mode;             // 20
    std::uint32_t bitrate;         // 24  kbit/s
    std::uint32_t maxBitrate;      // 28
    std::int32_t preset;           // 32
    std::uint32_t mpegVersion;     // 36
    std::uint32_t psyModel;        // 40
    std::uint32_t emphasis;        // 44
    std::uint32_t privateBit;      // 48
    std::uint32_t crc;             // 52
    std::uint32_t copyright;       // 56
    std::uint32_t original;        // 60
    std::uint32_t writeVbrHeader;  // 64
    std::uint32_t enableVbr;       // 68  0: constant `bitrate`; else by vbrMethod
    std::int32_t vbrQuality;       // 72  kVbrMethodMtrh: 0 (best) to 9
    std::uint32_t abrBitrate;      // 76  kVbrMethodAbr: the average, bit/s
    std::int32_t vbrMethod;        // 80
    std::uint32_t noBitReservoir;  // 84
    std::uint32_t strictIso;       // 88
    std::uint16_t quality;         // 92
    std::uint8_t reserved[237];    // 94
};
#pragma pack(pop)

static_assert(sizeof(Config) == kConfigSize, "the record is 331 bytes, packed");
static_assert(offsetof(Config, quality) == 92);
static_assert(offsetof(Config, reserved) == 94);

using StreamHandle = std::uint32_t;

// Entry point signatures, C linkage, exported by the library under these names.
using InitStreamFn
    = std::uint32_t (*)(Config* config, std::uint32_t* samples, std::uint32_t* bufferSize, StreamHandle* stream);
using EncodeChunkFn = std::uint32_t (*)(StreamHandle stream, std::uint32_t samples, const std::int16_t* pcm,
                                        std::uint8_t* output, std::uint32_t* written);
using DeinitStreamFn = std::uint32_t (*)(StreamHandle stream, std::uint8_t* output, std::uint32_t* written);
using CloseStreamFn = std::uint32_t (*)(StreamHandle stream);
using WriteInfoTagFn
    = std::uint32_t (*)(StreamHandle stream, std::uint8_t* output, std::uint32_t size, std::uint32_t* written);
using SetReplayGainFn = std::uint32_t (*)(StreamHandle stream, float trackGainDb, float trackPeak);

constexpr const char* kInitStreamName = "beInitStream";
constexpr const char* kEncodeChunkName = "beEncodeChunk";
constexpr const char* kDeinitStreamName = "beDeinitStream";
constexpr const char* kCloseStreamName = "beCloseStream";
constexpr const char* kWriteInfoTagName = "beWriteInfoTag";
constexpr const char* kSetReplayGainName = "beSetReplayGain";

// File name of the library, looked for beside the program first.
constexpr const char* kLibraryFileName = "liblame_enc.so";

}  // namespace be
