// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CItemPropP.h"

#include "base/DialogUnits.h"
#include "convert/JobVocabulary.h"
#include "dialogs/CJobAddDialog.h"
#include "dialogs/CSettingProp.h"
#include "jobs/CMyListView.h"
#include "jobs/JobStatus.h"
#include "jobs/ResultNames.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

// Page size and the bitrate list's width, in dialog units.
constexpr int kPageWidth = 290;
constexpr int kPageHeight = 226;
constexpr int kListWidth = 95;
constexpr int kListVisibleItems = 14;

// A running job whose settings change must be restarted; "1%" (just
// started) does not count.
constexpr int kFirstRestartPercent = 2;
constexpr int kLastRestartPercent = 99;

QLabel* AddLabel(QWidget* parent, const DialogUnits& units, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(units.Rect(x, y, w, h));
    return label;
}

QLineEdit* AddPathEdit(QWidget* parent, const DialogUnits& units, int x, int y, int w, int h)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(ResultNames::kMaxPathLength);
    edit->setGeometry(units.Rect(x, y, w, h));
    return edit;
}

}  // namespace

CItemPropP::CItemPropP(CMyListView& table, QWidget* parent)
    : QWidget(parent), m_table(&table), m_prompts(JobPrompts::Defaults())
{
    BuildControls();
    connect(m_sourceEdit, &QLineEdit::textChanged, this, &CItemPropP::MarkChanged);
    connect(m_resultEdit, &QLineEdit::textChanged, this, &CItemPropP::MarkChanged);
    for (QComboBox* list : {m_bitrateList, m_modeList, m_qualityList}) {
        connect(list, &QComboBox::currentIndexChanged, this, &CItemPropP::OnSettingsSelected);
        connect(list, &QComboBox::currentIndexChanged, this, &CItemPropP::MarkChanged);
    }
}

CItemPropP::~CItemPropP() = default;

void CItemPropP::BuildControls()
{
    const DialogUnits units(font());
    setFixedSize(units.Size(kPageWidth, kPageHeight));

    AddLabel(this, units, tr("Source File:"), 7, 19, 42, 16);
    m_sourceEdit = AddPathEdit(this, units, 53, 19, 226, 16);
    AddLabel(this, units, tr("Result File:"), 7, 55, 38, 16);
    m_resultEdit = AddPathEdit(this, units, 53, 55, 226, 16);
    AddLabel(this, units, tr("BitRate:"), 7, 92, 31, 16);

    // The list sorts its entries as text; the blank before every two-digit
    // rate puts them in rising numeric order.
    m_bitrateList = new QComboBox(this);
    m_bitrateList->addItems(CSettingProp::BitRateEntries());
    m_bitrateList->setEditable(false);
    m_bitrateList->setMaxVisibleItems(kListVisibleItems);
    const int height = m_bitrateList->sizeHint().height();
    m_bitrateList->setGeometry(units.X(53), units.Y(92) + (units.Y(16) - height) / 2, units.X(kListWidth), height);

    // The mode beside the rates, the quality of a variable bitrate below.
    m_modeList = new QComboBox(this);
    m_modeList->addItems(CSettingProp::kModeEntries());
    m_modeList->setGeometry(units.X(155), units.Y(92) + (units.Y(16) - height) / 2, units.X(124), height);
    AddLabel(this, units, tr("Quality:"), 7, 118, 42, 16);
    m_qualityList = new QComboBox(this);
    m_qualityList->addItems(CSettingProp::QualityEntries());
    m_qualityList->setMaxVisibleItems(m_qualityList->count());
    m_qualityList->setGeometry(units.X(53), units.Y(118) + (units.Y(16) - height) / 2, units.X(kListWidth), height);
}

void CItemPropP::showEvent(QShowEvent* event)
{
    if (!m_filled)
        FillControls();
    QWidget::showEvent(event);
}

void CItemPropP::FillControls()
{
    m_filling = true;
    m_sourceEdit->setText(m_source);
    m_resultEdit->setText(m_result);
    QStringList entries;
    for (int i = 0; i < m_bitrateList->count(); ++i)
        entries << m_bitrateList->itemText(i);
    // A cell of another mode shows its rate (the average, or the default
    // rate for a variable bitrate) in the list, ready for a change of mode.
    const EncodeSettings settings = EncodeSettings::FromText(m_bitrate.toStdString());
    const QString rate = settings.mode == EncodeSettings::Mode::Cbr
        ? m_bitrate
        : CSettingProp::PageBitRate(QString::number(settings.bitrate));
    m_bitrateList->setCurrentIndex(CSettingProp::FindBitRateEntry(entries, rate));
    m_modeList->setCurrentIndex(static_cast<int>(settings.mode));
    m_qualityList->setCurrentIndex(
        settings.mode == EncodeSettings::Mode::Vbr && settings.Valid() ? settings.quality : EncodeSettings{}.quality);
    m_shownSettings = ShownSettings();
    EnableModeLists();
    m_filling = false;
    m_filled = true;
}

