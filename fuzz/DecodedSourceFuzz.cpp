// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes, held in memory, to the reader of sources in other
// formats: format recognition, the demuxer and decoder through the engine's
// own reading callbacks, the resampler and downmix, and the tag mapping.

#include "convert/DecodedSource.h"
#include "convert/SourceFormats.h"
#include "convert/SourceTags.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Enough to reach every kind of step, few enough for many runs a second.
constexpr int kMaxSteps = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SourceFormat* format = SourceFormat::Recognize(data, size);
    if (format == nullptr)
        return 0;
    DecodedSource source(
        [data, size](std::uint64_t offset, void* buffer, std::size_t length) -> long long {
            if (offset >= size)
                return 0;
            const std::size_t count = std::min<std::uint64_t>(length, size - offset);
            std::memcpy(buffer, data + offset, count);
            return static_cast<long long>(count);
        },
        size);
    if (source.Open(*format)) {
        for (int step = 0; step < kMaxSteps; ++step) {
            const DecodedSource::Step next = source.Next();
            if (next.kind == DecodedSource::Step::Kind::End || next.kind == DecodedSource::Step::Kind::ReadFailed)
                break;
            if (next.kind == DecodedSource::Step::Kind::Block && source.Frames() > 0) {
                // Every sample handed over is read, as the encoder would.
                volatile float sink
                    = source.Samples()[source.Frames() * static_cast<std::size_t>(source.Channels()) - 1];
                (void)sink;
            }
        }
    }
    SourceTags::Id3v2FromBytes(data, size, format->demuxer, source.Codec());
    return 0;
}
