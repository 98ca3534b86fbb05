// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncoderLibrary.h"

#include <dlfcn.h>

#include <filesystem>

namespace {

std::filesystem::path libraryPath()
{
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    return program.parent_path() / be::kLibraryFileName;
}

}  // namespace

const EncoderLibrary& EncoderLibrary::shared()
{
    static const EncoderLibrary library;
    return library;
}

EncoderLibrary::EncoderLibrary()
{
    const std::string path = libraryPath().string();
    module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) {
        problem_ = dlerror();
        return;
    }
    init = reinterpret_cast<be::InitStreamFn>(resolve(be::kInitStreamName));
    encode = reinterpret_cast<be::EncodeChunkFn>(resolve(be::kEncodeChunkName));
    deinit = reinterpret_cast<be::DeinitStreamFn>(resolve(be::kDeinitStreamName));
    close = reinterpret_cast<be::CloseStreamFn>(resolve(be::kCloseStreamName));
    infoTag = reinterpret_cast<be::WriteInfoTagFn>(resolve(be::kWriteInfoTagName));
}

EncoderLibrary::~EncoderLibrary()
{
    if (module_ != nullptr) {
        dlclose(module_);
    }
}

void* EncoderLibrary::resolve(const char* name)
{
    void* symbol = dlsym(module_, name);
    if (symbol == nullptr) {
        problem_ += std::string("missing ") + name + "; ";
    }
    return symbol;
}

bool EncoderLibrary::complete() const
{
    return init != nullptr && encode != nullptr && deinit != nullptr && close != nullptr;
}
