// SPDX-License-Identifier: GPL-3.0-or-later
#include "LameStream.h"

#include <climits>
#include <initializer_list>

namespace {

// LAME's documented worst case for one encode call: 1.25 bytes a sample plus
// room for the frames still waiting in its buffers.
constexpr std::uint64_t kEncodeSlack = 7200;

constexpr std::uint32_t kLargestEmphasis = 3;

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
    error = applyRecord(flags.get(), config);
    if (error != be::kErrSuccessful) {
        return nullptr;
    }
    return std::unique_ptr<LameStream>(new LameStream(std::move(flags), config));
}

LameStream::LameStream(LamePtr flags, const be::Config& config)
    : flags_(std::move(flags)),
      channels_(inputChannels(config.mode)),
      inRate_(config.sampleRate),
      outRate_(wantedOutRate(config))
{
}

std::uint32_t LameStream::checkRecord(const be::Config& config)
{
    if (config.format != be::kConfigLame || config.version != be::kConfigVersion || config.size != be::kConfigSize) {
        return be::kErrInvalidFormat;
    }
    const bool knownMode = config.mode >= be::kModeStereo && config.mode <= be::kModeMono;
    const bool numbersFit = fitsInt(config.sampleRate) && fitsInt(config.reSampleRate) && fitsInt(config.bitrate);
    if (!knownMode || !numbersFit || config.sampleRate == 0 || config.bitrate == 0
        || config.emphasis > kLargestEmphasis) {
        return be::kErrInvalidFormatParameters;
    }
    return be::kErrSuccessful;
}

std::uint32_t LameStream::applyRecord(lame_global_flags* flags, const be::Config& config)
{
    lame_set_write_id3tag_automatic(flags, 0);
    const bool set = allSucceeded({
        lame_set_in_samplerate(flags, static_cast<int>(config.sampleRate)),
        lame_set_num_channels(flags, inputChannels(config.mode)),
        lame_set_mode(flags, lameMode(config.mode)),
        lame_set_out_samplerate(flags, static_cast<int>(wantedOutRate(config))),
        lame_set_VBR(flags, vbr_off),
        lame_set_brate(flags, static_cast<int>(config.bitrate)),
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
    return lame_get_brate(flags) == static_cast<int>(config.bitrate)
        && lame_get_out_samplerate(flags) == static_cast<int>(wantedOutRate(config)) && lame_get_VBR(flags) == vbr_off
        && lame_get_mode(flags) == lameMode(config.mode) && lame_get_num_channels(flags) == inputChannels(config.mode);
}

std::uint32_t LameStream::chunkSize() const
{
    return static_cast<std::uint32_t>(lame_get_framesize(flags_.get()) * channels_);
}

std::uint32_t LameStream::outputBound(std::uint32_t values) const
{
    const std::uint64_t outValues = (std::uint64_t{values} * outRate_ + inRate_ - 1) / inRate_;
    const std::uint64_t bound = outValues + (outValues + 3) / 4 + kEncodeSlack;
    return bound <= static_cast<std::uint64_t>(INT_MAX) ? static_cast<std::uint32_t>(bound) : 0;
}

std::uint32_t LameStream::encode(const std::int16_t* pcm, std::uint32_t values, std::uint8_t* output,
                                 std::uint32_t& written)
{
    written = 0;
    const std::uint32_t frames = values / static_cast<std::uint32_t>(channels_);
    const std::uint32_t room = outputBound(values);
    if (frames == 0) {
        return be::kErrSuccessful;
    }
    if (pcm == nullptr || output == nullptr || room == 0) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(mutex_);
    if (flushed_) {
        return be::kErrEncodeFailed;
    }
    const int result = encodeFrames(pcm, static_cast<int>(frames), output, static_cast<int>(room));
    if (result < 0) {
        return be::kErrEncodeFailed;
    }
    written = static_cast<std::uint32_t>(result);
    return be::kErrSuccessful;
}

int LameStream::encodeFrames(const std::int16_t* pcm, int frames, std::uint8_t* output, int room)
{
    if (channels_ == 1) {
        return lame_encode_buffer(flags_.get(), pcm, pcm, frames, output, room);
    }
    // LAME only reads the samples; its signature merely lacks the const.
    return lame_encode_buffer_interleaved(flags_.get(), const_cast<std::int16_t*>(pcm), frames, output, room);
}

std::uint32_t LameStream::flush(std::uint8_t* output, std::uint32_t& written)
{
    written = 0;
    if (output == nullptr) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(mutex_);
    if (flushed_) {
        return be::kErrEncodeFailed;
    }
    flushed_ = true;
    const int result = lame_encode_flush(flags_.get(), output, static_cast<int>(be::kDeinitOutputSize));
    if (result < 0) {
        return be::kErrEncodeFailed;
    }
    written = static_cast<std::uint32_t>(result);
    return be::kErrSuccessful;
}

std::uint32_t LameStream::infoTag(std::uint8_t* output, std::uint32_t size, std::uint32_t& written)
{
    written = 0;
    if (output == nullptr) {
        return be::kErrEncodeFailed;
    }
    std::lock_guard lock(mutex_);
    // Before the flush the counts and the padding are not known yet.
    if (!flushed_ || lame_get_bWriteVbrTag(flags_.get()) == 0) {
        return be::kErrEncodeFailed;
    }
    // LAME answers a buffer that is too small with the length it needs, and
    // a frame too short to hold the header (8 kbit/s at 8 kHz) with 0: it
    // then wrote no placeholder either.
    const std::size_t length = lame_get_lametag_frame(flags_.get(), output, size);
    if (length > size) {
        return be::kErrEncodeFailed;
    }
    written = static_cast<std::uint32_t>(length);
    return be::kErrSuccessful;
}
