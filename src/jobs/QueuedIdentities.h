// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobSpec.h"
#include "jobs/JobQueue.h"

#include <optional>
#include <string>
#include <unordered_map>

// The files the table's jobs read and write, told apart as the job planner
// tells them (JobPlanner::IdentityKey: device and inode, or the path with
// links resolved), so that a job is refused when its result is the result
// or the source of another job in the table. Each job's files are looked up
// as it joins or changes, so a check is a look-up, not a pass over every job
// (a folder of thousands of files is added one job at a time).
//
// UI thread, as adding jobs and editing them are.
class QueuedIdentities {
public:
    // The job `key` stands for `job` from now on.
    void Remember(JobQueue::Key key, const JobSpec& job, const JobQueue& queue);
    // Why `job` may not be in the table beside the jobs that have neither
    // ended nor failed; empty when it may. `self` is its own key when it is
    // in the table already (its own files do not count).
    std::optional<std::string> Clash(const JobSpec& job, JobQueue::Key self, const JobQueue& queue) const;

private:
    using Index = std::unordered_multimap<std::string, JobQueue::Key>;
    // The job of the index under `identity` that still reads or writes it.
    static JobQueue::Key Holder(const Index& index, const std::string& identity, int column, JobQueue::Key self,
                                const JobQueue& queue);
    void Prune(const JobQueue& queue);
    // The identity of `path`, taken from the last check when it asked for
    // the same path (a job is checked and then remembered at once: the
    // look-up of a result not there yet resolves its folder, the costly part).
    std::string IdentityOf(const std::string& path) const;

    Index m_results;
    Index m_sources;
    mutable std::string m_checkedPath;  // the last result checked, used once
    mutable std::string m_checkedIdentity;
};
