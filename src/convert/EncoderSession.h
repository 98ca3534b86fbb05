// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "convert/EngineText.h"
#include "convert/SharedLibrary.h"

#include "encoder/BeConfig.h"

#include <cstdint>
#include <string>

class UserPrompt;

// The encoder library's four stream entry points, and the Info-frame entry
// point, which an older library may lack: its results then have no Info frame.
struct EncoderEntryPoints {
    be::InitStreamFn init = nullptr;
    be::EncodeChunkFn encode = nullptr;
    be::DeinitStreamFn deinit = nullptr;
    be::CloseStreamFn close = nullptr;
    be::WriteInfoTagFn infoTag = nullptr;
    be::EncodeChunkFloatFn encodeFloat = nullptr;  // optional: floats are cut to 16 bits without it
    be::SetReplayGainFn setReplayGain = nullptr;   // optional: a library without it writes no gain

    bool Complete() const { return init && encode && deinit && close; }
};

// One job's session with the encoder library: configure, start a stream,
// encode blocks of PCM straight into the caller's buffer, flush, close.
class EncoderSession {
public:
    // Room the final flush may need at its destination.
    static constexpr std::uint32_t kFlushRoom = 7200;

    // Loads the library (from `folder` first, then the private library
    // folder of an installation beside it, then the library search path)
    // and resolves its entry points; when anything is missing the session is
    // not ready and the user is told.
    EncoderSession(const std::string& folder, UserPrompt& prompt, Translator language = {});
    // A session on entry points the caller supplies.
    EncoderSession(const EncoderEntryPoints& entries, UserPrompt& prompt, Translator language = {});
    virtual ~EncoderSession();
    EncoderSession(const EncoderSession&) = delete;
    EncoderSession& operator=(const EncoderSession&) = delete;

    bool Ready() const { return m_ready; }
    // Why the session is not ready, for the log: which library was looked
    // for where, and the loader's reason. Empty when it is ready.
    const std::string& Problem() const { return m_problem; }

    // Fills the configuration record: the result's settings, the source's
    // rate and channel count, the output rate that can carry the bitrate, and
    // an Info frame when the library can hand it over.
    void Configure(const EncodeSettings& settings, int sampleRate, int channels);
    // The same for a constant `bitrate`.
    void Configure(int bitrate, int sampleRate, int channels);
    // The same for LAME's variable bitrate at `quality` (0 best to 9), at the
    // source's own rate.
    void ConfigureVariable(int quality, int sampleRate, int channels);
    // The same for LAME's average bitrate at `kbps`.
    void ConfigureAverage(int kbps, int sampleRate, int channels);
    int OutputRate() const { return static_cast<int>(m_config.reSampleRate); }
    const be::Config& Record() const { return m_config; }
    // Takes another session's record as it is, for a stream that must encode
    // exactly as that session's does.
    void Adopt(const be::Config& record) { m_config = record; }
    const EncoderEntryPoints& Entries() const { return m_entries; }

    // Starts the stream; on failure the stream is released and the user told.
    bool Start();
    std::uint32_t ChunkSize() const { return m_chunkSize; }
    std::uint32_t OutputBound() const { return m_outputBound; }

    // Encodes `bytes` bytes of interleaved 16-bit PCM, writing the MP3 bytes
    // at `destination`; returns how many were written. After a call the
    // library refuses, nothing more is encoded and Failed() holds.
    std::uint32_t Encode(const std::int16_t* pcm, std::uint32_t bytes, std::uint8_t* destination);
    // Encodes `values` interleaved float values (full scale +-1.0) in the
    // same way; a library without the float entry point gets them as 16-bit.
    std::uint32_t EncodeFloat(const float* pcm, std::uint32_t values, std::uint8_t* destination);
    // The most bytes one Encode of `bytes` PCM bytes may write.
    std::uint32_t EncodeRoom(std::uint32_t bytes) const;
    // Writes the encoder's last frames at `destination` (kFlushRoom bytes
    // free); for a stream that ran to its end. Failed() holds when the
    // library refused.
    std::uint32_t Flush(std::uint8_t* destination);
    // The stream's first bytes are a placeholder frame that InfoFrame's
    // bytes replace once the stream is flushed (unless its frames are too
    // short to hold one).
    bool WritesInfoFrame() const { return m_config.writeVbrHeader != 0; }
    // Writes the finished Info frame at `destination` (be::kInfoTagOutputSize
    // bytes free) after Flush; returns its length, 0 when there is none.
    // False when the library failed.
    bool InfoFrame(std::uint8_t* destination, std::uint32_t& length);
    // The track gain (dB) and peak InfoFrame writes into the LAME tag; false
    // when the library cannot.
    bool SetReplayGain(double gainDb, double peak);
    // The library refused an encode or flush call: the result lacks audio.
    bool Failed() const { return m_failed; }
    // Ends the stream. What a stream not flushed before still holds is dropped.
    void Close();

private:
    void ResolveEntryPoints();
    std::uint32_t EncodeFloatAs16(const float* pcm, std::uint32_t values, std::uint8_t* destination);
    std::string MissingEntryPoints() const;
    std::string TriedPlaces() const;
    void ConfigureCommon(int sampleRate, int outputRate, int channels);

    SharedLibrary m_library;
    EncoderEntryPoints m_entries;
    UserPrompt& m_prompt;
    const Translator m_language;  // of the prompts and the problem
    bool m_ready = true;
    std::string m_problem;
    bool m_started = false;
    bool m_flushed = false;
    bool m_failed = false;
    be::Config m_config{};
    std::uint32_t m_chunkSize = 0;
    std::uint32_t m_outputBound = 0;
    be::StreamHandle m_stream = 0;
};
