// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenuItem.h"

#include "xp/FlatMenuTables.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>

namespace {

constexpr QChar kTab = u'\t';

// Whether `menu` drops down from a menu bar, directly or through other
// menus; menus that do not are context menus.
bool HangsOffMenuBar(const QWidget* menu, int depth = 0)
{
    const auto* popup = qobject_cast<const QMenu*>(menu);
    if (!popup || depth > 16)
        return qobject_cast<const QMenuBar*>(menu) != nullptr;
    for (QObject* holder : popup->menuAction()->associatedObjects()) {
        if (holder == menu)
            continue;
        if (HangsOffMenuBar(qobject_cast<QWidget*>(holder), depth + 1))
            return true;
    }
    return false;
}

}  // namespace

quint32 FlatMenuItem::CommandId(const QAction* action)
{
    if (!action)
        return 0;
    bool ok = false;
    const int id = action->data().toInt(&ok);
    return ok && id > 0 ? quint32(id) : 0;
}

QString FlatMenuItem::MenuText(const QAction* action, const QWidget* menu)
{
    QString text = action->text();
    if (text.contains(kTab) || qobject_cast<const QMenuBar*>(menu))
        return text;
    const QKeySequence shortcut = action->shortcut();
    if (!shortcut.isEmpty() && (action->isShortcutVisibleInContextMenu() || HangsOffMenuBar(menu)))
        text += kTab + shortcut.toString(QKeySequence::NativeText);
    return text;
}

FlatMenuItem FlatMenuItem::ForAction(const QAction* action, const QWidget* menu)
{
    FlatMenuItem item;
    item.m_separator = action->isSeparator();
    item.m_checked = action->isCheckable() && action->isChecked();
    item.m_radio = action->isCheckable() && action->actionGroup() && action->actionGroup()->isExclusive();
    item.m_disabled = !action->isEnabled();
    const auto* popup = qobject_cast<const QMenu*>(menu);
    item.m_default = popup && popup->defaultAction() == action;
    item.m_submenu = action->menu() != nullptr;
    if (item.m_separator)
        return item;
    item.m_text = MenuText(action, menu);
    item.m_image = action->icon();
    item.TakeCaptured(action);
    return item;
}

FlatMenuItem FlatMenuItem::ForOption(const QStyleOptionMenuItem& option, const QAction* action)
{
    FlatMenuItem item;
    item.m_separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    item.m_checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    item.m_radio = option.checkType == QStyleOptionMenuItem::Exclusive;
    item.m_disabled = !(option.state & QStyle::State_Enabled);
    item.m_default = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    item.m_submenu = option.menuItemType == QStyleOptionMenuItem::SubMenu;
    if (item.m_separator)
        return item;
    item.m_text = option.text;
    item.m_image = option.icon;
    item.TakeCaptured(action);
    return item;
}

// Text and image as captured when the menu was prepared, where the action
// has a key for them.
void FlatMenuItem::TakeCaptured(const QAction* action)
{
    if (!action)
        return;
    const FlatMenuTables& tables = FlatMenuTables::Shared();
    if (const QMenu* submenu = action->menu()) {
        if (const std::optional<QString> text = tables.SubmenuText(submenu))
            m_text = *text;
        if (const MenuImage image = tables.SubmenuImage(submenu); image.HasImage())
            m_image = image.Icon();
        return;
    }
    const quint32 id = CommandId(action);
    if (id == 0)
        return;
    if (const std::optional<QString> text = tables.CommandText(id))
        m_text = *text;
    if (const MenuImage image = tables.CommandImage(id); image.HasImage())
        m_image = image.Icon();
}

QString FlatMenuItem::Label() const
{
    const qsizetype tab = m_text.indexOf(kTab);
    return tab < 0 ? m_text : m_text.left(tab);
}

QString FlatMenuItem::Shortcut() const
{
    const qsizetype tab = m_text.indexOf(kTab);
    return tab < 0 ? QString() : m_text.mid(tab + 1);
}
