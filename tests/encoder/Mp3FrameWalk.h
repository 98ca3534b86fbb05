#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Walks MPEG audio Layer III frame headers from the first byte on, reading
// what the decoder does not report: frame boundaries, the CRC flag and the
// side information's main_data_begin (bit reservoir use).
class Mp3FrameWalk {
public:
    struct Frame {
        std::size_t offset = 0;
        std::size_t length = 0;
        int bitrate = 0;  // kbit/s
        int rate = 0;     // Hz
        bool crc = false;
        int mainDataBegin = 0;
    };

    explicit Mp3FrameWalk(const std::vector<std::uint8_t>& mp3);

    const std::vector<Frame>& frames() const { return frames_; }
    // True when the frames follow each other from byte 0 to the last byte.
    bool coversAll() const { return coversAll_; }

private:
    bool readFrame(const std::vector<std::uint8_t>& mp3, std::size_t offset, Frame& frame) const;

    std::vector<Frame> frames_;
    bool coversAll_ = false;
};
