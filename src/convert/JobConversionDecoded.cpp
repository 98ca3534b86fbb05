// SPDX-License-Identifier: GPL-3.0-or-later
// The part of a job that converts a source in another format than MP3
// (FLAC, WAV, AIFF, Ogg, Opus, M4A, WMA, APE, WavPack): its samples come from
// DecodedSource, its tags from SourceTags; the encoder, the result file, the
// Info frame, the rename and every end of the job are the MP3 path's own.
#include "convert/ActivityLog.h"
#include "convert/ConversionHost.h"
#include "convert/DecodedSource.h"
#include "convert/JobConversion.h"
#include "convert/LogText.h"
#include "convert/LoudnessTagging.h"
#include "convert/SourceFormats.h"
#include "convert/SourceTags.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <thread>

namespace {

// Values handed to the encoder at once, so that one call's output always
// fits the output buffer whatever block length a decoder produces.
constexpr std::size_t kEncodeValues = 65536;

// Blocks decoded ahead of the encoder on a thread of its own, so decoding
// overlaps with encoding as the MP3 path's reading thread does; the steps
// come out in stream order.
class DecodeAhead {
public:
    struct Item {
        DecodedSource::Step step;
        std::vector<float> samples;
    };

    DecodeAhead(DecodedSource& source, std::size_t depth) : m_source(source), m_depth(depth)
    {
        m_thread = std::thread([this] { Produce(); });
    }
    ~DecodeAhead()
    {
        {
            std::lock_guard lock(m_mutex);
            m_cancelled = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The next step; its samples stay valid until the next call.
    const Item& Next()
    {
        std::unique_lock lock(m_mutex);
        if (m_taken) {
            m_spare.push_back(std::move(m_items.front().samples));
            m_items.pop_front();
            m_changed.notify_all();
        }
        m_changed.wait(lock, [this] { return !m_items.empty(); });
        m_taken = true;
        return m_items.front();
    }

private:
    void Produce()
    {
        for (bool last = false; !last;) {
            Item item;
            item.step = m_source.Next();
            last = item.step.kind == DecodedSource::Step::Kind::End
                || item.step.kind == DecodedSource::Step::Kind::ReadFailed;
            std::unique_lock lock(m_mutex);
            if (!m_spare.empty()) {
                item.samples = std::move(m_spare.back());
                m_spare.pop_back();
            }
            lock.unlock();
            if (item.step.kind == DecodedSource::Step::Kind::Block)
                item.samples.assign(m_source.Samples(),
                                    m_source.Samples()
                                        + m_source.Frames() * static_cast<std::size_t>(m_source.Channels()));
            lock.lock();
            m_changed.wait(lock, [this] { return m_cancelled || m_items.size() < m_depth; });
            if (m_cancelled)
                return;
            m_items.push_back(std::move(item));
            m_changed.notify_all();
        }
    }

    DecodedSource& m_source;
    const std::size_t m_depth;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Item> m_items;
    std::vector<std::vector<float>> m_spare;
    bool m_taken = false;
    bool m_cancelled = false;
    std::thread m_thread;
};

// The rendered ID3v2.3 tag as the block the result starts with.
TagCarryOver CarriedTag(const std::vector<std::uint8_t>& id3v2)
{
    TagCarryOver tags;
    if (id3v2.empty())
        return tags;
    auto* block = static_cast<std::uint8_t*>(std::malloc(id3v2.size()));
    if (block == nullptr)
        return tags;  // the result goes without tags rather than not at all
    std::memcpy(block, id3v2.data(), id3v2.size());
    tags.id3v2.reset(block);
    tags.id3v2Length = static_cast<std::uint32_t>(id3v2.size());
    tags.kind = TagCarryOver::V2Only;
    return tags;
}

}  // namespace

// The format the audio part opens with, when the engine decodes it.
const SourceFormat* JobConversion::DecodedFormat()
{
    if (m_audioEnd < m_audioStart + 4)
        return nullptr;
    const auto length
        = static_cast<std::size_t>(std::min<std::uint64_t>(SourceFormat::kMagicBytes, m_audioEnd - m_audioStart));
    const std::uint8_t* bytes = m_window->Bytes(m_audioStart, length);
    return bytes != nullptr ? SourceFormat::Recognize(bytes, length) : nullptr;
}

std::optional<JobConversion::Kind> JobConversion::SetUpDecoded(const SourceFormat& format)
{
    // The demuxer sees the file from its audio on: a leading ID3v2 tag is
    // no part of the container.
    const std::uint64_t start = m_audioStart;
    m_decoded = std::make_unique<DecodedSource>(
        [this, start](std::uint64_t offset, void* buffer, std::size_t length) {
            return m_source.ReadAt(start + offset, buffer, length);
        },
        m_size - start, m_language);
    if (!m_decoded->Open(format)) {
        if (m_decoded->ReadFailed())
            FailRead();
        else
            Log(ENGINE_TEXT("JobConversion", "%1 (%2) not converted: %3"),
                {m_job.source, m_language("SourceFormats", std::string(format.name)), m_decoded->Refusal()});
        return Kind::Failed;
    }
    if (m_decoded->SourceChannels() > 2)
        Log(ENGINE_TEXT("JobConversion", "%1 has %2 channels, mixed down to stereo"),
            {m_job.source, std::to_string(m_decoded->SourceChannels())});
    if (m_decoded->SourceRate() != m_decoded->Rate())
        Log(ENGINE_TEXT("JobConversion", "%1 is sampled at %2 Hz, resampled to %3 Hz"),
            {m_job.source, std::to_string(m_decoded->SourceRate()), std::to_string(m_decoded->Rate())});

    m_format = MpegFrameHeader{};
    m_format.sampleRate = m_decoded->Rate();
    m_format.channels = m_decoded->Channels();
    if (!StartEncoder(m_format))
        return m_encoderMissing ? Kind::EncoderMissing : Kind::Failed;
    // The source's own tags, whatever the MP3 probe found, become the result's ID3v2.3 tag.
    m_tags = CarriedTag(SourceTags::Id3v2FromFile(m_job.source, format.demuxer, m_decoded->Codec()));
    if (!OpenOutput(m_format.sampleRate, m_format.channels))
        return CommonExit();
    return std::nullopt;
}

// Decoding and encoding in stream order, with the control word polled, the
// Status advanced and every stretch that could not be decoded logged, as
// the frame walk does for MP3 sources.
void JobConversion::DecodedLoop()
{
    DecodeAhead ahead(*m_decoded, kQueuedSteps);
    for (;;) {
        if (Interrupted())
            return;
        const DecodeAhead::Item& item = ahead.Next();
        const DecodedSource::Step& step = item.step;
        switch (step.kind) {
        case DecodedSource::Step::Kind::Skipped:
            Log(ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 could not be decoded, skipped"),
                {std::to_string(step.bytes), std::to_string(m_audioStart + step.offset), m_job.source});
            continue;
        case DecodedSource::Step::Kind::ReadFailed:
            FailRead();
            return;
        case DecodedSource::Step::Kind::End:
            if (m_decodedFrames == 0) {
                Log(ENGINE_TEXT("JobConversion", "No audio could be decoded in file %1, nothing converted"),
                    {m_job.source});
                m_failed = true;
                return;
            }
            EndOfStream();
            return;
        case DecodedSource::Step::Kind::Block:
            break;
        }
        if (!ConvertBlock(item.samples.data(), item.samples.size() / static_cast<std::size_t>(m_format.channels)))
            return;
        ReportProgress(m_audioStart + step.position);
        std::this_thread::yield();
    }
}

bool JobConversion::ConvertBlock(const float* samples, std::size_t frames)
{
    if (frames == 0)
        return true;
    ++m_decodedFrames;
    if (m_loudness)
        m_loudness->Measure().Add(samples, frames);
    const std::size_t values = frames * static_cast<std::size_t>(m_format.channels);
    for (std::size_t done = 0; done < values;) {
        const auto count = static_cast<std::uint32_t>(std::min(kEncodeValues, values - done));
        // Room as for the same number of 16-bit values.
        if (m_output.size() - m_used < m_encoder->EncodeRoom(count * 2) && !WriteOutput())
            return false;
        const std::uint32_t encoded = m_encoder->EncodeFloat(samples + done, count, m_output.data() + m_used);
        if (m_encoder->Failed()) {
            FailEncode();
            return false;
        }
        LogProgress(m_pcmLine, {std::to_string(count * sizeof(float)), std::to_string(encoded)});
        m_used += encoded;
        done += count;
    }
    if (m_used + kFlushMargin > m_output.size() && !WriteOutput())
        return false;
    return true;
}
