// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/MpegFrameHeader.h"

#include <array>

namespace {

// Bitrates in kbit/s by version and layer; 0 marks free format and the
// forbidden index.
using BitrateTable = std::array<int, 16>;
constexpr BitrateTable kMpeg1Layer1{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0};
constexpr BitrateTable kMpeg1Layer2{0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
constexpr BitrateTable kMpeg1Bitrates{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr BitrateTable kMpeg2Layer1{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0};
constexpr BitrateTable kMpeg2Bitrates{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

constexpr std::array<int, 4> kMpeg1Rates{44100, 48000, 32000, 0};
constexpr std::array<int, 4> kMpeg2Rates{22050, 24000, 16000, 0};
constexpr std::array<int, 4> kMpeg25Rates{11025, 12000, 8000, 0};

const BitrateTable& Bitrates(MpegFrameHeader::Version version, int layer)
{
    if (version == MpegFrameHeader::Version::Mpeg1)
        return layer == 1 ? kMpeg1Layer1 : layer == 2 ? kMpeg1Layer2 : kMpeg1Bitrates;
    return layer == 1 ? kMpeg2Layer1 : kMpeg2Bitrates;
}

// The length without padding, in bytes.
std::uint32_t UnpaddedLength(const MpegFrameHeader& header)
{
    const auto bitrate = static_cast<std::uint32_t>(header.bitrate);
    const auto rate = static_cast<std::uint32_t>(header.sampleRate);
    if (header.layer == 1)
        return 12000u * bitrate / rate * 4u;
    if (header.layer == 3 && header.version == MpegFrameHeader::Version::Mpeg1) {
        // Integer steps in this order: the same as floor(144000 * bitrate / rate).
        return bitrate * 11520u / (rate / 100u) / 8u;
    }
    if (header.layer == 3)
        return 72000u * bitrate / rate;  // half as many samples per frame
    return 144000u * bitrate / rate;
}

}  // namespace

std::optional<MpegFrameHeader> MpegFrameHeader::Parse(const std::uint8_t* bytes)
{
    const int versionBits = (bytes[1] >> 3) & 3;
    const int layerBits = (bytes[1] >> 1) & 3;
    if (versionBits == 1 || layerBits == 0)
        return std::nullopt;

    MpegFrameHeader header;
    header.version = versionBits == 3 ? Version::Mpeg1 : versionBits == 2 ? Version::Mpeg2 : Version::Mpeg25;
    header.layer = 4 - layerBits;

    const int h = bytes[2];
    const auto& rates = header.version == Version::Mpeg1 ? kMpeg1Rates
        : header.version == Version::Mpeg2               ? kMpeg2Rates
                                                         : kMpeg25Rates;
    header.bitrateIndex = h >> 4;
    header.bitrate = Bitrates(header.version, header.layer)[static_cast<std::size_t>(header.bitrateIndex)];
    header.sampleRate = rates[static_cast<std::size_t>((h >> 2) & 3)];
    header.padding = (h >> 1) & 1;
    header.channels = ((bytes[3] >> 6) & 3) == 3 ? 1 : 2;
    if (header.Usable())
        header.frameLength = UnpaddedLength(header) + header.PaddingBytes();
    return header;
}
