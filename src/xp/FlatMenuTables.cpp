// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenuTables.h"

FlatMenuTables& FlatMenuTables::Shared()
{
    static FlatMenuTables tables;
    return tables;
}

std::optional<QString> FlatMenuTables::CommandText(quint32 id) const
{
    const auto it = m_commandText.constFind(id);
    if (it == m_commandText.cend())
        return std::nullopt;
    return it.value();
}

void FlatMenuTables::SetSubmenuText(const QMenu* submenu, const QString& text)
{
    m_submenuText.insert(submenu, {submenu, text});
}

std::optional<QString> FlatMenuTables::SubmenuText(const QMenu* submenu) const
{
    const auto it = m_submenuText.constFind(submenu);
    if (it == m_submenuText.cend() || !it.value().menu)
        return std::nullopt;
    return it.value().value;
}

void FlatMenuTables::SetSubmenuImage(const QMenu* submenu, const MenuImage& image)
{
    m_submenuImage.insert(submenu, {submenu, image});
}

MenuImage FlatMenuTables::SubmenuImage(const QMenu* submenu) const
{
    const auto it = m_submenuImage.constFind(submenu);
    if (it == m_submenuImage.cend() || !it.value().menu)
        return MenuImage();
    return it.value().value;
}

void FlatMenuTables::PurgeDeadSubmenus()
{
    m_submenuText.removeIf([](const auto& entry) { return entry.value().menu.isNull(); });
    m_submenuImage.removeIf([](const auto& entry) { return entry.value().menu.isNull(); });
}

void FlatMenuTables::Clear()
{
    m_commandText.clear();
    m_submenuText.clear();
    m_commandImage.clear();
    m_submenuImage.clear();
    m_openBarItemRect = QRect();
    m_menuDrawCount = 0;
}
