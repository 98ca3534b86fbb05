// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSize>
#include <QtGlobal>

#include <cstddef>

// One step of a per-pixel filter chain over 32-bit pixel buffers (top-down
// rows; each pixel holds blue, green and red in its three low bytes, the
// fourth byte above them). The base filter keeps the size and copies.
//
// A filter may have a key colour: pixels of exactly that colour are key
// pixels, which the derived filters copy unchanged, so a transparent
// background survives the chain.
class CImageFilter {
public:
    virtual ~CImageFilter();

    // The size the filter produces from an input of `input`.
    virtual QSize OutputSize(QSize input) const;
    // Filters `source` into `destination`; false on failure. The base
    // filter copies the pixels that both buffers hold.
    virtual bool Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                       int destinationWidth, int destinationHeight) const;

    void SetKeyColour(const QColor& key);
    void ClearKeyColour();
    bool HasKey() const { return m_hasKey; }
    bool IsKeyPixel(quint32 pixel) const;

    static int RedOf(quint32 pixel) { return int((pixel >> 16) & 0xFF); }
    static int GreenOf(quint32 pixel) { return int((pixel >> 8) & 0xFF); }
    static int BlueOf(quint32 pixel) { return int(pixel & 0xFF); }
    static quint32 MakePixel(int red, int green, int blue, int fourth = 0)
    {
        return (quint32(fourth) << 24) | (quint32(red) << 16) | (quint32(green) << 8) | quint32(blue);
    }

protected:
    // True when both buffers have the same size, which every filter here
    // needs.
    static bool SameSize(int sourceWidth, int sourceHeight, int destinationWidth, int destinationHeight);

    // The loop of the per-pixel filters: copies key pixels and writes
    // `rule(pixel, destinationPixel)` for every other one; false when a
    // buffer is missing or the sizes differ.
    template <typename PixelRule>
    bool ApplyToEachPixel(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                          int destinationWidth, int destinationHeight, PixelRule rule) const
    {
        if (!source || !destination || !SameSize(sourceWidth, sourceHeight, destinationWidth, destinationHeight))
            return false;
        const std::size_t count = std::size_t(sourceWidth) * std::size_t(sourceHeight);
        for (std::size_t i = 0; i < count; ++i) {
            const quint32 pixel = source[i];
            destination[i] = IsKeyPixel(pixel) ? pixel : rule(pixel, destination[i]);
        }
        return true;
    }

private:
    bool m_hasKey = false;
    quint8 m_keyRed = 0;
    quint8 m_keyGreen = 0;
    quint8 m_keyBlue = 0;
};
