// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/UserPrompt.h"

#include <cstdio>

// Messages meant for a message box, printed on the error stream.
class ConsolePrompt : public UserPrompt {
public:
    explicit ConsolePrompt(std::FILE* stream) : m_stream(stream) { }
    void MessageBox(const std::string& text) override;

private:
    std::FILE* m_stream;
};
