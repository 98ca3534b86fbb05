// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

// Lays out N pane widgets side by side or stacked, parted by bars of a fixed
// thickness that the user drags with the mouse. Pane sizes are kept as
// proportions in units of 1/32768 of the usable length, so the panes keep
// their shares when the splitter is resized, and no pane becomes smaller
// than the minimum size while there is room for it. While a bar is dragged
// only an inverted tracking bar moves; the panes follow at the release.
class CPaneSplitter : public QWidget {
    Q_OBJECT

public:
    static constexpr int kOne = 32768;  // the whole usable length

    // Proportions and pane start positions, as Layout leaves them.
    struct PaneLayout {
        std::vector<int> proportions;  // N shares adding up to kOne
        std::vector<int> positions;    // N + 1 starts; the last is the far end plus one bar
    };

    // Two stacked panes, minimum pane size 30 pixels, bar thickness 3 pixels:
    // the main window's split.
    explicit CPaneSplitter(QWidget* parent = nullptr);
    // `orientation` Qt::Horizontal puts the panes side by side (vertical
    // bars), Qt::Vertical stacks them (horizontal bars).
    CPaneSplitter(int paneCount, Qt::Orientation orientation, int minimumPaneSize, int barThickness,
                  QWidget* parent = nullptr);
    // The panes are not owned: they are handed back (without a parent) to
    // whoever owns them.
    ~CPaneSplitter() override;

    // Sets the panes' shares from N weights (70 and 30 give 22938 and 9830),
    // then lays the panes out. Ignored unless there are N weights with a
    // positive sum.
    void SetProportions(const std::vector<int>& weights);

    // Makes `pane` (not owned; reparented to the splitter) the pane at
    // `index` and places it. Ignored for an index out of range.
    void AddPane(int index, QWidget* pane);
    QWidget* Pane(int index) const;
    virtual void FocusPane(int index);

    int PaneCount() const { return m_paneCount; }
    Qt::Orientation Orientation() const { return m_orientation; }
    int MinimumPaneSize() const { return m_minimumPaneSize; }
    int BarThickness() const { return m_barThickness; }
    const std::vector<int>& Proportions() const { return m_proportions; }
    const std::vector<int>& Positions() const { return m_positions; }
    // The splitter's client rectangle narrowed to pane `index`.
    QRect PaneRect(int index) const;
    // The strip of the bar in front of pane `index` (1 to N - 1).
    QRect BarRect(int index) const;

    bool IsDragging() const { return m_draggedBar > 0; }
    // Where the dragged bar's following pane would start.
    int DragPosition() const { return m_dragPosition; }
    // The tracking bar's rectangle while dragging.
    QRect TrackingRect() const;

    // The shares of N panes before SetProportions: even, the last one
    // taking what rounding leaves.
    static std::vector<int> InitialProportions(int paneCount);
    // The shares for N weights; empty unless their sum is positive.
    static std::vector<int> WeightsToProportions(const std::vector<int>& weights);
    // The pixel length of a share of `usableLength`.
    static int PixelLength(int proportion, int usableLength);
    // Lays out panes along `extent` pixels: raises the shares of panes below
    // the minimum, shrinks the others to make room, and gives the earlier
    // panes their minimum first when there is no room for all.
    static PaneLayout ComputeLayout(std::vector<int> proportions, int extent, int minimumPaneSize, int barThickness);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class TrackingBar;

    int Extent() const;
    int CrossExtent() const;
    int UsableLength() const;
    int AxisCoordinate(const QMouseEvent* event) const;
    QRect AlongAxis(int start, int length) const;
    void Layout();
    void MovePanes();
    void ShowTrackingBar();
    void EndDrag();

    int m_paneCount;
    Qt::Orientation m_orientation;
    int m_minimumPaneSize;
    int m_barThickness;
    int m_draggedBar = 0;  // 1 to N - 1 while dragging, 0 otherwise
    int m_dragPosition = 0;
    int m_barLength = 0;
    int m_grabOffset = 0;
    std::vector<QPointer<QWidget>> m_panes;
    std::vector<int> m_proportions;
    std::vector<int> m_positions;
    TrackingBar* m_trackingBar;
};
