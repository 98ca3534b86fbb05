// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class CFilterBitmap;
class CImageFilterList;

// Runs `filters` in order over the bitmap's pixels and, when every filter
// succeeds, replaces the bitmap with the result. A bitmap without an image
// fails; an empty list succeeds and changes nothing. A failed chain leaves
// the bitmap as it was.
bool ApplyFilters(CFilterBitmap& bitmap, const CImageFilterList& filters);

// The toolbar's disabled look: grey, then three lightness steps of 0.08.
// Pixels of the key colour stay as they are.
bool MakeDisabledImage(CFilterBitmap& bitmap, const QColor& key);

// The toolbar's resting look: two lightness steps of 0.04. Pixels of the
// key colour stay as they are.
bool MakeNormalImage(CFilterBitmap& bitmap, const QColor& key);
