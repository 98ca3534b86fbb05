// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatPopupMenu.h"

#include "xp/MenuColors.h"
#include "xp/MenuShadow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScreen>

namespace {

// One-pixel lines along the inside of `rect`.
void Outline(QPainter& painter, const QRect& rect, const QColor& colour)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

}  // namespace

FlatPopupMenu::FlatPopupMenu(QMenu* window) : m_window(window)
{
}

bool FlatPopupMenu::TakeSnapshot(const QRect& area)
{
    m_snapshot = QImage();
    if (area.isEmpty())
        return false;
    QScreen* screen = QGuiApplication::screenAt(area.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QPoint origin = screen->geometry().topLeft();
    const QPixmap shot
        = screen->grabWindow(0, area.x() - origin.x(), area.y() - origin.y(), area.width(), area.height());
    if (shot.isNull())
        return false;
    QImage image = shot.toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != area.size())
        image = image.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image.setDevicePixelRatio(1.0);
    m_snapshot = image;
    return true;
}

void FlatPopupMenu::PaintFrameLines(QPainter& painter, const QRect& frame, const MenuColors& colours)
{
    Outline(painter, frame, colours.DarkShadow());
    Outline(painter, frame.adjusted(1, 1, -1, -1), colours.TextArea());
    Outline(painter, frame.adjusted(2, 2, -2, -2), colours.TextArea());
}

std::optional<std::pair<int, int>> FlatPopupMenu::JoinSpan(const QRect& openBarItem, const QPoint& position,
                                                           int frameWidth)
{
    if (openBarItem.isEmpty() || openBarItem.y() + openBarItem.height() != position.y() + 1)
        return std::nullopt;
    const int first = std::max(openBarItem.x() - position.x() + 1, 1);
    const int end = std::min(openBarItem.x() + openBarItem.width() - position.x() - 1, frameWidth - 1);
    if (end <= first)
        return std::nullopt;
    return std::make_pair(first, end);
}

QImage FlatPopupMenu::ShadowImage(const QSize& size, const QImage& background)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (!background.isNull()) {
        QPainter copy(&image);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(0, 0, background);
    }
    for (const MenuShadow::Pixel& pixel : MenuShadow::PopupBandPixels(size.width(), size.height())) {
        if (background.isNull()) {
            image.setPixelColor(pixel.x, pixel.y, QColor(0, 0, 0, MenuShadow::ShadowAlpha(pixel.step)));
        } else {
            image.setPixelColor(pixel.x, pixel.y, MenuShadow::Darken(image.pixelColor(pixel.x, pixel.y), pixel.step));
        }
    }
    return image;
}

void FlatPopupMenu::PaintFrame(QPainter& painter, const QSize& size, const QRect& openBarItem, bool withShadow,
                               bool joinAllowed, bool translucent)
{
    m_lastPainted = QRect(QPoint(0, 0), size);
    const MenuColors colours(m_window ? m_window->palette() : QApplication::palette());
    const int inset = withShadow ? MenuShadow::kWidth : 0;
    const QRect frame(0, 0, size.width() - inset, size.height() - inset);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintFrameLines(painter, frame, colours);
    if (joinAllowed) {
        if (const auto span = JoinSpan(openBarItem, m_position, frame.width()))
            painter.fillRect(QRect(span->first, 0, span->second - span->first, 1), colours.Gutter());
    }
    if (withShadow) {
        QImage background;
        if (!translucent) {
            background = m_snapshot;
            if (background.isNull()) {
                // Nothing could be read from the screen: shade the window colour.
                background = QImage(size, QImage::Format_ARGB32);
                background.fill(colours.ButtonFace());
            }
        }
        painter.setClipRegion(QRegion(0, 0, size.width(), size.height()) - QRegion(frame), Qt::IntersectClip);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, ShadowImage(size, background));
    }
    painter.restore();
}
