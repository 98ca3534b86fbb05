// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ImageStrip.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// A strip of `count` images of `size` pixels: image i is filled with a grey
// of 40 * (i + 1) and has a magenta top-left corner pixel.
QImage MakeStrip(int count, int size, int extraWidth = 0)
{
    QImage strip(count * size + extraWidth, size, QImage::Format_RGB888);
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                strip.setPixelColor(i * size + x, y, QColor::fromRgb(40 * (i + 1), 40 * (i + 1), 40 * (i + 1)));
        strip.setPixelColor(i * size, 0, ImageStrip::TransparentColour());
    }
    return strip;
}

TEST(ImageStripTest, CutsTheStripAndMasksMagenta)
{
    const QList<QPixmap> images = ImageStrip::Split(MakeStrip(3, 16), 16);
    ASSERT_EQ(images.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QImage image = images[i].toImage();
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        const QColor inside = image.pixelColor(8, 8);
        EXPECT_EQ(inside.alpha(), 255);
        EXPECT_EQ(inside.red(), 40 * (i + 1));
    }
}

TEST(ImageStripTest, IgnoresARestNarrowerThanOneImage)
{
    EXPECT_EQ(ImageStrip::Split(MakeStrip(2, 24, 10), 24).size(), 2);
}

TEST(ImageStripTest, AnUnreadableStripGivesNoImages)
{
    EXPECT_TRUE(ImageStrip::Load("/nonexistent/strip.png", 16).isEmpty());
    EXPECT_TRUE(ImageStrip::Split(MakeStrip(1, 8), 16).isEmpty());  // lower than one image
    EXPECT_TRUE(ImageStrip::Split(MakeStrip(2, 16), 0).isEmpty());
}

TEST(ImageStripTest, ShippedStripsHoldEightImagesEach)
{
    EXPECT_EQ(ImageStrip::Load(":/vorlanta/toolbar24.png", 24).size(), 8);
    EXPECT_EQ(ImageStrip::Load(":/vorlanta/menuimages16.png", 16).size(), 8);
}

}  // namespace
