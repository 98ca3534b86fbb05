// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/JobCommands.h"

#include "EventWait.h"
#include "JobDialogKit.h"
#include "ScriptedConversion.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "base/CLogView.h"
#include "base/CommandIds.h"
#include "dialogs/CItemPropP.h"
#include "dialogs/CItemPropSheet.h"
#include "dialogs/CJobAddDialog.h"
#include "jobs/CMyListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

using namespace std::chrono_literals;

namespace {

// How a test answers one add-job dialog, and what the dialog showed.
struct DialogAnswer {
    bool accept = true;
    int bitrateButton = 0;  // clicked before OK when not 0
    bool sameSettings = false;
    bool saveAsDefault = false;
    QString result;       // typed before OK when not empty
    int vbrQuality = -1;  // variable bitrate at this quality, picked before OK, when not -1
};

DialogAnswer Ok(int bitrateButton = 0, bool sameSettings = false, const QString& result = QString(),
                bool saveAsDefault = false)
{
    DialogAnswer answer;
    answer.bitrateButton = bitrateButton;
    answer.sameSettings = sameSettings;
    answer.result = result;
    answer.saveAsDefault = saveAsDefault;
    return answer;
}

DialogAnswer Cancel()
{
    DialogAnswer answer;
    answer.accept = false;
    return answer;
}

struct SeenDialog {
    QString source;
    QString offered;
    bool sameSettingsEnabled = false;
    int bitrate = 0;
};

class JobCommandsTest : public ::testing::Test {
protected:
    JobCommandsTest()
    {
        table.Threads().SetPassInterval(10ms);
        table.Threads().SetConversionRoutine(script.Routine());
        table.Threads().State().SchedulingPaused = 1;  // rows stay put unless a test lets them go
        commands.SetPrompts(prompts.Prompts());
        commands.SetUserDefaults(&env.defaults);
        commands.SetFileChooser([this](QWidget*, const QString& start) {
            chooserStarts.push_back(start);
            schedulerRunningAtChooser = table.Threads().State().SchedulerRunning;
            return chosen;
        });
        commands.SetAddDialogRunner([this](CJobAddDialog& dialog) { return Answer(dialog); });
    }

    // Drives one real dialog: opens it, clicks as told and presses OK or Cancel.
    int Answer(CJobAddDialog& dialog)
    {
        dialog.show();
        seen.push_back({dialog.SourceEdit()->text(), dialog.ResultEdit()->text(), dialog.SameSettingsBox()->isEnabled(),
                        dialog.Bitrate()});
        const DialogAnswer answer = answers.empty() ? DialogAnswer() : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        if (answer.bitrateButton != 0)
            dialog.BitrateRadio(answer.bitrateButton)->click();
        if (answer.vbrQuality >= 0) {
            dialog.ModeCombo()->setCurrentIndex(static_cast<int>(EncodeSettings::Mode::Vbr));
            dialog.QualityCombo()->setCurrentIndex(answer.vbrQuality);
        }
        if (!answer.result.isEmpty())
            dialog.ResultEdit()->setText(answer.result);
        if (answer.sameSettings)
            dialog.SameSettingsBox()->click();
        if (answer.saveAsDefault)
            dialog.SaveAsDefaultBox()->click();
        (answer.accept ? dialog.OkButton() : dialog.CancelButton())->click();
        return dialog.result();
    }

    QString Cell(int row, int column) const { return table.CellText(row, column); }

    static QList<QUrl> Urls(std::initializer_list<QString> paths)
    {
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        return urls;
    }

