// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenu.h"
#include "xp/FlatMenuItem.h"
#include "xp/FlatMenuTables.h"

#include "XpTestKit.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// Command ids of these tests only, so the shared tables hold nothing else
// under them.
constexpr int kAddId = 61017;
constexpr int kDeleteId = 61008;
constexpr int kExitId = 61665;
constexpr int kNoImageId = 61999;

QAction* AddItem(QMenu* menu, int id, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    return action;
}

QIcon SolidIcon(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QString WithoutFirstAmpersand(QString text)
{
    text.remove(text.indexOf(u'&'), 1);
    return text;
}

// A frame with a hidden image toolbar and a "Job" menu.
struct Frame {
    QMainWindow window;
    QToolBar* images = nullptr;
    QMenu* job = nullptr;

    Frame()
    {
        images = new QToolBar(&window);
        images->hide();
        for (const auto& [id, colour] :
             {std::pair{kDeleteId, QColor(255, 0, 0)}, std::pair{kAddId, QColor(0, 0, 255)}}) {
            QAction* button = images->addAction(QString::number(id));
            button->setData(id);
            button->setIcon(SolidIcon(colour));
        }
        job = window.menuBar()->addMenu(QStringLiteral("&Job"));
        job->setFont(PixelFont(13));
        AddItem(job, kAddId, QStringLiteral("&Add\tF2"));
        AddItem(job, kDeleteId, QStringLiteral("&Delete\tDel"));
        job->addSeparator();
        AddItem(job, kExitId, QStringLiteral("E&xit\tALT+F4"));
        AddItem(job, kNoImageId, QStringLiteral("&Property"));
        FlatMenu::EnableFlatMenu(&window, true);
    }
};

}  // namespace

TEST(PrepareMenuTest, TheSwitchIsAWindowProperty)
{
    QWidget window;
    EXPECT_FALSE(FlatMenu::IsFlatMenuEnabled(&window));
    FlatMenu::EnableFlatMenu(&window, true);
    EXPECT_TRUE(FlatMenu::IsFlatMenuEnabled(&window));
    EXPECT_EQ(window.property(FlatMenu::kMenuProperty).toInt(), 1);
    FlatMenu::EnableFlatMenu(&window, false);
    EXPECT_FALSE(FlatMenu::IsFlatMenuEnabled(&window));
    EXPECT_FALSE(FlatMenu::IsFlatMenuEnabled(nullptr));
}

TEST(PrepareMenuTest, NothingHappensWhenNotEnabled)
{
    Frame frame;
    FlatMenuTables::Shared().SetCommandText(kAddId, QStringLiteral("old"));
    FlatMenu::PrepareMenu(&frame.window, frame.job, false);
    EXPECT_FALSE(FlatMenu::IsOwnerDrawnMenu(frame.job));
    EXPECT_EQ(FlatMenuTables::Shared().CommandText(kAddId), QStringLiteral("old"));
    EXPECT_NE(frame.job->style(), FlatMenu::Instance());
}

TEST(PrepareMenuTest, CapturesTextsAndImagesFromTheToolbars)
{
    Frame frame;
    FlatMenu::PrepareMenu(&frame.window, frame.job, true);
    EXPECT_TRUE(FlatMenu::IsOwnerDrawnMenu(frame.job));
    EXPECT_EQ(frame.job->style(), FlatMenu::Instance());

    const FlatMenuTables& tables = FlatMenuTables::Shared();
    EXPECT_EQ(tables.CommandText(kAddId), QStringLiteral("&Add\tF2"));
    EXPECT_EQ(tables.CommandText(kExitId), QStringLiteral("E&xit\tALT+F4"));
    const MenuImage add = tables.CommandImage(kAddId);
    EXPECT_EQ(add.imageList, frame.images);
    EXPECT_EQ(add.index, 1);
    EXPECT_EQ(tables.CommandImage(kDeleteId).index, 0);
    EXPECT_FALSE(tables.CommandImage(kNoImageId).HasImage());

    // Drawing takes the captured text and image, not the action's own.
    QAction* addAction = frame.job->actions().at(0);
    addAction->setText(QStringLiteral("Changed"));
    const FlatMenuItem item = FlatMenuItem::ForAction(addAction, frame.job);
    EXPECT_EQ(item.Label(), QStringLiteral("&Add"));
    EXPECT_EQ(item.Shortcut(), QStringLiteral("F2"));
    ASSERT_TRUE(item.HasImage());
    EXPECT_EQ(item.Image().pixmap(16).toImage().pixelColor(8, 8), QColor(0, 0, 255));
}

