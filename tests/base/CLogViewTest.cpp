// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CLogView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

class CLogViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.SetTimeSource([this] { return now; });
    }

    // The line as the view shows it when written at `time`.
    static QString Shown(const QTime& time, const QString& text) { return CLogView::TimeStamp(time) + text; }

    int DocumentEnd() const { return view.document()->characterCount() - 1; }

    QStringList DisplayLines() const { return view.toPlainText().split(u'\n'); }

    void Click(const QPoint& at, QEvent::Type type = QEvent::MouseButtonPress)
    {
        QMouseEvent press(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &release);
    }

    // Where a click lands on character `position`.
    QPoint PointOf(int position) const
    {
        QTextCursor at(view.document());
        at.setPosition(position);
        return view.cursorRect(at).center();
    }

    void ShowView()
    {
        view.resize(600, 300);
        view.show();
        QCoreApplication::processEvents();
    }

    QTime now{10, 11, 12};
    CLogView view;
};

TEST_F(CLogViewTest, ProgressLinesAreReplacedAndStayingLinesKept)
{
    view.AppendLine("first\r\n");
    const QTime firstTime = now;
    now = now.addSecs(1);
    view.AppendLine("second\r");
    EXPECT_EQ(view.toPlainText(), Shown(firstTime, "first\n") + Shown(now, "second"));
    now = now.addSecs(1);
    view.AppendLine("third\r");
    EXPECT_EQ(view.toPlainText(), Shown(firstTime, "first\n") + Shown(now, "third"));
    now = now.addSecs(1);
    view.AppendLine("fourth\r\n");

    const QStringList lines = DisplayLines();
    ASSERT_EQ(lines.size(), 3);  // two display lines and the empty one after the last break
    EXPECT_EQ(lines[0], Shown(firstTime, "first"));
    EXPECT_EQ(lines[1], Shown(now, "fourth"));
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_FALSE(view.toPlainText().contains("second"));
    EXPECT_FALSE(view.toPlainText().contains("third"));
}

TEST_F(CLogViewTest, ProgressLineSpanningLineBreaksIsReplacedWhole)
{
    view.AppendLine("kept\r\n");
    view.AppendLine("one\r\ntwo\r");
    view.AppendLine("three\r");
    view.AppendLine("four\r\n");
    view.AppendLine("after\r\n");
    EXPECT_EQ(view.toPlainText(), Shown(now, "kept\n") + Shown(now, "four\n") + Shown(now, "after\n"));
    EXPECT_EQ(view.textCursor().position(), DocumentEnd());
}

TEST_F(CLogViewTest, TimeStampHasTwoDigitFieldsAndFourBlanks)
{
    EXPECT_EQ(CLogView::TimeStamp(QTime(9, 5, 7)), "09:05:07    ");
    EXPECT_EQ(CLogView::TimeStamp(QTime(0, 0, 0)), "00:00:00    ");
    EXPECT_EQ(CLogView::TimeStamp(QTime(12, 30, 45)), "12:30:45    ");
    EXPECT_EQ(CLogView::TimeStamp(QTime(23, 59, 59)), "23:59:59    ");

    now = QTime(9, 5, 7);
    view.AppendLine("morning\r\n");
    now = QTime(17, 4, 3);
    view.AppendLine("afternoon\r\n");
    EXPECT_EQ(view.toPlainText(), "09:05:07    morning\n17:04:03    afternoon\n");
}

TEST_F(CLogViewTest, FirstLineGoesToPositionZero)
{
    now = QTime(9, 5, 7);
    view.AppendLine("begin\r\n");
    EXPECT_EQ(view.document()->firstBlock().text(), "09:05:07    begin");
    EXPECT_EQ(view.document()->firstBlock().position(), 0);
    EXPECT_EQ(view.textCursor().position(), DocumentEnd());
}

TEST_F(CLogViewTest, FirstLineCanBeAProgressLine)
{
    view.AppendLine("working\r");
    view.AppendLine("done\r\n");
    EXPECT_EQ(view.toPlainText(), Shown(now, "done\n"));
}

TEST_F(CLogViewTest, LineFeedEndingContinuesOnSameDisplayLine)
{
    view.AppendLine("begin\r\n");
    view.AppendLine("half\n");
    view.AppendLine("rest\r\n");
    const QStringList lines = DisplayLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], Shown(now, "half") + Shown(now, "rest"));

    // The line feed ending is no progress line: a following progress line
    // leaves it alone, and only the progress line itself is replaced.
    view.AppendLine("stay\n");
    view.AppendLine("progress\r");
    view.AppendLine("end\r\n");
    EXPECT_TRUE(view.toPlainText().endsWith(Shown(now, "stay") + Shown(now, "end\n")));
}

TEST_F(CLogViewTest, BareBreaksInsideTextAreNotShown)
{
    EXPECT_EQ(CLogView::DisplayText("a\rb\nc\r\nd\r"), "abc\nd");
    view.AppendLine("a\rb\r\n");
    EXPECT_EQ(view.toPlainText(), Shown(now, "ab\n"));
}

