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
    std::vector<StreamEvent> ring_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    std::size_t batch_ = 1;
    bool cancelled_ = false;
    bool ended_ = false;  // the producer published End or ReadFailed
    bool producerWaiting_ = false;
    bool consumerWaiting_ = false;
    std::mutex mutex_;
    std::condition_variable spaceFreed_;
    std::condition_variable published_;
};