    DefaultsInTempDir env{"/music/in", "c", "128"};
    ScriptedConversion script;  // outlives the table and its threads
    CMyListView table;
    JobCommands commands{table};
    PromptLog prompts;
    QStringList chosen;
    std::vector<QString> chooserStarts;
    int schedulerRunningAtChooser = -1;
    std::vector<DialogAnswer> answers;
    std::vector<SeenDialog> seen;
};

TEST_F(JobCommandsTest, SingleChosenFileStartsTheSchedulerFirstAndAddsOneJob)
{
    env.defaults.Settings().SourceFolder = "/music/picked";
    chosen = {"/in/x.mp3"};
    ASSERT_EQ(table.Threads().State().SchedulerRunning, 0);
    commands.OnJobAdd(table.Threads().State().SchedulerRunning);

    EXPECT_EQ(schedulerRunningAtChooser, 1);  // before the chooser opened
    EXPECT_EQ(chooserStarts, std::vector<QString>{"/music/picked"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, QString("/in/x.mp3"));
    EXPECT_EQ(seen[0].offered, QString("/in/x_128.mp3"));  // Dest Folder "c" is too short to count
    EXPECT_FALSE(seen[0].sameSettingsEnabled);             // the only file is the last one
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::JobId), "0");
    EXPECT_EQ(Cell(0, JobColumns::JobType), "0");
    EXPECT_EQ(Cell(0, JobColumns::SourceFile), "/in/x.mp3");
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/in/x_128.mp3");
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "128");
    EXPECT_EQ(Cell(0, JobColumns::Status), "0");
    EXPECT_EQ(table.NextJobId(), 1);
}

// V2 picked in the dialog: the job, its cell and its name, and the rest of
// the same-settings batch, are variable bitrate at quality 2.
TEST_F(JobCommandsTest, VariableBitratePickedInTheDialogMakesV2Jobs)
{
    chosen = {"/in/a.mp3", "/in/b.mp3"};
    DialogAnswer answer = Ok(0, true);
    answer.vbrQuality = 2;
    answers = {answer};
    commands.OnJobAdd(0);

    ASSERT_EQ(table.JobCount(), 2);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/in/a_V2.mp3");
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/in/b_V2.mp3");
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cell(row, JobColumns::Bitrate), "V2");
        EXPECT_EQ(table.JobAt(row).settings, EncodeSettings::Vbr(2));
    }
}

// A job whose result another job in the table writes or reads is refused,
// the files told apart by what they are, not how they are spelt: at OK in the
// add dialog, with a log line where no dialog asks, and in the property page.
TEST_F(JobCommandsTest, AResultAnotherJobWritesOrReadsIsRefused)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("out"));
    std::filesystem::create_directory_symlink(dir.File("out"), dir.File("link"));
    const auto path = [&dir](const char* name) { return QString::fromStdString(dir.File(name)); };
    CLogView log;
    table.SetLogView(&log);
    ASSERT_EQ(table.AddJob(path("a.mp3"), path("out/a_128.mp3"), 128), 0);

    chosen = {path("b.mp3")};
    answers = {Ok(0, false, path("link/a_128.mp3"))};
    commands.OnJobAdd(1);
    EXPECT_EQ(table.JobCount(), 1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0],
              path("link/a_128.mp3") + " is the result of " + path("a.mp3")
                  + " already.\n\nPlease choose another result file.");

    EXPECT_EQ(table.AddJob(path("c.mp3"), path("out/../a.mp3"), 128), -1);
    EXPECT_TRUE(WaitUntil([&] {
        return log.toPlainText().contains(path("c.mp3") + ": " + path("out/../a.mp3")
                                          + " is the source of another job, not added");
    }));

    ASSERT_EQ(table.AddJob(path("d.mp3"), path("out/d_128.mp3"), 128), 1);
    commands.SetSheetRunner([&](CItemPropSheet& sheet) {
        sheet.show();
        sheet.Page()->ResultEdit()->setText(path("link/a_128.mp3"));
        sheet.OkButton()->click();
        return sheet.result();
    });
    commands.ItemPropDlg(1);
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(Cell(1, JobColumns::DestFile), path("out/d_128.mp3"));
}

