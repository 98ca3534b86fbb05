// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CJobAddDialog.h"

#include "JobDialogKit.h"
#include "base/CHelpWindow.h"
#include "base/DialogUnits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class JobAddDialogTest : public ::testing::Test {
protected:
    // Sets the dialog up as the add flows do and opens it (which runs Init).
    void Open(const QString& source, const QString& offered, bool lastFile = false)
    {
        dialog.SetPrompts(prompts.Prompts());
        dialog.SetUserDefaults(&env.defaults);
        dialog.SetSource(source);
        dialog.SetResult(offered);
        if (lastFile)
            dialog.SetLastFile(1);
        dialog.show();
    }

    void Click(int bitrateId)
    {
        ASSERT_NE(dialog.BitrateRadio(bitrateId), nullptr);
        dialog.BitrateRadio(bitrateId)->click();
    }

    bool Accepted() const { return dialog.result() == QDialog::Accepted && !dialog.isVisible(); }

    DefaultsInTempDir env{"/music/in", "c", "128"};
    PromptLog prompts;
    CJobAddDialog dialog;
};

TEST_F(JobAddDialogTest, HasTheControlsCaptionsAndPlacesOfTheResource)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.windowTitle(), QString("Add Job"));
    EXPECT_EQ(dialog.size(), units.Size(470, 239));  // wider for the mode group
    EXPECT_FALSE(dialog.SourceEdit()->isEnabled());
    EXPECT_TRUE(dialog.ResultEdit()->isEnabled());
    EXPECT_EQ(dialog.SourceEdit()->geometry(), units.Rect(55, 16, 280, 14));
    EXPECT_EQ(dialog.ResultEdit()->geometry(), units.Rect(55, 43, 280, 15));
    EXPECT_EQ(dialog.BrowseButton()->geometry(), units.Rect(346, 43, 11, 14));
    EXPECT_EQ(dialog.BrowseButton()->text(), QString("..."));
    EXPECT_EQ(dialog.BitrateGroup()->title(), QString("Bitrate(Result File)"));
    EXPECT_EQ(dialog.BitrateGroup()->geometry(), units.Rect(15, 69, 319, 78));
    EXPECT_EQ(dialog.SameSettingsBox()->text(), QString("Use Same Settings for this batch of files"));
    EXPECT_EQ(dialog.SameSettingsBox()->geometry(), units.Rect(19, 158, 314, 9));
    EXPECT_EQ(dialog.SaveAsDefaultBox()->text(), QString("Save as Default Settings"));
    EXPECT_EQ(dialog.OkButton()->geometry(), units.Rect(73, 218, 50, 14));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_EQ(dialog.CancelButton()->geometry(), units.Rect(161, 218, 50, 14));
    EXPECT_EQ(dialog.HelpButton()->text(), QString("Help"));
    EXPECT_EQ(dialog.HelpButton()->geometry(), units.Rect(255, 217, 47, 15));

    const std::pair<const char*, int> expected[]
        = {{"32K", 32},   {"40K", 40},   {"48K", 48},   {"56K", 56},   {"64K", 64},   {"80K", 80},   {"96K", 96},
           {"112K", 112}, {"128K", 128}, {"160K", 160}, {"192K", 192}, {"224K", 224}, {"256K", 256}, {"320K", 320}};
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(i);
        QRadioButton* radio = dialog.BitrateRadio(1020 + i);
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->text(), QString(expected[i].first));
        EXPECT_EQ(CJobAddDialog::BitrateOfButton(1020 + i), expected[i].second);
        EXPECT_EQ(radio->y(), units.Y(i < 7 ? 95 : 119));
        // Both rows start at x 26 and grow to the right.
        EXPECT_EQ(radio->x(), dialog.BitrateRadio(1020 + i % 7 + (i < 7 ? 0 : 7))->x());
        if (i % 7 > 0) {
            EXPECT_GT(radio->x(), dialog.BitrateRadio(1020 + i - 1)->x());
        }
        // Every button lies inside the group box's frame.
        EXPECT_TRUE(dialog.BitrateGroup()->geometry().contains(radio->geometry())) << radio->text().toStdString();
    }
    EXPECT_EQ(dialog.BitrateRadio(1020)->x(), units.X(26));
    EXPECT_EQ(dialog.BitrateRadio(1026)->x(), units.X(284));
    EXPECT_EQ(dialog.BitrateRadio(1019), nullptr);
    EXPECT_EQ(dialog.BitrateRadio(1034), nullptr);
}

