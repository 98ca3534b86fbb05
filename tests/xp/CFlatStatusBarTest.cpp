// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CFlatStatusBar.h"

#include "XpTestKit.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

const QColor kOutline(10, 120, 30);

int CountColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Rgb(image, x, y) == colour;
    return count;
}

}  // namespace

TEST(CFlatStatusBarTest, IsAtLeastTwentyPixelsHigh)
{
    CFlatStatusBar bar;
    bar.setFont(PixelFont(6));
    EXPECT_GE(bar.minimumSizeHint().height(), CFlatStatusBar::kMinimumHeight);
    EXPECT_GE(bar.minimumHeight(), CFlatStatusBar::kMinimumHeight);
    EXPECT_FALSE(bar.SetIndicators({}));
    EXPECT_FALSE(bar.SetIndicators({nullptr}));
}

TEST(CFlatStatusBarTest, OnePaneHasExactlyOneOutline)
{
    CFlatStatusBar bar;
    bar.setSizeGripEnabled(false);
    QPalette palette = ClassicPalette();
    palette.setColor(QPalette::Mid, kOutline);
    bar.setPalette(palette);
    ASSERT_TRUE(bar.SetIndicators({new QLabel(QStringLiteral("Ready"))}));
    bar.resize(300, 24);
    bar.show();
    QApplication::processEvents();

    const QList<QRect> panes = bar.PaneRects();
    ASSERT_EQ(panes.size(), 1);
    const QRect pane = panes.first();
    EXPECT_GT(pane.width(), 250);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(CountColour(image, kOutline), 2 * pane.width() + 2 * pane.height() - 4);
    EXPECT_EQ(Rgb(image, pane.left(), pane.top()), kOutline);
    EXPECT_EQ(Rgb(image, pane.right(), pane.bottom()), kOutline);
    EXPECT_EQ(Rgb(image, pane.center().x(), pane.top()), kOutline);
    EXPECT_NE(Rgb(image, pane.left() + 1, pane.top() + 1), kOutline);

    // A temporary message takes the pane's place under one outline.
    bar.showMessage(QStringLiteral("Add New Job"));
    QApplication::processEvents();
    EXPECT_EQ(bar.PaneRects().size(), 1);
    const QImage message = bar.grab().toImage();
    const QRect messagePane = bar.PaneRects().first();
    EXPECT_EQ(CountColour(message, kOutline), 2 * messagePane.width() + 2 * messagePane.height() - 4);
}

TEST(CFlatStatusBarTest, EveryPaneIsOutlined)
{
    CFlatStatusBar bar;
    bar.setSizeGripEnabled(false);
    ASSERT_TRUE(bar.SetIndicators({new QLabel(QStringLiteral("Ready")), new QLabel(QStringLiteral("CAP"))}));
    bar.resize(300, 24);
    bar.show();
    QApplication::processEvents();
    const QList<QRect> panes = bar.PaneRects();
    ASSERT_EQ(panes.size(), 2);
    EXPECT_LT(panes[0].right(), panes[1].left() + 4);
    EXPECT_GT(panes[0].width(), panes[1].width());  // the first pane stretches
}
