// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// How the conversion reaches the job table: the row's cells by row and
// column, and the text of its Status cell. The table itself may live on
// another thread; an implementation carries each access out where it must.
class JobTableAccess {
public:
    enum Column { JobId = 0, JobType = 1, SourceFile = 2, DestFile = 3, Bitrate = 4, Status = 5 };

    virtual ~JobTableAccess() = default;
    virtual std::string CellText(int row, int column) = 0;
    virtual void SetStatus(int row, const std::string& text) = 0;
};
