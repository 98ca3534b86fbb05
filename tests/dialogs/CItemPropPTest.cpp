// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CItemPropP.h"

#include "EventWait.h"
#include "JobDialogKit.h"
#include "ScriptedConversion.h"
#include "TempDir.h"
#include "base/DialogUnits.h"
#include "dialogs/CItemPropSheet.h"
#include "jobs/CMyListView.h"
#include "window/JobCommands.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class JobPropertyTest : public ::testing::Test {
protected:
    JobPropertyTest()
    {
        table.Threads().SetPassInterval(10ms);
        table.Threads().SetConversionRoutine(script.Routine());
        table.Threads().State().SchedulingPaused = 1;
        commands.SetPrompts(prompts.Prompts());
        commands.SetUserDefaults(&env.defaults);
        commands.SetSheetRunner([this](CItemPropSheet& sheet) {
            sheet.show();
            ++sheetsOpened;
            pausedWhileOpen = table.Threads().State().SchedulingPaused;
            if (drive)
                drive(sheet);
            return sheet.result();
        });
    }

    // Opens the property sheet of `row` through the table's command.
    void OpenProperty(int row)
    {
        table.selectRow(row);
        table.ItemPropDlg();
    }

    static void SelectBitrate(CItemPropSheet& sheet, const QString& entry)
    {
        QComboBox* list = sheet.Page()->BitrateList();
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
    }

    QString Cell(int row, int column) const { return table.CellText(row, column); }

    DefaultsInTempDir env{"/music/in", "c", "128"};
    ScriptedConversion script;
    CMyListView table;
    JobCommands commands{table};
    PromptLog prompts;
    std::function<void(CItemPropSheet&)> drive;
    int sheetsOpened = 0;
    int pausedWhileOpen = -1;
};

TEST_F(JobPropertyTest, SheetShowsOnePageWithTheRowsValues)
{
    table.AddJob("/in/a.mp3", "/out/a_96.mp3", 96);
    table.Threads().State().SchedulingPaused = 0;
    drive = [](CItemPropSheet& sheet) {
        CItemPropP& page = *sheet.Page();
        EXPECT_EQ(sheet.windowTitle(), QString("Job 0: a.mp3"));
        ASSERT_EQ(sheet.Tabs()->count(), 1);
        EXPECT_EQ(sheet.Tabs()->tabText(0), QString("Job Property"));
        EXPECT_EQ(page.SourceEdit()->text(), QString("/in/a.mp3"));
        EXPECT_EQ(page.ResultEdit()->text(), QString("/out/a_96.mp3"));
        EXPECT_EQ(page.Bitrate(), QString(" 96"));
        EXPECT_EQ(page.BitrateList()->currentText(), QString(" 96"));
        EXPECT_EQ(page.Changed(), 0);
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
        EXPECT_TRUE(sheet.OkButton()->isEnabled());
        EXPECT_TRUE(sheet.CancelButton()->isEnabled());

        const DialogUnits units(page.font());
        EXPECT_EQ(page.size(), units.Size(290, 226));
        EXPECT_EQ(page.SourceEdit()->geometry(), units.Rect(53, 19, 226, 16));
        EXPECT_EQ(page.ResultEdit()->geometry(), units.Rect(53, 55, 226, 16));
        EXPECT_EQ(page.BitrateList()->x(), units.X(53));
        EXPECT_EQ(page.BitrateList()->width(), units.X(95));
        EXPECT_FALSE(page.BitrateList()->isEditable());
        // Rising numeric order: " 32" first, "320" last.
        ASSERT_EQ(page.BitrateList()->count(), 14);
        EXPECT_EQ(page.BitrateList()->itemText(0), QString(" 32"));
        EXPECT_EQ(page.BitrateList()->itemText(13), QString("320"));
        for (int i = 1; i < 14; ++i)
            EXPECT_LT(page.BitrateList()->itemText(i - 1).trimmed().toInt(),
                      page.BitrateList()->itemText(i).trimmed().toInt());
        sheet.CancelButton()->click();
    };
    OpenProperty(0);
    EXPECT_EQ(sheetsOpened, 1);
    EXPECT_EQ(pausedWhileOpen, 1);
    EXPECT_EQ(table.Threads().State().SchedulingPaused, 0);  // the scheduler goes on afterwards
}

TEST_F(JobPropertyTest, ChangedBitrateIsWrittenAsAddWritesItAndADefaultNameFollowsIt)
{
    table.AddJob("/in/a.mp3", "/out/a_128.MP3", 128);
    table.AddJob("/in/b.mp3", "/out/b_160.mp3", 128);  // not named after its rate
    drive = [](CItemPropSheet& sheet) {
        SelectBitrate(sheet, " 96");
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    OpenProperty(1);
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "96");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/a_96.MP3");
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/out/b_160.mp3");
    EXPECT_TRUE(prompts.asked.empty());  // a waiting job needs no restart
}

