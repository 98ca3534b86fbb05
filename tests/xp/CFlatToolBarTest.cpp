// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CFlatToolBar.h"

#include "XpTestKit.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

const QColor kMagenta(255, 0, 255);
constexpr int kSize = 24;

// Two 24 x 24 images: the first black with a magenta corner, the second
// red with a white corner.
QImage Strip()
{
    QImage strip(2 * kSize, kSize, QImage::Format_RGB888);
    strip.fill(QColor(0, 0, 0));
    for (int y = 0; y < kSize; ++y)
        for (int x = kSize; x < 2 * kSize; ++x)
            strip.setPixelColor(x, y, QColor(255, 0, 0));
    strip.setPixelColor(0, 0, kMagenta);
    strip.setPixelColor(kSize, 0, QColor(255, 255, 255));
    return strip;
}

QImage ImageOf(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(CFlatToolBarTest, BuildsThreeImageSetsFromOneStrip)
{
    CFlatToolBar bar;
    bar.setIconSize(QSize(kSize, kSize));
    bar.BuildToolBarImages(Strip(), kMagenta);
    ASSERT_EQ(bar.HotImageList().size(), 2);
    ASSERT_EQ(bar.ImageList().size(), 2);
    ASSERT_EQ(bar.DisabledImageList().size(), 2);

    const QImage hot0 = ImageOf(bar.HotImageList()[0]);
    const QImage normal0 = ImageOf(bar.ImageList()[0]);
    const QImage disabled0 = ImageOf(bar.DisabledImageList()[0]);
    EXPECT_EQ(Rgb(hot0, 5, 5), QColor(0, 0, 0));
    EXPECT_EQ(Rgb(normal0, 5, 5), QColor(20, 20, 20));
    EXPECT_EQ(Rgb(disabled0, 5, 5), QColor(60, 60, 60));
    // Magenta is transparent in all three sets.
    EXPECT_EQ(hot0.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(normal0.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(disabled0.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(normal0.pixelColor(5, 5).alpha(), 255);

    const QImage normal1 = ImageOf(bar.ImageList()[1]);
    EXPECT_EQ(Rgb(normal1, 5, 5), QColor(255, 40, 40));
    EXPECT_EQ(Rgb(normal1, 0, 0), QColor(255, 255, 255));
    EXPECT_EQ(Rgb(ImageOf(bar.DisabledImageList()[1]), 0, 0), QColor(255, 255, 255));
    EXPECT_EQ(Rgb(ImageOf(bar.HotImageList()[1]), 5, 5), QColor(255, 0, 0));
    // The filters' key is magenta in the sources too.
    EXPECT_EQ(Rgb(bar.NormalSource().Image(), 0, 0), kMagenta);
    EXPECT_EQ(Rgb(bar.DisabledSource().Image(), 0, 0), kMagenta);
}

TEST(CFlatToolBarTest, ButtonsGetTheirImagesInOrder)
{
    CFlatToolBar bar;
    bar.setIconSize(QSize(kSize, kSize));
    QAction* first = bar.addAction(QStringLiteral("one"));
    bar.addSeparator();
    QAction* second = bar.addAction(QStringLiteral("two"));
    bar.BuildToolBarImages(Strip(), kMagenta);

    const QSize size(kSize, kSize);
    EXPECT_EQ(Rgb(ImageOf(first->icon().pixmap(size, QIcon::Normal)), 5, 5), QColor(20, 20, 20));
    EXPECT_EQ(Rgb(ImageOf(first->icon().pixmap(size, QIcon::Active)), 5, 5), QColor(0, 0, 0));
    EXPECT_EQ(Rgb(ImageOf(first->icon().pixmap(size, QIcon::Disabled)), 5, 5), QColor(60, 60, 60));
    EXPECT_EQ(Rgb(ImageOf(second->icon().pixmap(size, QIcon::Active)), 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(Rgb(ImageOf(second->icon().pixmap(size, QIcon::Normal)), 5, 5), QColor(255, 40, 40));
}

TEST(CFlatToolBarTest, AStripThatCannotBeLoadedLeavesTheSetsEmpty)
{
    CFlatToolBar bar;
    QAction* button = bar.addAction(QStringLiteral("one"));
    bar.BuildToolBarImages(QStringLiteral("/nonexistent/strip.png"), kMagenta);
    EXPECT_TRUE(bar.HotImageList().isEmpty());
    EXPECT_TRUE(bar.ImageList().isEmpty());
    EXPECT_TRUE(bar.DisabledImageList().isEmpty());
    EXPECT_TRUE(button->icon().isNull());
}
