// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QStatusBar>

// The status bar with its flat look: its panes have no sunken borders;
// each is outlined with a thin line in the button-shadow colour (the
// palette's Mid), and the bar is at least 20 pixels high.
class CFlatStatusBar : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kMinimumHeight = 20;

    explicit CFlatStatusBar(QWidget* parent = nullptr);

    // Makes `panes` the bar's panes, the first one stretching over the room
    // the others leave (the message pane). False when a pane is missing.
    bool SetIndicators(const QList<QWidget*>& panes);

    // The panes' rectangles as the outlines follow them, left to right.
    // While a temporary message shows, the message takes the place of the
    // panes it hides.
    QList<QRect> PaneRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QWidget*> PaneWidgets() const;
    QRect PaneRect(const QRect& geometry) const;
};
