// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CPaneSplitter.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

constexpr int kHalf = CPaneSplitter::kOne / 2;

// `numerator` / `denominator` rounded as the layout rounds: half the
// denominator (truncated) added, then truncated toward zero. 64-bit, so a
// large extent cannot overflow.
int RoundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<int>((numerator + denominator / 2) / denominator);
}

// The share that gives `pixels` of `usableLength` (usableLength > 0).
int ShareOf(int pixels, int usableLength)
{
    return RoundedQuotient(static_cast<std::int64_t>(pixels) * CPaneSplitter::kOne, usableLength);
}

// No room for all minima: the earlier panes get their minimum first and the
// later ones what is left.
void GiveEarlierPanesTheirMinimum(std::vector<int>& proportions, int usableLength, int minimumPaneSize)
{
    int remaining = CPaneSplitter::kOne;
    for (int& proportion : proportions) {
        proportion = usableLength <= 0 ? 0 : ShareOf(minimumPaneSize, usableLength);
        proportion = std::min(proportion, remaining);
        remaining -= proportion;
    }
}

}  // namespace

// The inverted bar that follows the mouse while a bar is dragged. It lies
// above the panes and lets every mouse event through.
class CPaneSplitter::TrackingBar : public QWidget {
public:
    explicit TrackingBar(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
            // Every other pixel inverted: the halftone look of a tracking bar.
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(rect(), QBrush(Qt::white, Qt::Dense4Pattern));
        } else {
            painter.fillRect(rect(), QColor(0, 0, 0, 128));
        }
    }
};

CPaneSplitter::CPaneSplitter(QWidget* parent) : CPaneSplitter(2, Qt::Vertical, 30, 3, parent)
{
}

CPaneSplitter::CPaneSplitter(int paneCount, Qt::Orientation orientation, int minimumPaneSize, int barThickness,
                             QWidget* parent)
    : QWidget(parent),
      m_paneCount(std::max(1, paneCount)),
      m_orientation(orientation),
      m_minimumPaneSize(std::max(0, minimumPaneSize)),
      m_barThickness(std::max(0, barThickness)),
      m_panes(m_paneCount),
      m_proportions(InitialProportions(m_paneCount)),
      m_positions(m_paneCount + 1, 0),
      m_trackingBar(new TrackingBar(this))
{
    setCursor(orientation == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
}

CPaneSplitter::~CPaneSplitter()
{
    for (const QPointer<QWidget>& pane : m_panes) {
        if (pane && pane->parent() == this) {
            pane->hide();
            pane->setParent(nullptr);
        }
    }
}

std::vector<int> CPaneSplitter::InitialProportions(int paneCount)
{
    const int n = std::max(1, paneCount);
    std::vector<int> proportions(n, (n / 2 + kOne) / n);
    proportions.back() = kOne - std::accumulate(proportions.begin(), proportions.end() - 1, 0);
    return proportions;
}

std::vector<int> CPaneSplitter::WeightsToProportions(const std::vector<int>& weights)
{
    const std::int64_t sum = std::accumulate(weights.begin(), weights.end(), std::int64_t{0});
    if (weights.empty() || sum <= 0) {
        return {};
    }
    std::vector<int> proportions(weights.size());
    int given = 0;
    for (std::size_t i = 0; i + 1 < weights.size(); ++i) {
        proportions[i] = static_cast<int>((static_cast<std::int64_t>(weights[i]) * kOne + sum / 2) / sum);
        given += proportions[i];
    }
    proportions.back() = kOne - given;
    return proportions;
}

int CPaneSplitter::PixelLength(int proportion, int usableLength)
{
    return static_cast<int>((static_cast<std::int64_t>(proportion) * usableLength + kHalf) / kOne);
}

CPaneSplitter::PaneLayout CPaneSplitter::ComputeLayout(std::vector<int> proportions, int extent, int minimumPaneSize,
                                                       int barThickness)
{
    const int n = static_cast<int>(proportions.size());
    const int usable = extent - (n - 1) * barThickness;
    const auto length = [&](int i) { return PixelLength(proportions[i], usable); };

    // Each round pins at least one more pane to the minimum, so N + 1 rounds
    // settle it; the bound only guards against rounding at huge extents.
    const int maxRounds = 2 * n + 4;
    bool changed = true;
    for (int round = 0; changed && round < maxRounds; ++round) {
        changed = false;
        int free = kOne;
        int rest = kOne;
        for (int i = 0; i < n; ++i) {
            const int len = length(i);
            if (len > minimumPaneSize) {
                continue;
            }
            rest -= proportions[i];
            if (len < minimumPaneSize) {
                proportions[i] = minimumPaneSize > usable ? kOne : ShareOf(minimumPaneSize, usable);
                changed = true;
            }
            free -= proportions[i];
        }
        if (free <= 0) {
            GiveEarlierPanesTheirMinimum(proportions, usable, minimumPaneSize);
            break;
        }
        if (free != kOne && rest > 0) {
            // The panes above the minimum share what the pinned ones left.
            for (int i = 0; i < n; ++i) {
                if (length(i) != minimumPaneSize) {
                    proportions[i] = RoundedQuotient(static_cast<std::int64_t>(proportions[i]) * free, rest);
                }
            }
        }
    }

    std::vector<int> positions(n + 1, 0);
    for (int i = 0; i + 1 < n; ++i) {
        positions[i + 1] = positions[i] + length(i) + barThickness;
    }
    positions[n] = n * barThickness + usable;
    return {std::move(proportions), std::move(positions)};
}

void CPaneSplitter::SetProportions(const std::vector<int>& weights)
{
    if (static_cast<int>(weights.size()) != m_paneCount) {
        return;
    }
    std::vector<int> proportions = WeightsToProportions(weights);
    if (proportions.empty()) {
        return;
    }
    m_proportions = std::move(proportions);
    Layout();
    MovePanes();
    update();
}

void CPaneSplitter::AddPane(int index, QWidget* pane)
{
    if (index < 0 || index >= m_paneCount || pane == nullptr) {
        return;
    }
    m_panes[index] = pane;
    pane->setParent(this);
    pane->setGeometry(PaneRect(index));
    pane->show();
    m_trackingBar->raise();
}

QWidget* CPaneSplitter::Pane(int index) const
{
    return index >= 0 && index < m_paneCount ? m_panes[index].data() : nullptr;
}

void CPaneSplitter::FocusPane(int index)
{
    if (QWidget* pane = Pane(index)) {
        pane->setFocus();
    }
}

int CPaneSplitter::Extent() const
{
    return m_orientation == Qt::Horizontal ? width() : height();
}

int CPaneSplitter::CrossExtent() const
{
    return m_orientation == Qt::Horizontal ? height() : width();
}

int CPaneSplitter::UsableLength() const
{
    return Extent() - (m_paneCount - 1) * m_barThickness;
}

int CPaneSplitter::AxisCoordinate(const QMouseEvent* event) const
{
    const QPoint at = event->position().toPoint();
    return m_orientation == Qt::Horizontal ? at.x() : at.y();
}

QRect CPaneSplitter::AlongAxis(int start, int length) const
{
    const int len = std::max(0, length);
    return m_orientation == Qt::Horizontal ? QRect(start, 0, len, height()) : QRect(0, start, width(), len);
}

QRect CPaneSplitter::PaneRect(int index) const
{
    if (index < 0 || index >= m_paneCount) {
        return {};
    }
    return AlongAxis(m_positions[index], m_positions[index + 1] - m_barThickness - m_positions[index]);
}

QRect CPaneSplitter::BarRect(int index) const
{
    if (index < 1 || index >= m_paneCount) {
        return {};
    }
    return AlongAxis(m_positions[index] - m_barThickness, m_barThickness);
}

QRect CPaneSplitter::TrackingRect() const
{
    const int start = m_dragPosition - m_barThickness;
    return m_orientation == Qt::Horizontal ? QRect(start, 0, m_barThickness, m_barLength)
                                           : QRect(0, start, m_barLength, m_barThickness);
}

void CPaneSplitter::Layout()
{
    PaneLayout layout = ComputeLayout(m_proportions, Extent(), m_minimumPaneSize, m_barThickness);
    m_proportions = std::move(layout.proportions);
    m_positions = std::move(layout.positions);
}

void CPaneSplitter::MovePanes()
{
    for (int i = 0; i < m_paneCount; ++i) {
        if (m_panes[i]) {
            m_panes[i]->setGeometry(PaneRect(i));
        }
    }
}

void CPaneSplitter::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
    MovePanes();
}

