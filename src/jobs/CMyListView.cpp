// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CMyListView.h"

#include "base/AppMessage.h"
#include "base/CommandIds.h"
#include "convert/InstallLayout.h"
#include "convert/JobConversion.h"
#include "jobs/JobCellDelegate.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QPainter>

#include <algorithm>

bool CMyListView::IsPathColumn(int column)
{
    return column == JobColumns::SourceFile || column == JobColumns::DestFile;
}

CMyListView::CMyListView(QWidget* parent) : QTableView(parent)
{
    setModel(&m_model);
    SetTableStyle();
    CreateColumns();
    SetBackgroundPicture(QString::fromStdString(
        InstallLayout::FindData(QCoreApplication::applicationDirPath().toStdString(), kSkinFile)));
    m_deleteQuestion = [this](const QString& question) { return AskWithMessageBox(question); };
    m_closeDeleteQuestion = [this] {
        if (m_deleteBox)
            m_deleteBox->reject();
    };
    m_threads.SetPromptParent(this);
}

CMyListView::~CMyListView()
{
    // The threads use the queue: they end before any part of it goes.
    m_threads.StopThreads();
}

QString CMyListView::ColumnCaption(int column)
{
    return JobQueueModel::ColumnCaption(column);
}

int CMyListView::ColumnWidthPx(int column)
{
    return JobColumns::IsColumn(column) ? JobColumns::kTable[static_cast<std::size_t>(column)].width : 0;
}

void CMyListView::SetTableStyle()
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setFrameShadow(QFrame::Sunken);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setSortingEnabled(false);
    setItemDelegate(new JobCellDelegate(this));
}

void CMyListView::CreateColumns()
{
    for (const JobColumns::Column& column : JobColumns::kTable) {
        // A translated caption may be longer than the English one the width
        // was chosen for: the column then starts wide enough to show it.
        const bool translated = ColumnCaption(column.number) != QLatin1String(column.caption);
        const int needed = translated ? horizontalHeader()->sectionSizeHint(column.number) : 0;
        setColumnWidth(column.number, std::max(column.width, needed));
    }
}

// The width the view has beyond its columns goes to the two path columns,
// in the proportion of their starting widths; they never fall below those.
// Other columns keep whatever width they have.
void CMyListView::SpreadSpareWidth()
{
    int others = 0;
    for (int column = 0; column < JobColumns::Count; ++column) {
        if (!IsPathColumn(column))
            others += columnWidth(column);
    }
    const int sourceStart = ColumnWidthPx(JobColumns::SourceFile);
    const int resultStart = ColumnWidthPx(JobColumns::DestFile);
    const int paths = std::max(viewport()->width() - others, sourceStart + resultStart);
    const int source = paths * sourceStart / (sourceStart + resultStart);
    setColumnWidth(JobColumns::SourceFile, source);
    setColumnWidth(JobColumns::DestFile, paths - source);
}

void CMyListView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    SpreadSpareWidth();
}

int CMyListView::InsertJob(const ConversionJob& job)
{
    const JobSpec queued{job.source.toStdString(), job.result.toStdString(), job.settings};
    m_identities.Remember(m_queue.Append(JobQueue::CellsOf(job.id, job.type, queued, std::to_string(job.status))),
                          queued, m_queue);
    m_threads.StartScheduler();
    m_threads.WakeScheduler();
    return 1;
}

int CMyListView::AddJob(const JobSpec& wanted)
{
    if (const std::optional<std::string> clash = Clash(wanted)) {
        LogLine(tr("%1: %2, not added").arg(QString::fromStdString(wanted.source), QString::fromStdString(*clash)));
        return -1;
    }
    ConversionJob job;
    job.id = NextJobId();
    job.source = QString::fromStdString(wanted.source);
    job.result = QString::fromStdString(wanted.result);
    job.settings = wanted.settings;
    InsertJob(job);
    RaiseNextJobId();
    return job.id;
}

int CMyListView::AddJob(const QString& source, const QString& result, int bitrate)
{
    return AddJob(JobSpec{source.toStdString(), result.toStdString(), EncodeSettings::Cbr(bitrate)});
}

std::optional<std::string> CMyListView::Clash(const JobSpec& job, JobQueue::Key self) const
{
    return m_identities.Clash(job, self, m_queue);
}

JobSpec CMyListView::JobAt(int row) const
{
    return JobQueue::SpecOf(m_queue.AllCells(m_queue.At(row)));
}

QString CMyListView::CellText(int row, int column) const
{
    return QString::fromStdString(m_queue.Cell(row, column));
}

void CMyListView::SetCellText(int row, int column, const QString& text)
{
    m_queue.SetCell(row, column, text.toStdString());
}

JobStatus CMyListView::Status(int row) const
{
    return JobStatus::FromCell(CellText(row, JobColumns::Status));
}

