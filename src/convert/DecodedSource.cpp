// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/DecodedSource.h"

#include "convert/FfmpegLibraries.h"
#include "convert/SourceFormats.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

namespace {

// FFmpeg's functions: Open() loaded them before any object of theirs exists.
const FfmpegLibraries& Av()
{
    static const FfmpegLibraries* const loaded = [] {
        std::string problem;
        return FfmpegLibraries::Load(problem);
    }();
    return *loaded;
}

constexpr int kIoBufferSize = 64 * 1024;
// Demuxer errors in a row, without the reading position moving on, that end the stream.
constexpr int kStuckReads = 32;

// The codecs these containers carry that are decoded; anything else in them is refused.
constexpr std::array kLosslessCodecs{
    AV_CODEC_ID_FLAC,      AV_CODEC_ID_ALAC,      AV_CODEC_ID_APE,       AV_CODEC_ID_WAVPACK,   AV_CODEC_ID_WMALOSSLESS,
    AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_PCM_S16BE, AV_CODEC_ID_PCM_U8,    AV_CODEC_ID_PCM_S8,    AV_CODEC_ID_PCM_S24LE,
    AV_CODEC_ID_PCM_S24BE, AV_CODEC_ID_PCM_S32LE, AV_CODEC_ID_PCM_S32BE, AV_CODEC_ID_PCM_F32LE, AV_CODEC_ID_PCM_F32BE,
    AV_CODEC_ID_PCM_F64LE, AV_CODEC_ID_PCM_F64BE,
};
constexpr std::array kLossyCodecs{
    AV_CODEC_ID_VORBIS, AV_CODEC_ID_OPUS,   AV_CODEC_ID_AAC,      AV_CODEC_ID_WMAV1,
    AV_CODEC_ID_WMAV2,  AV_CODEC_ID_WMAPRO, AV_CODEC_ID_PCM_ALAW, AV_CODEC_ID_PCM_MULAW,
};

template <typename Table> bool Contains(const Table& table, AVCodecID id)
{
    return std::find(table.begin(), table.end(), id) != table.end();
}

// No demuxer of ours may open a second file (a playlist entry, a reference
// in an MP4, a chained segment): every such attempt is refused.
int RefuseOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

// The rate the encoder is handed: rates above 48 kHz go to 44.1 or 48 kHz,
// whichever family the source's rate belongs to.
int HandedRate(int rate)
{
    if (rate <= 48000)
        return rate;
    return rate % 11025 == 0 ? 44100 : 48000;
}

std::string ErrorText(int error)
{
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    Av().av_strerror(error, text.data(), text.size());
    return text.data();
}

// The ASF header's content-encryption objects (Windows Media DRM).
bool AsfHeaderIsEncrypted(const std::uint8_t* header, std::size_t length)
{
    static constexpr std::array<std::array<std::uint8_t, 16>, 2> kGuids{{
        {0xFB, 0xB3, 0x11, 0x22, 0x23, 0xBD, 0xD2, 0x11, 0xB4, 0xB7, 0x00, 0xA0, 0xC9, 0x55, 0xFC, 0x6E},
        {0x14, 0xE6, 0x8A, 0x29, 0x22, 0x26, 0x17, 0x4C, 0xB9, 0x35, 0xDA, 0xE0, 0x7E, 0xE9, 0x28, 0x9C},
    }};
    for (const auto& guid : kGuids) {
        if (std::search(header, header + length, guid.begin(), guid.end()) != header + length)
            return true;
    }
    return false;
}

}  // namespace

void DecodedSource::FormatCloser::operator()(AVFormatContext* context) const
{
    Av().avformat_close_input(&context);
}
void DecodedSource::IoCloser::operator()(AVIOContext* io) const
{
    Av().av_freep(&io->buffer);
    Av().avio_context_free(&io);
}
void DecodedSource::CodecCloser::operator()(AVCodecContext* context) const
{
    Av().avcodec_free_context(&context);
}
void DecodedSource::PacketCloser::operator()(AVPacket* packet) const
{
    Av().av_packet_free(&packet);
}
void DecodedSource::FrameCloser::operator()(AVFrame* frame) const
{
    Av().av_frame_free(&frame);
}
void DecodedSource::ResamplerCloser::operator()(SwrContext* resampler) const
{
    Av().swr_free(&resampler);
}

