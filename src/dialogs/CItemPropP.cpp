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
    connect(m_bitrateList, &QComboBox::currentIndexChanged, this, &CItemPropP::OnBitrateSelected);
    connect(m_bitrateList, &QComboBox::currentIndexChanged, this, &CItemPropP::MarkChanged);
}

CItemPropP::~CItemPropP() = default;

void CItemPropP::BuildControls()
{
    const DialogUnits units(font());
    setFixedSize(units.Size(kPageWidth, kPageHeight));

    AddLabel(this, units, QStringLiteral("Source File:"), 7, 19, 42, 16);
    m_sourceEdit = AddPathEdit(this, units, 53, 19, 226, 16);
    AddLabel(this, units, QStringLiteral("Result File:"), 7, 55, 38, 16);
    m_resultEdit = AddPathEdit(this, units, 53, 55, 226, 16);
    AddLabel(this, units, QStringLiteral("BitRate:"), 7, 92, 31, 16);

    // The list sorts its entries as text; the blank before every two-digit
    // rate puts them in rising numeric order.
    m_bitrateList = new QComboBox(this);
    m_bitrateList->addItems(CSettingProp::BitRateEntries());
    m_bitrateList->setEditable(false);
    m_bitrateList->setMaxVisibleItems(kListVisibleItems);
    const int height = m_bitrateList->sizeHint().height();
    m_bitrateList->setGeometry(units.X(53), units.Y(92) + (units.Y(16) - height) / 2, units.X(kListWidth), height);
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
    m_bitrateList->setCurrentIndex(CSettingProp::FindBitRateEntry(entries, m_bitrate));
    m_shownBitrate = m_bitrateList->currentText();
    m_filling = false;
    m_filled = true;
}

void CItemPropP::ReadControls()
{
    m_source = m_sourceEdit->text();
    m_result = m_resultEdit->text();
    // With no entry selected (a cell the list does not offer) the page keeps
    // the text it was given.
    if (m_bitrateList->currentIndex() >= 0)
        m_bitrate = m_bitrateList->currentText();
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

// A result named after its rate follows a new rate, as in the add-job dialog.
void CItemPropP::OnBitrateSelected()
{
    const QString selected = m_bitrateList->currentText();
    if (!m_filling && !m_shownBitrate.isEmpty() && !selected.isEmpty())
        m_resultEdit->setText(ResultNames::FollowRate(m_resultEdit->text(),
                                                      JobVocabulary::LeadingNumber(m_shownBitrate.toStdString()),
                                                      JobVocabulary::LeadingNumber(selected.toStdString())));
    m_shownBitrate = selected;
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
        return refuse(CJobAddDialog::kNoResultMessage);
    if (!ResultNames::FitsJob(m_source))
        return refuse(CJobAddDialog::kTooLongMessage.arg(QStringLiteral("source"))
                          .arg(ResultNames::kMaxPathLength)
                          .arg(m_source));
    if (!ResultNames::FitsJob(m_result))
        return refuse(CJobAddDialog::kTooLongMessage.arg(QStringLiteral("result"))
                          .arg(ResultNames::kMaxPathLength)
                          .arg(m_result));
    // A source the user typed is checked as Add checks its files.
    if (m_source != m_openedSource && !QFileInfo(m_source).isFile())
        return refuse(kNoSourceMessage.arg(m_source));
    if (m_result == m_source)
        return refuse(CJobAddDialog::kSameAsSourceMessage);
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
        m_prompts.show(this, kFinishedMessage);
        return;
    }
    const int percent = m_table->Status(row).Number();
    if (percent >= kFirstRestartPercent && percent <= kLastRestartPercent) {
        if (!m_prompts.askYesNo(this, kRestartQuestion))
            return;
        // The job may have ended while the question was open.
        row = RowIfNotFinished();
        if (row < 0) {
            m_prompts.show(this, kFinishedMessage);
            return;
        }
        m_table->RequestRestart(m_table->JobKey(row));
    }
    m_row = row;
    // The cell holds the rate as the add flows write it ("96", not the
    // list's " 96").
    const int rate = JobVocabulary::LeadingNumber(m_bitrate.toStdString());
    m_table->WriteJobCells(row, m_source, m_result, rate > 0 ? QString::number(rate) : m_bitrate);
}

void CItemPropP::SetPrompts(JobPrompts prompts)
{
    m_prompts = std::move(prompts);
}
