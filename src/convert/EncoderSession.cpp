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
    : m_prompt(prompt), m_language(language)
{
    if (m_library.Load(InstallLayout::EncoderLibraryFolders(folder), be::kLibraryFileName)) {
        ResolveEntryPoints();
        if (!m_entries.Complete())
            m_problem = m_language.Text(ENGINE_TEXT("EncoderSession", "The encoder library %1 found in %2 lacks %3"),
                                        {be::kLibraryFileName, m_library.Tried().back(), MissingEntryPoints()});
    } else {
        m_problem = m_language.Text(
            ENGINE_TEXT("EncoderSession", "The encoder library %1 was looked for in %2: %3"),
            {be::kLibraryFileName, TriedPlaces(),
             m_library.Reason().empty() ? m_language(ENGINE_TEXT("EncoderSession", "not found")) : m_library.Reason()});
    }
    if (!m_entries.Complete()) {
        m_ready = false;
        m_prompt.MessageBox(m_language(ENGINE_TEXT("EncoderSession", "Init Lame Encoder Error!")));
    }
}

// "A, B and C": the places the library was looked for.
std::string EncoderSession::TriedPlaces() const
{
    const auto& tried = m_library.Tried();
    const auto shown = [this](const std::string& place) { return m_language("SharedLibrary", place); };
    if (tried.size() < 2)
        return tried.empty() ? std::string() : shown(tried.back());
    std::string head;
    for (std::size_t i = 0; i + 1 < tried.size(); ++i)
        head += (i == 0 ? "" : ", ") + shown(tried[i]);
    return Translator::Fill(m_language(ENGINE_TEXT("EncoderSession", "%1 and %2")), {head, shown(tried.back())});
}

std::string EncoderSession::MissingEntryPoints() const
{
    std::string missing;
    const auto add = [&missing](bool present, const char* name) {
        if (!present)
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    };
    add(m_entries.init != nullptr, be::kInitStreamName);
    add(m_entries.encode != nullptr, be::kEncodeChunkName);
    add(m_entries.deinit != nullptr, be::kDeinitStreamName);
    add(m_entries.close != nullptr, be::kCloseStreamName);
    return missing;
}

EncoderSession::EncoderSession(const EncoderEntryPoints& entries, UserPrompt& prompt, Translator language)
    : m_entries(entries), m_prompt(prompt), m_language(language)
{
    m_ready = m_entries.Complete();
    if (!m_ready) {
        m_problem = m_language.Text(ENGINE_TEXT("EncoderSession", "The encoder lacks %1"), {MissingEntryPoints()});
        m_prompt.MessageBox(m_language(ENGINE_TEXT("EncoderSession", "Init Lame Encoder Error!")));
    }
}

EncoderSession::~EncoderSession()
{
    if (m_started)
        Close();
}

void EncoderSession::ResolveEntryPoints()
{
    m_entries.init = reinterpret_cast<be::InitStreamFn>(m_library.Symbol(be::kInitStreamName));
    m_entries.encode = reinterpret_cast<be::EncodeChunkFn>(m_library.Symbol(be::kEncodeChunkName));
    m_entries.deinit = reinterpret_cast<be::DeinitStreamFn>(m_library.Symbol(be::kDeinitStreamName));
    m_entries.close = reinterpret_cast<be::CloseStreamFn>(m_library.Symbol(be::kCloseStreamName));
    m_entries.infoTag = reinterpret_cast<be::WriteInfoTagFn>(m_library.Symbol(be::kWriteInfoTagName));
    m_entries.encodeFloat = reinterpret_cast<be::EncodeChunkFloatFn>(m_library.Symbol(be::kEncodeChunkFloatName));
    m_entries.setReplayGain = reinterpret_cast<be::SetReplayGainFn>(m_library.Symbol(be::kSetReplayGainName));
}

void EncoderSession::ConfigureCommon(int sampleRate, int outputRate, int channels)
{
    std::memset(&m_config, 0, sizeof m_config);
    m_config.format = be::kConfigLame;
    m_config.version = be::kConfigVersion;
    m_config.size = be::kConfigSize;
    m_config.sampleRate = static_cast<std::uint32_t>(sampleRate);
    m_config.reSampleRate = static_cast<std::uint32_t>(outputRate);
    m_config.mode = channels == 1 ? be::kModeMono : be::kModeJointStereo;
    m_config.mpegVersion = be::kMpeg1;
    // Gapless players trim the encoder's delay and padding by this frame.
    m_config.writeVbrHeader = m_entries.infoTag != nullptr ? 1 : 0;
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
    m_config.bitrate = static_cast<std::uint32_t>(bitrate);
    m_config.preset = be::kPresetCbr;
}