TEST_F(JobCommandsTest, CancelledChooserAddsNothingButTheSchedulerRuns)
{
    commands.OnJobAdd(0);
    EXPECT_EQ(chooserStarts.size(), 1u);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(table.JobCount(), 0);
    EXPECT_TRUE(table.ThreadsRunning());
}

TEST_F(JobCommandsTest, SameSettingsTickedInTheFirstDialogAddsTheRestDirectly)
{
    chosen = {"/in/a.mp3", "/in/b.mp3", "/in/c.mp3"};
    answers = {Ok(1026, true, "/out/first_128.mp3")};
    commands.OnJobAdd(0);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].sameSettingsEnabled);
    ASSERT_EQ(table.JobCount(), 3);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/out/first_128.mp3");  // typed after the click
    EXPECT_EQ(Cell(1, JobColumns::SourceFile), "/in/b.mp3");
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/out/b_96.mp3");
    EXPECT_EQ(Cell(2, JobColumns::DestFile), "/out/c_96.mp3");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Cell(row, JobColumns::Bitrate), "96");
        EXPECT_EQ(Cell(row, JobColumns::JobId), QString::number(row));
        EXPECT_EQ(Cell(row, JobColumns::Status), "0");
    }
}

TEST_F(JobCommandsTest, WithoutTheBoxEveryFileGetsItsDialogAndOnlyTheLastHasItDisabled)
{
    chosen = {"/in/a.mp3", "/in/b.mp3", "/in/c.mp3"};
    answers = {Ok(), Cancel(), Ok()};  // the second one cancelled
    commands.OnJobAdd(0);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(seen[0].sameSettingsEnabled);
    EXPECT_TRUE(seen[1].sameSettingsEnabled);
    EXPECT_FALSE(seen[2].sameSettingsEnabled);
    ASSERT_EQ(table.JobCount(), 2);
    EXPECT_EQ(Cell(0, JobColumns::SourceFile), "/in/a.mp3");
    EXPECT_EQ(Cell(1, JobColumns::SourceFile), "/in/c.mp3");
    EXPECT_EQ(Cell(1, JobColumns::JobId), "1");
}

TEST_F(JobCommandsTest, TheBoxTakesEffectFromTheFileAfterItsDialog)
{
    chosen = {"/in/a.mp3", "/in/b.mp3", "/in/c.mp3", "/in/d.mp3"};
    answers = {Ok(), Ok(1033, true)};
    commands.OnJobAdd(0);
    ASSERT_EQ(seen.size(), 2u);
    ASSERT_EQ(table.JobCount(), 4);
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "128");
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/in/b_320.mp3");
    EXPECT_EQ(Cell(2, JobColumns::DestFile), "/in/c_320.mp3");
    EXPECT_EQ(Cell(3, JobColumns::DestFile), "/in/d_320.mp3");
    EXPECT_EQ(Cell(3, JobColumns::Bitrate), "320");
}

TEST_F(JobCommandsTest, DefaultNamesOfTheAddCommandAndOfADrop)
{
    env.defaults.Settings().BitRate = "192";
    env.defaults.Settings().DestFolder = "/out";
    chosen = {"/in/x.mp3"};
    answers = {Cancel(), Cancel()};
    commands.OnJobAdd(0);
    commands.OnDropFiles(Urls({"/in/x.mp3"}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].offered, QString("/out/x_192.mp3"));
    EXPECT_EQ(seen[0].bitrate, 192);
    EXPECT_EQ(seen[1].offered, QString("/in/x_128.mp3"));  // 128 whatever the defaults say
    EXPECT_EQ(seen[1].bitrate, 192);                       // while the dialog selects the default
}

TEST_F(JobCommandsTest, DefaultsSavedInOneDialogShapeTheNextOffer)
{
    chosen = {"/in/a.mp3", "/in/b.mp3"};
    answers = {Ok(1024, false, "/saved/a_128.mp3", true)};
    commands.OnJobAdd(0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].offered, QString("/saved/b_64.mp3"));
    EXPECT_EQ(seen[1].bitrate, 64);
}

