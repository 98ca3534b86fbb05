// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CPaneSplitter.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>

namespace {

int Length(const CPaneSplitter::PaneLayout& layout, int pane, int bar)
{
    return layout.positions[pane + 1] - bar - layout.positions[pane];
}

TEST(CPaneSplitterLayoutTest, ProportionsFromWeights)
{
    EXPECT_EQ(CPaneSplitter::WeightsToProportions({70, 30}), (std::vector<int>{22938, 9830}));
    EXPECT_EQ(CPaneSplitter::WeightsToProportions({1, 1, 1}), (std::vector<int>{10923, 10923, 10922}));
    EXPECT_TRUE(CPaneSplitter::WeightsToProportions({0, 0}).empty());
    EXPECT_TRUE(CPaneSplitter::WeightsToProportions({}).empty());

    EXPECT_EQ(CPaneSplitter::InitialProportions(2), (std::vector<int>{16384, 16384}));
    const std::vector<int> three = CPaneSplitter::InitialProportions(3);
    EXPECT_EQ(three, (std::vector<int>{10923, 10923, 10922}));
}

TEST(CPaneSplitterLayoutTest, SeventyThirtyIn403Pixels)
{
    const auto layout = CPaneSplitter::ComputeLayout({22938, 9830}, 403, 30, 3);
    EXPECT_EQ(layout.positions, (std::vector<int>{0, 283, 406}));
    EXPECT_EQ(layout.proportions, (std::vector<int>{22938, 9830}));
    EXPECT_EQ(Length(layout, 0, 3), 280);
    EXPECT_EQ(Length(layout, 1, 3), 120);
}

TEST(CPaneSplitterLayoutTest, LayoutKeepsTheProportionsItRaises)
{
    const auto small = CPaneSplitter::ComputeLayout({22938, 9830}, 100, 30, 3);
    EXPECT_EQ(small.proportions, (std::vector<int>{22634, 10134}));
    EXPECT_EQ(Length(small, 1, 3), 30);
    EXPECT_EQ(Length(small, 0, 3), 100 - 3 - 30);

    const auto grown = CPaneSplitter::ComputeLayout(small.proportions, 403, 30, 3);
    EXPECT_EQ(Length(grown, 0, 3), 276);
    EXPECT_EQ(Length(grown, 1, 3), 124);
}

TEST(CPaneSplitterLayoutTest, TooSmallForMoreThanTheMinimaSplitsEvenly)
{
    const auto tight = CPaneSplitter::ComputeLayout({22938, 9830}, 63, 30, 3);
    EXPECT_EQ(tight.proportions, (std::vector<int>{16384, 16384}));
    EXPECT_EQ(Length(tight, 0, 3), 30);
    EXPECT_EQ(Length(tight, 1, 3), 30);

    for (int extent : {64, 100, 403, 1000}) {
        const auto larger = CPaneSplitter::ComputeLayout(tight.proportions, extent, 30, 3);
        EXPECT_EQ(larger.proportions, (std::vector<int>{16384, 16384})) << extent;
        EXPECT_LE(std::abs(Length(larger, 0, 3) - Length(larger, 1, 3)), 1) << extent;
    }
}

TEST(CPaneSplitterLayoutTest, EarlierPanesGetTheirMinimumFirst)
{
    const auto layout = CPaneSplitter::ComputeLayout(CPaneSplitter::InitialProportions(3), 70, 30, 3);
    EXPECT_EQ(Length(layout, 0, 3), 30);
    EXPECT_EQ(Length(layout, 1, 3), 30);
    EXPECT_EQ(Length(layout, 2, 3), 70 - 2 * 3 - 2 * 30);

    // Not even room for the first pane: it takes everything.
    const auto tiny = CPaneSplitter::ComputeLayout({22938, 9830}, 20, 30, 3);
    EXPECT_EQ(tiny.proportions, (std::vector<int>{32768, 0}));
    EXPECT_EQ(Length(tiny, 0, 3), 17);
    EXPECT_EQ(Length(tiny, 1, 3), 0);
}

TEST(CPaneSplitterLayoutTest, NoUsableLengthDividesNothing)
{
    for (int extent : {0, 2, 3}) {
        const auto layout = CPaneSplitter::ComputeLayout({22938, 9830}, extent, 30, 3);
        EXPECT_EQ(layout.positions.back(), extent + 3) << extent;
        for (int p : layout.proportions) {
            EXPECT_GE(p, 0) << extent;
        }
    }
}

TEST(CPaneSplitterLayoutTest, LargeExtentsDoNotOverflow)
{
    const auto layout = CPaneSplitter::ComputeLayout({22938, 9830}, 200003, 30, 3);
    EXPECT_EQ(Length(layout, 0, 3) + Length(layout, 1, 3), 200000);
    // 70 percent, give or take the fixed point's grain of 1/32768.
    EXPECT_NEAR(Length(layout, 0, 3), 140000, 200000 / 32768 + 1);
}

// A stacked splitter with the main window's settings and two plain panes.
class CPaneSplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        splitter.resize(200, 403);
        splitter.SetProportions({70, 30});
        splitter.AddPane(0, upper);
        splitter.AddPane(1, lower);
        splitter.show();
    }

    void Mouse(QEvent::Type type, int y, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        const QPointF at(50, y);
        QMouseEvent event(type, at, splitter.mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&splitter, &event);
    }
    void Press(int y) { Mouse(QEvent::MouseButtonPress, y, Qt::LeftButton, Qt::LeftButton); }
    void Move(int y) { Mouse(QEvent::MouseMove, y, Qt::NoButton, Qt::LeftButton); }
    void Release(int y) { Mouse(QEvent::MouseButtonRelease, y, Qt::LeftButton, Qt::NoButton); }

    CPaneSplitter splitter;
    QWidget* upper = new QWidget;  // owned by the splitter once added
    QWidget* lower = new QWidget;
};

