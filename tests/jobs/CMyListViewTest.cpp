// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CMyListView.h"

#include "EventWait.h"
#include "ScriptedConversion.h"
#include "TempDir.h"
#include "base/CommandIds.h"

#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class JobTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.Threads().SetPassInterval(20ms);
        table.Threads().SetConversionRoutine(script.Routine());
        // Nothing is started or removed unless a test lets the scheduler go.
        table.Threads().State().SchedulingPaused = 1;
    }

    void Select(int row) { table.selectRow(row); }

    ScriptedConversion script;  // outlives the table and its threads
    CMyListView table;
};

TEST_F(JobTableTest, HasTheSixColumnsWithCaptionsAndWidths)
{
    const std::pair<const char*, int> expected[]
        = {{"Jod ID", 50}, {"Job Type", 60}, {"Source File", 150}, {"Dest File", 200}, {"Bitrate", 60}, {"Status", 60}};
    ASSERT_EQ(table.model()->columnCount(), 6);
    for (int column = 0; column < 6; ++column) {
        SCOPED_TRACE(column);
        const QAbstractItemModel& model = *table.model();
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), QString::fromLatin1(expected[column].first));
        EXPECT_EQ(table.columnWidth(column), expected[column].second);
        EXPECT_TRUE(model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignLeft);
    }
}

