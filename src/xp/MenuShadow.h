// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

// The soft four-pixel shadow of popups and of the open menu-bar item. A
// shadow pixel keeps (93 - 5 a) % of each colour byte, where the shade step
// a grows with the pixel's depth d (0 for the outermost row or column, 3
// for the one next to the menu) once it is a few pixels into its band
// (position p from the band's start), which rounds the band's ends.
class MenuShadow {
public:
    static constexpr int kWidth = 4;

    struct Pixel {
        int x = 0;
        int y = 0;
        int step = 0;
        bool operator==(const Pixel& other) const = default;
    };

    // The shade step for position `p` and depth `d`.
    static int ShadeStep(int position, int depth);
    // The percentage of the background a pixel of `step` keeps.
    static int RemainingPercent(int step);
    // `colour` darkened by `step` (each byte truncated).
    static QColor Darken(const QColor& colour, int step);
    // The alpha of black that darkens by `step` when laid over a background.
    static int ShadowAlpha(int step);

    // The strip right of an open menu-bar item `item` (right edge
    // exclusive): columns right - 1 - k of depth k, from top + 4 + max(2 - k,
    // 0) down to the item's last row.
    static QList<Pixel> MenuBarStripPixels(const QRect& item);

    // The right and bottom bands of a popup window of `width` x `height`.
    // Pixels outside the window are left out.
    static QList<Pixel> PopupBandPixels(int width, int height);

    // Darkens `pixels` of `image` in place; pixels outside it are skipped.
    static void DarkenPixels(QImage& image, const QList<Pixel>& pixels);
};
