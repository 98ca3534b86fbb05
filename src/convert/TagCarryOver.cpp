// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/TagCarryOver.h"

#include "convert/ActivityLog.h"
#include "convert/SourceFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kHeaderLength = 10;
constexpr std::uint32_t kFooterLength = 10;
constexpr std::uint8_t kFooterFlag = 0x10;
constexpr std::uint64_t kV1Length = 128;
constexpr std::uint32_t kApeFooterLength = 32;
constexpr std::uint32_t kApeHasHeader = 0x80000000u;
constexpr std::uint64_t kLyrics3v1Longest = 5100 + 11 + 9;  // text, "LYRICSBEGIN", "LYRICSEND"
// Tags in a row at either end, at most: a bound for crafted files.
constexpr int kMostBlocks = 16;

bool IsId3v2Header(const std::uint8_t* b)
{
    return (b[0] == 'I' || b[0] == 'i') && (b[1] == 'D' || b[1] == 'd') && b[2] == '3';
}

bool IsId3v1Tag(const std::uint8_t* b)
{
    return std::toupper(b[0]) == 'T' && std::toupper(b[1]) == 'A' && std::toupper(b[2]) == 'G';
}

bool ReadExactly(const SourceFile& source, std::uint64_t offset, std::uint8_t* buffer, std::size_t length)
{
    return source.ReadAt(offset, buffer, length) == static_cast<long long>(length);
}

// The length of the ID3v2 tags in a row at the start (0 when none; an empty
// tag is 10 bytes). The last may announce more than the file holds.
std::uint64_t LeadingLength(const SourceFile& source)
{
    std::uint64_t length = 0;
    std::uint8_t header[kHeaderLength];
    for (int block = 0; block < kMostBlocks && length < source.Size(); ++block) {
        if (!ReadExactly(source, length, header, kHeaderLength) || !IsId3v2Header(header))
            break;
        length += TagCarryOver::Id3v2Length(header);
    }
    return length;
}

bool EndsWithV1(const SourceFile& source)
{
    std::array<std::uint8_t, 3> tag{};
    return source.Size() >= kV1Length && ReadExactly(source, source.Size() - kV1Length, tag.data(), tag.size())
        && IsId3v1Tag(tag.data());
}

// The length of an APE or Lyrics3 tag that ends at `end`; 0 when none does.
std::uint64_t TrailingTag(const SourceFile& source, std::uint64_t end, std::uint64_t start)
{
    std::uint8_t footer[kApeFooterLength];
    if (end - start >= kApeFooterLength && ReadExactly(source, end - kApeFooterLength, footer, kApeFooterLength)
        && std::memcmp(footer, "APETAGEX", 8) == 0) {
        const std::uint64_t length = TagCarryOver::LittleEndian(footer + 12)
            + ((TagCarryOver::LittleEndian(footer + 20) & kApeHasHeader) != 0 ? kApeFooterLength : 0);
        return length >= kApeFooterLength && length <= end - start ? length : 0;
    }
    char tail[15];
    if (end - start < 20 || !ReadExactly(source, end - 15, reinterpret_cast<std::uint8_t*>(tail), 15))
        return 0;
    char begin[11];
    const auto beginsAt = [&](std::uint64_t at) {
        return ReadExactly(source, at, reinterpret_cast<std::uint8_t*>(begin), 11)
            && std::memcmp(begin, "LYRICSBEGIN", 11) == 0;
    };
    if (std::memcmp(tail + 6, "LYRICS200", 9) == 0) {
        std::uint64_t size = 0;
        for (int i = 0; i < 6; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(tail[i])))
                return 0;
            size = size * 10 + static_cast<std::uint64_t>(tail[i] - '0');
        }
        const std::uint64_t length = size + 15;
        return length <= end - start && beginsAt(end - length) ? length : 0;
    }
    if (std::memcmp(tail + 6, "LYRICSEND", 9) == 0) {
        // Version 1 gives no size: its start is looked for backwards.
        const std::uint64_t earliest = end - std::min(end - start, kLyrics3v1Longest);
        for (std::uint64_t at = end - 20; at + 1 > earliest && at >= start; --at) {
            if (beginsAt(at))
                return end - at;
            if (at == 0)
                break;
        }
    }
    return 0;
}

