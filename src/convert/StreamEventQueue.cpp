// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/StreamEventQueue.h"

#include <algorithm>

StreamEventQueue::StreamEventQueue(std::size_t capacity) : m_ring(capacity)
{
}

StreamEvent* StreamEventQueue::NextFree()
{
    std::unique_lock lock(m_mutex);
    if (!m_cancelled && m_count == m_ring.size()) {
        // A full ring: wait until half of it is free again, so the two
        // threads take turns in batches rather than waking each other for
        // every single frame.
        m_producerWaiting = true;
        m_spaceFreed.wait(lock, [this] { return m_cancelled || m_count <= m_ring.size() / 2; });
        m_producerWaiting = false;
    }
    if (m_cancelled)
        return nullptr;
    return &m_ring[(m_head + m_count) % m_ring.size()];
}

void StreamEventQueue::Publish()
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        const StreamEvent::Kind kind = m_ring[(m_head + m_count) % m_ring.size()].kind;
        m_ended = m_ended || kind == StreamEvent::Kind::End || kind == StreamEvent::Kind::ReadFailed;
        ++m_count;
        wake = m_consumerWaiting && (m_count >= m_batch || m_ended);
    }
    if (wake)
        m_published.notify_one();
}

void StreamEventQueue::WaitForBatches(std::size_t events)
{
    const std::lock_guard lock(m_mutex);
    m_batch = std::clamp<std::size_t>(events, 1, m_ring.size());
}

StreamEvent& StreamEventQueue::Front()
{
    std::unique_lock lock(m_mutex);
    if (m_count == 0) {
        m_consumerWaiting = true;
        m_published.wait(lock, [this] { return m_count >= m_batch || (m_ended && m_count > 0); });
        m_consumerWaiting = false;
    }
    return m_ring[m_head];
}

void StreamEventQueue::Pop()
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        m_head = (m_head + 1) % m_ring.size();
        --m_count;
        wake = m_producerWaiting && m_count <= m_ring.size() / 2;
    }
    if (wake)
        m_spaceFreed.notify_one();
}

void StreamEventQueue::Cancel()
{
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_spaceFreed.notify_all();
}
