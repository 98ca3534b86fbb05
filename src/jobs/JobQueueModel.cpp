// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobQueueModel.h"

#include <QCoreApplication>

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {
constexpr Qt::Alignment kCellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}  // namespace

JobQueueModel::JobQueueModel(JobQueue& queue, QObject* parent) : QAbstractTableModel(parent), m_queue(queue)
{
    m_queue.SetListener(this);
}

JobQueueModel::~JobQueueModel()
{
    m_queue.SetListener(nullptr);
}

QString JobQueueModel::ColumnCaption(int column)
{
    return JobColumns::IsColumn(column)
        ? QCoreApplication::translate("JobColumns", JobColumns::kTable[static_cast<std::size_t>(column)].caption)
        : QString();
}

int JobQueueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_queue.Count();
}

int JobQueueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : JobColumns::Count;
}

QVariant JobQueueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_queue.Cell(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kCellAlignment);
    return {};
}

QVariant JobQueueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return ColumnCaption(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kCellAlignment);
    return {};
}

void JobQueueModel::RowsAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void JobQueueModel::RowsInserted()
{
    endInsertRows();
}

void JobQueueModel::RowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void JobQueueModel::RowsRemoved()
{
    endRemoveRows();
}

void JobQueueModel::CellChanged(JobQueue::Key key, int column)
{
    if (QThread::currentThread() == thread()) {
        EmitChanged(key, column, column);
        return;
    }
    bool first = false;
    {
        std::lock_guard lock(m_mutex);
        first = m_changed.empty();
        const auto [entry, added] = m_changed.try_emplace(key, column, column);
        if (!added)
            entry->second = {std::min(entry->second.first, column), std::max(entry->second.second, column)};
    }
    if (first)
        QMetaObject::invokeMethod(
            this, [this] { QTimer::singleShot(kDeliveryDelay, this, &JobQueueModel::DeliverChanges); },
            Qt::QueuedConnection);
}

void JobQueueModel::DeliverChanges()
{
    std::map<JobQueue::Key, std::pair<int, int>> changed;
    {
        std::lock_guard lock(m_mutex);
        changed.swap(m_changed);
    }
    for (const auto& [key, columns] : changed)
        EmitChanged(key, columns.first, columns.second);
}

void JobQueueModel::EmitChanged(JobQueue::Key key, int firstColumn, int lastColumn)
{
    const int row = m_queue.RowOf(key);
    if (row >= 0)
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), {Qt::DisplayRole});
}
