// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CSettingProp.h"

#include "base/CFolderChooser.h"
#include "base/SettingsRecord.h"
#include "base/SettingsStore.h"

#include "FrameTestKit.h"
#include "TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace {

SettingsRecord Record(const char* bitRate)
{
    return {QStringLiteral("/music/in"), QStringLiteral("/music/out"), QString::fromLatin1(bitRate)};
}

// A folder browser that remembers where it was asked to start.
struct BrowseLog {
    std::vector<QString> starts;
    QString answer;

    CSettingProp::FolderBrowser Browser()
    {
        return [this](QWidget*, const QString& start) {
            starts.push_back(start);
            return answer;
        };
    }
};

void SelectBitRate(CSettingProp& sheet, const QString& entry)
{
    const int index = sheet.BitRateCombo()->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    sheet.BitRateCombo()->setCurrentIndex(index);
}

TEST(SettingPropTest, BitRateListIsAscendingWithBlankPaddedTwoDigitEntries)
{
    const QStringList entries = CSettingProp::BitRateEntries();
    ASSERT_EQ(entries.size(), 14);
    EXPECT_EQ(entries.front(), QStringLiteral(" 32"));
    EXPECT_EQ(entries.back(), QStringLiteral("320"));
    for (int i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].size(), 3) << entries[i].toStdString();
        if (i > 0) {
            EXPECT_LT(entries[i - 1].trimmed().toInt(), entries[i].trimmed().toInt());
        }
    }

    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    ASSERT_EQ(sheet.BitRateCombo()->count(), entries.size());
    for (int i = 0; i < entries.size(); ++i)
        EXPECT_EQ(sheet.BitRateCombo()->itemText(i), entries[i]);
}

TEST(SettingPropTest, PageShowsTheRecord)
{
    const struct {
        const char* record;
        const char* selected;
    } cases[] = {{"32", " 32"}, {"320", "320"}, {"96", " 96"}, {" 96", " 96"}, {"128", "128"}, {"64", " 64"}};
    for (const auto& c : cases) {
        SettingsRecord record = Record(c.record);
        CSettingProp sheet(record);
        EXPECT_EQ(sheet.BitRateCombo()->currentText(), QString::fromLatin1(c.selected)) << c.record;
        EXPECT_EQ(sheet.SourceFolderEdit()->text(), record.SourceFolder);
        EXPECT_EQ(sheet.DestFolderEdit()->text(), record.DestFolder);
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    }

    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Settings"));
    ASSERT_EQ(sheet.Tabs()->count(), 1);
    EXPECT_EQ(sheet.Tabs()->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(sheet.SourceFolderEdit()->maxLength(), 4095);
    EXPECT_EQ(sheet.DestFolderEdit()->maxLength(), 4095);
}

TEST(SettingPropTest, OkCopiesThePageIntoTheRecord)
{
    SettingsRecord record = Record("32");
    CSettingProp sheet(record);
    sheet.show();
    sheet.SourceFolderEdit()->setText(QStringLiteral("/new/in"));
    sheet.DestFolderEdit()->setText(QStringLiteral("/new/out"));
    SelectBitRate(sheet, QStringLiteral(" 96"));
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());

    sheet.OkButton()->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(record.SourceFolder, QStringLiteral("/new/in"));
    EXPECT_EQ(record.DestFolder, QStringLiteral("/new/out"));
    EXPECT_EQ(record.BitRate, QStringLiteral(" 96"));
    EXPECT_EQ(record.BitRate.trimmed().toInt(), 96);
    EXPECT_EQ(record.SimultaneousConversions, 1);
}

TEST(SettingPropTest, SimultaneousConversionsRangeFromOneToTheCores)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    sheet.show();
    QSpinBox& box = *sheet.SimultaneousBox();
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(box.minimum(), 1);
    EXPECT_EQ(box.maximum(), SettingsStore::MaxSimultaneousConversions());
    box.setValue(box.maximum());
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    sheet.OkButton()->click();
    EXPECT_EQ(record.SimultaneousConversions, SettingsStore::MaxSimultaneousConversions());
}

