// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SourceFile;

// A sliding read window over the source. It hands out the bytes of any
// range of the stream; bytes at or past the stream's end read as 0. The
// source is read with plain reads rather than mapped, so a file that is
// truncated under us is an error to report, not a fault that kills the
// process, and memory use does not grow with the file.
class SourceWindow {
public:
    // `end` is where the stream's bytes stop (a trailing tag lies beyond it).
    SourceWindow(const SourceFile& file, std::uint64_t end);

    // Pointer to `length` bytes starting at `offset`, valid until the next
    // call; nullptr when the file could not be read as far as it should (it
    // has shrunk or the read failed).
    const std::uint8_t* Bytes(std::uint64_t offset, std::size_t length)
    {
        if (offset >= m_base && offset + length <= m_base + m_filled)
            return m_buffer.data() + (offset - m_base);
        return Load(offset, length);
    }

    std::uint64_t End() const { return m_end; }

private:
    const std::uint8_t* Load(std::uint64_t offset, std::size_t length);

    static constexpr std::size_t kWindow = 1u << 20;
    const SourceFile& m_file;
    std::uint64_t m_end;
    std::uint64_t m_base = 0;
    std::size_t m_filled = 0;
    std::vector<std::uint8_t> m_buffer;
};
