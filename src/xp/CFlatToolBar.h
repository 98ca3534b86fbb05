// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/CFilterBitmap.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QToolBar>

// The main toolbar with its flat look: from one strip of button images it
// builds three image sets, the strip unchanged for the button under the
// mouse (hot), a slightly lighter copy for buttons at rest (normal) and a
// grey, much lighter copy for disabled buttons. Buttons look washed out at
// rest and show full colour under the mouse.
class CFlatToolBar : public QToolBar {
    Q_OBJECT

public:
    // The filters always leave this colour alone, so the transparent
    // background survives them.
    static QColor FilterKeyColour() { return QColor(255, 0, 255); }

    explicit CFlatToolBar(QWidget* parent = nullptr);
    explicit CFlatToolBar(const QString& title, QWidget* parent = nullptr);
    ~CFlatToolBar() override;

    // Builds the three sets from the strip at `bitmapPath` (a file or a ":/"
    // resource), one image of iconSize() per button, and gives the buttons
    // their images: the n-th button (separators not counted) gets the n-th
    // image. Pixels of `maskColour` are transparent in all three sets. A
    // strip that cannot be loaded leaves the sets empty.
    void BuildToolBarImages(const QString& bitmapPath, const QColor& maskColour);
    void BuildToolBarImages(const QImage& strip, const QColor& maskColour);

    // The image sets; each setter hands its set to the buttons.
    const QList<QPixmap>& HotImageList() const { return m_hotImages; }
    const QList<QPixmap>& DisabledImageList() const { return m_disabledImages; }
    const QList<QPixmap>& ImageList() const { return m_normalImages; }
    void SetHotImageList(const QList<QPixmap>& images);
    void SetDisabledImageList(const QList<QPixmap>& images);
    void SetImageList(const QList<QPixmap>& images);

    // The icon of image `index`: the normal image at rest, the hot one under
    // the mouse, the disabled one when the button is disabled. Null when no
    // set holds that image.
    QIcon ButtonIcon(int index) const;

    // The strips the sets were cut from: unchanged, filtered for disabled
    // buttons and filtered for buttons at rest.
    const QImage& HotSource() const { return m_hotSource; }
    const CFilterBitmap& DisabledSource() const { return m_disabledSource; }
    const CFilterBitmap& NormalSource() const { return m_normalSource; }

private:
    void ApplyButtonImages();

    QImage m_hotSource;
    CFilterBitmap m_disabledSource;
    CFilterBitmap m_normalSource;
    QList<QPixmap> m_hotImages;
    QList<QPixmap> m_disabledImages;
    QList<QPixmap> m_normalImages;
};
