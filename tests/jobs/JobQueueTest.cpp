// SPDX-License-Identifier: GPL-3.0-or-later
// The job store without any window: order, identity of jobs across removals,
// and whole data while workers write and the owner adds and removes rows.
// This file needs no Qt, so it also builds alone under ThreadSanitizer.
#include "jobs/JobQueue.h"
#include "jobs/QueuedJobAccess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

JobQueue::Cells JobCells(int n)
{
    const std::string name = std::to_string(n);
    return {name, "0", "/in/" + name + ".mp3", "/out/" + name + "_128.mp3", "128", "0"};
}

TEST(JobQueueTest, JobsKeepTheirOrderAndIdentityWhileRowsAroundThemGo)
{
    JobQueue queue;
    std::vector<JobQueue::Key> keys;
    for (int n = 0; n < 5; ++n)
        keys.push_back(queue.Append(JobCells(n)));
    const JobQueue::JobRef third = queue.At(2);

    EXPECT_TRUE(queue.RemoveAt(0));
    EXPECT_TRUE(queue.Remove(keys[3]));
    EXPECT_FALSE(queue.Remove(keys[3]));
    EXPECT_FALSE(queue.RemoveAt(3));
    ASSERT_EQ(queue.Count(), 3);
    EXPECT_EQ(queue.Cell(0, JobColumns::SourceFile), "/in/1.mp3");
    EXPECT_EQ(queue.Cell(2, JobColumns::SourceFile), "/in/4.mp3");
    EXPECT_EQ(queue.RowOf(keys[2]), 1);
    EXPECT_EQ(queue.RowOf(keys[0]), -1);
    EXPECT_EQ(queue.Find(keys[4]), queue.At(2));

    // A job held by its worker is still its own job wherever its row went,
    // and nothing once it has left the queue.
    QueuedJobAccess access(queue, third);
    EXPECT_EQ(access.Spec().result, "/out/2_128.mp3");
    access.SetStatus("37%");
    EXPECT_EQ(queue.Cell(1, JobColumns::Status), "37%");
    EXPECT_EQ(queue.Cell(0, JobColumns::Status), "0");
    queue.Remove(keys[2]);
    EXPECT_EQ(access.Spec().source, "");
    access.SetStatus("100%");
    EXPECT_EQ(queue.Cell(1, JobColumns::Status), "0");  // job 4 moved up; it is not touched

    // Keys are never given again, even once the queue has emptied.
    while (queue.Count() > 0)
        queue.RemoveAt(0);
    EXPECT_GT(queue.Append(JobCells(9)), keys[4]);
    EXPECT_EQ(queue.Cell(5, 0), "");
    EXPECT_EQ(queue.Cell(0, 6), "");
    EXPECT_FALSE(queue.SetCell(1, JobColumns::Status, "x"));
}

// Workers write statuses and control words of the jobs they hold, a reader
// reads rows, the owner appends and removes: every text read is one that
// was written whole, and each row's cells belong together.
TEST(JobQueueTest, DataStaysWholeUnderConcurrentUpdates)
{
    JobQueue queue;
    constexpr int kJobs = 3000;
    constexpr int kWorkers = 4;
    std::atomic<bool> done{false};
    std::atomic<int> faults{0};

    const auto checkRow = [&](const JobQueue::Cells& cells) {
        // A job that left the queue between two reads reads empty from then on.
        for (const std::string& cell : cells)
            if (cell.empty())
                return;
        const std::string& n = cells[JobColumns::JobId];
        if (cells[JobColumns::SourceFile] != "/in/" + n + ".mp3"
            || cells[JobColumns::DestFile] != "/out/" + n + "_128.mp3")
            ++faults;
        const std::string& status = cells[JobColumns::Status];
        if (status != "0" && status != "100%" && status != "1%" && status != "ERR"
            && !(status.size() == 3 && status[2] == '%'))
            ++faults;
    };

    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            std::mt19937 random(static_cast<unsigned>(w));
            while (!done) {
                const int count = queue.Count();
                if (count == 0)
                    continue;
                const JobQueue::JobRef job = queue.At(static_cast<int>(random() % static_cast<unsigned>(count)));
                if (!job)
                    continue;
                // The conversion's own road to its job.
                QueuedJobAccess access(queue, job);
                for (int percent = 10; percent < 100; percent += 7) {
                    access.SetStatus(std::to_string(percent) + "%");
                    JobQueue::Control(job) = percent % 3;
                    checkRow(queue.AllCells(job));
                }
                access.SetStatus(w % 2 ? "100%" : "ERR");
                queue.SetHeld(job, !queue.Held(job));
            }
        });
    }
    std::thread reader([&] {
        std::mt19937 random(99);
        while (!done) {
            const int count = queue.Count();
            const int row = count ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
            checkRow(queue.AllCells(queue.At(row)));
            const JobQueue::RunState state = queue.StateOf(queue.At(row));
            if (state.status.size() > 4)
                ++faults;
        }
    });

    // The owner: rows come and go, as the add flows and the scheduler make them.
    std::vector<JobQueue::Key> keys;
    for (int n = 0; n < kJobs; ++n) {
        keys.push_back(queue.Append(JobCells(n)));
        if (n % 3 == 2)
            queue.RemoveAt(0);
        if (n % 50 == 49)
            queue.SetCell(queue.Count() / 2, JobColumns::DestFile, queue.Cell(queue.Count() / 2, JobColumns::DestFile));
    }
    done = true;
    for (std::thread& worker : workers)
        worker.join();
    reader.join();

    EXPECT_EQ(faults, 0);
    ASSERT_EQ(queue.Count(), kJobs - kJobs / 3);
    for (int row = 1; row < queue.Count(); ++row)
        ASSERT_LT(queue.KeyAt(row - 1), queue.KeyAt(row));
    EXPECT_EQ(queue.RowOf(keys.back()), queue.Count() - 1);
}

}  // namespace
