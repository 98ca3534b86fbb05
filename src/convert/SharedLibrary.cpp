// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SharedLibrary.h"

#include "convert/EngineText.h"

#include <dlfcn.h>
#include <unistd.h>

SharedLibrary::~SharedLibrary()
{
    if (m_handle != nullptr)
        ::dlclose(m_handle);
}

bool SharedLibrary::Load(const std::vector<std::string>& folders, const std::string& fileName)
{
    m_tried.clear();
    m_reason.clear();
    m_reasonFromExistingFile = false;
    for (const std::string& folder : folders) {
        if (!folder.empty() && Try(folder + "/" + fileName, folder + "/" + fileName))
            return true;
    }
    return Try(fileName, ENGINE_TEXT("SharedLibrary", "the library search path").english);
}

bool SharedLibrary::Try(const std::string& path, const std::string& shownAs)
{
    if (m_handle != nullptr)
        return true;
    m_tried.push_back(shownAs);
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle != nullptr)
        return true;
    const char* error = ::dlerror();
    const bool exists = path.find('/') != std::string::npos && ::access(path.c_str(), F_OK) == 0;
    if (error != nullptr && (m_reason.empty() || (exists && !m_reasonFromExistingFile))) {
        m_reason = error;
        m_reasonFromExistingFile = exists;
    }
    return false;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return m_handle != nullptr ? ::dlsym(m_handle, name) : nullptr;
}
