// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <string>

// The activity log as the conversion sees it. The text carries its own line
// ending: "\r\n" for a line that stays, a bare "\r" for a progress line that
// the next line replaces.
class ActivityLog {
public:
    virtual ~ActivityLog() = default;
    virtual void showmessage(const std::string& text) = 0;
    // The language the log's reader reads: whoever writes a line turns its
    // text into it. English unless the log's owner hands a translation.
    virtual Translator Language() const { return {}; }
};
