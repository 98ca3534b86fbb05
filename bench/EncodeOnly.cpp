// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncodeOnly.h"

#include "DecodedAudio.h"
#include "RecordingHost.h"
#include "convert/EncoderSession.h"
#include "convert/ResultFile.h"

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
