// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <optional>
#include <utility>

class MenuColors;
class QPainter;

// The decoration record of one popup window while it shows: where it
// stands on the screen and the snapshot of the screen under it, taken
// before it appears. It paints the popup's frame: a dark one-pixel outline,
// two light inner lines, the join line under the open menu-bar item for the
// drop-down of that item, and the right and bottom shadow bands.
class FlatPopupMenu {
public:
    static constexpr int kUnknownPosition = -65535;

    explicit FlatPopupMenu(QMenu* window);
    FlatPopupMenu(const FlatPopupMenu&) = delete;
    FlatPopupMenu& operator=(const FlatPopupMenu&) = delete;

    QMenu* Window() const { return m_window; }

    // Screen position of the window as last seen.
    QPoint Position() const { return m_position; }
    void SetPosition(const QPoint& position) { m_position = position; }

    // The screen under the popup and its shadow (`area`, in screen
    // coordinates); false when the screen cannot be read.
    bool TakeSnapshot(const QRect& area);
    void SetSnapshot(const QImage& snapshot) { m_snapshot = snapshot; }
    const QImage& Snapshot() const { return m_snapshot; }

    // Window rectangle (at 0, 0) of the last frame painting.
    const QRect& LastPaintedRect() const { return m_lastPainted; }

    // Paints the frame of a popup of `size` at Position(). `withShadow`:
    // the popup is enlarged and gets shadow bands. `joinAllowed`: its items
    // are drawn flat, so it may join the open menu-bar item. `translucent`:
    // the window can show translucent pixels; the shadow is translucent
    // black instead of the darkened snapshot.
    void PaintFrame(QPainter& painter, const QSize& size, const QRect& openBarItem, bool withShadow, bool joinAllowed,
                    bool translucent);

    // The outline and the two inner lines of `frame` (right and bottom
    // edges inside it).
    static void PaintFrameLines(QPainter& painter, const QRect& frame, const MenuColors& colours);

    // The join line on row 0 of a popup at `position` whose frame is
    // `frameWidth` wide: from the first to the last column inside the open
    // menu-bar item's tab (end exclusive), when the popup hangs right under
    // that tab (its top one pixel above the tab's bottom edge).
    static std::optional<std::pair<int, int>> JoinSpan(const QRect& openBarItem, const QPoint& position,
                                                       int frameWidth);

    // The pixels right and below the frame of a popup of `size`: the
    // `background` (the snapshot; null for a translucent window) with the
    // shadow bands darkened into it.
    static QImage ShadowImage(const QSize& size, const QImage& background);

private:
    QPointer<QMenu> m_window;
    QRect m_lastPainted;
    QPoint m_position{kUnknownPosition, kUnknownPosition};
    QImage m_snapshot;
};
