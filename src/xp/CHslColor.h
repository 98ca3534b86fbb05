// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

// One colour kept in two forms, RGB bytes and hue/saturation/lightness,
// each converted from the other only when it is asked for.
class CHslColor {
public:
    explicit CHslColor(const QColor& colour);
    CHslColor(quint8 red, quint8 green, quint8 blue);

    // The RGB form; each getter brings it up to date first.
    quint8 Red();
    quint8 Green();
    quint8 Blue();

    // The HSL form: hue in degrees (0 up to 360), saturation and lightness
    // from 0 to 1.
    float Hue();
    float Saturation();
    float Lightness();
    // Stores a new lightness; the RGB form follows on the next read.
    void SetLightness(float lightness);

    // The conversions both forms use: hue in degrees, saturation and
    // lightness from 0 to 1; RGB bytes truncated.
    struct Hsl {
        double hue = 0;
        double saturation = 0;
        double lightness = 0;
    };
    static Hsl ToHsl(int red, int green, int blue);
    static QColor FromHsl(const Hsl& hsl);

    // One channel of the HSL to RGB conversion: the value (0..1) at
    // `angle` degrees between the levels m1 and m2. The angle is wrapped
    // into 0..360 first.
    static double HueChannel(double m1, double m2, double angle);

private:
    void MakeHslCurrent();
    void MakeRgbCurrent();

    quint8 m_red = 0;
    quint8 m_green = 0;
    quint8 m_blue = 0;
    float m_hue = 0;
    float m_saturation = 0;
    float m_lightness = 0;
    bool m_rgbValid = true;
    bool m_hslValid = false;
};
