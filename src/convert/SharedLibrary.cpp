// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::~SharedLibrary()
{
    if (handle_ != nullptr)
        ::dlclose(handle_);
}

bool SharedLibrary::Load(const std::vector<std::string>& folders, const std::string& fileName)
{
    for (const std::string& folder : folders) {
        if (handle_ == nullptr && !folder.empty())
            handle_ = ::dlopen((folder + "/" + fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle_ == nullptr)
        handle_ = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle_ != nullptr;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}
