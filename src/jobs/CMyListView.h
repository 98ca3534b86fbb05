#pragma once

#include "jobs/ConversionJob.h"
#include "jobs/JobStatus.h"
#include "jobs/JobThreads.h"
#include "base/CommandTarget.h"

#include <QPersistentModelIndex>
#include <QPixmap>
#include <QTableWidget>

#include <functional>

class CLogView;

// The job table: the program's only store of conversion jobs. Each row is
// one job and its six text cells are the job's data; rows are appended at
// the end and never sorted or moved. The table owns the job threads that
// work on it and joins them before it goes away.
//
// All member functions belong to the UI thread.
class CMyListView : public QTableWidget, public CommandTarget {
    Q_OBJECT

public:
    enum Column { ColJobId = 0, ColJobType, ColSourceFile, ColDestFile, ColBitrate, ColStatus, ColumnCount };

    // What the scheduler's look at the first row did.
    enum class FirstRowAction {
        None,     // no row, no text, or scheduling paused
        Removed,  // a failed or ended job was removed
        Start,    // a waiting job is to be started
        Running,  // the job is being converted
    };

    static constexpr const char* kDeleteQuestion = "Are you sure to STOP and DELETE an unfinished job?";
    static constexpr const char* kSkinFile = "skin.jpg";

    // Asked before a running job is stopped for deletion; true means OK.
    using DeleteQuestion = std::function<bool(const QString& question)>;

    explicit CMyListView(QWidget* parent = nullptr);
    ~CMyListView() override;

    static QString ColumnCaption(int column);
    static int ColumnWidthPx(int column);

    // --- The job store -------------------------------------------------
    // Appends the job as a row, then starts the scheduler unless it runs.
    // Returns 1. The caller raises NextJobId afterwards.
    int InsertJob(const ConversionJob& job);
    // The whole add step of the add flows: fills a record numbered
    // NextJobId, inserts it and raises NextJobId. Returns the job number.
    int AddJob(const QString& source, const QString& result, int bitrate);

    int NextJobId() const { return m_nextJobId; }
    void RaiseNextJobId() { ++m_nextJobId; }

    int JobCount() const { return rowCount(); }
    // Empty for a row or column out of range.
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    // The row's Status read by the three-character rule.
    JobStatus Status(int row) const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    bool HasSelection() const { return SelectedRow() >= 0; }

    // --- Commands ------------------------------------------------------
    // Delete: stops the selected job after asking when it is running
    // (status 1 to 99), removes it at once otherwise.
    void OnJobDel();
    // Add: the dialogs come from elsewhere; emits addJobRequested.
    virtual void OnJobAdd();
    // Property: emits propertyRequested for the selected row.
    virtual void ItemPropDlg();
    void SetDeleteQuestion(DeleteQuestion question);

    bool TakesCommand(int id) const override;
    bool CommandEnabled(int id) const override;
    void OnCommand(int id) override;

    // --- Restart protocol (the property page) --------------------------
    // Writes Source File, Dest File and Bitrate of `row`.
    void WriteJobCells(int row, const QString& source, const QString& result, const QString& bitrate);
    // Asks the running conversion to end and the job to start again.
    void RequestRestart();

    // --- Job threads ---------------------------------------------------
    JobThreads& Threads() { return m_threads; }
    const JobThreads& Threads() const { return m_threads; }
    bool ThreadsRunning() const { return m_threads.ThreadsRunning(); }
    void StopThreads(std::chrono::milliseconds bound = JobThreads::kStopBound) { m_threads.StopThreads(bound); }
    void SetLogView(CLogView* view) { m_threads.SetLogView(view); }

    // The scheduler's look at the first row, carried out on the UI thread:
    // "ERR" is removed, a status reading 100 is removed and NextJobId
    // lowered, a waiting job becomes the running job and is to be started.
    FirstRowAction TakeFirstRow();
    // Writes the Status of the job last started; nothing once its row has
    // been deleted.
    void SetRunningJobStatus(const QString& text);

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

private:
    void CreateColumns();
    void SetTableStyle();
    void DeleteRow(int row);
    static bool AskWithMessageBox(QWidget* parent, const QString& question);

    int m_nextJobId = 0;
    QPixmap m_background;
    DeleteQuestion m_deleteQuestion;
    QPersistentModelIndex m_runningJob;
    JobThreads m_threads;  // last: joined before anything else goes
};
