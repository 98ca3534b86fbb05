// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatPopupMenu.h"
#include "xp/MenuShadow.h"
#include "xp/PopupWindowMap.h"

#include "XpTestKit.h"

#include <QMenu>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int kW = 60;
constexpr int kH = 40;
const QColor kBackground(200, 100, 50);
const QColor kUnpainted(1, 2, 3);

struct Popup {
    QMenu menu;
    FlatPopupMenu record{&menu};

    Popup()
    {
        menu.setPalette(ClassicPalette());
        QImage snapshot(kW, kH, QImage::Format_ARGB32);
        snapshot.fill(kBackground);
        record.SetSnapshot(snapshot);
        record.SetPosition(QPoint(100, 50));
    }

    QImage Paint(const QRect& openBarItem, bool withShadow = true, bool joinAllowed = true, bool translucent = false)
    {
        QImage image(kW, kH, QImage::Format_ARGB32);
        image.fill(kUnpainted);
        QPainter painter(&image);
        record.PaintFrame(painter, image.size(), openBarItem, withShadow, joinAllowed, translucent);
        painter.end();
        return image;
    }
};

}  // namespace

TEST(FlatPopupMenuTest, StartsAtAnUnknownPosition)
{
    QMenu menu;
    const FlatPopupMenu record(&menu);
    EXPECT_EQ(record.Position(), QPoint(-65535, -65535));
    EXPECT_TRUE(record.Snapshot().isNull());
    EXPECT_EQ(record.Window(), &menu);
}

TEST(FlatPopupMenuTest, OutlineAndInnerLinesLeaveRoomForTheShadow)
{
    Popup popup;
    const QImage image = popup.Paint(QRect());
    EXPECT_EQ(popup.record.LastPaintedRect(), QRect(0, 0, kW, kH));
    // Frame (0, 0) to (w - 4, h - 4).
    EXPECT_EQ(Rgb(image, 0, 0), kDarkShadow);
    EXPECT_EQ(Rgb(image, kW - 5, kH - 5), kDarkShadow);
    EXPECT_EQ(Rgb(image, 1, 1), kTextArea);
    EXPECT_EQ(Rgb(image, 2, 2), kTextArea);
    EXPECT_EQ(Rgb(image, kW - 6, 10), kTextArea);
    EXPECT_EQ(Rgb(image, kW - 7, 10), kTextArea);
    EXPECT_EQ(Rgb(image, 3, 3), kUnpainted);  // the items' area is the menu's own
    EXPECT_EQ(Rgb(image, kW - 8, 10), kUnpainted);
}

TEST(FlatPopupMenuTest, ShadowBandsDarkenTheSnapshot)
{
    Popup popup;
    const QImage image = popup.Paint(QRect());
    // Corners outside the bands show the background unchanged.
    EXPECT_EQ(Rgb(image, kW - 1, 0), kBackground);
    EXPECT_EQ(Rgb(image, kW - 1, 5), kBackground);
    EXPECT_EQ(Rgb(image, 0, kH - 1), kBackground);
    EXPECT_EQ(Rgb(image, kW - 1, kH - 1), kBackground);
    // Right band: outer column from row 6, inner column three steps deep.
    EXPECT_EQ(Rgb(image, kW - 1, 6), Percent(kBackground, 93));
    EXPECT_EQ(Rgb(image, kW - 4, 4), Percent(kBackground, 93));
    EXPECT_EQ(Rgb(image, kW - 4, 5), Percent(kBackground, 88));
    EXPECT_EQ(Rgb(image, kW - 4, 6), Percent(kBackground, 83));
    EXPECT_EQ(Rgb(image, kW - 4, 20), Percent(kBackground, 78));
    EXPECT_EQ(Rgb(image, kW - 3, 20), Percent(kBackground, 83));
    // Bottom band.
    EXPECT_EQ(Rgb(image, 20, kH - 4), Percent(kBackground, 78));
    EXPECT_EQ(Rgb(image, 20, kH - 1), Percent(kBackground, 93));
    EXPECT_EQ(Rgb(image, 4, kH - 1), kBackground);
}

