// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>

// Shared pieces of the flat-decoration tests: a palette with the classic
// system colours, so every tint can be worked out by hand, and pixel helpers.

inline const QColor kFace(192, 192, 192);   // button face
inline const QColor kHighlight(0, 0, 128);  // highlight
inline const QColor kMenuText(0, 0, 0);     // menu text
inline const QColor kButtonShadow(128, 128, 128);
inline const QColor kDarkShadow(64, 64, 64);

// The tints of the face and highlight above (by the HSL byte rule).
inline const QColor kGutter(204, 204, 204);         // face +20 %
inline const QColor kTextArea(239, 239, 239);       // face +75 %
inline const QColor kHighlightFill(172, 172, 221);  // highlight +70 %, -57 %
inline const QColor kDisabledFill(237, 237, 237);   // face +73 %
inline const QColor kSelectedCheck(111, 111, 206);  // highlight +50 %, -50 %
inline const QColor kSeparator(157, 157, 157);      // face -18 %
inline const QColor kDisabledImage(140, 140, 140);  // face -27 %
inline const QColor kImageShadow(126, 126, 191);    // highlight +50 %, -66 %

inline QPalette ClassicPalette()
{
    QPalette palette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, kFace);
        palette.setColor(group, QPalette::Window, kFace);
        palette.setColor(group, QPalette::Highlight, kHighlight);
        palette.setColor(group, QPalette::WindowText, kMenuText);
        palette.setColor(group, QPalette::Mid, kButtonShadow);
        palette.setColor(group, QPalette::Shadow, kDarkShadow);
    }
    return palette;
}

inline QFont PixelFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    return font;
}

inline QColor Rgb(const QImage& image, int x, int y)
{
    const QColor colour = image.pixelColor(x, y);
    return QColor(colour.red(), colour.green(), colour.blue());
}

// Each byte of `colour` times percent / 100, truncated.
inline QColor Percent(const QColor& colour, int percent)
{
    return QColor(colour.red() * percent / 100, colour.green() * percent / 100, colour.blue() * percent / 100);
}
