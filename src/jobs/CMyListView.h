// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CommandTarget.h"
#include "jobs/ConversionJob.h"
#include "jobs/JobQueue.h"
#include "jobs/JobQueueModel.h"
#include "jobs/JobStatus.h"
#include "jobs/JobThreads.h"
#include "jobs/QueuedIdentities.h"

#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QTableView>

#include <functional>

class CLogView;

// The job table: a view of the job queue, the program's only store of
// conversion jobs. Each row is one job and its six text cells are the job's
// data; rows are appended at the end and never sorted or moved. The table
// owns the queue and the job threads that work on it, and joins them before
// it goes away.
//
// All member functions belong to the UI thread.
class CMyListView : public QTableView, public CommandTarget {
    Q_OBJECT

public:
    static constexpr const char* kDeleteQuestion
        = QT_TRANSLATE_NOOP("CMyListView", "Are you sure to STOP and DELETE an unfinished job?");
    static constexpr const char* kSkinFile = "skin.jpg";

    // Asked before a running job is stopped for deletion; true means OK.
    using DeleteQuestion = std::function<bool(const QString& question)>;
    // Closes an open delete question as if cancelled: its job has ended.
    using DeleteQuestionCloser = std::function<void()>;
    static constexpr const char* kDeleteFinishedLine
        = QT_TRANSLATE_NOOP("CMyListView", "%1 had finished before it could be stopped; nothing was deleted");

    explicit CMyListView(QWidget* parent = nullptr);
    ~CMyListView() override;

    static QString ColumnCaption(int column);
    static int ColumnWidthPx(int column);
    // Source File and Dest File: they take a wider table's spare width.
    static bool IsPathColumn(int column);

    // --- The job store -------------------------------------------------
    JobQueue& Queue() { return m_queue; }
    const JobQueue& Queue() const { return m_queue; }
    JobQueueModel& Model() { return m_model; }

    // Appends the job as a row, then starts the scheduler unless it runs
    // and lets it look at once. Returns 1. The caller raises NextJobId
    // afterwards.
    int InsertJob(const ConversionJob& job);
    // The whole add step of the add flows: fills a record numbered
    // NextJobId, inserts it and raises NextJobId. Returns the job number,
    // or -1 when the job is refused because its result is the result or
    // the source of another job in the table (the log says so).
    int AddJob(const JobSpec& job);
    // Why `job` may not be in the table beside the others (by file
    // identity, as the job planner tells files apart); empty when it may.
    // `self` is the job's own key when it is in the table.
    std::optional<std::string> Clash(const JobSpec& job, JobQueue::Key self = JobQueue::kNoJob) const;
    int AddJob(const QString& source, const QString& result, int bitrate);

    int NextJobId() const { return m_queue.NextJobId(); }
    void RaiseNextJobId() { m_queue.RaiseNextJobId(); }

    int JobCount() const { return m_queue.Count(); }
    // Empty for a row or column out of range (columns: JobColumns).
    QString CellText(int row, int column) const;
    // The job the row's cells stand for.
    JobSpec JobAt(int row) const;
    void SetCellText(int row, int column, const QString& text);
    // The row's Status read by the three-character rule.
    JobStatus Status(int row) const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    bool HasSelection() const { return SelectedRow() >= 0; }
    void SelectRow(int row) { selectRow(row); }

    // A job's identity, which stays with it while rows around it come and
    // go; JobQueue::kNoJob for a row out of range. -1 for a job gone.
    JobQueue::Key JobKey(int row) const { return m_queue.KeyAt(row); }
    int RowOfJob(JobQueue::Key key) const { return m_queue.RowOf(key); }
    // Being converted: a status of 1 to 99, or a job a worker has taken
    // and not yet marked started.
    bool IsRunning(int row) const;
    // The control word of the row's conversion; -1 before its first start
    // and for a row out of range.
    int ControlWord(int row) const;

    // --- Commands ------------------------------------------------------
    // Delete: stops the selected job after asking when it is running
    // (status 1 to 99), removes it at once otherwise. The answer acts on
    // the job the question was asked for: when that job ends while the
    // question is open, the question closes and the log says so; nothing
    // else is stopped.
    void OnJobDel();
    // Add: the dialogs come from elsewhere; emits addJobRequested.
    virtual void OnJobAdd();
    // Property: emits propertyRequested for the selected row.
    virtual void ItemPropDlg();
    // The question and how to close it early; the message box unless set.
    void SetDeleteQuestion(DeleteQuestion question, DeleteQuestionCloser closer = {});

    bool TakesCommand(int id) const override;
    bool CommandEnabled(int id) const override;
    void OnCommand(int id) override;

    // --- Restart protocol (the property page) --------------------------
    // Writes Source File, Dest File and Bitrate of `row`.
    void WriteJobCells(int row, const QString& source, const QString& result, const QString& bitrate);
    // Asks the job's conversion to end and the job to start again; false
    // when the job is no longer in the table.
    bool RequestRestart(JobQueue::Key key);
    // Asks the job's conversion to stop; false when the job has gone.
    bool RequestStop(JobQueue::Key key);

    // --- Job threads ---------------------------------------------------
    JobThreads& Threads() { return m_threads; }
    const JobThreads& Threads() const { return m_threads; }
    bool ThreadsRunning() const { return m_threads.ThreadsRunning(); }
    void StopThreads(std::chrono::milliseconds bound = JobThreads::kStopBound) { m_threads.StopThreads(bound); }
    void SetLogView(CLogView* view) { m_threads.SetLogView(view); }

    // --- Background picture --------------------------------------------
    // Tiles the picture behind the rows; false, and no picture, when it
    // cannot be read.
    bool SetBackgroundPicture(const QString& path);
    bool HasBackgroundPicture() const { return !m_background.isNull(); }

signals:
    void addJobRequested();
    void propertyRequested(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateColumns();
    void SpreadSpareWidth();
    void SetTableStyle();
    void DeleteRow(int row);
    bool SetControlWord(JobQueue::Key key, int control);
    bool AskWithMessageBox(const QString& question);
    void LogLine(const QString& line);

    JobQueue m_queue;
    JobQueueModel m_model{m_queue};
    QueuedIdentities m_identities;
    QPixmap m_background;
    DeleteQuestion m_deleteQuestion;
    DeleteQuestionCloser m_closeDeleteQuestion;
    QPointer<QMessageBox> m_deleteBox;
    JobThreads m_threads{m_queue};  // last: joined before anything else goes
};
