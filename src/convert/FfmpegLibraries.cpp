// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FfmpegLibraries.h"

#include <dlfcn.h>

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

struct Loaded {
    FfmpegLibraries functions;
    bool complete = false;
    std::string problem;
};

Loaded LoadAll()
{
    Loaded loaded;
    std::array<void*, kLibraries.size()> handles{};
    for (std::size_t i = 0; i < kLibraries.size(); ++i) {
        handles[i] = ::dlopen(kLibraries[i], RTLD_NOW | RTLD_LOCAL);
        if (handles[i] == nullptr) {
            const char* error = ::dlerror();
            loaded.problem = error != nullptr ? error : kLibraries[i];
            return loaded;
        }
    }
    // Each function from whichever of the libraries defines it.
    const auto find = [&](const char* name) -> void* {
        for (void* handle : handles)
            if (void* symbol = ::dlsym(handle, name))
                return symbol;
        loaded.problem = std::string("undefined symbol: ") + name;
        return nullptr;
    };
#define VORLANTA_FFMPEG_FIND(name)                                                                                     \
    loaded.functions.name = reinterpret_cast<decltype(&::name)>(find(#name));                                          \
    if (loaded.functions.name == nullptr)                                                                              \
        return loaded;
    VORLANTA_FFMPEG_FUNCTIONS(VORLANTA_FFMPEG_FIND)
#undef VORLANTA_FFMPEG_FIND
    loaded.complete = true;
    return loaded;
}

}  // namespace

const FfmpegLibraries* FfmpegLibraries::Load(std::string& problem)
{
    static const Loaded loaded = LoadAll();
    if (!loaded.complete) {
        problem = loaded.problem;
        return nullptr;
    }
    return &loaded.functions;
}
