// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SharedLibrary.h"

#include "convert/EngineText.h"

#include <dlfcn.h>
#include <unistd.h>

SharedLibrary::~SharedLibrary()
{
    if (handle_ != nullptr)
        ::dlclose(handle_);
}

bool SharedLibrary::Load(const std::vector<std::string>& folders, const std::string& fileName)
{
    tried_.clear();
    reason_.clear();
    reasonFromExistingFile_ = false;
    for (const std::string& folder : folders) {
        if (!folder.empty() && Try(folder + "/" + fileName, folder + "/" + fileName))
            return true;
    }
    return Try(fileName, ENGINE_TEXT("SharedLibrary", "the library search path").english);
}

bool SharedLibrary::Try(const std::string& path, const std::string& shownAs)
{
    if (handle_ != nullptr)
        return true;
    tried_.push_back(shownAs);
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr)
        return true;
    const char* error = ::dlerror();
    const bool exists = path.find('/') != std::string::npos && ::access(path.c_str(), F_OK) == 0;
    if (error != nullptr && (reason_.empty() || (exists && !reasonFromExistingFile_))) {
        reason_ = error;
        reasonFromExistingFile_ = exists;
    }
    return false;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}
