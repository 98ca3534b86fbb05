// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceBitrate.h"

#include "convert/LogText.h"
#include "convert/MpegFrameHeader.h"
#include "convert/SourceFile.h"
#include "convert/SourceWindow.h"
#include "convert/TagCarryOver.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

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

}  // namespace

std::optional<double> SourceBitrate::Average(const std::string& path)
{
    SourceFile file;
    if (!file.Open(path) || file.Size() == 0)
        return std::nullopt;
    const TagCarryOver::Bounds bounds = TagCarryOver::Locate(file);
    if (bounds.audioStart >= bounds.audioEnd)
        return std::nullopt;
    return HeaderWalk(file, bounds.audioStart, bounds.audioEnd).Average();
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
