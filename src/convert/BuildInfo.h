// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What a bug report needs to know about this build: its version, the commit
// it was built from, and the libraries it runs with.
namespace BuildInfo {

// "PROGRAM 1.0", with " (commit 0123456789ab)" when built from a checkout
// ("-dirty" when the checkout had changes).
std::string VersionLine(const std::string& program);
// The LAME version of the encoder library the program would load from
// `programFolder` (or the installation beside it), "not found" without one.
std::string LameVersion(const std::string& programFolder);
// The mpg123 library this process runs with; its build-time version when the
// library is too old to tell its own.
std::string Mpg123Version();

}  // namespace BuildInfo
