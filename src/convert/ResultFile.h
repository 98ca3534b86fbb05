#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// The result of a conversion: created empty, then appended to; only bytes
// already written may be overwritten in place. Every write, flush and close
// is checked; once one has failed the file is bad.
class ResultFile {
public:
    // Creates (or truncates) `path` and opens it for writing at its end.
    bool Create(const std::string& path);
    // Writes all `length` bytes and flushes them to the file.
    bool Append(const void* data, std::size_t length);
    // Writes `length` bytes over those at `offset`, which were appended before.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t length);
    // Closes the file; false when this or an earlier write failed.
    bool Close();
    bool IsOpen() const { return stream_ != nullptr; }
    bool Failed() const { return failed_; }
    // Closes and deletes the file, if this object created it.
    void Remove();

private:
    struct Closer {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    std::unique_ptr<std::FILE, Closer> stream_;
    std::string path_;
    bool failed_ = false;
    bool created_ = false;
};
