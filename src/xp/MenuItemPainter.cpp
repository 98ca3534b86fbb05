// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuItemPainter.h"

#include "xp/FlatMenuItem.h"
#include "xp/GreyImageCopy.h"
#include "xp/MemoryDC.h"
#include "xp/MenuShadow.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

// Outlines `rect` with one-pixel lines and fills its inside.
void FrameAndFill(QPainter& painter, const QRect& rect, const QColor& border, const QColor& fill)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect, border);
    painter.fillRect(rect.adjusted(1, 1, -1, -1), fill);
}

// Right and bottom edges of a rectangle, exclusive.
int RightOf(const QRect& rect)
{
    return rect.x() + rect.width();
}

int BottomOf(const QRect& rect)
{
    return rect.y() + rect.height();
}

// The rectangle from (left, top) up to, not including, (right, bottom).
QRect Box(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// The check mark: a tick seven pixels wide, three pixels thick.
constexpr std::array<int, 7> kTickRows{2, 3, 4, 3, 2, 1, 0};
constexpr int kTickThickness = 3;

}  // namespace

MenuItemPainter::MenuItemPainter(MemoryDC& surface, const MenuColors& colours, const QFont& font)
    : m_surface(surface), m_colours(colours), m_font(font)
{
}

QFont MenuItemPainter::ItemFont(const QFont& font, bool defaultItem)
{
    QFont itemFont = font;
    if (defaultItem)
        itemFont.setWeight(QFont::Bold);
    else if (font.bold())
        itemFont.setWeight(QFont::Normal);
    return itemFont;
}

bool MenuItemPainter::Paint(const FlatMenuItem& item, const QRect& rect, const State& state)
{
    m_openTab = QRect();
    QPainter& painter = m_surface.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintBackground(item, rect, state);
    const bool openBarItem = state.menuBar && state.selected;

    if (item.IsSeparator() && !state.menuBar) {
        const int y = (rect.y() + BottomOf(rect)) / 2;
        const int left = rect.x() + kLabelX;
        const int right = RightOf(rect) - 1;
        if (right > left)
            painter.fillRect(QRect(left, y, right - left, 1), m_colours.Separator());
    } else if (item.LabelLength() > 0) {
        if (state.menuBar) {
            PaintMenuBarText(item, rect, state);
        } else {
            PaintPopupText(item, rect, state);
        }
    }
    painter.restore();
    return openBarItem;
}

void MenuItemPainter::PaintBackground(const FlatMenuItem& item, const QRect& rect, const State& state)
{
    QPainter& painter = m_surface.Painter();
    const int left = rect.x();
    const int top = rect.y();
    const int right = RightOf(rect);
    const int bottom = BottomOf(rect);
    const bool highlighted = (state.selected && !state.menuBar) || (state.hot && !state.inactive);

    if (state.menuBar && state.selected) {
        m_openTab = Box(left, top, right - MenuShadow::kWidth, bottom);
        FrameAndFill(painter, m_openTab, m_colours.DarkShadow(), m_colours.Gutter());
        painter.fillRect(Box(right - MenuShadow::kWidth, top, right, bottom), m_colours.ButtonFace());
        PaintShadowStrip(rect);
        return;
    }
    if (highlighted) {
        const QColor fill = item.IsDisabled() ? m_colours.DisabledFill() : m_colours.HighlightFill();
        if (state.menuBar) {
            FrameAndFill(painter, Box(left, top, right - MenuShadow::kWidth, bottom), m_colours.Highlight(), fill);
            painter.fillRect(Box(right - MenuShadow::kWidth, top, right, bottom), m_colours.ButtonFace());
        } else {
            FrameAndFill(painter, rect, m_colours.Highlight(), fill);
        }
        return;
    }
    if (state.menuBar) {
        painter.fillRect(rect, m_colours.ButtonFace());
        return;
    }
    painter.fillRect(Box(left, top, left + kGutterWidth, bottom), m_colours.Gutter());
    painter.fillRect(Box(left + kGutterWidth, top, right, bottom), m_colours.TextArea());
}

void MenuItemPainter::PaintShadowStrip(const QRect& rect)
{
    for (const MenuShadow::Pixel& pixel : MenuShadow::MenuBarStripPixels(rect))
        m_surface.DarkenPixel(pixel.x, pixel.y, pixel.step);
}

QColor MenuItemPainter::TextColour(const FlatMenuItem& item, const State& state) const
{
    if (state.inactive)
        return m_colours.ButtonShadow();
    if (item.IsDisabled())
        return m_colours.Separator();
    return m_colours.MenuText();
}

void MenuItemPainter::PaintMenuBarText(const FlatMenuItem& item, const QRect& rect, const State& state)
{
    QPainter& painter = m_surface.Painter();
    painter.setFont(m_font);
    painter.setPen(TextColour(item, state));
    const int flags
        = Qt::AlignCenter | Qt::TextSingleLine | (state.hidePrefix ? Qt::TextHideMnemonic : Qt::TextShowMnemonic);
    painter.drawText(Box(rect.x(), rect.y(), RightOf(rect) - MenuShadow::kWidth, BottomOf(rect)), flags, item.Label());
}

