// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "encoder/BeConfig.h"

// The encoder library as the program sees it: loaded with dlopen from the
// folder of the running executable, entry points resolved by name.
class EncoderLibrary {
public:
    // The library loaded once for the whole test program.
    static const EncoderLibrary& shared();

    EncoderLibrary(const EncoderLibrary&) = delete;
    EncoderLibrary& operator=(const EncoderLibrary&) = delete;
    ~EncoderLibrary();

    bool complete() const;
    const std::string& problem() const { return m_problem; }

    be::InitStreamFn init = nullptr;
    be::EncodeChunkFn encode = nullptr;
    be::DeinitStreamFn deinit = nullptr;
    be::CloseStreamFn close = nullptr;
    be::WriteInfoTagFn infoTag = nullptr;

private:
    EncoderLibrary();
    void* resolve(const char* name);

    void* m_module = nullptr;
    std::string m_problem;
};
