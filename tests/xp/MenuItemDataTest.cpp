// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuItemData.h"
#include "xp/FlatMenu.h"

#include <gtest/gtest.h>

TEST(MenuItemDataTest, PacksPopupItems)
{
    const MenuItemData data = MenuItemData::Popup(120, 35, 20);
    EXPECT_EQ(data.Value(), (120u << 16) | (35u << 8) | 20u);
    EXPECT_EQ(data.LabelWidth(), 120);
    EXPECT_EQ(data.ShortcutWidth(), 35);
    EXPECT_EQ(data.Height(), 20);
    EXPECT_FALSE(data.IsMenuBarItem());
    EXPECT_EQ(FlatMenu::MeasureMenuItem(data), QSize(120 + 35 + 42, 20));
}

TEST(MenuItemDataTest, OnlyTheLowEightBitsOfTheShortcutWidthAreKept)
{
    const MenuItemData data = MenuItemData::Popup(80, 300, 24);
    EXPECT_EQ(data.ShortcutWidth(), 300 & 0xFF);
    EXPECT_EQ(data.LabelWidth(), 80);
    EXPECT_EQ(data.Height(), 24);
    EXPECT_EQ(FlatMenu::MeasureMenuItem(data).width(), 80 + 44 + 42);
}

TEST(MenuItemDataTest, SeparatorsAreFortyTwoWide)
{
    const MenuItemData data = MenuItemData::Separator(8);
    EXPECT_EQ(data.Value(), 8u);
    EXPECT_EQ(FlatMenu::MeasureMenuItem(data), QSize(42, 8));
}

TEST(MenuItemDataTest, MenuBarItemsKeepTheBarHeight)
{
    const MenuItemData data = MenuItemData::MenuBar(27);
    EXPECT_EQ(data.Value(), 27u << 16);
    EXPECT_TRUE(data.IsMenuBarItem());
    EXPECT_EQ(FlatMenu::MeasureMenuItem(data), QSize(31, 0));
}

TEST(MenuItemDataTest, HeightsFromTheCharacterHeight)
{
    EXPECT_EQ(MenuItemHeight(13), 20);
    EXPECT_EQ(MenuSeparatorHeight(13), 8);
    EXPECT_EQ(MenuItemHeight(18), 24);
    EXPECT_EQ(MenuSeparatorHeight(18), 11);
    EXPECT_EQ(MenuItemHeight(8), 20);  // never below 20
    EXPECT_EQ(MenuSeparatorHeight(8), 6);
}
