// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ConversionOutcome.h"
#include "convert/EncoderSession.h"
#include "convert/EngineText.h"
#include "convert/FrameDecoder.h"
#include "convert/JobLogTap.h"
#include "convert/JobSpec.h"
#include "convert/LoudnessTagging.h"
#include "convert/MpegFrameHeader.h"
#include "convert/ResultFile.h"
#include "convert/SegmentedEncode.h"
#include "convert/SourceFile.h"
#include "convert/SourceWindow.h"
#include "convert/TagCarryOver.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DecodedSource;
struct ConversionHost;
struct SourceFormat;
struct StreamEvent;
class StreamEventQueue;

// Job control word values, written by other threads, polled once per frame.
namespace JobControl {
constexpr int Idle = -1;
constexpr int Run = 0;
constexpr int Stop = 1;
constexpr int Restart = 2;
}  // namespace JobControl

// Converts `job` from its source to its result file with its settings, and
// says how it ended. Runs on the caller's thread until the job ends.
ConversionOutcome vorlanta(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control);

// One run of one job: set-up, the frame loop, the end of the stream and the
// release of everything the run obtained.
class JobConversion {
public:
    static constexpr std::size_t kOutputBytes = 1024000;
    // Frames the reading side may decode ahead of the encoder.
    static constexpr std::size_t kQueuedSteps = 32;
    static constexpr std::size_t kFlushMargin = 1000;
    // Frames in a row that make a source MP3 rather than another format.
    static constexpr int kPlausibleRun = 4;
    // Shortest source, in seconds, that is encoded in segments when more
    // than one encoder thread is allowed: shorter, a worker's share would
    // be so short that the join's cost (about 14 frames) would weigh.
    static constexpr double kSplitSeconds = 20.0;

    JobConversion(ConversionHost& host, const JobSpec& job, const std::atomic<int>& control);
    ConversionOutcome Run();

private:
    using Kind = ConversionOutcome::Kind;

    // Empty when the frame loop may run, otherwise how the job ended.
    std::optional<Kind> SetUp();
    bool StartEncoder(const MpegFrameHeader& format);
    void ChooseSplit(const MpegFrameHeader& format);
    bool SplitFrame(const StreamEvent& frame);
    bool FinishSplit();
    const EngineText* ForeignContent();
    std::optional<MpegFrameHeader> FindStreamFormat();
    bool CreateResult();
    // What every source needs once the encoder runs: the loudness meter
    // when tags are asked for, the output buffer and the temporary result.
    // False when the job ends here (CommonExit's outcome is due).
    bool OpenOutput(int sampleRate, int channels);
    void FrameLoop();
    void TakeSteps(StreamEventQueue& queue);
    bool Interrupted();
    void LogFormatChange(const StreamEvent& change);
    bool ConvertFrame(const StreamEvent& frame);
    bool WriteOutput();
    void ReportProgress(std::uint64_t end);
    void EndOfStream();
    bool WriteInfoFrame();
    bool WriteLoudness();
    void FailWrite();
    void FailEncode();
    void FailSplit();
    void FailRead();
    Kind CommonExit();
    // Sources in other formats (JobConversionDecoded.cpp): decoded by
    // DecodedSource instead of the frame chain, into the same encoder,
    // result file and end of the job.
    const SourceFormat* DecodedFormat();
    std::optional<Kind> SetUpDecoded(const SourceFormat& format);
    void DecodedLoop();
    bool ConvertBlock(const float* samples, std::size_t frames);
    Kind Outcome() const;
    void Log(const std::string& text);
    void Log(EngineText text, std::initializer_list<std::string> values);
    void LogProgress(const std::string& line, std::initializer_list<std::string> values);
    void LogUnnamedEnd(const std::string& text);
    void LogReason(const std::string& reason);

    ConversionHost& m_host;
    const JobSpec m_job;
    const std::atomic<int>& m_control;
    // Every line and message of this job passes here; the last ones say why
    // it failed.
    JobLogTap m_tap;
    const Translator m_language;  // the log's
    // The progress lines of every frame, translated once.
    const std::string m_pcmLine;
    const std::string m_readLine;
    const std::string m_writeLine;

    SourceFile m_source;
    std::uint64_t m_size = 0;
    std::uint64_t m_audioStart = 0;
    std::uint64_t m_audioEnd = 0;
    TagCarryOver m_tags;
    MpegFrameHeader m_format;  // the first frame's: the result keeps its rate and channels
    std::uint32_t m_freeFormatLength = 0;
    std::unique_ptr<SourceWindow> m_window;
    std::unique_ptr<EncoderSession> m_encoder;
    std::unique_ptr<SegmentedEncode> m_split;  // set when the job is encoded in segments
    std::uint64_t m_splitWritten = 0;          // joined bytes written so far
    bool m_splitWriteFailed = false;
    std::unique_ptr<FrameDecoder> m_decoder;
    std::unique_ptr<DecodedSource> m_decoded;
    std::unique_ptr<LoudnessTagging> m_loudness;      // only while loudness tags are written
    std::shared_ptr<const LoudnessMeter> m_measured;  // the track's, for its album
    std::vector<std::uint8_t> m_output;
    std::size_t m_used = 0;
    ResultFile m_result;

    std::uint32_t m_lastWrite = 0;
    std::uint64_t m_decodedFrames = 0;
    bool m_completed = false;
    bool m_failed = false;      // a failure that no control request overrides
    bool m_unnamedEnd = false;  // the line that ended the job named no file
    bool m_encoderMissing = false;
    std::string m_encoderProblem;  // which library was looked for where, and why it did not load
};
