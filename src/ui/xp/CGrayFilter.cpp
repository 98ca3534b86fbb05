#include "ui/xp/CGrayFilter.h"

#include <cstddef>

int CGrayFilter::GreyOf(quint32 pixel)
{
    return (6 * GreenOf(pixel) + 3 * RedOf(pixel) + BlueOf(pixel)) / 10;
}

bool CGrayFilter::Apply(const quint32* source, int sourceWidth, int sourceHeight, quint32* destination,
                        int destinationWidth, int destinationHeight) const
{
    if (!source || !destination || !SameSize(sourceWidth, sourceHeight, destinationWidth, destinationHeight))
        return false;
    const std::size_t count = std::size_t(sourceWidth) * std::size_t(sourceHeight);
    for (std::size_t i = 0; i < count; ++i) {
        const quint32 pixel = source[i];
        if (IsKeyPixel(pixel)) {
            destination[i] = pixel;
            continue;
        }
        const int grey = GreyOf(pixel);
        destination[i] = MakePixel(grey, grey, grey);
    }
    return true;
}
