// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/JobCommands.h"

#include "convert/SourceFormats.h"

#include "base/CommandIds.h"
#include "base/SettingsRecord.h"
#include "base/UserDefaults.h"
#include "dialogs/CItemPropP.h"
#include "dialogs/CItemPropSheet.h"
#include "dialogs/CJobAddDialog.h"
#include "dialogs/CSettingProp.h"
#include "jobs/CMyListView.h"
#include "jobs/ResultNames.h"
#include "window/BatchReport.h"
#include "window/FolderScan.h"
#include "xp/FlatMenu.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>

#include <atomic>

const std::array<JobCommands::ContextItem, 6> JobCommands::kContextItems{{
    {IdJobAdd, QT_TRANSLATE_NOOP("JobCommands", "Add")},
    {IdJobAddFolder, QT_TRANSLATE_NOOP("JobCommands", "Add Folder")},
    {IdJobDelete, QT_TRANSLATE_NOOP("JobCommands", "Delete")},
    {IdJobProperty, QT_TRANSLATE_NOOP("JobCommands", "Property")},
    {0, nullptr},
    {IdSettings, QT_TRANSLATE_NOOP("JobCommands", "Settings")},
}};

namespace {

// Holds the scheduler still while the property sheet is open, so that the
// rows keep their places; once it closes the scheduler looks at once.
class SchedulingPause {
public:
    explicit SchedulingPause(JobThreads& threads) : m_threads(threads) { m_threads.State().SchedulingPaused = 1; }
    ~SchedulingPause()
    {
        m_threads.State().SchedulingPaused = 0;
        m_threads.WakeScheduler();
    }
    SchedulingPause(const SchedulingPause&) = delete;
    SchedulingPause& operator=(const SchedulingPause&) = delete;

private:
    JobThreads& m_threads;
};

}  // namespace

JobCommands::JobCommands(CMyListView& table, QObject* parent)
    : QObject(parent),
      m_table(table),
      m_chooser(ChooseWithFileDialog),
      m_folderChooser(ChooseFolderWithFileDialog),
      m_runDialog([](CJobAddDialog& dialog) { return dialog.exec(); }),
      m_runSheet([](CItemPropSheet& sheet) { return sheet.exec(); }),
      m_prompts(JobPrompts::Defaults())
{
    // Without a frame the table's own rules decide; Settings is the
    // application's and then unavailable.
    m_sink.enabled = [this](int id) { return m_table.TakesCommand(id) && m_table.CommandEnabled(id); };
    m_sink.execute = [this](int id) {
        if (m_sink.enabled(id))
            m_table.OnCommand(id);
    };
    m_sink.icon = [](int) { return QIcon(); };

    connect(&m_table, &CMyListView::addJobRequested, this,
            [this] { OnJobAdd(m_table.Threads().State().SchedulerRunning); });
    connect(&m_table, &CMyListView::propertyRequested, this, &JobCommands::ItemPropDlg);

    // Drops land on the viewport; whether they are taken follows the
    // table's own acceptDrops.
    m_table.viewport()->setAcceptDrops(true);
    m_table.viewport()->installEventFilter(this);
    m_table.installEventFilter(this);
}

JobCommands::~JobCommands() = default;

// While an add operation asks its questions, jobs added before them may
// already have ended: the batch stays open until the operation is over,
// and the scheduler's next pass then finds the queue empty at once.
BatchReport::AddOperation JobCommands::Operation()
{
    return {m_report, [this] { m_table.Threads().WakeScheduler(); }};
}

QWidget* JobCommands::DialogParent() const
{
    return m_table.window();
}

void JobCommands::OnJobAdd(int schedulerRunning)
{
    if (schedulerRunning == 0)
        m_table.Threads().StartScheduler();
    const QStringList files = m_chooser(DialogParent(), StartFolder());
    if (!files.isEmpty())
        m_lastChosenFrom = ResultNames::FolderOf(files.first());
    AddChosenFiles(files);
}

// The settings' source folder when the user named one; otherwise where the
// last Add or Add Folder of this run chose from, before the built-in one.
QString JobCommands::StartFolder() const
{
    const QString configured = Defaults().SourceFolder;
    const bool named = !configured.isEmpty() && configured != SettingsStore::DefaultSourceFolder();
    return named || m_lastChosenFrom.isEmpty() ? configured : m_lastChosenFrom;
}

