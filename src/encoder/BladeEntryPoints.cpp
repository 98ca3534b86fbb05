// SPDX-License-Identifier: GPL-3.0-or-later
#include "BladeEntryPoints.h"

#include <type_traits>

#include "LameStream.h"
#include "LameStreamTable.h"

static_assert(std::is_same_v<decltype(&beInitStream), be::InitStreamFn>);
static_assert(std::is_same_v<decltype(&beEncodeChunk), be::EncodeChunkFn>);
static_assert(std::is_same_v<decltype(&beDeinitStream), be::DeinitStreamFn>);
static_assert(std::is_same_v<decltype(&beCloseStream), be::CloseStreamFn>);
static_assert(std::is_same_v<decltype(&beWriteInfoTag), be::WriteInfoTagFn>);
static_assert(std::is_same_v<decltype(&beSetReplayGain), be::SetReplayGainFn>);

namespace {

// Runs the body of an entry point; nothing may leave the library as an
// exception, so any escaping one becomes the given error code.
template <typename Body> std::uint32_t guarded(std::uint32_t errorOnException, Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return errorOnException;
    }
}

std::uint32_t startStream(const be::Config& config, std::uint32_t& samples, std::uint32_t& bufferSize,
                          be::StreamHandle& handle)
{
    std::uint32_t error = be::kErrSuccessful;
    std::shared_ptr<LameStream> stream = LameStream::open(config, error);
    if (!stream) {
        return error;
    }
    const std::uint32_t chunk = stream->chunkSize();
    const std::uint32_t bound = stream->outputBound(chunk);
    if (bound == 0) {
        return be::kErrInvalidFormatParameters;
    }
    handle = LameStreamTable::instance().add(std::move(stream));
    if (handle == 0) {
        return be::kErrNoMoreHandles;
    }
    samples = chunk;
    bufferSize = bound;
    return be::kErrSuccessful;
}

}  // namespace

extern "C" {

std::uint32_t beInitStream(be::Config* config, std::uint32_t* samples, std::uint32_t* bufferSize,
                           be::StreamHandle* stream)
{
    if (samples == nullptr || bufferSize == nullptr || stream == nullptr) {
        return be::kErrInvalidFormatParameters;
    }
    *samples = 0;
    *bufferSize = 0;
    *stream = 0;
    if (config == nullptr) {
        return be::kErrInvalidFormat;
    }
    return guarded(be::kErrNoMoreHandles, [&] { return startStream(*config, *samples, *bufferSize, *stream); });
}

std::uint32_t beEncodeChunk(be::StreamHandle stream, std::uint32_t samples, const std::int16_t* pcm,
                            std::uint8_t* output, std::uint32_t* written)
{
    if (written == nullptr) {
        return be::kErrEncodeFailed;
    }
    *written = 0;
    return guarded(be::kErrEncodeFailed, [&] {
        const std::shared_ptr<LameStream> found = LameStreamTable::instance().find(stream);
        return found ? found->encode(pcm, samples, output, *written) : be::kErrInvalidHandle;
    });
}

std::uint32_t beDeinitStream(be::StreamHandle stream, std::uint8_t* output, std::uint32_t* written)
{
    if (written == nullptr) {
        return be::kErrEncodeFailed;
    }
    *written = 0;
    return guarded(be::kErrEncodeFailed, [&] {
        const std::shared_ptr<LameStream> found = LameStreamTable::instance().find(stream);
        return found ? found->flush(output, *written) : be::kErrInvalidHandle;
    });
}

std::uint32_t beCloseStream(be::StreamHandle stream)
{
    return guarded(be::kErrInvalidHandle, [&] {
        return LameStreamTable::instance().remove(stream) ? be::kErrSuccessful : be::kErrInvalidHandle;
    });
}

std::uint32_t beWriteInfoTag(be::StreamHandle stream, std::uint8_t* output, std::uint32_t size, std::uint32_t* written)
{
    if (written == nullptr) {
        return be::kErrEncodeFailed;
    }
    *written = 0;
    return guarded(be::kErrEncodeFailed, [&] {
        const std::shared_ptr<LameStream> found = LameStreamTable::instance().find(stream);
        return found ? found->infoTag(output, size, *written) : be::kErrInvalidHandle;
    });
}

std::uint32_t beSetReplayGain(be::StreamHandle stream, float trackGainDb, float trackPeak)
{
    return guarded(be::kErrEncodeFailed, [&] {
        const std::shared_ptr<LameStream> found = LameStreamTable::instance().find(stream);
        return found ? found->setReplayGain(trackGainDb, trackPeak) : be::kErrInvalidHandle;
    });
}

}  // extern "C"
