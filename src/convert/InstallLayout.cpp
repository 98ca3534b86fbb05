// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/InstallLayout.h"

#include <BuildConfig.h>

#include <filesystem>
#include <system_error>

namespace {

std::vector<std::string> OwnThenInstalled(const std::string& programFolder, const char* installedFromBin)
{
    if (programFolder.empty())
        return {};
    const std::filesystem::path own(programFolder);
    return {own.string(), (own / installedFromBin).lexically_normal().string()};
}

}  // namespace

namespace InstallLayout {

std::vector<std::string> EncoderLibraryFolders(const std::string& programFolder)
{
    return OwnThenInstalled(programFolder, VORLANTA_LIBDIR_FROM_BIN);
}

std::vector<std::string> DataFolders(const std::string& programFolder)
{
    return OwnThenInstalled(programFolder, VORLANTA_DATADIR_FROM_BIN);
}

std::string FindData(const std::string& programFolder, const std::string& name)
{
    std::error_code error;
    for (const std::string& folder : DataFolders(programFolder)) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (std::filesystem::exists(candidate, error))
            return candidate.string();
    }
    return (std::filesystem::path(programFolder) / name).string();
}

}  // namespace InstallLayout
