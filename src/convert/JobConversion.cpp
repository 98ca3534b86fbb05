#include "convert/JobConversion.h"

#include "convert/ActivityLog.h"
#include "convert/ConversionHost.h"
#include "convert/JobTableAccess.h"
#include "convert/FrameProducer.h"
#include "convert/JobVocabulary.h"
#include "convert/LogText.h"
#include "convert/StreamEventQueue.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>
#include <thread>

int vorlanta(ConversionHost& host, int row, const std::atomic<int>& control)
{
    JobConversion conversion(host, row, control);
    return conversion.Run();
}

JobConversion::JobConversion(ConversionHost& host, int row, const std::atomic<int>& control)
    : host_(host), row_(row), control_(control)
{
}

void JobConversion::Log(const std::string& text)
{
    host_.log.showmessage(text);
}

void JobConversion::ReadCells()
{
    sourcePath_ = host_.table.CellText(row_, JobTableAccess::SourceFile);
    resultPath_ = host_.table.CellText(row_, JobTableAccess::DestFile);
    bitrate_ = JobVocabulary::LeadingNumber(host_.table.CellText(row_, JobTableAccess::Bitrate));
}

int JobConversion::Run()
{
    ReadCells();
    if (const std::optional<int> early = SetUp())
        return *early;
    Log(LogText::Format("%s convert begin\r\n", sourcePath_.c_str()));
    FrameLoop();
    return CommonExit();
}

// Everything before the first frame. Empty when the frame loop may run,
// otherwise the job's result.
std::optional<int> JobConversion::SetUp()
{
    if (!source_.Open(sourcePath_)) {
        Log(LogText::Format("Source file open failed in file %s\r\n", sourcePath_.c_str()));
        return JobResult::Failed;
    }
    size_ = source_.Size();
    if (size_ == 0) {
        Log(LogText::Format("%s File Size is 0, Invalid MP3 File\r\n", sourcePath_.c_str()));
        return JobResult::Failed;
    }
    tags_ = TagCarryOver::Probe(source_, host_.log);
    // The audio lies between the tags: tag bytes are never decoded.
    audioStart_ = tags_.HasV2() ? std::min<std::uint64_t>(tags_.id3v2Length, size_) : 0;
    audioEnd_ = tags_.HasV1() ? size_ - tags_.id3v1.size() : size_;
    window_ = std::make_unique<SourceWindow>(source_, audioEnd_);

    const std::optional<MpegFrameHeader> format = FindStreamFormat();
    if (failed_)
        return JobResult::Failed;
    if (!format) {
        Log(LogText::Format("No MP3 frame found in file %s, nothing converted\r\n", sourcePath_.c_str()));
        return JobResult::Failed;
    }
    if (!StartEncoder(*format))
        return JobResult::Failed;
    decoder_ = std::make_unique<FrameDecoder>(format->channels);

    try {
        output_.assign(kOutputBytes, 0);
    } catch (const std::bad_alloc&) {
        Log("Memory Not Enough for converting MP3\r\n");
        return CommonExit();
    }
    if (!CreateResult())
        return CommonExit();
    return std::nullopt;
}

bool JobConversion::StartEncoder(const MpegFrameHeader& format)
{
    encoder_ = std::make_unique<EncoderSession>(host_.encoderFolder, host_.prompt);
    if (!encoder_->Ready()) {
        Log("Failed to init lame!\r\n");
        encoder_.reset();
        return false;
    }
    encoder_->Configure(bitrate_, format.sampleRate, format.channels);
    if (!encoder_->Start()) {
        encoder_.reset();
        return false;
    }
    if (encoder_->OutputRate() != format.sampleRate)
        Log(LogText::Format("%d kbit/s cannot be encoded at %d Hz, resampled to %d Hz\r\n", bitrate_,
                            format.sampleRate, encoder_->OutputRate()));
    return true;
}

// The first frame header of the stream, preferably one that the next frame
// confirms, so a stray sync in leading junk does not set the format.
std::optional<MpegFrameHeader> JobConversion::FindStreamFormat()
{
    std::optional<MpegFrameHeader> firstPlausible;
    for (std::uint64_t offset = audioStart_; offset + 4 <= audioEnd_; ++offset) {
        const std::uint8_t* bytes = window_->Bytes(offset, 4);
        if (bytes == nullptr) {
            FailRead();
            return std::nullopt;
        }
        if (!MpegFrameHeader::HasSync(bytes))
            continue;
        const std::optional<MpegFrameHeader> header = MpegFrameHeader::Parse(bytes);
        if (!header || !header->IsLayer3() || !header->Usable())
            continue;
        if (!firstPlausible)
            firstPlausible = header;
        const std::uint64_t next = offset + header->frameLength;
        if (next + 4 > audioEnd_)
            return firstPlausible;
        const std::uint8_t* following = window_->Bytes(next, 4);
        if (following == nullptr) {
            FailRead();
            return std::nullopt;
        }
        if (!MpegFrameHeader::HasSync(following))
            continue;
        const std::optional<MpegFrameHeader> confirm = MpegFrameHeader::Parse(following);
        if (confirm && confirm->SameStreamAs(*header))
            return header;
    }
    return firstPlausible;
}

