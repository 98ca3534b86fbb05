// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CJobAddDialog.h"

#include "base/CFolderChooser.h"
#include "base/CHelpWindow.h"
#include "base/DialogUnits.h"
#include "base/SettingsRecord.h"
#include "base/UserDefaults.h"
#include "convert/JobVocabulary.h"
#include "dialogs/CSettingProp.h"
#include "jobs/ResultNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {

// The bitrate buttons stand in two rows of seven, in the order of the
// bitrate table, at these columns (dialog units).
constexpr std::array<int, 7> kBitrateColumns{26, 67, 108, 153, 194, 239, 284};
constexpr std::array<int, 2> kBitrateRows{95, 119};

// Dialog size and the size of a bitrate button, in dialog units. The mode
// group stands right of the bitrate group, in room of its own.
constexpr int kDialogWidth = 470;
constexpr int kDialogHeight = 239;
constexpr int kRadioWidth = 38;
constexpr int kRadioHeight = 10;

QLabel* AddLabel(QWidget* parent, const DialogUnits& units, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(units.Rect(x, y, w, h));
    return label;
}

QPushButton* AddButton(QWidget* parent, const DialogUnits& units, const QString& text, int x, int y, int w, int h)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setGeometry(units.Rect(x, y, w, h));
    return button;
}

QCheckBox* AddCheckBox(QWidget* parent, const DialogUnits& units, const QString& text, int x, int y, int w, int h)
{
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(units.Rect(x, y, w, h));
    return box;
}

// The result as the dialog accepts it: a name without a folder, or one
// relative to no particular folder, lies beside the source.
QString ResolvedResult(const QString& result, const QString& source)
{
    if (result.startsWith(QLatin1Char('/')))
        return result;
    const QString folder = ResultNames::FolderOf(source);
    return folder.isEmpty() ? result : QDir(folder).filePath(result);
}

}  // namespace

CJobAddDialog::CJobAddDialog(QWidget* parent)
    : QDialog(parent), m_prompts(JobPrompts::Defaults()), m_browser(BrowseWithChooser)
{
    setWindowTitle(kCaption());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();
}

CJobAddDialog::~CJobAddDialog() = default;

int CJobAddDialog::BitrateOfButton(int id)
{
    if (id < IdFirstBitrate || id > IdLastBitrate)
        return 0;
    return JobVocabulary::kBitrates[std::size_t(id - IdFirstBitrate)];
}

int CJobAddDialog::ButtonOfBitrate(int kbps)
{
    const auto& rates = JobVocabulary::kBitrates;
    const auto it = std::find(rates.begin(), rates.end(), kbps);
    return it == rates.end() ? 0 : IdFirstBitrate + int(it - rates.begin());
}

