// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CGrayFilter.h"

#include <cstddef>

int CGrayFilter::GreyOf(quint32 pixel)
{
    return (6 * GreenOf(pixel) + 3 * RedOf(pixel) + BlueOf(pixel)) / 10;
}

bool CGrayFilter::Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                        int destinationWidth, int destinationHeight) const
{
    return ApplyToEachPixel(source, sourceWidth, sourceHeight, destination, destinationWidth, destinationHeight,
                            [](quint32 pixel, quint32) {
                                const int grey = GreyOf(pixel);
                                return MakePixel(grey, grey, grey);
                            });
}
