// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "BeConfig.h"

class LameStream;

// The open encoder streams of the process, found by 32-bit handle. Handles
// count up from 1 and are not handed out again while the counter has not
// wrapped, so a closed handle stays invalid; 0 is never a handle.
class LameStreamTable {
public:
    static constexpr std::size_t kCapacity = 64;

    static LameStreamTable& instance();

    // Takes the stream in and returns its new handle, or 0 when the table is full.
    be::StreamHandle add(std::shared_ptr<LameStream> stream);

    // The stream of the handle, or nullptr. The stream stays alive for the
    // holder of the result even if another thread closes the handle meanwhile.
    std::shared_ptr<LameStream> find(be::StreamHandle handle) const;

    // Takes the stream out of the table; nullptr when the handle is unknown.
    std::shared_ptr<LameStream> remove(be::StreamHandle handle);

private:
    be::StreamHandle nextFreeHandle();

    mutable std::mutex m_mutex;
    std::unordered_map<be::StreamHandle, std::shared_ptr<LameStream>> m_streams;
    be::StreamHandle m_next = 1;
};
