// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The job table's six columns, the one definition the window's table, the
// job queue, the kept jobs and the command line's job list share. A job's
// row holds one text per column; the numbers are the columns' places.
namespace JobColumns {

enum Number : int { JobId = 0, JobType, SourceFile, DestFile, Bitrate, Status, Count };

struct Column {
    Number number;
    const char* caption;
    int width;  // pixels, as the window first shows the column
};

inline constexpr std::array<Column, Count> kTable{{
    {JobId, "Jod ID", 50},
    {JobType, "Job Type", 60},
    {SourceFile, "Source File", 150},
    {DestFile, "Dest File", 200},
    {Bitrate, "Bitrate", 60},
    {Status, "Status", 60},
}};

constexpr bool IsColumn(int column)
{
    return column >= 0 && column < Count;
}

}  // namespace JobColumns
