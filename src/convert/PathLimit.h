// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <cstddef>
#include <string_view>

// The longest path the system accepts: PATH_MAX bytes, its terminating NUL
// included. Paths are counted in bytes of their file-system encoding
// (UTF-8), not in characters. Every place that takes a path (table,
// dialogs, settings, kept jobs) refuses longer ones.
namespace PathLimit {

#ifdef PATH_MAX
inline constexpr std::size_t kMaxBytes = PATH_MAX - 1;
#else
inline constexpr std::size_t kMaxBytes = 4095;
#endif

inline bool Fits(std::string_view path)
{
    return path.size() <= kMaxBytes;
}

}  // namespace PathLimit
