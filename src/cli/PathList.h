// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The sources of --files-from: one path a line, or separated by NUL bytes
// (-0) so that any name a file system allows gets through, newlines too.
// Empty entries are left out. Paths are taken as they are: no blanks are
// trimmed and no quotes are read.
namespace PathList {

// Reads every path from `stream` up to its end.
std::vector<std::string> Read(std::FILE* stream, bool nulSeparated);
// Reads the list named `name` ("-": standard input). Empty, with `error`
// set, when it cannot be read.
std::optional<std::vector<std::string>> ReadNamed(const std::string& name, bool nulSeparated, std::string& error);

}  // namespace PathList
