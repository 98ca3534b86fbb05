// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceFile.h"

#include "convert/SystemReason.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SourceFile::~SourceFile()
{
    Close();
}

bool SourceFile::Open(const std::string& path)
{
    Close();
    m_openReason.clear();
    m_readError.store(0);
    // A device is not even opened: opening some has effects of its own.
    struct stat named { };
    if (::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
        m_openReason = SystemReason::OfNonRegular(named.st_mode);
        return false;
    }
    // Without O_NONBLOCK opening a FIFO put there since would wait for a
    // writer, for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openReason = SystemReason::OfError(errno);
        return false;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        m_openReason = SystemReason::OfError(errno);
    else if (!S_ISREG(info.st_mode))
        m_openReason = SystemReason::OfNonRegular(info.st_mode);
    if (!m_openReason.empty()) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(info.st_size);
    m_device = info.st_dev;
    m_inode = info.st_ino;
    // We read the file front to back once.
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void SourceFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

long long SourceFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            m_readError.store(errno);
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

bool SourceFile::IsSameFileAs(const std::string& path) const
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return false;
    return info.st_dev == m_device && info.st_ino == m_inode;
}

std::string SourceFile::ReadReason() const
{
    return SystemReason::OfError(m_readError.load());
}
