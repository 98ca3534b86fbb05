// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Dialog units for one dialog font. A horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height,
// so dialogs laid out in these units grow with their font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight);

    // The average character width (over the Latin letters) and the height
    // of the font, in pixels.
    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