void MenuItemPainter::PaintPopupText(const FlatMenuItem& item, const QRect& rect, const State& state)
{
    QPainter& painter = m_surface.Painter();
    const QColor textColour = TextColour(item, state);
    painter.setFont(ItemFont(m_font, item.IsDefault()));
    painter.setPen(textColour);
    const int left = rect.x();
    const int right = RightOf(rect);
    const int labelFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine
        | (state.hidePrefix ? Qt::TextHideMnemonic : Qt::TextShowMnemonic);
    painter.drawText(Box(left + kLabelX, rect.y(), right, BottomOf(rect)), labelFlags, item.Label());
    const QString shortcut = item.Shortcut();
    if (!shortcut.isEmpty()) {
        painter.drawText(Box(left, rect.y(), right - kShortcutRightMargin, BottomOf(rect)),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, shortcut);
    }
    if (item.HasSubmenu())
        PaintSubmenuArrow(rect, textColour);

    QColor checkColour;
    if (item.IsChecked())
        checkColour = PaintCheckBox(item, rect, state.selected);
    if (item.HasImage())
        PaintImage(item, rect, state.selected);
    else if (item.IsChecked())
        PaintCheckMark(item, rect, checkColour);
}

QColor MenuItemPainter::PaintCheckBox(const FlatMenuItem& item, const QRect& rect, bool selected)
{
    QColor fill = m_colours.HighlightFill();
    if (item.IsDisabled())
        fill = m_colours.DisabledFill();
    else if (selected)
        fill = m_colours.SelectedCheckFill();
    FrameAndFill(m_surface.Painter(), Box(rect.x() + 1, rect.y() + 1, rect.x() + 20, BottomOf(rect) - 1),
                 m_colours.Highlight(), fill);
    return fill;
}

void MenuItemPainter::PaintImage(const FlatMenuItem& item, const QRect& rect, bool selected)
{
    QPainter& painter = m_surface.Painter();
    const QPixmap pixmap = item.Image().pixmap(QSize(kImageSize, kImageSize), painter.device()->devicePixelRatioF());
    if (pixmap.isNull())
        return;
    const QImage image = pixmap.toImage();
    const bool raised = selected && !item.IsChecked() && !item.IsDisabled();
    const QRectF target(0, 0, kImageSize, kImageSize);

    if (item.IsDisabled() || (selected && !item.IsChecked())) {
        const int d = raised ? 4 : 3;
        const QRectF place = target.translated(rect.x() + d, rect.y() + d);
        if (const std::optional<QImage> grey = GreyImageCopy(image)) {
            painter.drawImage(place, *grey);
        } else {
            // A monochrome silhouette in one colour where the image is opaque.
            QImage silhouette = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter tint(&silhouette);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(silhouette.rect(), raised ? m_colours.ImageShadow() : m_colours.DisabledImage());
            tint.end();
            painter.drawImage(place, silhouette);
        }
    }
    if (!item.IsDisabled()) {
        const int e = raised ? 2 : 3;
        painter.drawImage(target.translated(rect.x() + e, rect.y() + e), image);
    }
}

void MenuItemPainter::PaintCheckMark(const FlatMenuItem& item, const QRect& rect, const QColor& checkColour)
{
    QPainter& painter = m_surface.Painter();
    // The mark's box in the gutter.
    const int boxLeft = rect.x() + 5;
    const int boxRight = rect.x() + 20;
    const int cx = (boxLeft + boxRight) / 2;
    const int cy = (rect.y() + BottomOf(rect)) / 2;
    if (item.IsRadio()) {
        const QColor bullet = item.IsDisabled() ? m_colours.DisabledImage() : m_colours.MenuText();
        painter.setPen(bullet);
        painter.setBrush(bullet);
        painter.drawEllipse(Box(cx - 4, cy - 3, cx + 3, cy + 4).adjusted(0, 0, -1, -1));
        painter.fillRect(QRect(cx + 1, cy + 2, 1, 1), checkColour);
        return;
    }
    for (int column = 0; column < int(kTickRows.size()); ++column) {
        const int top = cy - 3 + kTickRows[std::size_t(column)];
        painter.fillRect(QRect(cx - 3 + column, top, 1, kTickThickness), m_colours.MenuText());
    }
}

void MenuItemPainter::PaintSubmenuArrow(const QRect& rect, const QColor& colour)
{
    // A small solid triangle pointing right, in the right margin.
    QPainter& painter = m_surface.Painter();
    const int x = RightOf(rect) - 10;
    const int cy = (rect.y() + BottomOf(rect)) / 2;
    for (int column = 0; column < 4; ++column) {
        const int half = 3 - column;
        painter.fillRect(QRect(x + column, cy - half, 1, 2 * half + 1), colour);
    }
}
