// SPDX-License-Identifier: GPL-3.0-or-later
#include "LameStream.h"

#include <array>
#include <climits>
#include <cstring>
#include <initializer_list>

namespace {

// LAME's documented worst case for one encode call: 1.25 bytes a sample plus
// room for the frames still waiting in its buffers.
constexpr std::uint64_t kEncodeSlack = 7200;

constexpr std::uint32_t kLargestEmphasis = 3;

// The average bitrates LAME accepts, bit/s.
constexpr std::uint32_t kLeastAverage = 8000;
constexpr std::uint32_t kLargestAverage = 320000;

constexpr std::array<std::uint32_t, 14> kMpeg1Bitrates
    = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<std::uint32_t, 14> kMpeg2Bitrates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

MPEG_mode lameMode(std::int32_t mode)
{
    switch (mode) {
    case be::kModeStereo:
        return STEREO;
    case be::kModeDualChannel:
        return DUAL_CHANNEL;
    case be::kModeMono:
        return MONO;
    default:
        return JOINT_STEREO;
    }
}

int inputChannels(std::int32_t mode)
{
    return mode == be::kModeMono ? 1 : 2;
}

// The output rate asked for: the explicit one, or the input rate.
std::uint32_t wantedOutRate(const be::Config& config)
{
    return config.reSampleRate != 0 ? config.reSampleRate : config.sampleRate;
}

bool fitsInt(std::uint32_t value)
{
    return value <= static_cast<std::uint32_t>(INT_MAX);
}

bool isVbr(const be::Config& config)
{
    return config.enableVbr != 0;
}

bool isAbr(const be::Config& config)
{
    return isVbr(config) && config.vbrMethod == be::kVbrMethodAbr;
}

int averageKbps(const be::Config& config)
{
    return static_cast<int>((config.abrBitrate + 500) / 1000);
}

bool validRateControl(const be::Config& config)
{
    if (!isVbr(config)) {
        return config.bitrate != 0;
    }
    if (config.vbrMethod == be::kVbrMethodMtrh) {
        return config.vbrQuality >= be::kVbrQualityBest && config.vbrQuality <= be::kVbrQualityLeast;
    }
    return config.vbrMethod == be::kVbrMethodAbr && config.abrBitrate >= kLeastAverage
        && config.abrBitrate <= kLargestAverage;
}

int setRateControl(lame_global_flags* flags, const be::Config& config)
{
    if (!isVbr(config)) {
        return lame_set_VBR(flags, vbr_off) | lame_set_brate(flags, static_cast<int>(config.bitrate));
    }
    if (isAbr(config)) {
        return lame_set_VBR(flags, vbr_abr) | lame_set_VBR_mean_bitrate_kbps(flags, averageKbps(config));
    }
    return lame_set_VBR(flags, vbr_mtrh) | lame_set_VBR_q(flags, config.vbrQuality);
}

bool allSucceeded(std::initializer_list<int> results)
{
    for (int result : results) {
        if (result != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<LameStream> LameStream::open(const be::Config& config, std::uint32_t& error)
{
    error = checkRecord(config);
    if (error != be::kErrSuccessful) {
        return nullptr;
    }
    LamePtr flags(lame_init());
    if (!flags) {
        error = be::kErrNoMoreHandles;
        return nullptr;
    }
    error = applyRecord(flags.get(), config, 0);
    if (error != be::kErrSuccessful) {
        return nullptr;
    }
    const int lowpass = lame_get_lowpassfreq(flags.get());
    std::unique_ptr<LameStream> stream(new LameStream(std::move(flags), config));
    if (config.writeVbrHeader != 0 && !lameTagFits(config)) {
        // Empty when even that fails: the stream then has no Info frame.
        stream->m_ownInfoFrame = infoFrameTemplate(config, lowpass);
    }
    return stream;
}

LameStream::LameStream(LamePtr flags, const be::Config& config)
    : m_flags(std::move(flags)),
      m_channels(inputChannels(config.mode)),
      m_inRate(config.sampleRate),
      m_outRate(wantedOutRate(config))
{
}

std::uint32_t LameStream::checkRecord(const be::Config& config)
{
    if (config.format != be::kConfigLame || config.version != be::kConfigVersion || config.size != be::kConfigSize) {
        return be::kErrInvalidFormat;
    }
    const bool knownMode = config.mode >= be::kModeStereo && config.mode <= be::kModeMono;
    const bool numbersFit = fitsInt(config.sampleRate) && fitsInt(config.reSampleRate) && fitsInt(config.bitrate);
    if (!knownMode || !numbersFit || config.sampleRate == 0 || !validRateControl(config)
        || config.emphasis > kLargestEmphasis) {
        return be::kErrInvalidFormatParameters;
    }
    return be::kErrSuccessful;
}

std::uint32_t LameStream::applyRecord(lame_global_flags* flags, const be::Config& config, int lowpass)
{
    lame_set_write_id3tag_automatic(flags, 0);
    const bool set = allSucceeded({
        lame_set_in_samplerate(flags, static_cast<int>(config.sampleRate)),
        lame_set_num_channels(flags, inputChannels(config.mode)),
        lame_set_mode(flags, lameMode(config.mode)),
        lame_set_out_samplerate(flags, static_cast<int>(wantedOutRate(config))),
        setRateControl(flags, config),
        lowpass > 0 ? lame_set_lowpassfreq(flags, lowpass) : 0,
        lame_set_bWriteVbrTag(flags, config.writeVbrHeader != 0 ? 1 : 0),
        lame_set_error_protection(flags, config.crc != 0 ? 1 : 0),
        lame_set_disable_reservoir(flags, config.noBitReservoir != 0 ? 1 : 0),
        lame_set_copyright(flags, config.copyright != 0 ? 1 : 0),
        lame_set_original(flags, config.original != 0 ? 1 : 0),
        lame_set_extension(flags, config.privateBit != 0 ? 1 : 0),
        lame_set_emphasis(flags, static_cast<int>(config.emphasis)),
        // LAME's own default (the largest frame the format allows) unless
        // the record asks for strict ISO; its 0 would be a tighter limit still.
        lame_set_strict_ISO(flags, config.strictIso != 0 ? 1 : lame_get_strict_ISO(flags)),
        lame_set_findReplayGain(flags, 0),
        lame_set_decode_on_the_fly(flags, 0),
    });
    if (!set || lame_init_params(flags) < 0 || !confirmSettings(flags, config)) {
        return be::kErrInvalidFormatParameters;
    }
    return be::kErrSuccessful;
}

// LAME quietly moves a bitrate, rate or mode it cannot use to the nearest one
// it can; such a stream is refused rather than encoded at other settings.
bool LameStream::confirmSettings(lame_global_flags* flags, const be::Config& config)
{
    bool rateControl = false;
    if (!isVbr(config)) {
        rateControl = lame_get_VBR(flags) == vbr_off && lame_get_brate(flags) == static_cast<int>(config.bitrate);
    } else if (isAbr(config)) {
        rateControl = lame_get_VBR(flags) == vbr_abr && lame_get_VBR_mean_bitrate_kbps(flags) == averageKbps(config);
    } else {
        rateControl = lame_get_VBR(flags) == vbr_mtrh && lame_get_VBR_q(flags) == config.vbrQuality;
    }
    return rateControl && lame_get_out_samplerate(flags) == static_cast<int>(wantedOutRate(config))
        && lame_get_mode(flags) == lameMode(config.mode) && lame_get_num_channels(flags) == inputChannels(config.mode);
}

// Whether LAME's Info frame fits a frame of the stream, as LAME judges it:
// the side information and the 156 bytes of the Xing header and LAME tag.
// Variable and average bitrates put it in a frame of their own choice.
bool LameStream::lameTagFits(const be::Config& config)
{
    if (isVbr(config)) {
        return true;
    }
    const std::uint64_t rate = wantedOutRate(config);
    const bool mpeg1 = rate >= 32000;
    const bool mono = config.mode == be::kModeMono;
    const std::uint64_t sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const std::uint64_t needed = 4 + sideInfo + (config.crc != 0 ? 2 : 0) + LameTagFrame::kTagLength;
    const std::uint64_t frame = (mpeg1 ? 144000 : 72000) * std::uint64_t{config.bitrate} / rate;
    return frame >= needed;
}

// The Info frame LAME makes for the same settings at the smallest bitrate
// whose frame holds it, with the stream's lowpass, so every field LAME
// decides (quality, flags, stereo and noise-shaping bits) is its own; the
// fields of the stream itself are filled in at its end.
std::vector<std::uint8_t> LameStream::infoFrameTemplate(const be::Config& config, int lowpass)
{
    const bool mpeg1 = wantedOutRate(config) >= 32000;
    for (std::uint32_t kbps : mpeg1 ? kMpeg1Bitrates : kMpeg2Bitrates) {
        be::Config larger = config;
        larger.bitrate = kbps;
        if (kbps <= config.bitrate || !lameTagFits(larger)) {
            continue;
        }
        LamePtr twin(lame_init());
        if (!twin || applyRecord(twin.get(), larger, lowpass) != be::kErrSuccessful) {
            return {};
        }
        const int frames = lame_get_framesize(twin.get());
        std::vector<std::int16_t> silence(static_cast<std::size_t>(frames) * 2, 0);
        std::vector<std::uint8_t> scratch(be::kDeinitOutputSize + 2 * be::kInfoTagOutputSize);
        const int room = static_cast<int>(scratch.size());
        if (lame_encode_buffer(twin.get(), silence.data(), silence.data(), frames, scratch.data(), room) < 0
            || lame_encode_flush(twin.get(), scratch.data(), room) < 0) {
            return {};
        }
        std::vector<std::uint8_t> frame(be::kInfoTagOutputSize);
        const std::size_t length = lame_get_lametag_frame(twin.get(), frame.data(), frame.size());
        if (length == 0 || length > frame.size()) {
            return {};
        }
        frame.resize(length);
        if (!LameTagFrame::SetBitrate(frame.data(), frame.size(), static_cast<int>(config.bitrate))) {
            return {};
        }
        return frame;
    }
    return {};
}

std::uint32_t LameStream::chunkSize() const
{
    return static_cast<std::uint32_t>(lame_get_framesize(m_flags.get()) * m_channels);
}

std::uint32_t LameStream::outputBound(std::uint32_t values) const
{
    const std::uint64_t outValues = (std::uint64_t{values} * m_outRate + m_inRate - 1) / m_inRate;
    const std::uint64_t bound = outValues + (outValues + 3) / 4 + kEncodeSlack + m_ownInfoFrame.size();
    return bound <= static_cast<std::uint64_t>(INT_MAX) ? static_cast<std::uint32_t>(bound) : 0;
}

std::uint32_t LameStream::encode(const std::int16_t* pcm, std::uint32_t values, std::uint8_t* output,
                                 std::uint32_t& written)
{
    return encodeValues(pcm, values, output, written);
}

std::uint32_t LameStream::encode(const float* pcm, std::uint32_t values, std::uint8_t* output, std::uint32_t& written)
{
    return encodeValues(pcm, values, output, written);
}

template <typename Sample>
std::uint32_t LameStream::encodeValues(const Sample* pcm, std::uint32_t values, std::uint8_t* output,
                                       std::uint32_t& written)
{
    written = 0;
    const std::uint32_t frames = values / static_cast<std::uint32_t>(m_channels);
    const std::uint32_t room = outputBound(values);
    if (frames == 0) {
        return be::kErrSuccessful;
    }
    if (pcm == nullptr || output == nullptr || room == 0) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(m_mutex);
    if (m_flushed) {
        return be::kErrEncodeFailed;
    }
    const std::uint32_t lead = placeholder(output);
    const int result = encodeFrames(pcm, static_cast<int>(frames), output + lead, static_cast<int>(room - lead));
    if (result < 0) {
        return be::kErrEncodeFailed;
    }
    if (!m_ownInfoFrame.empty()) {
        m_tally.Add(output + lead, static_cast<std::size_t>(result));
    }
    written = lead + static_cast<std::uint32_t>(result);
    return be::kErrSuccessful;
}

// The zero bytes that hold the place of the stream's own Info frame, ahead
// of its first audio bytes; 0 when there is none or it is written already.
std::uint32_t LameStream::placeholder(std::uint8_t* output)
{
    if (m_ownInfoFrame.empty() || m_placeholderWritten) {
        return 0;
    }
    m_placeholderWritten = true;
    std::memset(output, 0, m_ownInfoFrame.size());
    return static_cast<std::uint32_t>(m_ownInfoFrame.size());
}

int LameStream::encodeFrames(const std::int16_t* pcm, int frames, std::uint8_t* output, int room)
{
    if (m_channels == 1) {
        return lame_encode_buffer(m_flags.get(), pcm, pcm, frames, output, room);
    }
    // LAME only reads the samples; its signature merely lacks the const.
    return lame_encode_buffer_interleaved(m_flags.get(), const_cast<std::int16_t*>(pcm), frames, output, room);
}

int LameStream::encodeFrames(const float* pcm, int frames, std::uint8_t* output, int room)
{
    if (m_channels == 1) {
        return lame_encode_buffer_ieee_float(m_flags.get(), pcm, pcm, frames, output, room);
    }
    return lame_encode_buffer_interleaved_ieee_float(m_flags.get(), pcm, frames, output, room);
}

std::uint32_t LameStream::flush(std::uint8_t* output, std::uint32_t& written)
{
    written = 0;
    if (output == nullptr) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(m_mutex);
    if (m_flushed) {
        return be::kErrEncodeFailed;
    }
    m_flushed = true;
    const std::uint32_t lead = placeholder(output);
    const int result = lame_encode_flush(m_flags.get(), output + lead, static_cast<int>(be::kDeinitOutputSize - lead));
    if (result < 0) {
        return be::kErrEncodeFailed;
    }
    if (!m_ownInfoFrame.empty()) {
        m_tally.Add(output + lead, static_cast<std::size_t>(result));
    }
    written = lead + static_cast<std::uint32_t>(result);
    return be::kErrSuccessful;
}

std::uint32_t LameStream::infoTag(std::uint8_t* output, std::uint32_t size, std::uint32_t& written)
{
    written = 0;
    if (output == nullptr) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(m_mutex);
    // Before the flush the counts and the padding are not known yet.
    if (!m_flushed || lame_get_bWriteVbrTag(m_flags.get()) == 0) {
        return be::kErrEncodeFailed;
    }
    if (!m_ownInfoFrame.empty()) {
        return finishOwnInfoFrame(output, size, written);
    }
    // LAME answers a buffer that is too small with the length it needs, and
    // a frame too short to hold the header (8 kbit/s at 8 kHz) with 0: it
    // then wrote no placeholder either.
    const std::size_t length = lame_get_lametag_frame(m_flags.get(), output, size);
    if (length > size) {
        return be::kErrEncodeFailed;
    }
    if (length > 0 && m_replayGain) {
        LameTagFrame::SetTrackGain(output, length, m_replayGain->first, m_replayGain->second);
    }
    written = static_cast<std::uint32_t>(length);
    return be::kErrSuccessful;
}

std::uint32_t LameStream::finishOwnInfoFrame(std::uint8_t* output, std::uint32_t size, std::uint32_t& written)
{
    const std::size_t length = m_ownInfoFrame.size();
    if (size < length) {
        return be::kErrEncodeFailed;
    }
    std::memcpy(output, m_ownInfoFrame.data(), length);
    const bool filled = LameTagFrame::SetStreamFields(output, length, m_tally.Fields(length))
        && LameTagFrame::SetDelayAndPadding(output, length, lame_get_encoder_delay(m_flags.get()),
                                            lame_get_encoder_padding(m_flags.get()))
        && (!m_replayGain || LameTagFrame::SetTrackGain(output, length, m_replayGain->first, m_replayGain->second));
    if (!filled) {
        return be::kErrEncodeFailed;
    }
    written = static_cast<std::uint32_t>(length);
    return be::kErrSuccessful;
}

std::uint32_t LameStream::setReplayGain(float gainDb, float peak)
{
    std::lock_guard lock(m_mutex);
    m_replayGain = std::make_pair(gainDb, peak);
    return be::kErrSuccessful;
}
