// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MemoryDC.h"

#include "xp/MenuShadow.h"

#include <QPaintDevice>

#include <cmath>

MemoryDC::MemoryDC(QPainter* target, const QRect& rect) : m_target(target), m_rect(TargetRect(target, rect))
{
    const qreal ratio = target && target->device() ? target->device()->devicePixelRatioF() : 1.0;
    const QSize pixels(int(std::ceil(m_rect.width() * ratio)), int(std::ceil(m_rect.height() * ratio)));
    m_image = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(Qt::transparent);
    m_painter.begin(&m_image);
    m_painter.translate(-m_rect.topLeft());
    if (target) {
        m_painter.setFont(target->font());
        m_painter.setPen(target->pen());
    }
}

MemoryDC::~MemoryDC()
{
    m_painter.end();
    if (m_target && !m_rect.isEmpty())
        m_target->drawImage(m_rect.topLeft(), m_image);
}

QRect MemoryDC::TargetRect(QPainter* target, const QRect& rect)
{
    if (!rect.isEmpty() || !target)
        return rect;
    if (target->hasClipping())
        return target->clipBoundingRect().toAlignedRect();
    const QPaintDevice* device = target->device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

void MemoryDC::DarkenPixel(int x, int y, int step)
{
    const qreal ratio = m_image.devicePixelRatio();
    const int left = int(std::floor((x - m_rect.x()) * ratio));
    const int top = int(std::floor((y - m_rect.y()) * ratio));
    const int right = int(std::floor((x + 1 - m_rect.x()) * ratio));
    const int bottom = int(std::floor((y + 1 - m_rect.y()) * ratio));
    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
            if (m_image.valid(px, py))
                m_image.setPixelColor(px, py, MenuShadow::Darken(m_image.pixelColor(px, py), step));
        }
    }
}