// Controls in the resource's order, which is also the tab order.
void CJobAddDialog::BuildControls()
{
    const DialogUnits units(font());
    setFixedSize(units.Size(kDialogWidth, kDialogHeight));

    AddLabel(this, units, tr("Source File"), 14, 16, 38, 14);
    m_sourceEdit = new QLineEdit(this);
    m_sourceEdit->setGeometry(units.Rect(55, 16, 280, 14));
    m_sourceEdit->setEnabled(false);

    AddLabel(this, units, tr("Result File"), 13, 43, 40, 15);
    m_resultEdit = new QLineEdit(this);
    m_resultEdit->setGeometry(units.Rect(55, 43, 280, 15));
    m_browseButton = AddButton(this, units, QStringLiteral("..."), 346, 43, 11, 14);
    connect(m_browseButton, &QPushButton::clicked, this, &CJobAddDialog::OnBrowseResultFolder);

    m_bitrateGroup = new QGroupBox(tr("Bitrate(Result File)"), this);
    m_bitrateGroup->setGeometry(units.Rect(15, 69, 319, 78));
    for (std::size_t i = 0; i < JobVocabulary::kBitrates.size(); ++i) {
        const int id = IdFirstBitrate + int(i);
        auto* radio = new QRadioButton(QString::number(JobVocabulary::kBitrates[i]) + QLatin1Char('K'), this);
        radio->setAutoExclusive(true);
        const int x = kBitrateColumns[i % kBitrateColumns.size()];
        const int y = kBitrateRows[i / kBitrateColumns.size()];
        radio->setGeometry(units.Rect(x, y, kRadioWidth, kRadioHeight));
        connect(radio, &QRadioButton::clicked, this, [this, id] { OnBitrateButton(id); });
        connect(radio, &QRadioButton::toggled, this, &CJobAddDialog::UpdateBitrateTabStop);
        m_bitrateRadios[i] = radio;
    }
    UpdateBitrateTabStop();
    BuildModeControls(units);

    m_sameSettingsBox = AddCheckBox(this, units, tr("Use Same Settings for this batch of files"), 19, 158, 314, 9);
    m_saveAsDefaultBox = AddCheckBox(this, units, tr("Save as Default Settings"), 19, 180, 314, 17);
    connect(m_sameSettingsBox, &QCheckBox::clicked, this, &CJobAddDialog::OnCheckBox);
    connect(m_saveAsDefaultBox, &QCheckBox::clicked, this, &CJobAddDialog::OnCheckBox);

    m_okButton = AddButton(this, units, tr("OK"), 73, 218, 50, 14);
    m_okButton->setDefault(true);
    m_cancelButton = AddButton(this, units, tr("Cancel"), 161, 218, 50, 14);
    m_helpButton = AddButton(this, units, tr("Help"), 255, 217, 47, 15);
    connect(m_okButton, &QPushButton::clicked, this, &CJobAddDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CJobAddDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, &CJobAddDialog::OnHelp);
}

// Created between the rates and the check boxes, which puts them there in
// the tab order too.
void CJobAddDialog::BuildModeControls(const DialogUnits& units)
{
    m_modeGroup = new QGroupBox(tr("Mode"), this);
    m_modeGroup->setGeometry(units.Rect(345, 69, 115, 78));
    m_modeCombo = new QComboBox(this);
    m_modeCombo->addItems(CSettingProp::kModeEntries());
    m_modeCombo->setGeometry(units.Rect(353, 83, 99, 14));
    AddLabel(this, units, tr("Variable quality:"), 353, 104, 99, 10);
    m_qualityCombo = new QComboBox(this);
    m_qualityCombo->addItems(CSettingProp::QualityEntries());
    m_qualityCombo->setMaxVisibleItems(m_qualityCombo->count());
    m_qualityCombo->setGeometry(units.Rect(353, 116, 99, 14));
    connect(m_modeCombo, &QComboBox::currentIndexChanged, this, &CJobAddDialog::OnModeSelected);
    connect(m_qualityCombo, &QComboBox::currentIndexChanged, this, &CJobAddDialog::OnQualitySelected);
    EnableModeControls();
}

void CJobAddDialog::EnableModeControls()
{
    const bool vbr = m_mode == EncodeSettings::Mode::Vbr;
    for (QRadioButton* radio : m_bitrateRadios)
        radio->setEnabled(!vbr);
    m_qualityCombo->setEnabled(vbr);
}

EncodeSettings CJobAddDialog::Settings() const
{
    switch (m_mode) {
    case EncodeSettings::Mode::Vbr:
        return EncodeSettings::Vbr(m_quality);
    case EncodeSettings::Mode::Abr:
        return EncodeSettings::Abr(m_bitrate);
    case EncodeSettings::Mode::Cbr:
        break;
    }
    return EncodeSettings::Cbr(m_bitrate);
}

QRadioButton* CJobAddDialog::BitrateRadio(int id) const
{
    const int index = id - IdFirstBitrate;
    return index >= 0 && index < kButtonCount ? m_bitrateRadios[static_cast<std::size_t>(index)] : nullptr;
}

void CJobAddDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        Init();
    }
    QDialog::showEvent(event);
}

