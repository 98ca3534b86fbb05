#include "convert/MpegFrameHeader.h"

#include <array>

namespace {

// Layer III bitrates in kbit/s; 0 marks free format and the forbidden index.
constexpr std::array<int, 16> kMpeg1Bitrates{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<int, 16> kMpeg2Bitrates{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

constexpr std::array<int, 4> kMpeg1Rates{44100, 48000, 32000, 0};
constexpr std::array<int, 4> kMpeg2Rates{22050, 24000, 16000, 0};
constexpr std::array<int, 4> kMpeg25Rates{11025, 12000, 8000, 0};

std::uint32_t FrameLength(const MpegFrameHeader& header)
{
    if (header.version == MpegFrameHeader::Version::Mpeg1) {
        // Integer steps in this order: the same as floor(144000 * bitrate / rate).
        const auto bits = static_cast<std::uint32_t>(header.bitrate) * 11520u;
        const auto rate = static_cast<std::uint32_t>(header.sampleRate) / 100u;
        return bits / rate / 8u + static_cast<std::uint32_t>(header.padding);
    }
    // Half as many samples per frame: 72000 * bitrate / rate.
    return 72000u * static_cast<std::uint32_t>(header.bitrate) / static_cast<std::uint32_t>(header.sampleRate) +
           static_cast<std::uint32_t>(header.padding);
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
    const auto& bitrates = header.version == Version::Mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates;
    const auto& rates = header.version == Version::Mpeg1   ? kMpeg1Rates
                        : header.version == Version::Mpeg2 ? kMpeg2Rates
                                                           : kMpeg25Rates;
    header.bitrate = bitrates[static_cast<std::size_t>(h >> 4)];
    header.sampleRate = rates[static_cast<std::size_t>((h >> 2) & 3)];
    header.padding = (h >> 1) & 1;
    header.channels = ((bytes[3] >> 6) & 3) == 3 ? 1 : 2;
    if (header.Usable())
        header.frameLength = FrameLength(header);
    return header;
}
