// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>

class CItemPropP;
class CMyListView;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

// The job property sheet: one CItemPropP page and the buttons OK, Cancel
// and Apply. OK and Apply apply the page; Apply is available once the page
// has changed since it was opened or last applied. Cancel writes nothing
// more. The sheet is captioned after its job.
class CItemPropSheet : public QDialog {
    Q_OBJECT

public:
    explicit CItemPropSheet(CMyListView& table, QWidget* parent = nullptr);
    ~CItemPropSheet() override;

    static QString kTitle() { return QCoreApplication::translate("CItemPropSheet", "Job %1: %2"); }

    // The caption: the job's number and its source's file name.
    void SetJob(const QString& jobId, const QString& source);
    CItemPropP* Page() const { return m_page; }
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;
    QPushButton* ApplyButton() const;

    void OnApplyButton();

public slots:
    void accept() override;

private:
    CItemPropP* m_page = nullptr;
    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
