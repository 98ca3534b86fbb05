// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/Layer3Frame.h"

#include <algorithm>
#include <cstring>

namespace {

// Reads bits from the side information, most significant first.
class BitReader {
public:
    explicit BitReader(const std::uint8_t* bytes) : m_bytes(bytes) { }
    std::uint32_t Read(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++m_position)
            value = value << 1 | ((m_bytes[m_position / 8] >> (7 - m_position % 8)) & 1u);
        return value;
    }
    void Skip(int count) { m_position += static_cast<std::size_t>(count); }

private:
    const std::uint8_t* m_bytes;
    std::size_t m_position = 0;
};

}  // namespace

std::size_t Layer3Frame::SideInfoLength(const MpegFrameHeader& header)
{
    const bool mpeg1 = header.version == MpegFrameHeader::Version::Mpeg1;
    if (header.channels == 1)
        return mpeg1 ? 17 : 9;
    return mpeg1 ? 32 : 17;
}

std::optional<Layer3Frame> Layer3Frame::Parse(const std::uint8_t* bytes, std::size_t available, std::size_t offset)
{
    if (available < 4 || !MpegFrameHeader::HasSync(bytes))
        return std::nullopt;
    const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
    if (!header || !header->IsLayer3() || !header->Usable() || header->frameLength > available)
        return std::nullopt;
    Layer3Frame frame;
    frame.header = *header;
    frame.offset = offset;
    frame.length = header->frameLength;
    const std::size_t crc = (bytes[1] & 1u) == 0 ? 2 : 0;
    const std::size_t side = 4 + crc;
    frame.bodyOffset = offset + side + SideInfoLength(*header);
    if (frame.bodyOffset > offset + frame.length)
        return std::nullopt;

    const bool mpeg1 = header->version == MpegFrameHeader::Version::Mpeg1;
    const int channels = header->channels;
    BitReader bits(bytes + side);
    frame.mainDataBegin = static_cast<int>(bits.Read(mpeg1 ? 9 : 8));
    bits.Skip(mpeg1 ? (channels == 1 ? 5 : 3) : (channels == 1 ? 1 : 2));  // private bits
    if (mpeg1)
        bits.Skip(4 * channels);  // scale factor selection
    const int granules = mpeg1 ? 2 : 1;
    for (int granule = 0; granule < granules; ++granule) {
        for (int channel = 0; channel < channels; ++channel) {
            frame.mainDataBits += bits.Read(12);  // part2_3_length
            bits.Skip(9 + 8 + (mpeg1 ? 4 : 9));   // big_values, global_gain, scalefac_compress
            int blockType = 0;
            if (bits.Read(1) != 0) {  // window switching
                blockType = static_cast<int>(bits.Read(2));
                bits.Skip(1 + 10 + 9);  // mixed block, two tables, subblock gains
            } else {
                bits.Skip(15 + 4 + 3);  // three tables, region counts
            }
            bits.Skip(mpeg1 ? 3 : 2);  // (preflag,) scalefac_scale, count1 table
            frame.lastBlockType[static_cast<std::size_t>(channel)] = blockType;
        }
    }
    return frame;
}

std::vector<Layer3Frame> Layer3Frame::Walk(const std::uint8_t* bytes, std::size_t size)
{
    std::vector<Layer3Frame> frames;
    std::size_t at = 0;
    while (const std::optional<Layer3Frame> frame = Parse(bytes + at, size - at, at)) {
        frames.push_back(*frame);
        at += frame->length;
    }
    return frames;
}

bool Layer3Frame::IsTagFrame(const std::uint8_t* bytes, const Layer3Frame& frame)
{
    const std::uint8_t* tag = bytes + frame.bodyOffset;
    if (frame.BodyLength() < 4 || frame.mainDataBits != 0 || frame.mainDataBegin != 0)
        return false;
    if (std::memcmp(tag, "Info", 4) == 0 || std::memcmp(tag, "Xing", 4) == 0)
        return true;
    // The encoder's placeholder for it: side information and body all zero,
    // which no frame of audio is (its global gain is never zero).
    const std::uint8_t* side = bytes + frame.offset + 4;
    return std::all_of(side, tag + frame.BodyLength(), [](std::uint8_t byte) { return byte == 0; });
}

ReservoirCheck ReservoirCheck::Of(const std::uint8_t* bytes, std::size_t size)
{
    ReservoirCheck check;
    // Positions count bytes of frame bodies only: the reservoir skips headers
    // and side information. `used` is where the last frame's main data ended, in bits.
    std::uint64_t bodies = 0;
    std::uint64_t used = 0;
    std::size_t at = 0;
    while (at < size) {
        const std::optional<Layer3Frame> frame = Layer3Frame::Parse(bytes + at, size - at, at);
        if (!frame) {
            check.fault = Fault::NotAFrame;
            check.frame = check.frames;
            return check;
        }
        const auto begin = static_cast<std::uint64_t>(frame->mainDataBegin);
        const std::uint64_t bodyEnd = bodies + frame->BodyLength();
        Fault fault = Fault::None;
        if (begin > bodies)
            fault = Fault::BeforeStream;
        else if ((bodies - begin) * 8 < used)
            fault = Fault::NotItsOwn;
        else if ((bodies - begin) * 8 + frame->mainDataBits > bodyEnd * 8)
            fault = Fault::Overrun;
        if (fault != Fault::None) {
            check.fault = fault;
            check.frame = check.frames;
            return check;
        }
        used = (bodies - begin) * 8 + frame->mainDataBits;
        bodies = bodyEnd;
        at += frame->length;
        ++check.frames;
    }
    return check;
}