DecodedSource::DecodedSource(Reader reader, std::uint64_t size, Translator language)
    : m_reader(std::move(reader)), m_size(size), m_language(language)
{
}

// The container goes before the reader it reads through.
DecodedSource::~DecodedSource()
{
    m_resampler.reset();
    m_decoder.reset();
    m_container.reset();
    m_io.reset();
}

int DecodedSource::ReadPacket(void* opaque, std::uint8_t* buffer, int size)
{
    auto* self = static_cast<DecodedSource*>(opaque);
    if (self->m_offset >= self->m_size)
        return AVERROR_EOF;
    const long long count = self->m_reader(self->m_offset, buffer, static_cast<std::size_t>(size));
    if (count < 0) {
        self->m_readFailed = true;
        return AVERROR(EIO);
    }
    if (count == 0)
        return AVERROR_EOF;
    self->m_offset += static_cast<std::uint64_t>(count);
    return static_cast<int>(count);
}

std::int64_t DecodedSource::Seek(void* opaque, std::int64_t offset, int whence)
{
    auto* self = static_cast<DecodedSource*>(opaque);
    const auto size = static_cast<std::int64_t>(self->m_size);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += static_cast<std::int64_t>(self->m_offset);
        break;
    case SEEK_END:
        offset += size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0)
        return AVERROR(EINVAL);
    self->m_offset = static_cast<std::uint64_t>(offset);
    return offset;
}

bool DecodedSource::Refuse(EngineText reason, std::initializer_list<std::string> values)
{
    m_refusal = m_language.Text(reason, values);
    return false;
}

bool DecodedSource::Open(const SourceFormat& format)
{
    // What goes wrong reaches the job's log through Next(); FFmpeg's own
    // messages would only clutter the terminal.
    std::string problem;
    const FfmpegLibraries* av = FfmpegLibraries::Load(problem);
    if (av == nullptr)
        return Refuse(ENGINE_TEXT("DecodedSource", "FFmpeg's libraries could not be loaded (%1)"), {problem});
    static std::once_flag quiet;
    std::call_once(quiet, [av] { av->av_log_set_level(AV_LOG_QUIET); });
    return OpenContainer(format) && FindAudioStream() && OpenDecoder() && FirstPacketClear();
}

// An MP4 protected by common encryption says so only on its packets: the
// first one of the stream is read now (and kept for the decoder).
bool DecodedSource::FirstPacketClear()
{
    for (int packets = 0; packets < kStuckReads; ++packets) {
        if (Av().av_read_frame(m_container.get(), m_packet.get()) < 0)
            return true;  // decoding tells what is wrong
        if (m_packet->stream_index == m_stream) {
            m_packetHeld = true;
            if (Av().av_packet_get_side_data(m_packet.get(), AV_PKT_DATA_ENCRYPTION_INFO, nullptr) != nullptr)
                return Refuse(ENGINE_TEXT("DecodedSource", "it is encrypted (DRM)"));
            return true;
        }
        Av().av_packet_unref(m_packet.get());
    }
    return true;
}

bool DecodedSource::OpenContainer(const SourceFormat& format)
{
    const AVInputFormat* demuxer = Av().av_find_input_format(std::string(format.demuxer).c_str());
    auto* buffer = static_cast<std::uint8_t*>(Av().av_malloc(kIoBufferSize));
    if (demuxer == nullptr || buffer == nullptr) {
        Av().av_free(buffer);
        return Refuse(ENGINE_TEXT("DecodedSource", "no decoder for it is installed"));
    }
    m_io.reset(Av().avio_alloc_context(buffer, kIoBufferSize, 0, this, &ReadPacket, nullptr, &Seek));
    if (!m_io) {
        Av().av_free(buffer);
        return Refuse(ENGINE_TEXT("DecodedSource", "out of memory"));
    }
    AVFormatContext* context = Av().avformat_alloc_context();
    if (context == nullptr)
        return Refuse(ENGINE_TEXT("DecodedSource", "out of memory"));
    context->pb = m_io.get();
    context->flags |= AVFMT_FLAG_CUSTOM_IO;
    context->io_open = &RefuseOpen;
    context->format_whitelist = Av().av_strdup(SourceFormat::DemuxerWhitelist());
    context->protocol_whitelist = Av().av_strdup("file");
    const int opened = Av().avformat_open_input(&context, "", demuxer, nullptr);
    if (opened < 0)  // the context is freed on failure
        return m_readFailed ? Refuse(ENGINE_TEXT("DecodedSource", "it could not be read"))
                            : Refuse(ENGINE_TEXT("DecodedSource", "its header is damaged (%1)"), {ErrorText(opened)});
    m_container.reset(context);
    return true;
}

