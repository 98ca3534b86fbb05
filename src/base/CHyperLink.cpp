// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CHyperLink.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

void OpenInBrowser(const QUrl& target)
{
    QDesktopServices::openUrl(target);
}

}  // namespace

CHyperLink::CHyperLink(const QString& text, QWidget* parent) : QLabel(text, parent), m_opener(OpenInBrowser)
{
    // Movements arrive without a pressed button too.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setTextFormat(Qt::PlainText);
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::SetLinkTarget(const QString& target)
{
    m_target = target;
}

void CHyperLink::SetOpener(Opener opener)
{
    m_opener = std::move(opener);
}

QFont CHyperLink::UnderlineFont() const
{
    QFont underlined = parentWidget() ? parentWidget()->font() : font();
    underlined.setUnderline(true);
    return underlined;
}

void CHyperLink::Measure()
{
    if (m_measured && m_measuredText == text())
        return;
    const QFontMetrics metrics(UnderlineFont());
    m_extent = QSize(metrics.horizontalAdvance(text()), metrics.height());
    m_measuredText = text();
    m_measured = true;
}

QSize CHyperLink::TextExtent()
{
    Measure();
    return m_extent;
}

bool CHyperLink::HitTest(const QPoint& point)
{
    Measure();
    return point.x() >= 0 && point.x() < m_extent.width() && point.y() >= 0 && point.y() < m_extent.height();
}

QSize CHyperLink::sizeHint() const
{
    const QFontMetrics metrics(UnderlineFont());
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

QSize CHyperLink::minimumSizeHint() const
{
    return sizeHint();
}

void CHyperLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(UnderlineFont());
    painter.setPen(QColor::fromRgb(kLinkColour));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_tracking) {
        m_tracking = true;
    } else {
        setCursor(HitTest(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    setCursor(Qt::ArrowCursor);
    m_tracking = false;
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && HitTest(event->position().toPoint()) && !m_target.isEmpty())
        m_opener(QUrl(m_target));
    QLabel::mousePressEvent(event);
}

void CHyperLink::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ParentChange)
        m_measured = false;
    QLabel::changeEvent(event);
}
