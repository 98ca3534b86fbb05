// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CHslColor.h"

#include <algorithm>

namespace {

// A level from 0 to 1 as a byte, truncated.
quint8 ToByte(double level)
{
    return quint8(std::clamp(int(level * 255), 0, 255));
}

}  // namespace

CHslColor::CHslColor(const QColor& colour)
    : CHslColor(quint8(colour.red()), quint8(colour.green()), quint8(colour.blue()))
{
}

CHslColor::CHslColor(quint8 red, quint8 green, quint8 blue) : m_red(red), m_green(green), m_blue(blue)
{
}

quint8 CHslColor::Red()
{
    MakeRgbCurrent();
    return m_red;
}

quint8 CHslColor::Green()
{
    MakeRgbCurrent();
    return m_green;
}

quint8 CHslColor::Blue()
{
    MakeRgbCurrent();
    return m_blue;
}

float CHslColor::Hue()
{
    MakeHslCurrent();
    return m_hue;
}

float CHslColor::Saturation()
{
    MakeHslCurrent();
    return m_saturation;
}

float CHslColor::Lightness()
{
    MakeHslCurrent();
    return m_lightness;
}

void CHslColor::SetLightness(float lightness)
{
    MakeHslCurrent();
    m_lightness = lightness;
    m_rgbValid = false;
}

double CHslColor::HueChannel(double m1, double m2, double angle)
{
    if (angle > 360)
        angle -= 360;
    else if (angle < 0)
        angle += 360;
    if (angle < 60)
        return m1 + (m2 - m1) * angle / 60;
    if (angle < 180)
        return m2;
    if (angle < 240)
        return m1 + (m2 - m1) * (240 - angle) / 60;
    return m1;
}

CHslColor::Hsl CHslColor::ToHsl(int red, int green, int blue)
{
    const int max = std::max({red, green, blue});
    const int min = std::min({red, green, blue});
    const double lightness = double(max + min) / 510;
    double saturation = 0;
    double hue = 0;
    if (max != min) {
        const double range = max - min;
        saturation = lightness <= 0.5 ? range / (max + min) : range / (510 - max - min);
        // Blue wins over green, green over red when two share the maximum.
        hue = 60 * ((green - blue) / range + 6);
        if (green == max)
            hue = 60 * (2 + (blue - red) / range);
        if (blue == max)
            hue = 60 * (4 + (red - green) / range);
        if (hue > 360)
            hue -= 360;
    }
    return {hue, saturation, lightness};
}

QColor CHslColor::FromHsl(const Hsl& hsl)
{
    if (hsl.saturation == 0) {
        const quint8 grey = ToByte(hsl.lightness);
        return QColor(grey, grey, grey);
    }
    const double m2 = hsl.lightness <= 0.5 ? hsl.lightness * (1 + hsl.saturation)
                                           : hsl.lightness + hsl.saturation - hsl.lightness * hsl.saturation;
    const double m1 = 2 * hsl.lightness - m2;
    return QColor(ToByte(HueChannel(m1, m2, hsl.hue + 120)), ToByte(HueChannel(m1, m2, hsl.hue)),
                  ToByte(HueChannel(m1, m2, hsl.hue - 120)));
}

void CHslColor::MakeHslCurrent()
{
    if (m_hslValid)
        return;
    const Hsl hsl = ToHsl(m_red, m_green, m_blue);
    m_hue = float(hsl.hue);
    m_saturation = float(hsl.saturation);
    m_lightness = float(hsl.lightness);
    m_hslValid = true;
}

void CHslColor::MakeRgbCurrent()
{
    if (m_rgbValid)
        return;
    const QColor colour = FromHsl({m_hue, m_saturation, m_lightness});
    m_red = quint8(colour.red());
    m_green = quint8(colour.green());
    m_blue = quint8(colour.blue());
    m_rgbValid = true;
}