TEST(SettingPropTest, OkWithoutChangesKeepsATwoDigitRateReadable)
{
    SettingsRecord record = Record("32");
    CSettingProp sheet(record);
    sheet.show();
    sheet.OkButton()->click();
    EXPECT_EQ(record.BitRate, QStringLiteral(" 32"));
    EXPECT_EQ(record.SourceFolder, QStringLiteral("/music/in"));
}

TEST(SettingPropTest, CancelAloneChangesNothing)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    sheet.show();
    sheet.SourceFolderEdit()->setText(QStringLiteral("/x"));
    sheet.DestFolderEdit()->setText(QStringLiteral("/y"));
    SelectBitRate(sheet, QStringLiteral("320"));
    sheet.CancelButton()->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(record.SourceFolder, QStringLiteral("/music/in"));
    EXPECT_EQ(record.DestFolder, QStringLiteral("/music/out"));
    EXPECT_EQ(record.BitRate, QStringLiteral("128"));
}

TEST(SettingPropTest, ApplyThenCancelKeepsWhatWasApplied)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    sheet.show();
    sheet.DestFolderEdit()->setText(QStringLiteral("/applied"));
    SelectBitRate(sheet, QStringLiteral(" 48"));
    sheet.ApplyButton()->click();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    EXPECT_EQ(record.DestFolder, QStringLiteral("/applied"));
    EXPECT_EQ(record.BitRate, QStringLiteral(" 48"));

    // Changes after the Apply are dropped by Cancel.
    sheet.DestFolderEdit()->setText(QStringLiteral("/later"));
    SelectBitRate(sheet, QStringLiteral("256"));
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    sheet.CancelButton()->click();
    EXPECT_EQ(record.DestFolder, QStringLiteral("/applied"));
    EXPECT_EQ(record.BitRate, QStringLiteral(" 48"));
    EXPECT_EQ(record.SourceFolder, QStringLiteral("/music/in"));
}

TEST(SettingPropTest, ARateTheListDoesNotOfferIsKept)
{
    SettingsRecord record = Record("999");
    CSettingProp sheet(record);
    EXPECT_EQ(sheet.BitRateCombo()->currentIndex(), -1);
    sheet.show();
    sheet.DestFolderEdit()->setText(QStringLiteral("/changed"));
    sheet.OkButton()->click();
    EXPECT_EQ(record.DestFolder, QStringLiteral("/changed"));
    EXPECT_EQ(record.BitRate, QStringLiteral("999"));

    SettingsRecord blank = Record("");
    CSettingProp blankSheet(blank);
    EXPECT_EQ(blankSheet.BitRateCombo()->currentIndex(), -1);
}

TEST(SettingPropTest, BrowsingStartsAtTheRecordedFolder)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    BrowseLog browse;
    sheet.SetFolderBrowser(browse.Browser());

    sheet.DestFolderEdit()->setText(QStringLiteral("/typed/elsewhere"));
    sheet.DestBrowseButton()->click();
    sheet.SourceBrowseButton()->click();
    ASSERT_EQ(browse.starts.size(), 2u);
    EXPECT_EQ(browse.starts[0], QStringLiteral("/music/out"));
    EXPECT_EQ(browse.starts[1], QStringLiteral("/music/in"));

    // After an Apply the record, and so the start, is the applied folder.
    sheet.ApplyButton()->click();
    sheet.DestBrowseButton()->click();
    EXPECT_EQ(browse.starts.back(), QStringLiteral("/typed/elsewhere"));
}

