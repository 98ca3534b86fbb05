#include "convert/ResultFile.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

bool ResultFile::Create(const std::string& path)
{
    path_ = path;
    failed_ = false;
    std::FILE* created = std::fopen(path.c_str(), "wb");
    if (created == nullptr)
        return false;
    created_ = true;
    if (std::fclose(created) != 0)
        return false;
    // Not "ab": a file opened for appending ignores the offset of WriteAt.
    stream_.reset(std::fopen(path.c_str(), "r+b"));
    return stream_ != nullptr;
}

bool ResultFile::Append(const void* data, std::size_t length)
{
    if (!stream_ || failed_)
        return false;
    if (length > 0 && std::fwrite(data, 1, length, stream_.get()) != length)
        failed_ = true;
    if (std::fflush(stream_.get()) != 0)
        failed_ = true;
    return !failed_;
}

bool ResultFile::WriteAt(std::uint64_t offset, const void* data, std::size_t length)
{
    if (!stream_ || failed_ || std::fflush(stream_.get()) != 0) {
        failed_ = true;
        return false;
    }
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(::fileno(stream_.get()), bytes + done, length - done,
                                     static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            failed_ = true;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool ResultFile::Close()
{
    if (stream_ && std::fclose(stream_.release()) != 0)
        failed_ = true;
    return !failed_;
}

void ResultFile::Remove()
{
    stream_.reset();
    // Only ever a file of our own making, never a device or anything else.
    struct stat info {};
    if (created_ && ::stat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        std::remove(path_.c_str());
}