// The resource's order, with the fourteen rates one stop that lands on the
// checked rate, wherever the user moved the check.
TEST_F(JobAddDialogTest, TabOrderFollowsTheResourceAndLandsOnTheCheckedRate)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    for (const int checked : {1028, 1026}) {
        SCOPED_TRACE(checked);
        dialog.BitrateRadio(checked)->click();
        std::vector<QWidget*> expected{dialog.ResultEdit(), dialog.BrowseButton(), dialog.BitrateRadio(checked),
                                       dialog.ModeCombo()};
        for (QWidget* w :
             std::initializer_list<QWidget*>{dialog.SameSettingsBox(), dialog.SaveAsDefaultBox(), dialog.OkButton(),
                                             dialog.CancelButton(), dialog.HelpButton()})
            expected.push_back(w);

        std::vector<QWidget*> chain;
        QWidget* w = dialog.ResultEdit();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            chain.push_back(w);
            do {
                w = w->nextInFocusChain();
            } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
        }
        EXPECT_EQ(chain, expected);
        EXPECT_EQ(w, dialog.ResultEdit());  // and round again
    }
}

TEST_F(JobAddDialogTest, InitSelectsTheDefaultBitrateAndKeepsTheOfferedName)
{
    env.defaults.Settings().BitRate = "192";
    Open("/in/x.mp3", "/in/x_128.mp3");
    EXPECT_EQ(dialog.Bitrate(), 192);
    EXPECT_TRUE(dialog.BitrateRadio(1030)->isChecked());
    EXPECT_FALSE(dialog.BitrateRadio(1028)->isChecked());
    // The name is offered as the caller made it, even with another rate in it.
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/in/x_128.mp3"));
    EXPECT_EQ(dialog.SourceEdit()->text(), QString("/in/x.mp3"));
    EXPECT_FALSE(dialog.SameSettingsBox()->isChecked());
    EXPECT_FALSE(dialog.SaveAsDefaultBox()->isChecked());
    EXPECT_TRUE(dialog.SameSettingsBox()->isEnabled());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(JobAddDialogTest, InitFallsBackTo128ForARateNotOffered)
{
    for (const char* text : {"100", "", "abc", "1280"}) {
        SCOPED_TRACE(text);
        env.defaults.Settings().BitRate = text;
        CJobAddDialog fresh;
        fresh.SetUserDefaults(&env.defaults);
        fresh.SetSource("/in/x.mp3");
        fresh.show();
        EXPECT_EQ(fresh.Bitrate(), 128);
        EXPECT_TRUE(fresh.BitrateRadio(1028)->isChecked());
    }
    env.defaults.Settings().BitRate = " 96";  // as the settings page stores it
    CJobAddDialog padded;
    padded.SetUserDefaults(&env.defaults);
    padded.show();
    EXPECT_EQ(padded.Bitrate(), 96);
    EXPECT_TRUE(padded.BitrateRadio(1026)->isChecked());
}

TEST_F(JobAddDialogTest, LastFileDisablesTheSameSettingsBox)
{
    Open("/in/x.mp3", "/in/x_128.mp3", true);
    EXPECT_FALSE(dialog.SameSettingsBox()->isEnabled());
    EXPECT_TRUE(dialog.SaveAsDefaultBox()->isEnabled());
}

TEST(JobAddDialogWithoutDefaultsTest, StartsAt128AndSaysWhenDefaultsCannotBeSaved)
{
    PromptLog prompts;
    CJobAddDialog dialog;
    dialog.SetPrompts(prompts.Prompts());
    dialog.SetSource("/in/x.mp3");
    dialog.SetResult("/in/x_128.mp3");
    dialog.show();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(dialog.Bitrate(), 128);
    EXPECT_TRUE(dialog.BitrateRadio(1028)->isChecked());

    dialog.SaveSettings();
    EXPECT_EQ(prompts.shown, std::vector<QString>{"The default settings could not be saved."});

    // A settings file that cannot be written is said, not passed over.
    UserDefaults unwritable(SettingsStore({"/proc/vorlanta", "/proc/vorlanta", [](const QString&) { return true; }}));
    dialog.SetUserDefaults(&unwritable);
    dialog.SaveSettings();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(unwritable.Settings().SourceFolder, QString("/in"));  // kept for this run
}

TEST_F(JobAddDialogTest, BitrateClickRebuildsTheResultName)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    Click(1030);
    EXPECT_EQ(dialog.Bitrate(), 192);
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/in/x_192.mp3"));
    Click(1020);
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/in/x_32.mp3"));
    EXPECT_TRUE(dialog.BitrateRadio(1020)->isChecked());
    EXPECT_FALSE(dialog.BitrateRadio(1030)->isChecked());
}

