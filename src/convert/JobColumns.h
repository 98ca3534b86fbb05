// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The job table's six columns, the one definition the window's table, the
// job queue, the kept jobs and the command line's job list share. A job's
// row holds one text per column; the numbers are the columns' places.
// The captions are marked for the window's translation tools, which collect
// them here; the engine itself has no Qt and keeps them in English.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x  // as Qt defines it, so either may come first
#endif

namespace JobColumns {

enum Number : int { JobId = 0, JobType, SourceFile, DestFile, Bitrate, Status, Count };

struct Column {
    Number number;
    const char* caption;
    int width;  // pixels, as the window first shows the column
};

inline constexpr std::array<Column, Count> kTable{{
    {JobId, QT_TRANSLATE_NOOP("JobColumns", "Jod ID"), 50},
    {JobType, QT_TRANSLATE_NOOP("JobColumns", "Job Type"), 60},
    {SourceFile, QT_TRANSLATE_NOOP("JobColumns", "Source File"), 150},
    {DestFile, QT_TRANSLATE_NOOP("JobColumns", "Dest File"), 200},
    {Bitrate, QT_TRANSLATE_NOOP("JobColumns", "Bitrate"), 60},
    {Status, QT_TRANSLATE_NOOP("JobColumns", "Status"), 60},
}};

constexpr bool IsColumn(int column)
{
    return column >= 0 && column < Count;
}

}  // namespace JobColumns
