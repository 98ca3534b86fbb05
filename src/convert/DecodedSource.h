// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

struct SourceFormat;
struct AVFormatContext;
struct AVIOContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

// A source in a format other than MP3, decoded with FFmpeg's libraries to
// interleaved float samples, at most two channels and at most 48 kHz.
//
// The bytes come only through the reader it is given (a file the job has
// open, or memory): the demuxer never opens a file or a URL of its own, and
// only the one demuxer the content names (SourceFormat) is used. Only the
// first audio stream is decoded; video and cover-art streams are skipped.
// The decoder's own gapless handling applies: Opus pre-skip and end
// trimming, Vorbis granule positions and MP4 edit lists shape the samples
// exactly as FFmpeg's decode of the file does.
class DecodedSource {
public:
    // Reads up to `length` bytes at `offset`; the count read, short only at
    // the end, or -1 on a failed read.
    using Reader = std::function<long long(std::uint64_t offset, void* buffer, std::size_t length)>;

    struct Step {
        enum class Kind { Block, Skipped, End, ReadFailed };
        Kind kind = Kind::End;
        std::uint64_t offset = 0;    // Skipped: where the stretch starts
        std::uint64_t bytes = 0;     // Skipped: how long it is
        std::uint64_t position = 0;  // bytes of the source read so far
    };

    // Refusals are told in `language`.
    DecodedSource(Reader reader, std::uint64_t size, Translator language = {});
    ~DecodedSource();
    DecodedSource(const DecodedSource&) = delete;
    DecodedSource& operator=(const DecodedSource&) = delete;

    // Opens the source with the demuxer of `format` and its first audio
    // stream's decoder. False when it cannot be converted; Refusal() says why.
    bool Open(const SourceFormat& format);
    const std::string& Refusal() const { return refusal_; }
    // A read of the source failed (Open or Next): the reader's own error says why.
    bool ReadFailed() const { return readFailed_; }

    // The stream as found, and as it will be handed over.
    int SourceRate() const { return sourceRate_; }
    int SourceChannels() const { return sourceChannels_; }
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    // A lossless codec (FLAC, ALAC, PCM, Monkey's Audio, WavPack, WMA Lossless).
    bool Lossless() const { return lossless_; }
    // The stream's average bitrate in bit/s, 0 when unknown.
    std::int64_t AverageBitrate() const { return averageBitrate_; }
    // FFmpeg's name of the codec ("vorbis", "opus", "flac"...).
    const std::string& Codec() const { return codec_; }

    // Decodes on to the next block of samples, stretch that could not be
    // decoded, or end. After Block, Samples() holds Frames() frames.
    Step Next();
    const float* Samples() const { return samples_.data(); }
    std::size_t Frames() const { return frames_; }

private:
    enum class Produced { Block, End, ReadFailed };
    struct FormatCloser {
        void operator()(AVFormatContext* context) const;
    };
    struct IoCloser {
        void operator()(AVIOContext* io) const;
    };
    struct CodecCloser {
        void operator()(AVCodecContext* context) const;
    };
    struct PacketCloser {
        void operator()(AVPacket* packet) const;
    };
    struct FrameCloser {
        void operator()(AVFrame* frame) const;
    };
    struct ResamplerCloser {
        void operator()(SwrContext* resampler) const;
    };

    static int ReadPacket(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);
    bool OpenContainer(const SourceFormat& format);
    bool FindAudioStream();
    bool Encrypted() const;
    bool OpenDecoder();
    bool FirstPacketClear();
    void MeasureBitrate();
    Produced Produce();
    bool Convert(const AVFrame* frame);
    bool SetUpResampler(const AVFrame* frame);
    bool Drain();
    void NoteSkipped(std::int64_t offset, std::int64_t bytes);
    std::uint64_t Position() const;
    bool Refuse(EngineText reason, std::initializer_list<std::string> values = {});

    Reader reader_;
    std::uint64_t size_;
    std::uint64_t offset_ = 0;
    bool readFailed_ = false;

    std::unique_ptr<AVIOContext, IoCloser> io_;
    std::unique_ptr<AVFormatContext, FormatCloser> container_;
    std::unique_ptr<AVCodecContext, CodecCloser> decoder_;
    std::unique_ptr<AVPacket, PacketCloser> packet_;
    std::unique_ptr<AVFrame, FrameCloser> frame_;
    std::unique_ptr<SwrContext, ResamplerCloser> resampler_;
    int stream_ = -1;
    std::string refusal_;
    Translator language_;

    int sourceRate_ = 0;
    int sourceChannels_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    bool lossless_ = false;
    std::int64_t averageBitrate_ = 0;
    std::string codec_;

    // What the resampler was set up for.
    int inRate_ = 0;
    int inFormat_ = -1;
    int inChannels_ = 0;

    std::vector<float> samples_;
    std::size_t frames_ = 0;
    bool sentEnd_ = false;
    bool decoderDrained_ = false;
    bool ended_ = false;
    bool packetHeld_ = false;  // the decoder asked for this packet again later
    int failedDecodes_ = 0;    // decoding errors in a row
    int failedReads_ = 0;      // demuxer errors in a row at one position
    std::uint64_t failedAt_ = 0;
    // A stretch not decoded, reported before the next block or the end.
    std::int64_t skipOffset_ = -1;
    std::int64_t skipBytes_ = 0;
    bool held_ = false;  // a block or end produced behind a Skipped step
    Produced heldKind_ = Produced::End;
};
