// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Where the programs find the files that ship with them. A program run from
// its build folder has everything beside itself; an installed one keeps the
// encoder library in a private library folder and its data in a shared data
// folder, both found relative to the program's own folder so that a staged
// (DESTDIR) or moved installation works as well.
namespace InstallLayout {

// Folders searched for the encoder library, in order: the program's own
// folder, then the private library folder of an installation. Empty when
// `programFolder` is empty (the normal library search path only).
std::vector<std::string> EncoderLibraryFolders(const std::string& programFolder);

// Folders searched for data such as the help pages, in order: the program's
// own folder, then the shared data folder of an installation.
std::vector<std::string> DataFolders(const std::string& programFolder);

// The path of `name` (a file or folder) in the first data folder that holds
// it; the path in the program's own folder when none does.
std::string FindData(const std::string& programFolder, const std::string& name);

}  // namespace InstallLayout
