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
    : m_host(host),
      m_job(job),
      m_control(control),
      m_tap(host.log, host.prompt),
      m_language(host.log.Language()),
      m_pcmLine(m_language(ENGINE_TEXT("JobConversion", "%1 PCM data created, %2 Mp3 data created")) + "\r"),
      m_readLine(m_language(ENGINE_TEXT("JobConversion", "%1 BYTEs Read")) + "\r"),
      m_writeLine(m_language(ENGINE_TEXT("JobConversion", "%1 BYTEs Write")) + "\r"),
      m_result(m_language)
{
}

void JobConversion::Log(const std::string& text)
{
    m_tap.showmessage(text);
}

void JobConversion::Log(EngineText text, std::initializer_list<std::string> values)
{
    m_tap.showmessage(m_language.Line(text, values));
}

// The per-frame lines, from texts translated once a job.
void JobConversion::LogProgress(const std::string& line, std::initializer_list<std::string> values)
{
    m_tap.showmessage(Translator::Fill(line, values));
}

ConversionOutcome JobConversion::Run()
{
    CleanVectorState();
    Kind outcome = Kind::Failed;
    if (const std::optional<Kind> early = SetUp()) {
        outcome = *early;
    } else {
        Log(ENGINE_TEXT("JobConversion", "%1 convert begin"), {m_job.source});
        if (m_decoded)
            DecodedLoop();
        else
            FrameLoop();
        outcome = CommonExit();
    }
    // A stop or failure whose line names no file: say which job it ended.
    if (m_unnamedEnd && !m_completed)
        Log(ENGINE_TEXT("JobConversion", "%1 not converted, nothing written to %2"), {m_job.source, m_job.result});
    // A job asked to restart runs again and ends later.
    if (m_host.album && outcome != Kind::RestartRequested)
        m_host.album->JobEnded(m_job.result, m_completed ? m_measured : nullptr);
    if (outcome == Kind::Failed)
        return ConversionOutcome::Of(outcome, m_tap.Reason(m_job.source, m_job.result));
    if (outcome == Kind::EncoderMissing)
        return ConversionOutcome::Of(outcome, m_encoderProblem);
    return ConversionOutcome::Of(outcome);
}

// Logs a line that says why the job ended without naming a file.
void JobConversion::LogUnnamedEnd(const std::string& text)
{
    Log(text);
    m_unnamedEnd = true;
}

// The system's reason for the failure just logged, when it gave one.
void JobConversion::LogReason(const std::string& reason)
{
    if (!reason.empty())
        Log(m_language("SystemReason", reason) + "\r\n");
}

// Everything before the first frame. Empty when the frame loop may run,
// otherwise the job's result.
std::optional<ConversionOutcome::Kind> JobConversion::SetUp()
{
    if (!m_source.Open(m_job.source)) {
        Log(ENGINE_TEXT("JobConversion", "Source file open failed in file %1"), {m_job.source});
        LogReason(m_source.OpenReason());
        return Kind::Failed;
    }
    m_size = m_source.Size();
    if (m_size == 0) {
        Log(ENGINE_TEXT("JobConversion", "%1 File Size is 0, Invalid MP3 File"), {m_job.source});
        return Kind::Failed;
    }
    m_tags = TagCarryOver::Probe(m_source, m_tap);
    // The audio lies between the tags: tag bytes are never decoded.
    m_audioStart = m_tags.HasV2() ? std::min<std::uint64_t>(m_tags.id3v2Length, m_size) : 0;
    m_audioEnd = (m_tags.HasV1() ? m_size - m_tags.id3v1.size() : m_size) - m_tags.trailer.size();
    m_window = std::make_unique<SourceWindow>(m_source, m_audioEnd);
    if (const SourceFormat* other = DecodedFormat())
        return SetUpDecoded(*other);

    const EngineText* foreign = ForeignContent();
    const std::optional<MpegFrameHeader> format = foreign != nullptr ? std::nullopt : FindStreamFormat();
    if (m_failed)
        return Kind::Failed;
    if (!format) {
        const EngineText what = foreign != nullptr ? *foreign : ENGINE_TEXT("JobConversion", "no MPEG audio found");
        Log(ENGINE_TEXT("JobConversion", "%1 is not an MP3 file (%2), not converted"),
            {m_job.source, m_language(what)});
        return Kind::Failed;
    }
    m_format = *format;
    if (!StartEncoder(*format))
        return m_encoderMissing ? Kind::EncoderMissing : Kind::Failed;
    // The decoder counts a free-format frame without its header.
    m_decoder = std::make_unique<FrameDecoder>(format->sampleRate, format->channels,
                                               m_freeFormatLength > 4 ? m_freeFormatLength - 4 : 0);
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
    if (m_host.encoderThreads <= 1 || m_job.settings.mode != EncodeSettings::Mode::Cbr
        || !SegmentedEncode::Suits(m_encoder->Record()) || format.bitrate <= 0)
        return;
    const double seconds = static_cast<double>(m_audioEnd - m_audioStart) * 8.0 / (format.bitrate * 1000.0);
    if (seconds < kSplitSeconds)
        return;
    m_split = std::make_unique<SegmentedEncode>(
        m_encoder->Entries(), m_encoder->Record(), m_host.encoderThreads, SegmentPlan::Default(), m_host.prompt,
        [this](const std::uint8_t* bytes, std::size_t length) {
            if (!m_result.Append(bytes, length)) {
                m_splitWriteFailed = true;
                return false;
            }
            m_splitWritten += length;
            return true;
        },
        m_language);
    m_split->ExpectSamples(static_cast<std::uint64_t>(seconds * format.sampleRate));
}

