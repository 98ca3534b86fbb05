// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuColors.h"

#include "xp/ShiftColorHsl.h"

MenuColors::MenuColors(const QPalette& palette) : m_palette(palette)
{
}

QColor MenuColors::ButtonFace() const
{
    return m_palette.color(QPalette::Active, QPalette::Button);
}

QColor MenuColors::Highlight() const
{
    return m_palette.color(QPalette::Active, QPalette::Highlight);
}

QColor MenuColors::MenuText() const
{
    return m_palette.color(QPalette::Active, QPalette::WindowText);
}

QColor MenuColors::ButtonShadow() const
{
    return m_palette.color(QPalette::Active, QPalette::Mid);
}

QColor MenuColors::DarkShadow() const
{
    return m_palette.color(QPalette::Active, QPalette::Shadow);
}

QColor MenuColors::Gutter() const
{
    return ShiftColorHsl(ButtonFace(), 20, 0);
}

QColor MenuColors::TextArea() const
{
    return ShiftColorHsl(ButtonFace(), 75, 0);
}

QColor MenuColors::HighlightFill() const
{
    return ShiftColorHsl(Highlight(), 70, -57);
}

QColor MenuColors::DisabledFill() const
{
    return ShiftColorHsl(ButtonFace(), 73, 0);
}

QColor MenuColors::SelectedCheckFill() const
{
    return ShiftColorHsl(Highlight(), 50, -50);
}

QColor MenuColors::Separator() const
{
    return ShiftColorHsl(ButtonFace(), -18, 0);
}

QColor MenuColors::DisabledImage() const
{
    return ShiftColorHsl(ButtonFace(), -27, 0);
}

QColor MenuColors::ImageShadow() const
{
    return ShiftColorHsl(Highlight(), 50, -66);
}
