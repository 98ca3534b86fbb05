// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <optional>

// A grey copy of `image`: every pixel's red, green and blue become their
// average (sum / 3), its alpha stays. Images of fewer than 24 bits per
// pixel (or none at all) cannot be copied so, and give nothing. The source
// is never changed.
std::optional<QImage> GreyImageCopy(const QImage& image);
