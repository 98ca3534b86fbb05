// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameWalk.h"

#include "convert/MpegFrameHeader.h"
#include "convert/TagCarryOver.h"

FrameWalk FrameWalk::Of(const std::vector<std::uint8_t>& bytes)
{
    FrameWalk walk;
    std::size_t offset = 0;
    if (bytes.size() >= 10 && bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3')
        offset = 10 + TagCarryOver::SynchsafeSize(&bytes[6]) + ((bytes[3] == 4 && (bytes[5] & 0x10)) ? 10 : 0);
    std::size_t end = bytes.size();
    if (end >= 128 && bytes[end - 128] == 'T' && bytes[end - 127] == 'A' && bytes[end - 126] == 'G')
        end -= 128;
    walk.audioStart = offset;
    walk.audioEnd = end;
    while (offset + 4 <= end) {
        const auto header
            = MpegFrameHeader::HasSync(&bytes[offset]) ? MpegFrameHeader::Parse(&bytes[offset]) : std::nullopt;
        if (!header || !header->Usable()) {
            walk.brokenChain = true;
            break;
        }
        FrameWalk::Frame frame{header->bitrate, header->sampleRate, header->channels, offset, header->frameLength};
        frame.crc = (bytes[offset + 1] & 1u) == 0;
        const std::size_t side = offset + 4 + (frame.crc ? 2 : 0);
        if (side + 2 <= end) {
            const bool mpeg1 = header->version == MpegFrameHeader::Version::Mpeg1;
            frame.mainDataBegin = mpeg1 ? (bytes[side] << 1) | (bytes[side + 1] >> 7) : bytes[side];
        }
        walk.frames.push_back(frame);
        offset += header->frameLength;
    }
    if (offset != end)
        walk.brokenChain = true;
    return walk;
}
