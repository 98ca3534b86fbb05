// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/FlatPopupMenu.h"

#include <QList>
#include <memory>
#include <unordered_map>

class QMenu;

// The decoration records of the popups that show, by popup window.
class PopupWindowMap {
public:
    FlatPopupMenu* Find(const QMenu* window) const;
    // The record of `window`, made when it has none yet.
    FlatPopupMenu& FindOrCreate(QMenu* window);
    // Destroys the record of `window`, if any.
    void Destroy(const QMenu* window);
    void Clear() { m_records.clear(); }
    int Size() const { return int(m_records.size()); }

private:
    std::unordered_map<const QMenu*, std::unique_ptr<FlatPopupMenu>> m_records;
};
