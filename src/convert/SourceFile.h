// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

// The source of a conversion, open for reading for as long as the job runs.
class SourceFile {
public:
    SourceFile() = default;
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // Opens an existing file for reading. False when it cannot be opened or
    // is not a regular file; a FIFO or a device is refused without waiting.
    bool Open(const std::string& path);
    // Why Open failed, in the system's words.
    const std::string& OpenReason() const { return m_openReason; }
    // Why the last read failed, in the system's words; empty when the file
    // just ended early.
    std::string ReadReason() const;
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    std::uint64_t Size() const { return m_size; }
    // Reads up to `length` bytes at `offset`; returns the count read, which is
    // short only at the end of the file or on an error (then -1).
    long long ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const;
    // True when `path` names this very file (same device and inode).
    bool IsSameFileAs(const std::string& path) const;

private:
    int m_fd = -1;
    std::string m_openReason;
    mutable std::atomic<int> m_readError{0};  // set by the reading thread
    std::uint64_t m_size = 0;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};
