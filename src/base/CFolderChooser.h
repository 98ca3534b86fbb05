// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <functional>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

// Asks the user for a folder: a tree of the file system's folders with a
// path box above it. The box follows the tree and may be typed into; the
// text in the box is what counts. OK checks that text: an absolute path
// whose every component is a valid folder name. A folder that does not
// exist yet is created, one level at a time, after a question.
class CFolderChooser : public QDialog {
    Q_OBJECT

public:
    // Results of ValidateFolder and CheckOrCreatePath.
    static constexpr int kFolderValid = 0;       // valid (and, once created, existing)
    static constexpr int kFolderDeclined = -1;   // the user declined to create it
    static constexpr int kFolderInvalid = 1;     // not a valid folder path
    static constexpr int kFolderNotCreated = 2;  // missing or could not be created

    // Results of Browse.
    static constexpr int kBrowseAccepted = 1;
    static constexpr int kBrowseCancelled = -1;

    static QString kDefaultCaption() { return QCoreApplication::translate("CFolderChooser", "Browse for Folder"); }
    static QString kCreateQuestion()
    {
        return QCoreApplication::translate(
            "CFolderChooser", "The folder:\n\n%1\n\ndoes not exist. Do you want the folder to be created?");
    }
    static QString kInvalidMessage()
    {
        return QCoreApplication::translate("CFolderChooser", "The folder:\n\n%1\n\nis invalid. Please reenter.");
    }
    static QString kNotCreatedMessage()
    {
        return QCoreApplication::translate("CFolderChooser",
                                           "The folder:\n\n%1\n\ncan not be created. Please double check.");
    }

    // The two kinds of message box the chooser shows; tests replace them.
    struct Prompts {
        // A question with Yes and No and the question icon; true for Yes.
        std::function<bool(QWidget* parent, const QString& text)> askYesNo;
        // A message with an OK button and the exclamation icon.
        std::function<void(QWidget* parent, const QString& text)> warn;
    };
    // Modal QMessageBoxes captioned with the program's name.
    static Prompts DefaultPrompts();

    // `caption` titles the window (a null string gives a default title);
    // `instruction` is shown above the path box; `startFolder` is selected
    // when the chooser opens (an empty string: the current directory; a
    // folder that does not exist: its nearest existing ancestor).
    CFolderChooser(const QString& caption, const QString& instruction, const QString& startFolder,
                   QWidget* parent = nullptr);
    ~CFolderChooser() override;

    // Shows the chooser modally. kBrowseAccepted when the user confirmed a
    // valid folder (GetPath then holds it), kBrowseCancelled otherwise.
    virtual int Browse();
    // The text last read from the path box.
    QString GetPath() const { return m_chosenPath; }

    // Checks `path`, asks whether a missing folder is to be created and
    // creates it; shows a message for an invalid path or a failed creation.
    // kFolderValid, kFolderDeclined, kFolderInvalid or kFolderNotCreated.
    int ValidateFolder(const QString& path);

    // With `checkOnly`, whether `path` is a valid folder path: absolute ("/"
    // is the root), no empty component (so no trailing "/" except for the
    // root), every component accepted by IsValidFolderName. Otherwise also
    // creates the path's folders from the top down; kFolderNotCreated when
    // one of them is not a folder afterwards.
    static int CheckOrCreatePath(const QString& path, bool checkOnly);
    // False for an empty name, one that starts or ends with a tab, a blank
    // or ".", and one holding any of " * / : < > ? \ |.
    static bool IsValidFolderName(const QString& name);

    void SetPrompts(Prompts prompts);

    // Selects the start folder in the tree again, as when the chooser opens.
    void SelectStartFolder();

    // The controls.
    QLineEdit* PathEdit() const { return m_pathEdit; }
    QTreeView* FolderTree() const { return m_tree; }
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;
    QLabel* InstructionLabel() const { return m_instruction; }
    QFileSystemModel* FolderModel() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // OK: validates the box's text and closes only for a valid folder.
    void accept() override;

private:
    void BuildControls(const QString& instruction);
    void OnPathEdited(const QString& text);
    void OnTreeSelectionChanged(const QModelIndex& current);
    void Report(int result, const QString& path);
    void RevealInTree(const QModelIndex& index);

    QString m_startFolder;
    QString m_chosenPath;
    bool m_accepted = false;
    bool m_revealPending = false;  // keep the start folder in view while folders load
    Prompts m_prompts;
    QFileSystemModel* m_model = nullptr;
    QLabel* m_instruction = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QTreeView* m_tree = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