// The page edits any mode; a default-suffixed name follows the mode too.
TEST_F(JobPropertyTest, ModeAndQualityAreWrittenAndTheDefaultNameFollowsThem)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    drive = [](CItemPropSheet& sheet) {
        sheet.Page()->ModeList()->setCurrentIndex(static_cast<int>(EncodeSettings::Mode::Vbr));
        sheet.Page()->QualityList()->setCurrentIndex(0);
        EXPECT_FALSE(sheet.Page()->BitrateList()->isEnabled());
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "V0");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/a_V0.mp3");

    drive = [](CItemPropSheet& sheet) {
        EXPECT_EQ(sheet.Page()->QualityList()->currentIndex(), 0);  // the cell's quality
        sheet.Page()->ModeList()->setCurrentIndex(static_cast<int>(EncodeSettings::Mode::Abr));
        SelectBitrate(sheet, "160");
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "A160");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/a_A160.mp3");
    EXPECT_EQ(table.JobAt(0).settings, EncodeSettings::Abr(160));
}

// The sheet stays open while its job ends: Apply and OK then change
// nothing, say so, and touch no other job.
TEST_F(JobPropertyTest, ApplyAfterItsJobHasEndedChangesNothingAndSaysSo)
{
    script.Hold("/in/a.mp3");
    script.Hold("/in/b.mp3");
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.AddJob("/in/b.mp3", "/out/b_128.mp3", 128);
    table.Threads().State().SchedulingPaused = 0;
    ASSERT_TRUE(WaitUntil([this] { return Cell(0, JobColumns::Status) == "37%"; }));

    drive = [this](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/late_128.mp3");
        script.Release("/in/a.mp3");
        ASSERT_TRUE(WaitUntil([this] { return Cell(0, JobColumns::Status) == "100%"; }));
        sheet.ApplyButton()->click();
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    EXPECT_EQ(prompts.shown, (std::vector<QString>{CItemPropP::kFinishedMessage(), CItemPropP::kFinishedMessage()}));
    EXPECT_TRUE(prompts.asked.empty());
    ASSERT_TRUE(WaitUntil([this] { return script.CallCount() == 2; }));
    EXPECT_EQ(script.Calls()[0].result, "/out/a_128.mp3");
    EXPECT_EQ(script.Calls()[1].result, "/out/b_128.mp3");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/b_128.mp3");
    EXPECT_EQ(table.ControlWord(0), 0);
    table.StopThreads();
}

TEST_F(JobPropertyTest, OkWithoutChangesWritesAndAsksNothingEvenForARunningJob)
{
    table.AddJob("/in/a.mp3", "/out/a_96.mp3", 96);
    table.SetCellText(0, JobColumns::Status, "37%");
    drive = [](CItemPropSheet& sheet) { sheet.OkButton()->click(); };
    OpenProperty(0);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "96");  // not rewritten as " 96"
    EXPECT_EQ(table.ControlWord(0), -1);
}

TEST_F(JobPropertyTest, ChangingAJobAt37PercentAsksAndOnYesRestartsIt)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.SetCellText(0, JobColumns::Status, "37%");
    drive = [](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/new_128.mp3");
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0],
              QString("Change Setting of a processing job need restart the job, are you sure "
                      "to restart this job?"));
    EXPECT_EQ(table.ControlWord(0), 2);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/new_128.mp3");
}

TEST_F(JobPropertyTest, NoToTheRestartQuestionWritesNothingAndTheSheetStillCloses)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.SetCellText(0, JobColumns::Status, "99%");
    prompts.answer = false;
    bool closed = false;
    drive = [&](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/other_128.mp3");
        sheet.OkButton()->click();
        closed = !sheet.isVisible();
    };
    OpenProperty(0);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(closed);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/a_128.mp3");
    EXPECT_EQ(table.ControlWord(0), -1);
}

// The sheet checks a changed source as Add does: a file that is not there
// is refused and the sheet stays open; one that is there is taken.
TEST_F(JobPropertyTest, AChangedSourceMustBeAFile)
{
    TempDir dir;
    const QString there = QString::fromStdString(dir.File("there.mp3"));
    ASSERT_TRUE(QFile(there).open(QIODevice::WriteOnly));
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    drive = [&](CItemPropSheet& sheet) {
        sheet.Page()->SourceEdit()->setText("/in/missing.mp3");
        sheet.OkButton()->click();
        EXPECT_TRUE(sheet.isVisible());
        sheet.Page()->SourceEdit()->setText(there);
        sheet.OkButton()->click();
        EXPECT_FALSE(sheet.isVisible());
    };
    OpenProperty(0);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].contains("/in/missing.mp3")) << prompts.shown[0].toStdString();
    EXPECT_EQ(Cell(0, JobColumns::SourceFile), there);
}

