// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SettingsRecord.h"
#include "jobs/JobPrompts.h"
#include "window/BatchReport.h"
#include "window/BatchState.h"

#include <QCoreApplication>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <functional>

class CItemPropSheet;
class CJobAddDialog;
class CMyListView;
class QMenu;
class QPoint;
class QWidget;
class UserDefaults;

// How the user reaches the job table: the Add command with its file
// chooser, files dropped on the table, the property sheet, and the table's
// context menu. Both add flows show the add-job dialog for each file, or add
// the rest of a batch directly once the user asked for the same settings,
// and end in the table's AddJob.
//
// Attached to one table for its whole life: it takes the table's Add and
// Property requests, its drops and its context-menu requests.
class JobCommands : public QObject {
    Q_OBJECT

public:
    static QString kChooserCaption() { return QCoreApplication::translate("JobCommands", "Open"); }
    // "Audio files" (every source format), the MP3 filter, then all files.
    static QString ChooserFilter();
    static QString kTooLongMessage()
    {
        return QCoreApplication::translate("JobCommands",
                                           "The path\n\n%1\n\nis longer than %2 bytes. The file is not added.");
    }
    static QString kTooLongLine()
    {
        return QCoreApplication::translate("JobCommands", "%1: the path is longer than %2 bytes, not added");
    }
    static QString kKeptLine()
    {
        return QCoreApplication::translate("JobCommands", "%1 exists already: kept, its job not added");
    }
    static QString kFolderCaption() { return QCoreApplication::translate("JobCommands", "Add Folder"); }
    static QString kNoMp3Message()
    {
        return QCoreApplication::translate("JobCommands", "No MP3 file was found in\n\n%1");
    }

    // The context menu: "Add", "Add Folder", "Delete", "Property", a
    // separator (id 0), "Settings".
    struct ContextItem {
        int id;
        const char* caption;
    };
    static const std::array<ContextItem, 6> kContextItems;

    // Lets the user pick source files, starting in `startFolder`; the files
    // in the order chosen, none when cancelled. Tests replace it.
    using FileChooser = std::function<QStringList(QWidget* parent, const QString& startFolder)>;
    // Lets the user pick a folder, starting in `startFolder`; empty when
    // cancelled. Tests replace it.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& startFolder)>;
    // Shows an add-job dialog that has been set up; its result code.
    using AddDialogRunner = std::function<int(CJobAddDialog& dialog)>;
    // Shows the property sheet that has been set up; its result code.
    using SheetRunner = std::function<int(CItemPropSheet& sheet)>;
    // How the context menu's commands are enabled and carried out: by the
    // main frame's command route.
    struct CommandSink {
        std::function<bool(int id)> enabled;
        std::function<void(int id)> execute;
        std::function<QIcon(int id)> icon;
    };

    explicit JobCommands(CMyListView& table, QObject* parent = nullptr);
    ~JobCommands() override;

    // The Add command. Starts the scheduler first when `schedulerRunning`
    // is 0, then lets the user choose files and adds them one by one. The
    // chooser starts in the source folder the settings name, or else where
    // the last Add (or Add Folder) since the start chose from.
    void OnJobAdd(int schedulerRunning);
    // Add Folder: lets the user choose a folder, starting in the default
    // source folder, and adds every MP3 file below it.
    void OnJobAddFolder();
    // Every MP3 file below `folder`, in name order, becomes a job: one
    // add-job dialog for the first file (with "Use Same Settings" ticked),
    // its bitrate and result folder for the rest. Results keep the files'
    // sub-folders below the result folder. The tree is read with a progress
    // indication; folders that cannot be read are skipped with a log line.
    void AddFolder(const QString& folder);
    // Files named on the program's command line: added as if they had been
    // chosen with the Add command (scheduler, dialogs and batch alike);
    // folders among them as with Add Folder.
    void AddGivenFiles(const QStringList& files);
    // A drop on the table: each local file in the order dropped; entries
    // that are not ".mp3" files (other files, remote addresses) are skipped
    // but still counted as files of the batch. Dropped folders are added
    // afterwards, each as with Add Folder.
    void OnDropFiles(const QList<QUrl>& urls);
    // One dropped file; `remaining` counts it and the files after it. True
    // when it was an MP3 file (whether or not it ended as a job).
    bool AddDroppedFile(const QString& path, BatchState& batch, int remaining);
    // The property sheet for `row`, with scheduling paused while it is open.
    void ItemPropDlg(int row);

    // The context menu, owned by `owner`; its actions go through the sink.
    QMenu* BuildContextMenu(QWidget* owner);
    void OnContextMenu(const QPoint& globalPos);

    void SetFileChooser(FileChooser chooser);
    void SetFolderChooser(FolderChooser chooser);
    void SetAddDialogRunner(AddDialogRunner runner);
    void SetSheetRunner(SheetRunner runner);
    void SetCommandSink(CommandSink sink);
    // The defaults the Add command starts from; also given to every add-job
    // dialog. Not owned. Without them the built-in defaults apply.
    void SetUserDefaults(UserDefaults* defaults);
    // Also given to every add-job dialog and property page this opens.
    void SetPrompts(JobPrompts prompts);
    // Told of every add operation and of the sources it passes over, so a
    // batch is counted whole. Not owned; may be null.
    void SetBatchReport(BatchReport* report) { m_report = report; }

    // The file chooser used unless replaced: multiple selection, "*.mp3".
    static QStringList ChooseWithFileDialog(QWidget* parent, const QString& startFolder);
    static QString ChooseFolderWithFileDialog(QWidget* parent, const QString& startFolder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The files of one Add, in order, with the defaults of `app`.
    void AddChosenFiles(const QStringList& files);
    SettingsRecord Defaults() const;
    QString StartFolder() const;
    static QString DefaultSuffix(const SettingsRecord& settings);
    // One file of an add operation: refused when its path is too long,
    // added directly in a same-settings batch, else through the dialog.
    // `relative` is the file's path below an added folder, empty for files
    // chosen or dropped one by one.
    void AddFile(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch,
                 const QString& relative = QString());
    void AddWithDialog(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch,
                       const QString& relative);
    void AddWithSameSettings(const QString& source, bool lastFile, BatchState& batch, const QString& relative);
    // An operation's batch, with albums when loudness tags are written per
    // track and album.
    BatchState NewBatch() const;
    // Adds the job to the table; in the batch's album of its source folder
    // when `album`.
    void AddToTable(const JobSpec& job, BatchState& batch, bool album);
    // Whether the existing `result` may be replaced, by the batch's standing
    // answer or by asking.
    bool MayReplace(const QString& result, bool lastFile, BatchState& batch);
    // Refuses a path too long for a job: a message for a single file, a log
    // line within a folder, where thousands of files may be added at once.
    void RefuseTooLong(const QString& path, const QString& relative);
    void Log(const QString& line);
    // A source passed over because its existing result is kept.
    void KeepResult(const QString& result);
    // Holds the batch open while an add operation goes on.
    BatchReport::AddOperation Operation();
    bool HandleDragEvent(QEvent* event);
    QWidget* DialogParent() const;

    CMyListView& m_table;
    FileChooser m_chooser;
    FolderChooser m_folderChooser;
    AddDialogRunner m_runDialog;
    SheetRunner m_runSheet;
    CommandSink m_sink;
    JobPrompts m_prompts;
    UserDefaults* m_defaults = nullptr;
    BatchReport* m_report = nullptr;
    QString m_lastChosenFrom;  // the folder the last Add chose from
};