// What the audio part holds when it opens like a file of another format.
const EngineText* JobConversion::ForeignContent()
{
    if (m_audioEnd < m_audioStart + 12)
        return nullptr;
    const std::uint8_t* bytes = m_window->Bytes(m_audioStart, 12);
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
    m_encoder = std::make_unique<EncoderSession>(m_host.encoderFolder, m_tap, m_language);
    if (!m_encoder->Ready()) {
        LogUnnamedEnd(m_language.Line(ENGINE_TEXT("JobConversion", "Failed to init lame!"), {}));
        Log(m_encoder->Problem() + "\r\n");
        m_encoderMissing = true;
        m_encoderProblem = m_encoder->Problem();
        m_encoder.reset();
        return false;
    }
    m_encoder->Configure(m_job.settings, format.sampleRate, format.channels);
    if (!m_encoder->Start()) {
        m_unnamedEnd = true;  // only a message box said so
        m_encoder.reset();
        return false;
    }
    if (m_encoder->OutputRate() != format.sampleRate)
        Log(ENGINE_TEXT("JobConversion", "%1: %2 kbit/s cannot be encoded at %3 Hz, resampled to %4 Hz"),
            {m_job.source, std::to_string(m_job.settings.bitrate), std::to_string(format.sampleRate),
             std::to_string(m_encoder->OutputRate())});
    return true;
}

// The first frame of the stream: a header that a run of frames confirms,
// so that stray syncs in junk or in another format do not pass for audio.
// A stream of fewer frames counts only when it fills the audio part whole.
std::optional<MpegFrameHeader> JobConversion::FindStreamFormat()
{
    for (std::uint64_t offset = m_audioStart; offset + 4 <= m_audioEnd; ++offset) {
        const std::uint8_t* bytes = m_window->Bytes(offset, 4);
        if (bytes == nullptr) {
            FailRead();
            return std::nullopt;
        }
        if (!MpegFrameHeader::HasSync(bytes))
            continue;
        const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
        if (!header || !(header->Usable() || header->FreeFormat()))
            continue;
        FrameChain chain(*m_window);  // a free-format length is measured anew for each candidate
        const FrameChain::Run run = chain.Follow(offset, *header, kPlausibleRun);
        if (chain.ReadFailed()) {
            FailRead();
            return std::nullopt;
        }
        if (run.frames == kPlausibleRun || (run.reachesEnd && offset == m_audioStart)) {
            m_freeFormatLength = chain.FreeFormatLength();
            return header;
        }
    }
    return std::nullopt;
}

