// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CSettingProp.h"

#include "base/AppMessage.h"
#include "base/CFolderChooser.h"
#include "base/DialogUnits.h"
#include "base/ScreenFit.h"
#include "base/SettingsRecord.h"
#include "base/SettingsStore.h"
#include "convert/JobVocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The list as the page's resource gives it: highest first, two-digit values
// with a leading blank. The combo box sorts it.
QStringList BitRateData()
{
    QStringList list;
    for (auto kbps = JobVocabulary::kBitrates.rbegin(); kbps != JobVocabulary::kBitrates.rend(); ++kbps)
        list << QString::number(*kbps).rightJustified(3, QLatin1Char(' '));
    return list;
}

const QStringList kBitRateData = BitRateData();

QString kTooLongMessage()
{
    return QCoreApplication::translate("CSettingProp",
                                       "The folder:\n\n%1\n\nis too long. A default folder may have at most %2 bytes.");
}

// Page size and control positions, in dialog units.
constexpr int kPageWidth = 323;
constexpr int kPageHeight = 282;
constexpr int kComboWidth = 95;
constexpr int kComboVisibleItems = 14;

QLabel* AddLabel(QWidget* page, const DialogUnits& units, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, page);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(units.Rect(x, y, w, h));
    return label;
}

QLineEdit* AddFolderEdit(QWidget* page, const DialogUnits& units, int x, int y, int w, int h)
{
    auto* edit = new QLineEdit(page);
    edit->setMaxLength(CSettingProp::kFolderCapacity);
    edit->setGeometry(units.Rect(x, y, w, h));
    return edit;
}

QPushButton* AddBrowseButton(QWidget* page, const DialogUnits& units, int x, int y, int w, int h)
{
    auto* button = new QPushButton(QStringLiteral("..."), page);
    button->setAutoDefault(false);
    button->setGeometry(units.Rect(x, y, w, h));
    return button;
}

}  // namespace

CSettingProp::CSettingProp(SettingsRecord& record, QWidget* parent)
    : QDialog(parent),
      m_record(record),
      m_sourceFolder(record.SourceFolder),
      m_destFolder(record.DestFolder),
      m_bitRate(PageBitRate(record.BitRate)),
      m_simultaneous(record.SimultaneousConversions),
      m_skipLower(record.SkipLowerSources),
      m_keepJobs(record.KeepUnfinishedJobs),
      m_split(record.SplitLongSources),
      m_loudness(record.WriteLoudnessTags),
      m_mode(record.EncodeMode),
      m_quality(record.VbrQuality),
      m_browser(BrowseWithChooser),
      m_notice([](QWidget* parent, const QString& text) { AppMessage::Show(parent, text); })
{
    setWindowTitle(kCaption());
    BuildSheet();
    FillControls();

    // Changes the user makes from here on mark the page modified.
    const auto markModified = [this] { SetModified(true); };
    connect(m_sourceEdit, &QLineEdit::textChanged, this, markModified);
    connect(m_destEdit, &QLineEdit::textChanged, this, markModified);
    connect(m_bitRateCombo, &QComboBox::currentIndexChanged, this, markModified);
    connect(m_simultaneousBox, &QSpinBox::valueChanged, this, markModified);
    connect(m_skipLowerBox, &QCheckBox::toggled, this, markModified);
    connect(m_keepJobsBox, &QCheckBox::toggled, this, markModified);
    connect(m_splitBox, &QCheckBox::toggled, this, markModified);
    connect(m_loudnessCombo, &QComboBox::currentIndexChanged, this, markModified);
    connect(m_modeCombo, &QComboBox::currentIndexChanged, this, markModified);
    connect(m_modeCombo, &QComboBox::currentIndexChanged, this, &CSettingProp::EnableModeControls);
    connect(m_qualityCombo, &QComboBox::currentIndexChanged, this, markModified);
    connect(m_sourceBrowse, &QPushButton::clicked, this, &CSettingProp::OnBrowseSourceFolder);
    connect(m_destBrowse, &QPushButton::clicked, this, &CSettingProp::OnBrowseDestFolder);
    SetModified(false);
}

CSettingProp::~CSettingProp() = default;

void CSettingProp::Open(SettingsRecord& record, QWidget* parent)
{
    CSettingProp sheet(record, parent);
    sheet.exec();
}

QStringList CSettingProp::BitRateEntries()
{
    QStringList entries = kBitRateData;
    // A blank sorts before every digit, so " 96" comes before "112".
    std::sort(entries.begin(), entries.end());
    return entries;
}