TEST_F(JobCommandsTest, DropOfAnMp3WithATextFile)
{
    commands.OnDropFiles(Urls({"/in/a.mp3", "/in/b.txt"}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, QString("/in/a.mp3"));
    EXPECT_TRUE(seen[0].sameSettingsEnabled);  // two files remained
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/in/a_128.mp3");
    EXPECT_TRUE(prompts.shown.empty());  // skipped without a word
}

TEST_F(JobCommandsTest, DroppedSongInCapitalsIsAccepted)
{
    commands.OnDropFiles(Urls({"/in/SONG.MP3"}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].offered, QString("/in/SONG_128.mp3"));
    EXPECT_FALSE(seen[0].sameSettingsEnabled);
    EXPECT_EQ(table.JobCount(), 1);
    BatchState batch;
    EXPECT_TRUE(commands.AddDroppedFile("/in/Mixed.Mp3", batch, 1));
    EXPECT_FALSE(commands.AddDroppedFile("/in/notes.mp3.txt", batch, 1));
    EXPECT_FALSE(commands.AddDroppedFile("/in/mp3", batch, 1));
}

TEST_F(JobCommandsTest, DroppedFoldersAndRemoteAddressesAreSkippedButCounted)
{
    const QString folderNamedMp3 = env.folder + "/album.mp3";
    ASSERT_TRUE(QDir().mkpath(folderNamedMp3));
    // The folder comes last: a.mp3 still sees two files remaining.
    commands.OnDropFiles(Urls({"/in/a.mp3", folderNamedMp3}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].sameSettingsEnabled);

    seen.clear();
    commands.OnDropFiles({QUrl("https://example.org/b.mp3"), QUrl::fromLocalFile("/in/c.mp3")});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, QString("/in/c.mp3"));
    EXPECT_FALSE(seen[0].sameSettingsEnabled);
    EXPECT_EQ(table.JobCount(), 2);
}

TEST_F(JobCommandsTest, DroppedBatchWithSameSettings)
{
    answers = {Ok(1031, true, "/out/a_128.mp3")};
    commands.OnDropFiles(Urls({"/in/a.mp3", "/in/skip.wav", "/in/b.mp3"}));
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(table.JobCount(), 2);
    EXPECT_EQ(Cell(1, JobColumns::DestFile), "/out/b_224.mp3");
    EXPECT_EQ(Cell(1, JobColumns::Bitrate), "224");
}

TEST_F(JobCommandsTest, SameSettingsWithoutAFolderPutsTheResultBesideItsSource)
{
    BatchState batch{1, EncodeSettings::Cbr(80), QString(), {}, nullptr};
    EXPECT_TRUE(commands.AddDroppedFile("/in/deep/x.mp3", batch, 1));
    EXPECT_TRUE(seen.empty());
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), "/in/deep/x_80.mp3");
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "80");
}

TEST_F(JobCommandsTest, SameSettingsBatchAsksBeforeReplacingAnExistingFile)
{
    const QString existing = env.MakeFile("b_96.mp3");
    BatchState batch{1, EncodeSettings::Cbr(96), env.folder + "/", {}, nullptr};
    prompts.answer = false;
    commands.AddDroppedFile("/in/b.mp3", batch, 2);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "File " + existing + " already exist, overwrite it?");
    EXPECT_EQ(table.JobCount(), 0);
    prompts.answer = true;
    commands.AddDroppedFile("/in/b.mp3", batch, 1);
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), existing);
}

TEST_F(JobCommandsTest, SourcePathsLongerThanTheSystemTakesAreNotAdded)
{
    const QString longSource = "/in/" + QString(4092, QLatin1Char('s')) + ".mp3";  // 4100 bytes
    chosen = {longSource, "/in/ok.mp3"};
    commands.OnJobAdd(0);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].contains(longSource));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, QString("/in/ok.mp3"));
    EXPECT_EQ(table.JobCount(), 1);
}

