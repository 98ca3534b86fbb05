// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FrameChain.h"

#include "convert/SourceWindow.h"

#include <optional>

const std::uint8_t* FrameChain::Bytes(std::uint64_t offset, std::size_t length)
{
    const std::uint8_t* bytes = m_readFailed ? nullptr : m_window.Bytes(offset, length);
    m_readFailed = bytes == nullptr;
    return bytes;
}

std::uint32_t FrameChain::Length(std::uint64_t offset, const MpegFrameHeader& header)
{
    if (!header.FreeFormat())
        return header.frameLength;
    if (m_freeLength == 0)
        m_freeLength = MeasureFreeFormat(offset, header);
    return m_freeLength == 0 ? 0 : m_freeLength + header.PaddingBytes();
}

// The distance to the next header with the same fixed fields, less this
// frame's padding: every frame of the stream has that length plus its own.
std::uint32_t FrameChain::MeasureFreeFormat(std::uint64_t offset, const MpegFrameHeader& header)
{
    const std::uint8_t* first = Bytes(offset, 4);
    if (first == nullptr)
        return 0;
    const std::uint8_t fixed1 = first[1];
    const auto fixed2 = static_cast<std::uint8_t>(first[2] & ~0x02);
    const std::uint32_t longest = kMaxFreeFormatLength + header.PaddingBytes();
    const std::uint8_t* bytes = Bytes(offset, longest + 4);
    if (bytes == nullptr)
        return 0;
    // Shorter than a header and side information is no frame.
    for (std::uint32_t distance = 24; distance <= longest; ++distance) {
        const std::uint8_t* next = bytes + distance;
        if (next[0] == 0xFF && next[1] == fixed1 && (next[2] & ~0x02) == fixed2)
            return distance - header.PaddingBytes();
    }
    return 0;
}

FrameChain::Run FrameChain::Follow(std::uint64_t offset, const MpegFrameHeader& header, int wanted)
{
    Run run;
    MpegFrameHeader current = header;
    for (;;) {
        const std::uint32_t length = Length(offset, current);
        if (length == 0)
            return run;
        ++run.frames;
        offset += length;
        run.reachesEnd = offset == m_window.End();
        if (run.frames == wanted || offset + 4 > m_window.End())
            return run;
        const std::uint8_t* bytes = Bytes(offset, 4);
        if (bytes == nullptr || !MpegFrameHeader::HasSync(bytes))
            return run;
        const std::optional<MpegFrameHeader> next = MpegFrameHeader::Parse(bytes);
        if (!next || !next->SameStreamAs(current) || !(next->Usable() || next->FreeFormat()))
            return run;
        current = *next;
    }
}
