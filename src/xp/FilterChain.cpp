// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FilterChain.h"

#include "xp/CFilterBitmap.h"
#include "xp/CGrayFilter.h"
#include "xp/CImageFilter.h"
#include "xp/CImageFilterList.h"
#include "xp/CLightnessFilter.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr float kDisabledStep = 0.08f;
constexpr float kNormalStep = 0.04f;

// The image's pixels as a top-down 32-bit buffer.
std::vector<quint32> ReadPixels(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<quint32> pixels(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(pixels.data() + std::size_t(y) * std::size_t(rgb.width()), rgb.constScanLine(y),
                    std::size_t(rgb.width()) * sizeof(quint32));
    }
    return pixels;
}

// A bitmap made from a 32-bit buffer; the fourth byte is not kept.
QImage WritePixels(const std::vector<quint32>& pixels, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        const quint32* row = pixels.data() + std::size_t(y) * std::size_t(size.width());
        for (int x = 0; x < size.width(); ++x)
            line[x] = row[x] | 0xFF000000u;
    }
    return image;
}

}  // namespace

bool ApplyFilters(CFilterBitmap& bitmap, const CImageFilterList& filters)
{
    if (!bitmap.HasBitmap())
        return false;
    if (filters.IsEmpty())
        return true;

    QSize size = bitmap.Image().size();
    std::vector<quint32> source = ReadPixels(bitmap.Image());
    for (const CImageFilter* filter : filters.Filters()) {
        const QSize output = filter->OutputSize(size);
        if (output.width() < 0 || output.height() < 0)
            return false;
        std::vector<quint32> destination(std::size_t(output.width()) * std::size_t(output.height()),
                                         bitmap.FillPixel());
        if (!filter->Apply(source.data(), size.width(), size.height(), destination.data(), output.width(),
                           output.height()))
            return false;
        source = std::move(destination);
        size = output;
    }
    bitmap.SetImage(WritePixels(source, size));
    return true;
}

bool MakeDisabledImage(CFilterBitmap& bitmap, const QColor& key)
{
    CGrayFilter grey;
    std::array<CLightnessFilter, 3> lighter{CLightnessFilter(kDisabledStep), CLightnessFilter(kDisabledStep),
                                            CLightnessFilter(kDisabledStep)};
    CImageFilterList filters;
    grey.SetKeyColour(key);
    filters.Add(&grey);
    for (CLightnessFilter& step : lighter) {
        step.SetKeyColour(key);
        filters.Add(&step);
    }
    return ApplyFilters(bitmap, filters);
}

bool MakeNormalImage(CFilterBitmap& bitmap, const QColor& key)
{
    std::array<CLightnessFilter, 2> lighter{CLightnessFilter(kNormalStep), CLightnessFilter(kNormalStep)};
    CImageFilterList filters;
    for (CLightnessFilter& step : lighter) {
        step.SetKeyColour(key);
        filters.Add(&step);
    }
    return ApplyFilters(bitmap, filters);
}
