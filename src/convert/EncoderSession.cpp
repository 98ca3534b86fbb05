// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/EncoderSession.h"

#include "convert/InstallLayout.h"
#include "convert/OutputRatePlan.h"
#include "convert/UserPrompt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

EncoderSession::EncoderSession(const std::string& folder, UserPrompt& prompt, Translator language)
    : prompt_(prompt), language_(language)
{
    if (library_.Load(InstallLayout::EncoderLibraryFolders(folder), be::kLibraryFileName)) {
        ResolveEntryPoints();
        if (!entries_.Complete())
            problem_ = language_.Text(ENGINE_TEXT("EncoderSession", "The encoder library %1 found in %2 lacks %3"),
                                      {be::kLibraryFileName, library_.Tried().back(), MissingEntryPoints()});
    } else {
        problem_ = language_.Text(
            ENGINE_TEXT("EncoderSession", "The encoder library %1 was looked for in %2: %3"),
            {be::kLibraryFileName, TriedPlaces(),
             library_.Reason().empty() ? language_(ENGINE_TEXT("EncoderSession", "not found")) : library_.Reason()});
    }
    if (!entries_.Complete()) {
        ready_ = false;
        prompt_.MessageBox(language_(ENGINE_TEXT("EncoderSession", "Init Lame Encoder Error!")));
    }
}

// "A, B and C": the places the library was looked for.
std::string EncoderSession::TriedPlaces() const
{
    const auto& tried = library_.Tried();
    const auto shown = [this](const std::string& place) { return language_("SharedLibrary", place); };
    if (tried.size() < 2)
        return tried.empty() ? std::string() : shown(tried.back());
    std::string head;
    for (std::size_t i = 0; i + 1 < tried.size(); ++i)
        head += (i == 0 ? "" : ", ") + shown(tried[i]);
    return Translator::Fill(language_(ENGINE_TEXT("EncoderSession", "%1 and %2")), {head, shown(tried.back())});
}

std::string EncoderSession::MissingEntryPoints() const
{
    std::string missing;
    const auto add = [&missing](bool present, const char* name) {
        if (!present)
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    };
    add(entries_.init != nullptr, be::kInitStreamName);
    add(entries_.encode != nullptr, be::kEncodeChunkName);
    add(entries_.deinit != nullptr, be::kDeinitStreamName);
    add(entries_.close != nullptr, be::kCloseStreamName);
    return missing;
}

EncoderSession::EncoderSession(const EncoderEntryPoints& entries, UserPrompt& prompt, Translator language)
    : entries_(entries), prompt_(prompt), language_(language)
{
    ready_ = entries_.Complete();
    if (!ready_) {
        problem_ = language_.Text(ENGINE_TEXT("EncoderSession", "The encoder lacks %1"), {MissingEntryPoints()});
        prompt_.MessageBox(language_(ENGINE_TEXT("EncoderSession", "Init Lame Encoder Error!")));
    }
}

EncoderSession::~EncoderSession()
{
    if (started_)
        Close();
}

void EncoderSession::ResolveEntryPoints()
{
    entries_.init = reinterpret_cast<be::InitStreamFn>(library_.Symbol(be::kInitStreamName));
    entries_.encode = reinterpret_cast<be::EncodeChunkFn>(library_.Symbol(be::kEncodeChunkName));
    entries_.deinit = reinterpret_cast<be::DeinitStreamFn>(library_.Symbol(be::kDeinitStreamName));
    entries_.close = reinterpret_cast<be::CloseStreamFn>(library_.Symbol(be::kCloseStreamName));
    entries_.infoTag = reinterpret_cast<be::WriteInfoTagFn>(library_.Symbol(be::kWriteInfoTagName));
    entries_.encodeFloat = reinterpret_cast<be::EncodeChunkFloatFn>(library_.Symbol(be::kEncodeChunkFloatName));
    entries_.setReplayGain = reinterpret_cast<be::SetReplayGainFn>(library_.Symbol(be::kSetReplayGainName));
}

void EncoderSession::ConfigureCommon(int sampleRate, int outputRate, int channels)
{
    std::memset(&config_, 0, sizeof config_);
    config_.format = be::kConfigLame;
    config_.version = be::kConfigVersion;
    config_.size = be::kConfigSize;
    config_.sampleRate = static_cast<std::uint32_t>(sampleRate);
    config_.reSampleRate = static_cast<std::uint32_t>(outputRate);
    config_.mode = channels == 1 ? be::kModeMono : be::kModeJointStereo;
    config_.mpegVersion = be::kMpeg1;
    // Gapless players trim the encoder's delay and padding by this frame.
    config_.writeVbrHeader = entries_.infoTag != nullptr ? 1 : 0;
}

void EncoderSession::Configure(const EncodeSettings& settings, int sampleRate, int channels)
{
    switch (settings.mode) {
    case EncodeSettings::Mode::Vbr:
        ConfigureVariable(settings.quality, sampleRate, channels);
        break;
    case EncodeSettings::Mode::Abr:
        ConfigureAverage(settings.bitrate, sampleRate, channels);
        break;
    case EncodeSettings::Mode::Cbr:
        Configure(settings.bitrate, sampleRate, channels);
        break;
    }
}

