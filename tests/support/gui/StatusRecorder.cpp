// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusRecorder.h"

#include "jobs/CMyListView.h"

#include <algorithm>

StatusRecorder::StatusRecorder(CMyListView& table) : m_table(table)
{
    m_connection
        = QObject::connect(m_table.model(), &QAbstractItemModel::dataChanged,
                           [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                               if (topLeft.column() > JobColumns::Status || bottomRight.column() < JobColumns::Status)
                                   return;
                               for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
                                   m_entries.push_back({m_table.CellText(row, JobColumns::SourceFile),
                                                        m_table.CellText(row, JobColumns::Status)});
                           });
}

StatusRecorder::~StatusRecorder()
{
    QObject::disconnect(m_connection);
}

std::vector<QString> StatusRecorder::StatusesOf(const QString& source) const
{
    std::vector<QString> statuses;
    for (const Entry& entry : m_entries)
        if (entry.source == source)
            statuses.push_back(entry.status);
    return statuses;
}

bool StatusRecorder::Saw(const QString& source, const QString& status) const
{
    const std::vector<QString> statuses = StatusesOf(source);
    return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
}
