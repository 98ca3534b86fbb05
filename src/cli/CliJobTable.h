// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobTableAccess.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The command line's job table: plain rows of six text cells.
class CliJobTable : public JobTableAccess {
public:
    using Row = std::array<std::string, 6>;

    int AddJob(int id, const std::string& source, const std::string& result, const std::string& bitrate);
    std::string CellText(int row, int column) override;
    void SetStatus(int row, const std::string& text) override;
    // Called with the row and its new Status text.
    void OnStatus(std::function<void(int, const std::string&)> listener) { listener_ = std::move(listener); }

private:
    std::vector<Row> rows_;
    std::function<void(int, const std::string&)> listener_;
};