void JobCommands::AddGivenFiles(const QStringList& files)
{
    const BatchReport::AddOperation operation = Operation();
    if (m_table.Threads().State().SchedulerRunning == 0)
        m_table.Threads().StartScheduler();
    // Folders among them are added afterwards, each as with Add Folder.
    QStringList chosen;
    QStringList folders;
    for (const QString& path : files)
        (QFileInfo(path).isDir() ? folders : chosen).append(path);
    if (!chosen.isEmpty())
        AddChosenFiles(chosen);
    for (const QString& folder : folders)
        AddFolder(folder);
}

// The default settings' text as an offered result name carries it: the
// bitrate text as the record holds it for a constant bitrate, "V2" or "A160"
// for the other modes.
QString JobCommands::DefaultSuffix(const SettingsRecord& settings)
{
    if (settings.EncodeMode == EncodeSettings::Mode::Cbr)
        return settings.BitRate;
    return QString::fromStdString(settings.Encoding().Text());
}

// Without defaults handed down (a table on its own), the built-in ones.
SettingsRecord JobCommands::Defaults() const
{
    return m_defaults ? m_defaults->Settings() : SettingsStore::Defaults();
}

void JobCommands::AddChosenFiles(const QStringList& files)
{
    const BatchReport::AddOperation operation = Operation();
    BatchState batch = NewBatch();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& source = files[i];
        // The defaults are read for every file: a dialog may just have saved new ones.
        const SettingsRecord settings = Defaults();
        const QString offered = ResultNames::ForAddCommand(source, settings.DestFolder, DefaultSuffix(settings));
        AddFile(source, offered, i == files.size() - 1, batch);
    }
}

void JobCommands::OnJobAddFolder()
{
    // As with Add: the scheduler runs before the chooser opens.
    m_table.Threads().StartScheduler();
    const QString folder = m_folderChooser(DialogParent(), StartFolder());
    if (folder.isEmpty())
        return;
    m_lastChosenFrom = ResultNames::FolderOf(folder);
    AddFolder(folder);
}

void JobCommands::AddFolder(const QString& folder)
{
    const FolderScan::Result scan = FolderScan::Run(DialogParent(), folder, m_table.Threads().Log());
    if (scan.cancelled)
        return;
    if (scan.found.empty()) {
        // A folder that cannot be read has had its log line already.
        m_prompts.show(DialogParent(), kNoMp3Message().arg(folder));
        return;
    }
    const BatchReport::AddOperation operation = Operation();
    BatchState batch = NewBatch();
    const std::size_t count = scan.found.size();
    for (std::size_t i = 0; i < count; ++i) {
        const QString source = QString::fromStdString(scan.found[i].path);
        const QString relative = QString::fromStdString(scan.found[i].relative);
        QString offered;
        if (batch.sameSettings == 0) {
            const SettingsRecord& settings = Defaults();
            offered = ResultNames::ForAddFolder(source, relative, settings.DestFolder, DefaultSuffix(settings));
        }
        AddFile(source, offered, i + 1 == count, batch, relative);
    }
}

void JobCommands::OnDropFiles(const QList<QUrl>& urls)
{
    const BatchReport::AddOperation operation = Operation();
    const int count = static_cast<int>(urls.size());
    BatchState batch = NewBatch();
    QStringList folders;
    for (int i = 0; i < count; ++i) {
        const QUrl& url = urls[i];
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (!path.isEmpty() && QFileInfo(path).isDir())
            folders.append(path);
        else
            AddDroppedFile(path, batch, count - i);
    }
    for (const QString& folder : folders)
        AddFolder(folder);
}

bool JobCommands::AddDroppedFile(const QString& path, BatchState& batch, int remaining)
{
    if (!ResultNames::HasMp3Extension(path) || QFileInfo(path).isDir())
        return false;
    AddFile(path, ResultNames::ForDrop(path), remaining < 2, batch);
    return true;
}

void JobCommands::AddFile(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch,
                          const QString& relative)
{
    if (!ResultNames::FitsJob(source)) {
        RefuseTooLong(source, relative);
        return;
    }
    if (batch.sameSettings == 1)
        AddWithSameSettings(source, lastFile, batch, relative);
    else
        AddWithDialog(source, offeredResult, lastFile, batch, relative);
}

