// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/StreamEventQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

// A consumer that waits for batches still gets a stream's last events when
// they are fewer than a batch: frames, then the end or a read failure, in
// order, without waiting for frames that never come.
TEST(StreamEventQueue, ABatchWaitEndsAtTheStreamsLastEvent)
{
    for (const StreamEvent::Kind last : {StreamEvent::Kind::End, StreamEvent::Kind::ReadFailed}) {
        StreamEventQueue queue(32);
        queue.WaitForBatches(16);
        std::thread producer([&queue, last] {
            for (std::uint64_t i = 0; i < 20; ++i) {
                StreamEvent* slot = queue.NextFree();
                slot->kind = i < 19 ? StreamEvent::Kind::Frame : last;
                slot->offset = i;
                queue.Publish();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        auto consumed = std::async(std::launch::async, [&queue] {
            std::uint64_t next = 0;
            for (;;) {
                const StreamEvent& event = queue.Front();
                EXPECT_EQ(event.offset, next++);
                const StreamEvent::Kind kind = event.kind;
                queue.Pop();
                if (kind != StreamEvent::Kind::Frame)
                    return next;
            }
        });
        const bool ended = consumed.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        producer.join();
        if (!ended) {
            // Frees the stuck consumer, so the failure is reported, not hung.
            for (int i = 0; i < 16; ++i) {
                queue.NextFree()->kind = StreamEvent::Kind::End;
                queue.Publish();
            }
        }
        ASSERT_TRUE(ended) << "the consumer still waits after the last event";
        EXPECT_EQ(consumed.get(), 20u);
    }
}
