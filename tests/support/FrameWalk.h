// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The frame headers of an MP3 byte stream, walked from frame to frame
// between its tags, with what a decoder does not report: frame boundaries,
// the CRC flag and the side information's main_data_begin (bit reservoir use).
struct FrameWalk {
    struct Frame {
        int bitrate = 0;  // kbit/s
        int sampleRate = 0;
        int channels = 0;
        std::size_t offset = 0;
        std::size_t length = 0;
        bool crc = false;
        int mainDataBegin = 0;
    };
    std::vector<Frame> frames;
    std::size_t audioStart = 0;
    std::size_t audioEnd = 0;
    bool brokenChain = false;  // a frame did not start where the last ended

    static FrameWalk Of(const std::vector<std::uint8_t>& bytes);
    // True when frames follow each other from the first audio byte to the last.
    bool CoversAll() const { return !frames.empty() && !brokenChain; }
};
