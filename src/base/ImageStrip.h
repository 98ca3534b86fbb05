// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QString>

// A bitmap strip of square images side by side, drawn on a key colour that
// stands for "transparent" (magenta for the toolbar strips).
class ImageStrip {
public:
    static QColor TransparentColour() { return QColor(255, 0, 255); }

    // Loads the strip at `path` (a file or a ":/" resource) and cuts it into
    // images of `size` x `size` pixels with the key colour masked out. An
    // unreadable strip yields no images.
    static QList<QPixmap> Load(const QString& path, int size);

    // Cuts an already loaded strip, masking out `maskColour`. A rest
    // narrower than one image is left out.
    static QList<QPixmap> Split(const QImage& strip, int size, const QColor& maskColour = TransparentColour());
};
