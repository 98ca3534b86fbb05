// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobQueue.h"

#include "convert/JobConversion.h"

#include <algorithm>

class JobQueue::Job {
public:
    Job(Key key, const Cells& cells) : key(key), cells(cells) { }

    const Key key;
    Cells cells;          // guarded by the queue's lock
    bool inQueue = true;  // guarded; false once the row has gone
    bool held = false;    // guarded
    std::atomic<int> control{JobControl::Idle};
};

JobQueue::JobQueue() = default;
JobQueue::~JobQueue() = default;

void JobQueue::SetListener(JobQueueListener* listener)
{
    m_listener = listener;
}

JobQueue::Key JobQueue::Append(const Cells& cells)
{
    const int row = Count();
    JobQueueListener* listener = m_listener.load();
    if (listener)
        listener->RowsAboutToBeInserted(row, row);
    Key key = kNoJob;
    {
        std::lock_guard lock(m_mutex);
        key = ++m_lastKey;
        m_jobs.push_back(std::make_shared<Job>(key, cells));
    }
    if (listener)
        listener->RowsInserted();
    return key;
}

bool JobQueue::RemoveAt(int row)
{
    if (row < 0 || row >= Count())
        return false;
    JobQueueListener* listener = m_listener.load();
    if (listener)
        listener->RowsAboutToBeRemoved(row, row);
    {
        std::lock_guard lock(m_mutex);
        m_jobs[static_cast<std::size_t>(row)]->inQueue = false;
        m_jobs.erase(m_jobs.begin() + row);
    }
    if (listener)
        listener->RowsRemoved();
    return true;
}

bool JobQueue::Remove(Key key)
{
    return RemoveAt(RowOf(key));
}

int JobQueue::Count() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_jobs.size());
}

JobQueue::Key JobQueue::KeyAt(int row) const
{
    const JobRef job = At(row);
    return job ? job->key : kNoJob;
}

int JobQueue::RowOfLocked(Key key) const
{
    const auto found = std::lower_bound(m_jobs.begin(), m_jobs.end(), key,
                                        [](const JobRef& job, Key wanted) { return job->key < wanted; });
    if (found == m_jobs.end() || (*found)->key != key)
        return -1;
    return static_cast<int>(found - m_jobs.begin());
}

int JobQueue::RowOf(Key key) const
{
    std::lock_guard lock(m_mutex);
    return RowOfLocked(key);
}

JobQueue::JobRef JobQueue::At(int row) const
{
    std::lock_guard lock(m_mutex);
    if (row < 0 || row >= static_cast<int>(m_jobs.size()))
        return nullptr;
    return m_jobs[static_cast<std::size_t>(row)];
}

JobQueue::JobRef JobQueue::Find(Key key) const
{
    std::lock_guard lock(m_mutex);
    const int row = RowOfLocked(key);
    return row < 0 ? nullptr : m_jobs[static_cast<std::size_t>(row)];
}

JobQueue::Key JobQueue::KeyOf(const JobRef& job)
{
    return job ? job->key : kNoJob;
}

std::string JobQueue::Cell(int row, int column) const
{
    if (!JobColumns::IsColumn(column))
        return {};
    std::lock_guard lock(m_mutex);
    if (row < 0 || row >= static_cast<int>(m_jobs.size()))
        return {};
    return m_jobs[static_cast<std::size_t>(row)]->cells[static_cast<std::size_t>(column)];
}

std::string JobQueue::Cell(const JobRef& job, int column) const
{
    if (!job || !JobColumns::IsColumn(column))
        return {};
    std::lock_guard lock(m_mutex);
    return job->inQueue ? job->cells[static_cast<std::size_t>(column)] : std::string();
}

JobQueue::Cells JobQueue::AllCells(const JobRef& job) const
{
    if (!job)
        return {};
    std::lock_guard lock(m_mutex);
    return job->inQueue ? job->cells : Cells();
}

JobSpec JobQueue::SpecOf(const Cells& cells)
{
    return {cells[JobColumns::SourceFile], cells[JobColumns::DestFile],
            EncodeSettings::FromText(cells[JobColumns::Bitrate])};
}

JobQueue::Cells JobQueue::CellsOf(int id, int type, const JobSpec& job, const std::string& status)
{
    return {std::to_string(id), std::to_string(type), job.source, job.result, job.settings.Text(), status};
}

bool JobQueue::SetCell(int row, int column, const std::string& text)
{
    return SetCell(At(row), column, text);
}

bool JobQueue::SetCell(const JobRef& job, int column, const std::string& text)
{
    if (!job || !JobColumns::IsColumn(column))
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (!job->inQueue)
            return false;
        job->cells[static_cast<std::size_t>(column)] = text;
    }
    Changed(job->key, column);
    return true;
}

void JobQueue::Changed(Key key, int column)
{
    if (JobQueueListener* listener = m_listener.load())
        listener->CellChanged(key, column);
}

std::atomic<int>& JobQueue::Control(const JobRef& job)
{
    return job->control;
}

bool JobQueue::Held(const JobRef& job) const
{
    std::lock_guard lock(m_mutex);
    return job && job->held;
}

void JobQueue::SetHeld(const JobRef& job, bool held)
{
    if (!job)
        return;
    std::lock_guard lock(m_mutex);
    job->held = held;
}

JobQueue::RunState JobQueue::StateOf(const JobRef& job) const
{
    if (!job)
        return {};
    std::lock_guard lock(m_mutex);
    return {job->cells[JobColumns::Status], job->held};
}
