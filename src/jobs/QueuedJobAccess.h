// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobTableAccess.h"
#include "jobs/JobQueue.h"

// One job of the queue as its conversion sees it. The conversion names a
// row, but a worker converts exactly one job: whatever row it names, the
// cells read and the status written are that job's, wherever its row is by
// then. Once the job has left the queue, reads come back empty and writes
// go nowhere. Usable from any thread; nothing waits for the window.
class QueuedJobAccess : public JobTableAccess {
public:
    QueuedJobAccess(JobQueue& queue, JobQueue::JobRef job);

    std::string CellText(int row, int column) override;
    void SetStatus(int row, const std::string& text) override;

    const JobQueue::JobRef& Job() const { return m_job; }

private:
    JobQueue& m_queue;
    JobQueue::JobRef m_job;
};
