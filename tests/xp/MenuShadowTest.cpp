// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuShadow.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

QSet<std::pair<int, int>> Positions(const QList<MenuShadow::Pixel>& pixels)
{
    QSet<std::pair<int, int>> positions;
    for (const MenuShadow::Pixel& pixel : pixels)
        positions.insert({pixel.x, pixel.y});
    return positions;
}

int StepAt(const QList<MenuShadow::Pixel>& pixels, int x, int y)
{
    for (const MenuShadow::Pixel& pixel : pixels) {
        if (pixel.x == x && pixel.y == y)
            return pixel.step;
    }
    return -1;
}

}  // namespace

TEST(MenuShadowTest, ShadeStepsByPositionAndDepth)
{
    // Rows: position 0, 1, 2, 3, 7; columns: depth 0..3.
    const int expected[5][4] = {
        {0, 0, 0, 0}, {0, 0, 1, 1}, {0, 1, 2, 2}, {0, 1, 2, 3}, {0, 1, 2, 3},
    };
    const int positions[5] = {0, 1, 2, 3, 7};
    for (int row = 0; row < 5; ++row) {
        for (int depth = 0; depth < 4; ++depth)
            EXPECT_EQ(MenuShadow::ShadeStep(positions[row], depth), expected[row][depth])
                << "p " << positions[row] << " d " << depth;
    }
}

TEST(MenuShadowTest, DarkeningKeepsNinetyThreeDownToSeventyEightPercent)
{
    EXPECT_EQ(MenuShadow::RemainingPercent(0), 93);
    EXPECT_EQ(MenuShadow::RemainingPercent(3), 78);
    EXPECT_EQ(MenuShadow::Darken(QColor(200, 100, 50), 0), QColor(186, 93, 46));
    EXPECT_EQ(MenuShadow::Darken(QColor(200, 100, 50), 3), QColor(156, 78, 39));
    EXPECT_EQ(MenuShadow::Darken(QColor(255, 255, 255), 1), QColor(224, 224, 224));
    // Translucent black of the same darkening: 7 % and 22 % opaque.
    EXPECT_EQ(MenuShadow::ShadowAlpha(0), 255 * 7 / 100);
    EXPECT_EQ(MenuShadow::ShadowAlpha(3), 255 * 22 / 100);
}

TEST(MenuShadowTest, MenuBarStrip)
{
    const QList<MenuShadow::Pixel> pixels = MenuShadow::MenuBarStripPixels(QRect(10, 0, 40, 20));
    // Column k = 0..3 at x = 49 - k, from row 4 + max(2 - k, 0) to row 19.
    EXPECT_EQ(pixels.size(), (20 - 6) + (20 - 5) + (20 - 4) + (20 - 4));
    EXPECT_EQ(StepAt(pixels, 49, 5), -1);
    EXPECT_EQ(StepAt(pixels, 49, 6), 0);
    EXPECT_EQ(StepAt(pixels, 46, 4), 0);
    EXPECT_EQ(StepAt(pixels, 46, 5), 1);
    EXPECT_EQ(StepAt(pixels, 46, 19), 3);
    EXPECT_EQ(StepAt(pixels, 45, 10), -1);
}

TEST(MenuShadowTest, PopupBandsAreRoundedAtTheirEnds)
{
    const int w = 40;
    const int h = 30;
    const QList<MenuShadow::Pixel> pixels = MenuShadow::PopupBandPixels(w, h);
    const auto positions = Positions(pixels);
    EXPECT_EQ(positions.size(), pixels.size());  // no pixel darkened twice
    for (const MenuShadow::Pixel& pixel : pixels) {
        // Only the 4-pixel bands right of and below the frame.
        EXPECT_TRUE(pixel.x >= w - 4 || pixel.y >= h - 4) << pixel.x << "," << pixel.y;
        EXPECT_TRUE(pixel.x >= 4 && pixel.y >= 4) << pixel.x << "," << pixel.y;
    }
    // Right band: the outer column starts two rows lower and ends sooner.
    EXPECT_EQ(StepAt(pixels, w - 1, 5), -1);
    EXPECT_EQ(StepAt(pixels, w - 1, 6), 0);
    EXPECT_EQ(StepAt(pixels, w - 4, 4), 0);
    EXPECT_EQ(StepAt(pixels, w - 4, 7), 3);
    EXPECT_EQ(StepAt(pixels, w - 1, h - 3), 0);
    EXPECT_EQ(StepAt(pixels, w - 1, h - 2), -1);
    // Bottom band: starts 4 pixels in, shallow at first.
    EXPECT_EQ(StepAt(pixels, 4, h - 1), -1);
    EXPECT_EQ(StepAt(pixels, 4, h - 3), 0);
    EXPECT_EQ(StepAt(pixels, 4, h - 4), 0);
    EXPECT_EQ(StepAt(pixels, 5, h - 2), 0);
    EXPECT_EQ(StepAt(pixels, 10, h - 4), 3);
    EXPECT_EQ(StepAt(pixels, 10, h - 1), 0);
    // The bottom-right corner is cut round.
    EXPECT_EQ(StepAt(pixels, w - 1, h - 1), -1);
    EXPECT_EQ(StepAt(pixels, w - 2, h - 2), 1);
    EXPECT_EQ(StepAt(pixels, w - 3, h - 1), 0);
    EXPECT_EQ(StepAt(pixels, w - 2, h - 1), -1);
}

TEST(MenuShadowTest, DarkensImagePixelsAndSkipsOthers)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(QColor(100, 200, 40));
    MenuShadow::DarkenPixels(image, {{1, 1, 2}, {9, 9, 0}, {-1, 0, 0}});
    EXPECT_EQ(image.pixelColor(1, 1), QColor(83, 166, 33));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(100, 200, 40));
}
