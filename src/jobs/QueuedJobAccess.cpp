// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/QueuedJobAccess.h"

#include <utility>

QueuedJobAccess::QueuedJobAccess(JobQueue& queue, JobQueue::JobRef job) : m_queue(queue), m_job(std::move(job))
{
}

std::string QueuedJobAccess::CellText(int /*row*/, int column)
{
    return m_queue.Cell(m_job, column);
}

void QueuedJobAccess::SetStatus(int /*row*/, const std::string& text)
{
    m_queue.SetCell(m_job, JobQueue::Status, text);
}
