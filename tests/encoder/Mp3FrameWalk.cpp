#include "Mp3FrameWalk.h"

#include <array>

namespace {

constexpr std::array<int, 15> kMpeg1Bitrates{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 15> kMpeg2Bitrates{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::array<int, 3> kMpeg1Rates{44100, 48000, 32000};
constexpr int kHeaderBytes = 4;
constexpr int kCrcBytes = 2;
constexpr unsigned kVersionMpeg1 = 3;
constexpr unsigned kVersionMpeg25 = 0;
constexpr unsigned kLayer3 = 1;

}  // namespace

Mp3FrameWalk::Mp3FrameWalk(const std::vector<std::uint8_t>& mp3)
{
    std::size_t offset = 0;
    Frame frame;
    while (offset < mp3.size() && readFrame(mp3, offset, frame)) {
        frames_.push_back(frame);
        offset += frame.length;
    }
    coversAll_ = !frames_.empty() && offset == mp3.size();
}

bool Mp3FrameWalk::readFrame(const std::vector<std::uint8_t>& mp3, std::size_t offset, Frame& frame) const
{
    if (offset + kHeaderBytes + kCrcBytes + 2 > mp3.size()) {
        return false;
    }
    const std::uint8_t* h = mp3.data() + offset;
    const unsigned version = (h[1] >> 3) & 3u;
    const unsigned layer = (h[1] >> 1) & 3u;
    const unsigned bitrateIndex = h[2] >> 4;
    const unsigned rateIndex = (h[2] >> 2) & 3u;
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || layer != kLayer3 || version == 1 || bitrateIndex == 0 ||
        bitrateIndex == 15 || rateIndex == 3) {
        return false;
    }
    const bool mpeg1 = version == kVersionMpeg1;
    const int divisor = mpeg1 ? 1 : version == kVersionMpeg25 ? 4 : 2;
    frame.offset = offset;
    frame.bitrate = (mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates)[bitrateIndex];
    frame.rate = kMpeg1Rates[rateIndex] / divisor;
    frame.crc = (h[1] & 1u) == 0;
    const int slots = (mpeg1 ? 144000 : 72000) * frame.bitrate / frame.rate;
    frame.length = static_cast<std::size_t>(slots + ((h[2] >> 1) & 1u));
    const std::uint8_t* side = h + kHeaderBytes + (frame.crc ? kCrcBytes : 0);
    frame.mainDataBegin = mpeg1 ? (side[0] << 1) | (side[1] >> 7) : side[0];
    return offset + frame.length <= mp3.size();
}
