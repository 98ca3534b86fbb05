// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliJobTable.h"

int CliJobTable::AddJob(int id, const std::string& source, const std::string& result, const std::string& bitrate)
{
    rows_.push_back({std::to_string(id), "0", source, result, bitrate, "0"});
    return static_cast<int>(rows_.size()) - 1;
}

std::string CliJobTable::CellText(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= 6)
        return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CliJobTable::SetStatus(int row, const std::string& text)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_[static_cast<std::size_t>(row)][Status] = text;
    if (listener_)
        listener_(row, text);
}
