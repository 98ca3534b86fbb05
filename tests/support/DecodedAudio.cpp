// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecodedAudio.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>

namespace {

DecodedAudio DecodeWith(mpg123_handle* handle, const std::vector<std::uint8_t>* bytes, bool gapless)
{
    DecodedAudio audio;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_param(handle, gapless ? MPG123_ADD_FLAGS : MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    mpg123_format_none(handle);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (bytes != nullptr
        && (mpg123_open_feed(handle) != MPG123_OK || mpg123_feed(handle, bytes->data(), bytes->size()) != MPG123_OK))
        return audio;
    for (;;) {
        off_t frameNumber = 0;
        unsigned char* pcm = nullptr;
        std::size_t done = 0;
        const int result = mpg123_decode_frame(handle, &frameNumber, &pcm, &done);
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(handle, &rate, &channels, &encoding);
            audio.sampleRate = static_cast<int>(rate);
            audio.channels = channels;
            continue;
        }
        if (result != MPG123_OK)
            break;  // the end, or a frame the decoder gives up on
        const auto* samples = reinterpret_cast<const std::int16_t*>(pcm);
        audio.samples.insert(audio.samples.end(), samples, samples + done / sizeof(std::int16_t));
        mpg123_frameinfo2 info{};
        mpg123_info2(handle, &info);
        audio.frameInfo.push_back({info.rate, info.bitrate, info.mode, info.flags, info.emphasis});
    }
    audio.ok = audio.sampleRate != 0;
    return audio;
}

}  // namespace

DecodedAudio DecodedAudio::FromFile(const std::string& path, bool gapless)
{
    mpg123_init();
    int error = 0;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    DecodedAudio audio;
    if (handle != nullptr && mpg123_open(handle, path.c_str()) == MPG123_OK) {
        audio = DecodeWith(handle, nullptr, gapless);
        mpg123_close(handle);
    }
    mpg123_delete(handle);
    return audio;
}

DecodedAudio DecodedAudio::FromBytes(const std::vector<std::uint8_t>& bytes, bool gapless)
{
    mpg123_init();
    int error = 0;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    DecodedAudio audio = DecodeWith(handle, &bytes, gapless);
    mpg123_delete(handle);
    return audio;
}

std::vector<double> DecodedAudio::Channel(int channel) const
{
    std::vector<double> out;
    out.reserve(Frames());
    for (std::size_t i = static_cast<std::size_t>(channel); i < samples.size(); i += static_cast<std::size_t>(channels))
        out.push_back(samples[i]);
    return out;
}

namespace {

double CorrelationAt(const std::vector<double>& a, const std::vector<double>& b, int lag)
{
    double ab = 0, aa = 0, bb = 0;
    const long start = std::max<long>(0, -lag);
    const long end = std::min<long>(static_cast<long>(a.size()), static_cast<long>(b.size()) - lag);
    for (long i = start; i < end; ++i) {
        const double x = a[static_cast<std::size_t>(i)];
        const double y = b[static_cast<std::size_t>(i + lag)];
        ab += x * y;
        aa += x * x;
        bb += y * y;
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : -1.0;
}

}  // namespace

double DecodedAudio::ToneFrequency(const std::vector<double>& channel, int sampleRate)
{
    // Crossings count only when the signal has gone past these levels, so
    // that coding noise around zero does not add false crossings.
    constexpr double kLow = -2000;
    constexpr double kHigh = 2000;
    const auto start = static_cast<std::size_t>(sampleRate / 10);
    const auto end = start + static_cast<std::size_t>(sampleRate);
    if (channel.size() < end + start)
        return 0.0;
    int crossings = 0;
    bool low = false;
    for (std::size_t i = start; i < end; ++i) {
        if (channel[i] < kLow) {
            low = true;
        } else if (channel[i] > kHigh && low) {
            low = false;
            ++crossings;
        }
    }
    return crossings;
}

double DecodedAudio::BestCorrelation(const std::vector<double>& a, const std::vector<double>& b, int maxLag, int* lag)
{
    // A coarse pass over every fourth lag, then the lags around the best one.
    constexpr int kStep = 4;
    int bestLag = 0;
    double best = -1.0;
    for (int shift = -maxLag; shift <= maxLag; shift += kStep) {
        const double c = CorrelationAt(a, b, shift);
        if (c > best) {
            best = c;
            bestLag = shift;
        }
    }
    const int coarseLag = bestLag;
    for (int fine = coarseLag - kStep; fine <= coarseLag + kStep; ++fine) {
        const double c = CorrelationAt(a, b, fine);
        if (c > best) {
            best = c;
            bestLag = fine;
        }
    }
    if (lag != nullptr)
        *lag = bestLag;
    return best;
}
