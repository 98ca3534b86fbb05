// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/TagCarryOver.h"

#include "convert/ActivityLog.h"
#include "convert/SourceFile.h"

#include <cctype>

namespace {

constexpr std::uint32_t kHeaderLength = 10;
constexpr std::uint32_t kFooterLength = 10;
constexpr std::uint8_t kFooterFlag = 0x10;

bool IsId3v2Header(const std::uint8_t* b)
{
    return (b[0] == 'I' || b[0] == 'i') && (b[1] == 'D' || b[1] == 'd') && b[2] == '3';
}

bool IsId3v1Tag(const std::uint8_t* b)
{
    return std::toupper(b[0]) == 'T' && std::toupper(b[1]) == 'A' && std::toupper(b[2]) == 'G';
}

// Length of the whole tag as it stands at the start of the file: header,
// the bytes the size field counts, and a version 4 footer when one is flagged.
std::uint32_t Id3v2Length(const std::uint8_t* header, std::uint32_t size)
{
    const bool footer = header[3] == 4 && (header[5] & kFooterFlag) != 0;
    return kHeaderLength + size + (footer ? kFooterLength : 0);
}

void ProbeV2(const SourceFile& source, ActivityLog& log, TagCarryOver& tags)
{
    std::uint8_t header[kHeaderLength];
    if (source.ReadAt(0, header, kHeaderLength) != kHeaderLength || !IsId3v2Header(header))
        return;
    const std::uint32_t size = TagCarryOver::SynchsafeSize(header + 6);
    if (size == 0)
        return;
    const std::uint32_t length = Id3v2Length(header, size);
    // calloc: a header that announces more than the file holds is carried at
    // its announced length, the missing bytes zero.
    auto* block = static_cast<std::uint8_t*>(std::calloc(length, 1));
    if (block == nullptr) {
        log.showmessage("Not Enough Memory when Read ID3 TAG V2\r\n");
        return;
    }
    tags.id3v2.reset(block);
    tags.id3v2Length = length;
    tags.kind = TagCarryOver::V2Only;
    // Bytes that cannot be read stay zero, like missing ones.
    source.ReadAt(0, block, length);
}

void ProbeV1(const SourceFile& source, TagCarryOver& tags)
{
    const std::uint64_t size = source.Size();
    if (size < tags.id3v1.size())
        return;
    std::array<std::uint8_t, 128> tail{};
    if (source.ReadAt(size - tail.size(), tail.data(), tail.size()) != static_cast<long long>(tail.size()))
        return;
    if (!IsId3v1Tag(tail.data()))
        return;
    tags.id3v1 = tail;
    tags.kind = tags.kind == TagCarryOver::V2Only ? TagCarryOver::Both : TagCarryOver::V1Only;
}

}  // namespace

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
    return tags;
}
