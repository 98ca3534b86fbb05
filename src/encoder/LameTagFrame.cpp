// SPDX-License-Identifier: GPL-3.0-or-later
#include "LameTagFrame.h"

#include <cmath>
#include <cstring>

namespace LameTagFrame {

namespace {

// Offsets from the start of "Info"/"Xing".
constexpr std::size_t kFlags = 4;
constexpr std::size_t kFrames = 8;
constexpr std::size_t kBytes = 12;
constexpr std::size_t kSeekTable = 16;
constexpr std::size_t kPeak = 131;
constexpr std::size_t kTrackGain = 135;
constexpr std::size_t kBitrate = 140;
constexpr std::size_t kDelayPadding = 141;
constexpr std::size_t kPreset = 146;
constexpr std::size_t kMusicLength = 148;
constexpr std::size_t kMusicCrc = 152;
constexpr std::size_t kTagCrc = 154;

constexpr std::uint32_t kAllFields = 0x0F;  // frames, bytes, seek table, quality
constexpr std::size_t kSeekPoints = 400;

void PutBigEndian(std::uint8_t* at, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        at[i] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

std::array<std::uint16_t, 256> MakeCrcTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
        table[i] = static_cast<std::uint16_t>(crc);
    }
    return table;
}

// The tag's start, or nullptr when `frame` holds none.
std::uint8_t* Tag(std::uint8_t* frame, std::size_t length)
{
    const std::size_t offset = TagOffset(frame, length);
    return offset == 0 ? nullptr : frame + offset;
}

}  // namespace

std::uint16_t Crc16(const std::uint8_t* data, std::size_t length, std::uint16_t crc)
{
    static const std::array<std::uint16_t, 256> table = MakeCrcTable();
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    return crc;
}

std::size_t TagOffset(const std::uint8_t* frame, std::size_t length)
{
    // After the four header bytes, the side information (9 to 32 bytes) and
    // its CRC when the frame has one.
    for (std::size_t at = 4 + 9; at <= 4 + 32 + 2 && at + kTagLength <= length; ++at) {
        if (std::memcmp(frame + at, "Info", 4) == 0 || std::memcmp(frame + at, "Xing", 4) == 0)
            return at;
    }
    return 0;
}

bool SetStreamFields(std::uint8_t* frame, std::size_t length, const StreamFields& fields)
{
    std::uint8_t* tag = Tag(frame, length);
    if (tag == nullptr)
        return false;
    PutBigEndian(tag + kFlags, kAllFields, 4);
    PutBigEndian(tag + kFrames, fields.frames, 4);
    PutBigEndian(tag + kBytes, fields.bytes, 4);
    std::memcpy(tag + kSeekTable, fields.seekTable.data(), fields.seekTable.size());
    PutBigEndian(tag + kMusicLength, fields.bytes, 4);
    PutBigEndian(tag + kMusicCrc, fields.musicCrc, 2);
    return Seal(frame, length);
}

bool SetDelayAndPadding(std::uint8_t* frame, std::size_t length, int delay, int padding)
{
    std::uint8_t* tag = Tag(frame, length);
    if (tag == nullptr)
        return false;
    const auto d = static_cast<std::uint32_t>(delay) & 0xFFF;
    const auto p = static_cast<std::uint32_t>(padding) & 0xFFF;
    PutBigEndian(tag + kDelayPadding, (d << 12) | p, 3);
    return Seal(frame, length);
}

bool DelayAndPadding(const std::uint8_t* frame, std::size_t length, int& delay, int& padding)
{
    const std::size_t offset = TagOffset(frame, length);
    if (offset == 0)
        return false;
    const std::uint8_t* at = frame + offset + kDelayPadding;
    delay = at[0] << 4 | at[1] >> 4;
    padding = (at[1] & 0x0F) << 8 | at[2];
    return true;
}

bool SetJoinedStreamFields(std::uint8_t* frame, std::size_t length, const StreamTally& tally, std::uint64_t samples)
{
    int delay = 0;
    int padding = 0;
    if (!DelayAndPadding(frame, length, delay, padding))
        return false;
    const StreamFields fields = tally.Fields(length);
    const std::int64_t held = static_cast<std::int64_t>(fields.frames) * tally.FrameSamples();
    const std::int64_t left = held - delay - static_cast<std::int64_t>(samples);
    // The field holds 12 bits; a stream that ends short of its samples has lost audio.
    if (left < 0 || left > 0xFFF)
        return false;
    return SetStreamFields(frame, length, fields) && SetDelayAndPadding(frame, length, delay, static_cast<int>(left));
}

bool SetBitrate(std::uint8_t* frame, std::size_t length, int kbps)
{
    std::uint8_t* tag = Tag(frame, length);
    if (tag == nullptr)
        return false;
    tag[kBitrate] = static_cast<std::uint8_t>(kbps >= 255 ? 255 : kbps);
    PutBigEndian(tag + kPreset, static_cast<std::uint32_t>(kbps) & 0x7FF, 2);
    return Seal(frame, length);
}