QStringList CSettingProp::QualityEntries()
{
    QStringList entries;
    for (int quality = 0; quality <= 9; ++quality)
        entries << QStringLiteral("V%1").arg(quality);
    entries.front() += tr(" (best)");
    entries.back() += tr(" (smallest)");
    return entries;
}

QString CSettingProp::PageBitRate(const QString& recordBitRate)
{
    return recordBitRate.size() < 3 ? QLatin1Char(' ') + recordBitRate : recordBitRate;
}

int CSettingProp::FindBitRateEntry(const QStringList& entries, const QString& bitRate)
{
    if (bitRate.trimmed().isEmpty())
        return -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].startsWith(bitRate, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void CSettingProp::BuildSheet()
{
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(new PageScrollArea(BuildPage()), kPageCaption());

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CSettingProp::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CSettingProp::reject);
    connect(ApplyButton(), &QPushButton::clicked, this, &CSettingProp::OnApply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    // No larger than the page asks, and smaller where the screen is.
    layout->setSizeConstraint(QLayout::SetMaximumSize);
}

QWidget* CSettingProp::BuildPage()
{
    m_page = new QWidget;
    const DialogUnits units(font());
    m_page->setFixedSize(units.Size(kPageWidth, kPageHeight));

    AddLabel(m_page, units, tr("Source File Location:"), 7, 14, 309, 16);
    m_sourceEdit = AddFolderEdit(m_page, units, 7, 30, 262, 16);
    m_sourceBrowse = AddBrowseButton(m_page, units, 279, 30, 30, 16);
    // The destination row lines up with the source row: same width, and
    // its button level with its box.
    AddLabel(m_page, units, tr("Destination File Location"), 7, 59, 309, 16);
    m_destEdit = AddFolderEdit(m_page, units, 7, 76, 262, 16);
    m_destBrowse = AddBrowseButton(m_page, units, 279, 76, 30, 16);
    AddLabel(m_page, units, tr("Default Destination File Bitrate:"), 7, 111, 309, 16);

    m_bitRateCombo = new QComboBox(m_page);
    m_bitRateCombo->addItems(BitRateEntries());
    m_bitRateCombo->setMaxVisibleItems(kComboVisibleItems);
    m_bitRateCombo->setGeometry(units.X(7), units.Y(133), units.X(kComboWidth), m_bitRateCombo->sizeHint().height());
    // The mode beside the rates, then the quality of a variable bitrate.
    m_modeCombo = new QComboBox(m_page);
    m_modeCombo->addItems(kModeEntries());
    m_modeCombo->setGeometry(units.X(110), units.Y(133), units.X(100), m_modeCombo->sizeHint().height());
    m_qualityCombo = new QComboBox(m_page);
    m_qualityCombo->addItems(QualityEntries());
    m_qualityCombo->setMaxVisibleItems(m_qualityCombo->count());
    m_qualityCombo->setGeometry(units.X(217), units.Y(133), units.X(92), m_qualityCombo->sizeHint().height());

    AddLabel(m_page, units, tr("Simultaneous conversions:"), 7, 165, 309, 16);
    m_simultaneousBox = new QSpinBox(m_page);
    m_simultaneousBox->setRange(1, SettingsStore::MaxSimultaneousConversions());
    m_simultaneousBox->setGeometry(units.X(7), units.Y(185), units.X(kComboWidth / 2),
                                   m_simultaneousBox->sizeHint().height());
    m_skipLowerBox = new QCheckBox(kSkipLowerText(), m_page);
    m_skipLowerBox->setGeometry(units.Rect(7, 210, 309, 12));
    m_keepJobsBox = new QCheckBox(kKeepJobsText(), m_page);
    m_keepJobsBox->setGeometry(units.Rect(7, 226, 309, 12));
    m_splitBox = new QCheckBox(kSplitText(), m_page);
    m_splitBox->setToolTip(tr("With more than one simultaneous conversion, a file of 20 seconds or "
                              "more is encoded in parts on the cores no other job needs, and the "
                              "parts are joined into one gapless result."));
    m_splitBox->setGeometry(units.Rect(7, 242, 309, 12));
    // Below the check boxes, clear of the last one.
    AddLabel(m_page, units, tr("Write loudness tags:"), 7, 262, 90, 12);
    m_loudnessCombo = new QComboBox(m_page);
    m_loudnessCombo->addItems(kLoudnessEntries());
    m_loudnessCombo->setGeometry(units.X(100), units.Y(260), units.X(kComboWidth + 40),
                                 m_loudnessCombo->sizeHint().height());
    return m_page;
}

QPushButton* CSettingProp::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* CSettingProp::CancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

QPushButton* CSettingProp::ApplyButton() const
{
    return m_buttons->button(QDialogButtonBox::Apply);
}

void CSettingProp::FillControls()
{
    m_sourceEdit->setText(m_sourceFolder);
    m_destEdit->setText(m_destFolder);
    QStringList entries;
    for (int i = 0; i < m_bitRateCombo->count(); ++i)
        entries << m_bitRateCombo->itemText(i);
    m_bitRateCombo->setCurrentIndex(FindBitRateEntry(entries, m_bitRate));
    m_simultaneousBox->setValue(m_simultaneous);
    m_skipLowerBox->setChecked(m_skipLower);
    m_keepJobsBox->setChecked(m_keepJobs);
    m_splitBox->setChecked(m_split);
    m_loudnessCombo->setCurrentIndex(static_cast<int>(m_loudness));
    m_modeCombo->setCurrentIndex(static_cast<int>(m_mode));
    m_qualityCombo->setCurrentIndex(m_quality);
    EnableModeControls();
}

void CSettingProp::EnableModeControls()
{
    const bool vbr = m_modeCombo->currentIndex() == static_cast<int>(EncodeSettings::Mode::Vbr);
    m_bitRateCombo->setEnabled(!vbr);
    m_qualityCombo->setEnabled(vbr);
}

void CSettingProp::ReadControls()
{
    m_sourceFolder = m_sourceEdit->text();
    m_destFolder = m_destEdit->text();
    m_bitRate = m_bitRateCombo->currentIndex() >= 0 ? m_bitRateCombo->currentText() : QString();
    m_simultaneous = m_simultaneousBox->value();
    m_skipLower = m_skipLowerBox->isChecked();
    m_keepJobs = m_keepJobsBox->isChecked();
    m_split = m_splitBox->isChecked();
    m_loudness = static_cast<LoudnessTags>(std::max(0, m_loudnessCombo->currentIndex()));
    m_mode = static_cast<EncodeSettings::Mode>(std::max(0, m_modeCombo->currentIndex()));
    m_quality = std::max(0, m_qualityCombo->currentIndex());
}

void CSettingProp::SetModified(bool modified)
{
    m_modified = modified;
    ApplyButton()->setEnabled(modified);
}

void CSettingProp::OnApply()
{
    ReadControls();
    m_record.SourceFolder = m_sourceFolder;
    m_record.DestFolder = m_destFolder;
    // With no entry selected (a stored bitrate the list does not offer) the
    // record keeps its bitrate rather than losing it.
    if (!m_bitRate.isEmpty())
        m_record.BitRate = m_bitRate;
    m_record.SimultaneousConversions = m_simultaneous;
    m_record.SkipLowerSources = m_skipLower;
    m_record.KeepUnfinishedJobs = m_keepJobs;
    m_record.SplitLongSources = m_split;
    m_record.WriteLoudnessTags = m_loudness;
    m_record.EncodeMode = m_mode;
    m_record.VbrQuality = m_quality;
    SetModified(false);
}

void CSettingProp::accept()
{
    OnApply();
    QDialog::accept();
}

void CSettingProp::OnBrowseSourceFolder()
{
    BrowseInto(m_sourceEdit, m_record.SourceFolder);
}

void CSettingProp::OnBrowseDestFolder()
{
    BrowseInto(m_destEdit, m_record.DestFolder);
}

void CSettingProp::BrowseInto(QLineEdit* edit, const QString& startFolder)
{
    const QString folder = m_browser(this, startFolder);
    if (folder.isEmpty())
        return;
    if (!PathLimit::Fits(QFile::encodeName(folder).toStdString())) {
        m_notice(this, kTooLongMessage().arg(folder).arg(kFolderCapacity));
        return;
    }
    // Only this box changes: what the user typed into the others stays.
    edit->setText(folder);
    (edit == m_sourceEdit ? m_sourceFolder : m_destFolder) = folder;
    SetModified(true);
}

void CSettingProp::SetFolderBrowser(FolderBrowser browser)
{
    m_browser = std::move(browser);
}

void CSettingProp::SetNotice(Notice notice)
{
    m_notice = std::move(notice);
}

QString CSettingProp::BrowseWithChooser(QWidget* parent, const QString& startFolder)
{
    CFolderChooser chooser(QString(), kBrowseInstruction(), startFolder, parent);
    return chooser.Browse() == CFolderChooser::kBrowseAccepted ? chooser.GetPath() : QString();
}
