// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CLightnessFilter.h"

#include "xp/CHslColor.h"

#include <algorithm>
#include <cstddef>

quint32 CLightnessFilter::ShiftPixel(quint32 pixel, quint32 destination) const
{
    CHslColor colour(quint8(RedOf(pixel)), quint8(GreenOf(pixel)), quint8(BlueOf(pixel)));
    const float lightness = colour.Lightness();
    if (m_delta > 0 && lightness < 1)
        colour.SetLightness(std::min(lightness + m_delta, 1.0f));
    else if (m_delta < 0 && lightness > 0)
        colour.SetLightness(std::max(lightness + m_delta, 0.0f));
    return MakePixel(colour.Red(), colour.Green(), colour.Blue(), int(destination >> 24));
}

bool CLightnessFilter::Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                             int destinationWidth, int destinationHeight) const
{
    return ApplyToEachPixel(source, sourceWidth, sourceHeight, destination, destinationWidth, destinationHeight,
                            [this](quint32 pixel, quint32 previous) { return ShiftPixel(pixel, previous); });
}
