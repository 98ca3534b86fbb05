#include "convert/ResultFile.h"

#include <sys/stat.h>

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
    stream_.reset(std::fopen(path.c_str(), "ab"));
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