TEST_F(JobCommandsTest, DropOnTheViewportIsTakenAsACopyAndHandledAfterwards)
{
    table.setAcceptDrops(true);
    QMimeData mime;
    mime.setUrls(Urls({"/in/a.mp3"}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);

    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_TRUE(seen.empty());  // the drop completes before any dialog opens
    ASSERT_TRUE(WaitUntil([this] { return !seen.empty(); }, 5s));
    EXPECT_EQ(seen[0].source, QString("/in/a.mp3"));
    EXPECT_EQ(table.JobCount(), 1);
}

TEST_F(JobCommandsTest, NoDropsUnlessTheTableTakesThem)
{
    table.setAcceptDrops(false);
    QMimeData mime;
    mime.setUrls(Urls({"/in/a.mp3"}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());

    table.setAcceptDrops(true);
    QMimeData text;
    text.setText("/in/a.mp3");  // plain text is not a file
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table.viewport(), &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
}

TEST_F(JobCommandsTest, ContextMenuHasTheResourceItemsWithTheCommandRules)
{
    table.AddJob("/in/a.mp3", "/in/a_128.mp3", 128);
    table.clearSelection();
    std::unique_ptr<QMenu> menu(commands.BuildContextMenu(&table));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 6);
    const std::pair<const char*, int> expected[]
        = {{"Add", IdJobAdd}, {"Add Folder", IdJobAddFolder}, {"Delete", IdJobDelete}, {"Property", IdJobProperty},
           {"", 0},           {"Settings", IdSettings}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actions[i]->isSeparator(), expected[i].second == 0);
        if (expected[i].second == 0)
            continue;
        EXPECT_EQ(actions[i]->text(), QString(expected[i].first));
        EXPECT_EQ(actions[i]->data().toInt(), expected[i].second);
    }
    // Without a frame: the table's own rules, and Settings is nobody's.
    EXPECT_TRUE(actions[0]->isEnabled());
    EXPECT_FALSE(actions[2]->isEnabled());
    EXPECT_FALSE(actions[3]->isEnabled());
    EXPECT_FALSE(actions[5]->isEnabled());

    table.selectRow(0);
    menu.reset(commands.BuildContextMenu(&table));
    EXPECT_TRUE(menu->actions()[2]->isEnabled());
    EXPECT_TRUE(menu->actions()[3]->isEnabled());
}

TEST_F(JobCommandsTest, ContextMenuCommandsGoThroughTheSinkOnceTheMenuHasClosed)
{
    std::vector<int> executed;
    commands.SetCommandSink({[](int id) { return id != IdJobProperty; }, [&](int id) { executed.push_back(id); },
                             [](int) { return QIcon(); }});
    std::unique_ptr<QMenu> menu(commands.BuildContextMenu(&table));
    EXPECT_FALSE(menu->actions()[3]->isEnabled());
    EXPECT_TRUE(menu->actions()[5]->isEnabled());
    menu->actions()[5]->trigger();
    menu->actions()[2]->trigger();
    EXPECT_TRUE(executed.empty());
    ASSERT_TRUE(WaitUntil([&] { return executed.size() == 2; }, 5s));
    EXPECT_EQ(executed, (std::vector<int>{IdSettings, IdJobDelete}));
}

TEST_F(JobCommandsTest, AddCommandThroughTheTableOpensTheChooser)
{
    chosen = {"/in/a.mp3"};
    table.OnCommand(IdToolAddJob);
    EXPECT_EQ(chooserStarts.size(), 1u);
    EXPECT_EQ(table.JobCount(), 1);
}

