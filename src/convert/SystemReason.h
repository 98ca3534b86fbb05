// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/types.h>

// Why a file operation failed, in the system's own words, for the log line
// that follows the line saying what failed.
namespace SystemReason {

// The text of an errno value ("No space left on device"); empty for 0.
std::string OfError(int error);
// What a path is when it is not a regular file ("Is a directory"), in
// English: a log translates it under the context "SystemReason".
std::string OfNonRegular(mode_t mode);

}  // namespace SystemReason
