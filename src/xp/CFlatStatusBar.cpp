// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/CFlatStatusBar.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace {

// Room between a pane's widget and its outline, as the bar's own frames
// leave it.
constexpr int kPaneMarginX = 2;
constexpr int kPaneMarginY = 1;
// Text inset of a temporary message inside its pane.
constexpr int kMessageIndent = 2;

}  // namespace

CFlatStatusBar::CFlatStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setMinimumHeight(kMinimumHeight);
}

bool CFlatStatusBar::SetIndicators(const QList<QWidget*>& panes)
{
    if (panes.isEmpty() || std::find(panes.begin(), panes.end(), nullptr) != panes.end())
        return false;
    bool first = true;
    for (QWidget* pane : panes) {
        addWidget(pane, first ? 1 : 0);
        first = false;
    }
    setMinimumHeight(kMinimumHeight);
    return true;
}

// The bar's own children that are panes: everything but the size grip.
QList<QWidget*> CFlatStatusBar::PaneWidgets() const
{
    QList<QWidget*> panes;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QSizeGrip*>(child) || child->isWindow())
            continue;
        panes.append(child);
    }
    std::sort(panes.begin(), panes.end(),
              [](const QWidget* a, const QWidget* b) { return a->geometry().x() < b->geometry().x(); });
    return panes;
}

QRect CFlatStatusBar::PaneRect(const QRect& geometry) const
{
    return geometry.adjusted(-kPaneMarginX, -kPaneMarginY, kPaneMarginX, kPaneMarginY).intersected(rect());
}

QList<QRect> CFlatStatusBar::PaneRects() const
{
    QList<QRect> rects;
    const bool message = !currentMessage().isEmpty();
    int messageRight = width();
    for (QWidget* pane : PaneWidgets()) {
        if (!pane->isVisibleTo(this))
            continue;
        rects.append(PaneRect(pane->geometry()));
        messageRight = std::min(messageRight, rects.last().left());
    }
    if (message) {
        if (const QSizeGrip* grip = findChild<QSizeGrip*>(QString(), Qt::FindDirectChildrenOnly);
            grip && grip->isVisibleTo(this))
            messageRight = std::min(messageRight, grip->geometry().left());
        const QRect messagePane(kPaneMarginX, kPaneMarginY, messageRight - 2 * kPaneMarginX,
                                height() - 2 * kPaneMarginY);
        rects.prepend(messagePane.intersected(rect()));
    }
    return rects;
}

void CFlatStatusBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);

    const QList<QRect> panes = PaneRects();
    const QString message = currentMessage();
    if (!message.isEmpty() && !panes.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(panes.first().adjusted(kMessageIndent + 1, 0, -kMessageIndent, 0),
                         Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine, message);
    }

    // Outlines only: one-pixel lines along the inside of each pane rectangle.
    const QColor outline = palette().color(QPalette::Active, QPalette::Mid);
    for (const QRect& pane : panes) {
        if (pane.isEmpty() || !event->rect().intersects(pane))
            continue;
        painter.fillRect(QRect(pane.left(), pane.top(), pane.width(), 1), outline);
        painter.fillRect(QRect(pane.left(), pane.bottom(), pane.width(), 1), outline);
        painter.fillRect(QRect(pane.left(), pane.top(), 1, pane.height()), outline);
        painter.fillRect(QRect(pane.right(), pane.top(), 1, pane.height()), outline);
    }
}