TEST(JobCommandsWithoutDefaultsTest, AddStartsInTheBuiltInFolderAndPropertyOpens)
{
    CMyListView table;
    JobCommands commands(table);
    PromptLog prompts;
    commands.SetPrompts(prompts.Prompts());
    QString startFolder;
    commands.SetFileChooser([&](QWidget*, const QString& start) {
        startFolder = start;
        return QStringList{};
    });
    table.Threads().State().SchedulingPaused = 1;
    commands.OnJobAdd(0);
    EXPECT_EQ(startFolder, SettingsStore::Defaults().SourceFolder);

    table.AddJob("/in/a.mp3", "/in/a_128.mp3", 128);
    table.StopThreads();
    bool sheetOpened = false;
    commands.SetSheetRunner([&](CItemPropSheet&) {
        sheetOpened = true;
        return 0;
    });
    commands.ItemPropDlg(0);
    EXPECT_TRUE(sheetOpened);
    EXPECT_TRUE(prompts.shown.empty());
}

// "Per track and album": a folder's files make an album per source folder,
// whose values reach every result of it once its last job ends; a job that
// fails leaves the others of its album with track values, and the log says so.
TEST(JobCommandsAlbumTest, FolderAlbumsGetAlbumValuesUnlessOneOfTheirJobsFails)
{
    TempDir dir;
    for (const char* folder : {"in/good", "in/bad", "out"})
        std::filesystem::create_directories(dir.File(folder));
    const std::vector<std::uint8_t> tone = SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 1.0));
    for (const char* name : {"in/good/1.mp3", "in/good/2.mp3", "in/bad/3.mp3"})
        SyntheticAudio::WriteFile(dir.File(name), tone);
    SyntheticAudio::WriteFile(dir.File("in/bad/4.mp3"), std::vector<std::uint8_t>(4096, 'x'));
    DefaultsInTempDir env{"/music/in", QString::fromStdString(dir.File("out")), "128"};
    env.defaults.Settings().WriteLoudnessTags = LoudnessTags::Album;
    CLogView log;
    CMyListView table;
    table.SetLogView(&log);
    table.Threads().SetPassInterval(20ms);
    table.Threads().SetLoudnessTags(LoudnessTags::Album);
    JobCommands commands(table);
    commands.SetUserDefaults(&env.defaults);
    commands.SetAddDialogRunner([](CJobAddDialog& dialog) {
        dialog.show();
        dialog.OkButton()->click();  // the folder's first file; the rest follow with its settings
        return dialog.result();
    });
    commands.AddFolder(QString::fromStdString(dir.File("in")));
    ASSERT_EQ(table.JobCount(), 4);
    ASSERT_TRUE(WaitUntil([&] { return table.JobCount() == 0 && table.Threads().State().WorkerBusy == 0; }, 60s));

    const auto tagged = [&dir](const char* result, const char* frame) {
        const std::vector<std::uint8_t> bytes = SyntheticAudio::ReadFile(dir.File(result));
        return std::search(bytes.begin(), bytes.end(), frame, frame + std::strlen(frame)) != bytes.end();
    };
    for (const char* result : {"out/good/1_128.mp3", "out/good/2_128.mp3"}) {
        EXPECT_TRUE(tagged(result, "REPLAYGAIN_TRACK_GAIN")) << result;
        EXPECT_TRUE(tagged(result, "REPLAYGAIN_ALBUM_GAIN")) << result;
    }
    EXPECT_TRUE(tagged("out/bad/3_128.mp3", "REPLAYGAIN_TRACK_GAIN"));
    EXPECT_FALSE(tagged("out/bad/3_128.mp3", "REPLAYGAIN_ALBUM_GAIN"));
    const QString text = log.toPlainText();
    EXPECT_TRUE(text.contains(QString::fromStdString("Album " + dir.File("in/bad") + ": 1 of 2 jobs did not complete")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString("Album " + dir.File("in/good") + ": album gain")));
}

}  // namespace

