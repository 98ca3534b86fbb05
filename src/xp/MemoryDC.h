// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

// An off-screen surface for one menu item: drawing goes into an image
// over `rect` (in the target's coordinates, so the item is drawn where it
// belongs) and the image is copied onto the target in one step when the
// surface goes, so items do not flicker. Drawing outside the rectangle has
// no effect on the target. An empty rectangle stands for the target's
// clip region, or its whole device when it does not clip.
class MemoryDC {
public:
    MemoryDC(QPainter* target, const QRect& rect);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    QPainter& Painter() { return m_painter; }
    // The surface's pixels; pixel (0, 0) is the rectangle's top left. The
    // image has the target's device pixel ratio.
    QImage& Image() { return m_image; }
    const QRect& Rect() const { return m_rect; }

    // Darkens the surface pixels under item coordinates (x, y) by the
    // shadow's shade `step`; nothing happens outside the surface.
    void DarkenPixel(int x, int y, int step);

private:
    static QRect TargetRect(QPainter* target, const QRect& rect);

    QPainter* m_target = nullptr;
    QRect m_rect;
    QImage m_image;
    QPainter m_painter;
};