bool JobConversion::CreateResult()
{
    // Replacing the source would lose it.
    if (m_source.IsSameFileAs(m_job.result) || !m_result.Create(m_job.result)) {
        Log(ENGINE_TEXT("JobConversion", "Dest file create failed in file %1"), {m_job.result});
        LogReason(m_result.Reason());
        return false;
    }
    if (m_loudness) {
        // The carried tag with room for the loudness values; a new one when
        // the source has none. The Info frame follows it.
        const std::vector<std::uint8_t>& tag
            = m_loudness->BeginTag(m_tags.id3v2.get(), m_tags.HasV2() ? m_tags.id3v2Length : 0);
        m_tags.kind |= TagCarryOver::V2Only;
        m_tags.id3v2Length = static_cast<std::uint32_t>(tag.size());
        if (!m_result.Append(tag.data(), tag.size()))
            FailWrite();
    } else if (m_tags.HasV2() && !m_result.Append(m_tags.id3v2.get(), m_tags.id3v2Length)) {
        FailWrite();
    }
    m_tags.ReleaseV2();
    return !m_failed;
}

// The encoding side of the frame walk. The reading side runs ahead on a
// thread of its own, so decoding the next frames overlaps with encoding this
// one; the steps are taken here in stream order, with every log line, Status
// text and control-word poll where a frame-by-frame walk has them.
void JobConversion::FrameLoop()
{
    StreamEventQueue queue(kQueuedSteps);
    // A split job's thread takes a frame much faster than it is decoded.
    if (m_split)
        queue.WaitForBatches(kQueuedSteps / 2);
    FrameProducer producer(*m_window, *m_decoder, queue, m_audioStart, m_format, m_freeFormatLength,
                           m_loudness ? &m_loudness->Measure() : nullptr);
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
                {std::to_string(event.skipped), std::to_string(event.offset), m_job.source});
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
            LogProgress(m_readLine, {std::to_string(event.length)});
        if (!ConvertFrame(event))
            return;
        ReportProgress(event.end);
        queue.Pop();
        // A split job's thread only hands the audio on: yielding after each
        // frame would switch an encoder worker out for nothing.
        if (!m_split)
            std::this_thread::yield();
    }
}

// True, with the line that says so, when a stop or restart was asked for.
bool JobConversion::Interrupted()
{
    const int control = m_control.load();
    if (control == JobControl::Stop)
        LogUnnamedEnd(m_language.Line(ENGINE_TEXT("JobConversion", "Job Stopped by user"), {}));
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
        return m_language(channels == 1 ? ENGINE_TEXT("JobConversion", "mono")
                                        : ENGINE_TEXT("JobConversion", "stereo"));
    };
    static constexpr const char* kLayers[] = {"", "Layer I", "Layer II", "Layer III"};
    const std::string layer = kLayers[change.layer & 3];
    const std::string source = m_job.source;
    const std::string at = std::to_string(change.offset);
    const std::string rate = std::to_string(m_format.sampleRate);
    if (!change.newRate) {
        Log(change.freeFormat
                ? ENGINE_TEXT("JobConversion", "%1 changes to free-format %2 at byte %3, converted to %4 Hz %5")
                : ENGINE_TEXT("JobConversion", "%1 changes to %2 at byte %3, converted to %4 Hz %5"),
            {source, layer, at, rate, layout(m_format.channels)});
        return;
    }
    const std::string newRate = std::to_string(change.sampleRate);
    if (!change.newLayer) {
        Log(ENGINE_TEXT("JobConversion", "%1 changes to %2 Hz %3 at byte %4, converted to %5 Hz %6"),
            {source, newRate, layout(change.channels), at, rate, layout(m_format.channels)});
        return;
    }
    Log(change.freeFormat
            ? ENGINE_TEXT("JobConversion", "%1 changes to free-format %2 %3 Hz %4 at byte %5, converted to %6 Hz %7")
            : ENGINE_TEXT("JobConversion", "%1 changes to %2 %3 Hz %4 at byte %5, converted to %6 Hz %7"),
        {source, layer, newRate, layout(change.channels), at, rate, layout(m_format.channels)});
}

bool JobConversion::ConvertFrame(const StreamEvent& frame)
{
    if (frame.produced == 0)
        return true;
    ++m_decodedFrames;
    if (m_split)
        return SplitFrame(frame);
    const auto pcmLength = static_cast<std::uint32_t>(frame.produced);
    // Never let the encoder write past the end of the output buffer.
    if (m_output.size() - m_used < m_encoder->EncodeRoom(pcmLength) && !WriteOutput())
        return false;
    const std::uint32_t encoded = m_encoder->Encode(frame.pcm.data(), pcmLength, m_output.data() + m_used);
    if (m_encoder->Failed()) {
        FailEncode();
        return false;
    }
    LogProgress(m_pcmLine, {std::to_string(frame.produced), std::to_string(encoded)});
    m_used += encoded;
    if (m_used + kFlushMargin > m_output.size() && !WriteOutput())
        return false;
    LogProgress(m_writeLine, {std::to_string(m_lastWrite)});
    return true;
}

