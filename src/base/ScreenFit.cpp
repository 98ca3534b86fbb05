// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ScreenFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace {

const char* const kFittedProperty = "vorlantaScreenFitted";

int Clamp(int value, int low, int high)
{
    return high < low ? low : std::clamp(value, low, high);
}

// Moves the window's controls (or its layout) onto a page inside a scroll
// area that fills the window, so that the window may be smaller than they are.
void ScrollContents(QWidget* window)
{
    const QSize contentSize = window->size();
    auto* page = new QWidget;
    if (QLayout* layout = window->layout()) {
        page->setLayout(layout);  // takes the layout and its widgets
    } else {
        for (QObject* child : window->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (control && !control->isWindow()) {
                control->setParent(page);
                control->show();
            }
        }
        page->setFixedSize(contentSize);
    }
    page->setMinimumSize(contentSize);
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
}

}  // namespace

QRect ScreenFit::Placement(const QSize& wanted, const QSize& minimum, const QRect& anchor, const QRect& available)
{
    const QSize size = wanted.boundedTo(available.size()).expandedTo(minimum);
    QRect placed(QPoint(), size);
    placed.moveCenter(anchor.isValid() ? anchor.center() : available.center());
    placed.moveTo(Clamp(placed.x(), available.left(), available.right() + 1 - size.width()),
                  Clamp(placed.y(), available.top(), available.bottom() + 1 - size.height()));
    return placed;
}

QRect ScreenFit::AvailableArea(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
    QScreen* screen = parent && parent->screen() ? parent->screen() : widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return screen->availableGeometry().adjusted(0, 0, -kFrameWidth, -kFrameHeight);
}

void ScreenFit::Fit(QWidget* window)
{
    const QRect available = AvailableArea(window);
    if (!available.isValid())
        return;
    if (QLayout* layout = window->layout())
        layout->activate();
    // A window sized by its own code keeps that size where it fits; one not
    // yet sized takes what its contents ask for.
    const QSize wanted
        = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint().expandedTo(window->minimumSize());
    QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    if (minimum.width() > available.width() || minimum.height() > available.height()) {
        window->resize(wanted);
        ScrollContents(window);
        minimum = QSize(0, 0);
    }
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QRect anchor = parent && parent->isVisible() ? parent->frameGeometry() : QRect();
    // The anchor's frame includes its title bar; the placed window's does not yet.
    const QRect placed = Placement(wanted, minimum, anchor, available);
    window->resize(placed.size());
    if (parent || !window->testAttribute(Qt::WA_Moved) || !available.contains(window->geometry()))
        window->move(placed.topLeft());
}

bool ScreenFitFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (!widget->isWindow() || (type != Qt::Window && type != Qt::Dialog))
        return false;
    // Message boxes size themselves as they show and keep to the screen.
    if (qobject_cast<QMessageBox*>(widget) || widget->property(kFittedProperty).toBool())
        return false;
    widget->setProperty(kFittedProperty, true);
    ScreenFit::Fit(widget);
    return false;
}

PageScrollArea::PageScrollArea(QWidget* page, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setWidget(page);
}

QSize PageScrollArea::sizeHint() const
{
    const QWidget* page = widget();
    const QMargins frame = contentsMargins();
    return page ? page->size().grownBy(frame) : QScrollArea::sizeHint();
}

QSize PageScrollArea::minimumSizeHint() const
{
    // Room for the scroll bars and a little of the page.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {4 * bar, 4 * bar};
}
