// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/GreyImageCopy.h"

namespace {

constexpr int kMinimumDepth = 24;

}  // namespace

std::optional<QImage> GreyImageCopy(const QImage& image)
{
    if (image.isNull() || image.depth() < kMinimumDepth)
        return std::nullopt;
    QImage copy = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
        }
    }
    return copy;
}
