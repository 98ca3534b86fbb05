// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class CImageFilter;

// The filters of one chain, in the order they run. The list does not own
// them.
class CImageFilterList {
public:
    void Add(const CImageFilter* filter) { m_filters.push_back(filter); }
    bool IsEmpty() const { return m_filters.empty(); }
    const std::vector<const CImageFilter*>& Filters() const { return m_filters; }

private:
    std::vector<const CImageFilter*> m_filters;
};