// `vorlanta a.mp3 b.mp3`: no chooser, but the Add command's scheduler start,
// dialogs and same-settings batch.
TEST_F(JobCommandsTest, GivenFilesGoThroughTheAddFlowWithoutTheChooser)
{
    answers = {Ok(1026, true, "/out/first_128.mp3")};
    commands.AddGivenFiles({"/in/a.mp3", "/in/b.mp3"});

    EXPECT_TRUE(chooserStarts.empty());
    EXPECT_TRUE(table.ThreadsRunning());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, QString("/in/a.mp3"));
    EXPECT_TRUE(seen[0].sameSettingsEnabled);
    ASSERT_EQ(table.JobCount(), 2);
    EXPECT_EQ(Cell(1, JobColumns::SourceFile), "/in/b.mp3");
}

namespace {

// Files with a few bytes under `root`, made with their folders.
void MakeFiles(const QString& root, const QStringList& relatives)
{
    for (const QString& relative : relatives) {
        const QString path = root + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ID3");
    }
}

}  // namespace

// A folder (chosen, or dropped) becomes one batch in name order: one dialog
// for the first file, whose offer keeps its sub-folders under the default
// result folder, with "Use Same Settings" ticked; the rest follow with that
// dialog's bitrate, each below the same sub-folders as its source. Without a
// result folder the results lie beside their sources.
TEST_F(JobCommandsTest, FolderKeepsItsTreeUnderTheResultFolderInNameOrder)
{
    const QString music = env.folder + "/Music";
    const QString out = env.folder + "/OUT";
    MakeFiles(music, {"B/x/02.mp3", "A/y/02.mp3", "A/y/01.MP3", "top.mp3", "A/notes.txt"});
    env.defaults.Settings().DestFolder = out;
    answers = {Ok(1026)};  // 96K; the box is already ticked
    commands.AddFolder(music);

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, music + "/A/y/01.MP3");
    EXPECT_EQ(seen[0].offered, out + "/A/y/01_128.mp3");
    const QStringList sources{"A/y/01.MP3", "A/y/02.mp3", "B/x/02.mp3", "top.mp3"};
    const QStringList results{"A/y/01_96.mp3", "A/y/02_96.mp3", "B/x/02_96.mp3", "top_96.mp3"};
    ASSERT_EQ(table.JobCount(), 4);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Cell(row, JobColumns::SourceFile), music + "/" + sources[row]);
        EXPECT_EQ(Cell(row, JobColumns::DestFile), out + "/" + results[row]);
        EXPECT_EQ(Cell(row, JobColumns::Bitrate), "96");
    }

    env.defaults.Settings().DestFolder = "c";
    answers = {Ok()};
    commands.OnDropFiles(Urls({music}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].offered, music + "/A/y/01_128.mp3");
    ASSERT_EQ(table.JobCount(), 8);
    for (int row = 4; row < 8; ++row)
        EXPECT_EQ(Cell(row, JobColumns::DestFile), music + "/" + QString(results[row - 4]).replace("_96", "_128"));
}

// Existing results: "No to all" keeps every later one and adds none of their
// jobs without asking again; "Yes to all" replaces the rest unasked. The
// choice is offered while more files follow.
TEST_F(JobCommandsTest, YesOrNoToAllHoldsForTheRestOfTheFolder)
{
    const QString music = env.folder + "/Music";
    MakeFiles(music, {"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
    const QString results = env.folder + "/Results";
    MakeFiles(results, {"b_128.mp3", "c_128.mp3", "d_128.mp3"});
    env.defaults.Settings().DestFolder = results;

    prompts.replaceAnswers = {ReplaceRule::Answer::NoToAll};
    answers = {Ok()};
    commands.AddFolder(music);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.replaceOfferedAll, std::vector<bool>{true});
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), results + "/a_128.mp3");

    // Converted meanwhile: a_128.mp3 may be written again.
    table.SetCellText(0, JobColumns::Status, "100%");
    prompts.replaceAnswers = {ReplaceRule::Answer::Yes, ReplaceRule::Answer::YesToAll};
    answers = {Ok()};
    commands.AddFolder(music);
    EXPECT_EQ(prompts.asked.size(), 3u);  // b and c asked, d not
    ASSERT_EQ(table.JobCount(), 5);
    EXPECT_EQ(Cell(4, JobColumns::DestFile), results + "/d_128.mp3");
}

