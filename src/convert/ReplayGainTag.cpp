// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ReplayGainTag.h"

#include "convert/LogText.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ReplayGainTag {

namespace {

constexpr std::size_t kHeaderLength = 10;
constexpr std::uint8_t kUnsynchronised = 0x80;
constexpr std::uint8_t kExtendedHeader = 0x40;
constexpr std::uint8_t kFooter = 0x10;
constexpr double kLargestGain = 99.99;

std::uint32_t Synchsafe(const std::uint8_t* b)
{
    return (std::uint32_t(b[0] & 0x7F) << 21) | (std::uint32_t(b[1] & 0x7F) << 14) | (std::uint32_t(b[2] & 0x7F) << 7)
        | std::uint32_t(b[3] & 0x7F);
}

std::uint32_t BigEndian(const std::uint8_t* b, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | b[i];
    return value;
}

void PutSynchsafe(std::uint8_t* b, std::uint32_t value)
{
    for (int i = 3; i >= 0; --i) {
        b[i] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    }
}

void PutBigEndian(std::uint8_t* b, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        b[i] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

// The body with the whole-tag unsynchronisation of version 2.2 and 2.3
// undone: every 0xFF 0x00 back to 0xFF.
std::vector<std::uint8_t> Resynchronised(const std::uint8_t* body, std::size_t length)
{
    std::vector<std::uint8_t> out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        out.push_back(body[i]);
        if (body[i] == 0xFF && i + 1 < length && body[i + 1] == 0x00)
            ++i;
    }
    return out;
}

struct FrameLayout {
    std::size_t headerLength;
    std::size_t idLength;
};

FrameLayout LayoutOf(int version)
{
    return version == 2 ? FrameLayout{6, 3} : FrameLayout{10, 4};
}

std::uint32_t FrameSize(int version, const std::uint8_t* header)
{
    if (version == 2)
        return BigEndian(header + 3, 3);
    return version == 4 ? Synchsafe(header + 4) : BigEndian(header + 4, 4);
}

// The description of a user text frame in upper-case ASCII (other
// characters as '?'); empty when the frame is compressed or encrypted.
std::string Description(int version, const std::uint8_t* header, const std::uint8_t* data, std::size_t size)
{
    std::size_t skip = 0;
    if (version == 3 && (header[9] & 0xC0) != 0)
        return {};
    if (version == 4) {
        if ((header[9] & 0x0E) != 0)
            return {};
        if ((header[9] & 0x01) != 0)
            skip = 4;  // data length indicator
    }
    if (size <= skip + 1)
        return {};
    const std::uint8_t encoding = data[skip];
    const std::uint8_t* text = data + skip + 1;
    const std::size_t textLength = size - skip - 1;
    const bool wide = encoding == 1 || encoding == 2;
    std::string description;
    std::size_t i = 0;
    if (encoding == 1 && textLength >= 2
        && ((text[0] == 0xFF && text[1] == 0xFE) || (text[0] == 0xFE && text[1] == 0xFF)))
        i = 2;  // byte order mark
    const bool bigEndian = encoding == 2 || (i == 2 && text[0] == 0xFE);
    for (; wide ? i + 1 < textLength : i < textLength; i += wide ? 2 : 1) {
        unsigned unit = text[i];
        if (wide)
            unit = bigEndian ? (text[i] << 8) | text[i + 1] : text[i] | (text[i + 1] << 8);
        if (unit == 0)
            break;
        description.push_back(unit < 0x80 ? static_cast<char>(std::toupper(static_cast<int>(unit))) : '?');
    }
    return description;
}

bool IsReplayGainFrame(int version, const std::uint8_t* header, const std::uint8_t* data, std::size_t size)
{
    const bool userText = version == 2 ? std::memcmp(header, "TXX", 3) == 0 : std::memcmp(header, "TXXX", 4) == 0;
    return userText && Description(version, header, data, size).rfind("REPLAYGAIN_", 0) == 0;
}

void AppendFrame(std::vector<std::uint8_t>& out, int version, const std::string& name, const std::string& value)
{
    std::vector<std::uint8_t> data;
    data.push_back(0);  // ISO-8859-1
    data.insert(data.end(), name.begin(), name.end());
    data.push_back(0);
    data.insert(data.end(), value.begin(), value.end());
    const FrameLayout layout = LayoutOf(version);
    std::vector<std::uint8_t> header(layout.headerLength, 0);
    const auto size = static_cast<std::uint32_t>(data.size());
    if (version == 2) {
        std::memcpy(header.data(), "TXX", 3);
        PutBigEndian(header.data() + 3, size, 3);
    } else {
        std::memcpy(header.data(), "TXXX", 4);
        if (version == 4)
            PutSynchsafe(header.data() + 4, size);
        else
            PutBigEndian(header.data() + 4, size, 4);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
}

void AppendValues(std::vector<std::uint8_t>& out, int version, const Values& values)
{
    if (values.track) {
        AppendFrame(out, version, "REPLAYGAIN_TRACK_GAIN", GainText(values.track->gainDb));
        AppendFrame(out, version, "REPLAYGAIN_TRACK_PEAK", PeakText(values.track->peak));
    }
    if (values.album) {
        AppendFrame(out, version, "REPLAYGAIN_ALBUM_GAIN", GainText(values.album->gainDb));
        AppendFrame(out, version, "REPLAYGAIN_ALBUM_PEAK", PeakText(values.album->peak));
    }
}

// The frames of `body` without its ReplayGain frames; what follows the
// last frame it can read (padding, or bytes it cannot read) is kept as is.
void AppendOtherFrames(std::vector<std::uint8_t>& out, int version, const std::uint8_t* body, std::size_t length)
{
    const FrameLayout layout = LayoutOf(version);
    std::size_t at = 0;
    while (at + layout.headerLength <= length && body[at] != 0) {
        const std::uint8_t* header = body + at;
        const std::size_t size = FrameSize(version, header);
        if (size > length - at - layout.headerLength)
            break;
        const std::size_t whole = layout.headerLength + size;
        if (!IsReplayGainFrame(version, header, header + layout.headerLength, size))
            out.insert(out.end(), header, header + whole);
        at += whole;
    }
    out.insert(out.end(), body + at, body + length);
}

bool IsCarriedTag(const std::uint8_t* carried, std::size_t length)
{
    return carried != nullptr && length >= kHeaderLength && std::memcmp(carried, "ID3", 3) == 0 && carried[3] >= 2
        && carried[3] <= 4;
}

}  // namespace

std::string GainText(double gainDb)
{
    return LogText::Format("%.2f dB", std::clamp(gainDb, -kLargestGain, kLargestGain));
}

std::string PeakText(double peak)
{
    return LogText::Format("%.6f", std::clamp(peak, 0.0, 9.999999));
}

std::vector<std::uint8_t> Compose(const std::uint8_t* carried, std::size_t length, const Values& values,
                                  std::size_t atLeast)
{
    std::vector<std::uint8_t> out(kHeaderLength, 0);
    int version = 4;
    std::uint8_t flags = 0;
    std::vector<std::uint8_t> body;
    if (IsCarriedTag(carried, length)) {
        version = carried[3];
        std::memcpy(out.data(), carried, kHeaderLength);
        flags = carried[5];
        const std::size_t bodyLength = std::min<std::size_t>(Synchsafe(carried + 6), length - kHeaderLength);
        const std::uint8_t* start = carried + kHeaderLength;
        if (version < 4 && (flags & kUnsynchronised) != 0)
            body = Resynchronised(start, bodyLength);
        else
            body.assign(start, start + bodyLength);
    } else {
        std::memcpy(out.data(), "ID3\x04\x00", 5);
    }
    // Frames of their own now: no whole-tag unsynchronisation, and padding
    // rather than a footer, so later values can take the padding's place.
    out[5] = static_cast<std::uint8_t>(flags & ~(kUnsynchronised | kFooter));
    std::size_t at = 0;
    if (version >= 3 && (flags & kExtendedHeader) != 0 && body.size() >= 4) {
        const std::size_t extended = version == 4 ? Synchsafe(body.data()) : BigEndian(body.data(), 4) + 4;
        at = std::min(extended, body.size());
        out.insert(out.end(), body.begin(), body.begin() + static_cast<std::ptrdiff_t>(at));
    }
    AppendValues(out, version, values);
    AppendOtherFrames(out, version, body.data() + at, body.size() - at);
    if (out.size() < atLeast)
        out.resize(atLeast, 0);
    PutSynchsafe(out.data() + 6, static_cast<std::uint32_t>(out.size() - kHeaderLength));
    return out;
}

std::vector<std::uint8_t> Reserve(const std::uint8_t* carried, std::size_t length, bool album)
{
    // The longest texts: "-99.99 dB" and "9.999999".
    const ReplayGainValues widest{-kLargestGain, 9.999999};
    Values values;
    values.track = widest;
    if (album)
        values.album = widest;
    return Compose(carried, length, values);
}

}  // namespace ReplayGainTag
