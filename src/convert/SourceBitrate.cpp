// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceBitrate.h"

#include "convert/DecodedSource.h"
#include "convert/FrameChain.h"
#include "convert/LogText.h"
#include "convert/MpegFrameHeader.h"
#include "convert/SourceFile.h"
#include "convert/SourceFormats.h"
#include "convert/SourceWindow.h"
#include "convert/TagCarryOver.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

// A header of any layer the engine converts, free format too.
std::optional<MpegFrameHeader> AudioHeader(const std::uint8_t* bytes)
{
    if (!MpegFrameHeader::HasSync(bytes))
        return std::nullopt;
    std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
    if (!header || !(header->Usable() || header->FreeFormat()))
        return std::nullopt;
    return header;
}

bool SameKind(const MpegFrameHeader& a, const MpegFrameHeader& b)
{
    return a.SameStreamAs(b) && a.FreeFormat() == b.FreeFormat();
}

// The frame that LAME, Xing or Fraunhofer encoders put first: it describes
// the stream and holds no audio.
bool IsInformationFrame(const MpegFrameHeader& header, const std::uint8_t* frame)
{
    const bool mpeg1 = header.version == MpegFrameHeader::Version::Mpeg1;
    const std::size_t sideInfo = mpeg1 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
    const std::uint8_t* xing = frame + 4 + sideInfo;
    if (std::memcmp(xing, "Xing", 4) == 0 || std::memcmp(xing, "Info", 4) == 0)
        return true;
    return std::memcmp(frame + 4 + 32, "VBRI", 4) == 0;
}

// Every rate divides it: a frame's duration in its units is a whole number,
// so a constant bitrate averages to itself exactly.
constexpr std::uint64_t kTicksPerSecond = 14112000;

class HeaderWalk {
public:
    HeaderWalk(const SourceFile& file, std::uint64_t start, std::uint64_t end)
        : m_window(file, end), m_chain(m_window), m_offset(start), m_end(end)
    {
    }

    // The average over the frames' durations, so a stream of several
    // layers or rates counts each part for as long as it plays.
    std::optional<double> Average()
    {
        std::optional<MpegFrameHeader> stream;
        bool first = true;
        while (m_offset + 4 <= m_end) {
            const std::uint8_t* bytes = m_window.Bytes(m_offset, 4);
            if (bytes == nullptr)
                return std::nullopt;
            std::optional<MpegFrameHeader> header = AudioHeader(bytes);
            // Outside the chain of frames (at the start, after junk, where
            // the stream changes) a header only counts when the next frame
            // confirms it; a free-format length is measured anew there.
            if (header && (!stream || !SameKind(*header, *stream))) {
                m_chain.SetFreeFormatLength(0);
                if (!Confirmed(*header))
                    header.reset();
            }
            const std::uint32_t length = header ? m_chain.Length(m_offset, *header) : 0;
            if (m_chain.ReadFailed())
                return std::nullopt;
            if (length == 0) {
                stream.reset();
                ++m_offset;
                continue;
            }
            stream = header;
            if (!(first && Information(*header)))
                Count(*header, length);
            first = false;
            m_offset += length;
        }
        if (m_ticks == 0)
            return std::nullopt;
        return m_kbitTicks / static_cast<double>(m_ticks);
    }

private:
    void Count(const MpegFrameHeader& header, std::uint32_t length)
    {
        const std::uint64_t ticks
            = static_cast<std::uint64_t>(header.SamplesPerFrame()) * (kTicksPerSecond / header.sampleRate);
        m_ticks += ticks;
        // A free-format frame's bitrate is its length over its duration.
        m_kbitTicks += header.Usable() ? static_cast<double>(header.bitrate) * static_cast<double>(ticks)
                                       : length * 8.0 * (kTicksPerSecond / 1000);
    }

    bool Confirmed(const MpegFrameHeader& header)
    {
        const std::uint32_t length = m_chain.Length(m_offset, header);
        if (length == 0)
            return false;
        const std::uint64_t next = m_offset + length;
        if (next + 4 > m_end)
            return true;  // the last frame: nothing follows to confirm it
        const std::uint8_t* bytes = m_window.Bytes(next, 4);
        const std::optional<MpegFrameHeader> following = bytes ? AudioHeader(bytes) : std::nullopt;
        return following && SameKind(*following, header);
    }

    bool Information(const MpegFrameHeader& header)
    {
        if (!header.IsLayer3())
            return false;
        const std::uint8_t* frame = m_window.Bytes(m_offset, 4 + 32 + 4);
        return frame != nullptr && IsInformationFrame(header, frame);
    }

    SourceWindow m_window;
    FrameChain m_chain;
    std::uint64_t m_offset;
    std::uint64_t m_end;
    double m_kbitTicks = 0;
    std::uint64_t m_ticks = 0;
};

// A source in another format: a lossy one by its average bitrate; a
// lossless one has none to compare, it is always converted.
std::optional<double> OtherFormatAverage(const SourceFile& file, std::uint64_t start, const SourceFormat& format)
{
    DecodedSource source([&file, start](std::uint64_t offset, void* buffer,
                                        std::size_t length) { return file.ReadAt(start + offset, buffer, length); },
                         file.Size() - start);
    if (!source.Open(format) || source.Lossless() || source.AverageBitrate() <= 0)
        return std::nullopt;
    return static_cast<double>(source.AverageBitrate()) / 1000.0;
}

}  // namespace

std::optional<double> SourceBitrate::Average(const std::string& path)
{
    SourceFile file;
    if (!file.Open(path) || file.Size() == 0)
        return std::nullopt;
    const TagCarryOver::Bounds bounds = TagCarryOver::Locate(file);
    if (bounds.audioStart >= bounds.audioEnd)
        return std::nullopt;
    std::array<std::uint8_t, SourceFormat::kMagicBytes> magic{};
    const long long read = file.ReadAt(bounds.audioStart, magic.data(), magic.size());
    if (read > 0) {
        if (const SourceFormat* format = SourceFormat::Recognize(magic.data(), static_cast<std::size_t>(read)))
            return OtherFormatAverage(file, bounds.audioStart, *format);
    }
    return HeaderWalk(file, bounds.audioStart, bounds.audioEnd).Average();
}

std::optional<std::string> SourceBitrate::SkipLine(const std::string& source, int target, const Translator& language)
{
    const std::optional<double> average = Average(source);
    if (!average)
        return std::nullopt;
    const long rounded = std::lround(*average);
    if (rounded > target)
        return std::nullopt;
    return language.Line(ENGINE_TEXT("SourceBitrate", "%1 is %2 kbit/s, not above %3 kbit/s: skipped"),
                         {source, std::to_string(rounded), std::to_string(target)});
}
