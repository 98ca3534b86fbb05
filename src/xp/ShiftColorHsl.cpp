#include "xp/ShiftColorHsl.h"

#include "xp/CHslColor.h"

#include <algorithm>

namespace {

struct HslBytes {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};

HslBytes ToHslBytes(const QColor& colour)
{
    const int red = colour.red();
    const int green = colour.green();
    const int blue = colour.blue();
    const int max = std::max({red, green, blue});
    const int min = std::min({red, green, blue});
    const double lightness = double(max + min) / 510;
    double saturation = 0;
    double hue = 0;
    if (max != min) {
        const double range = max - min;
        saturation = lightness <= 0.5 ? range / (max + min) : range / (510 - max - min);
        if (blue == max)
            hue = 60 * (4 + (red - green) / range);
        else if (green == max)
            hue = 60 * (2 + (blue - red) / range);
        else
            hue = 60 * ((green - blue) / range + 6);
        if (hue > 360)
            hue -= 360;
    }
    return {int(hue * 255 / 360), int(saturation * 255), int(lightness * 255)};
}

int ChannelByte(double level)
{
    return std::clamp(int(level * 255), 0, 255);
}

QColor FromHslBytes(const HslBytes& hsl)
{
    if (hsl.saturation == 0)
        return QColor(hsl.lightness, hsl.lightness, hsl.lightness);
    const double lightness = hsl.lightness / 255.0;
    const double saturation = hsl.saturation / 255.0;
    const double hue = hsl.hue * 360.0 / 255;
    const double m2 = lightness <= 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    const double m1 = 2 * lightness - m2;
    return QColor(ChannelByte(CHslColor::HueChannel(m1, m2, hue + 120)),
                  ChannelByte(CHslColor::HueChannel(m1, m2, hue)),
                  ChannelByte(CHslColor::HueChannel(m1, m2, hue - 120)));
}

} // namespace

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
