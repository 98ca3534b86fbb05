// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTime>
#include <functional>

// The activity log: the lower pane of the main window. A read-only text view
// in which every event of a conversion becomes one time-stamped line.
//
// A text carries its own line ending: "\r\n" for a line that stays, a bare
// "\r" for a progress line that the next line replaces in place. A text that
// ends in a bare "\n" breaks nothing: the next line continues on the same
// display line. Other bare "\r" or "\n" inside a text are not shown.
//
// All calls belong to the UI thread.
class CLogView : public QPlainTextEdit {
    Q_OBJECT

public:
    // The most characters the log holds; beyond it the oldest lines go.
    static constexpr int kCapacity = 1048575;

    using TimeSource = std::function<QTime()>;

    explicit CLogView(QWidget* parent = nullptr);

    // Appends one line: the local time as "hh:mm:ss    " and then `text`.
    void AppendLine(const QString& text);

    // Where the time stamps come from; the local clock unless set.
    void SetTimeSource(TimeSource source);

    // The time stamp of a line written at `time`: "%02d:%02d:%02d    ".
    static QString TimeStamp(const QTime& time);

    // `line` as the document holds it: "\r\n" becomes a line break, every
    // other bare "\r" or "\n" is left out.
    static QString DisplayText(const QString& line);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int DocumentEnd() const;
    void TrimOldestLines();

    TimeSource m_timeSource;
    int m_busy = 0;          // 1 while an append is under way
    int m_progress = 0;      // 1 when the last line ended in a bare "\r"
    int m_lastLength = 0;    // document characters of the last line
    int m_endPosition = 0;   // document position just after the last line
    bool m_showsEnd = true;  // the newest line is in sight
};
