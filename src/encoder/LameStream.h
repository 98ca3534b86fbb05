// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <lame/lame.h>

#include "BeConfig.h"
#include "LameTagFrame.h"

// One MP3 encoder stream on libmp3lame (constant bitrate, LAME's variable
// bitrate or its average bitrate), set up from a configuration record. Input
// is 16-bit PCM, one channel or two channels interleaved; output is MP3
// frames with no tags, led by a placeholder for the Info frame when the
// record asks for the VBR header.
class LameStream {
public:
    // Starts a stream for the record. On failure returns nullptr and sets
    // error to the reason (kErrInvalidFormat, kErrInvalidFormatParameters or
    // kErrNoMoreHandles when the encoder cannot be allocated).
    static std::unique_ptr<LameStream> open(const be::Config& config, std::uint32_t& error);

    LameStream(const LameStream&) = delete;
    LameStream& operator=(const LameStream&) = delete;
    ~LameStream() = default;

    // One encoder frame's worth of 16-bit values, all channels together.
    std::uint32_t chunkSize() const;

    // Room, in bytes, that one encode call of `values` 16-bit values may need.
    // Zero when the bound does not fit the encoder's buffer-size type.
    std::uint32_t outputBound(std::uint32_t values) const;

    // Encodes `values` 16-bit values (interleaved when two channels; an odd
    // trailing value of a two-channel block is left out). `output` must offer
    // outputBound(values) bytes. Sets `written` to the bytes written, 0 on error.
    std::uint32_t encode(const std::int16_t* pcm, std::uint32_t values, std::uint8_t* output, std::uint32_t& written);
    // The same for float values, full scale at +-1.0.
    std::uint32_t encode(const float* pcm, std::uint32_t values, std::uint8_t* output, std::uint32_t& written);

    // Encodes what is still buffered and writes the last frames; `output`
    // must offer be::kDeinitOutputSize bytes. The stream takes no input after.
    std::uint32_t flush(std::uint8_t* output, std::uint32_t& written);

    // Copies the finished Info frame, the same length as its placeholder, to
    // `output` (`size` bytes); for a flushed stream that wrote a placeholder.
    std::uint32_t infoTag(std::uint8_t* output, std::uint32_t size, std::uint32_t& written);

    // The track gain and peak infoTag writes into the LAME tag.
    std::uint32_t setReplayGain(float gainDb, float peak);

private:
    struct LameCloser {
        void operator()(lame_global_flags* flags) const { lame_close(flags); }
    };
    using LamePtr = std::unique_ptr<lame_global_flags, LameCloser>;

    LameStream(LamePtr flags, const be::Config& config);

    static std::uint32_t applyRecord(lame_global_flags* flags, const be::Config& config, int lowpass);
    static std::uint32_t checkRecord(const be::Config& config);
    static bool confirmSettings(lame_global_flags* flags, const be::Config& config);
    static bool lameTagFits(const be::Config& config);
    static std::vector<std::uint8_t> infoFrameTemplate(const be::Config& config, int lowpass);
    template <typename Sample>
    std::uint32_t encodeValues(const Sample* pcm, std::uint32_t values, std::uint8_t* output, std::uint32_t& written);
    int encodeFrames(const std::int16_t* pcm, int frames, std::uint8_t* output, int room);
    int encodeFrames(const float* pcm, int frames, std::uint8_t* output, int room);
    std::uint32_t placeholder(std::uint8_t* output);
    std::uint32_t finishOwnInfoFrame(std::uint8_t* output, std::uint32_t size, std::uint32_t& written);

    LamePtr m_flags;
    int m_channels;
    std::uint32_t m_inRate;
    std::uint32_t m_outRate;
    bool m_flushed = false;
    // Where LAME's own Info frame does not fit a frame of the bitrate: one of
    // a larger bitrate that this stream writes and fills itself.
    std::vector<std::uint8_t> m_ownInfoFrame;
    bool m_placeholderWritten = false;
    LameTagFrame::StreamTally m_tally;
    std::optional<std::pair<float, float>> m_replayGain;
    std::mutex m_mutex;
};