bool CMyListView::IsRunning(int row) const
{
    const JobQueue::RunState state = m_queue.StateOf(m_queue.At(row));
    const JobStatus status = JobStatus::FromCell(QString::fromStdString(state.status));
    return status.IsRunning() || (state.held && status.IsWaiting());
}

int CMyListView::ControlWord(int row) const
{
    const JobQueue::JobRef job = m_queue.At(row);
    return job ? JobQueue::Control(job).load() : JobControl::Idle;
}

int CMyListView::SelectedRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CMyListView::DeleteRow(int row)
{
    m_threads.LeaveAlbum(JobKey(row), CellText(row, JobColumns::DestFile).toStdString());
    if (m_queue.RemoveAt(row))
        m_threads.WakeScheduler();
}

void CMyListView::OnJobDel()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (!IsRunning(row)) {
        DeleteRow(row);
        return;
    }
    // The row stays: the stopped job ends as "100%" and the scheduler
    // removes it at once. The question may stay open for long; the answer
    // belongs to the job it was asked for, and a job that ends meanwhile
    // takes its question with it.
    const JobQueue::Key key = JobKey(row);
    const QString source = CellText(row, JobColumns::SourceFile);
    const auto running = [this, key] {
        const int rowNow = RowOfJob(key);
        return rowNow >= 0 && IsRunning(rowNow);
    };
    bool ended = false;
    const auto watch = [this, &running, &ended] {
        if (!ended && !running()) {
            ended = true;
            if (m_closeDeleteQuestion)
                m_closeDeleteQuestion();
        }
    };
    const QMetaObject::Connection changed = connect(&m_model, &QAbstractItemModel::dataChanged, this, watch);
    const QMetaObject::Connection removed = connect(&m_model, &QAbstractItemModel::rowsRemoved, this, watch);
    const bool yes = m_deleteQuestion && m_deleteQuestion(tr(kDeleteQuestion));
    disconnect(changed);
    disconnect(removed);
    if (ended || !running()) {
        LogLine(tr(kDeleteFinishedLine).arg(source));
        return;
    }
    if (yes)
        RequestStop(key);
}

void CMyListView::OnJobAdd()
{
    emit addJobRequested();
}

void CMyListView::ItemPropDlg()
{
    const int row = SelectedRow();
    if (row >= 0)
        emit propertyRequested(row);
}

void CMyListView::SetDeleteQuestion(DeleteQuestion question, DeleteQuestionCloser closer)
{
    m_deleteQuestion = std::move(question);
    m_closeDeleteQuestion = std::move(closer);
}

bool CMyListView::AskWithMessageBox(const QString& question)
{
    return AppMessage::AskOkCancel(this, question, &m_deleteBox);
}

void CMyListView::LogLine(const QString& line)
{
    m_threads.Log().showmessage((line + QStringLiteral("\r\n")).toStdString());
}

bool CMyListView::TakesCommand(int id) const
{
    return IsJobTableCommand(id);
}

bool CMyListView::CommandEnabled(int id) const
{
    if (id == IdJobAdd || id == IdToolAddJob)
        return true;
    return TakesCommand(id) && HasSelection();
}

void CMyListView::OnCommand(int id)
{
    switch (id) {
    case IdJobAdd:
    case IdToolAddJob:
        // The scheduler runs from the first Add on, even when the user
        // then adds nothing.
        m_threads.StartScheduler();
        OnJobAdd();
        break;
    case IdJobDelete:
    case IdToolDeleteJob:
        OnJobDel();
        break;
    case IdJobProperty:
    case IdToolJobProperty:
        ItemPropDlg();
        break;
    default:
        break;
    }
}

void CMyListView::WriteJobCells(int row, const QString& source, const QString& result, const QString& bitrate)
{
    SetCellText(row, JobColumns::SourceFile, source);
    SetCellText(row, JobColumns::DestFile, result);
    SetCellText(row, JobColumns::Bitrate, bitrate);
    m_identities.Remember(JobKey(row), JobAt(row), m_queue);
}

bool CMyListView::RequestRestart(JobQueue::Key key)
{
    return SetControlWord(key, JobControl::Restart);
}

bool CMyListView::RequestStop(JobQueue::Key key)
{
    return SetControlWord(key, JobControl::Stop);
}

bool CMyListView::SetControlWord(JobQueue::Key key, int control)
{
    const JobQueue::JobRef job = m_queue.Find(key);
    if (job)
        JobQueue::Control(job) = control;
    return job != nullptr;
}

bool CMyListView::SetBackgroundPicture(const QString& path)
{
    QPixmap picture;
    if (!picture.load(path))
        picture = QPixmap();
    m_background = picture;
    viewport()->update();
    return !m_background.isNull();
}

void CMyListView::paintEvent(QPaintEvent* event)
{
    if (!m_background.isNull()) {
        QPainter painter(viewport());
        painter.drawTiledPixmap(viewport()->rect(), m_background, QPoint(0, 0));
    }
    QTableView::paintEvent(event);
}

void CMyListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    ItemPropDlg();
    QTableView::mouseDoubleClickEvent(event);
}
