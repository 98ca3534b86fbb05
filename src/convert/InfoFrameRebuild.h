// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/Layer3Frame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The Info frame (Xing header and LAME tag) of a stream put together from
// several encoder streams: the encoder's own frame for one of them serves as
// the template (encoder version, settings, delay), and what describes the
// whole stream is counted here over its audio frames and written into it:
// frame and byte counts, seek table, padding, music length and CRC, and the
// tag's own CRC.
class InfoFrameRebuild {
public:
    // Counts one audio frame of the stream, in order.
    void Count(const std::uint8_t* bytes, const Layer3Frame& frame);
    // Rewrites `frame` (the template, the length of the stream's tag frame)
    // for the frames counted and `samples` samples per channel of audio.
    // False when it is not a LAME Info frame.
    bool Finish(std::vector<std::uint8_t>& frame, std::uint64_t samples) const;

    std::uint64_t Frames() const { return frames_; }

    // CRC-16 as the LAME tag uses it (polynomial 0x8005, reflected, from 0).
    static std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t length, std::uint16_t crc = 0);

private:
    void AddToSeekTable(int kbps);

    std::uint64_t frames_ = 0;
    std::uint64_t bytes_ = 0;
    std::uint16_t musicCrc_ = 0;
    int samplesPerFrame_ = 0;
    // Running bitrate sums every `want_` frames, halved when full, as the
    // encoder keeps them for the seek table.
    std::vector<std::uint64_t> bag_ = std::vector<std::uint64_t>(kBagSize);
    std::size_t bagUsed_ = 0;
    std::uint64_t seen_ = 0;
    std::uint64_t want_ = 1;
    std::uint64_t sum_ = 0;
    static constexpr std::size_t kBagSize = 400;
};
