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

    DecodeAhead(DecodedSource& source, std::size_t depth) : source_(source), depth_(depth)
    {
        thread_ = std::thread([this] { Produce(); });
    }
    ~DecodeAhead()
    {
        {
            std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // The next step; its samples stay valid until the next call.
    const Item& Next()
    {
        std::unique_lock lock(mutex_);
        if (taken_) {
            spare_.push_back(std::move(items_.front().samples));
            items_.pop_front();
            changed_.notify_all();
        }
        changed_.wait(lock, [this] { return !items_.empty(); });
        taken_ = true;
        return items_.front();
    }

private:
    void Produce()
    {
        for (bool last = false; !last;) {
            Item item;
            item.step = source_.Next();
            last = item.step.kind == DecodedSource::Step::Kind::End
                || item.step.kind == DecodedSource::Step::Kind::ReadFailed;
            std::unique_lock lock(mutex_);
            if (!spare_.empty()) {
                item.samples = std::move(spare_.back());
                spare_.pop_back();
            }
            lock.unlock();
            if (item.step.kind == DecodedSource::Step::Kind::Block)
                item.samples.assign(source_.Samples(),
                                    source_.Samples()
                                        + source_.Frames() * static_cast<std::size_t>(source_.Channels()));
            lock.lock();
            changed_.wait(lock, [this] { return cancelled_ || items_.size() < depth_; });
            if (cancelled_)
                return;
            items_.push_back(std::move(item));
            changed_.notify_all();
        }
    }

    DecodedSource& source_;
    const std::size_t depth_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> items_;
    std::vector<std::vector<float>> spare_;
    bool taken_ = false;
    bool cancelled_ = false;
    std::thread thread_;
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
    if (audioEnd_ < audioStart_ + 4)
        return nullptr;
    const auto length
        = static_cast<std::size_t>(std::min<std::uint64_t>(SourceFormat::kMagicBytes, audioEnd_ - audioStart_));
    const std::uint8_t* bytes = window_->Bytes(audioStart_, length);
    return bytes != nullptr ? SourceFormat::Recognize(bytes, length) : nullptr;
}

std::optional<JobConversion::Kind> JobConversion::SetUpDecoded(const SourceFormat& format)
{
    // The demuxer sees the file from its audio on: a leading ID3v2 tag is
    // no part of the container.
    const std::uint64_t start = audioStart_;
    decoded_ = std::make_unique<DecodedSource>(
        [this, start](std::uint64_t offset, void* buffer, std::size_t length) {
            return source_.ReadAt(start + offset, buffer, length);
        },
        size_ - start, language_);
    if (!decoded_->Open(format)) {
        if (decoded_->ReadFailed())
            FailRead();
        else
            Log(ENGINE_TEXT("JobConversion", "%1 (%2) not converted: %3"),
                {job_.source, language_("SourceFormats", std::string(format.name)), decoded_->Refusal()});
        return Kind::Failed;
    }
    if (decoded_->SourceChannels() > 2)
        Log(ENGINE_TEXT("JobConversion", "%1 has %2 channels, mixed down to stereo"),
            {job_.source, std::to_string(decoded_->SourceChannels())});
    if (decoded_->SourceRate() != decoded_->Rate())
        Log(ENGINE_TEXT("JobConversion", "%1 is sampled at %2 Hz, resampled to %3 Hz"),
            {job_.source, std::to_string(decoded_->SourceRate()), std::to_string(decoded_->Rate())});

    format_ = MpegFrameHeader{};
    format_.sampleRate = decoded_->Rate();
    format_.channels = decoded_->Channels();
    if (!StartEncoder(format_))
        return encoderMissing_ ? Kind::EncoderMissing : Kind::Failed;
    // The source's own tags, whatever the MP3 probe found, become the result's ID3v2.3 tag.
    tags_ = CarriedTag(SourceTags::Id3v2FromFile(job_.source, format.demuxer, decoded_->Codec()));
    if (!OpenOutput(format_.sampleRate, format_.channels))
        return CommonExit();
    return std::nullopt;
}

// Decoding and encoding in stream order, with the control word polled, the
// Status advanced and every stretch that could not be decoded logged, as
// the frame walk does for MP3 sources.
void JobConversion::DecodedLoop()
{
    DecodeAhead ahead(*decoded_, kQueuedSteps);
    for (;;) {
        if (Interrupted())
            return;
        const DecodeAhead::Item& item = ahead.Next();
        const DecodedSource::Step& step = item.step;
        switch (step.kind) {
        case DecodedSource::Step::Kind::Skipped:
            Log(ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 could not be decoded, skipped"),
                {std::to_string(step.bytes), std::to_string(audioStart_ + step.offset), job_.source});
            continue;
        case DecodedSource::Step::Kind::ReadFailed:
            FailRead();
            return;
        case DecodedSource::Step::Kind::End:
            if (decodedFrames_ == 0) {
                Log(ENGINE_TEXT("JobConversion", "No audio could be decoded in file %1, nothing converted"),
                    {job_.source});
                failed_ = true;
                return;
            }
            EndOfStream();
            return;
        case DecodedSource::Step::Kind::Block:
            break;
        }
        if (!ConvertBlock(item.samples.data(), item.samples.size() / static_cast<std::size_t>(format_.channels)))
            return;
        ReportProgress(audioStart_ + step.position);
        std::this_thread::yield();
    }
}

bool JobConversion::ConvertBlock(const float* samples, std::size_t frames)
{
    if (frames == 0)
        return true;
    ++decodedFrames_;
    if (loudness_)
        loudness_->Measure().Add(samples, frames);
    const std::size_t values = frames * static_cast<std::size_t>(format_.channels);
    for (std::size_t done = 0; done < values;) {
        const auto count = static_cast<std::uint32_t>(std::min(kEncodeValues, values - done));
        // Room as for the same number of 16-bit values.
        if (output_.size() - used_ < encoder_->EncodeRoom(count * 2) && !WriteOutput())
            return false;
        const std::uint32_t encoded = encoder_->EncodeFloat(samples + done, count, output_.data() + used_);
        if (encoder_->Failed()) {
            FailEncode();
            return false;
        }
        LogProgress(pcmLine_, {std::to_string(count * sizeof(float)), std::to_string(encoded)});
        used_ += encoded;
        done += count;
    }
    if (used_ + kFlushMargin > output_.size() && !WriteOutput())
        return false;
    return true;
}
