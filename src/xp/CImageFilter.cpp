// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CImageFilter.h"

#include <algorithm>
#include <cstring>

CImageFilter::~CImageFilter() = default;

QSize CImageFilter::OutputSize(QSize input) const
{
    return input;
}

bool CImageFilter::Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                         int destinationWidth, int destinationHeight) const
{
    if (!source || !destination || sourceWidth < 0 || sourceHeight < 0 || destinationWidth < 0 || destinationHeight < 0)
        return false;
    const int width = std::min(sourceWidth, destinationWidth);
    const int height = std::min(sourceHeight, destinationHeight);
    for (int y = 0; y < height; ++y) {
        std::memcpy(destination + std::size_t(y) * std::size_t(destinationWidth),
                    source + std::size_t(y) * std::size_t(sourceWidth), std::size_t(width) * sizeof(quint32));
    }
    return true;
}

void CImageFilter::SetKeyColour(const QColor& key)
{
    m_hasKey = true;
    m_keyRed = quint8(key.red());
    m_keyGreen = quint8(key.green());
    m_keyBlue = quint8(key.blue());
}

void CImageFilter::ClearKeyColour()
{
    m_hasKey = false;
}

bool CImageFilter::IsKeyPixel(quint32 pixel) const
{
    return m_hasKey && RedOf(pixel) == m_keyRed && GreenOf(pixel) == m_keyGreen && BlueOf(pixel) == m_keyBlue;
}

bool CImageFilter::SameSize(int sourceWidth, int sourceHeight, int destinationWidth, int destinationHeight)
{
    return sourceWidth >= 0 && sourceHeight >= 0 && sourceWidth == destinationWidth
        && sourceHeight == destinationHeight;
}