void EncoderSession::ConfigureVariable(int quality, int sampleRate, int channels)
{
    ConfigureCommon(sampleRate, sampleRate, channels);
    m_config.enableVbr = 1;
    m_config.vbrMethod = be::kVbrMethodMtrh;
    m_config.vbrQuality = quality;
}

void EncoderSession::ConfigureAverage(int kbps, int sampleRate, int channels)
{
    ConfigureCommon(sampleRate, OutputRatePlan::Choose(sampleRate, kbps), channels);
    m_config.enableVbr = 1;
    m_config.vbrMethod = be::kVbrMethodAbr;
    m_config.abrBitrate = static_cast<std::uint32_t>(kbps) * 1000;
}

bool EncoderSession::Start()
{
    if (m_entries.init(&m_config, &m_chunkSize, &m_outputBound, &m_stream) == be::kErrSuccessful) {
        m_started = true;
        return true;
    }
    m_entries.close(m_stream);
    m_prompt.MessageBox(m_language(ENGINE_TEXT("EncoderSession", "Init Lame Stream Failed in Lame")));
    return false;
}

std::uint32_t EncoderSession::Encode(const std::int16_t* pcm, std::uint32_t bytes, std::uint8_t* destination)
{
    const std::uint32_t chunkBytes = 2 * m_chunkSize;
    std::uint32_t offset = 0;
    std::uint32_t total = 0;
    auto call = [&](std::uint32_t values) {
        std::uint32_t written = 0;
        if (m_entries.encode(m_stream, values, pcm + offset / 2, destination + total, &written) != be::kErrSuccessful)
            m_failed = true;
        total += written;
    };
    while (!m_failed && offset + chunkBytes < bytes) {
        call(m_chunkSize);
        offset += chunkBytes;
    }
    if (!m_failed)
        call((bytes - offset) / 2);
    return total;
}

std::uint32_t EncoderSession::EncodeFloat(const float* pcm, std::uint32_t values, std::uint8_t* destination)
{
    if (m_entries.encodeFloat == nullptr)
        return EncodeFloatAs16(pcm, values, destination);
    std::uint32_t offset = 0;
    std::uint32_t total = 0;
    while (!m_failed && offset < values) {
        const std::uint32_t count = std::min(m_chunkSize > 0 ? m_chunkSize : values, values - offset);
        std::uint32_t written = 0;
        if (m_entries.encodeFloat(m_stream, count, pcm + offset, destination + total, &written) != be::kErrSuccessful)
            m_failed = true;
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
    const std::uint32_t chunkBytes = 2 * m_chunkSize;
    const std::uint32_t calls = chunkBytes == 0 ? 1 : (bytes + chunkBytes - 1) / chunkBytes;
    return (calls == 0 ? 1 : calls) * m_outputBound;
}

std::uint32_t EncoderSession::Flush(std::uint8_t* destination)
{
    std::uint32_t written = 0;
    if (m_started && !m_flushed) {
        if (m_entries.deinit(m_stream, destination, &written) != be::kErrSuccessful)
            m_failed = true;
        m_flushed = true;
    }
    return written;
}

bool EncoderSession::InfoFrame(std::uint8_t* destination, std::uint32_t& length)
{
    length = 0;
    if (!m_started || !m_flushed || !WritesInfoFrame())
        return false;
    return m_entries.infoTag(m_stream, destination, be::kInfoTagOutputSize, &length) == be::kErrSuccessful;
}

bool EncoderSession::SetReplayGain(double gainDb, double peak)
{
    if (!m_started || m_entries.setReplayGain == nullptr)
        return false;
    return m_entries.setReplayGain(m_stream, static_cast<float>(gainDb), static_cast<float>(peak))
        == be::kErrSuccessful;
}

void EncoderSession::Close()
{
    if (!m_started)
        return;
    if (!m_flushed) {
        // The stream is dropped either way; what the flush says changes nothing.
        std::vector<std::uint8_t> scratch(50000);
        std::uint32_t written = 0;
        (void)m_entries.deinit(m_stream, scratch.data(), &written);
    }
    m_entries.close(m_stream);
    m_started = false;
}
