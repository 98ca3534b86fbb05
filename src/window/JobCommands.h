#pragma once

#include "base/SettingsRecord.h"
#include "window/BatchState.h"
#include "jobs/JobPrompts.h"

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
    static inline const QString kChooserCaption = QStringLiteral("Open");
    static inline const QString kChooserFilter = QStringLiteral("mp3 file (*.mp3)");
    static inline const QString kTooLongMessage = QStringLiteral(
        "The path\n\n%1\n\nis longer than %2 characters. The file is not added.");

    // The context menu: "Add", "Delete", "Property", a separator (id 0),
    // "Settings".
    struct ContextItem {
        int id;
        const char* caption;
    };
    static const std::array<ContextItem, 5> kContextItems;

    // Lets the user pick source files, starting in `startFolder`; the files
    // in the order chosen, none when cancelled. Tests replace it.
    using FileChooser = std::function<QStringList(QWidget* parent, const QString& startFolder)>;
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
    // is 0, then lets the user choose files in the default source folder
    // and adds them one by one.
    void OnJobAdd(int schedulerRunning);
    // Files named on the program's command line: added as if they had been
    // chosen with the Add command (scheduler, dialogs and batch alike).
    void AddGivenFiles(const QStringList& files);
    // A drop on the table: each local file in the order dropped; entries
    // that are not ".mp3" files (folders, other files, remote addresses)
    // are skipped but still counted as files of the batch.
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
    void SetAddDialogRunner(AddDialogRunner runner);
    void SetSheetRunner(SheetRunner runner);
    void SetCommandSink(CommandSink sink);
    // The defaults the Add command starts from; also given to every add-job
    // dialog. Not owned. Without them the built-in defaults apply.
    void SetUserDefaults(UserDefaults* defaults);
    // Also given to every add-job dialog and property page this opens.
    void SetPrompts(JobPrompts prompts);

    // The file chooser used unless replaced: multiple selection, "*.mp3".
    static QStringList ChooseWithFileDialog(QWidget* parent, const QString& startFolder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The files of one Add, in order, with the defaults of `app`.
    void AddChosenFiles(const QStringList& files);
    SettingsRecord Defaults() const;
    // One file of an add operation: refused when its path is too long,
    // added directly in a same-settings batch, else through the dialog.
    void AddFile(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch);
    void AddWithDialog(const QString& source, const QString& offeredResult, bool lastFile, BatchState& batch);
    void AddWithSameSettings(const QString& source, const BatchState& batch);
    bool HandleDragEvent(QEvent* event);
    QWidget* DialogParent() const;

    CMyListView& m_table;
    FileChooser m_chooser;
    AddDialogRunner m_runDialog;
    SheetRunner m_runSheet;
    CommandSink m_sink;
    JobPrompts m_prompts;
    UserDefaults* m_defaults = nullptr;
};
