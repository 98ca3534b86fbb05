// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DialogUnits.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

namespace {

TEST(DialogUnitsTest, QuarterCharacterWidthAndEighthHeight)
{
    const DialogUnits units(7, 14);
    EXPECT_EQ(units.X(4), 7);
    EXPECT_EQ(units.Y(8), 14);
    EXPECT_EQ(units.X(1), 2);  // 1.75 rounds up
    EXPECT_EQ(units.X(2), 4);  // 3.5 rounds up
    EXPECT_EQ(units.Y(3), 5);  // 5.25 rounds down
    EXPECT_EQ(units.Size(8, 16), QSize(14, 28));
}

TEST(DialogUnitsTest, RectanglesThatMeetInUnitsMeetInPixels)
{
    const DialogUnits units(7, 15);
    for (int x = 0; x < 40; ++x) {
        const QRect left = units.Rect(x, x, 13, 9);
        const QRect right = units.Rect(x + 13, x + 9, 5, 5);
        EXPECT_EQ(left.right() + 1, right.left()) << x;
        EXPECT_EQ(left.bottom() + 1, right.top()) << x;
    }
}

TEST(DialogUnitsTest, GrowWithTheFont)
{
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(16);
    const DialogUnits smallUnits(small);
    const DialogUnits largeUnits(large);
    EXPECT_GT(smallUnits.BaseWidth(), 0);
    EXPECT_GT(largeUnits.BaseWidth(), smallUnits.BaseWidth());
    EXPECT_GT(largeUnits.BaseHeight(), smallUnits.BaseHeight());
}

}  // namespace