TEST_F(CLogViewTest, ClickMovesCaretButNextLineGoesAtEnd)
{
    view.AppendLine("first line\r\n");
    view.AppendLine("second line\r\n");
    view.AppendLine("progress\r");
    ShowView();

    Click(PointOf(3));
    EXPECT_EQ(view.textCursor().position(), 3);

    view.AppendLine("third line\r\n");
    const QStringList lines = DisplayLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], Shown(now, "first line"));
    EXPECT_EQ(lines[1], Shown(now, "second line"));
    EXPECT_EQ(lines[2], Shown(now, "third line"));
}

TEST_F(CLogViewTest, ClicksAreDroppedWhileAnAppendIsUnderWay)
{
    view.AppendLine("first line\r\n");
    view.AppendLine("second line\r\n");
    ShowView();

    // The time stamp is taken while the append is under way: click then.
    int before = -1;
    int afterPress = -1;
    int afterDoubleClick = -1;
    view.SetTimeSource([&] {
        before = view.textCursor().position();
        Click(PointOf(2));
        afterPress = view.textCursor().position();
        Click(PointOf(2), QEvent::MouseButtonDblClick);
        afterDoubleClick = view.textCursor().position();
        return now;
    });
    view.AppendLine("third line\r\n");
    EXPECT_EQ(before, afterPress);
    EXPECT_EQ(before, afterDoubleClick);
    EXPECT_FALSE(view.textCursor().hasSelection());

    // The same click outside an append moves the caret.
    view.SetTimeSource([this] { return now; });
    Click(PointOf(2));
    EXPECT_EQ(view.textCursor().position(), 2);
}

TEST_F(CLogViewTest, UserCannotTypeOrUndo)
{
    view.AppendLine("line\r\n");
    ShowView();
    view.setFocus();
    const QString before = view.toPlainText();

    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QCoreApplication::sendEvent(&view, &key);
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &erase);

    EXPECT_TRUE(view.isReadOnly());
    EXPECT_EQ(view.toPlainText(), before);
    EXPECT_FALSE(view.document()->isUndoAvailable());
}

TEST_F(CLogViewTest, FullLogDropsOldestLinesAndKeepsAppending)
{
    const QString filler(100000, u'x');
    const int lineLength = static_cast<int>(Shown(now, QString("L00 ") + filler).size()) + 1;
    const int count = CLogView::kCapacity / lineLength + 2;
    for (int i = 0; i < count; ++i) {
        view.AppendLine(QString::asprintf("L%02d ", i) + filler + "\r\n");
    }

    EXPECT_LE(DocumentEnd(), CLogView::kCapacity);
    const int kept = CLogView::kCapacity / lineLength;
    QStringList lines = DisplayLines();
    ASSERT_EQ(lines.size(), kept + 1);
    // Whole lines went, the oldest ones; the newest are all there.
    for (int i = 0; i < kept; ++i) {
        EXPECT_EQ(lines[i], Shown(now, QString::asprintf("L%02d ", count - kept + i) + filler)) << i;
    }

    // The bookkeeping still matches the text: a progress line is replaced
    // in place, then lines go at the end.
    view.AppendLine("progress\r");
    view.AppendLine("more progress\r");
    view.AppendLine("done\r\n");
    EXPECT_LE(DocumentEnd(), CLogView::kCapacity);
    lines = DisplayLines();
    EXPECT_EQ(lines.at(lines.size() - 2), Shown(now, "done"));
    EXPECT_EQ(lines.at(lines.size() - 3), Shown(now, QString::asprintf("L%02d ", count - 1) + filler));
    EXPECT_FALSE(view.toPlainText().contains("progress"));
    EXPECT_EQ(view.textCursor().position(), DocumentEnd());
}

TEST_F(CLogViewTest, TrimmingNeverCutsTheNewestLine)
{
    const QString filler(200000, u'y');
    for (int i = 0; i < 3; ++i) {
        view.AppendLine(QString::asprintf("L%02d ", i) + filler + "\r\n");
    }
    // A progress line bigger than the whole log: every older line goes, the
    // progress line stays whole and is still replaced by the next line.
    const QString big(CLogView::kCapacity + 1000, u'p');
    view.AppendLine(big + "\r");
    EXPECT_EQ(view.toPlainText(), Shown(now, big));
    view.AppendLine("finished\r\n");
    EXPECT_EQ(view.toPlainText(), Shown(now, "finished\n"));
    view.AppendLine("next\r\n");
    EXPECT_EQ(view.toPlainText(), Shown(now, "finished\n") + Shown(now, "next\n"));
}

}  // namespace

// Made smaller (the splitter dragged down, the window shrunk) and larger
// again, a log that showed its newest line still shows it; one the user had
// scrolled back stays where the user left it.
TEST_F(CLogViewTest, NewestLineStaysInSightWhenResized)
{
    ShowView();
    for (int i = 0; i < 200; ++i)
        view.AppendLine(QStringLiteral("line %1\r\n").arg(i));
    QCoreApplication::processEvents();
    QScrollBar* bar = view.verticalScrollBar();
    for (const QSize size : {QSize(600, 60), QSize(300, 400), QSize(600, 45)}) {
        view.resize(size);
        QCoreApplication::processEvents();
        ASSERT_GT(bar->maximum(), 0);
        EXPECT_EQ(bar->value(), bar->maximum()) << size.width() << "x" << size.height();
    }
    bar->setValue(10);
    view.resize(600, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 10);
}
