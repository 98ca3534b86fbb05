// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FilterChain.h"
#include "xp/CFilterBitmap.h"
#include "xp/CGrayFilter.h"
#include "xp/CImageFilterList.h"
#include "xp/CLightnessFilter.h"

#include "XpTestKit.h"

#include <gtest/gtest.h>

namespace {

const QColor kMagenta(255, 0, 255);

// One row of the pixel cases: black, red, white, magenta, a mid colour.
QImage CaseImage()
{
    QImage image(5, 1, QImage::Format_RGB32);
    image.setPixelColor(0, 0, QColor(0, 0, 0));
    image.setPixelColor(1, 0, QColor(255, 0, 0));
    image.setPixelColor(2, 0, QColor(255, 255, 255));
    image.setPixelColor(3, 0, kMagenta);
    image.setPixelColor(4, 0, QColor(100, 50, 200));
    return image;
}

class FailingFilter : public CImageFilter {
public:
    bool Apply(const quint32*, int, int, quint32*, int, int) const override { return false; }
};

// Writes the destination as it found it, so the fill colour shows.
class UntouchedFilter : public CImageFilter {
public:
    bool Apply(const quint32*, int, int, quint32*, int, int) const override { return true; }
};

}  // namespace

TEST(FilterChainTest, NormalSetOfThePixelCases)
{
    CFilterBitmap bitmap(CaseImage());
    ASSERT_TRUE(MakeNormalImage(bitmap, kMagenta));
    const QImage& result = bitmap.Image();
    EXPECT_EQ(Rgb(result, 0, 0), QColor(20, 20, 20));
    EXPECT_EQ(Rgb(result, 1, 0), QColor(255, 40, 40));
    EXPECT_EQ(Rgb(result, 2, 0), QColor(255, 255, 255));
    EXPECT_EQ(Rgb(result, 3, 0), kMagenta);
}

TEST(FilterChainTest, DisabledSetOfThePixelCases)
{
    CFilterBitmap bitmap(CaseImage());
    ASSERT_TRUE(MakeDisabledImage(bitmap, kMagenta));
    const QImage& result = bitmap.Image();
    EXPECT_EQ(Rgb(result, 0, 0), QColor(60, 60, 60));
    EXPECT_EQ(Rgb(result, 2, 0), QColor(255, 255, 255));
    EXPECT_EQ(Rgb(result, 3, 0), kMagenta);
    // Every other pixel ends up grey.
    const QColor red = Rgb(result, 1, 0);
    EXPECT_TRUE(red.red() == red.green() && red.green() == red.blue());
}

TEST(FilterChainTest, GreyFilterWeighsGreenMost)
{
    const CGrayFilter grey;
    // (6 x 50 + 3 x 100 + 200) / 10 = 80
    EXPECT_EQ(CGrayFilter::GreyOf(CImageFilter::MakePixel(100, 50, 200)), 80);
    const quint32 source[2] = {CImageFilter::MakePixel(100, 50, 200), CImageFilter::MakePixel(255, 0, 255)};
    quint32 destination[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    CGrayFilter keyed;
    keyed.SetKeyColour(kMagenta);
    ASSERT_TRUE(keyed.Apply(source, 2, 1, destination, 2, 1));
    EXPECT_EQ(destination[0], CImageFilter::MakePixel(80, 80, 80, 0));  // fourth byte 0
    EXPECT_EQ(destination[1], source[1]);                               // key pixel copied
    // Without a key magenta is just a colour: (0 + 765 + 255) / 10 = 102.
    ASSERT_TRUE(grey.Apply(source, 2, 1, destination, 2, 1));
    EXPECT_EQ(destination[1], CImageFilter::MakePixel(102, 102, 102));
    // Buffers of different sizes are refused.
    EXPECT_FALSE(grey.Apply(source, 2, 1, destination, 1, 2));
}

TEST(FilterChainTest, ChainEdgeCases)
{
    CImageFilterList none;
    CFilterBitmap empty;
    EXPECT_FALSE(ApplyFilters(empty, none));

    CFilterBitmap bitmap(CaseImage());
    const QImage before = bitmap.Image();
    EXPECT_TRUE(ApplyFilters(bitmap, none));
    EXPECT_EQ(bitmap.Image(), before);

    // A failing filter stops the chain and leaves the bitmap as it was.
    const CLightnessFilter lighter(0.04f);
    const FailingFilter failing;
    CImageFilterList chain;
    chain.Add(&lighter);
    chain.Add(&failing);
    EXPECT_FALSE(ApplyFilters(bitmap, chain));
    EXPECT_EQ(bitmap.Image(), before);
}

TEST(FilterChainTest, FreshBuffersHoldTheFillColour)
{
    const UntouchedFilter untouched;
    CImageFilterList chain;
    chain.Add(&untouched);
    for (const QRgb fill : {CFilterBitmap::kWhite, CFilterBitmap::kBlack, qRgb(10, 20, 30)}) {
        CFilterBitmap bitmap(CaseImage(), fill);
        ASSERT_TRUE(ApplyFilters(bitmap, chain));
        EXPECT_EQ(Rgb(bitmap.Image(), 4, 0), QColor(fill));
    }
    EXPECT_EQ(CFilterBitmap(QImage(), CFilterBitmap::kWhite).FillPixel(), 0xFFFFFFFFu);
    EXPECT_EQ(CFilterBitmap(QImage(), CFilterBitmap::kBlack).FillPixel(), 0u);
    EXPECT_EQ(CFilterBitmap(QImage(), qRgb(10, 20, 30)).FillPixel(), 0x000A141Eu);
}

TEST(FilterChainTest, EachStepWorksOnWhatThePreviousWrote)
{
    // Two single steps, run as separate chains, give what one chain of two gives.
    CFilterBitmap chained(CaseImage());
    ASSERT_TRUE(MakeNormalImage(chained, kMagenta));

    CFilterBitmap stepped(CaseImage());
    CLightnessFilter step(0.04f);
    step.SetKeyColour(kMagenta);
    CImageFilterList one;
    one.Add(&step);
    ASSERT_TRUE(ApplyFilters(stepped, one));
    EXPECT_EQ(Rgb(stepped.Image(), 0, 0), QColor(10, 10, 10));
    ASSERT_TRUE(ApplyFilters(stepped, one));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(Rgb(stepped.Image(), x, 0), Rgb(chained.Image(), x, 0)) << x;
}
