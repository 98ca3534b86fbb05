// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

#include <utility>

// A bitmap that filter chains work on, with the colour that fills a fresh
// buffer before each filter writes it (white for the toolbar's bitmaps).
class CFilterBitmap {
public:
    static constexpr QRgb kWhite = 0xFFFFFF;
    static constexpr QRgb kBlack = 0x000000;

    CFilterBitmap() = default;
    explicit CFilterBitmap(QImage image, QRgb fillColour = kWhite);

    // Loads the bitmap from a file or a ":/" resource; false when it cannot
    // be read (the bitmap is then empty).
    bool Load(const QString& path);

    bool HasBitmap() const { return !m_image.isNull(); }
    const QImage& Image() const { return m_image; }
    void SetImage(QImage image) { m_image = std::move(image); }

    QRgb FillColour() const { return m_fillColour; }
    void SetFillColour(QRgb colour) { m_fillColour = colour; }
    // The fill colour as one 32-bit buffer pixel: all bytes 0 for black, all
    // 255 for white, else blue, green and red with the fourth byte 0.
    quint32 FillPixel() const;

private:
    QImage m_image;
    QRgb m_fillColour = kWhite;
};