bool JobConversion::CreateResult()
{
    // Opening the source itself for writing would empty it.
    if (source_.IsSameFileAs(resultPath_) || !result_.Create(resultPath_)) {
        Log(LogText::Format("Dest file create failed in file %s\r\n", resultPath_.c_str()));
        return false;
    }
    if (tags_.HasV2() && !result_.Append(tags_.id3v2.get(), tags_.id3v2Length))
        FailWrite();
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
    FrameProducer producer(*window_, *decoder_, queue, audioStart_, size_);
    std::thread reader([&producer] { producer.Run(); });
    TakeSteps(queue);
    queue.Cancel();
    reader.join();
}

void JobConversion::TakeSteps(StreamEventQueue& queue)
{
    for (;;) {
        if (control_.load() == JobControl::Stop) {
            Log("Job Stopped by user\r\n");
            return;
        }
        if (control_.load() == JobControl::Restart) {
            Log("Job restart by user\r\n");
            return;
        }
        StreamEvent& event = queue.Front();
        switch (event.kind) {
        case StreamEvent::Kind::NotLayer3:
            Log("Frame is not an MPG1 layer 3 frame, skipped\r");
            queue.Pop();
            continue;
        case StreamEvent::Kind::FrameTooLarge:
            Log("Error!Source File small than one Frame!\n");
            return;
        case StreamEvent::Kind::ReadFailed:
            FailRead();
            return;
        case StreamEvent::Kind::End:
            EndOfStream();
            return;
        case StreamEvent::Kind::Frame:
            break;
        }
        Log(LogText::Format("%d BYTEs Read\r", static_cast<int>(event.length)));
        if (!ConvertFrame(event))
            return;
        ReportProgress(event.end);
        if (event.last) {
            EndOfStream();
            return;
        }
        queue.Pop();
        std::this_thread::yield();
    }
}

bool JobConversion::ConvertFrame(const StreamEvent& frame)
{
    if (frame.produced == 0)
        return true;
    ++decodedFrames_;
    const auto pcmLength = static_cast<std::uint32_t>(frame.produced);
    // Never let the encoder write past the end of the output buffer.
    if (output_.size() - used_ < encoder_->EncodeRoom(pcmLength) && !WriteOutput())
        return false;
    const std::uint32_t encoded = encoder_->Encode(frame.pcm.data(), pcmLength, output_.data() + used_);
    if (encoder_->Failed()) {
        FailEncode();
        return false;
    }
    Log(LogText::Format("%d PCM data created, %d Mp3 data created\r", static_cast<int>(frame.produced),
                        static_cast<int>(encoded)));
    used_ += encoded;
    if (used_ + kFlushMargin > output_.size() && !WriteOutput())
        return false;
    Log(LogText::Format("%d BYTEs Write\r", static_cast<int>(lastWrite_)));
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
        host_.table.SetStatus(row_, LogText::Format("%d%%", static_cast<int>(percent)));
}

void JobConversion::EndOfStream()
{
    if (decodedFrames_ == 0) {
        Log(LogText::Format("No MP3 frame could be decoded in file %s, nothing converted\r\n",
                            sourcePath_.c_str()));
        failed_ = true;
        removeResult_ = true;
        return;
    }
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
    if (tags_.HasV1() && !result_.Append(tags_.id3v1.data(), tags_.id3v1.size())) {
        FailWrite();
        return;
    }
    if (!result_.Close()) {
        FailWrite();
        return;
    }
    Log(LogText::Format("%s Created\r\n", resultPath_.c_str()));
    completed_ = true;
}

void JobConversion::FailWrite()
{
    if (failed_)
        return;
    Log(LogText::Format("Dest file write failed in file %s\r\n", resultPath_.c_str()));
    failed_ = true;
    removeResult_ = true;
}

// A result the encoder could not finish would lack audio: it is no result.
void JobConversion::FailEncode()
{
    Log(LogText::Format("Encoder failed in file %s, no result written\r\n", sourcePath_.c_str()));
    failed_ = true;
    removeResult_ = true;
}

void JobConversion::FailRead()
{
    Log(LogText::Format("Source file read failed in file %s, it changed while converting\r\n",
                        sourcePath_.c_str()));
    failed_ = true;
    removeResult_ = true;
}

// Releases what this run obtained, in order, and computes its result.
int JobConversion::CommonExit()
{
    if (result_.IsOpen() && !result_.Close())
        FailWrite();
    output_ = {};
    window_.reset();
    if (encoder_)
        encoder_->Close();
    encoder_.reset();
    decoder_.reset();
    tags_.ReleaseV2();
    source_.Close();
    const int outcome = Outcome();
    // A failed job that produced no audio leaves no result behind.
    if (removeResult_ || (outcome == JobResult::Failed && decodedFrames_ == 0))
        result_.Remove();
    return outcome;
}

int JobConversion::Outcome() const
{
    if (failed_)
        return JobResult::Failed;
    if (control_.load() == JobControl::Restart)
        return JobResult::RestartRequested;
    if (completed_ || control_.load() == JobControl::Stop)
        return JobResult::Done;
    return JobResult::Failed;
}