bool DecodedSource::FindAudioStream()
{
    for (unsigned i = 0; i < m_container->nb_streams; ++i) {
        AVStream* stream = m_container->streams[i];
        const bool audio = stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO
            && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0;
        if (audio && m_stream < 0)
            m_stream = static_cast<int>(i);
        else
            stream->discard = AVDISCARD_ALL;  // video, covers, further audio
    }
    if (m_stream < 0)
        return Refuse(ENGINE_TEXT("DecodedSource", "it holds no audio stream"));
    if (Encrypted())
        return Refuse(ENGINE_TEXT("DecodedSource", "it is encrypted (DRM)"));
    const AVCodecParameters* parameters = m_container->streams[m_stream]->codecpar;
    m_lossless = Contains(kLosslessCodecs, parameters->codec_id);
    if (!m_lossless && !Contains(kLossyCodecs, parameters->codec_id))
        return Refuse(ENGINE_TEXT("DecodedSource", "its audio codec %1 is not supported"),
                      {Av().avcodec_get_name(parameters->codec_id)});
    m_codec = Av().avcodec_get_name(parameters->codec_id);
    return true;
}

// Protected streams decode to noise or not at all: they are refused by name.
bool DecodedSource::Encrypted() const
{
    const AVStream* stream = m_container->streams[m_stream];
    const std::uint32_t tag = stream->codecpar->codec_tag;
    if (tag == MKTAG('e', 'n', 'c', 'a') || tag == MKTAG('d', 'r', 'm', 's') || tag == MKTAG('d', 'r', 'm', 'i'))
        return true;
    if (Av().av_stream_get_side_data(stream, AV_PKT_DATA_ENCRYPTION_INIT_INFO, nullptr) != nullptr)
        return true;
    if (std::strcmp(m_container->iformat->name, "asf") == 0) {
        // The header object: its size follows its GUID.
        std::array<std::uint8_t, 24> head{};
        if (m_reader(0, head.data(), head.size()) != static_cast<long long>(head.size()))
            return false;
        std::uint64_t length = 0;
        for (int i = 7; i >= 0; --i)
            length = length << 8 | head[16 + static_cast<std::size_t>(i)];
        std::vector<std::uint8_t> header(static_cast<std::size_t>(std::min<std::uint64_t>(length, 1 << 20)));
        const long long read = m_reader(0, header.data(), header.size());
        return read > 0 && AsfHeaderIsEncrypted(header.data(), static_cast<std::size_t>(read));
    }
    return false;
}

bool DecodedSource::OpenDecoder()
{
    AVStream* stream = m_container->streams[m_stream];
    const AVCodec* codec = Av().avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr)
        return Refuse(ENGINE_TEXT("DecodedSource", "no decoder for %1 is installed"), {m_codec});
    m_decoder.reset(Av().avcodec_alloc_context3(codec));
    m_packet.reset(Av().av_packet_alloc());
    m_frame.reset(Av().av_frame_alloc());
    if (!m_decoder || !m_packet || !m_frame)
        return Refuse(ENGINE_TEXT("DecodedSource", "out of memory"));
    if (Av().avcodec_parameters_to_context(m_decoder.get(), stream->codecpar) < 0)
        return Refuse(ENGINE_TEXT("DecodedSource", "out of memory"));
    // The packets' time base lets the decoder apply skip and trim side data.
    m_decoder->pkt_timebase = stream->time_base;
    m_decoder->thread_count = 1;
    const int opened = Av().avcodec_open2(m_decoder.get(), codec, nullptr);
    if (opened < 0)
        return Refuse(ENGINE_TEXT("DecodedSource", "its %1 stream cannot be decoded: %2"),
                      {m_codec, ErrorText(opened)});
    m_sourceRate = m_decoder->sample_rate;
    m_sourceChannels = m_decoder->ch_layout.nb_channels;
    if (m_sourceRate <= 0 || m_sourceChannels <= 0)
        return Refuse(ENGINE_TEXT("DecodedSource", "its %1 stream names no sample rate or channels"), {m_codec});
    m_rate = HandedRate(m_sourceRate);
    m_channels = std::min(m_sourceChannels, 2);
    MeasureBitrate();
    return true;
}

