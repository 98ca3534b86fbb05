// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenu.h"
#include "xp/MenuShadow.h"

#include "XpTestKit.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOptionMenuItem>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 200;

QStyleOptionMenuItem PopupItem(const QString& text, int height = 20)
{
    QStyleOptionMenuItem option;
    option.rect = QRect(0, 0, kWidth, height);
    option.palette = ClassicPalette();
    option.state = QStyle::State_Enabled;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.text = text;
    option.font = PixelFont(13);
    return option;
}

// The item painted on an image of `size` (magenta where nothing was drawn).
QImage Paint(const QStyleOptionMenuItem& option, bool menuBar = false, QSize size = QSize())
{
    if (size.isEmpty())
        size = QSize(option.rect.right() + 1, option.rect.bottom() + 1);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    EXPECT_TRUE(FlatMenu::DrawMenuItem(option, &painter, nullptr, menuBar));
    painter.end();
    return image;
}

// Columns in [from, to) that hold a pixel other than `background` in rows
// from `top` down.
std::pair<int, int> InkColumns(const QImage& image, int from, int to, const QColor& background, int top = 0)
{
    int first = -1;
    int last = -1;
    for (int x = from; x < to; ++x) {
        for (int y = top; y < image.height(); ++y) {
            if (Rgb(image, x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QPixmap Solid(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return pixmap;
}

}  // namespace

TEST(DrawMenuItemTest, GutterAndTextArea)
{
    const QImage image = Paint(PopupItem(QStringLiteral("&Add\tF2")));
    EXPECT_EQ(Rgb(image, 0, 0), kGutter);
    EXPECT_EQ(Rgb(image, 21, 0), kGutter);
    EXPECT_EQ(Rgb(image, 22, 0), kTextArea);
    EXPECT_EQ(Rgb(image, kWidth - 1, 19), kTextArea);
}

TEST(DrawMenuItemTest, LabelFromThirtyShortcutTwelveFromTheRight)
{
    const QImage image = Paint(PopupItem(QStringLiteral("&Add\tF2")));
    const auto [labelFirst, labelLast] = InkColumns(image, 22, kWidth / 2, kTextArea);
    EXPECT_GE(labelFirst, 30);
    EXPECT_LE(labelFirst, 31);
    const auto [shortcutFirst, shortcutLast] = InkColumns(image, kWidth / 2, kWidth, kTextArea);
    EXPECT_LE(shortcutLast, kWidth - 12 - 1);
    EXPECT_GE(shortcutLast, kWidth - 12 - 3);
    EXPECT_GT(shortcutFirst, labelLast);
    // The text is menu text (black) where a glyph covers a whole pixel.
    bool black = false;
    for (int y = 0; y < 20; ++y)
        black = black || Rgb(image, labelFirst + 1, y) == kMenuText || Rgb(image, labelFirst, y) == kMenuText;
    EXPECT_TRUE(black);
}

TEST(DrawMenuItemTest, PositionsCountFromTheItemsLeftEdge)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("X"));
    option.rect.translate(3, 5);
    const QImage image = Paint(option);
    EXPECT_EQ(Rgb(image, 2, 10), QColor(255, 0, 255));  // outside the item: untouched
    EXPECT_EQ(Rgb(image, 3 + 21, 5), kGutter);
    EXPECT_EQ(Rgb(image, 3 + 22, 5), kTextArea);
    EXPECT_EQ(InkColumns(image, 3 + 22, 3 + kWidth, kTextArea, 5).first - 3, 30);
}

TEST(DrawMenuItemTest, AOneCharacterLabelBeforeATabIsDrawn)
{
    const QImage image = Paint(PopupItem(QStringLiteral("W\tCtrl+W")));
    const auto [first, last] = InkColumns(image, 22, 60, kTextArea);
    EXPECT_GE(first, 30);
    EXPECT_LE(last, 60);
}

TEST(DrawMenuItemTest, AnEmptyLabelShowsOnlyTheBackground)
{
    const QImage image = Paint(PopupItem(QStringLiteral("\tF2")));
    EXPECT_EQ(InkColumns(image, 22, kWidth, kTextArea).first, -1);
}

TEST(DrawMenuItemTest, HighlightedItem)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Add\tF2"));
    option.state |= QStyle::State_Selected;
    const QImage image = Paint(option);
    EXPECT_EQ(Rgb(image, 0, 0), kHighlight);
    EXPECT_EQ(Rgb(image, kWidth - 1, 19), kHighlight);
    EXPECT_EQ(Rgb(image, 1, 1), kHighlightFill);
    EXPECT_EQ(Rgb(image, 21, 1), kHighlightFill);  // no gutter under the highlight
    EXPECT_EQ(Rgb(image, kWidth - 2, 18), kHighlightFill);

    option.state &= ~QStyle::State_Enabled;
    const QImage disabled = Paint(option);
    EXPECT_EQ(Rgb(disabled, 0, 0), kHighlight);
    EXPECT_EQ(Rgb(disabled, 1, 1), kDisabledFill);
}

TEST(DrawMenuItemTest, DisabledTextIsTheSeparatorTint)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Property"));
    option.state &= ~QStyle::State_Enabled;
    const QImage image = Paint(option);
    int darkest = 255;
    for (int y = 0; y < 20; ++y)
        for (int x = 22; x < kWidth; ++x)
            darkest = std::min(darkest, Rgb(image, x, y).red());
    EXPECT_EQ(darkest, kSeparator.red());
}

