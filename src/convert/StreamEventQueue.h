// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/StreamEvent.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

// A fixed ring of stream events between one producing and one consuming
// thread. Slots are filled and read in place, so a frame's PCM is decoded
// straight into the slot the encoder reads it from.
class StreamEventQueue {
public:
    explicit StreamEventQueue(std::size_t capacity);

    // Producer: the next free slot, waiting while all are in use; the same
    // slot until it is published. nullptr once the consumer has cancelled.
    StreamEvent* NextFree();
    void Publish();

    // Consumer: once it has to wait, it waits for `events` events (or the
    // last one), not just the next: a consumer much faster than the
    // producer then wakes once a batch rather than once a frame. 1 unless set.
    void WaitForBatches(std::size_t events);
    // Consumer: the oldest published event, waiting for one.
    StreamEvent& Front();
    void Pop();
    // Consumer: it takes no more events; the producer stops at its next slot.
    void Cancel();

private:
    std::vector<StreamEvent> m_ring;
    std::size_t m_head = 0;
    std::size_t m_count = 0;
    std::size_t m_batch = 1;
    bool m_cancelled = false;
    bool m_ended = false;  // the producer published End or ReadFailed
    bool m_producerWaiting = false;
    bool m_consumerWaiting = false;
    std::mutex m_mutex;
    std::condition_variable m_spaceFreed;
    std::condition_variable m_published;
};