void CPaneSplitter::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (int i = 1; i < m_paneCount; ++i) {
        painter.fillRect(BarRect(i) & event->rect(), palette().button());
    }
}

void CPaneSplitter::ShowTrackingBar()
{
    m_trackingBar->setGeometry(TrackingRect());
    m_trackingBar->raise();
    m_trackingBar->show();
}

void CPaneSplitter::EndDrag()
{
    m_trackingBar->hide();
    m_draggedBar = 0;
}

void CPaneSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int at = AxisCoordinate(event);
    int index = 1;
    while (index < m_paneCount && m_positions[index] < at) {
        ++index;
    }
    if (index >= m_paneCount) {
        return;
    }
    m_draggedBar = index;
    m_dragPosition = m_positions[index];
    m_grabOffset = at - m_positions[index];
    m_barLength = CrossExtent();
    ShowTrackingBar();
}

void CPaneSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!IsDragging()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int index = m_draggedBar;
    const int highest = m_positions[index + 1] - m_minimumPaneSize - m_barThickness;
    const int lowest = m_positions[index - 1] + m_minimumPaneSize + m_barThickness;
    m_dragPosition = AxisCoordinate(event) - m_grabOffset;
    if (m_dragPosition > highest) {
        m_dragPosition = highest;
    } else if (m_dragPosition < lowest) {
        m_dragPosition = lowest;
    }
    ShowTrackingBar();
}

void CPaneSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsDragging() || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int index = m_draggedBar;
    const int usable = UsableLength();
    EndDrag();
    m_positions[index] = m_dragPosition;
    // Only the two neighbours of the bar change. With no usable length there
    // is nothing to share out.
    if (usable > 0) {
        m_proportions[index - 1] = ShareOf(m_positions[index] - m_positions[index - 1] - m_barThickness, usable);
        m_proportions[index] = ShareOf(m_positions[index + 1] - m_positions[index] - m_barThickness, usable);
    }
    MovePanes();
    update();
}

void CPaneSplitter::hideEvent(QHideEvent* event)
{
    // A drag that loses its window ends without changing anything.
    if (IsDragging()) {
        EndDrag();
    }
    QWidget::hideEvent(event);
}