TEST(DrawMenuItemTest, Separator)
{
    QStyleOptionMenuItem option = PopupItem(QString(), 8);
    option.menuItemType = QStyleOptionMenuItem::Separator;
    const QImage image = Paint(option);
    const int y = 4;  // (0 + 8) / 2
    EXPECT_EQ(Rgb(image, 29, y), kTextArea);
    EXPECT_EQ(Rgb(image, 30, y), kSeparator);
    EXPECT_EQ(Rgb(image, kWidth - 2, y), kSeparator);
    EXPECT_EQ(Rgb(image, kWidth - 1, y), kTextArea);
    EXPECT_EQ(Rgb(image, 30, y - 1), kTextArea);
    EXPECT_EQ(Rgb(image, 30, y + 1), kTextArea);
    EXPECT_EQ(Rgb(image, 10, y), kGutter);
}

TEST(DrawMenuItemTest, CheckBoxAndMark)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Show labels"));
    option.checkType = QStyleOptionMenuItem::NonExclusive;
    option.checked = true;
    const QImage image = Paint(option);
    // Box (1, 1) to (20, 19), right and bottom exclusive.
    EXPECT_EQ(Rgb(image, 0, 0), kGutter);
    EXPECT_EQ(Rgb(image, 1, 1), kHighlight);
    EXPECT_EQ(Rgb(image, 19, 1), kHighlight);
    EXPECT_EQ(Rgb(image, 1, 18), kHighlight);
    EXPECT_EQ(Rgb(image, 20, 1), kGutter);
    EXPECT_EQ(Rgb(image, 1, 19), kGutter);
    EXPECT_EQ(Rgb(image, 2, 2), kHighlightFill);
    // A check mark in menu text inside the box.
    int marks = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 5; x < 19; ++x)
            marks += Rgb(image, x, y) == kMenuText;
    EXPECT_GT(marks, 10);

    option.state |= QStyle::State_Selected;
    EXPECT_EQ(Rgb(Paint(option), 2, 2), kSelectedCheck);
    option.state &= ~QStyle::State_Enabled;
    EXPECT_EQ(Rgb(Paint(option), 2, 2), kDisabledFill);
}

TEST(DrawMenuItemTest, RadioBullet)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Small"));
    option.checkType = QStyleOptionMenuItem::Exclusive;
    option.checked = true;
    const QImage image = Paint(option);
    const int cx = (5 + 20) / 2;
    const int cy = 10;
    EXPECT_EQ(Rgb(image, cx, cy), kMenuText);
    EXPECT_EQ(Rgb(image, cx - 2, cy), kMenuText);
    EXPECT_EQ(Rgb(image, cx + 1, cy + 2), kHighlightFill);  // the dot in the check colour
    EXPECT_EQ(Rgb(image, cx - 6, cy), kHighlightFill);      // box fill outside the bullet

    option.state &= ~QStyle::State_Enabled;
    EXPECT_EQ(Rgb(Paint(option), cx, cy), kDisabledImage);
}

