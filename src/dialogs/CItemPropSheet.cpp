// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CItemPropSheet.h"

#include "dialogs/CItemPropP.h"

#include "base/ScreenFit.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CItemPropSheet::CItemPropSheet(CMyListView& table, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_page = new CItemPropP(table);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(new PageScrollArea(m_page), CItemPropP::kCaption());

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CItemPropSheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CItemPropSheet::reject);
    connect(ApplyButton(), &QPushButton::clicked, this, &CItemPropSheet::OnApplyButton);
    ApplyButton()->setEnabled(false);
    connect(m_page, &CItemPropP::changed, this, [this] { ApplyButton()->setEnabled(true); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetMaximumSize);
}

CItemPropSheet::~CItemPropSheet() = default;

void CItemPropSheet::SetJob(const QString& jobId, const QString& source)
{
    setWindowTitle(kTitle().arg(jobId, source.mid(source.lastIndexOf(QLatin1Char('/')) + 1)));
}

QPushButton* CItemPropSheet::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* CItemPropSheet::CancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

QPushButton* CItemPropSheet::ApplyButton() const
{
    return m_buttons->button(QDialogButtonBox::Apply);
}

void CItemPropSheet::OnApplyButton()
{
    if (m_page->OnApply())
        ApplyButton()->setEnabled(false);
}

void CItemPropSheet::accept()
{
    if (m_page->OnApply())
        QDialog::accept();
}
