// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/MpegFrameHeader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One Layer III frame of a byte stream, with what its side information says
// about the bit reservoir: where its main data starts (main_data_begin bytes
// before its own body, in bytes of earlier frames' bodies) and how long it
// is, and the block type its last granule ends with in each channel (the
// window shape the next frame's first granule overlaps).
struct Layer3Frame {
    MpegFrameHeader header;
    std::size_t offset = 0;      // of the header in the stream
    std::size_t bodyOffset = 0;  // first byte after header, CRC and side information
    std::size_t length = 0;      // the whole frame
    int mainDataBegin = 0;       // bytes before the body
    std::uint32_t mainDataBits = 0;
    std::array<int, 2> lastBlockType{};  // 0 normal, 1 start, 2 short, 3 stop

    std::size_t BodyLength() const { return offset + length - bodyOffset; }
    // Bytes of side information for this version and channel count.
    static std::size_t SideInfoLength(const MpegFrameHeader& header);
    // Reads the frame at `bytes` (`available` bytes from there); empty when
    // no whole Layer III frame of a usable bitrate starts there.
    static std::optional<Layer3Frame> Parse(const std::uint8_t* bytes, std::size_t available, std::size_t offset);
    // The frames that follow each other from the start of `bytes`; stops at
    // the first byte that does not start a whole frame.
    static std::vector<Layer3Frame> Walk(const std::uint8_t* bytes, std::size_t size);
    // True for the Xing/Info frame an encoder leads its stream with, or the
    // placeholder it writes for it until the stream is complete.
    static bool IsTagFrame(const std::uint8_t* bytes, const Layer3Frame& frame);
};

// Walks main_data_begin across the frames of a stream as a decoder's bit
// reservoir does and finds the first frame that breaks it: main data that
// starts in bytes an earlier frame's main data uses or before the stream,
// or main data that runs past its own frame.
struct ReservoirCheck {
    enum class Fault { None, NotItsOwn, BeforeStream, Overrun, NotAFrame };
    Fault fault = Fault::None;
    std::size_t frame = 0;   // index of the faulty frame
    std::size_t frames = 0;  // frames walked

    static ReservoirCheck Of(const std::uint8_t* bytes, std::size_t size);
    bool Valid() const { return fault == Fault::None; }
};
