// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncodeOnly.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "convert/DecodedSource.h"
#include "convert/EncoderSession.h"
#include "convert/ResultFile.h"
#include "convert/SourceFile.h"
#include "convert/SourceFormats.h"

#include <chrono>
#include <ctime>
#include <vector>

namespace {

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class SilentPrompt : public UserPrompt {
public:
    void MessageBox(const std::string&) override { }
};

}  // namespace

EncodeOnly::Seconds EncodeOnly::Run(const std::string& source, const std::string& result, int bitrate,
                                    const std::string& encoderFolder)
{
    const DecodedAudio audio = DecodedAudio::FromFile(source);
    if (!audio.ok)
        return {};
    SilentPrompt prompt;
    const double start = ProcessSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    EncoderSession session(encoderFolder, prompt);
    session.Configure(EncodeSettings::Cbr(bitrate), audio.sampleRate, audio.channels);
    if (!session.Ready() || !session.Start())
        return {};
    ResultFile file;
    if (!file.Create(result))
        return {};
    std::vector<std::uint8_t> output(1024000);
    std::size_t used = 0;
    // One decoded frame at a time, as the engine hands them over.
    const std::size_t block = 1152 * static_cast<std::size_t>(audio.channels);
    for (std::size_t at = 0; at < audio.samples.size(); at += block) {
        const std::size_t values = std::min(block, audio.samples.size() - at);
        const auto bytes = static_cast<std::uint32_t>(values * 2);
        if (output.size() - used < session.EncodeRoom(bytes) + 1000) {
            file.Append(output.data(), used);
            used = 0;
        }
        used += session.Encode(audio.samples.data() + at, bytes, output.data() + used);
    }
    used += session.Flush(output.data() + used);
    file.Append(output.data(), used);
    session.Close();
    if (!file.Commit())
        return {};
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return {ProcessSeconds() - start, wall};
}

EncodeOnly::Seconds EncodeOnly::RunDecoded(const std::string& source, const std::string& result, int bitrate,
                                           const std::string& encoderFolder)
{
    SourceFile file;
    std::uint8_t magic[SourceFormat::kMagicBytes] = {};
    if (!file.Open(source) || file.ReadAt(0, magic, sizeof magic) != static_cast<long long>(sizeof magic))
        return {};
    const SourceFormat* format = SourceFormat::Recognize(magic, sizeof magic);
    DecodedSource decoded(
        [&file](std::uint64_t at, void* buffer, std::size_t length) { return file.ReadAt(at, buffer, length); },
        file.Size());
    if (format == nullptr || !decoded.Open(*format))
        return {};
    std::vector<std::vector<float>> blocks;
    for (DecodedSource::Step step = decoded.Next(); step.kind != DecodedSource::Step::Kind::End;
         step = decoded.Next()) {
        if (step.kind == DecodedSource::Step::Kind::ReadFailed)
            return {};
        if (step.kind == DecodedSource::Step::Kind::Block)
            blocks.emplace_back(decoded.Samples(),
                                decoded.Samples() + decoded.Frames() * static_cast<std::size_t>(decoded.Channels()));
    }
    SilentPrompt prompt;
    const double start = ProcessSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    EncoderSession session(encoderFolder, prompt);
    session.Configure(EncodeSettings::Cbr(bitrate), decoded.Rate(), decoded.Channels());
    if (!session.Ready() || !session.Start())
        return {};
    ResultFile out;
    if (!out.Create(result))
        return {};
    std::vector<std::uint8_t> output(1024000);
    std::size_t used = 0;
    for (const std::vector<float>& block : blocks) {
        const auto values = static_cast<std::uint32_t>(block.size());
        if (output.size() - used < session.EncodeRoom(values * 2) + 1000) {
            out.Append(output.data(), used);
            used = 0;
        }
        used += session.EncodeFloat(block.data(), values, output.data() + used);
    }
    used += session.Flush(output.data() + used);
    out.Append(output.data(), used);
    session.Close();
    if (!out.Commit())
        return {};
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return {ProcessSeconds() - start, wall};
}