// The bits the stream takes per second on average: an MP4's sample table
// and an ASF stream's header tell the audio's own (ASF packets carry much
// padding); elsewhere the file's bytes over its length.
void DecodedSource::MeasureBitrate()
{
    const AVStream* stream = m_container->streams[m_stream];
    const bool declared = std::strcmp(m_container->iformat->name, "mov,mp4,m4a,3gp,3g2,mj2") == 0
        || std::strcmp(m_container->iformat->name, "asf") == 0;
    if (declared && stream->codecpar->bit_rate > 0) {
        m_averageBitrate = stream->codecpar->bit_rate;
        return;
    }
    double seconds = 0;
    if (m_container->duration > 0)
        seconds = static_cast<double>(m_container->duration) / AV_TIME_BASE;
    else if (stream->duration > 0)
        seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    if (seconds > 0)
        m_averageBitrate = static_cast<std::int64_t>(static_cast<double>(m_size) * 8 / seconds);
    else
        m_averageBitrate = stream->codecpar->bit_rate > 0 ? stream->codecpar->bit_rate : m_container->bit_rate;
}

std::uint64_t DecodedSource::Position() const
{
    return std::min(m_offset, m_size);
}

void DecodedSource::NoteSkipped(std::int64_t offset, std::int64_t bytes)
{
    if (m_skipOffset < 0)
        m_skipOffset = std::max<std::int64_t>(offset, 0);
    m_skipBytes += std::max<std::int64_t>(bytes, 0);
}

DecodedSource::Step DecodedSource::Next()
{
    Produced produced = Produced::End;
    if (m_held) {
        m_held = false;
        produced = m_heldKind;
    } else {
        produced = Produce();
        // A stretch that could not be decoded is reported before what follows it.
        if (m_skipOffset >= 0 && produced != Produced::ReadFailed) {
            Step skipped{Step::Kind::Skipped, static_cast<std::uint64_t>(m_skipOffset),
                         static_cast<std::uint64_t>(m_skipBytes), Position()};
            m_skipOffset = -1;
            m_skipBytes = 0;
            m_held = true;
            m_heldKind = produced;
            return skipped;
        }
    }
    Step step;
    step.position = produced == Produced::End ? m_size : Position();
    step.kind = produced == Produced::Block ? Step::Kind::Block
        : produced == Produced::End         ? Step::Kind::End
                                            : Step::Kind::ReadFailed;
    return step;
}

