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
    m_module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_module == nullptr) {
        m_problem = dlerror();
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
    if (m_module != nullptr) {
        dlclose(m_module);
    }
}

void* EncoderLibrary::resolve(const char* name)
{
    void* symbol = dlsym(m_module, name);
    if (symbol == nullptr) {
        m_problem += std::string("missing ") + name + "; ";
    }
    return symbol;
}

bool EncoderLibrary::complete() const
{
    return init != nullptr && encode != nullptr && deinit != nullptr && close != nullptr;
}
