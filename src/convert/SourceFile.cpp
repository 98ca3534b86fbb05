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
    openReason_.clear();
    readError_.store(0);
    // A device is not even opened: opening some has effects of its own.
    struct stat named { };
    if (::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
        openReason_ = SystemReason::OfNonRegular(named.st_mode);
        return false;
    }
    // Without O_NONBLOCK opening a FIFO put there since would wait for a
    // writer, for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        openReason_ = SystemReason::OfError(errno);
        return false;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        openReason_ = SystemReason::OfError(errno);
    else if (!S_ISREG(info.st_mode))
        openReason_ = SystemReason::OfNonRegular(info.st_mode);
    if (!openReason_.empty()) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    device_ = info.st_dev;
    inode_ = info.st_ino;
    // We read the file front to back once.
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void SourceFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

long long SourceFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const
{
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            readError_.store(errno);
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
    return info.st_dev == device_ && info.st_ino == inode_;
}

std::string SourceFile::ReadReason() const
{
    return SystemReason::OfError(readError_.load());
}