TEST(PrepareMenuTest, StoresTheWidestTextsAndTheHeights)
{
    Frame frame;
    FlatMenu::PrepareMenu(&frame.window, frame.job, true);
    const QFontMetrics metrics(frame.job->font());
    int widestLabel = 0;
    for (const QString& label :
         {QStringLiteral("&Add"), QStringLiteral("&Delete"), QStringLiteral("E&xit"), QStringLiteral("&Property")})
        widestLabel = std::max(widestLabel, metrics.horizontalAdvance(WithoutFirstAmpersand(label)));
    int widestShortcut = 0;
    for (const QString& shortcut : {QStringLiteral("F2"), QStringLiteral("Del"), QStringLiteral("ALT+F4")})
        widestShortcut = std::max(widestShortcut, metrics.horizontalAdvance(shortcut));

    const MenuItemData items = FlatMenu::ItemData(frame.job, false);
    EXPECT_EQ(items.LabelWidth(), widestLabel);
    EXPECT_EQ(items.ShortcutWidth(), widestShortcut & 0xFF);
    EXPECT_EQ(items.Height(), MenuItemHeight(metrics.height()));
    EXPECT_EQ(FlatMenu::ItemData(frame.job, true).Height(), MenuSeparatorHeight(metrics.height()));

    // The popup lays its items out with those sizes, inside a 3-pixel frame.
    const QRect first = frame.job->actionGeometry(frame.job->actions().at(0));
    EXPECT_EQ(first.topLeft(), QPoint(FlatMenu::kPopupFrameWidth, FlatMenu::kPopupFrameWidth));
    EXPECT_EQ(first.width(), widestLabel + widestShortcut + 42 + FlatMenu::kMenuCheckRoom);
    EXPECT_EQ(first.height(), items.Height());
    EXPECT_EQ(frame.job->actionGeometry(frame.job->actions().at(2)).height(), MenuSeparatorHeight(metrics.height()));
    EXPECT_EQ(frame.job->sizeHint().width(), first.width() + 2 * FlatMenu::kPopupFrameWidth);
}

TEST(PrepareMenuTest, ALargerFontMakesTallerItems)
{
    Frame small;
    FlatMenu::PrepareMenu(&small.window, small.job, true);
    Frame large;
    large.job->setFont(PixelFont(30));
    FlatMenu::PrepareMenu(&large.window, large.job, true);
    const int largeHeight = QFontMetrics(PixelFont(30)).height();
    EXPECT_EQ(FlatMenu::ItemData(large.job, false).Height(), largeHeight + 6);
    EXPECT_EQ(FlatMenu::ItemData(large.job, true).Height(), largeHeight / 2 + 2);
    EXPECT_GT(FlatMenu::ItemData(large.job, false).Height(), FlatMenu::ItemData(small.job, false).Height());
    EXPECT_GT(FlatMenu::ItemData(large.job, false).LabelWidth(), FlatMenu::ItemData(small.job, false).LabelWidth());
}

TEST(PrepareMenuTest, TheDefaultItemIsMeasuredBold)
{
    Frame plain;
    FlatMenu::PrepareMenu(&plain.window, plain.job, true);
    Frame bold;
    bold.job->setDefaultAction(bold.job->actions().at(4));  // "&Property", the widest label
    FlatMenu::PrepareMenu(&bold.window, bold.job, true);
    EXPECT_GT(FlatMenu::ItemData(bold.job, false).LabelWidth(), FlatMenu::ItemData(plain.job, false).LabelWidth());
}

TEST(PrepareMenuTest, SubmenuTextsAndTheirPurge)
{
    Frame frame;
    auto* sub = new QMenu(QStringLiteral("ToolBar"), frame.job);
    frame.job->addMenu(sub);
    FlatMenu::PrepareMenu(&frame.window, frame.job, true);
    EXPECT_EQ(FlatMenuTables::Shared().SubmenuText(sub), QStringLiteral("ToolBar"));
    const int entries = FlatMenuTables::Shared().SubmenuEntryCount();
    delete sub;
    EXPECT_FALSE(FlatMenuTables::Shared().SubmenuText(sub).has_value());
    FlatMenu::PrepareMenu(&frame.window, frame.job, true);
    EXPECT_LT(FlatMenuTables::Shared().SubmenuEntryCount(), entries);
}

TEST(PrepareMenuTest, MenuBarModeMarksTheBarAndMeasuresItsTexts)
{
    Frame frame;
    QMenuBar* bar = frame.window.menuBar();
    FlatMenu::PrepareMenuBar(&frame.window);
    EXPECT_TRUE(FlatMenu::IsOwnerDrawnMenu(bar));
    EXPECT_EQ(bar->style(), FlatMenu::Instance());
    // Bar items are not popup items: no item data is stored for the bar.
    EXPECT_EQ(FlatMenu::ItemData(bar, false).Value(), 0u);
    // The bar item is its text plus the 4-pixel strip plus the bar's padding.
    const int text = QFontMetrics(bar->font()).horizontalAdvance(QStringLiteral("Job"));
    EXPECT_GE(bar->actionGeometry(frame.job->menuAction()).width(), text + 4);
}

TEST(PrepareMenuTest, APreparedBarPreparesItsMenusWhenTheyOpen)
{
    Frame frame;
    FlatMenu::PrepareMenuBar(&frame.window);
    EXPECT_FALSE(FlatMenu::IsOwnerDrawnMenu(frame.job));
    emit frame.job->aboutToShow();
    EXPECT_TRUE(FlatMenu::IsOwnerDrawnMenu(frame.job));

    Frame off;
    FlatMenu::EnableFlatMenu(&off.window, false);
    FlatMenu::PrepareMenuBar(&off.window);
    emit off.job->aboutToShow();
    EXPECT_FALSE(FlatMenu::IsOwnerDrawnMenu(off.window.menuBar()));
    EXPECT_FALSE(FlatMenu::IsOwnerDrawnMenu(off.job));
}
