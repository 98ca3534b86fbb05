// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SegmentJoiner.h"

#include <algorithm>
#include <cstring>

SegmentJoiner::SegmentJoiner(Sink sink, std::function<void(const std::uint8_t*, const Layer3Frame&)> onFrame)
    : m_sink(std::move(sink)), m_onFrame(std::move(onFrame))
{
}

const Layer3Frame* SegmentJoiner::Stream::At(std::uint64_t frame) const
{
    if (frame < firstFrame || frame - firstFrame >= frames.size())
        return nullptr;
    return &frames[IndexOf(frame)];
}

std::uint8_t* SegmentJoiner::Stream::ByteAt(std::uint64_t position)
{
    // Bodies are in order; the last one that starts at or before the position holds it.
    const auto after = std::upper_bound(bodyStart.begin(), bodyStart.end(), position);
    if (after == bodyStart.begin())
        return nullptr;
    const auto index = static_cast<std::size_t>(after - bodyStart.begin()) - 1;
    const std::uint64_t within = position - bodyStart[index];
    if (within >= frames[index].BodyLength())
        return nullptr;
    return bytes.data() + frames[index].bodyOffset + within;
}

// Parses a segment's stream; a leading tag frame is cut off and its length
// reported, or left out when `tagLength` is null.
std::optional<SegmentJoiner::Stream> SegmentJoiner::Open(Segment& segment, std::size_t* tagLength)
{
    Stream stream;
    stream.firstFrame = segment.firstFrame;
    stream.frames = Layer3Frame::Walk(segment.bytes.data(), segment.bytes.size());
    std::size_t walked = 0;
    for (const Layer3Frame& frame : stream.frames)
        walked += frame.length;
    if (stream.frames.empty() || walked != segment.bytes.size())
        return std::nullopt;
    std::size_t drop = 0;
    if (Layer3Frame::IsTagFrame(segment.bytes.data(), stream.frames.front())) {
        if (tagLength != nullptr)
            *tagLength = stream.frames.front().length;
        else
            drop = stream.frames.front().length;
        stream.frames.erase(stream.frames.begin());
    }
    stream.bytes = std::move(segment.bytes);
    if (drop > 0) {
        stream.bytes.erase(stream.bytes.begin(), stream.bytes.begin() + static_cast<std::ptrdiff_t>(drop));
        for (Layer3Frame& frame : stream.frames) {
            frame.offset -= drop;
            frame.bodyOffset -= drop;
        }
    }
    std::uint64_t position = 0;
    for (const Layer3Frame& frame : stream.frames) {
        stream.bodyStart.push_back(position);
        position += frame.BodyLength();
    }
    return stream;
}

// The join rule at `frame`: both streams hold frames frame-1 and frame, the
// new one's main data before its header fits in what the old one reserved
// there, and the windows at the boundary match.
bool SegmentJoiner::Fits(const Stream& next, std::uint64_t frame) const
{
    if (frame == 0 || frame <= m_held->firstFrame)
        return false;
    const Layer3Frame* oldFrame = m_held->At(frame);
    const Layer3Frame* oldBefore = m_held->At(frame - 1);
    const Layer3Frame* newFrame = next.At(frame);
    const Layer3Frame* newBefore = next.At(frame - 1);
    if (oldFrame == nullptr || oldBefore == nullptr || newFrame == nullptr || newBefore == nullptr)
        return false;
    if (newFrame->mainDataBegin > oldFrame->mainDataBegin)
        return false;
    // The reserved bytes must still be held, not emitted already.
    const std::uint64_t heldBefore = m_held->bodyStart[m_held->IndexOf(frame)] - m_held->bodyStart.front();
    if (heldBefore < static_cast<std::uint64_t>(oldFrame->mainDataBegin))
        return false;
    return oldBefore->lastBlockType == newBefore->lastBlockType;
}

