// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The Info frame LAME puts ahead of its stream, in the layout LAME publishes
// for it: a silent frame that carries the Xing header (frame count, byte
// count, a 100-entry seek table) and the LAME tag (encoder delay and padding,
// ReplayGain, the CRC of the music and of the tag itself). This is the one
// place that knows where each field lies.
namespace LameTagFrame {

// Bytes from "Info"/"Xing" to the end of the LAME tag.
constexpr std::size_t kTagLength = 156;

// CRC-16 as the tag uses it (polynomial 0x8005, reflected, start 0).
std::uint16_t Crc16(const std::uint8_t* data, std::size_t length, std::uint16_t crc = 0);

// Where "Info" or "Xing" starts in `frame`, or 0 when the frame holds no
// complete tag.
std::size_t TagOffset(const std::uint8_t* frame, std::size_t length);

// The fields that depend on the whole stream.
struct StreamFields {
    std::uint32_t frames = 0;  // audio frames, the Info frame not counted
    std::uint32_t bytes = 0;   // the Info frame and every audio frame
    std::array<std::uint8_t, 100> seekTable{};
    std::uint16_t musicCrc = 0;  // CRC of the audio frames
};

// Writes the stream's fields into a tag frame and seals it (see Seal).
bool SetStreamFields(std::uint8_t* frame, std::size_t length, const StreamFields& fields);

// Writes the encoder delay and padding (12 bits each).
bool SetDelayAndPadding(std::uint8_t* frame, std::size_t length, int delay, int padding);

// Writes the bitrate byte (the constant or average rate, 255 at most) and
// the two bytes LAME fills with the bitrate of a stream made without preset.
bool SetBitrate(std::uint8_t* frame, std::size_t length, int kbps);

// Writes the track gain (the "radio" field: name code 1, originator 3 =
// determined automatically, sign and tenths of a dB) and the peak amplitude
// (1.0 = full scale, as a fixed-point value with 23 fraction bits).
bool SetTrackGain(std::uint8_t* frame, std::size_t length, double gainDb, double peak);

// Reads the encoder delay and padding.
bool DelayAndPadding(const std::uint8_t* frame, std::size_t length, int& delay, int& padding);

// Recomputes the tag's own CRC, which covers every byte of the frame before it.
bool Seal(std::uint8_t* frame, std::size_t length);

// The frames of a stream as they leave the encoder: their count, their
// bytes, the CRC over them and the samples of the seek table, gathered as
// LAME gathers them (the running sum of the frames' bitrates, kept at up to
// 400 points that thin out by half as the stream grows).
class StreamTally {
public:
    void Add(const std::uint8_t* data, std::size_t length);
    // The fields of the stream so far, for an Info frame of `infoLength` bytes.
    StreamFields Fields(std::size_t infoLength) const;
    // Samples per channel in one of its frames (1152, or 576 below 32 kHz).
    int FrameSamples() const { return m_frameSamples; }

private:
    void TakeHeader();
    void AddFrame(int kbps);

    std::uint32_t m_frames = 0;
    int m_frameSamples = 0;
    std::uint64_t m_bytes = 0;
    std::uint16_t m_crc = 0;
    std::size_t m_toSkip = 0;  // bytes of the current frame still to come
    std::array<std::uint8_t, 4> m_header{};
    std::size_t m_headerHave = 0;
    bool m_lost = false;  // a byte that is no frame header: no seek table
    std::vector<std::uint32_t> m_bag = std::vector<std::uint32_t>(400);
    std::size_t m_pos = 0;
    std::uint32_t m_want = 1;
    std::uint32_t m_seen = 0;
    std::uint32_t m_sum = 0;
};

// Fills a tag frame for a stream that was not written by the encoder stream
// the frame comes from (one joined from several): the fields of the frames
// `tally` counted, and the padding that follows from their count, the delay
// the frame holds and the `samples` per channel that went in.
bool SetJoinedStreamFields(std::uint8_t* frame, std::size_t length, const StreamTally& tally, std::uint64_t samples);

// The length of the MPEG audio frame whose header is at `header`, and its
// bitrate; 0 when it is no Layer III header of a listed bitrate.
int FrameLength(const std::uint8_t* header, int* kbps = nullptr);

}  // namespace LameTagFrame
