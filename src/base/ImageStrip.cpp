// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ImageStrip.h"

#include <QBitmap>
#include <QImage>

QList<QPixmap> ImageStrip::Load(const QString& path, int size)
{
    return Split(QImage(path), size);
}

QList<QPixmap> ImageStrip::Split(const QImage& strip, int size, const QColor& maskColour)
{
    QList<QPixmap> images;
    if (strip.isNull() || size <= 0 || strip.height() < size)
        return images;
    // One pixel format, so the key colour compares equal whatever the file held.
    const QImage rgb = strip.convertToFormat(QImage::Format_RGB32);
    for (int x = 0; x + size <= rgb.width(); x += size) {
        const QImage cell = rgb.copy(x, 0, size, size);
        QPixmap image = QPixmap::fromImage(cell);
        image.setMask(QBitmap::fromImage(cell.createMaskFromColor(maskColour.rgb(), Qt::MaskInColor)));
        images.append(image);
    }
    return images;
}
