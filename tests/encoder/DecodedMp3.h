#pragma once

#include <cstdint>
#include <vector>

// An MP3 byte stream decoded with libmpg123 to interleaved 16-bit PCM, with
// what the decoder reported about every frame.
class DecodedMp3 {
public:
    struct Frame {
        long rate = 0;
        int bitrate = 0;   // kbit/s
        int mode = 0;      // mpg123_mode
        int flags = 0;     // mpg123_flags
        int emphasis = 0;
    };

    explicit DecodedMp3(const std::vector<std::uint8_t>& mp3);

    bool ok() const { return ok_; }
    long rate() const { return rate_; }
    int channels() const { return channels_; }
    const std::vector<std::int16_t>& pcm() const { return pcm_; }
    const std::vector<Frame>& frames() const { return frames_; }

    // Samples per channel.
    std::size_t length() const;
    // One channel's samples out of the interleaved PCM.
    std::vector<std::int16_t> channel(int index) const;

private:
    bool ok_ = false;
    long rate_ = 0;
    int channels_ = 0;
    std::vector<std::int16_t> pcm_;
    std::vector<Frame> frames_;
};