TEST(FlatPopupMenuTest, TranslucentShadowWhereTheWindowSystemComposites)
{
    Popup popup;
    const QImage image = popup.Paint(QRect(), true, true, true);
    EXPECT_EQ(image.pixelColor(kW - 1, 0).alpha(), 0);
    const QColor band = image.pixelColor(kW - 4, 20);
    EXPECT_EQ(band.alpha(), MenuShadow::ShadowAlpha(3));
    EXPECT_EQ(QColor(band.red(), band.green(), band.blue()), QColor(0, 0, 0));
    EXPECT_EQ(Rgb(image, 0, 0), kDarkShadow);
}

TEST(FlatPopupMenuTest, WithoutShadowTheFrameTakesTheWholeWindow)
{
    Popup popup;
    const QImage image = popup.Paint(QRect(), false);
    EXPECT_EQ(Rgb(image, kW - 1, kH - 1), kDarkShadow);
    EXPECT_EQ(Rgb(image, kW - 1, 20), kDarkShadow);
    EXPECT_EQ(Rgb(image, kW - 2, 20), kTextArea);
    EXPECT_EQ(Rgb(image, kW - 5, 20), kUnpainted);
}

TEST(FlatPopupMenuTest, JoinLineUnderTheOpenMenuBarItem)
{
    Popup popup;  // at (100, 50)
    // A tab from x 110, 30 wide, whose bottom edge (exclusive) is at 51.
    const QRect tab(110, 31, 30, 20);
    const QImage joined = popup.Paint(tab);
    EXPECT_EQ(Rgb(joined, 10, 0), kDarkShadow);  // under the tab's left border
    EXPECT_EQ(Rgb(joined, 11, 0), kGutter);
    EXPECT_EQ(Rgb(joined, 38, 0), kGutter);
    EXPECT_EQ(Rgb(joined, 39, 0), kDarkShadow);  // under the tab's right border
    EXPECT_EQ(Rgb(joined, 11, 1), kTextArea);

    // A cascaded submenu is not right under the tab: no join.
    const QImage cascaded = popup.Paint(tab.translated(0, -5));
    EXPECT_EQ(Rgb(cascaded, 20, 0), kDarkShadow);
    // Nor a popup whose items are not drawn flat.
    EXPECT_EQ(Rgb(popup.Paint(tab, true, false), 20, 0), kDarkShadow);
}

TEST(FlatPopupMenuTest, JoinSpanStaysInsideTheFrame)
{
    EXPECT_FALSE(FlatPopupMenu::JoinSpan(QRect(), QPoint(0, 0), 50).has_value());
    const auto wide = FlatPopupMenu::JoinSpan(QRect(-20, -20, 200, 21), QPoint(0, 0), 50);
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->first, 1);
    EXPECT_EQ(wide->second, 49);
    const auto inside = FlatPopupMenu::JoinSpan(QRect(5, -20, 20, 21), QPoint(0, 0), 50);
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(*inside, std::make_pair(6, 24));
}

TEST(FlatPopupMenuTest, NoSnapshotShadesTheFaceColour)
{
    Popup popup;
    popup.record.SetSnapshot(QImage());
    const QImage image = popup.Paint(QRect());
    EXPECT_EQ(Rgb(image, kW - 1, 0), kFace);
    EXPECT_EQ(Rgb(image, kW - 4, 20), Percent(kFace, 78));
}

TEST(PopupWindowMapTest, OneRecordPerWindow)
{
    PopupWindowMap map;
    QMenu first;
    QMenu second;
    EXPECT_EQ(map.Find(&first), nullptr);
    FlatPopupMenu& record = map.FindOrCreate(&first);
    EXPECT_EQ(&map.FindOrCreate(&first), &record);
    map.FindOrCreate(&second);
    EXPECT_EQ(map.Size(), 2);
    map.Destroy(&first);
    EXPECT_EQ(map.Find(&first), nullptr);
    EXPECT_NE(map.Find(&second), nullptr);
    map.Clear();
    EXPECT_EQ(map.Size(), 0);
}
