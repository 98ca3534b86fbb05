// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/ShiftColorHsl.h"

#include "xp/CHslColor.h"

namespace {

// The shift works on HSL held in bytes (0..255 each), as the menu colours
// were always computed; the rounding to bytes is part of the result.
struct HslBytes {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

HslBytes ToHslBytes(const QColor& colour)
{
    const CHslColor::Hsl hsl = CHslColor::ToHsl(colour.red(), colour.green(), colour.blue());
    return {int(hsl.hue * 255 / 360), int(hsl.saturation * 255), int(hsl.lightness * 255)};
}

QColor FromHslBytes(const HslBytes& hsl)
{
    // A grey keeps its byte exactly, without a round trip through 0..1.
    if (hsl.saturation == 0)
        return QColor(hsl.lightness, hsl.lightness, hsl.lightness);
    return CHslColor::FromHsl({hsl.hue * 360.0 / 255, hsl.saturation / 255.0, hsl.lightness / 255.0});
}

}  // namespace

int ShiftHslByte(int value, int percent)
{
    if (percent > 0)
        return value + (255 - value) * percent / 100;
    if (percent < 0)
        return value * (100 + percent) / 100;
    return value;
}

QColor ShiftColorHsl(const QColor& colour, int lightnessPercent, int saturationPercent)
{
    HslBytes hsl = ToHslBytes(colour);
    hsl.lightness = ShiftHslByte(hsl.lightness, lightnessPercent);
    hsl.saturation = ShiftHslByte(hsl.saturation, saturationPercent);
    return FromHslBytes(hsl);
}
