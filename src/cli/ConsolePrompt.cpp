// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsolePrompt.h"

void ConsolePrompt::MessageBox(const std::string& text)
{
    std::fprintf(m_stream, "vorlanta-cli: %s\n", text.c_str());
    std::fflush(m_stream);
}
