// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuItemData.h"

#include <algorithm>

namespace {

constexpr int kMinimumItemHeight = 20;
constexpr int kItemTextPadding = 6;

}  // namespace

MenuItemData MenuItemData::Popup(int widestLabel, int widestShortcut, int itemHeight)
{
    return MenuItemData((quint32(widestLabel) << 16) | ((quint32(widestShortcut) & 0xFF) << 8)
                        | (quint32(itemHeight) & 0xFF));
}

MenuItemData MenuItemData::Separator(int separatorHeight)
{
    return MenuItemData(quint32(separatorHeight) & 0xFF);
}

MenuItemData MenuItemData::MenuBar(int textWidth)
{
    return MenuItemData(quint32(textWidth) << 16);
}

QSize MenuItemData::Measure() const
{
    if (IsMenuBarItem())
        return QSize(LabelWidth() + kMenuBarExtraWidth, 0);
    return QSize(LabelWidth() + ShortcutWidth() + kPopupExtraWidth, Height());
}

int MenuItemHeight(int characterHeight)
{
    return std::max(characterHeight + kItemTextPadding, kMinimumItemHeight);
}

int MenuSeparatorHeight(int characterHeight)
{
    return characterHeight / 2 + 2;
}
