// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "jobs/JobPrompts.h"
#include "jobs/JobQueue.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QWidget>

class CMyListView;
class QComboBox;
class QLineEdit;

// The one page of the job property sheet, "Job Property": the source file,
// the result file and the encode settings (bitrate, mode, quality) of one row of the job table. Applying
// writes them back into the row; for a running job it first asks whether
// the job may be restarted and then asks the conversion to restart.
class CItemPropP : public QWidget {
    Q_OBJECT

public:
    static QString kCaption() { return QCoreApplication::translate("CItemPropP", "Job Property"); }
    static QString kRestartQuestion()
    {
        return QCoreApplication::translate(
            "CItemPropP", "Change Setting of a processing job need restart the job, are you sure to restart this job?");
    }

    static QString kFinishedMessage()
    {
        return QCoreApplication::translate("CItemPropP",
                                           "This job has already finished; its settings were not changed.");
    }
    static QString kNoSourceMessage()
    {
        return QCoreApplication::translate(
            "CItemPropP", "The source file\n\n%1\n\ndoes not exist or is not a file. The job was not changed.");
    }

    // Control ids, as the resource numbers them.
    enum ControlId { IdSourceEdit = 1000, IdResultEdit = 1001, IdBitrateList = 1016 };

    explicit CItemPropP(CMyListView& table, QWidget* parent = nullptr);
    ~CItemPropP() override;

    // --- Fields, set before the sheet opens --------------------------------
    // The page belongs to the job in `row` when it opens; it follows that
    // job wherever its row moves, and changes no other.
    int Row() const { return m_row; }
    void SetRow(int row);
    JobQueue::Key Job() const { return m_job; }
    QString Source() const { return m_source; }
    void SetSource(const QString& source) { m_source = m_openedSource = source; }
    QString Result() const { return m_result; }
    void SetResult(const QString& result) { m_result = result; }
    // The Bitrate cell's text, with one leading blank when it is shorter
    // than three characters (" 96"), so that the list finds the right entry;
    // "V2" or "A160" for the other modes.
    QString Bitrate() const { return m_bitrate; }
    void SetBitrate(const QString& bitrate) { m_bitrate = bitrate; }
    int Changed() const { return m_changed; }

    // Data exchange: fields to controls (marks nothing changed) and back.
    void FillControls();
    void ReadControls();

    // The user changed a control: Apply becomes available.
    void MarkChanged();
    // OK and Apply: takes the controls and applies them to the row. False,
    // and the sheet stays open, when the values are refused as the add-job
    // dialog refuses them: a changed source that is no file, an empty
    // result, the source as result, a path longer than the system takes.
    bool OnApply();
    // Writes the page into its job's row when the user changed something; a
    // running job (status 2 to 99) is restarted after a Yes, and left alone
    // after a No. A job that has finished since the page opened is not
    // changed: the page says so.
    void ApplyToRow();

    void SetPrompts(JobPrompts prompts);

    QLineEdit* SourceEdit() const { return m_sourceEdit; }
    QLineEdit* ResultEdit() const { return m_resultEdit; }
    QComboBox* BitrateList() const { return m_bitrateList; }
    QComboBox* ModeList() const { return m_modeList; }
    QComboBox* QualityList() const { return m_qualityList; }

signals:
    // The page has changed: the sheet enables Apply.
    void changed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // A rate, mode or quality picked: a result named after the settings
    // follows them.
    void OnSettingsSelected();
    // The settings the lists show; the page's text when the rate list
    // shows none.
    EncodeSettings ShownSettings() const;
    void EnableModeLists();
    bool Acceptable();
    // The job has ended or gone since the page opened; -1 for its row then.
    int RowIfNotFinished() const;

    QPointer<CMyListView> m_table;
    int m_row = 0;
    JobQueue::Key m_job = JobQueue::kNoJob;
    bool m_finishedWhenOpened = false;
    EncodeSettings m_shownSettings;  // the lists' settings, for a result name that follows them
    QString m_source;
    QString m_openedSource;
    QString m_result;
    QString m_bitrate;
    int m_changed = 0;
    bool m_filled = false;
    bool m_filling = false;
    JobPrompts m_prompts;

    QLineEdit* m_sourceEdit = nullptr;
    QLineEdit* m_resultEdit = nullptr;
    QComboBox* m_bitrateList = nullptr;
    QComboBox* m_modeList = nullptr;
    QComboBox* m_qualityList = nullptr;
};
