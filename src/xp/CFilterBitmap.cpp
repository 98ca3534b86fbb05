// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CFilterBitmap.h"

#include <utility>

CFilterBitmap::CFilterBitmap(QImage image, QRgb fillColour) : m_image(std::move(image)), m_fillColour(fillColour)
{
}

bool CFilterBitmap::Load(const QString& path)
{
    m_image = QImage(path);
    return HasBitmap();
}

quint32 CFilterBitmap::FillPixel() const
{
    const QRgb rgb = m_fillColour & 0xFFFFFF;
    if (rgb == kBlack)
        return 0;
    if (rgb == kWhite)
        return 0xFFFFFFFF;
    return rgb;
}