// Where the APE and Lyrics3 tags before `end` start, in whatever order they come.
std::uint64_t TrailerStart(const SourceFile& source, std::uint64_t start, std::uint64_t end)
{
    for (int block = 0; block < kMostBlocks; ++block) {
        const std::uint64_t length = TrailingTag(source, end, start);
        if (length == 0)
            break;
        end -= length;
    }
    return end;
}

void ProbeV2(const SourceFile& source, ActivityLog& log, TagCarryOver& tags)
{
    const std::uint64_t length = LeadingLength(source);
    if (length == 0 || length > UINT32_MAX)
        return;
    // calloc: a header that announces more than the file holds is carried at
    // its announced length, the missing bytes zero.
    auto* block = static_cast<std::uint8_t*>(std::calloc(length, 1));
    if (block == nullptr) {
        log.showmessage(log.Language().Line(ENGINE_TEXT("TagCarryOver", "Not Enough Memory when Read ID3 TAG V2"), {}));
        return;
    }
    tags.id3v2.reset(block);
    tags.id3v2Length = static_cast<std::uint32_t>(length);
    tags.kind = TagCarryOver::V2Only;
    // Bytes that cannot be read stay zero, like missing ones.
    source.ReadAt(0, block, length);
}

void ProbeV1(const SourceFile& source, TagCarryOver& tags)
{
    std::array<std::uint8_t, 128> tail{};
    if (!EndsWithV1(source) || !ReadExactly(source, source.Size() - tail.size(), tail.data(), tail.size()))
        return;
    tags.id3v1 = tail;
    tags.kind = tags.kind == TagCarryOver::V2Only ? TagCarryOver::Both : TagCarryOver::V1Only;
}

void ProbeTrailer(const SourceFile& source, TagCarryOver& tags)
{
    const TagCarryOver::Bounds bounds = TagCarryOver::Locate(source);
    const std::uint64_t end = source.Size() - (tags.HasV1() ? kV1Length : 0);
    if (bounds.audioEnd >= end)
        return;
    tags.trailer.resize(end - bounds.audioEnd);
    if (!ReadExactly(source, bounds.audioEnd, tags.trailer.data(), tags.trailer.size()))
        tags.trailer.clear();
}

}  // namespace

std::uint32_t TagCarryOver::Id3v2Length(const std::uint8_t* header)
{
    if (!IsId3v2Header(header))
        return 0;
    const bool footer = header[3] == 4 && (header[5] & kFooterFlag) != 0;
    return kHeaderLength + SynchsafeSize(header + 6) + (footer ? kFooterLength : 0);
}

TagCarryOver::Bounds TagCarryOver::Locate(const SourceFile& source)
{
    Bounds bounds;
    const std::uint64_t size = source.Size();
    bounds.audioStart = std::min(LeadingLength(source), size);
    const std::uint64_t end = EndsWithV1(source) ? size - kV1Length : size;
    bounds.audioEnd = bounds.audioStart < end ? TrailerStart(source, bounds.audioStart, end) : end;
    return bounds;
}

std::uint32_t TagCarryOver::LittleEndian(const std::uint8_t* b)
{
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

std::uint32_t TagCarryOver::SynchsafeSize(const std::uint8_t* b)
{
    return (std::uint32_t(b[0] & 0x7F) << 21) | (std::uint32_t(b[1] & 0x7F) << 14) | (std::uint32_t(b[2] & 0x7F) << 7)
        | std::uint32_t(b[3] & 0x7F);
}

TagCarryOver TagCarryOver::Probe(const SourceFile& source, ActivityLog& log)
{
    TagCarryOver tags;
    ProbeV2(source, log, tags);
    ProbeV1(source, tags);
    ProbeTrailer(source, tags);
    return tags;
}
