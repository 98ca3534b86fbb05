#pragma once

#include <cstdint>
#include <vector>

// The frame headers of an MP3 byte stream, walked from frame to frame
// between its tags.
struct FrameWalk {
    struct Frame {
        int bitrate;
        int sampleRate;
        int channels;
    };
    std::vector<Frame> frames;
    std::size_t audioStart = 0;
    std::size_t audioEnd = 0;
    bool brokenChain = false;  // a frame did not start where the last ended

    static FrameWalk Of(const std::vector<std::uint8_t>& bytes);
};