DecodedSource::Produced DecodedSource::Produce()
{
    m_frames = 0;
    while (!m_ended) {
        if (m_readFailed)
            return Produced::ReadFailed;
        if (m_decoderDrained) {
            m_ended = true;
            if (Drain())
                return Produced::Block;
            break;
        }
        const int received = Av().avcodec_receive_frame(m_decoder.get(), m_frame.get());
        if (received == 0) {
            const bool converted = Convert(m_frame.get());
            Av().av_frame_unref(m_frame.get());
            if (converted && m_frames > 0)
                return Produced::Block;
            continue;
        }
        if (received == AVERROR_EOF) {
            m_decoderDrained = true;
            continue;
        }
        // A decoding error loses the packet it came from; a decoder that
        // keeps failing without input is asked for no more.
        if (received != AVERROR(EAGAIN) && ++m_failedDecodes < kStuckReads) {
            NoteSkipped(static_cast<std::int64_t>(Position()), 0);
            continue;
        }
        m_failedDecodes = 0;
        if (m_sentEnd) {
            m_decoderDrained = true;
            continue;
        }
        const int read = m_packetHeld ? 0 : Av().av_read_frame(m_container.get(), m_packet.get());
        m_packetHeld = false;
        if (read < 0) {
            if (m_readFailed)
                return Produced::ReadFailed;
            // A damaged container part: the demuxer resynchronises, unless
            // it is stuck, which ends the stream like its end.
            const bool stuck = Position() == m_failedAt && ++m_failedReads >= kStuckReads;
            if (read == AVERROR_EOF || stuck || Av().avio_feof(m_container->pb)) {
                Av().avcodec_send_packet(m_decoder.get(), nullptr);
                m_sentEnd = true;
            } else if (Position() != m_failedAt) {
                m_failedAt = Position();
                m_failedReads = 0;
            }
            continue;
        }
        if (m_packet->stream_index == m_stream) {
            const int sent = Av().avcodec_send_packet(m_decoder.get(), m_packet.get());
            if (sent == AVERROR(EAGAIN)) {
                m_packetHeld = true;  // sent again once the decoder's frames are taken
                continue;
            }
            if (sent < 0)
                NoteSkipped(m_packet->pos >= 0 ? m_packet->pos : static_cast<std::int64_t>(Position()), m_packet->size);
        }
        Av().av_packet_unref(m_packet.get());
    }
    return Produced::End;
}

bool DecodedSource::SetUpResampler(const AVFrame* frame)
{
    AVChannelLayout in{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels == 0)
        Av().av_channel_layout_default(
            &in, frame->ch_layout.nb_channels > 0 ? frame->ch_layout.nb_channels : m_sourceChannels);
    else
        Av().av_channel_layout_copy(&in, &frame->ch_layout);
    AVChannelLayout out{};
    Av().av_channel_layout_default(&out, m_channels);
    SwrContext* resampler = nullptr;
    // More channels go to stereo by the standard downmix matrix (centre and
    // surrounds at -3 dB), normalised so that the mix cannot clip.
    const int set
        = Av().swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_FLT, m_rate, &in,
                                   static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    Av().av_channel_layout_uninit(&in);
    Av().av_channel_layout_uninit(&out);
    m_resampler.reset(resampler);
    if (set < 0 || Av().swr_init(resampler) < 0) {
        m_resampler.reset();
        return false;
    }
    m_inRate = frame->sample_rate;
    m_inFormat = frame->format;
    m_inChannels = frame->ch_layout.nb_channels;
    return true;
}

// Converts one decoded frame to interleaved float at the handed rate and
// channels. A frame whose format changed mid-stream (a chained Ogg stream)
// gets a resampler of its own; the stream keeps the first rate and layout.
bool DecodedSource::Convert(const AVFrame* frame)
{
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0)
        return false;
    if (!m_resampler || frame->sample_rate != m_inRate || frame->format != m_inFormat
        || frame->ch_layout.nb_channels != m_inChannels) {
        if (!SetUpResampler(frame)) {
            NoteSkipped(static_cast<std::int64_t>(Position()), 0);
            return false;
        }
    }
    const int room = Av().swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (room <= 0)
        return true;
    m_samples.resize(static_cast<std::size_t>(room) * static_cast<std::size_t>(m_channels));
    auto* out = reinterpret_cast<std::uint8_t*>(m_samples.data());
    const int converted = Av().swr_convert(m_resampler.get(), &out, room,
                                           const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
    m_frames = converted > 0 ? static_cast<std::size_t>(converted) : 0;
    return converted >= 0;
}

// The resampler's last samples, once the decoder has handed over its last frame.
bool DecodedSource::Drain()
{
    m_frames = 0;
    if (!m_resampler || m_inRate == m_rate)
        return false;
    const int room = Av().swr_get_out_samples(m_resampler.get(), 0);
    if (room <= 0)
        return false;
    m_samples.resize(static_cast<std::size_t>(room) * static_cast<std::size_t>(m_channels));
    auto* out = reinterpret_cast<std::uint8_t*>(m_samples.data());
    const int converted = Av().swr_convert(m_resampler.get(), &out, room, nullptr, 0);
    m_frames = converted > 0 ? static_cast<std::size_t>(converted) : 0;
    return m_frames > 0;
}