TEST_F(JobAddDialogTest, RebuildWorksOnTheTypedNameAndNeverCutsAFolder)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    struct Case {
        const char* typed;
        int button;
        const char* rebuilt;
    };
    const Case cases[] = {
        {"/out/mine_128.mp3", 1021, "/out/mine_40.mp3"},              // typed text counts
        {"/my_music/song.mp3", 1030, "/my_music/song_192.mp3"},       // "_" only in a folder
        {"/out/song", 1033, "/out/song_320.mp3"},                     // no extension at all
        {"/a_b/c_d/take_2_128.mp3", 1026, "/a_b/c_d/take_2_96.mp3"},  // the last "_" of the name
        {"", 1029, "/in/x_160.mp3"},                                  // empty: from the source
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        dialog.ResultEdit()->setText(c.typed);
        Click(c.button);
        EXPECT_EQ(dialog.ResultEdit()->text(), QString(c.rebuilt));
    }
}

TEST_F(JobAddDialogTest, OkWithoutResultIsRefused)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    dialog.ResultEdit()->clear();
    dialog.OkButton()->click();
    EXPECT_EQ(prompts.shown, std::vector<QString>{"You Must Enter File Name of Result File"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    // The values stay for the user to correct.
    dialog.ResultEdit()->setText("/in/y_128.mp3");
    dialog.OkButton()->click();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dialog.Result(), QString("/in/y_128.mp3"));
}

TEST_F(JobAddDialogTest, ResultEqualToSourceIsRefused)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    dialog.ResultEdit()->setText("/in/x.mp3");
    dialog.OkButton()->click();
    EXPECT_EQ(prompts.shown, std::vector<QString>{"Result File must different from Source File!"});
    EXPECT_TRUE(dialog.isVisible());

    // A bare name lies beside the source, so it is the source too.
    dialog.ResultEdit()->setText("x.mp3");
    dialog.OkButton()->click();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown.back(), QString("Result File must different from Source File!"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(JobAddDialogTest, ResultWithoutFolderGoesBesideTheSource)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    dialog.ResultEdit()->setText("other_64.mp3");
    dialog.OkButton()->click();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dialog.Result(), QString("/in/other_64.mp3"));
}

TEST_F(JobAddDialogTest, ExistingResultAsksBeforeOverwriting)
{
    const QString existing = env.MakeFile("x_128.mp3");
    Open(env.folder + "/x.mp3", existing);
    prompts.answer = false;
    dialog.OkButton()->click();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "File " + existing + " already exist, overwrite it?");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    prompts.answer = true;
    dialog.OkButton()->click();
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_TRUE(Accepted());

    // A result that does not exist is accepted without a question.
    CJobAddDialog other;
    other.SetPrompts(prompts.Prompts());
    other.SetUserDefaults(&env.defaults);
    other.SetSource(env.folder + "/x.mp3");
    other.SetResult(env.folder + "/new_128.mp3");
    other.show();
    other.OkButton()->click();
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(other.result(), QDialog::Accepted);
}

// The system takes paths of up to 4095 bytes (PATH_MAX with its NUL); a
// deep library's 300-character path is no reason to refuse a job.
TEST_F(JobAddDialogTest, PathsUpToWhatTheSystemAcceptsAreTakenLongerOnesRefused)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    const QString deep = "/out/" + QString(300, QLatin1Char('n')) + "_128.mp3";
    dialog.ResultEdit()->setText(deep);
    dialog.OkButton()->click();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(Accepted());

    Open("/in/x.mp3", "/in/x_128.mp3");
    // Two bytes a letter: 2042 letters and the rest make 4096 bytes.
    const QString longName = "/ou/" + QString(2042, QChar(0xe9)) + "_128.mp3";
    ASSERT_EQ(QFile::encodeName(longName).size(), 4096);
    dialog.ResultEdit()->setText(longName);
    EXPECT_EQ(dialog.ResultEdit()->text(), longName);
    dialog.OkButton()->click();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].contains("longer than 4095 bytes")) << prompts.shown[0].toStdString();
    EXPECT_TRUE(dialog.isVisible());

    const QString fits = "/" + longName.mid(2);  // one byte less
    dialog.ResultEdit()->setText(fits);
    dialog.OkButton()->click();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dialog.Result(), fits);
}

