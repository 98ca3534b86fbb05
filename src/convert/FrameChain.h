// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/MpegFrameHeader.h"

#include <cstdint>

class SourceWindow;

// Follows frame headers from one to the next through the source: the test
// that tells a real frame from a sync look-alike in junk, which is followed
// by another header of the same stream exactly where its length says.
class FrameChain {
public:
    // The longest free-format frame the decoder accepts.
    static constexpr std::uint32_t kMaxFreeFormatLength = 3456;

    struct Run {
        int frames = 0;           // consecutive frames found, up to the number asked for
        bool reachesEnd = false;  // the last of them ends exactly where the stream does
    };

    // `freeFormatLength`: a free-format stream's frame length without
    // padding when it is known already; otherwise measured at its first frame.
    explicit FrameChain(SourceWindow& window, std::uint32_t freeFormatLength = 0)
        : m_window(window), m_freeLength(freeFormatLength)
    {
    }

    // The length of the frame whose header `header` stands at `offset`;
    // 0 when it has none (a free-format frame without a next header).
    std::uint32_t Length(std::uint64_t offset, const MpegFrameHeader& header);
    // Follows up to `wanted` frames of `header`'s stream from `offset`.
    Run Follow(std::uint64_t offset, const MpegFrameHeader& header, int wanted);

    // Goes on with a stream of another free-format length (0: measured anew).
    void SetFreeFormatLength(std::uint32_t length) { m_freeLength = length; }
    // A free-format stream's frame length without padding, once measured.
    std::uint32_t FreeFormatLength() const { return m_freeLength; }
    // True once a read of the source failed; every answer after it is empty.
    bool ReadFailed() const { return m_readFailed; }

private:
    std::uint32_t MeasureFreeFormat(std::uint64_t offset, const MpegFrameHeader& header);
    const std::uint8_t* Bytes(std::uint64_t offset, std::size_t length);

    SourceWindow& m_window;
    std::uint32_t m_freeLength;
    bool m_readFailed = false;
};
