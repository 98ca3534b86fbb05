// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A shared library loaded at run time; unloaded when the object goes.
class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads `fileName` from the first of `folders` that has a loadable
    // copy, else from the normal library search path.
    bool Load(const std::vector<std::string>& folders, const std::string& fileName);
    bool IsLoaded() const { return m_handle != nullptr; }
    void* Symbol(const char* name) const;

    // Where the last Load looked, in order ("the library search path" for
    // the last try), and the loader's reason for the attempt that came
    // closest: a copy that exists but cannot be loaded says more than a
    // missing one.
    const std::vector<std::string>& Tried() const { return m_tried; }
    const std::string& Reason() const { return m_reason; }

private:
    bool Try(const std::string& path, const std::string& shownAs);

    void* m_handle = nullptr;
    std::vector<std::string> m_tried;
    std::string m_reason;
    bool m_reasonFromExistingFile = false;
};
