// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobColumns.h"
#include "convert/JobSpec.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class JobQueueListener;

// The program's store of conversion jobs, in the order they were added.
// Each job is six texts (number, type, source, result, bitrate, status) and
// the control word of its conversion. Jobs are appended at the end and never
// sorted or moved; a job removed is gone for good.
//
// Threads: rows are added and removed on one thread only, the owner (the
// window's thread), so that a view of the queue never sees its rows change
// under it. Every other access may come from any thread: a worker reads its
// job's texts and writes its status while the window reads and edits.
// Each single access is whole; the queue's lock is never held while a
// listener runs.
//
// A job keeps its Key for its whole life; keys grow with every job added,
// so a job's row is found by a binary search, and adding, finding and
// removing jobs stay cheap for tens of thousands of them.
class JobQueue {
public:
    // The six texts of a job, in the columns of JobColumns.
    using Cells = std::array<std::string, JobColumns::Count>;
    using Key = std::uint64_t;
    static constexpr Key kNoJob = 0;

    // A job as a worker holds it: it stays valid after its row has gone.
    class Job;
    using JobRef = std::shared_ptr<Job>;

    JobQueue();
    ~JobQueue();
    JobQueue(const JobQueue&) = delete;
    JobQueue& operator=(const JobQueue&) = delete;

    // Owner thread. The listener hears of every change; nullptr for none.
    void SetListener(JobQueueListener* listener);

    // --- Rows: owner thread only --------------------------------------
    // Appends a job at the end; its key.
    Key Append(const Cells& cells);
    // Removes the job in `row`; false when there is none.
    bool RemoveAt(int row);
    bool Remove(Key key);

    // --- Reading and writing: any thread ------------------------------
    int Count() const;
    // kNoJob for a row out of range.
    Key KeyAt(int row) const;
    // -1 when the job is no longer in the queue.
    int RowOf(Key key) const;
    JobRef At(int row) const;
    JobRef Find(Key key) const;
    static Key KeyOf(const JobRef& job);

    // Empty for a row or column out of range, or a job that has gone.
    std::string Cell(int row, int column) const;
    std::string Cell(const JobRef& job, int column) const;
    // Every text of the job at once; empty once it has gone.
    Cells AllCells(const JobRef& job) const;
    // The job a row's texts stand for, and the texts of a new job's row.
    static JobSpec SpecOf(const Cells& cells);
    static Cells CellsOf(int id, int type, const JobSpec& job, const std::string& status);
    // False for a row or column out of range.
    bool SetCell(int row, int column, const std::string& text);
    // Writes the texts of `job`; nothing once the job has left the queue.
    bool SetCell(const JobRef& job, int column, const std::string& text);

    // --- Conversions --------------------------------------------------
    // The word the job's conversion polls once per frame (JobControl).
    static std::atomic<int>& Control(const JobRef& job);
    // Whether a worker holds the job: from its start until the worker has
    // written its final status and let go.
    bool Held(const JobRef& job) const;
    void SetHeld(const JobRef& job, bool held);
    // The status text and whether a worker holds the job, read together.
    struct RunState {
        std::string status;
        bool held = false;
    };
    RunState StateOf(const JobRef& job) const;

    // --- Job numbers --------------------------------------------------
    // The number the next job added gets; 0 at start. Owner thread.
    int NextJobId() const { return m_nextJobId; }
    void RaiseNextJobId() { ++m_nextJobId; }
    void LowerNextJobId() { --m_nextJobId; }

private:
    int RowOfLocked(Key key) const;
    void Changed(Key key, int column);

    mutable std::mutex m_mutex;
    std::deque<JobRef> m_jobs;  // in table order, so in rising key order
    Key m_lastKey = kNoJob;
    int m_nextJobId = 0;
    std::atomic<JobQueueListener*> m_listener{nullptr};
};

// What a view of the queue needs to hear.
class JobQueueListener {
public:
    virtual ~JobQueueListener() = default;
    // Owner thread, around adding or removing rows first..last.
    virtual void RowsAboutToBeInserted(int first, int last) = 0;
    virtual void RowsInserted() = 0;
    virtual void RowsAboutToBeRemoved(int first, int last) = 0;
    virtual void RowsRemoved() = 0;
    // Any thread: a text of the job changed. Called without the queue's
    // lock; the listener may read the queue.
    virtual void CellChanged(JobQueue::Key key, int column) = 0;
};
