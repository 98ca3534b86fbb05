// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/ShiftColorHsl.h"
#include "xp/MenuColors.h"

#include "XpTestKit.h"

#include <gtest/gtest.h>

TEST(ShiftColorHslTest, ShiftsOneByte)
{
    EXPECT_EQ(ShiftHslByte(192, 20), 192 + 63 * 20 / 100);
    EXPECT_EQ(ShiftHslByte(192, 75), 239);
    EXPECT_EQ(ShiftHslByte(192, -18), 157);  // 192 x 82 / 100 = 157.44
    EXPECT_EQ(ShiftHslByte(255, -57), 109);  // 255 x 43 / 100 = 109.65
    EXPECT_EQ(ShiftHslByte(77, 0), 77);
    EXPECT_EQ(ShiftHslByte(255, 50), 255);
    EXPECT_EQ(ShiftHslByte(0, -50), 0);
}

TEST(ShiftColorHslTest, GreysStayGrey)
{
    EXPECT_EQ(ShiftColorHsl(QColor(192, 192, 192), 20, 0), QColor(204, 204, 204));
    EXPECT_EQ(ShiftColorHsl(QColor(192, 192, 192), -27, 0), QColor(140, 140, 140));
    // Lowering a saturation of 0 keeps it 0: the result is grey.
    EXPECT_EQ(ShiftColorHsl(QColor(100, 100, 100), 0, -80), QColor(100, 100, 100));
    EXPECT_EQ(ShiftColorHsl(QColor(0, 0, 0), 100, 0), QColor(255, 255, 255));
    EXPECT_EQ(ShiftColorHsl(QColor(255, 255, 255), -100, 0), QColor(0, 0, 0));
}

TEST(ShiftColorHslTest, ColoursGoThroughTheHueBytes)
{
    // Navy (0, 0, 128): hue byte 240 x 255 / 360 = 170, saturation 255,
    // lightness 64. +70 % / -57 %: lightness 64 + 191 x 70 / 100 = 197,
    // saturation 255 x 43 / 100 = 109; back: m2 = l + s - ls = 0.8698,
    // m1 = 2l - m2 = 0.6753, so red and green 172, blue 221.
    EXPECT_EQ(ShiftColorHsl(QColor(0, 0, 128), 70, -57), QColor(172, 172, 221));
    // Unchanged percentages still pass through the bytes: pure red comes
    // back from hue byte 255 and lightness 127 as (254, 0, 0).
    EXPECT_EQ(ShiftColorHsl(QColor(255, 0, 0), 0, 0), QColor(254, 0, 0));
}

TEST(ShiftColorHslTest, TheMenuTints)
{
    const MenuColors colours(ClassicPalette());
    EXPECT_EQ(colours.ButtonFace(), kFace);
    EXPECT_EQ(colours.Highlight(), kHighlight);
    EXPECT_EQ(colours.MenuText(), kMenuText);
    EXPECT_EQ(colours.ButtonShadow(), kButtonShadow);
    EXPECT_EQ(colours.DarkShadow(), kDarkShadow);

    EXPECT_EQ(colours.Gutter(), kGutter);
    EXPECT_EQ(colours.TextArea(), kTextArea);
    EXPECT_EQ(colours.HighlightFill(), kHighlightFill);
    EXPECT_EQ(colours.DisabledFill(), kDisabledFill);
    EXPECT_EQ(colours.SelectedCheckFill(), kSelectedCheck);
    EXPECT_EQ(colours.Separator(), kSeparator);
    EXPECT_EQ(colours.DisabledImage(), kDisabledImage);
    EXPECT_EQ(colours.ImageShadow(), kImageShadow);
}

TEST(ShiftColorHslTest, TintsFollowThePalette)
{
    QPalette palette = ClassicPalette();
    palette.setColor(QPalette::Active, QPalette::Button, QColor(100, 100, 100));
    const MenuColors colours(palette);
    EXPECT_EQ(colours.Gutter(), QColor(131, 131, 131));  // 100 + 155 x 20 / 100
    // Only the active group counts.
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(10, 10, 10));
    EXPECT_EQ(MenuColors(palette).Gutter(), QColor(131, 131, 131));
}