void EncoderSession::Configure(int bitrate, int sampleRate, int channels)
{
    ConfigureCommon(sampleRate, OutputRatePlan::Choose(sampleRate, bitrate), channels);
    config_.bitrate = static_cast<std::uint32_t>(bitrate);
    config_.preset = be::kPresetCbr;
}

void EncoderSession::ConfigureVariable(int quality, int sampleRate, int channels)
{
    ConfigureCommon(sampleRate, sampleRate, channels);
    config_.enableVbr = 1;
    config_.vbrMethod = be::kVbrMethodMtrh;
    config_.vbrQuality = quality;
}

void EncoderSession::ConfigureAverage(int kbps, int sampleRate, int channels)
{
    ConfigureCommon(sampleRate, OutputRatePlan::Choose(sampleRate, kbps), channels);
    config_.enableVbr = 1;
    config_.vbrMethod = be::kVbrMethodAbr;
    config_.abrBitrate = static_cast<std::uint32_t>(kbps) * 1000;
}

bool EncoderSession::Start()
{
    if (entries_.init(&config_, &chunkSize_, &outputBound_, &stream_) == be::kErrSuccessful) {
        started_ = true;
        return true;
    }
    entries_.close(stream_);
    prompt_.MessageBox(language_(ENGINE_TEXT("EncoderSession", "Init Lame Stream Failed in Lame")));
    return false;
}

std::uint32_t EncoderSession::Encode(const std::int16_t* pcm, std::uint32_t bytes, std::uint8_t* destination)
{
    const std::uint32_t chunkBytes = 2 * chunkSize_;
    std::uint32_t offset = 0;
    std::uint32_t total = 0;
    auto call = [&](std::uint32_t values) {
        std::uint32_t written = 0;
        if (entries_.encode(stream_, values, pcm + offset / 2, destination + total, &written) != be::kErrSuccessful)
            failed_ = true;
        total += written;
    };
    while (!failed_ && offset + chunkBytes < bytes) {
        call(chunkSize_);
        offset += chunkBytes;
    }
    if (!failed_)
        call((bytes - offset) / 2);
    return total;
}

std::uint32_t EncoderSession::EncodeFloat(const float* pcm, std::uint32_t values, std::uint8_t* destination)
{
    if (entries_.encodeFloat == nullptr)
        return EncodeFloatAs16(pcm, values, destination);
    std::uint32_t offset = 0;
    std::uint32_t total = 0;
    while (!failed_ && offset < values) {
        const std::uint32_t count = std::min(chunkSize_ > 0 ? chunkSize_ : values, values - offset);
        std::uint32_t written = 0;
        if (entries_.encodeFloat(stream_, count, pcm + offset, destination + total, &written) != be::kErrSuccessful)
            failed_ = true;
        total += written;
        offset += count;
    }
    return total;
}

std::uint32_t EncoderSession::EncodeFloatAs16(const float* pcm, std::uint32_t values, std::uint8_t* destination)
{
    std::vector<std::int16_t> shorts(values);
    for (std::uint32_t i = 0; i < values; ++i)
        shorts[i] = static_cast<std::int16_t>(std::lround(std::clamp(pcm[i] * 32768.0f, -32768.0f, 32767.0f)));
    return Encode(shorts.data(), values * 2, destination);
}

std::uint32_t EncoderSession::EncodeRoom(std::uint32_t bytes) const
{
    const std::uint32_t chunkBytes = 2 * chunkSize_;
    const std::uint32_t calls = chunkBytes == 0 ? 1 : (bytes + chunkBytes - 1) / chunkBytes;
    return (calls == 0 ? 1 : calls) * outputBound_;
}

std::uint32_t EncoderSession::Flush(std::uint8_t* destination)
{
    std::uint32_t written = 0;
    if (started_ && !flushed_) {
        if (entries_.deinit(stream_, destination, &written) != be::kErrSuccessful)
            failed_ = true;
        flushed_ = true;
    }
    return written;
}

bool EncoderSession::InfoFrame(std::uint8_t* destination, std::uint32_t& length)
{
    length = 0;
    if (!started_ || !flushed_ || !WritesInfoFrame())
        return false;
    return entries_.infoTag(stream_, destination, be::kInfoTagOutputSize, &length) == be::kErrSuccessful;
}

bool EncoderSession::SetReplayGain(double gainDb, double peak)
{
    if (!started_ || entries_.setReplayGain == nullptr)
        return false;
    return entries_.setReplayGain(stream_, static_cast<float>(gainDb), static_cast<float>(peak)) == be::kErrSuccessful;
}

void EncoderSession::Close()
{
    if (!started_)
        return;
    if (!flushed_) {
        // The stream is dropped either way; what the flush says changes nothing.
        std::vector<std::uint8_t> scratch(50000);
        std::uint32_t written = 0;
        (void)entries_.deinit(stream_, scratch.data(), &written);
    }
    entries_.close(stream_);
    started_ = false;
}
