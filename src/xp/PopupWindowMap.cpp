// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/PopupWindowMap.h"

FlatPopupMenu* PopupWindowMap::Find(const QMenu* window) const
{
    const auto it = m_records.find(window);
    return it == m_records.end() ? nullptr : it->second.get();
}

FlatPopupMenu& PopupWindowMap::FindOrCreate(QMenu* window)
{
    std::unique_ptr<FlatPopupMenu>& record = m_records[window];
    if (!record)
        record = std::make_unique<FlatPopupMenu>(window);
    return *record;
}

void PopupWindowMap::Destroy(const QMenu* window)
{
    m_records.erase(window);
}
