// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "convert/LoudnessTagging.h"
#include "convert/PathLimit.h"

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

struct SettingsRecord;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QWidget;

// The "Settings" sheet with its one page, "General": the default source
// folder, the default destination folder, the default bitrate and the number
// of simultaneous conversions of the SettingsRecord it is given. OK and Apply copy the page into the record;
// Cancel leaves the record as it is (after an Apply, as that Apply left it).
// The record reaches the settings file at exit.
class CSettingProp : public QDialog {
    Q_OBJECT

public:
    static QString kCaption() { return QCoreApplication::translate("CSettingProp", "Settings"); }
    static QString kPageCaption() { return QCoreApplication::translate("CSettingProp", "General"); }
    static QString kBrowseInstruction() { return QCoreApplication::translate("CSettingProp", "Please Choose Folder"); }
    static QString kSkipLowerText()
    {
        return QCoreApplication::translate("CSettingProp", "Skip sources at or below the target bitrate");
    }
    static QString kKeepJobsText()
    {
        return QCoreApplication::translate("CSettingProp", "Keep unfinished jobs for the next start");
    }
    static QString kSplitText()
    {
        return QCoreApplication::translate("CSettingProp", "Encode a long file on every free core");
    }
    // The choices of "Write loudness tags", in the order of LoudnessTags.
    static QStringList kLoudnessEntries() { return {tr("Off"), tr("Per track"), tr("Per track and album")}; }
    // The encode modes, in the order of EncodeSettings::Mode, and the
    // qualities of a variable bitrate, V0 to V9.
    static QStringList kModeEntries()
    {
        return {tr("Constant bitrate"), tr("Variable bitrate"), tr("Average bitrate")};
    }
    static QStringList QualityEntries();
    static constexpr int kFolderCapacity = int(PathLimit::kMaxBytes);  // bytes a folder may hold

    // Asks the user for a folder, starting at `startFolder`; an empty result
    // means nothing was chosen. Tests replace it.
    using FolderBrowser = std::function<QString(QWidget* parent, const QString& startFolder)>;
    // Shows a message with an OK button. Tests replace it.
    using Notice = std::function<void(QWidget* parent, const QString& text)>;

    // The page filled from `record`, which must outlive the sheet.
    explicit CSettingProp(SettingsRecord& record, QWidget* parent = nullptr);
    ~CSettingProp() override;

    // Opens the sheet modally over `parent` for `record` and returns when it
    // has been closed.
    static void Open(SettingsRecord& record, QWidget* parent);

    // The bitrate entries of the list, in ascending order: " 32" ... " 96",
    // "112" ... "320" (two-digit values carry a leading blank).
    static QStringList BitRateEntries();
    // The record's bitrate as the page holds it: one leading blank before a
    // text shorter than three characters ("96" becomes " 96").
    static QString PageBitRate(const QString& recordBitRate);
    // The entry the page selects for `bitRate`: the first that begins with
    // it, ignoring case; -1 when none does or the text is blank.
    static int FindBitRateEntry(const QStringList& entries, const QString& bitRate);

    // The page's members, as last filled from the record or read from the
    // controls.
    QString SourceFolder() const { return m_sourceFolder; }
    QString DestFolder() const { return m_destFolder; }
    QString BitRate() const { return m_bitRate; }
    int SimultaneousConversions() const { return m_simultaneous; }
    bool SkipLowerSources() const { return m_skipLower; }
    bool KeepUnfinishedJobs() const { return m_keepJobs; }
    EncodeSettings::Mode EncodeMode() const { return m_mode; }
    int VbrQuality() const { return m_quality; }
    bool SplitLongSources() const { return m_split; }

    // Whether the page changed since it was filled or last applied; the
    // Apply button is available exactly then.
    bool IsModified() const { return m_modified; }

    // Reads the controls and copies them into the record.
    void OnApply();
    // Browse for the source / destination folder, starting at the folder
    // the record holds.
    void OnBrowseSourceFolder();
    void OnBrowseDestFolder();

    void SetFolderBrowser(FolderBrowser browser);
    void SetNotice(Notice notice);
    // The chooser this sheet uses unless replaced.
    static QString BrowseWithChooser(QWidget* parent, const QString& startFolder);

    // The controls.
    QTabWidget* Tabs() const { return m_tabs; }
    QWidget* GeneralPage() const { return m_page; }
    QLineEdit* SourceFolderEdit() const { return m_sourceEdit; }
    QLineEdit* DestFolderEdit() const { return m_destEdit; }
    QComboBox* BitRateCombo() const { return m_bitRateCombo; }
    QComboBox* ModeCombo() const { return m_modeCombo; }
    QComboBox* QualityCombo() const { return m_qualityCombo; }
    QSpinBox* SimultaneousBox() const { return m_simultaneousBox; }
    QCheckBox* SkipLowerBox() const { return m_skipLowerBox; }
    QCheckBox* KeepJobsBox() const { return m_keepJobsBox; }
    QCheckBox* SplitBox() const { return m_splitBox; }
    QComboBox* LoudnessCombo() const { return m_loudnessCombo; }
    QPushButton* SourceBrowseButton() const { return m_sourceBrowse; }
    QPushButton* DestBrowseButton() const { return m_destBrowse; }
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;
    QPushButton* ApplyButton() const;

public slots:
    void accept() override;

private:
    QWidget* BuildPage();
    void BuildSheet();
    void FillControls();
    void ReadControls();
    void SetModified(bool modified);
    // The rates are the target of a constant or average bitrate, the
    // quality list of a variable one.
    void EnableModeControls();
    void BrowseInto(QLineEdit* edit, const QString& startFolder);

    SettingsRecord& m_record;
    QString m_sourceFolder;
    QString m_destFolder;
    QString m_bitRate;
    int m_simultaneous = 1;
    bool m_skipLower = false;
    bool m_keepJobs = false;
    bool m_split = true;
    LoudnessTags m_loudness = LoudnessTags::Off;
    EncodeSettings::Mode m_mode = EncodeSettings::Mode::Cbr;
    int m_quality = EncodeSettings{}.quality;
    bool m_modified = false;
    FolderBrowser m_browser;
    Notice m_notice;

    QTabWidget* m_tabs = nullptr;
    QWidget* m_page = nullptr;
    QLineEdit* m_sourceEdit = nullptr;
    QLineEdit* m_destEdit = nullptr;
    QComboBox* m_bitRateCombo = nullptr;
    QComboBox* m_modeCombo = nullptr;
    QComboBox* m_qualityCombo = nullptr;
    QSpinBox* m_simultaneousBox = nullptr;
    QCheckBox* m_skipLowerBox = nullptr;
    QCheckBox* m_keepJobsBox = nullptr;
    QCheckBox* m_splitBox = nullptr;
    QComboBox* m_loudnessCombo = nullptr;
    QPushButton* m_sourceBrowse = nullptr;
    QPushButton* m_destBrowse = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
