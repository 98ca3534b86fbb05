// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The colours of the flat menus and popup frames. The system colours they
// start from are palette roles of the active group: button face is Button,
// highlight is Highlight, menu text is WindowText, button shadow is Mid and
// the dark 3D shadow is Shadow. The tints shift those by ShiftColorHsl.
class MenuColors {
public:
    explicit MenuColors(const QPalette& palette);

    // Untinted.
    QColor ButtonFace() const;
    QColor Highlight() const;
    QColor MenuText() const;
    QColor ButtonShadow() const;
    QColor DarkShadow() const;

    // Popup gutter, fill of the open menu-bar item, join line: face +20 %.
    QColor Gutter() const;
    // Popup text area, inner frame lines of a popup: face +75 %.
    QColor TextArea() const;
    // Highlighted item fill, check box of an unhighlighted item:
    // highlight +70 % lightness, -57 % saturation.
    QColor HighlightFill() const;
    // Highlight and check-box fill of a disabled item: face +73 %.
    QColor DisabledFill() const;
    // Check box of a highlighted item: highlight +50 %, -50 %.
    QColor SelectedCheckFill() const;
    // Separator line, text of a disabled item: face -18 %.
    QColor Separator() const;
    // Radio bullet and monochrome image of a disabled item: face -27 %.
    QColor DisabledImage() const;
    // Monochrome image shadow of a highlighted item: highlight +50 %, -66 %.
    QColor ImageShadow() const;

private:
    QPalette m_palette;
};