TEST(SettingPropTest, BrowsedFolderFillsItsBoxOnly)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    sheet.show();
    BrowseLog browse;
    sheet.SetFolderBrowser(browse.Browser());

    // A cancelled browse changes nothing.
    sheet.SourceBrowseButton()->click();
    EXPECT_EQ(sheet.SourceFolderEdit()->text(), QStringLiteral("/music/in"));
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());

    sheet.DestFolderEdit()->setText(QStringLiteral("/typed"));
    SelectBitRate(sheet, QStringLiteral("160"));
    browse.answer = QStringLiteral("/chosen/source");
    sheet.SourceBrowseButton()->click();
    EXPECT_EQ(sheet.SourceFolderEdit()->text(), QStringLiteral("/chosen/source"));
    EXPECT_EQ(sheet.DestFolderEdit()->text(), QStringLiteral("/typed"));
    EXPECT_EQ(sheet.BitRateCombo()->currentText(), QStringLiteral("160"));
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());

    sheet.OkButton()->click();
    EXPECT_EQ(record.SourceFolder, QStringLiteral("/chosen/source"));
    EXPECT_EQ(record.DestFolder, QStringLiteral("/typed"));
    EXPECT_EQ(record.BitRate, QStringLiteral("160"));
}

TEST(SettingPropTest, AFolderTooLongForTheRecordIsRefused)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    BrowseLog browse;
    std::vector<QString> notices;
    sheet.SetFolderBrowser(browse.Browser());
    sheet.SetNotice([&](QWidget*, const QString& text) { notices.push_back(text); });

    browse.answer = QLatin1Char('/') + QString(4095, QLatin1Char('d'));  // a byte more than the system takes
    sheet.DestBrowseButton()->click();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].contains(browse.answer));
    EXPECT_EQ(sheet.DestFolderEdit()->text(), QStringLiteral("/music/out"));

    browse.answer.chop(1);  // exactly 4095 bytes fit
    sheet.DestBrowseButton()->click();
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(sheet.DestFolderEdit()->text(), browse.answer);
}

TEST(SettingPropTest, TheBrowseButtonOpensTheFolderChooser)
{
    TempDir temp;
    const QString start = QString::fromStdString(temp.Path());
    SettingsRecord record{start, start, QStringLiteral("128")};
    CSettingProp sheet(record);
    sheet.show();

    QString seenStart;
    bool sawChooser = false;
    QTimer::singleShot(0, &sheet, [&] {
        ProcessEventsUntil([] { return QApplication::activeModalWidget() != nullptr; });
        auto* chooser = qobject_cast<CFolderChooser*>(QApplication::activeModalWidget());
        sawChooser = chooser != nullptr;
        if (!chooser)
            return;
        seenStart = chooser->PathEdit()->text();
        chooser->PathEdit()->setText(start + QStringLiteral("/sub"));
        chooser->OkButton()->click();
    });
    ModalBoxCatcher answerYes(QMessageBox::Yes);
    sheet.SourceBrowseButton()->click();
    ASSERT_TRUE(sawChooser);
    EXPECT_EQ(seenStart, start);
    EXPECT_EQ(sheet.SourceFolderEdit()->text(), start + QStringLiteral("/sub"));
    EXPECT_EQ(answerYes.Boxes().size(), 1u);
}

}  // namespace

// Every control of the General page lies inside the page and clear of the
// others, the split check box and the loudness choice included.
TEST(SettingPropTest, GeneralPageControlsDoNotOverlap)
{
    SettingsRecord record = Record("128");
    CSettingProp sheet(record);
    sheet.show();
    QWidget* page = sheet.GeneralPage();
    const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_GE(controls.size(), 2);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect box = controls[i]->geometry();
        EXPECT_TRUE(page->rect().contains(box)) << controls[i]->metaObject()->className();
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(box.intersects(controls[j]->geometry()))
                << controls[i]->metaObject()->className() << " and " << controls[j]->metaObject()->className();
    }
    if (const QByteArray shot = qgetenv("VORLANTA_GRAB"); !shot.isEmpty())
        sheet.grab().save(QString::fromLocal8Bit(shot));
}
