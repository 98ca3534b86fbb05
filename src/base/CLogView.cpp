// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CLogView.h"

#include "convert/LogText.h"

#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <ctime>
#include <utility>

namespace {

constexpr QChar kCarriageReturn = u'\r';
constexpr QChar kLineFeed = u'\n';

bool DroppedWhileBusy(int busy, const QMouseEvent* event)
{
    return busy == 1 && event->button() == Qt::LeftButton;
}

}  // namespace

CLogView::CLogView(QWidget* parent) : QPlainTextEdit(parent), m_timeSource([] { return QTime::currentTime(); })
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // A log that shows its newest line keeps showing it when the window or
    // the splitter resizes it; one scrolled back stays where the user left it.
    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { m_showsEnd = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_showsEnd)
            bar->setValue(maximum);
    });

    QPalette colours = palette();
    colours.setColor(QPalette::Text, QColor(0, 0, 255));
    colours.setColor(QPalette::Base, QColor(255, 255, 255));
    setPalette(colours);
}

void CLogView::SetTimeSource(TimeSource source)
{
    m_timeSource = std::move(source);
}

QString CLogView::TimeStamp(const QTime& time)
{
    // The same stamp as the command line's log lines.
    std::tm local{};
    local.tm_hour = time.hour();
    local.tm_min = time.minute();
    local.tm_sec = time.second();
    return QString::fromStdString(LogText::TimeStamp(local));
}

QString CLogView::DisplayText(const QString& line)
{
    QString shown;
    shown.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (ch == kCarriageReturn && i + 1 < line.size() && line.at(i + 1) == kLineFeed) {
            shown.append(kLineFeed);
            ++i;
        } else if (ch != kCarriageReturn && ch != kLineFeed) {
            shown.append(ch);
        }
    }
    return shown;
}

int CLogView::DocumentEnd() const
{
    // characterCount() includes the separator after the last block.
    return document()->characterCount() - 1;
}

void CLogView::AppendLine(const QString& text)
{
    m_busy = 1;
    const QString line = TimeStamp(m_timeSource()) + text;

    // The line goes at the end, or over the previous line when that one was
    // a progress line. The positions are tracked, never looked up.
    const int end = std::min(m_endPosition, DocumentEnd());
    const int start = m_progress == 1 ? std::max(0, end - m_lastLength) : end;
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(DisplayText(line));

    m_endPosition = cursor.position();
    m_lastLength = m_endPosition - start;
    m_progress = line.endsWith(kCarriageReturn) ? 1 : 0;

    setTextCursor(cursor);
    ensureCursorVisible();
    TrimOldestLines();
    m_busy = 0;
}

void CLogView::TrimOldestLines()
{
    const int excess = DocumentEnd() - kCapacity;
    if (excess <= 0) {
        return;
    }
    // Whole display lines go, oldest first; the last appended line stays,
    // so that a progress line can still be replaced.
    const QTextBlock lastGoing = document()->findBlock(excess - 1);
    const int lastStart = m_endPosition - m_lastLength;
    const int cut = std::min(lastGoing.position() + lastGoing.length(), lastStart);
    if (cut <= 0) {
        return;
    }
    QTextCursor cursor(document());
    cursor.setPosition(0);
    cursor.setPosition(cut, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_endPosition -= cut;
}

void CLogView::mousePressEvent(QMouseEvent* event)
{
    if (DroppedWhileBusy(m_busy, event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void CLogView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (DroppedWhileBusy(m_busy, event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
}