SegmentJoiner::Outcome SegmentJoiner::Add(Segment segment)
{
    const bool first = !m_held;
    const std::uint64_t from = segment.joinFrom;
    const std::uint64_t to = segment.joinTo;
    std::optional<Stream> next = Open(segment, first ? &m_tagLength : nullptr);
    if (!next)
        return Outcome::BadStream;
    if (first) {
        m_held = std::move(next);
        m_lastJoin = m_held->firstFrame;
        return Outcome::Joined;
    }
    // Latest first: the new stream has had the longest to settle there.
    for (std::uint64_t frame = to + 1; frame-- > from;) {
        if (Fits(*next, frame))
            return JoinAt(std::move(*next), frame);
    }
    return Outcome::NoValidFrame;
}

SegmentJoiner::Outcome SegmentJoiner::AddUncheckedAt(Segment segment, std::uint64_t frame)
{
    std::optional<Stream> next = Open(segment, nullptr);
    if (!next || !m_held || !m_held->At(frame) || !next->At(frame))
        return Outcome::BadStream;
    return JoinAt(std::move(*next), frame);
}

SegmentJoiner::Outcome SegmentJoiner::JoinAt(Stream next, std::uint64_t frame)
{
    const std::size_t oldIndex = m_held->IndexOf(frame);
    const std::size_t newIndex = next.IndexOf(frame);
    const auto reserved = static_cast<std::uint64_t>(m_held->frames[oldIndex].mainDataBegin);
    const auto needed = static_cast<std::uint64_t>(next.frames[newIndex].mainDataBegin);
    const std::uint64_t oldEnd = m_held->bodyStart[oldIndex];
    const std::uint64_t newEnd = next.bodyStart[newIndex];
    // The reserved bytes: the start is zeroed (ancillary data), the end takes
    // the new stream's main data for frame J and what follows it there.
    for (std::uint64_t i = 0; i < reserved; ++i) {
        std::uint8_t* target = m_held->ByteAt(oldEnd - reserved + i);
        if (target == nullptr)
            return Outcome::BadStream;
        const std::uint64_t fromEnd = reserved - i;
        if (fromEnd > needed) {
            *target = 0;
        } else {
            const std::uint8_t* source = next.ByteAt(newEnd - fromEnd);
            *target = source != nullptr ? *source : 0;
        }
    }
    // A frame needing more than was reserved (an unchecked join) overlaps the
    // data before it: that is the broken frame the check exists to catch.
    if (!Emit(m_held->bytes.data(), m_held->frames[oldIndex].offset, m_held->frames, oldIndex))
        return Outcome::BadStream;

    // Keep the new stream from frame J on.
    const std::size_t cut = next.frames[newIndex].offset;
    Stream kept;
    kept.firstFrame = frame;
    kept.bytes.assign(next.bytes.begin() + static_cast<std::ptrdiff_t>(cut), next.bytes.end());
    for (std::size_t i = newIndex; i < next.frames.size(); ++i) {
        Layer3Frame moved = next.frames[i];
        moved.offset -= cut;
        moved.bodyOffset -= cut;
        kept.frames.push_back(moved);
        kept.bodyStart.push_back(next.bodyStart[i]);
    }
    m_held = std::move(kept);
    m_lastJoin = frame;
    return Outcome::Joined;
}

bool SegmentJoiner::Emit(const std::uint8_t* bytes, std::size_t length, const std::vector<Layer3Frame>& frames,
                         std::size_t frameCount)
{
    if (length == 0)
        return true;
    if (m_onFrame) {
        for (std::size_t i = 0; i < frameCount; ++i)
            m_onFrame(bytes + frames[i].offset, frames[i]);
    }
    return m_sink(bytes, length);
}

bool SegmentJoiner::Finish()
{
    if (!m_held)
        return true;
    const bool ok = Emit(m_held->bytes.data(), m_held->bytes.size(), m_held->frames, m_held->frames.size());
    m_held.reset();
    return ok;
}
