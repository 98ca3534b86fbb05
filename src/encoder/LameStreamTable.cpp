// SPDX-License-Identifier: GPL-3.0-or-later
#include "LameStreamTable.h"

#include "LameStream.h"

LameStreamTable& LameStreamTable::instance()
{
    static LameStreamTable table;
    return table;
}

be::StreamHandle LameStreamTable::add(std::shared_ptr<LameStream> stream)
{
    std::lock_guard lock(m_mutex);
    if (m_streams.size() >= kCapacity) {
        return 0;
    }
    const be::StreamHandle handle = nextFreeHandle();
    m_streams.emplace(handle, std::move(stream));
    return handle;
}

// Called with the lock held and room in the table, so a free value exists.
be::StreamHandle LameStreamTable::nextFreeHandle()
{
    while (m_next == 0 || m_streams.contains(m_next)) {
        ++m_next;
    }
    return m_next++;
}

std::shared_ptr<LameStream> LameStreamTable::find(be::StreamHandle handle) const
{
    std::lock_guard lock(m_mutex);
    const auto found = m_streams.find(handle);
    return found != m_streams.end() ? found->second : nullptr;
}

std::shared_ptr<LameStream> LameStreamTable::remove(be::StreamHandle handle)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_streams.find(handle);
    if (found == m_streams.end()) {
        return nullptr;
    }
    std::shared_ptr<LameStream> stream = std::move(found->second);
    m_streams.erase(found);
    return stream;
}