// The frame's PCM goes to the segments; joined bytes reach the result as
// segments are joined, in bursts.
bool JobConversion::SplitFrame(const StreamEvent& frame)
{
    const std::uint64_t before = m_splitWritten;
    if (!m_split->Push(frame.pcm.data(), frame.produced / 2)) {
        FailSplit();
        return false;
    }
    LogProgress(m_pcmLine, {std::to_string(frame.produced), std::to_string(m_splitWritten - before)});
    m_lastWrite = static_cast<std::uint32_t>(m_splitWritten - before);
    LogProgress(m_writeLine, {std::to_string(m_lastWrite)});
    return true;
}

// A segment that could not be written or encoded ends the job as the
// serial path's write or encode failure would.
void JobConversion::FailSplit()
{
    if (m_splitWriteFailed)
        FailWrite();
    else
        FailEncode();
}

// The last segments are encoded and joined, and the Info frame built for
// the joined stream takes the place of the first one's.
bool JobConversion::FinishSplit()
{
    if (!m_split->Finish()) {
        FailSplit();
        return false;
    }
    if (m_loudness && !WriteLoudness())
        return false;
    std::vector<std::uint8_t> frame;
    if (!m_split->InfoFrame(frame)) {
        Log(ENGINE_TEXT("JobConversion", "The encoder could not finish the Info frame of %1"), {m_job.result});
        m_failed = true;
        return false;
    }
    const std::uint64_t at = m_tags.HasV2() ? m_tags.id3v2Length : 0;
    if (!frame.empty() && !m_result.WriteAt(at, frame.data(), frame.size())) {
        FailWrite();
        return false;
    }
    Log(ENGINE_TEXT("JobConversion", "%1 encoded in %2 segments on %3 threads and joined"),
        {m_job.source, std::to_string(m_split->Segments()), std::to_string(m_host.encoderThreads)});
    return true;
}

// Writes the bytes gathered in the output buffer to the result.
bool JobConversion::WriteOutput()
{
    const bool written = m_result.Append(m_output.data(), m_used);
    m_lastWrite = written ? static_cast<std::uint32_t>(m_used) : 0;
    m_used = 0;
    if (!written)
        FailWrite();
    return written;
}

void JobConversion::ReportProgress(std::uint64_t end)
{
    const std::uint64_t percent = end >= m_size ? 100 : end * 100 / m_size;
    if (percent >= 2)
        m_host.progress.SetStatus(LogText::Format("%d%%", static_cast<int>(percent)));
}

void JobConversion::EndOfStream()
{
    if (m_decodedFrames == 0) {
        Log(ENGINE_TEXT("JobConversion", "No MP3 frame could be decoded in file %1, nothing converted"),
            {m_job.source});
        m_failed = true;
        return;
    }
    if (m_split) {
        if (!FinishSplit())
            return;
    } else {
        // The encoder's last frames belong to the audio, before the ID3v1 tag.
        if (m_output.size() - m_used < EncoderSession::kFlushRoom && !WriteOutput())
            return;
        m_used += m_encoder->Flush(m_output.data() + m_used);
        if (m_encoder->Failed()) {
            FailEncode();
            return;
        }
        if (m_used > 0 && !WriteOutput())
            return;
        if (m_loudness && !WriteLoudness())
            return;
        if (!WriteInfoFrame())
            return;
    }
    if (!m_tags.trailer.empty() && !m_result.Append(m_tags.trailer.data(), m_tags.trailer.size())) {
        FailWrite();
        return;
    }
    if (m_tags.HasV1() && !m_result.Append(m_tags.id3v1.data(), m_tags.id3v1.size())) {
        FailWrite();
        return;
    }
    // A stop that came with the last frames, or while the file went to disk,
    // still leaves the old file as it was.
    if (Interrupted())
        return;
    Log(m_language.Text(ENGINE_TEXT("JobConversion", "%1: writing to disk"), {m_job.result}) + "\r");
    bool stopped = false;
    const auto proceed = [this, &stopped] { return !(stopped = Interrupted()); };
    // Only now does the result take its name.
    if (!m_result.Commit(proceed)) {
        if (!stopped)
            FailWrite();
        return;
    }
    if (!m_result.OwnerNote().empty())
        Log(ENGINE_TEXT("JobConversion", "%1 replaces a file of another owner: %2"),
            {m_job.result, m_result.OwnerNote()});
    Log(ENGINE_TEXT("JobConversion", "%1 Created"), {m_job.result});
    m_completed = true;
}

