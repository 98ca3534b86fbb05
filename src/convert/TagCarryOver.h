// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

class SourceFile;
class ActivityLog;

// The tags of a source, copied byte for byte so that the result carries
// them unchanged: an ID3v2 block at the start, an ID3v1 block at the end.
struct TagCarryOver {
    enum Kind { None = 0, V1Only = 1, V2Only = 2, Both = 3 };

    struct FreeDeleter {
        void operator()(std::uint8_t* block) const { std::free(block); }
    };

    int kind = None;
    std::unique_ptr<std::uint8_t, FreeDeleter> id3v2;
    std::uint32_t id3v2Length = 0;
    std::array<std::uint8_t, 128> id3v1{};

    bool HasV1() const { return kind == V1Only || kind == Both; }
    bool HasV2() const { return kind == V2Only || kind == Both; }
    void ReleaseV2() { id3v2.reset(); }

    // Looks for the tags in `source` and copies them. Logs only when the
    // ID3v2 block cannot be obtained.
    static TagCarryOver Probe(const SourceFile& source, ActivityLog& log);

    // The size field of an ID3v2 header: 28 bits, seven per byte.
    static std::uint32_t SynchsafeSize(const std::uint8_t* sizeBytes);
};
