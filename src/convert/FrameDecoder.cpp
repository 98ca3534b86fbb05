// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FrameDecoder.h"

#include <mpg123.h>

#include <mutex>

namespace {

void InitLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

// One output format only, so that a stream whose rate or channel count
// changes midway is resampled or mixed by the library to the first one.
void AllowOnly(mpg123_handle* handle, int sampleRate, int channels)
{
    mpg123_format_none(handle);
    mpg123_format(handle, sampleRate, channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_SIGNED_16);
}

}  // namespace

FrameDecoder::FrameDecoder(int sampleRate, int channels, std::uint32_t freeFormatLength)
{
    InitLibraryOnce();
    int error = MPG123_OK;
    m_handle = mpg123_new(nullptr, &error);
    if (m_handle == nullptr)
        return;
    mpg123_param(m_handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // The source's own encoder delay and padding are not audio.
    mpg123_param(m_handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_AUTO_RESAMPLE, 0);
    if (freeFormatLength > 0)
        mpg123_param(m_handle, MPG123_FREEFORMAT_SIZE, static_cast<long>(freeFormatLength), 0);
    AllowOnly(m_handle, sampleRate, channels);
    if (mpg123_open_feed(m_handle) != MPG123_OK) {
        mpg123_delete(m_handle);
        m_handle = nullptr;
    }
}

FrameDecoder::~FrameDecoder()
{
    if (m_handle != nullptr)
        mpg123_delete(m_handle);
}

void FrameDecoder::Restart(std::uint32_t freeFormatLength)
{
    if (m_handle == nullptr)
        return;
    mpg123_close(m_handle);
    mpg123_param(m_handle, MPG123_FREEFORMAT_SIZE, static_cast<long>(freeFormatLength), 0);
    if (mpg123_open_feed(m_handle) != MPG123_OK) {
        mpg123_delete(m_handle);
        m_handle = nullptr;
    }
}

int FrameDecoder::Decode(const std::uint8_t* input, std::size_t length, std::uint8_t* output, std::size_t capacity,
                         std::size_t& produced)
{
    produced = 0;
    if (m_handle == nullptr || capacity < kMinCapacity)
        return Error;
    std::size_t done = 0;
    int result = mpg123_decode(m_handle, input, length, output, capacity, &done);
    // The first frame of a stream announces its format before any sample.
    while (result == MPG123_NEW_FORMAT && done == 0)
        result = mpg123_decode(m_handle, nullptr, 0, output, capacity, &done);
    produced = done;
    if (done > 0)
        return Decoded;
    if (result == MPG123_NEED_MORE || result == MPG123_OK || result == MPG123_NEW_FORMAT)
        return NeedMore;
    return Error;
}
