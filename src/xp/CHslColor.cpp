#include "xp/CHslColor.h"

#include <algorithm>

namespace {

// A level from 0 to 1 as a byte, truncated.
quint8 ToByte(double level)
{
    return quint8(std::clamp(int(level * 255), 0, 255));
}

} // namespace

CHslColor::CHslColor(const QColor& colour)
    : CHslColor(quint8(colour.red()), quint8(colour.green()), quint8(colour.blue()))
{
}

CHslColor::CHslColor(quint8 red, quint8 green, quint8 blue)
    : m_red(red)
    , m_green(green)
    , m_blue(blue)
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

void CHslColor::MakeHslCurrent()
{
    if (m_hslValid)
        return;
    const int red = m_red;
    const int green = m_green;
    const int blue = m_blue;
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
    m_hue = float(hue);
    m_saturation = float(saturation);
    m_lightness = float(lightness);
    m_hslValid = true;
}

void CHslColor::MakeRgbCurrent()
{
    if (m_rgbValid)
        return;
    const double lightness = m_lightness;
    const double saturation = m_saturation;
    if (saturation == 0) {
        m_red = m_green = m_blue = ToByte(lightness);
    } else {
        const double m2 = lightness <= 0.5 ? lightness * (1 + saturation)
                                           : lightness + saturation - lightness * saturation;
        const double m1 = 2 * lightness - m2;
        const double hue = m_hue;
        m_red = ToByte(HueChannel(m1, m2, hue + 120));
        m_green = ToByte(HueChannel(m1, m2, hue));
        m_blue = ToByte(HueChannel(m1, m2, hue - 120));
    }
    m_rgbValid = true;
}
