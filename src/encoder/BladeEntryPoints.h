// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "BeConfig.h"

// The exported entry points of the encoder library: the four stream entry
// points and beWriteInfoTag. They are the only symbols the library exports;
// every other symbol is hidden.

extern "C" {

// Starts a stream for a LAME-format record (format 256, version 1, size 331).
// On success returns kErrSuccessful and sets `samples` to one frame's worth of
// 16-bit values (all channels), `bufferSize` to the bytes one beEncodeChunk
// call of `samples` values may write, and `stream` to a handle other than 0.
// On failure sets all three to 0 and returns kErrInvalidFormat (not a LAME
// record), kErrInvalidFormatParameters (settings the encoder cannot keep
// exactly, such as a bitrate it does not offer at that sample rate) or
// kErrNoMoreHandles (too many open streams).
__attribute__((visibility("default"))) std::uint32_t beInitStream(be::Config* config, std::uint32_t* samples,
                                                                  std::uint32_t* bufferSize, be::StreamHandle* stream);

// Encodes `samples` 16-bit values (interleaved left/right for two channels;
// an odd last value of a two-channel block is ignored) and writes the MP3
// bytes at `output`, which must offer bufferSize bytes for a call of up to
// the start's `samples` values. `written` receives the byte count, 0 on error.
__attribute__((visibility("default"))) std::uint32_t beEncodeChunk(be::StreamHandle stream, std::uint32_t samples,
                                                                   const std::int16_t* pcm, std::uint8_t* output,
                                                                   std::uint32_t* written);

// Writes the last frames of the stream at `output`, which must offer
// be::kDeinitOutputSize (7200) bytes; `written` receives the byte count.
// The stream takes no more input afterwards, only beCloseStream.
__attribute__((visibility("default"))) std::uint32_t beDeinitStream(be::StreamHandle stream, std::uint8_t* output,
                                                                    std::uint32_t* written);

// Releases the stream. An unknown handle returns kErrInvalidHandle and
// changes nothing.
__attribute__((visibility("default"))) std::uint32_t beCloseStream(be::StreamHandle stream);

// Hands over the stream's Info frame (Xing/LAME header: frame and byte count,
// seek table, encoder delay and padding, music CRC) for a stream started with
// writeVbrHeader set and flushed with beDeinitStream. It has the length of the
// placeholder frame the stream wrote first, and the caller writes it over that
// frame. `output` offers `size` bytes (be::kInfoTagOutputSize is always
// enough); `written` receives the frame's length, 0 on error or when the
// frames are too short to hold the header (then no placeholder was written
// either). A constant bitrate whose frames are too short for the header
// (32-56 kbit/s at 44.1 kHz, for instance) gets its Info frame in a frame of
// the smallest bitrate that holds it; players skip that frame, so its bitrate
// never plays. The stream stays open: beCloseStream still releases it.
__attribute__((visibility("default"))) std::uint32_t beWriteInfoTag(be::StreamHandle stream, std::uint8_t* output,
                                                                    std::uint32_t size, std::uint32_t* written);

// Sets the track gain (dB) and peak (1.0 = full scale) that beWriteInfoTag
// writes into the LAME tag. Any time before beWriteInfoTag.
__attribute__((visibility("default"))) std::uint32_t beSetReplayGain(be::StreamHandle stream, float trackGainDb,
                                                                     float trackPeak);

}  // extern "C"