void CItemPropP::ReadControls()
{
    m_source = m_sourceEdit->text();
    m_result = m_resultEdit->text();
    // With no entry selected (a cell the list does not offer) the page keeps
    // the text it was given. A constant rate keeps the list's blank (" 96").
    const auto mode = static_cast<EncodeSettings::Mode>(std::max(0, m_modeList->currentIndex()));
    if (mode == EncodeSettings::Mode::Vbr)
        m_bitrate = QString::fromStdString(EncodeSettings::Vbr(m_qualityList->currentIndex()).Text());
    else if (m_bitrateList->currentIndex() >= 0)
        m_bitrate = mode == EncodeSettings::Mode::Abr ? QLatin1Char('A') + m_bitrateList->currentText().trimmed()
                                                      : m_bitrateList->currentText();
}

EncodeSettings CItemPropP::ShownSettings() const
{
    const auto mode = static_cast<EncodeSettings::Mode>(std::max(0, m_modeList->currentIndex()));
    if (mode == EncodeSettings::Mode::Vbr)
        return EncodeSettings::Vbr(m_qualityList->currentIndex());
    const int kbps = m_bitrateList->currentIndex() >= 0
        ? JobVocabulary::LeadingNumber(m_bitrateList->currentText().toStdString())
        : EncodeSettings::FromText(m_bitrate.toStdString()).bitrate;
    return mode == EncodeSettings::Mode::Abr ? EncodeSettings::Abr(kbps) : EncodeSettings::Cbr(kbps);
}

void CItemPropP::EnableModeLists()
{
    const bool vbr = m_modeList->currentIndex() == static_cast<int>(EncodeSettings::Mode::Vbr);
    m_bitrateList->setEnabled(!vbr);
    m_qualityList->setEnabled(vbr);
}

void CItemPropP::SetRow(int row)
{
    m_row = row;
    if (!m_table)
        return;
    m_job = m_table->JobKey(row);
    const JobStatus status = m_table->Status(row);
    m_finishedWhenOpened = status.IsEnded() || status.IsError();
}

// A result named after its settings follows new ones, as in the add-job dialog.
void CItemPropP::OnSettingsSelected()
{
    if (m_filling)
        return;
    EnableModeLists();
    const EncodeSettings selected = ShownSettings();
    m_resultEdit->setText(ResultNames::FollowSettings(m_resultEdit->text(), m_shownSettings, selected));
    m_shownSettings = selected;
}

void CItemPropP::MarkChanged()
{
    if (m_filling)
        return;
    m_changed = 1;
    emit changed();
}

bool CItemPropP::OnApply()
{
    ReadControls();
    if (m_changed != 0 && !Acceptable())
        return false;
    ApplyToRow();
    return true;
}

bool CItemPropP::Acceptable()
{
    const auto refuse = [this](const QString& text) {
        m_prompts.show(this, text);
        return false;
    };
    if (m_result.isEmpty() || m_source.isEmpty())
        return refuse(CJobAddDialog::kNoResultMessage());
    if (!ResultNames::FitsJob(m_source))
        return refuse(CJobAddDialog::kTooLongMessage()
                          .arg(CJobAddDialog::tr("source"))
                          .arg(ResultNames::kMaxPathLength)
                          .arg(m_source));
    if (!ResultNames::FitsJob(m_result))
        return refuse(CJobAddDialog::kTooLongMessage()
                          .arg(CJobAddDialog::tr("result"))
                          .arg(ResultNames::kMaxPathLength)
                          .arg(m_result));
    // A source the user typed is checked as Add checks its files.
    if (m_source != m_openedSource && !QFileInfo(m_source).isFile())
        return refuse(kNoSourceMessage().arg(m_source));
    if (m_result == m_source)
        return refuse(CJobAddDialog::kSameAsSourceMessage());
    const JobSpec edited{m_source.toStdString(), m_result.toStdString(),
                         EncodeSettings::FromText(m_bitrate.toStdString())};
    const JobQueue::Key self = m_job != JobQueue::kNoJob || !m_table ? m_job : m_table->JobKey(m_row);
    if (const std::optional<std::string> clash = m_table ? m_table->Clash(edited, self) : std::nullopt)
        return refuse(CJobAddDialog::kClashMessage().arg(QString::fromStdString(*clash)));
    return true;
}

int CItemPropP::RowIfNotFinished() const
{
    const int row = m_job == JobQueue::kNoJob ? m_row : m_table->RowOfJob(m_job);
    if (row < 0)
        return -1;
    const JobStatus status = m_table->Status(row);
    if (!m_finishedWhenOpened && (status.IsEnded() || status.IsError()))
        return -1;
    return row;
}

void CItemPropP::ApplyToRow()
{
    if (m_changed == 0 || !m_table)
        return;
    int row = RowIfNotFinished();
    if (row < 0) {
        m_prompts.show(this, kFinishedMessage());
        return;
    }
    const int percent = m_table->Status(row).Number();
    if (percent >= kFirstRestartPercent && percent <= kLastRestartPercent) {
        if (!m_prompts.askYesNo(this, kRestartQuestion()))
            return;
        // The job may have ended while the question was open.
        row = RowIfNotFinished();
        if (row < 0) {
            m_prompts.show(this, kFinishedMessage());
            return;
        }
        m_table->RequestRestart(m_table->JobKey(row));
    }
    m_row = row;
    // The cell holds the settings as the add flows write them ("96", not
    // the list's " 96").
    m_table->WriteJobCells(row, m_source, m_result,
                           QString::fromStdString(EncodeSettings::FromText(m_bitrate.toStdString()).Text()));
}

void CItemPropP::SetPrompts(JobPrompts prompts)
{
    m_prompts = std::move(prompts);
}