TEST_F(JobTableTest, LooksLikeAReportList)
{
    EXPECT_TRUE(table.showGrid());
    EXPECT_EQ(table.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(table.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(table.verticalHeader()->isVisible());
    EXPECT_EQ(table.JobCount(), 0);  // every run starts with an empty table
}

TEST_F(JobTableTest, InsertJobAppendsTheRecordAsTextCells)
{
    ConversionJob first{7, 0, "/in/a.mp3", "/out/a_128.mp3", EncodeSettings::Cbr(128), 0};
    ConversionJob second{8, 0, "/in/b.mp3", "/out/b_96.mp3", EncodeSettings::Cbr(96), 0};
    EXPECT_EQ(table.InsertJob(first), 1);
    EXPECT_EQ(table.InsertJob(second), 1);

    ASSERT_EQ(table.JobCount(), 2);
    const QStringList row0{"7", "0", "/in/a.mp3", "/out/a_128.mp3", "128", "0"};
    const QStringList row1{"8", "0", "/in/b.mp3", "/out/b_96.mp3", "96", "0"};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(table.CellText(0, column), row0[column]) << column;
        EXPECT_EQ(table.CellText(1, column), row1[column]) << column;
        EXPECT_EQ(table.model()->data(table.model()->index(1, column)).toString(), row1[column]) << column;
        EXPECT_TRUE(table.model()->data(table.model()->index(0, column), Qt::TextAlignmentRole).toInt()
                    & Qt::AlignLeft);
    }
    // InsertJob leaves the counting to its caller.
    EXPECT_EQ(table.NextJobId(), 0);
}

TEST_F(JobTableTest, ControlCharactersInNamesAreShownEscaped)
{
    const QString name = "/in/a\n00:00:00    b.mp3";
    table.InsertJob({1, 0, name, "/out/\x1b[2Jc.mp3", EncodeSettings::Cbr(128), 0});
    EXPECT_EQ(table.CellText(0, JobColumns::SourceFile), name);  // the job keeps the real name
    const auto* delegate = qobject_cast<QStyledItemDelegate*>(table.itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QLocale locale;
    EXPECT_EQ(delegate->displayText(name, locale), "/in/a\\n00:00:00    b.mp3");
    EXPECT_EQ(delegate->displayText(table.CellText(0, JobColumns::DestFile), locale), "/out/\\x1b[2Jc.mp3");
}

TEST_F(JobTableTest, AddJobNumbersJobsFromNextJobId)
{
    EXPECT_EQ(table.AddJob("/in/a.mp3", "/out/a.mp3", 128), 0);
    EXPECT_EQ(table.AddJob("/in/b.mp3", "/out/b.mp3", 128), 1);
    EXPECT_EQ(table.NextJobId(), 2);
    EXPECT_EQ(table.CellText(1, JobColumns::JobId), "1");
}

TEST_F(JobTableTest, CellAccessOutOfRangeIsHarmless)
{
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    EXPECT_EQ(table.CellText(1, 0), QString());
    EXPECT_EQ(table.CellText(0, 6), QString());
    EXPECT_EQ(table.CellText(-1, 0), QString());
    table.SetCellText(3, 0, "x");
    table.SetCellText(0, -1, "x");
    EXPECT_EQ(table.JobCount(), 1);
}

TEST_F(JobTableTest, DeleteRemovesWaitingEndedAndFailedJobsWithoutAsking)
{
    int asked = 0;
    table.SetDeleteQuestion([&](const QString&) {
        ++asked;
        return true;
    });
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.AddJob("/in/b.mp3", "/out/b.mp3", 128);
    table.AddJob("/in/c.mp3", "/out/c.mp3", 128);
    table.SetCellText(0, JobColumns::Status, "ERR");
    table.SetCellText(2, JobColumns::Status, "100%");

    Select(1);  // waiting
    table.OnJobDel();
    ASSERT_EQ(table.JobCount(), 2);
    EXPECT_EQ(table.CellText(1, JobColumns::SourceFile), "/in/c.mp3");
    Select(1);  // ended
    table.OnJobDel();
    Select(0);  // failed
    table.OnJobDel();

    EXPECT_EQ(table.JobCount(), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(table.NextJobId(), 3);  // deleting never changes the counter
    EXPECT_EQ(table.ControlWord(0), -1);
}

TEST_F(JobTableTest, DeleteOfARunningJobAsksAndStopsOnOk)
{
    std::vector<QString> questions;
    bool answer = false;
    table.SetDeleteQuestion([&](const QString& question) {
        questions.push_back(question);
        return answer;
    });
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.SetCellText(0, JobColumns::Status, "1%");  // "1%" already counts as running
    Select(0);

    table.OnJobDel();  // Cancel
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Are you sure to STOP and DELETE an unfinished job?");
    EXPECT_EQ(table.JobCount(), 1);
    EXPECT_EQ(table.ControlWord(0), -1);

    answer = true;
    table.SetCellText(0, JobColumns::Status, "99%");
    table.OnJobDel();  // OK
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(table.JobCount(), 1);  // the row stays until the job has stopped
    EXPECT_EQ(table.ControlWord(0), 1);
}

TEST_F(JobTableTest, DeleteWithoutSelectionDoesNothing)
{
    int asked = 0;
    table.SetDeleteQuestion([&](const QString&) { return ++asked > 0; });
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.clearSelection();
    table.OnJobDel();
    EXPECT_EQ(table.JobCount(), 1);
    EXPECT_EQ(asked, 0);
}

TEST_F(JobTableTest, JobCommandsAreTakenAndEnabledByTheRules)
{
    for (int id : {IdJobAdd, IdToolAddJob, IdJobDelete, IdToolDeleteJob, IdJobProperty, IdToolJobProperty})
        EXPECT_TRUE(table.TakesCommand(id)) << id;
    for (int id : {IdToolSettings, IdSettings, IdAppExit, IdAbout})
        EXPECT_FALSE(table.TakesCommand(id)) << id;

    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.clearSelection();
    EXPECT_TRUE(table.CommandEnabled(IdJobAdd));
    EXPECT_TRUE(table.CommandEnabled(IdToolAddJob));
    for (int id : {IdJobDelete, IdToolDeleteJob, IdJobProperty, IdToolJobProperty})
        EXPECT_FALSE(table.CommandEnabled(id)) << id;

    Select(0);
    for (int id : {IdJobAdd, IdJobDelete, IdToolDeleteJob, IdJobProperty, IdToolJobProperty})
        EXPECT_TRUE(table.CommandEnabled(id)) << id;
}

TEST_F(JobTableTest, CommandsReachTheirHandlers)
{
    int added = 0;
    std::vector<int> propertyRows;
    QObject::connect(&table, &CMyListView::addJobRequested, [&] { ++added; });
    QObject::connect(&table, &CMyListView::propertyRequested, [&](int row) { propertyRows.push_back(row); });
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.AddJob("/in/b.mp3", "/out/b.mp3", 128);

    table.OnCommand(IdToolAddJob);
    EXPECT_EQ(added, 1);

    Select(1);
    table.OnCommand(IdToolJobProperty);
    table.clearSelection();
    table.OnCommand(IdJobProperty);  // not for a missing selection
    EXPECT_EQ(propertyRows, std::vector<int>{1});
    Select(1);

    table.OnCommand(IdJobDelete);
    EXPECT_EQ(table.JobCount(), 1);
    EXPECT_EQ(table.CellText(0, JobColumns::SourceFile), "/in/a.mp3");
}

TEST(JobTableAddCommandTest, AddCommandStartsTheSchedulerEvenWithNothingAdded)
{
    CMyListView table;
    table.Threads().SetPassInterval(20ms);
    EXPECT_FALSE(table.ThreadsRunning());  // a fresh window closes without asking
    table.OnCommand(IdJobAdd);
    EXPECT_TRUE(table.ThreadsRunning());
    EXPECT_EQ(table.JobCount(), 0);
    table.StopThreads();
    EXPECT_FALSE(table.ThreadsRunning());
}

TEST(JobTableBackgroundTest, TilesThePictureBehindTheRowsAndShowsNothingWhenMissing)
{
    TempDir dir;
    const QString skin = QString::fromStdString(dir.File("skin.jpg"));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(QColor(220, 0, 0));
    ASSERT_TRUE(picture.save(skin, "JPG"));

    CMyListView table;
    table.resize(400, 300);
    table.AddJob("/in/a.mp3", "/out/a.mp3", 128);
    table.StopThreads();  // this test is about painting only
    const QPoint empty(table.viewport()->width() - 5, table.viewport()->height() - 5);

    ASSERT_TRUE(table.SetBackgroundPicture(skin));
    const QColor tiled = table.viewport()->grab().toImage().pixelColor(empty);
    EXPECT_GT(tiled.red(), 180);
    EXPECT_LT(tiled.green(), 60);
    // The rows are transparent: the picture shows inside a row as well.
    const QRect cell = table.visualRect(table.model()->index(0, JobColumns::JobId));
    const QColor underRow = table.viewport()->grab().toImage().pixelColor(cell.right() - 2, cell.center().y());
    EXPECT_GT(underRow.red(), 180);
    EXPECT_LT(underRow.green(), 60);

    EXPECT_FALSE(table.SetBackgroundPicture(QString::fromStdString(dir.File("missing.jpg"))));
    EXPECT_FALSE(table.HasBackgroundPicture());
    const QColor plain = table.viewport()->grab().toImage().pixelColor(empty);
    EXPECT_EQ(plain, table.palette().color(QPalette::Base));
}

}  // namespace