void CJobAddDialog::Init()
{
    if (m_defaults) {
        const int rate = JobVocabulary::LeadingNumber(m_defaults->Settings().BitRate.toStdString());
        m_bitrate = ButtonOfBitrate(rate) != 0 ? rate : kDefaultBitrate;
        m_mode = m_defaults->Settings().EncodeMode;
        m_quality = m_defaults->Settings().VbrQuality;
    }
    if (m_lastFile == 1)
        m_sameSettingsBox->setEnabled(false);
    FillControls();
    m_resultEdit->setFocus();
}

void CJobAddDialog::FillControls()
{
    m_sourceEdit->setText(m_source);
    m_sourceEdit->setCursorPosition(0);
    m_resultEdit->setText(m_result);
    m_sameSettingsBox->setChecked(m_sameSettings == 1);
    m_saveAsDefaultBox->setChecked(m_saveAsDefault == 1);
    CheckBitrateButton(m_bitrate);
    m_filling = true;
    m_modeCombo->setCurrentIndex(static_cast<int>(m_mode));
    m_qualityCombo->setCurrentIndex(m_quality);
    m_filling = false;
    EnableModeControls();
}

void CJobAddDialog::ReadControls()
{
    m_source = m_sourceEdit->text();
    m_result = m_resultEdit->text();
    m_sameSettings = m_sameSettingsBox->isChecked() ? 1 : 0;
    m_saveAsDefault = m_saveAsDefaultBox->isChecked() ? 1 : 0;
}

