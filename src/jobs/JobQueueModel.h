// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobQueue.h"

#include <QAbstractTableModel>

#include <chrono>
#include <map>
#include <mutex>
#include <utility>

// The job queue as a Qt item model: one row a job, the six columns of the
// job table with their captions, every cell a left-aligned text. Read only.
//
// Lives on the queue's owner thread. Rows change only there; a text changed
// by a worker reaches the view a few times a second at most, so a
// conversion reporting every frame costs the window next to nothing (and
// ten updates a second are as many as anyone reads).
class JobQueueModel : public QAbstractTableModel, private JobQueueListener {
    Q_OBJECT

public:
    explicit JobQueueModel(JobQueue& queue, QObject* parent = nullptr);
    ~JobQueueModel() override;

    static QString ColumnCaption(int column);

    JobQueue& Queue() const { return m_queue; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void RowsAboutToBeInserted(int first, int last) override;
    void RowsInserted() override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved() override;
    void CellChanged(JobQueue::Key key, int column) override;
    void DeliverChanges();
    void EmitChanged(JobQueue::Key key, int firstColumn, int lastColumn);

    static constexpr std::chrono::milliseconds kDeliveryDelay{100};

    JobQueue& m_queue;
    std::mutex m_mutex;
    // Changed by other threads and not shown yet: for each job the first and
    // last column changed, so a worker's status repaints one cell only.
    std::map<JobQueue::Key, std::pair<int, int>> m_changed;
};