// The encoder's first frame was a placeholder; now that the counts, delay
// and padding are known, the finished Info frame takes its place.
bool JobConversion::WriteInfoFrame()
{
    if (!m_encoder->WritesInfoFrame())
        return true;
    std::array<std::uint8_t, be::kInfoTagOutputSize> frame{};
    std::uint32_t length = 0;
    if (!m_encoder->InfoFrame(frame.data(), length)) {
        Log(ENGINE_TEXT("JobConversion", "The encoder could not finish the Info frame of %1"), {m_job.result});
        m_failed = true;
        return false;
    }
    if (length == 0)
        return true;
    const std::uint64_t at = m_tags.HasV2() ? m_tags.id3v2Length : 0;  // right after the carried ID3v2 block
    if (!m_result.WriteAt(at, frame.data(), length)) {
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
    values.track = m_loudness->Track();
    m_measured = m_loudness->Meter();
    if (values.track) {
        if (m_split)
            m_split->SetReplayGain(values.track->gainDb, values.track->peak);
        else
            m_encoder->SetReplayGain(values.track->gainDb, values.track->peak);
        Log(ENGINE_TEXT("JobConversion", "%1 track gain %2, peak %3"),
            {m_job.result, ReplayGainTag::GainText(values.track->gainDb), ReplayGainTag::PeakText(values.track->peak)});
    } else {
        Log(ENGINE_TEXT("JobConversion",
                        "%1 has no measurable loudness (silent or shorter than 0.4 s), no loudness tags written"),
            {m_job.source});
    }
    const std::vector<std::uint8_t> tag = m_loudness->FinalTag(values);
    if (!m_result.WriteAt(0, tag.data(), tag.size())) {
        FailWrite();
        return false;
    }
    return true;
}

void JobConversion::FailWrite()
{
    if (m_failed)
        return;
    Log(ENGINE_TEXT("JobConversion", "Dest file write failed in file %1"), {m_job.result});
    LogReason(m_result.Reason());
    m_failed = true;
}

// A result the encoder could not finish would lack audio: it is no result.
void JobConversion::FailEncode()
{
    Log(ENGINE_TEXT("JobConversion", "Encoder failed in file %1, no result written"), {m_job.source});
    m_failed = true;
}

void JobConversion::FailRead()
{
    Log(ENGINE_TEXT("JobConversion", "Source file read failed in file %1, it changed while converting"),
        {m_job.source});
    LogReason(m_source.ReadReason());
    m_failed = true;
}

// Releases what this run obtained, in order, and computes its result.
bool JobConversion::OpenOutput(int sampleRate, int channels)
{
    if (m_host.loudness != LoudnessTags::Off)
        m_loudness = std::make_unique<LoudnessTagging>(m_host.loudness, sampleRate, channels);
    try {
        m_output.assign(kOutputBytes, 0);
    } catch (const std::bad_alloc&) {
        LogUnnamedEnd(m_language.Line(ENGINE_TEXT("JobConversion", "Memory Not Enough for converting MP3"), {}));
        return false;
    }
    return CreateResult();
}

ConversionOutcome::Kind JobConversion::CommonExit()
{
    // A job that did not complete leaves nothing under the result's name.
    if (!m_completed)
        m_result.Discard();
    m_output = {};
    m_window.reset();
    m_split.reset();  // stops and joins its workers
    if (m_encoder)
        m_encoder->Close();
    m_encoder.reset();
    m_decoder.reset();
    m_loudness.reset();
    m_tags.ReleaseV2();
    m_source.Close();
    return Outcome();
}

ConversionOutcome::Kind JobConversion::Outcome() const
{
    if (m_failed)
        return Kind::Failed;
    if (m_control.load() == JobControl::Restart)
        return Kind::RestartRequested;
    if (m_completed)
        return Kind::Converted;
    if (m_control.load() == JobControl::Stop)
        return Kind::Stopped;
    return Kind::Failed;
}
