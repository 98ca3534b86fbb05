// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/CImageFilter.h"

// Turns every pixel but the key pixels grey: (6 green + 3 red + blue) / 10.
class CGrayFilter : public CImageFilter {
public:
    bool Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination, int destinationWidth,
               int destinationHeight) const override;

    // The grey level of one pixel.
    static int GreyOf(quint32 pixel);
};
