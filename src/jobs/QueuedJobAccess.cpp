// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/QueuedJobAccess.h"

#include <utility>

QueuedJobAccess::QueuedJobAccess(JobQueue& queue, JobQueue::JobRef job) : m_queue(queue), m_job(std::move(job))
{
}

JobSpec QueuedJobAccess::Spec() const
{
    return JobQueue::SpecOf(m_queue.AllCells(m_job));
}

void QueuedJobAccess::SetStatus(const std::string& text)
{
    m_queue.SetCell(m_job, JobColumns::Status, text);
}