// The fourteen rates are one stop of the Tab key, as a radio group is
// elsewhere: Tab lands on the checked rate and the arrow keys move between
// rates. With none checked, the first rate takes the stop.
void CJobAddDialog::UpdateBitrateTabStop()
{
    const bool anyChecked = std::any_of(m_bitrateRadios.begin(), m_bitrateRadios.end(),
                                        [](const QRadioButton* radio) { return radio && radio->isChecked(); });
    for (QRadioButton* radio : m_bitrateRadios) {
        if (!radio)
            continue;
        const bool stop = anyChecked ? radio->isChecked() : radio == m_bitrateRadios.front();
        radio->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void CJobAddDialog::CheckBitrateButton(int kbps)
{
    if (QRadioButton* radio = BitrateRadio(ButtonOfBitrate(kbps)))
        radio->setChecked(true);
}

void CJobAddDialog::OnBitrateButton(int id)
{
    const int kbps = BitrateOfButton(id);
    if (kbps == 0)
        return;
    m_bitrate = kbps;
    RebuildResultName();
}

void CJobAddDialog::OnModeSelected(int index)
{
    if (m_filling || index < 0)
        return;
    m_mode = static_cast<EncodeSettings::Mode>(index);
    EnableModeControls();
    RebuildResultName();
}

void CJobAddDialog::OnQualitySelected(int index)
{
    if (m_filling || index < 0)
        return;
    m_quality = index;
    RebuildResultName();
}

void CJobAddDialog::RebuildResultName()
{
    // What the user typed counts: the rate is replaced in the box's text.
    ReadControls();
    QString stem;
    if (m_result.isEmpty()) {
        stem = ResultNames::WithoutExtension(m_source);
    } else {
        const qsizetype nameStart = m_result.lastIndexOf(QLatin1Char('/')) + 1;
        const qsizetype underscore = m_result.lastIndexOf(QLatin1Char('_'));
        if (underscore >= nameStart)
            stem = m_result.left(underscore);
        else if (ResultNames::HasMp3Extension(m_result))
            stem = ResultNames::WithoutExtension(m_result);
        else
            stem = m_result;
    }
    m_result = stem + QLatin1Char('_') + QString::fromStdString(Settings().Text()) + QStringLiteral(".mp3");
    FillControls();
}

void CJobAddDialog::OnCheckBox()
{
    ReadControls();
}

void CJobAddDialog::OnBrowseResultFolder()
{
    ReadControls();
    const qsizetype slash = m_result.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    const QString folder = slash == 0 ? QStringLiteral("/") : m_result.left(slash);
    const QString namePart = m_result.mid(slash);
    QString chosen = m_browser(this, kBrowseCaption(), kBrowseInstruction(), folder);
    if (chosen.isEmpty())
        return;
    // The root and any folder given with a final "/" keep one separator.
    while (chosen.endsWith(QLatin1Char('/')))
        chosen.chop(1);
    m_result = chosen + namePart;
    FillControls();
}

void CJobAddDialog::OnHelp()
{
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this);  // a child of this modal dialog stays usable
    m_helpWindow->ShowTopic(kHelpTopic);
}

void CJobAddDialog::accept()
{
    OnOK();
}

bool CJobAddDialog::Refuse(const QString& text)
{
    m_prompts.show(this, text);
    return false;
}

QString CJobAddDialog::TooLong(const QString& which, const QString& path) const
{
    return kTooLongMessage().arg(which).arg(ResultNames::kMaxPathLength).arg(path);
}

void CJobAddDialog::OnOK()
{
    ReadControls();
    if (m_result.isEmpty() || m_source.isEmpty()) {
        Refuse(kNoResultMessage());
        return;
    }
    m_result = ResolvedResult(m_result, m_source);
    FillControls();
    if (!ResultNames::FitsJob(m_source)) {
        Refuse(TooLong(tr("source"), m_source));
        return;
    }
    if (!ResultNames::FitsJob(m_result)) {
        Refuse(TooLong(tr("result"), m_result));
        return;
    }
    if (m_result == m_source) {
        Refuse(kSameAsSourceMessage());
        return;
    }
    if (m_clashCheck) {
        if (const std::optional<std::string> clash
            = m_clashCheck(JobSpec{m_source.toStdString(), m_result.toStdString(), Settings()})) {
            Refuse(kClashMessage().arg(QString::fromStdString(*clash)));
            return;
        }
    }
    if (QFileInfo::exists(m_result) && !MayReplaceResult())
        return;
    if (m_saveAsDefault == 1)
        SaveSettings();
    QDialog::accept();
}

void CJobAddDialog::SetReplaceRule(ReplaceRule* rule, bool offerAll)
{
    m_replaceRule = rule;
    m_offerReplaceAll = offerAll;
}

bool CJobAddDialog::MayReplaceResult()
{
    if (m_replaceRule && !m_replaceRule->Asks()) {
        if (m_replaceRule->ReplacesAll())
            return true;
        // "No to all" was the answer: this file is not added either.
        m_keptExisting = true;
        QDialog::reject();
        return false;
    }
    const ReplaceRule::Answer answer
        = m_prompts.AskReplace(this, kOverwriteQuestion().arg(m_result), m_replaceRule && m_offerReplaceAll);
    if (!m_replaceRule)
        return answer == ReplaceRule::Answer::Yes;
    const bool replace = m_replaceRule->Take(answer);
    if (answer == ReplaceRule::Answer::NoToAll) {
        m_keptExisting = true;
        QDialog::reject();
    }
    return replace;
}

void CJobAddDialog::SaveSettings()
{
    if (!m_defaults) {
        m_prompts.show(this, kNotSavedMessage());
        return;
    }
    SettingsRecord& settings = m_defaults->Settings();
    settings.SourceFolder = ResultNames::FolderOf(m_source);
    const QString resultFolder = ResultNames::FolderOf(m_result);
    settings.DestFolder = resultFolder.isEmpty() ? settings.SourceFolder : resultFolder;
    settings.BitRate = QString::number(m_bitrate);
    settings.EncodeMode = m_mode;
    settings.VbrQuality = m_quality;
    if (!m_defaults->WriteSettingsFile())
        m_prompts.show(this, kNotSavedMessage());
}

void CJobAddDialog::SetPrompts(JobPrompts prompts)
{
    m_prompts = std::move(prompts);
}

void CJobAddDialog::SetFolderBrowser(FolderBrowser browser)
{
    m_browser = std::move(browser);
}

QString CJobAddDialog::BrowseWithChooser(QWidget* parent, const QString& caption, const QString& instruction,
                                         const QString& startFolder)
{
    CFolderChooser chooser(caption, instruction, startFolder, parent);
    return chooser.Browse() == CFolderChooser::kBrowseAccepted ? chooser.GetPath() : QString();
}
