// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceWindow.h"

#include "convert/SourceFile.h"

#include <algorithm>
#include <cstring>

SourceWindow::SourceWindow(const SourceFile& file, std::uint64_t end) : file_(file), end_(end)
{
}

const std::uint8_t* SourceWindow::Load(std::uint64_t offset, std::size_t length)
{
    const std::size_t span = std::max(kWindow, length);
    if (buffer_.size() < span)
        buffer_.resize(span);
    const std::uint64_t available = offset < end_ ? end_ - offset : 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(available, span));
    if (wanted > 0) {
        const long long got = file_.ReadAt(offset, buffer_.data(), wanted);
        if (got != static_cast<long long>(wanted)) {
            filled_ = 0;
            return nullptr;
        }
    }
    // Past the stream's end every byte reads as 0.
    std::memset(buffer_.data() + wanted, 0, span - wanted);
    base_ = offset;
    filled_ = span;
    return buffer_.data();
}
