// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// Tints a colour: converts it to hue, saturation and lightness bytes, moves
// the lightness byte by `lightnessPercent` and the saturation byte by
// `saturationPercent` (positive towards 255, negative towards 0, 0 keeps
// it) and converts back. Every menu colour is a palette colour run through
// this, so the menus follow the user's colour scheme.
QColor ShiftColorHsl(const QColor& colour, int lightnessPercent, int saturationPercent);

// One byte moved by `percent`: up by (255 - value) x percent / 100, or down
// to value x (100 + percent) / 100, truncated.
int ShiftHslByte(int value, int percent);
