// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CHslColor.h"
#include "xp/CLightnessFilter.h"

#include <gtest/gtest.h>

namespace {

QColor Bytes(CHslColor& colour)
{
    return QColor(colour.Red(), colour.Green(), colour.Blue());
}

// One lightness step on one pixel, as the filter does it.
QColor Step(const QColor& colour, float delta)
{
    const CLightnessFilter filter(delta);
    const quint32 pixel = CImageFilter::MakePixel(colour.red(), colour.green(), colour.blue());
    const quint32 result = filter.ShiftPixel(pixel, 0);
    return QColor(CImageFilter::RedOf(result), CImageFilter::GreenOf(result), CImageFilter::BlueOf(result));
}

}  // namespace

TEST(CHslColorTest, ConvertsToHueSaturationAndLightness)
{
    CHslColor red(255, 0, 0);
    EXPECT_FLOAT_EQ(red.Lightness(), 0.5f);
    EXPECT_FLOAT_EQ(red.Saturation(), 1.0f);
    EXPECT_FLOAT_EQ(red.Hue(), 360.0f);  // 360 is kept; only values above it wrap

    CHslColor green(0, 255, 0);
    EXPECT_FLOAT_EQ(green.Hue(), 120.0f);
    CHslColor blue(0, 0, 255);
    EXPECT_FLOAT_EQ(blue.Hue(), 240.0f);

    // Light colours use the other saturation formula: (max - min) / (510 - max - min).
    CHslColor pale(255, 200, 200);
    EXPECT_FLOAT_EQ(pale.Saturation(), 55.0f / 55.0f);
    CHslColor grey(100, 100, 100);
    EXPECT_FLOAT_EQ(grey.Saturation(), 0.0f);
    EXPECT_FLOAT_EQ(grey.Hue(), 0.0f);
    EXPECT_FLOAT_EQ(grey.Lightness(), 200.0f / 510.0f);
}

TEST(CHslColorTest, HueOfColoursWithTwoEqualMaxima)
{
    CHslColor yellowish(200, 200, 10);
    EXPECT_FLOAT_EQ(yellowish.Hue(), 60.0f);
    CHslColor cyanish(10, 200, 200);
    EXPECT_FLOAT_EQ(cyanish.Hue(), 180.0f);
    CHslColor magenta(255, 0, 255);
    EXPECT_FLOAT_EQ(magenta.Hue(), 300.0f);
}

TEST(CHslColorTest, ConvertsBackUnchangedWhenOnlyTheHslFormWasRead)
{
    for (const QColor& colour : {QColor(0, 0, 0), QColor(255, 255, 255), QColor(12, 200, 99), QColor(255, 0, 255)}) {
        CHslColor hsl(colour);
        hsl.Lightness();
        EXPECT_EQ(Bytes(hsl), colour);
    }
}

TEST(CHslColorTest, SettingTheLightnessRecomputesTheBytes)
{
    CHslColor grey(0, 0, 0);
    grey.SetLightness(0.5f);
    EXPECT_EQ(Bytes(grey), QColor(127, 127, 127));  // 0.5 x 255 = 127.5, truncated

    CHslColor red(255, 0, 0);
    red.SetLightness(0.75f);
    // m2 = 0.75 + 1 - 0.75 = 1, m1 = 0.5: red 255, green and blue 0.5 x 255.
    EXPECT_EQ(Bytes(red), QColor(255, 127, 127));
}

TEST(CHslColorTest, LightnessStepsOfThePixelCases)
{
    // Black rises by 0.04 x 255 = 10.2 a step.
    const QColor once = Step(QColor(0, 0, 0), 0.04f);
    EXPECT_EQ(once, QColor(10, 10, 10));
    EXPECT_EQ(Step(once, 0.04f), QColor(20, 20, 20));

    // Red keeps hue and saturation; green and blue are m1 = 2L - 1.
    const QColor redOnce = Step(QColor(255, 0, 0), 0.04f);
    EXPECT_EQ(redOnce, QColor(255, 20, 20));
    EXPECT_EQ(Step(redOnce, 0.04f), QColor(255, 40, 40));

    // White is already at lightness 1 and stays.
    EXPECT_EQ(Step(QColor(255, 255, 255), 0.08f), QColor(255, 255, 255));
    // A negative step on black changes nothing either.
    EXPECT_EQ(Step(QColor(0, 0, 0), -0.08f), QColor(0, 0, 0));
    // Lightness stops at 1: a pale grey goes to white, not beyond.
    EXPECT_EQ(Step(QColor(250, 250, 250), 0.08f), QColor(255, 255, 255));
}

TEST(CHslColorTest, HueChannelWrapsItsAngle)
{
    EXPECT_DOUBLE_EQ(CHslColor::HueChannel(0.2, 0.8, 480), 0.8);  // 120
    EXPECT_DOUBLE_EQ(CHslColor::HueChannel(0.2, 0.8, -90), 0.2);  // 270
    EXPECT_DOUBLE_EQ(CHslColor::HueChannel(0.2, 0.8, 30), 0.5);   // rising edge
    EXPECT_DOUBLE_EQ(CHslColor::HueChannel(0.2, 0.8, 210), 0.5);  // falling edge
}