TEST(DrawMenuItemTest, ImagesInTheGutter)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Delete"), 24);
    option.icon = QIcon(Solid(QColor(255, 0, 0)));
    const QColor grey(85, 85, 85);  // (255 + 0 + 0) / 3

    const QImage rest = Paint(option);
    EXPECT_EQ(Rgb(rest, 2, 2), kGutter);
    EXPECT_EQ(Rgb(rest, 3, 3), QColor(255, 0, 0));
    EXPECT_EQ(Rgb(rest, 18, 18), QColor(255, 0, 0));
    EXPECT_EQ(Rgb(rest, 19, 19), kGutter);

    // Selected: raised to (2, 2) over a grey copy at (4, 4).
    option.state |= QStyle::State_Selected;
    const QImage raised = Paint(option);
    EXPECT_EQ(Rgb(raised, 2, 2), QColor(255, 0, 0));
    EXPECT_EQ(Rgb(raised, 18, 18), grey);
    EXPECT_EQ(Rgb(raised, 19, 19), grey);
    EXPECT_EQ(Rgb(raised, 20, 20), kHighlightFill);

    // Disabled: only the grey copy, at (3, 3).
    option.state &= ~(QStyle::State_Selected | QStyle::State_Enabled);
    const QImage disabled = Paint(option);
    EXPECT_EQ(Rgb(disabled, 3, 3), grey);
    EXPECT_EQ(Rgb(disabled, 18, 18), grey);
    EXPECT_EQ(Rgb(disabled, 2, 2), kGutter);
}

TEST(DrawMenuItemTest, ACheckedItemWithAnImageShowsTheBoxBehindTheImage)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Delete"), 24);
    option.icon = QIcon(Solid(QColor(0, 160, 0)));
    option.checkType = QStyleOptionMenuItem::NonExclusive;
    option.checked = true;
    const QImage image = Paint(option);
    EXPECT_EQ(Rgb(image, 1, 1), kHighlight);
    EXPECT_EQ(Rgb(image, 2, 2), kHighlightFill);
    EXPECT_EQ(Rgb(image, 3, 3), QColor(0, 160, 0));
    EXPECT_EQ(Rgb(image, 18, 20), kHighlightFill);
    for (int y = 2; y < 22; ++y)
        for (int x = 2; x < 19; ++x)
            EXPECT_NE(Rgb(image, x, y), kMenuText);  // no check mark
}

TEST(DrawMenuItemTest, MenuBarItems)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Job"));
    option.rect = QRect(0, 0, 40, 20);
    const QImage plain = Paint(option, true);
    EXPECT_EQ(Rgb(plain, 0, 0), kFace);
    EXPECT_EQ(Rgb(plain, 39, 19), kFace);

    // Hot: a highlight box that leaves the right 4 pixels in face colour.
    option.state |= QStyle::State_Selected;
    const QImage hot = Paint(option, true);
    EXPECT_EQ(Rgb(hot, 0, 0), kHighlight);
    EXPECT_EQ(Rgb(hot, 35, 10), kHighlight);
    EXPECT_EQ(Rgb(hot, 1, 1), kHighlightFill);
    EXPECT_EQ(Rgb(hot, 36, 10), kFace);
}

TEST(DrawMenuItemTest, OpenMenuBarItemIsATabWithAShadowStrip)
{
    QStyleOptionMenuItem option = PopupItem(QStringLiteral("&Job"));
    option.rect = QRect(0, 0, 40, 20);
    option.state |= QStyle::State_Selected | QStyle::State_Sunken;
    const QImage open = Paint(option, true);
    EXPECT_EQ(Rgb(open, 0, 0), kDarkShadow);
    EXPECT_EQ(Rgb(open, 35, 19), kDarkShadow);
    EXPECT_EQ(Rgb(open, 1, 1), kGutter);
    // The strip: face colour, darkened from row 4 on.
    EXPECT_EQ(Rgb(open, 36, 3), kFace);
    EXPECT_EQ(Rgb(open, 39, 5), kFace);               // outermost column starts at row 6
    EXPECT_EQ(Rgb(open, 39, 6), Percent(kFace, 93));  // p 2, d 0: step 0
    EXPECT_EQ(Rgb(open, 39, 19), Percent(kFace, 93));
    EXPECT_EQ(Rgb(open, 36, 4), Percent(kFace, 93));   // p 0
    EXPECT_EQ(Rgb(open, 36, 5), Percent(kFace, 88));   // p 1, d 3: step 1
    EXPECT_EQ(Rgb(open, 36, 6), Percent(kFace, 83));   // p 2: step 2
    EXPECT_EQ(Rgb(open, 36, 7), Percent(kFace, 78));   // p 3: step d = 3
    EXPECT_EQ(Rgb(open, 37, 19), Percent(kFace, 83));  // d 2
}

TEST(DrawMenuItemTest, EveryDrawnItemIsCounted)
{
    const quint8 before = FlatMenu::MenuDrawCount();
    Paint(PopupItem(QStringLiteral("&Add")));
    Paint(PopupItem(QStringLiteral("&Add")));
    EXPECT_EQ(quint8(FlatMenu::MenuDrawCount() - before), 2);
}
