// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QString>

class CHelpWindow;
class QAction;
class QListWidget;
class QPushButton;
class QToolBar;

// The Customize Toolbar dialog. Two lists: the buttons that are not on the
// toolbar (always with a "Separator" entry, which may be placed any number
// of times) and the toolbar's buttons and separators in their order, ending
// in an empty entry that stands for the toolbar's end. The user adds a
// button before the selected current entry, removes buttons and separators
// and moves them up and down; a double click moves an entry to the other
// list. Every change reaches the toolbar at once. Only the toolbar's own
// buttons, given as `buttons`, and separators can be placed; every one of
// them may be removed, and there is no reset.
class CToolBarCustomizeDlg : public QDialog {
    Q_OBJECT

public:
    static QString kCaption() { return QCoreApplication::translate("CToolBarCustomizeDlg", "Customize Toolbar"); }
    static QString kSeparatorText() { return QCoreApplication::translate("CToolBarCustomizeDlg", "Separator"); }
    static inline const QString kHelpTopic = QStringLiteral("toolbar.htm");

    CToolBarCustomizeDlg(QToolBar& toolBar, QList<QAction*> buttons, QWidget* parent = nullptr);
    ~CToolBarCustomizeDlg() override;

    QListWidget* AvailableList() const { return m_available; }
    QListWidget* CurrentList() const { return m_current; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* MoveUpButton() const { return m_moveUp; }
    QPushButton* MoveDownButton() const { return m_moveDown; }
    QPushButton* CloseButton() const { return m_close; }
    QPushButton* HelpButton() const { return m_help; }
    CHelpWindow* HelpWindow() const { return m_helpWindow; }

private:
    void CreateControls();
    QPushButton* MakeButton(const QString& text, void (CToolBarCustomizeDlg::*handler)());
    void OnAdd();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();
    void OnHelp();
    // Moves the selected current entry by `step` places.
    void MoveSelected(int step);
    // Rebuilds both lists from the toolbar and selects the given rows.
    void Refresh(int availableRow, int currentRow);
    void UpdateButtons();
    // The toolbar entry of current row `row`; nullptr for the end entry.
    QAction* PlacedAt(int row) const;

    QToolBar& m_toolBar;
    QList<QAction*> m_buttons;
    // What the rows stand for: toolbar entries in order, and the buttons
    // off the toolbar (nullptr: the separator entry).
    QList<QAction*> m_placed;
    QList<QAction*> m_unplaced;

    QListWidget* m_available = nullptr;
    QListWidget* m_current = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_moveUp = nullptr;
    QPushButton* m_moveDown = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_help = nullptr;
    CHelpWindow* m_helpWindow = nullptr;
};