void JobCommands::RefuseTooLong(const QString& path, const QString& relative)
{
    if (m_report)
        // The log line's reason, without the path it starts with (and the
        // colon some languages set apart with a space).
        m_report->Failed(path,
                         kTooLongLine()
                             .arg(QString(), QString::number(ResultNames::kMaxPathLength))
                             .remove(QRegularExpression(QStringLiteral("^[\\s:]+"))));
    if (relative.isEmpty())
        m_prompts.show(DialogParent(), kTooLongMessage().arg(path).arg(ResultNames::kMaxPathLength));
    else
        Log(kTooLongLine().arg(path).arg(ResultNames::kMaxPathLength));
}

void JobCommands::KeepResult(const QString& result)
{
    Log(kKeptLine().arg(result));
    if (m_report)
        m_report->Skipped();
}

void JobCommands::Log(const QString& line)
{
    m_table.Threads().Log().showmessage((line + QStringLiteral("\r\n")).toStdString());
}

void JobCommands::AddWithDialog(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch,
                                const QString& relative)
{
    CJobAddDialog dialog(DialogParent());
    dialog.SetPrompts(m_prompts);
    dialog.SetUserDefaults(m_defaults);
    dialog.SetSource(source);
    dialog.SetResult(offeredResult);
    if (lastFile)
        dialog.SetLastFile(1);
    else if (!relative.isEmpty())
        dialog.SetSameSettings(1);  // a folder is one batch unless the user says otherwise
    dialog.SetReplaceRule(&batch.replace, !lastFile);
    dialog.SetClashCheck([this](const JobSpec& job) { return m_table.Clash(job); });
    const bool accepted = m_runDialog(dialog) == QDialog::Accepted;
    const bool keptAll = !accepted && dialog.KeptExistingResult();  // "No to all"
    if (!accepted && !keptAll)
        return;
    const QString root = relative.isEmpty() ? ResultNames::FolderWithSlash(dialog.Result())
                                            : ResultNames::TreeRoot(dialog.Result(), relative);
    // After "No to all" the rest of the batch goes on with this dialog's
    // settings, and no more dialogs open.
    batch.sameSettings = keptAll ? 1 : dialog.SameSettings();
    if (batch.sameSettings == 1) {
        batch.settings = dialog.Settings();
        batch.folder = root;
    }
    if (keptAll) {
        KeepResult(dialog.Result());
        return;
    }
    // A folder's first file keeps its place in the tree too, however its
    // result folder was chosen (typed, "...", or the one offered).
    const QString placed = root + ResultNames::FolderWithSlash(relative)
        + dialog.Result().mid(dialog.Result().lastIndexOf(QLatin1Char('/')) + 1);
    // A folder's files make albums, and so do the files of a same-settings batch.
    const bool album = !relative.isEmpty() || batch.sameSettings == 1;
    if (relative.isEmpty() || placed == dialog.Result()) {
        AddToTable(JobSpec{dialog.Source().toStdString(), dialog.Result().toStdString(), dialog.Settings()}, batch,
                   album);
        return;
    }
    if (!ResultNames::FitsJob(placed)) {
        RefuseTooLong(placed, relative);
        return;
    }
    if (QFileInfo::exists(placed) && !MayReplace(placed, lastFile, batch)) {
        KeepResult(placed);
        return;
    }
    AddToTable(JobSpec{dialog.Source().toStdString(), placed.toStdString(), dialog.Settings()}, batch, album);
}

void JobCommands::AddWithSameSettings(const QString& source, bool lastFile, BatchState& batch, const QString& relative)
{
    const QString result = relative.isEmpty()
        ? ResultNames::ForSameSettings(source, batch.folder, batch.settings)
        : ResultNames::ForFolderTree(source, relative, batch.folder, batch.settings);
    if (!ResultNames::FitsJob(result)) {
        RefuseTooLong(result, relative);
        return;
    }
    // No dialog asks here, but an existing file is still not replaced unasked.
    if (QFileInfo::exists(result) && !MayReplace(result, lastFile, batch)) {
        KeepResult(result);
        return;
    }
    AddToTable(JobSpec{source.toStdString(), result.toStdString(), batch.settings}, batch, true);
}

BatchState JobCommands::NewBatch() const
{
    BatchState batch;
    if (Defaults().WriteLoudnessTags == LoudnessTags::Album)
        batch.albums = std::make_unique<AlbumBatch>(m_table.Threads());
    return batch;
}

void JobCommands::AddToTable(const JobSpec& job, BatchState& batch, bool album)
{
    if (m_table.AddJob(job) < 0) {
        // Its result is another job's result or source: the table logged
        // why, and the batch counts it as failed.
        if (m_report)
            m_report->Failed(QString::fromStdString(job.source),
                             QString::fromStdString(m_table.Clash(job).value_or(std::string())));
        return;
    }
    if (album && batch.albums)
        batch.albums->Join(m_table.JobKey(m_table.JobCount() - 1), job.source);
}

