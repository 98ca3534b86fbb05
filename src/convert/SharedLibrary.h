#pragma once

#include <string>

// A shared library loaded at run time; unloaded when the object goes.
class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads `fileName` from `folder` first (when given), then from the
    // normal library search path.
    bool Load(const std::string& folder, const std::string& fileName);
    bool IsLoaded() const { return handle_ != nullptr; }
    void* Symbol(const char* name) const;

private:
    void* handle_ = nullptr;
};
