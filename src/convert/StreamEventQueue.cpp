// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/StreamEventQueue.h"

#include <algorithm>

StreamEventQueue::StreamEventQueue(std::size_t capacity) : ring_(capacity)
{
}

StreamEvent* StreamEventQueue::NextFree()
{
    std::unique_lock lock(mutex_);
    if (!cancelled_ && count_ == ring_.size()) {
        // A full ring: wait until half of it is free again, so the two
        // threads take turns in batches rather than waking each other for
        // every single frame.
        producerWaiting_ = true;
        spaceFreed_.wait(lock, [this] { return cancelled_ || count_ <= ring_.size() / 2; });
        producerWaiting_ = false;
    }
    if (cancelled_)
        return nullptr;
    return &ring_[(head_ + count_) % ring_.size()];
}

void StreamEventQueue::Publish()
{
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        const StreamEvent::Kind kind = ring_[(head_ + count_) % ring_.size()].kind;
        ended_ = ended_ || kind == StreamEvent::Kind::End || kind == StreamEvent::Kind::ReadFailed;
        ++count_;
        wake = consumerWaiting_ && (count_ >= batch_ || ended_);
    }
    if (wake)
        published_.notify_one();
}

void StreamEventQueue::WaitForBatches(std::size_t events)
{
    const std::lock_guard lock(mutex_);
    batch_ = std::clamp<std::size_t>(events, 1, ring_.size());
}

StreamEvent& StreamEventQueue::Front()
{
    std::unique_lock lock(mutex_);
    if (count_ == 0) {
        consumerWaiting_ = true;
        published_.wait(lock, [this] { return count_ >= batch_ || (ended_ && count_ > 0); });
        consumerWaiting_ = false;
    }
    return ring_[head_];
}

void StreamEventQueue::Pop()
{
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        head_ = (head_ + 1) % ring_.size();
        --count_;
        wake = producerWaiting_ && count_ <= ring_.size() / 2;
    }
    if (wake)
        spaceFreed_.notify_one();
}

void StreamEventQueue::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    spaceFreed_.notify_all();
}
