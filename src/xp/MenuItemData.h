// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QtGlobal>

// The 32 bits that a prepared menu keeps for each of its items:
//   popup item:  widest label (bits 16-31), widest shortcut, low 8 bits
//                only (bits 8-15), item height (bits 0-7);
//   separator:   separator height (bits 0-7);
//   menu-bar item: width of its own text (bits 16-31).
// A low byte of 0 marks a menu-bar item.
class MenuItemData {
public:
    // Room beside label and shortcut: gutter, gaps and the right margin.
    static constexpr int kPopupExtraWidth = 42;
    // The menu-bar item's right strip (its shadow when open).
    static constexpr int kMenuBarExtraWidth = 4;

    constexpr MenuItemData() = default;
    constexpr explicit MenuItemData(quint32 value) : m_value(value) { }

    static MenuItemData Popup(int widestLabel, int widestShortcut, int itemHeight);
    static MenuItemData Separator(int separatorHeight);
    static MenuItemData MenuBar(int textWidth);

    quint32 Value() const { return m_value; }
    int LabelWidth() const { return int(m_value >> 16); }
    int ShortcutWidth() const { return int((m_value >> 8) & 0xFF); }
    int Height() const { return int(m_value & 0xFF); }
    bool IsMenuBarItem() const { return Height() == 0; }

    // The size the item asks for: label + shortcut + 42 wide and its own
    // height for popup items and separators; text + 4 wide and height 0
    // (the bar's own height) for menu-bar items.
    QSize Measure() const;

    bool operator==(const MenuItemData& other) const { return m_value == other.m_value; }

private:
    quint32 m_value = 0;
};

// Item heights from the menu font's character height: the larger of
// height + 6 and 20 for items, height / 2 + 2 for separators.
int MenuItemHeight(int characterHeight);
int MenuSeparatorHeight(int characterHeight);
