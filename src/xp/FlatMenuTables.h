// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/MenuImage.h"

#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QString>
#include <optional>

// The flat menus' shared state, one set for the process, used on the UI
// thread only: the item texts and images captured when menus are prepared
// (by command identifier, or by submenu for items that open one), the
// screen rectangle of the open menu-bar item, and the count of items drawn.
class FlatMenuTables {
public:
    static FlatMenuTables& Shared();

    void SetCommandText(quint32 id, const QString& text) { m_commandText.insert(id, text); }
    std::optional<QString> CommandText(quint32 id) const;
    void SetSubmenuText(const QMenu* submenu, const QString& text);
    std::optional<QString> SubmenuText(const QMenu* submenu) const;

    void SetCommandImage(quint32 id, const MenuImage& image) { m_commandImage.insert(id, image); }
    MenuImage CommandImage(quint32 id) const { return m_commandImage.value(id); }
    void SetSubmenuImage(const QMenu* submenu, const MenuImage& image);
    MenuImage SubmenuImage(const QMenu* submenu) const;

    // Removes the submenu entries whose menu no longer exists.
    void PurgeDeadSubmenus();
    int SubmenuEntryCount() const { return int(m_submenuText.size() + m_submenuImage.size()); }
    void Clear();

    // Screen rectangle of the menu-bar item whose popup is open; empty at
    // start. It stays when the popup closes.
    QRect OpenBarItemRect() const { return m_openBarItemRect; }
    void SetOpenBarItemRect(const QRect& rect) { m_openBarItemRect = rect; }

    // Counts the items drawn (8 bits, wraps).
    quint8 MenuDrawCount() const { return m_menuDrawCount; }
    void CountDrawnItem() { ++m_menuDrawCount; }

private:
    template <typename T> struct SubmenuEntry {
        QPointer<const QMenu> menu;
        T value;
    };

    QHash<quint32, QString> m_commandText;
    QHash<const QMenu*, SubmenuEntry<QString>> m_submenuText;
    QHash<quint32, MenuImage> m_commandImage;
    QHash<const QMenu*, SubmenuEntry<MenuImage>> m_submenuImage;
    QRect m_openBarItemRect;
    quint8 m_menuDrawCount = 0;
};
