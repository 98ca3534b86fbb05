// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where a running job's Status text goes ("37%"). The job table may live on
// another thread; an implementation carries the write out where it must.
class JobProgress {
public:
    virtual ~JobProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
};