TEST_F(JobAddDialogTest, SaveAsDefaultStoresFoldersAndRateAndWritesTheFileAtOnce)
{
    // Folders that exist: a stored folder that does not reads as empty.
    const QString in = env.folder + "/in";
    const QString out = env.folder + "/out";
    ASSERT_TRUE(QDir().mkpath(in) && QDir().mkpath(out));
    Open(in + "/x.mp3", out + "/x_128.mp3");
    Click(1030);
    dialog.SaveAsDefaultBox()->click();
    EXPECT_EQ(dialog.SaveAsDefault(), 1);
    dialog.OkButton()->click();
    ASSERT_TRUE(Accepted());
    EXPECT_EQ(env.defaults.Settings().SourceFolder, in);
    EXPECT_EQ(env.defaults.Settings().DestFolder, out);
    EXPECT_EQ(env.defaults.Settings().BitRate, QString("192"));

    SettingsRecord onDisk;
    SettingsStore({env.folder, env.folder + "/fallback", &SettingsStore::IsWritableFolder}).ReadSettingsFile(onDisk);
    EXPECT_EQ(onDisk.SourceFolder, in);
    EXPECT_EQ(onDisk.DestFolder, out);
    EXPECT_EQ(onDisk.BitRate, QString("192"));
}

TEST_F(JobAddDialogTest, WithoutTheBoxNothingIsSaved)
{
    Open("/in/x.mp3", "/out/x_128.mp3");
    dialog.OkButton()->click();
    ASSERT_TRUE(Accepted());
    EXPECT_EQ(env.defaults.Settings().SourceFolder, QString("/music/in"));
    EXPECT_FALSE(QFile::exists(env.ConfigPath()));
}

TEST_F(JobAddDialogTest, SaveSettingsForAFileInTheRootStoresTheRoot)
{
    Open("/x.mp3", "/x_96.mp3");
    Click(1026);
    dialog.SaveSettings();
    EXPECT_EQ(env.defaults.Settings().SourceFolder, QString("/"));
    EXPECT_EQ(env.defaults.Settings().DestFolder, QString("/"));
    EXPECT_EQ(env.defaults.Settings().BitRate, QString("96"));
}

TEST_F(JobAddDialogTest, BrowseMovesTheResultToTheChosenFolderKeepingItsName)
{
    std::vector<std::vector<QString>> calls;
    QString answer = "/elsewhere/deep";
    dialog.SetFolderBrowser([&](QWidget*, const QString& caption, const QString& instruction, const QString& start) {
        calls.push_back({caption, instruction, start});
        return answer;
    });
    Open("/in/x.mp3", "/out/x_128.mp3");
    dialog.BrowseButton()->click();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::vector<QString>{"Choose Result File Folder", "Result file save to ...", "/out"}));
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/elsewhere/deep/x_128.mp3"));

    answer = "/";  // the root gives one separator, not two
    dialog.BrowseButton()->click();
    EXPECT_EQ(calls[1][2], QString("/elsewhere/deep"));
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/x_128.mp3"));

    answer = "/back";  // a result in the root starts browsing at the root
    dialog.BrowseButton()->click();
    EXPECT_EQ(calls[2][2], QString("/"));
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/back/x_128.mp3"));

    answer.clear();  // cancelled
    dialog.BrowseButton()->click();
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/back/x_128.mp3"));

    dialog.ResultEdit()->setText("plain_128.mp3");  // no folder to start from
    dialog.BrowseButton()->click();
    EXPECT_EQ(calls.size(), 4u);
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("plain_128.mp3"));
}

TEST_F(JobAddDialogTest, HelpShowsTheDialogsPage)
{
    Open("/in/x.mp3", "/in/x_128.mp3");
    EXPECT_EQ(dialog.HelpWindow(), nullptr);
    dialog.HelpButton()->click();
    ASSERT_NE(dialog.HelpWindow(), nullptr);
    EXPECT_TRUE(dialog.HelpWindow()->isVisible());
    EXPECT_EQ(dialog.HelpWindow()->Topic(), QUrl::fromLocalFile(CHelpWindow::HelpFolder() + "/addjobdlg.htm"));
    EXPECT_TRUE(dialog.isVisible());  // the dialog stays open
}

}  // namespace

// "Yes to all" and "No to all" have access keys, as Yes and No have.
TEST(ReplaceQuestionTest, AllButtonsHaveAccessKeys)
{
    QStringList texts;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !texts.isEmpty())
            return;
        for (QAbstractButton* button : box->buttons())
            texts << button->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == JobPrompts::kNoToAllButton())
                button->click();
        }
    });
    look.start(5);
    EXPECT_EQ(JobPrompts::Defaults().AskReplace(nullptr, "File x already exist, overwrite it?", true),
              ReplaceRule::Answer::NoToAll);
    EXPECT_TRUE(texts.contains("Yes to &all") && texts.contains("No &to all")) << texts.join('|').toStdString();
}
