// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/CImageFilter.h"

// Moves the lightness of every pixel but the key pixels by a fixed amount,
// keeping hue and saturation; lightness stays within 0..1.
class CLightnessFilter : public CImageFilter {
public:
    explicit CLightnessFilter(float delta) : m_delta(delta) { }

    float Delta() const { return m_delta; }

    bool Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination, int destinationWidth,
               int destinationHeight) const override;

    // One pixel's new red, green and blue, written over the three low bytes
    // of `destination` (its fourth byte stays).
    quint32 ShiftPixel(quint32 pixel, quint32 destination) const;

private:
    float m_delta = 0;
};
