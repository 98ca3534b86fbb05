// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QScrollArea>
#include <QSize>

class QWidget;

// Keeps every window of the program inside the available area of its
// screen (without panels and docks), whatever the screen's size and Qt's
// scale factor: a window larger than that area shrinks to it, one whose
// controls cannot shrink gets scroll bars, and a dialog opens centred on
// the window it belongs to.
class ScreenFit {
public:
    // Room left for the window manager's title bar and borders, which are
    // not known before a window is first mapped.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 40;

    // Where a window of size `wanted` (at least `minimum`) goes: no larger
    // than `available` where the minimum allows it, centred on `anchor`
    // (the parent window; invalid for none, then on `available`), and moved
    // inside `available`.
    static QRect Placement(const QSize& wanted, const QSize& minimum, const QRect& anchor, const QRect& available);

    // The area a window of `widget` may use: its screen's available
    // geometry less the frame allowance, in logical pixels.
    static QRect AvailableArea(const QWidget* widget);

    // Sizes and places the top-level `window` by Placement; a window whose
    // fixed or minimum size does not fit gets its contents in a scroll area
    // first.
    static void Fit(QWidget* window);
};

// Applies ScreenFit to every top-level window and dialog as it is first
// shown. Installed once on the application.
class ScreenFitFilter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A sheet's page in a scroll area that asks for the page's whole size: the
// page shows whole wherever the screen has room, and scrolls (while the
// sheet's buttons stay in view) where it has not.
class PageScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit PageScrollArea(QWidget* page, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