bool SetTrackGain(std::uint8_t* frame, std::size_t length, double gainDb, double peak)
{
    std::uint8_t* tag = Tag(frame, length);
    if (tag == nullptr)
        return false;
    long tenths = std::lround(gainDb * 10.0);
    tenths = tenths > 0x1FF ? 0x1FF : (tenths < -0x1FF ? -0x1FF : tenths);
    std::uint32_t field = 0x2000 | 0x0C00;  // track gain, determined automatically
    if (tenths < 0)
        field |= 0x0200 | static_cast<std::uint32_t>(-tenths);
    else
        field |= static_cast<std::uint32_t>(tenths);
    PutBigEndian(tag + kTrackGain, field, 2);
    const double scaled = std::floor((peak < 0 ? 0 : peak) * 8388608.0 + 0.5);
    PutBigEndian(tag + kPeak, scaled >= 4294967295.0 ? 0xFFFFFFFFU : static_cast<std::uint32_t>(scaled), 4);
    return Seal(frame, length);
}

bool Seal(std::uint8_t* frame, std::size_t length)
{
    std::uint8_t* tag = Tag(frame, length);
    if (tag == nullptr)
        return false;
    const std::size_t covered = static_cast<std::size_t>(tag - frame) + kTagCrc;
    PutBigEndian(tag + kTagCrc, Crc16(frame, covered), 2);
    return true;
}

int FrameLength(const std::uint8_t* h, int* kbps)
{
    static constexpr int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    static constexpr int kBitrates[2][15] = {
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
    };
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || ((h[1] >> 1) & 3) != 1)
        return 0;
    const int versionBits = (h[1] >> 3) & 3;
    const int index = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (versionBits == 1 || index == 0 || index == 15 || rateIndex == 3)
        return 0;
    const int family = versionBits == 3 ? 0 : (versionBits == 2 ? 1 : 2);
    const int rate = kRates[family][rateIndex];
    const int bitrate = kBitrates[family == 0 ? 0 : 1][index];
    if (kbps != nullptr)
        *kbps = bitrate;
    return (family == 0 ? 144000 : 72000) * bitrate / rate + ((h[2] >> 1) & 1);
}

void StreamTally::Add(const std::uint8_t* data, std::size_t length)
{
    m_crc = Crc16(data, length, m_crc);
    m_bytes += length;
    while (length > 0 && !m_lost) {
        if (m_toSkip > 0) {
            const std::size_t step = m_toSkip < length ? m_toSkip : length;
            m_toSkip -= step;
            data += step;
            length -= step;
            continue;
        }
        m_header[m_headerHave++] = *data++;
        --length;
        if (m_headerHave == m_header.size())
            TakeHeader();
    }
}

void StreamTally::TakeHeader()
{
    m_headerHave = 0;
    int kbps = 0;
    const int frameLength = FrameLength(m_header.data(), &kbps);
    if (frameLength < 4) {
        m_lost = true;
        return;
    }
    AddFrame(kbps);
    m_frameSamples = ((m_header[1] >> 3) & 3) == 3 ? 1152 : 576;  // MPEG-1, or 2 and 2.5
    m_toSkip = static_cast<std::size_t>(frameLength) - m_header.size();
}

void StreamTally::AddFrame(int kbps)
{
    ++m_frames;
    m_sum += static_cast<std::uint32_t>(kbps);
    if (++m_seen < m_want)
        return;
    if (m_pos < kSeekPoints) {
        m_bag[m_pos++] = m_sum;
        m_seen = 0;
    }
    if (m_pos == kSeekPoints) {
        for (std::size_t i = 1; i < kSeekPoints; i += 2)
            m_bag[i / 2] = m_bag[i];
        m_want *= 2;
        m_pos /= 2;
    }
}

StreamFields StreamTally::Fields(std::size_t infoLength) const
{
    StreamFields fields;
    fields.frames = m_frames;
    fields.bytes = static_cast<std::uint32_t>(m_bytes + infoLength);
    fields.musicCrc = m_crc;
    if (m_pos == 0 || m_lost)
        return fields;
    // Each entry: how far into the stream, in 256ths, the frame at that
    // percentage of its length starts; computed with LAME's own rounding.
    for (std::size_t i = 1; i < fields.seekTable.size(); ++i) {
        const float fraction = static_cast<float>(i) / 100.0F;
        auto index = static_cast<std::size_t>(std::floor(fraction * static_cast<float>(m_pos)));
        if (index > m_pos - 1)
            index = m_pos - 1;
        const auto act = static_cast<float>(m_bag[index]);
        const auto sum = static_cast<float>(m_sum);
        const int point = static_cast<int>(256.0 * act / sum);
        fields.seekTable[i] = static_cast<std::uint8_t>(point > 255 ? 255 : point);
    }
    return fields;
}

}  // namespace LameTagFrame
