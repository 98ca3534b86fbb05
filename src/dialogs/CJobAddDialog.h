// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "convert/JobSpec.h"
#include "convert/JobVocabulary.h"
#include "jobs/JobPrompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>

class CHelpWindow;
class DialogUnits;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UserDefaults;

// The modal dialog in which the user confirms one source file as a new
// job: the source (read only), the offered result path, one of fourteen
// bitrates, the encode mode (constant, variable or average bitrate) with the
// quality of a variable bitrate beside them, and two choices: add the rest of the batch with the same
// settings, and keep the values as the new defaults. The caller sets the
// source, the offered result and the last-file flag, shows the dialog, and
// after OK reads source, result, bitrate and the same-settings flag.
//
// Controls are placed in dialog units of the dialog's font.
class CJobAddDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids, as the resource numbers them.
    enum ControlId {
        IdSourceEdit = 1000,
        IdResultEdit = 1001,
        IdBrowseResult = 1003,
        IdSameSettings = 1013,
        IdSaveAsDefault = 1014,
        IdFirstBitrate = 1020,
        IdLastBitrate = 1033,
        IdHelp = 1036,
    };

    // One button for each rate of JobVocabulary::kBitrates, in its order.
    static constexpr int kButtonCount = int(JobVocabulary::kBitrates.size());
    static constexpr int kDefaultBitrate = JobVocabulary::kDefaultBitrate;

    static QString kCaption() { return QCoreApplication::translate("CJobAddDialog", "Add Job"); }
    static inline const QString kHelpTopic = QStringLiteral("addjobdlg.htm");
    static QString kNoResultMessage()
    {
        return QCoreApplication::translate("CJobAddDialog", "You Must Enter File Name of Result File");
    }
    static QString kSameAsSourceMessage()
    {
        return QCoreApplication::translate("CJobAddDialog", "Result File must different from Source File!");
    }
    static QString kOverwriteQuestion()
    {
        return QCoreApplication::translate("CJobAddDialog", "File %1 already exist, overwrite it?");
    }
    static QString kTooLongMessage()
    {
        return QCoreApplication::translate(
            "CJobAddDialog", "The path of the %1 file is longer than %2 bytes:\n\n%3\n\nPlease choose a shorter name.");
    }
    static QString kBrowseCaption()
    {
        return QCoreApplication::translate("CJobAddDialog", "Choose Result File Folder");
    }
    static QString kBrowseInstruction()
    {
        return QCoreApplication::translate("CJobAddDialog", "Result file save to ...");
    }
    static QString kNotSavedMessage()
    {
        return QCoreApplication::translate("CJobAddDialog", "The default settings could not be saved.");
    }

    // Asks for a folder with a caption, an instruction and a start folder;
    // an empty result means the user cancelled. Tests replace it.
    using FolderBrowser = std::function<QString(QWidget* parent, const QString& caption, const QString& instruction,
                                                const QString& startFolder)>;

    explicit CJobAddDialog(QWidget* parent = nullptr);
    ~CJobAddDialog() override;

    // --- Fields, set by the caller before showing and read after OK -----
    QString Source() const { return m_source; }
    void SetSource(const QString& source) { m_source = source; }
    QString Result() const { return m_result; }
    void SetResult(const QString& result) { m_result = result; }
    // The checked rate: the constant or average bitrate.
    int Bitrate() const { return m_bitrate; }
    EncodeSettings::Mode Mode() const { return m_mode; }
    int Quality() const { return m_quality; }
    // Mode, rate and quality as the job's encode settings.
    EncodeSettings Settings() const;
    int SameSettings() const { return m_sameSettings; }
    int LastFile() const { return m_lastFile; }
    void SetLastFile(int lastFile) { m_lastFile = lastFile; }
    // The same-settings box as the dialog opens (ticked for a folder).
    void SetSameSettings(int sameSettings) { m_sameSettings = sameSettings; }
    // The operation's answer to the replace question, which this dialog
    // asks and may set; `offerAll` when more files follow. Not owned.
    void SetReplaceRule(ReplaceRule* rule, bool offerAll);
    // Why a job may not be added beside the table's jobs (its result is
    // another job's result or source); empty when it may. Asked at OK.
    using ClashCheck = std::function<std::optional<std::string>(const JobSpec& job)>;
    void SetClashCheck(ClashCheck check) { m_clashCheck = std::move(check); }
    static QString kClashMessage()
    {
        return QCoreApplication::translate("CJobAddDialog", "%1.\n\nPlease choose another result file.");
    }
    // The dialog closed because its result exists and the operation keeps
    // existing results ("No to all").
    bool KeptExistingResult() const { return m_keptExisting; }
    int SaveAsDefault() const { return m_saveAsDefault; }

    // The kbit/s a bitrate button stands for; 0 for another id.
    static int BitrateOfButton(int id);
    // The button of a rate; 0 when the rate is not one of the fourteen.
    static int ButtonOfBitrate(int kbps);

    // --- Handlers ---------------------------------------------------------
    // When the dialog opens (its first show): bitrate from the default
    // setting (128 when that is not one of the fourteen), the same-settings
    // box disabled for the last file, the controls filled.
    void Init();
    void OnBitrateButton(int id);
    // A mode or quality picked from its list: the result name follows it.
    void OnModeSelected(int index);
    void OnQualitySelected(int index);
    // Replaces the rate (or "V2", "A160") at the end of the result name: cuts the name before
    // the last "_" of its file name and appends "_RATE.mp3" with the text of Settings(). A file name
    // without "_" keeps its name (less a final ".mp3") and gets the suffix;
    // an empty result starts from the source.
    void RebuildResultName();
    void OnCheckBox();
    // Lets the user put the result into another folder, keeping its name.
    void OnBrowseResultFolder();
    // Shows this dialog's help page.
    void OnHelp();
    // Checks the values and closes with OK, or shows why not and stays.
    void OnOK();
    // Stores source folder, result folder, bitrate, mode and quality as the defaults and
    // writes the settings file at once; says so when it cannot.
    void SaveSettings();

    void SetPrompts(JobPrompts prompts);
    // The defaults the dialog starts from and saves to; not owned. Without
    // them the dialog starts at 128 kbit/s and cannot save.
    void SetUserDefaults(UserDefaults* defaults) { m_defaults = defaults; }
    void SetFolderBrowser(FolderBrowser browser);
    // The chooser the dialog uses unless replaced.
    static QString BrowseWithChooser(QWidget* parent, const QString& caption, const QString& instruction,
                                     const QString& startFolder);

    // --- Controls ---------------------------------------------------------
    QLineEdit* SourceEdit() const { return m_sourceEdit; }
    QLineEdit* ResultEdit() const { return m_resultEdit; }
    QPushButton* BrowseButton() const { return m_browseButton; }
    QGroupBox* BitrateGroup() const { return m_bitrateGroup; }
    QRadioButton* BitrateRadio(int id) const;
    QGroupBox* ModeGroup() const { return m_modeGroup; }
    QComboBox* ModeCombo() const { return m_modeCombo; }
    QComboBox* QualityCombo() const { return m_qualityCombo; }
    QCheckBox* SameSettingsBox() const { return m_sameSettingsBox; }
    QCheckBox* SaveAsDefaultBox() const { return m_saveAsDefaultBox; }
    QPushButton* OkButton() const { return m_okButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    QPushButton* HelpButton() const { return m_helpButton; }
    CHelpWindow* HelpWindow() const { return m_helpWindow; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // Data exchange: fields to controls and back.
    void FillControls();
    void ReadControls();
    void CheckBitrateButton(int kbps);
    void BuildModeControls(const DialogUnits& units);
    // The rates are the target of a constant or average bitrate, the
    // quality list of a variable one.
    void EnableModeControls();
    bool Refuse(const QString& text);
    // Whether the existing result may be replaced, asking when the
    // operation has no standing answer.
    bool MayReplaceResult();
    void UpdateBitrateTabStop();
    QString TooLong(const QString& which, const QString& path) const;

    QString m_source;
    QString m_result;
    int m_bitrate = kDefaultBitrate;
    EncodeSettings::Mode m_mode = EncodeSettings::Mode::Cbr;
    int m_quality = EncodeSettings{}.quality;
    bool m_filling = false;
    int m_sameSettings = 0;
    int m_lastFile = 0;
    ReplaceRule* m_replaceRule = nullptr;
    ClashCheck m_clashCheck;
    bool m_offerReplaceAll = false;
    bool m_keptExisting = false;
    int m_saveAsDefault = 0;
    bool m_initialised = false;

    JobPrompts m_prompts;
    FolderBrowser m_browser;
    UserDefaults* m_defaults = nullptr;

    QLineEdit* m_sourceEdit = nullptr;
    QLineEdit* m_resultEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QGroupBox* m_bitrateGroup = nullptr;
    std::array<QRadioButton*, kButtonCount> m_bitrateRadios{};
    QGroupBox* m_modeGroup = nullptr;
    QComboBox* m_modeCombo = nullptr;
    QComboBox* m_qualityCombo = nullptr;
    QCheckBox* m_sameSettingsBox = nullptr;
    QCheckBox* m_saveAsDefaultBox = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    CHelpWindow* m_helpWindow = nullptr;
};
