// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceWindow.h"

#include "convert/SourceFile.h"

#include <algorithm>
#include <cstring>

SourceWindow::SourceWindow(const SourceFile& file, std::uint64_t end) : m_file(file), m_end(end)
{
}

const std::uint8_t* SourceWindow::Load(std::uint64_t offset, std::size_t length)
{
    const std::size_t span = std::max(kWindow, length);
    if (m_buffer.size() < span)
        m_buffer.resize(span);
    const std::uint64_t available = offset < m_end ? m_end - offset : 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(available, span));
    if (wanted > 0) {
        const long long got = m_file.ReadAt(offset, m_buffer.data(), wanted);
        if (got != static_cast<long long>(wanted)) {
            m_filled = 0;
            return nullptr;
        }
    }
    // Past the stream's end every byte reads as 0.
    std::memset(m_buffer.data() + wanted, 0, span - wanted);
    m_base = offset;
    m_filled = span;
    return m_buffer.data();
}
