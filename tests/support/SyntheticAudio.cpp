// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyntheticAudio.h"

#include <lame/lame.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

SyntheticAudio::Signal SyntheticAudio::Tone(int sampleRate, int channels, double seconds, double frequency)
{
    std::vector<double> frequencies;
    for (int c = 0; c < channels; ++c)
        frequencies.push_back(frequency * (c == 0 ? 1.0 : 1.5));
    return Sines(sampleRate, frequencies, seconds, 300);
}

SyntheticAudio::Signal SyntheticAudio::Sines(int sampleRate, const std::vector<double>& frequencies, double seconds,
                                             int noise)
{
    const int channels = static_cast<int>(frequencies.size());
    Signal signal{sampleRate, channels, {}};
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    signal.samples.resize(frames * frequencies.size());
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noiseValue(-noise, noise);
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double f = frequencies[static_cast<std::size_t>(c)];
            const double value = 12000.0 * std::sin(2.0 * M_PI * f * static_cast<double>(i) / sampleRate);
            signal.samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)]
                = static_cast<std::int16_t>(value + (noise != 0 ? noiseValue(random) : 0));
        }
    }
    return signal;
}

SyntheticAudio::Signal SyntheticAudio::Noise(int sampleRate, int channels, double seconds, unsigned seed)
{
    Signal signal{sampleRate, channels, {}};
    const auto count = static_cast<std::size_t>(seconds * sampleRate) * static_cast<std::size_t>(channels);
    signal.samples.resize(count);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-8000, 8000);
    for (auto& sample : signal.samples)
        sample = static_cast<std::int16_t>(value(random));
    return signal;
}

std::vector<std::uint8_t> SyntheticAudio::EncodeMp3(const Signal& signal, const Mp3Options& options)
{
    lame_global_flags* flags = lame_init();
    lame_set_in_samplerate(flags, signal.sampleRate);
    lame_set_out_samplerate(flags, signal.sampleRate);
    lame_set_num_channels(flags, signal.channels);
    lame_set_mode(flags, signal.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_bWriteVbrTag(flags, options.infoTag ? 1 : 0);
    lame_set_quality(flags, 7);
    if (options.vbr) {
        lame_set_VBR(flags, vbr_default);
        lame_set_VBR_quality(flags, 4.0f);
    } else {
        lame_set_brate(flags, options.bitrate);
    }
    if (lame_init_params(flags) < 0) {
        lame_close(flags);
        throw std::runtime_error("lame_init_params failed");
    }
    const int frames = static_cast<int>(signal.Frames());
    std::vector<std::uint8_t> mp3(static_cast<std::size_t>(frames) * 5 / 4 + 7200 + 16384);
    auto* pcm = const_cast<short*>(signal.samples.data());
    int written = signal.channels == 2
        ? lame_encode_buffer_interleaved(flags, pcm, frames, mp3.data(), static_cast<int>(mp3.size()))
        : lame_encode_buffer(flags, pcm, pcm, frames, mp3.data(), static_cast<int>(mp3.size()));
    if (written < 0) {
        lame_close(flags);
        throw std::runtime_error("lame encode failed");
    }
    written += lame_encode_flush(flags, mp3.data() + written, static_cast<int>(mp3.size()) - written);
    mp3.resize(static_cast<std::size_t>(written));
    if (options.infoTag) {
        std::uint8_t info[8192];
        const std::size_t length = lame_get_lametag_frame(flags, info, sizeof info);
        if (length > 0 && length <= mp3.size())
            std::copy(info, info + length, mp3.begin());
    }
    lame_close(flags);
    return mp3;
}

namespace {

void PutSynchsafe(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>((value >> 21) & 0x7F));
    out.push_back(static_cast<std::uint8_t>((value >> 14) & 0x7F));
    out.push_back(static_cast<std::uint8_t>((value >> 7) & 0x7F));
    out.push_back(static_cast<std::uint8_t>(value & 0x7F));
}

void PutFrame(std::vector<std::uint8_t>& out, const char* id, const std::vector<std::uint8_t>& body, int version)
{
    out.insert(out.end(), id, id + 4);
    const auto size = static_cast<std::uint32_t>(body.size());
    if (version == 4) {
        PutSynchsafe(out, size);
    } else {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(size >> shift));
    }
    out.push_back(0);
    out.push_back(0);
    out.insert(out.end(), body.begin(), body.end());
}

}  // namespace

std::vector<std::uint8_t> SyntheticAudio::Id3v2Tag(const std::string& title, std::size_t pictureBytes, int version,
                                                   bool footer)
{
    std::vector<std::uint8_t> frames;
    std::vector<std::uint8_t> text{0};
    text.insert(text.end(), title.begin(), title.end());
    PutFrame(frames, "TIT2", text, version);
    if (pictureBytes > 0) {
        // Text encoding 0, the MIME type, front cover (3), empty description.
        static constexpr std::uint8_t kHead[] = {0, 'i', 'm', 'a', 'g', 'e', '/', 'j', 'p', 'e', 'g', 0, 3, 0};
        std::vector<std::uint8_t> picture(std::begin(kHead), std::end(kHead));
        picture.reserve(picture.size() + pictureBytes);
        // Frame-sync look-alikes all through the picture data.
        for (std::size_t i = 0; i < pictureBytes; ++i)
            picture.push_back(i % 4 == 0 ? 0xFF : i % 4 == 1 ? 0xFB : static_cast<std::uint8_t>(0x90 + i % 7));
        PutFrame(frames, "APIC", picture, version);
    }
    frames.resize(frames.size() + 64, 0);  // padding
    std::vector<std::uint8_t> tag{
        'I', 'D', '3', static_cast<std::uint8_t>(version), 0, static_cast<std::uint8_t>(footer ? 0x10 : 0)};
    PutSynchsafe(tag, static_cast<std::uint32_t>(frames.size()));
    tag.insert(tag.end(), frames.begin(), frames.end());
    if (footer) {
        std::vector<std::uint8_t> foot{'3', 'D', 'I', 4, 0, 0x10};
        PutSynchsafe(foot, static_cast<std::uint32_t>(frames.size()));
        tag.insert(tag.end(), foot.begin(), foot.end());
    }
    return tag;
}

std::vector<std::uint8_t> SyntheticAudio::Id3v1Tag(const std::string& title)
{
    std::vector<std::uint8_t> tag(128, 0);
    tag[0] = 'T';
    tag[1] = 'A';
    tag[2] = 'G';
    for (std::size_t i = 0; i < title.size() && i < 30; ++i)
        tag[3 + i] = static_cast<std::uint8_t>(title[i]);
    tag[127] = 12;  // genre
    return tag;
}

std::vector<std::uint8_t> SyntheticAudio::Concat(std::initializer_list<const std::vector<std::uint8_t>*> parts)
{
    std::vector<std::uint8_t> all;
    for (const auto* part : parts)
        all.insert(all.end(), part->begin(), part->end());
    return all;
}

void SyntheticAudio::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::uint8_t> SyntheticAudio::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
