// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/QueuedIdentities.h"

#include "convert/JobPlanner.h"
#include "jobs/JobStatus.h"

#include <QString>

namespace {
// Entries of jobs gone from the table are swept out once they outnumber the
// table's rows by this much.
constexpr std::size_t kSpareEntries = 256;
}  // namespace

void QueuedIdentities::Remember(JobQueue::Key key, const JobSpec& job, const JobQueue& queue)
{
    Prune(queue);
    m_results.emplace(IdentityOf(job.result), key);
    m_sources.emplace(JobPlanner::IdentityKey(job.source), key);
}

// An entry counts while its job is in the table, has neither ended nor
// failed, and its file there is still the same file (the property sheet may
// have named another since; its new files have entries of their own).
JobQueue::Key QueuedIdentities::Holder(const Index& index, const std::string& identity, int column, JobQueue::Key self,
                                       const JobQueue& queue)
{
    const auto [first, last] = index.equal_range(identity);
    for (auto it = first; it != last; ++it) {
        const JobQueue::JobRef job = it->second == self ? nullptr : queue.Find(it->second);
        if (!job)
            continue;
        const JobStatus status = JobStatus::FromCell(QString::fromStdString(queue.StateOf(job).status));
        if (status.IsEnded() || status.IsError())
            continue;
        if (JobPlanner::IdentityKey(queue.Cell(job, column)) == identity)
            return it->second;
    }
    return JobQueue::kNoJob;
}

std::optional<std::string> QueuedIdentities::Clash(const JobSpec& job, JobQueue::Key self, const JobQueue& queue) const
{
    const std::string result = JobPlanner::IdentityKey(job.result);
    m_checkedPath = job.result;
    m_checkedIdentity = result;
    if (const JobQueue::Key writer = Holder(m_results, result, JobColumns::DestFile, self, queue))
        return job.result + " is the result of " + queue.Cell(queue.Find(writer), JobColumns::SourceFile) + " already";
    if (Holder(m_sources, result, JobColumns::SourceFile, self, queue) != JobQueue::kNoJob)
        return job.result + " is the source of another job";
    return std::nullopt;
}

std::string QueuedIdentities::IdentityOf(const std::string& path) const
{
    std::string identity = path == m_checkedPath ? std::move(m_checkedIdentity) : JobPlanner::IdentityKey(path);
    m_checkedPath.clear();
    m_checkedIdentity.clear();
    return identity;
}

void QueuedIdentities::Prune(const JobQueue& queue)
{
    if (m_results.size() < static_cast<std::size_t>(queue.Count()) + kSpareEntries)
        return;
    for (Index* index : {&m_results, &m_sources}) {
        for (auto it = index->begin(); it != index->end();)
            it = queue.Find(it->second) ? std::next(it) : index->erase(it);
    }
}
