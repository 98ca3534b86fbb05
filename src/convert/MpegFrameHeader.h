// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// One MPEG audio frame header: the four bytes at a sync position, decoded.
struct MpegFrameHeader {
    enum class Version { Mpeg1, Mpeg2, Mpeg25 };

    Version version = Version::Mpeg1;
    int layer = 3;         // 1, 2 or 3
    int bitrateIndex = 0;  // 0: free format, 15: forbidden
    int bitrate = 0;       // kbit/s; 0 when the index cannot be used
    int sampleRate = 0;    // Hz; 0 when the index cannot be used
    int padding = 0;
    int channels = 2;
    std::uint32_t frameLength = 0;  // bytes, valid when bitrate and rate are
                                    // (for free format: set by the stream walk)

    // True when the bytes start with the 11-bit frame sync.
    static bool HasSync(const std::uint8_t* bytes) { return bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0; }

    // Reads the header at `bytes` (four bytes, starting with a sync). Empty
    // when the version or layer field holds a reserved value.
    static std::optional<MpegFrameHeader> Parse(const std::uint8_t* bytes);

    bool IsLayer3() const { return layer == 3; }
    bool Usable() const { return bitrate != 0 && sampleRate != 0; }
    // Free format: no bitrate in the header; the length is the distance to
    // the next frame, the same for every frame but for the padding.
    bool FreeFormat() const { return bitrateIndex == 0 && sampleRate != 0; }
    std::uint32_t PaddingBytes() const { return static_cast<std::uint32_t>(padding) * (layer == 1 ? 4u : 1u); }
    int SamplesPerFrame() const { return layer == 1 ? 384 : layer == 2 || version == Version::Mpeg1 ? 1152 : 576; }
    // Same stream parameters: a following frame of the same stream.
    bool SameStreamAs(const MpegFrameHeader& other) const
    {
        return version == other.version && layer == other.layer && sampleRate == other.sampleRate
            && FreeFormat() == other.FreeFormat();
    }
};
