#include "base/ImageStrip.h"

#include <QBitmap>
#include <QImage>

QList<QPixmap> ImageStrip::Load(const QString& path, int size)
{
    return Split(QImage(path), size);
}

QList<QPixmap> ImageStrip::Split(const QImage& strip, int size)
{
    QList<QPixmap> images;
    if (strip.isNull() || size <= 0 || strip.height() < size)
        return images;
    for (int x = 0; x + size <= strip.width(); x += size) {
        QPixmap image = QPixmap::fromImage(strip.copy(x, 0, size, size));
        image.setMask(image.createMaskFromColor(TransparentColour(), Qt::MaskInColor));
        images.append(image);
    }
    return images;
}
