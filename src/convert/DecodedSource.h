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
    const std::string& Refusal() const { return m_refusal; }
    // A read of the source failed (Open or Next): the reader's own error says why.
    bool ReadFailed() const { return m_readFailed; }

    // The stream as found, and as it will be handed over.
    int SourceRate() const { return m_sourceRate; }
    int SourceChannels() const { return m_sourceChannels; }
    int Rate() const { return m_rate; }
    int Channels() const { return m_channels; }
    // A lossless codec (FLAC, ALAC, PCM, Monkey's Audio, WavPack, WMA Lossless).
    bool Lossless() const { return m_lossless; }
    // The stream's average bitrate in bit/s, 0 when unknown.
    std::int64_t AverageBitrate() const { return m_averageBitrate; }
    // FFmpeg's name of the codec ("vorbis", "opus", "flac"...).
    const std::string& Codec() const { return m_codec; }

    // Decodes on to the next block of samples, stretch that could not be
    // decoded, or end. After Block, Samples() holds Frames() frames.
    Step Next();
    const float* Samples() const { return m_samples.data(); }
    std::size_t Frames() const { return m_frames; }

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

    Reader m_reader;
    std::uint64_t m_size;
    std::uint64_t m_offset = 0;
    bool m_readFailed = false;

    std::unique_ptr<AVIOContext, IoCloser> m_io;
    std::unique_ptr<AVFormatContext, FormatCloser> m_container;
    std::unique_ptr<AVCodecContext, CodecCloser> m_decoder;
    std::unique_ptr<AVPacket, PacketCloser> m_packet;
    std::unique_ptr<AVFrame, FrameCloser> m_frame;
    std::unique_ptr<SwrContext, ResamplerCloser> m_resampler;
    int m_stream = -1;
    std::string m_refusal;
    Translator m_language;

    int m_sourceRate = 0;
    int m_sourceChannels = 0;
    int m_rate = 0;
    int m_channels = 0;
    bool m_lossless = false;
    std::int64_t m_averageBitrate = 0;
    std::string m_codec;

    // What the resampler was set up for.
    int m_inRate = 0;
    int m_inFormat = -1;
    int m_inChannels = 0;

    std::vector<float> m_samples;
    std::size_t m_frames = 0;
    bool m_sentEnd = false;
    bool m_decoderDrained = false;
    bool m_ended = false;
    bool m_packetHeld = false;  // the decoder asked for this packet again later
    int m_failedDecodes = 0;    // decoding errors in a row
    int m_failedReads = 0;      // demuxer errors in a row at one position
    std::uint64_t m_failedAt = 0;
    // A stretch not decoded, reported before the next block or the end.
    std::int64_t m_skipOffset = -1;
    std::int64_t m_skipBytes = 0;
    bool m_held = false;  // a block or end produced behind a Skipped step
    Produced m_heldKind = Produced::End;
};
