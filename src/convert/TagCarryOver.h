// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

class SourceFile;
class ActivityLog;

// The tags of a source, copied byte for byte so that the result carries
// them unchanged and in their places: the ID3v2 tags at the start (empty ones
// and several in a row among them) as one block, APE and Lyrics3 tags before
// the end or an ID3v1 tag as the trailer, and the ID3v1 tag last.
struct TagCarryOver {
    enum Kind { None = 0, V1Only = 1, V2Only = 2, Both = 3 };

    struct FreeDeleter {
        void operator()(std::uint8_t* block) const { std::free(block); }
    };

    // Where the audio lies between a file's tags.
    struct Bounds {
        std::uint64_t audioStart = 0;
        std::uint64_t audioEnd = 0;  // the trailer or the ID3v1 tag start here
    };

    int kind = None;
    std::unique_ptr<std::uint8_t, FreeDeleter> id3v2;
    std::uint32_t id3v2Length = 0;
    std::vector<std::uint8_t> trailer;  // APE and Lyrics3 tags, as found
    std::array<std::uint8_t, 128> id3v1{};

    bool HasV1() const { return kind == V1Only || kind == Both; }
    bool HasV2() const { return kind == V2Only || kind == Both; }
    void ReleaseV2() { id3v2.reset(); }

    // Looks for the tags in `source` and copies them. Logs only when the
    // ID3v2 block cannot be obtained.
    static TagCarryOver Probe(const SourceFile& source, ActivityLog& log);
    // Where the audio lies, without copying any tag.
    static Bounds Locate(const SourceFile& source);
    // The length of the ID3v2 tag whose header `header` (10 bytes) is, with
    // its footer; 0 when the bytes are no ID3v2 header.
    static std::uint32_t Id3v2Length(const std::uint8_t* header);

    // The size field of an ID3v2 header: 28 bits, seven per byte.
    static std::uint32_t SynchsafeSize(const std::uint8_t* sizeBytes);
    // The 32-bit fields of an APE tag's header and footer, least significant byte first.
    static std::uint32_t LittleEndian(const std::uint8_t* bytes);
};
