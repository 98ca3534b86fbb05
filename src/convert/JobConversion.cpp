// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobConversion.h"

#include "convert/ActivityLog.h"
#include "convert/AlbumGain.h"
#include "convert/ConversionHost.h"
#include "convert/DecodedSource.h"
#include "convert/FrameChain.h"
#include "convert/FrameProducer.h"
#include "convert/JobProgress.h"
#include "convert/JobVocabulary.h"
#include "convert/LogText.h"
#include "convert/StreamEventQueue.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

namespace {

// A thread starts with a copy of its creator's vector registers. A window
// thread that last ran AVX code hands its workers dirty upper halves, and
// then every SSE instruction of the encoder and decoder pays for them until
// the thread ends. Clearing them once per job costs nothing.
void CleanVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx"))
        asm volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace

ConversionOutcome vorlanta(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control)
{
    JobConversion conversion(host, job, control);
    return conversion.Run();
}

JobConversion::JobConversion(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control)
    : host_(host),
      job_(job),
      control_(control),
      tap_(host.log, host.prompt),
      language_(host.log.Language()),
      pcmLine_(language_(ENGINE_TEXT("JobConversion", "%1 PCM data created, %2 Mp3 data created")) + "\r"),
      readLine_(language_(ENGINE_TEXT("JobConversion", "%1 BYTEs Read")) + "\r"),
      writeLine_(language_(ENGINE_TEXT("JobConversion", "%1 BYTEs Write")) + "\r"),
      result_(language_)
{
}

void JobConversion::Log(const std::string& text)
{
    tap_.showmessage(text);
}

void JobConversion::Log(EngineText text, std::initializer_list<std::string> values)
{
    tap_.showmessage(language_.Line(text, values));
}

// The per-frame lines, from texts translated once a job.
void JobConversion::LogProgress(const std::string& line, std::initializer_list<std::string> values)
{
    tap_.showmessage(Translator::Fill(line, values));
}

ConversionOutcome JobConversion::Run()
{
    CleanVectorState();
    Kind outcome = Kind::Failed;
    if (const std::optional<Kind> early = SetUp()) {
        outcome = *early;
    } else {
        Log(ENGINE_TEXT("JobConversion", "%1 convert begin"), {job_.source});
        if (decoded_)
            DecodedLoop();
        else
            FrameLoop();
        outcome = CommonExit();
    }
    // A stop or failure whose line names no file: say which job it ended.
    if (unnamedEnd_ && !completed_)
        Log(ENGINE_TEXT("JobConversion", "%1 not converted, nothing written to %2"), {job_.source, job_.result});
    // A job asked to restart runs again and ends later.
    if (host_.album && outcome != Kind::RestartRequested)
        host_.album->JobEnded(job_.result, completed_ ? measured_ : nullptr);
    if (outcome == Kind::Failed)
        return ConversionOutcome::Of(outcome, tap_.Reason(job_.source, job_.result));
    if (outcome == Kind::EncoderMissing)
        return ConversionOutcome::Of(outcome, encoderProblem_);
    return ConversionOutcome::Of(outcome);
}

// Logs a line that says why the job ended without naming a file.
void JobConversion::LogUnnamedEnd(const std::string& text)
{
    Log(text);
    unnamedEnd_ = true;
}

// The system's reason for the failure just logged, when it gave one.
void JobConversion::LogReason(const std::string& reason)
{
    if (!reason.empty())
        Log(language_("SystemReason", reason) + "\r\n");
}

// Everything before the first frame. Empty when the frame loop may run,
// otherwise the job's result.
std::optional<ConversionOutcome::Kind> JobConversion::SetUp()
{
    if (!source_.Open(job_.source)) {
        Log(ENGINE_TEXT("JobConversion", "Source file open failed in file %1"), {job_.source});
        LogReason(source_.OpenReason());
        return Kind::Failed;
    }
    size_ = source_.Size();
    if (size_ == 0) {
        Log(ENGINE_TEXT("JobConversion", "%1 File Size is 0, Invalid MP3 File"), {job_.source});
        return Kind::Failed;
    }
    tags_ = TagCarryOver::Probe(source_, tap_);
    // The audio lies between the tags: tag bytes are never decoded.
    audioStart_ = tags_.HasV2() ? std::min<std::uint64_t>(tags_.id3v2Length, size_) : 0;
    audioEnd_ = (tags_.HasV1() ? size_ - tags_.id3v1.size() : size_) - tags_.trailer.size();
    window_ = std::make_unique<SourceWindow>(source_, audioEnd_);
    if (const SourceFormat* other = DecodedFormat())
        return SetUpDecoded(*other);

    const EngineText* foreign = ForeignContent();
    const std::optional<MpegFrameHeader> format = foreign != nullptr ? std::nullopt : FindStreamFormat();
    if (failed_)
        return Kind::Failed;
    if (!format) {
        const EngineText what = foreign != nullptr ? *foreign : ENGINE_TEXT("JobConversion", "no MPEG audio found");
        Log(ENGINE_TEXT("JobConversion", "%1 is not an MP3 file (%2), not converted"), {job_.source, language_(what)});
        return Kind::Failed;
    }
    format_ = *format;
    if (!StartEncoder(*format))
        return encoderMissing_ ? Kind::EncoderMissing : Kind::Failed;
    // The decoder counts a free-format frame without its header.
    decoder_ = std::make_unique<FrameDecoder>(format->sampleRate, format->channels,
                                              freeFormatLength_ > 4 ? freeFormatLength_ - 4 : 0);
    if (!OpenOutput(format->sampleRate, format->channels))
        return CommonExit();
    ChooseSplit(*format);
    return std::nullopt;
}

// A source long enough, with encoder threads to spare, is encoded in
// segments. Its length is estimated from its size and first frame's bitrate.
// Loudness is measured on the decoded audio whichever way it is encoded, so
// it splits as well. Only a constant-bitrate job that keeps its sample rate
// is split: the segment plan and the measured joins are for a constant
// bitrate, and the encoder's resampler would not start a segment on a
// whole source sample where a frame of the result starts.
void JobConversion::ChooseSplit(const MpegFrameHeader& format)
{
    if (host_.encoderThreads <= 1 || job_.settings.mode != EncodeSettings::Mode::Cbr
        || !SegmentedEncode::Suits(encoder_->Record()) || format.bitrate <= 0)
        return;
    const double seconds = static_cast<double>(audioEnd_ - audioStart_) * 8.0 / (format.bitrate * 1000.0);
    if (seconds < kSplitSeconds)
        return;
    split_ = std::make_unique<SegmentedEncode>(
        encoder_->Entries(), encoder_->Record(), host_.encoderThreads, SegmentPlan::Default(), host_.prompt,
        [this](const std::uint8_t* bytes, std::size_t length) {
            if (!result_.Append(bytes, length)) {
                splitWriteFailed_ = true;
                return false;
            }
            splitWritten_ += length;
            return true;
        },
        language_);
    split_->ExpectSamples(static_cast<std::uint64_t>(seconds * format.sampleRate));
}

// What the audio part holds when it opens like a file of another format.
const EngineText* JobConversion::ForeignContent()
{
    if (audioEnd_ < audioStart_ + 12)
        return nullptr;
    const std::uint8_t* bytes = window_->Bytes(audioStart_, 12);
    if (bytes == nullptr)
        return nullptr;  // the frame search reports the failed read
    const auto is = [bytes](std::size_t at, const char* text) { return std::memcmp(bytes + at, text, 4) == 0; };
    // The formats the engine decodes never come this far (DecodedFormat).
    static constexpr EngineText kRiff = ENGINE_TEXT("JobConversion", "RIFF data");
    if (is(0, "RIFF"))
        return &kRiff;
    return nullptr;
}

bool JobConversion::StartEncoder(const MpegFrameHeader& format)
{
    encoder_ = std::make_unique<EncoderSession>(host_.encoderFolder, tap_, language_);
    if (!encoder_->Ready()) {
        LogUnnamedEnd(language_.Line(ENGINE_TEXT("JobConversion", "Failed to init lame!"), {}));
        Log(encoder_->Problem() + "\r\n");
        encoderMissing_ = true;
        encoderProblem_ = encoder_->Problem();
        encoder_.reset();
        return false;
    }
    encoder_->Configure(job_.settings, format.sampleRate, format.channels);
    if (!encoder_->Start()) {
        unnamedEnd_ = true;  // only a message box said so
        encoder_.reset();
        return false;
    }
    if (encoder_->OutputRate() != format.sampleRate)
        Log(ENGINE_TEXT("JobConversion", "%1: %2 kbit/s cannot be encoded at %3 Hz, resampled to %4 Hz"),
            {job_.source, std::to_string(job_.settings.bitrate), std::to_string(format.sampleRate),
             std::to_string(encoder_->OutputRate())});
    return true;
}

// The first frame of the stream: a header that a run of frames confirms,
// so that stray syncs in junk or in another format do not pass for audio.
// A stream of fewer frames counts only when it fills the audio part whole.
std::optional<MpegFrameHeader> JobConversion::FindStreamFormat()
{
    for (std::uint64_t offset = audioStart_; offset + 4 <= audioEnd_; ++offset) {
        const std::uint8_t* bytes = window_->Bytes(offset, 4);
        if (bytes == nullptr) {
            FailRead();
            return std::nullopt;
        }
        if (!MpegFrameHeader::HasSync(bytes))
            continue;
        const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
        if (!header || !(header->Usable() || header->FreeFormat()))
            continue;
        FrameChain chain(*window_);  // a free-format length is measured anew for each candidate
        const FrameChain::Run run = chain.Follow(offset, *header, kPlausibleRun);
        if (chain.ReadFailed()) {
            FailRead();
            return std::nullopt;
        }
        if (run.frames == kPlausibleRun || (run.reachesEnd && offset == audioStart_)) {
            freeFormatLength_ = chain.FreeFormatLength();
            return header;
        }
    }
    return std::nullopt;
}

bool JobConversion::CreateResult()
{
    // Replacing the source would lose it.
    if (source_.IsSameFileAs(job_.result) || !result_.Create(job_.result)) {
        Log(ENGINE_TEXT("JobConversion", "Dest file create failed in file %1"), {job_.result});
        LogReason(result_.Reason());
        return false;
    }
    if (loudness_) {
        // The carried tag with room for the loudness values; a new one when
        // the source has none. The Info frame follows it.
        const std::vector<std::uint8_t>& tag
            = loudness_->BeginTag(tags_.id3v2.get(), tags_.HasV2() ? tags_.id3v2Length : 0);
        tags_.kind |= TagCarryOver::V2Only;
        tags_.id3v2Length = static_cast<std::uint32_t>(tag.size());
        if (!result_.Append(tag.data(), tag.size()))
            FailWrite();
    } else if (tags_.HasV2() && !result_.Append(tags_.id3v2.get(), tags_.id3v2Length)) {
        FailWrite();
    }
    tags_.ReleaseV2();
    return !failed_;
}

// The encoding side of the frame walk. The reading side runs ahead on a
// thread of its own, so decoding the next frames overlaps with encoding this
// one; the steps are taken here in stream order, with every log line, Status
// text and control-word poll where a frame-by-frame walk has them.
void JobConversion::FrameLoop()
{
    StreamEventQueue queue(kQueuedSteps);
    // A split job's thread takes a frame much faster than it is decoded.
    if (split_)
        queue.WaitForBatches(kQueuedSteps / 2);
    FrameProducer producer(*window_, *decoder_, queue, audioStart_, format_, freeFormatLength_,
                           loudness_ ? &loudness_->Measure() : nullptr);
    std::thread reader([&producer] { producer.Run(); });
    TakeSteps(queue);
    queue.Cancel();
    reader.join();
}

void JobConversion::TakeSteps(StreamEventQueue& queue)
{
    for (;;) {
        if (Interrupted())
            return;
        StreamEvent& event = queue.Front();
        switch (event.kind) {
        case StreamEvent::Kind::Skipped:
            Log(event.tag != nullptr
                    ? *event.tag
                    : ENGINE_TEXT("JobConversion", "%1 bytes at byte %2 of %3 are not MPEG audio, skipped"),
                {std::to_string(event.skipped), std::to_string(event.offset), job_.source});
            queue.Pop();
            continue;
        case StreamEvent::Kind::FormatChanged:
            LogFormatChange(event);
            queue.Pop();
            continue;
        case StreamEvent::Kind::ReadFailed:
            FailRead();
            return;
        case StreamEvent::Kind::End:
            EndOfStream();
            return;
        case StreamEvent::Kind::Frame:
            break;
        }
        if (event.length > 0)
            LogProgress(readLine_, {std::to_string(event.length)});
        if (!ConvertFrame(event))
            return;
        ReportProgress(event.end);
        queue.Pop();
        // A split job's thread only hands the audio on: yielding after each
        // frame would switch an encoder worker out for nothing.
        if (!split_)
            std::this_thread::yield();
    }
}

// True, with the line that says so, when a stop or restart was asked for.
bool JobConversion::Interrupted()
{
    const int control = control_.load();
    if (control == JobControl::Stop)
        LogUnnamedEnd(language_.Line(ENGINE_TEXT("JobConversion", "Job Stopped by user"), {}));
    else if (control == JobControl::Restart)
        Log(ENGINE_TEXT("JobConversion", "Job restart by user"), {});
    return control == JobControl::Stop || control == JobControl::Restart;
}

// Every part of a stream is converted, whatever its layer; the rest of the
// stream keeps the first frame's rate and channels: the decoder resamples or
// mixes it, so length and pitch stay right.
void JobConversion::LogFormatChange(const StreamEvent& change)
{
    const auto layout = [this](int channels) {
        return language_(channels == 1 ? ENGINE_TEXT("JobConversion", "mono") : ENGINE_TEXT("JobConversion", "stereo"));
    };
    static constexpr const char* kLayers[] = {"", "Layer I", "Layer II", "Layer III"};
    const std::string layer = kLayers[change.layer & 3];
    const std::string source = job_.source;
    const std::string at = std::to_string(change.offset);
    const std::string rate = std::to_string(format_.sampleRate);
    if (!change.newRate) {
        Log(change.freeFormat
                ? ENGINE_TEXT("JobConversion", "%1 changes to free-format %2 at byte %3, converted to %4 Hz %5")
                : ENGINE_TEXT("JobConversion", "%1 changes to %2 at byte %3, converted to %4 Hz %5"),
            {source, layer, at, rate, layout(format_.channels)});
        return;
    }
    const std::string newRate = std::to_string(change.sampleRate);
    if (!change.newLayer) {
        Log(ENGINE_TEXT("JobConversion", "%1 changes to %2 Hz %3 at byte %4, converted to %5 Hz %6"),
            {source, newRate, layout(change.channels), at, rate, layout(format_.channels)});
        return;
    }
    Log(change.freeFormat
            ? ENGINE_TEXT("JobConversion", "%1 changes to free-format %2 %3 Hz %4 at byte %5, converted to %6 Hz %7")
            : ENGINE_TEXT("JobConversion", "%1 changes to %2 %3 Hz %4 at byte %5, converted to %6 Hz %7"),
        {source, layer, newRate, layout(change.channels), at, rate, layout(format_.channels)});
}

bool JobConversion::ConvertFrame(const StreamEvent& frame)
{
    if (frame.produced == 0)
        return true;
    ++decodedFrames_;
    if (split_)
        return SplitFrame(frame);
    const auto pcmLength = static_cast<std::uint32_t>(frame.produced);
    // Never let the encoder write past the end of the output buffer.
    if (output_.size() - used_ < encoder_->EncodeRoom(pcmLength) && !WriteOutput())
        return false;
    const std::uint32_t encoded = encoder_->Encode(frame.pcm.data(), pcmLength, output_.data() + used_);
    if (encoder_->Failed()) {
        FailEncode();
        return false;
    }
    LogProgress(pcmLine_, {std::to_string(frame.produced), std::to_string(encoded)});
    used_ += encoded;
    if (used_ + kFlushMargin > output_.size() && !WriteOutput())
        return false;
    LogProgress(writeLine_, {std::to_string(lastWrite_)});
    return true;
}

// The frame's PCM goes to the segments; joined bytes reach the result as
// segments are joined, in bursts.
bool JobConversion::SplitFrame(const StreamEvent& frame)
{
    const std::uint64_t before = splitWritten_;
    if (!split_->Push(frame.pcm.data(), frame.produced / 2)) {
        FailSplit();
        return false;
    }
    LogProgress(pcmLine_, {std::to_string(frame.produced), std::to_string(splitWritten_ - before)});
    lastWrite_ = static_cast<std::uint32_t>(splitWritten_ - before);
    LogProgress(writeLine_, {std::to_string(lastWrite_)});
    return true;
}

// A segment that could not be written or encoded ends the job as the
// serial path's write or encode failure would.
void JobConversion::FailSplit()
{
    if (splitWriteFailed_)
        FailWrite();
    else
        FailEncode();
}

// The last segments are encoded and joined, and the Info frame built for
// the joined stream takes the place of the first one's.
bool JobConversion::FinishSplit()
{
    if (!split_->Finish()) {
        FailSplit();
        return false;
    }
    if (loudness_ && !WriteLoudness())
        return false;
    std::vector<std::uint8_t> frame;
    if (!split_->InfoFrame(frame)) {
        Log(ENGINE_TEXT("JobConversion", "The encoder could not finish the Info frame of %1"), {job_.result});
        failed_ = true;
        return false;
    }
    const std::uint64_t at = tags_.HasV2() ? tags_.id3v2Length : 0;
    if (!frame.empty() && !result_.WriteAt(at, frame.data(), frame.size())) {
        FailWrite();
        return false;
    }
    Log(ENGINE_TEXT("JobConversion", "%1 encoded in %2 segments on %3 threads and joined"),
        {job_.source, std::to_string(split_->Segments()), std::to_string(host_.encoderThreads)});
    return true;
}

// Writes the bytes gathered in the output buffer to the result.
bool JobConversion::WriteOutput()
{
    const bool written = result_.Append(output_.data(), used_);
    lastWrite_ = written ? static_cast<std::uint32_t>(used_) : 0;
    used_ = 0;
    if (!written)
        FailWrite();
    return written;
}

void JobConversion::ReportProgress(std::uint64_t end)
{
    const std::uint64_t percent = end >= size_ ? 100 : end * 100 / size_;
    if (percent >= 2)
        host_.progress.SetStatus(LogText::Format("%d%%", static_cast<int>(percent)));
}

void JobConversion::EndOfStream()
{
    if (decodedFrames_ == 0) {
        Log(ENGINE_TEXT("JobConversion", "No MP3 frame could be decoded in file %1, nothing converted"), {job_.source});
        failed_ = true;
        return;
    }
    if (split_) {
        if (!FinishSplit())
            return;
    } else {
        // The encoder's last frames belong to the audio, before the ID3v1 tag.
        if (output_.size() - used_ < EncoderSession::kFlushRoom && !WriteOutput())
            return;
        used_ += encoder_->Flush(output_.data() + used_);
        if (encoder_->Failed()) {
            FailEncode();
            return;
        }
        if (used_ > 0 && !WriteOutput())
            return;
        if (loudness_ && !WriteLoudness())
            return;
        if (!WriteInfoFrame())
            return;
    }
    if (!tags_.trailer.empty() && !result_.Append(tags_.trailer.data(), tags_.trailer.size())) {
        FailWrite();
        return;
    }
    if (tags_.HasV1() && !result_.Append(tags_.id3v1.data(), tags_.id3v1.size())) {
        FailWrite();
        return;
    }
    // A stop that came with the last frames, or while the file went to disk,
    // still leaves the old file as it was.
    if (Interrupted())
        return;
    Log(language_.Text(ENGINE_TEXT("JobConversion", "%1: writing to disk"), {job_.result}) + "\r");
    bool stopped = false;
    const auto proceed = [this, &stopped] { return !(stopped = Interrupted()); };
    // Only now does the result take its name.
    if (!result_.Commit(proceed)) {
        if (!stopped)
            FailWrite();
        return;
    }
    if (!result_.OwnerNote().empty())
        Log(ENGINE_TEXT("JobConversion", "%1 replaces a file of another owner: %2"),
            {job_.result, result_.OwnerNote()});
    Log(ENGINE_TEXT("JobConversion", "%1 Created"), {job_.result});
    completed_ = true;
}

// The encoder's first frame was a placeholder; now that the counts, delay
// and padding are known, the finished Info frame takes its place.
bool JobConversion::WriteInfoFrame()
{
    if (!encoder_->WritesInfoFrame())
        return true;
    std::array<std::uint8_t, be::kInfoTagOutputSize> frame{};
    std::uint32_t length = 0;
    if (!encoder_->InfoFrame(frame.data(), length)) {
        Log(ENGINE_TEXT("JobConversion", "The encoder could not finish the Info frame of %1"), {job_.result});
        failed_ = true;
        return false;
    }
    if (length == 0)
        return true;
    const std::uint64_t at = tags_.HasV2() ? tags_.id3v2Length : 0;  // right after the carried ID3v2 block
    if (!result_.WriteAt(at, frame.data(), length)) {
        FailWrite();
        return false;
    }
    return true;
}

// The measured loudness goes into the ID3v2 tag's room and, through the
// encoder or the segments, into the LAME tag of the Info frame written next.
bool JobConversion::WriteLoudness()
{
    ReplayGainTag::Values values;
    values.track = loudness_->Track();
    measured_ = loudness_->Meter();
    if (values.track) {
        if (split_)
            split_->SetReplayGain(values.track->gainDb, values.track->peak);
        else
            encoder_->SetReplayGain(values.track->gainDb, values.track->peak);
        Log(ENGINE_TEXT("JobConversion", "%1 track gain %2, peak %3"),
            {job_.result, ReplayGainTag::GainText(values.track->gainDb), ReplayGainTag::PeakText(values.track->peak)});
    } else {
        Log(ENGINE_TEXT("JobConversion",
                        "%1 has no measurable loudness (silent or shorter than 0.4 s), no loudness tags written"),
            {job_.source});
    }
    const std::vector<std::uint8_t> tag = loudness_->FinalTag(values);
    if (!result_.WriteAt(0, tag.data(), tag.size())) {
        FailWrite();
        return false;
    }
    return true;
}

void JobConversion::FailWrite()
{
    if (failed_)
        return;
    Log(ENGINE_TEXT("JobConversion", "Dest file write failed in file %1"), {job_.result});
    LogReason(result_.Reason());
    failed_ = true;
}

// A result the encoder could not finish would lack audio: it is no result.
void JobConversion::FailEncode()
{
    Log(ENGINE_TEXT("JobConversion", "Encoder failed in file %1, no result written"), {job_.source});
    failed_ = true;
}

void JobConversion::FailRead()
{
    Log(ENGINE_TEXT("JobConversion", "Source file read failed in file %1, it changed while converting"), {job_.source});
    LogReason(source_.ReadReason());
    failed_ = true;
}

// Releases what this run obtained, in order, and computes its result.
bool JobConversion::OpenOutput(int sampleRate, int channels)
{
    if (host_.loudness != LoudnessTags::Off)
        loudness_ = std::make_unique<LoudnessTagging>(host_.loudness, sampleRate, channels);
    try {
        output_.assign(kOutputBytes, 0);
    } catch (const std::bad_alloc&) {
        LogUnnamedEnd(language_.Line(ENGINE_TEXT("JobConversion", "Memory Not Enough for converting MP3"), {}));
        return false;
    }
    return CreateResult();
}

ConversionOutcome::Kind JobConversion::CommonExit()
{
    // A job that did not complete leaves nothing under the result's name.
    if (!completed_)
        result_.Discard();
    output_ = {};
    window_.reset();
    split_.reset();  // stops and joins its workers
    if (encoder_)
        encoder_->Close();
    encoder_.reset();
    decoder_.reset();
    loudness_.reset();
    tags_.ReleaseV2();
    source_.Close();
    return Outcome();
}

ConversionOutcome::Kind JobConversion::Outcome() const
{
    if (failed_)
        return Kind::Failed;
    if (control_.load() == JobControl::Restart)
        return Kind::RestartRequested;
    if (completed_)
        return Kind::Converted;
    if (control_.load() == JobControl::Stop)
        return Kind::Stopped;
    return Kind::Failed;
}