// Enter on a selected row opens its properties, as a double click does;
// without a selected row it does nothing.
TEST_F(JobCommandsTest, EnterOnASelectedRowOpensItsProperties)
{
    table.AddJob("/in/a.mp3", "/in/a_128.mp3", 128);
    int sheets = 0;
    commands.SetSheetRunner([&](CItemPropSheet&) {
        ++sheets;
        return 0;
    });
    const auto pressEnter = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&table, &press);
    };
    table.clearSelection();
    pressEnter(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(sheets, 0);
    table.selectRow(0);
    pressEnter(Qt::Key_Return, Qt::NoModifier);
    pressEnter(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(sheets, 2);
}

// The file chooser starts in the source folder the settings name; without
// one, where the last Add of this run chose from.
TEST_F(JobCommandsTest, TheChooserStartsWhereTheLastAddChoseFromUnlessTheSettingsNameAFolder)
{
    env.defaults.Settings().SourceFolder = SettingsStore::DefaultSourceFolder();
    chosen = {"/lib/Album/x.mp3"};
    commands.OnJobAdd(1);
    chosen = {};
    commands.OnJobAdd(1);
    env.defaults.Settings().SourceFolder = "/music/picked";
    commands.OnJobAdd(1);
    EXPECT_EQ(chooserStarts,
              (std::vector<QString>{SettingsStore::DefaultSourceFolder(), "/lib/Album", "/music/picked"}));
}

// Folder flows. The first file keeps its place in the tree too when the
// result folder is typed or chosen with "..." rather than offered.
TEST_F(JobCommandsTest, EveryFileOfAFolderKeepsItsPlaceInTheTreeTheFirstIncluded)
{
    const QString music = env.folder + "/Library";
    MakeFiles(music, {"Band/Album/01.mp3", "Band/Album/02.mp3", "Other/03.mp3"});
    const QString out = env.folder + "/out/lib";
    answers = {Ok(0, false, out + "/01_128.mp3")};  // the folder typed (or chosen), without the album's folders
    commands.AddFolder(music);
    ASSERT_EQ(table.JobCount(), 3);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), out + "/Band/Album/01_128.mp3");
    EXPECT_EQ(Cell(1, JobColumns::DestFile), out + "/Band/Album/02_128.mp3");
    EXPECT_EQ(Cell(2, JobColumns::DestFile), out + "/Other/03_128.mp3");
}

// "No to all" on the first file: no more dialogs, and the rest of the batch
// goes on with the settings of that dialog (its bitrate, its folder).
TEST_F(JobCommandsTest, AfterNoToAllTheRestOfTheFolderGoesOnWithTheChosenSettings)
{
    const QString music = env.folder + "/Music";
    MakeFiles(music, {"a.mp3", "b.mp3", "c.mp3"});
    const QString results = env.folder + "/Results";
    MakeFiles(results, {"a_96.mp3", "c_96.mp3"});
    prompts.replaceAnswers = {ReplaceRule::Answer::NoToAll};
    answers = {Ok(1026, false, results + "/a_96.mp3")};  // 96K, into Results
    commands.AddFolder(music);
    EXPECT_EQ(seen.size(), 1u);
    ASSERT_EQ(table.JobCount(), 1);
    EXPECT_EQ(Cell(0, JobColumns::DestFile), results + "/b_96.mp3");
    EXPECT_EQ(Cell(0, JobColumns::Bitrate), "96");
    EXPECT_EQ(prompts.asked.size(), 1u);  // c kept unasked
}