TEST_F(CPaneSplitterTest, PanesFollowResizes)
{
    EXPECT_EQ(splitter.Pane(0), upper);
    EXPECT_EQ(upper->geometry(), QRect(0, 0, 200, 280));
    EXPECT_EQ(lower->geometry(), QRect(0, 283, 200, 120));
    EXPECT_EQ(splitter.BarRect(1), QRect(0, 280, 200, 3));

    splitter.resize(150, 100);
    EXPECT_EQ(lower->height(), 30);
    EXPECT_EQ(upper->geometry(), QRect(0, 0, 150, 67));
    splitter.resize(200, 403);
    EXPECT_EQ(upper->height(), 276);
    EXPECT_EQ(lower->geometry(), QRect(0, 279, 200, 124));
}

TEST_F(CPaneSplitterTest, DragMovesPanesOnlyAtRelease)
{
    const std::vector<int> before = splitter.Proportions();
    Press(281);
    ASSERT_TRUE(splitter.IsDragging());
    EXPECT_EQ(splitter.DragPosition(), 283);
    Move(200);  // two pixels above the bar's follower, as grabbed
    EXPECT_EQ(splitter.DragPosition(), 202);
    EXPECT_EQ(splitter.TrackingRect(), QRect(0, 199, 200, 3));
    EXPECT_EQ(upper->height(), 280);
    EXPECT_EQ(splitter.Proportions(), before);

    Release(200);
    EXPECT_FALSE(splitter.IsDragging());
    EXPECT_EQ(upper->geometry(), QRect(0, 0, 200, 199));
    EXPECT_EQ(lower->geometry(), QRect(0, 202, 200, 201));
    EXPECT_EQ(splitter.Proportions(), (std::vector<int>{(199 * 32768 + 200) / 400, (201 * 32768 + 200) / 400}));

    // The new split holds through resizes.
    splitter.resize(200, 803);
    EXPECT_NEAR(upper->height(), 398, 1);
}

TEST_F(CPaneSplitterTest, DragStopsAtTheMinimumOfEitherPane)
{
    Press(282);
    Move(2);
    EXPECT_EQ(splitter.DragPosition(), 33);
    Release(2);
    EXPECT_EQ(upper->height(), 30);

    Press(31);
    Move(1000);
    EXPECT_EQ(splitter.DragPosition(), 403 - 30);
    Release(1000);
    EXPECT_EQ(lower->height(), 30);
    EXPECT_EQ(lower->geometry().bottom(), 402);
}

