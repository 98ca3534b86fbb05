// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FfmpegLibraries.h"

#include "convert/SharedLibrary.h"

#include <array>

namespace {

// The file names the libraries' packages install, for the major versions
// of the headers.
constexpr std::array<const char*, 4> kLibraries{
    "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
    "libswresample.so." AV_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR),
    "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
    "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR),
};

// The libraries and their functions; the libraries stay loaded while it
// lives, which is the life of the process.
struct Loaded {
    Loaded();

    std::array<SharedLibrary, kLibraries.size()> libraries;
    FfmpegLibraries functions;
    bool complete = false;
    std::string problem;
};

Loaded::Loaded()
{
    for (std::size_t i = 0; i < kLibraries.size(); ++i) {
        if (!libraries[i].Load({}, kLibraries[i])) {
            problem = libraries[i].Reason().empty() ? kLibraries[i] : libraries[i].Reason();
            return;
        }
    }
    // Each function from whichever of the libraries defines it.
    const auto find = [this](const char* name) -> void* {
        for (const SharedLibrary& library : libraries)
            if (void* symbol = library.Symbol(name))
                return symbol;
        problem = std::string("undefined symbol: ") + name;
        return nullptr;
    };
#define VORLANTA_FFMPEG_FIND(name)                                                                                     \
    functions.name = reinterpret_cast<decltype(&::name)>(find(#name));                                                 \
    if (functions.name == nullptr)                                                                                     \
        return;
    VORLANTA_FFMPEG_FUNCTIONS(VORLANTA_FFMPEG_FIND)
#undef VORLANTA_FFMPEG_FIND
    complete = true;
}

}  // namespace

const FfmpegLibraries* FfmpegLibraries::Load(std::string& problem)
{
    // Never destroyed: unloading the libraries at exit, after their own
    // allocations' owners are gone, would gain nothing, and the leak
    // checker would no longer see those owners.
    static const Loaded& loaded = *new Loaded;
    if (!loaded.complete) {
        problem = loaded.problem;
        return nullptr;
    }
    return &loaded.functions;
}
