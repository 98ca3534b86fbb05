// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A modal message with one OK button. The caller waits until it is dismissed.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual void MessageBox(const std::string& text) = 0;
};
