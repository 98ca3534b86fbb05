// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SystemReason.h"

#include "convert/EngineText.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

std::string SystemReason::OfError(int error)
{
    if (error == 0)
        return {};
    char buffer[256] = {};
    // The GNU strerror_r: thread-safe, returns the text (not always in buffer).
    return ::strerror_r(error, buffer, sizeof buffer);
}

std::string SystemReason::OfNonRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return OfError(EISDIR);
    if (S_ISFIFO(mode))
        return ENGINE_TEXT("SystemReason", "Is a named pipe (FIFO), not a regular file").english;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return ENGINE_TEXT("SystemReason", "Is a device, not a regular file").english;
    if (S_ISSOCK(mode))
        return ENGINE_TEXT("SystemReason", "Is a socket, not a regular file").english;
    return ENGINE_TEXT("SystemReason", "Not a regular file").english;
}