TEST_F(CPaneSplitterTest, MouseWithoutPressOnABarChangesNothing)
{
    const std::vector<int> before = splitter.Proportions();
    Move(100);
    Release(100);
    Press(350);  // below the last bar: no bar to drag
    EXPECT_FALSE(splitter.IsDragging());
    Move(100);
    Release(100);
    Mouse(QEvent::MouseButtonPress, 281, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(splitter.IsDragging());
    EXPECT_EQ(splitter.Proportions(), before);
    EXPECT_EQ(upper->height(), 280);
}

TEST_F(CPaneSplitterTest, HidingEndsADragWithoutChanges)
{
    const std::vector<int> before = splitter.Proportions();
    Press(281);
    Move(100);
    splitter.hide();
    EXPECT_FALSE(splitter.IsDragging());
    Release(100);
    EXPECT_EQ(splitter.Proportions(), before);
}

TEST_F(CPaneSplitterTest, DragWithNoUsableLengthKeepsProportions)
{
    splitter.resize(200, 3);
    const std::vector<int> before = splitter.Proportions();
    Press(1);
    Move(2);
    Release(2);
    EXPECT_EQ(splitter.Proportions(), before);
}

TEST_F(CPaneSplitterTest, BadWeightsAreIgnored)
{
    const std::vector<int> before = splitter.Proportions();
    splitter.SetProportions({0, 0});
    splitter.SetProportions({1, 2, 3});
    EXPECT_EQ(splitter.Proportions(), before);
    splitter.SetProportions({1, 1});
    EXPECT_EQ(upper->height(), 200);
}

TEST_F(CPaneSplitterTest, TrackingBarInvertsWhatIsBelowIt)
{
    upper->setAutoFillBackground(true);
    upper->setPalette(QPalette(Qt::white));
    lower->setAutoFillBackground(true);
    lower->setPalette(QPalette(Qt::white));
    const QPoint probe(10, 100);
    const QImage idle = splitter.grab().toImage();

    Press(281);
    Move(150);
    const QRect tracking = splitter.TrackingRect();
    const QImage dragging = splitter.grab().toImage();
    int changed = 0;
    for (int x = 0; x < 4; ++x) {
        for (int y = tracking.top(); y <= tracking.bottom(); ++y) {
            changed += dragging.pixel(x, y) != idle.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(dragging.pixel(probe), idle.pixel(probe));

    Release(150);
    const QImage after = splitter.grab().toImage();
    EXPECT_EQ(after.pixel(0, 0), idle.pixel(0, 0));
}

TEST(CPaneSplitterOwnershipTest, PanesOutliveTheSplitter)
{
    auto pane = std::make_unique<QWidget>();
    QPointer<QWidget> watch = pane.get();
    {
        CPaneSplitter splitter(3, Qt::Horizontal, 10, 4);
        splitter.resize(300, 50);
        splitter.show();
        splitter.AddPane(1, pane.get());
        EXPECT_EQ(pane->parentWidget(), &splitter);
        splitter.AddPane(3, new QWidget(&splitter));  // out of range: ignored
        EXPECT_EQ(splitter.Pane(3), nullptr);
        EXPECT_EQ(pane->geometry().left(), splitter.Positions()[1]);
        EXPECT_EQ(pane->height(), 50);
    }
    ASSERT_FALSE(watch.isNull());
    EXPECT_EQ(pane->parentWidget(), nullptr);
}

TEST(CPaneSplitterOwnershipTest, SideBySideDragFollowsX)
{
    CPaneSplitter splitter(2, Qt::Horizontal, 20, 4);
    splitter.resize(204, 60);
    auto* left = new QWidget;
    auto* right = new QWidget;
    splitter.AddPane(0, left);
    splitter.AddPane(1, right);
    splitter.show();
    EXPECT_EQ(left->geometry(), QRect(0, 0, 100, 60));
    EXPECT_EQ(right->geometry(), QRect(104, 0, 100, 60));

    const auto send = [&](QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF at(x, 30);
        QMouseEvent event(type, at, splitter.mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&splitter, &event);
    };
    send(QEvent::MouseButtonPress, 102, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, 52, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(splitter.TrackingRect(), QRect(50, 0, 4, 60));
    send(QEvent::MouseButtonRelease, 52, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(left->width(), 50);
    EXPECT_EQ(right->geometry(), QRect(54, 0, 150, 60));
}

}  // namespace
