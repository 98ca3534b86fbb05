// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to a whole conversion as its source file.

#include "convert/ConversionHost.h"
#include "convert/JobConversion.h"
#include "convert/SilentJobHost.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string Folder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = Folder();
    static const std::string source = "/tmp/vorlanta-fuzz-source-" + std::to_string(::getpid()) + ".mp3";
    static const std::string result = "/tmp/vorlanta-fuzz-result-" + std::to_string(::getpid()) + ".mp3";
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    SilentJobHost host(source, result);
    ConversionHost conversionHost{host, host, host, folder};
    std::atomic<int> control{JobControl::Run};
    vorlanta(conversionHost, host.Job(), control);
    std::remove(result.c_str());
    return 0;
}
