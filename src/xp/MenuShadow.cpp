// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuShadow.h"

#include <algorithm>

namespace {

constexpr int kBandStart = 4;
constexpr int kDeepestDepth = 3;

}  // namespace

int MenuShadow::ShadeStep(int position, int depth)
{
    if (position <= 0)
        return 0;
    if (position == 1)
        return depth >= 2 ? 1 : 0;
    if (position == 2)
        return depth >= 2 ? 2 : depth;
    return depth;
}

int MenuShadow::RemainingPercent(int step)
{
    return 93 - 5 * step;
}

QColor MenuShadow::Darken(const QColor& colour, int step)
{
    const int keep = RemainingPercent(step);
    return QColor(colour.red() * keep / 100, colour.green() * keep / 100, colour.blue() * keep / 100, colour.alpha());
}

int MenuShadow::ShadowAlpha(int step)
{
    return 255 * (100 - RemainingPercent(step)) / 100;
}

QList<MenuShadow::Pixel> MenuShadow::MenuBarStripPixels(const QRect& item)
{
    QList<Pixel> pixels;
    const int right = item.x() + item.width();
    const int bottom = item.y() + item.height();
    for (int depth = 0; depth < kWidth; ++depth) {
        const int x = right - 1 - depth;
        for (int y = item.y() + kBandStart + std::max(2 - depth, 0); y < bottom; ++y)
            pixels.append({x, y, ShadeStep(y - item.y() - kBandStart, depth)});
    }
    return pixels;
}

QList<MenuShadow::Pixel> MenuShadow::PopupBandPixels(int width, int height)
{
    QList<Pixel> pixels;
    const auto add = [&](int x, int y, int step) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels.append({x, y, step});
    };
    // Right band: column k counted from the right edge.
    for (int depth = 0; depth < kWidth; ++depth) {
        const int x = width - 1 - depth;
        const int end = depth == 0 ? height - 2 : height - 1 - depth;
        for (int y = kBandStart + std::max(2 - depth, 0); y < end; ++y)
            add(x, y, ShadeStep(y - kBandStart, depth));
    }
    // Bottom band: position i along it, rows of depth j counted from the
    // bottom edge; both ends are rounded.
    for (int i = 0; i < width - 1; ++i) {
        const int x = i + kBandStart;
        int first = 0;
        if (i < 2)
            first = 2 - i;
        else if (i > width - 7)
            first = i - width + 7;
        const int end = i > width - 8 ? std::min(kDeepestDepth + 1, width - i - 4) : kDeepestDepth + 1;
        for (int depth = first; depth < end; ++depth)
            add(x, height - 1 - depth, ShadeStep(i, depth));
    }
    return pixels;
}

void MenuShadow::DarkenPixels(QImage& image, const QList<Pixel>& pixels)
{
    for (const Pixel& pixel : pixels) {
        if (!image.valid(pixel.x, pixel.y))
            continue;
        const QColor colour = image.pixelColor(pixel.x, pixel.y);
        image.setPixelColor(pixel.x, pixel.y, Darken(colour, pixel.step));
    }
}
