// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobProgress.h"
#include "convert/JobSpec.h"
#include "jobs/JobQueue.h"

// One job of the queue as its worker sees it: the job read from its row
// once, as it starts, and its Status written wherever its row is by then.
// Once the job has left the queue, the row reads empty and writes go
// nowhere. Usable from any thread; nothing waits for the window.
class QueuedJobAccess : public JobProgress {
public:
    QueuedJobAccess(JobQueue& queue, JobQueue::JobRef job);

    // The job as its row says now: source, result and settings read at once.
    JobSpec Spec() const;
    void SetStatus(const std::string& text) override;

    const JobQueue::JobRef& Job() const { return m_job; }

private:
    JobQueue& m_queue;
    JobQueue::JobRef m_job;
};
