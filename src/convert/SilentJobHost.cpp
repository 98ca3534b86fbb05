// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SilentJobHost.h"

#include <utility>

SilentJobHost::SilentJobHost(std::string source, std::string result)
    : source_(std::move(source)), result_(std::move(result))
{
}

std::string SilentJobHost::CellText(int, int column)
{
    switch (column) {
    case SourceFile:
        return source_;
    case DestFile:
        return result_;
    case Bitrate:
        return "128";
    default:
        return {};
    }
}
