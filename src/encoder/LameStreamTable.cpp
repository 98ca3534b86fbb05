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
    std::lock_guard lock(mutex_);
    if (streams_.size() >= kCapacity) {
        return 0;
    }
    const be::StreamHandle handle = nextFreeHandle();
    streams_.emplace(handle, std::move(stream));
    return handle;
}

// Called with the lock held and room in the table, so a free value exists.
be::StreamHandle LameStreamTable::nextFreeHandle()
{
    while (next_ == 0 || streams_.contains(next_)) {
        ++next_;
    }
    return next_++;
}

std::shared_ptr<LameStream> LameStreamTable::find(be::StreamHandle handle) const
{
    std::lock_guard lock(mutex_);
    const auto found = streams_.find(handle);
    return found != streams_.end() ? found->second : nullptr;
}

std::shared_ptr<LameStream> LameStreamTable::remove(be::StreamHandle handle)
{
    std::lock_guard lock(mutex_);
    const auto found = streams_.find(handle);
    if (found == streams_.end()) {
        return nullptr;
    }
    std::shared_ptr<LameStream> stream = std::move(found->second);
    streams_.erase(found);
    return stream;
}