TEST_F(JobPropertyTest, AJobAtOnePercentOrEndedOrFailedIsWrittenWithoutAQuestion)
{
    for (const char* status : {"1%", "100%", "ERR", "0"}) {
        SCOPED_TRACE(status);
        while (table.JobCount() > 0)
            table.Queue().RemoveAt(0);
        table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
        table.SetCellText(0, JobColumns::Status, status);
        drive = [](CItemPropSheet& sheet) {
            sheet.Page()->ResultEdit()->setText("/out/b_128.mp3");
            sheet.OkButton()->click();
        };
        OpenProperty(0);
        EXPECT_TRUE(prompts.asked.empty());
        EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/b_128.mp3");
        EXPECT_EQ(table.ControlWord(0), -1);
        table.Threads().State().SchedulingPaused = 1;
    }
}

TEST_F(JobPropertyTest, ApplyThenCancelKeepsWhatWasApplied)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.AddJob("/in/b.mp3", "/out/b_128.mp3", 128);
    drive = [this](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/applied_128.mp3");
        ASSERT_TRUE(sheet.ApplyButton()->isEnabled());
        sheet.ApplyButton()->click();
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(Cell(1, JobColumns::DestFile), "/out/applied_128.mp3");
        sheet.Page()->ResultEdit()->setText("/out/dropped_128.mp3");
        sheet.CancelButton()->click();
    };
    OpenProperty(1);
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/out/applied_128.mp3");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/a_128.mp3");
}

TEST_F(JobPropertyTest, OkAfterApplyAsksAgainForARunningJob)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.SetCellText(0, JobColumns::Status, "50%");
    drive = [](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/b_128.mp3");
        sheet.ApplyButton()->click();
        sheet.OkButton()->click();
    };
    OpenProperty(0);
    EXPECT_EQ(prompts.asked.size(), 2u);
}

TEST_F(JobPropertyTest, NothingOpensWithoutASelection)
{
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.clearSelection();
    table.ItemPropDlg();
    commands.ItemPropDlg(-1);
    commands.ItemPropDlg(5);
    EXPECT_EQ(sheetsOpened, 0);
    EXPECT_EQ(table.Threads().State().SchedulingPaused, 1);  // untouched
}

TEST_F(JobPropertyTest, DoubleClickOnARowOpensTheSheet)
{
    table.resize(600, 300);
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.show();
    table.selectRow(0);
    drive = [](CItemPropSheet& sheet) {
        EXPECT_EQ(sheet.Page()->SourceEdit()->text(), QString("/in/a.mp3"));
        sheet.CancelButton()->click();
    };
    const QPoint at = table.visualRect(table.model()->index(0, JobColumns::SourceFile)).center();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, table.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(table.viewport(), &dbl);
    EXPECT_EQ(sheetsOpened, 1);
}

// The whole restart: a running job is edited, the conversion stops, and
// after the sheet has closed the job runs again with the new values.
TEST_F(JobPropertyTest, EditedRunningJobStartsAgainWithTheNewValuesOnceTheSheetCloses)
{
    script.Hold("/in/a.mp3");
    table.AddJob("/in/a.mp3", "/out/a_128.mp3", 128);
    table.Threads().State().SchedulingPaused = 0;
    ASSERT_TRUE(WaitUntil([this] { return Cell(0, JobColumns::Status) == "37%"; }));

    bool stoppedWhileOpen = false;
    drive = [&](CItemPropSheet& sheet) {
        sheet.Page()->ResultEdit()->setText("/out/again_128.mp3");
        SelectBitrate(sheet, "192");
        sheet.ApplyButton()->click();
        // The conversion ends and the job waits; nothing starts while the sheet is open.
        stoppedWhileOpen = WaitUntil([this] { return Cell(0, JobColumns::Status) == "0"; });
        HandleEventsFor(50ms);
        EXPECT_EQ(script.CallCount(), 1u);
        script.Release("/in/a.mp3");
        sheet.CancelButton()->click();
    };
    OpenProperty(0);
    EXPECT_TRUE(stoppedWhileOpen);
    ASSERT_TRUE(WaitUntil([this] { return script.CallCount() == 2; }));
    const auto calls = script.Calls();
    EXPECT_EQ(calls[1].result, "/out/again_192.mp3");  // the name followed the new rate
    EXPECT_EQ(calls[1].settings.bitrate, 192);
    EXPECT_EQ(script.EndControls().front(), 2);
    table.StopThreads();
}

}  // namespace