bool JobCommands::MayReplace(const QString& result, bool lastFile, BatchState& batch)
{
    if (!batch.replace.Asks())
        return batch.replace.ReplacesAll();
    return batch.replace.Take(
        m_prompts.AskReplace(DialogParent(), CJobAddDialog::kOverwriteQuestion().arg(result), !lastFile));
}

void JobCommands::ItemPropDlg(int row)
{
    if (row < 0 || row >= m_table.JobCount())
        return;
    const SchedulingPause pause(m_table.Threads());
    CItemPropSheet sheet(m_table, DialogParent());
    sheet.SetJob(m_table.CellText(row, JobColumns::JobId), m_table.CellText(row, JobColumns::SourceFile));
    CItemPropP& page = *sheet.Page();
    page.SetPrompts(m_prompts);
    page.SetRow(row);
    page.SetSource(m_table.CellText(row, JobColumns::SourceFile));
    page.SetResult(m_table.CellText(row, JobColumns::DestFile));
    page.SetBitrate(CSettingProp::PageBitRate(m_table.CellText(row, JobColumns::Bitrate)));
    m_runSheet(sheet);
}

QMenu* JobCommands::BuildContextMenu(QWidget* owner)
{
    auto* menu = new QMenu(owner);
    FlatMenu::PrepareOnShow(owner != nullptr ? owner->window() : nullptr, menu);
    for (const ContextItem& item : kContextItems) {
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(m_sink.icon(item.id), tr(item.caption));
        action->setData(item.id);
        action->setEnabled(m_sink.enabled(item.id));
        // Carried out once the menu has closed.
        connect(
            action, &QAction::triggered, this, [this, id = item.id] { m_sink.execute(id); }, Qt::QueuedConnection);
    }
    return menu;
}

void JobCommands::OnContextMenu(const QPoint& globalPos)
{
    QMenu* menu = BuildContextMenu(DialogParent());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool JobCommands::HandleDragEvent(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    if (!m_table.acceptDrops() || !drop->mimeData() || !drop->mimeData()->hasUrls()) {
        drop->ignore();
        return true;
    }
    // A copy, never a move: the file manager must leave the file alone.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) {
        // The dialogs open after the drop has been completed, so the file
        // manager is not kept waiting.
        const QList<QUrl> urls = drop->mimeData()->urls();
        QTimer::singleShot(0, this, [this, urls] { OnDropFiles(urls); });
    }
    return true;
}

bool JobCommands::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Enter on a selected row opens its properties, as a double click does.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (watched == &m_table && enter && modifiers == Qt::NoModifier && m_table.HasSelection()) {
            m_table.ItemPropDlg();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return HandleDragEvent(event);
    case QEvent::ContextMenu:
        OnContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void JobCommands::SetFileChooser(FileChooser chooser)
{
    m_chooser = std::move(chooser);
}

void JobCommands::SetFolderChooser(FolderChooser chooser)
{
    m_folderChooser = std::move(chooser);
}

void JobCommands::SetAddDialogRunner(AddDialogRunner runner)
{
    m_runDialog = std::move(runner);
}

void JobCommands::SetSheetRunner(SheetRunner runner)
{
    m_runSheet = std::move(runner);
}

void JobCommands::SetCommandSink(CommandSink sink)
{
    m_sink = std::move(sink);
}

void JobCommands::SetUserDefaults(UserDefaults* defaults)
{
    m_defaults = defaults;
}

void JobCommands::SetPrompts(JobPrompts prompts)
{
    m_prompts = std::move(prompts);
}

QString JobCommands::ChooserFilter()
{
    QStringList patterns;
    for (const std::string_view extension : SourceFormat::Extensions())
        patterns << QStringLiteral("*.")
                + QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
    return tr("Audio files (%1);;mp3 file (*.mp3);;All files (*)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList JobCommands::ChooseWithFileDialog(QWidget* parent, const QString& startFolder)
{
    QFileDialog dialog(parent, kChooserCaption(), startFolder, ChooserFilter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(QStringLiteral("mp3"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString JobCommands::ChooseFolderWithFileDialog(QWidget* parent, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, kFolderCaption(), startFolder, QFileDialog::ShowDirsOnly);
}
