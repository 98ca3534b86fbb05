// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/GreyImageCopy.h"
#include "xp/MemoryDC.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(GreyImageCopyTest, AveragesTheColourBytes)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, QColor(10, 20, 40, 255));
    image.setPixelColor(1, 0, QColor(255, 255, 0, 128));
    const QImage source = image.copy();
    const std::optional<QImage> grey = GreyImageCopy(image);
    ASSERT_TRUE(grey.has_value());
    EXPECT_EQ(grey->pixelColor(0, 0), QColor(23, 23, 23, 255));  // 70 / 3
    EXPECT_EQ(grey->pixelColor(1, 0), QColor(170, 170, 170, 128));
    EXPECT_EQ(image, source);  // the source stays as it was
}

TEST(GreyImageCopyTest, FewerThanTwentyFourBitsCannotBeCopied)
{
    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorCount(1);
    indexed.setColor(0, qRgb(1, 2, 3));
    indexed.fill(0);
    EXPECT_FALSE(GreyImageCopy(indexed).has_value());
    EXPECT_FALSE(GreyImageCopy(QImage(4, 4, QImage::Format_Mono)).has_value());
    EXPECT_FALSE(GreyImageCopy(QImage()).has_value());
    EXPECT_TRUE(GreyImageCopy(QImage(4, 4, QImage::Format_RGB888)).has_value());
}

TEST(MemoryDCTest, CopiesItsRectangleOnlyAndOnlyAtTheEnd)
{
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    {
        MemoryDC surface(&painter, QRect(5, 5, 10, 10));
        surface.Painter().fillRect(QRect(0, 0, 20, 20), Qt::black);  // spills over the rectangle
        surface.DarkenPixel(14, 14, 3);
        EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::white));  // not copied yet
        EXPECT_EQ(surface.Image().size(), QSize(10, 10));
    }
    painter.end();
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(14, 14), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(4, 4), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(15, 15), QColor(Qt::white));
}

TEST(MemoryDCTest, AnEmptyRectangleCoversTheDevice)
{
    QImage target(12, 8, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    {
        MemoryDC surface(&painter, QRect());
        EXPECT_EQ(surface.Rect(), QRect(0, 0, 12, 8));
        surface.Painter().fillRect(QRect(0, 0, 12, 8), QColor(200, 100, 0));
        surface.DarkenPixel(11, 7, 0);
    }
    painter.end();
    EXPECT_EQ(target.pixelColor(0, 0), QColor(200, 100, 0));
    EXPECT_EQ(target.pixelColor(11, 7), QColor(186, 93, 0));
}
