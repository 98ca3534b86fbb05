// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BuildInfo.h"

#include "convert/InstallLayout.h"
#include "convert/SharedLibrary.h"

#include "encoder/BeConfig.h"

#include <BuildCommit.h>
#include <BuildConfig.h>
#include <dlfcn.h>

namespace BuildInfo {

std::string VersionLine(const std::string& program)
{
    std::string line = program + " " + VORLANTA_VERSION;
    const std::string commit = VORLANTA_COMMIT;
    if (!commit.empty())
        line.append(" (commit ").append(commit).append(")");
    return line;
}

std::string LameVersion(const std::string& programFolder)
{
    // The encoder library links libmp3lame; looking the symbol up through
    // its handle finds the LAME it actually loads.
    SharedLibrary library;
    if (!library.Load(InstallLayout::EncoderLibraryFolders(programFolder), be::kLibraryFileName))
        return "not found";
    using VersionFn = const char* (*)();
    const auto version = reinterpret_cast<VersionFn>(library.Symbol("get_lame_version"));
    return version != nullptr ? version() : "unknown";
}

std::string Mpg123Version()
{
    // mpg123_distversion() came with mpg123 1.32; an older library is the
    // one the program was built against (same soname).
    using DistVersionFn = const char* (*)(unsigned*, unsigned*, unsigned*);
    const auto distVersion = reinterpret_cast<DistVersionFn>(::dlsym(RTLD_DEFAULT, "mpg123_distversion"));
    if (distVersion != nullptr)
        return distVersion(nullptr, nullptr, nullptr);
    return VORLANTA_MPG123_BUILD_VERSION;
}

}  // namespace BuildInfo
