// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobColumns.h"
#include "convert/JobProgress.h"
#include "convert/JobSpec.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// The command line's job list: one row of the job table's six texts a job.
// Rows are added before the jobs start; each running job then writes only
// its own row's Status.
class CliJobTable {
public:
    using Row = std::array<std::string, JobColumns::Count>;

    // The Status of one row, as its running job writes it.
    class RowProgress : public JobProgress {
    public:
        RowProgress(CliJobTable& table, int row) : m_table(table), m_row(row) { }
        void SetStatus(const std::string& text) override { m_table.SetStatus(m_row, text); }

    private:
        CliJobTable& m_table;
        int m_row;
    };

    int AddJob(int id, const JobSpec& job);
    std::string CellText(int row, int column) const;
    void SetStatus(int row, const std::string& text);
    // Called with the row and its new Status text.
    void OnStatus(std::function<void(int, const std::string&)> listener) { m_listener = std::move(listener); }

private:
    std::vector<Row> m_rows;
    std::function<void(int, const std::string&)> m_listener;
};
