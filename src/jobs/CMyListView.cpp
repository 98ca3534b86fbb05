#include "jobs/CMyListView.h"

#include "base/AppMessage.h"
#include "base/CommandIds.h"
#include "convert/LogText.h"
#include "convert/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <array>

namespace {
struct ColumnSpec {
    const char* caption;
    int width;
};

constexpr std::array<ColumnSpec, CMyListView::ColumnCount> kColumns{{
    {"Jod ID", 50},
    {"Job Type", 60},
    {"Source File", 150},
    {"Dest File", 200},
    {"Bitrate", 60},
    {"Status", 60},
}};

bool IsValidColumn(int column)
{
    return column >= 0 && column < CMyListView::ColumnCount;
}

// Shows a cell with its control characters escaped, as the log does: a file
// name may hold a line feed. The cell keeps the real name.
class EscapedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        if (value.userType() != QMetaType::QString)
            return QStyledItemDelegate::displayText(value, locale);
        return QString::fromStdString(LogText::Escaped(value.toString().toStdString()));
    }
};
}  // namespace

CMyListView::CMyListView(QWidget* parent) : QTableWidget(parent), m_threads(*this)
{
    SetTableStyle();
    CreateColumns();
    SetBackgroundPicture(QString::fromStdString(
        InstallLayout::FindData(QCoreApplication::applicationDirPath().toStdString(), kSkinFile)));
    m_deleteQuestion = [this](const QString& question) { return AskWithMessageBox(this, question); };
}

CMyListView::~CMyListView()
{
    // The threads use the table: they end before any part of it goes.
    m_threads.StopThreads();
}

QString CMyListView::ColumnCaption(int column)
{
    return IsValidColumn(column) ? QString::fromLatin1(kColumns[column].caption) : QString();
}

int CMyListView::ColumnWidthPx(int column)
{
    return IsValidColumn(column) ? kColumns[column].width : 0;
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
    setItemDelegate(new EscapedTextDelegate(this));
}

void CMyListView::CreateColumns()
{
    setColumnCount(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QTableWidgetItem(ColumnCaption(column));
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setHorizontalHeaderItem(column, header);
        setColumnWidth(column, ColumnWidthPx(column));
    }
}

int CMyListView::InsertJob(const ConversionJob& job)
{
    const int row = rowCount();
    insertRow(row);
    SetCellText(row, ColJobId, QString::number(job.id));
    SetCellText(row, ColJobType, QString::number(job.type));
    SetCellText(row, ColSourceFile, job.source);
    SetCellText(row, ColDestFile, job.result);
    SetCellText(row, ColBitrate, QString::number(job.bitrate));
    SetCellText(row, ColStatus, QString::number(job.status));
    m_threads.StartScheduler();
    return 1;
}

int CMyListView::AddJob(const QString& source, const QString& result, int bitrate)
{
    ConversionJob job;
    job.id = m_nextJobId;
    job.source = source;
    job.result = result;
    job.bitrate = bitrate;
    InsertJob(job);
    RaiseNextJobId();
    return job.id;
}

QString CMyListView::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = (row >= 0 && row < rowCount() && IsValidColumn(column)) ? item(row, column) : nullptr;
    return cell ? cell->text() : QString();
}

void CMyListView::SetCellText(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || !IsValidColumn(column))
        return;
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
        return;
    }
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setItem(row, column, cell);
}

JobStatus CMyListView::Status(int row) const
{
    return JobStatus::FromCell(CellText(row, ColStatus));
}

int CMyListView::SelectedRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CMyListView::DeleteRow(int row)
{
    if (row >= 0 && row < rowCount())
        removeRow(row);
}

void CMyListView::OnJobDel()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (!Status(row).IsRunning()) {
        DeleteRow(row);
        return;
    }
    // The row stays: the stopped job ends as "100%" and the scheduler
    // removes it at its next pass.
    if (m_deleteQuestion && m_deleteQuestion(QString::fromLatin1(kDeleteQuestion)))
        m_threads.RequestStop();
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

void CMyListView::SetDeleteQuestion(DeleteQuestion question)
{
    m_deleteQuestion = std::move(question);
}

bool CMyListView::AskWithMessageBox(QWidget* parent, const QString& question)
{
    return AppMessage::AskOkCancel(parent, question);
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
    SetCellText(row, ColSourceFile, source);
    SetCellText(row, ColDestFile, result);
    SetCellText(row, ColBitrate, bitrate);
}

void CMyListView::RequestRestart()
{
    m_threads.RequestRestart();
}

CMyListView::FirstRowAction CMyListView::TakeFirstRow()
{
    // Checked here, on the UI thread, so that a property sheet opened a
    // moment ago keeps its row where it is.
    if (m_threads.State().SchedulingPaused != 0 || rowCount() == 0)
        return FirstRowAction::None;
    const JobStatus status = Status(0);
    if (status.IsEmpty())
        return FirstRowAction::None;
    if (status.IsError()) {
        DeleteRow(0);
        return FirstRowAction::Removed;
    }
    if (status.Number() == 0) {
        m_runningJob = QPersistentModelIndex(model()->index(0, ColStatus));
        return FirstRowAction::Start;
    }
    if (status.Number() == JobStatus::kEndedNumber) {
        DeleteRow(0);
        --m_nextJobId;
        return FirstRowAction::Removed;
    }
    return FirstRowAction::Running;
}

void CMyListView::SetRunningJobStatus(const QString& text)
{
    if (m_runningJob.isValid())
        SetCellText(m_runningJob.row(), ColStatus, text);
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
    QTableWidget::paintEvent(event);
}

void CMyListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    ItemPropDlg();
    QTableWidget::mouseDoubleClickEvent(event);
}
