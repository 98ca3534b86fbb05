// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliJobTable.h"

#include "convert/JobVocabulary.h"

int CliJobTable::AddJob(int id, const JobSpec& job)
{
    Row row;
    row[JobColumns::JobId] = std::to_string(id);
    // Moved in whole: assigning the literals trips GCC 12's -Wrestrict at -O3.
    row[JobColumns::JobType] = std::string("0");
    row[JobColumns::SourceFile] = job.source;
    row[JobColumns::DestFile] = job.result;
    row[JobColumns::Bitrate] = job.settings.Text();
    row[JobColumns::Status] = std::string(JobVocabulary::kWaiting);
    m_rows.push_back(std::move(row));
    return static_cast<int>(m_rows.size()) - 1;
}

std::string CliJobTable::CellText(int row, int column) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || !JobColumns::IsColumn(column))
        return {};
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CliJobTable::SetStatus(int row, const std::string& text)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    m_rows[static_cast<std::size_t>(row)][JobColumns::Status] = text;
    if (m_listener)
        m_listener(row, text);
}
