// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceBitrate.h"

#include "convert/DecodedSource.h"
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

constexpr std::size_t kId3v2Header = 10;
constexpr std::size_t kId3v1Length = 128;

// Where the audio starts: after an ID3v2 tag, when there is one.
std::uint64_t AudioStart(const SourceFile& file)
{
    std::array<std::uint8_t, kId3v2Header> header{};
    if (file.ReadAt(0, header.data(), header.size()) != static_cast<long long>(header.size())
        || std::memcmp(header.data(), "ID3", 3) != 0)
        return 0;
    const bool footer = header[3] == 4 && (header[5] & 0x10) != 0;
    return kId3v2Header + TagCarryOver::SynchsafeSize(header.data() + 6) + (footer ? 10 : 0);
}

// Where the audio ends: before an ID3v1 tag, when there is one.
std::uint64_t AudioEnd(const SourceFile& file)
{
    const std::uint64_t size = file.Size();
    std::array<std::uint8_t, 3> tag{};
    if (size >= kId3v1Length && file.ReadAt(size - kId3v1Length, tag.data(), tag.size()) == 3
        && std::memcmp(tag.data(), "TAG", 3) == 0)
        return size - kId3v1Length;
    return size;
}

std::optional<MpegFrameHeader> Layer3Header(const std::uint8_t* bytes)
{
    if (!MpegFrameHeader::HasSync(bytes))
        return std::nullopt;
    std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
    if (!header || !header->IsLayer3() || !header->Usable())
        return std::nullopt;
    return header;
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

class HeaderWalk {
public:
    HeaderWalk(const SourceFile& file, std::uint64_t start, std::uint64_t end)
        : window_(file, end), offset_(start), end_(end)
    {
    }

    std::optional<double> Average()
    {
        std::optional<MpegFrameHeader> stream;
        bool first = true;
        while (offset_ + 4 <= end_) {
            const std::uint8_t* bytes = window_.Bytes(offset_, 4);
            if (bytes == nullptr)
                return std::nullopt;
            std::optional<MpegFrameHeader> header = Layer3Header(bytes);
            // Outside the chain of frames (at the start, or after junk) a
            // header only counts when the next frame confirms it.
            if (header && (!stream || !header->SameStreamAs(*stream)) && !Confirmed(*header))
                header.reset();
            if (!header) {
                stream.reset();
                ++offset_;
                continue;
            }
            stream = header;
            if (!(first && Information(*header))) {
                kbits_ += header->bitrate;
                ++frames_;
            }
            first = false;
            offset_ += header->frameLength;
        }
        if (frames_ == 0)
            return std::nullopt;
        return kbits_ / static_cast<double>(frames_);
    }

private:
    bool Confirmed(const MpegFrameHeader& header)
    {
        const std::uint64_t next = offset_ + header.frameLength;
        if (next + 4 > end_)
            return true;  // the last frame: nothing follows to confirm it
        const std::uint8_t* bytes = window_.Bytes(next, 4);
        const std::optional<MpegFrameHeader> following = bytes ? Layer3Header(bytes) : std::nullopt;
        return following && following->SameStreamAs(header);
    }

    bool Information(const MpegFrameHeader& header)
    {
        const std::uint8_t* frame = window_.Bytes(offset_, 4 + 32 + 4);
        return frame != nullptr && IsInformationFrame(header, frame);
    }

    SourceWindow window_;
    std::uint64_t offset_;
    std::uint64_t end_;
    double kbits_ = 0;
    std::uint64_t frames_ = 0;
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
    const std::uint64_t end = AudioEnd(file);
    const std::uint64_t start = AudioStart(file);
    if (start >= end)
        return std::nullopt;
    std::array<std::uint8_t, SourceFormat::kMagicBytes> magic{};
    const long long read = file.ReadAt(start, magic.data(), magic.size());
    if (read > 0) {
        if (const SourceFormat* format = SourceFormat::Recognize(magic.data(), static_cast<std::size_t>(read)))
            return OtherFormatAverage(file, start, *format);
    }
    return HeaderWalk(file, start, end).Average();
}

std::optional<std::string> SourceBitrate::SkipLine(const std::string& source, int target)
{
    const std::optional<double> average = Average(source);
    if (!average)
        return std::nullopt;
    const long rounded = std::lround(*average);
    if (rounded > target)
        return std::nullopt;
    return LogText::Format("%s is %ld kbit/s, not above %d kbit/s: skipped\r\n", source.c_str(), rounded, target);
}
