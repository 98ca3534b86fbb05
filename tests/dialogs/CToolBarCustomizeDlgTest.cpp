// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CToolBarCustomizeDlg.h"

#include "FrameTestKit.h"
#include "ModalDialogCatcher.h"
#include "base/CHelpWindow.h"
#include "base/CommandIds.h"
#include "base/CommandStrings.h"
#include "window/CMainFrame.h"

#include <QAction>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace {

// The main toolbar's buttons in their first order; 0 is a separator.
const std::vector<int> kFirstOrder = {IdToolAddJob,
                                      IdToolDeleteJob,
                                      IdToolJobProperty,
                                      0,
                                      IdToolSettings,
                                      IdToolCustomize,
                                      0,
                                      IdToolHelpTopics,
                                      IdToolAbout,
                                      0,
                                      IdToolExit};

std::vector<int> ButtonIds()
{
    std::vector<int> ids;
    std::copy_if(kFirstOrder.begin(), kFirstOrder.end(), std::back_inserter(ids), [](int id) { return id != 0; });
    return ids;
}

std::vector<int> ToolBarIds(const QToolBar& toolBar)
{
    std::vector<int> ids;
    for (const QAction* action : toolBar.actions())
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

// What a list row must read for toolbar entry `id` (0: a separator).
QString EntryText(int id)
{
    return id == 0 ? CToolBarCustomizeDlg::kSeparatorText() : CommandStrings::ToolTip(id).trimmed();
}

std::vector<QString> EntryTexts(const std::vector<int>& ids)
{
    std::vector<QString> texts;
    for (int id : ids)
        texts.push_back(EntryText(id));
    return texts;
}

std::vector<QString> Texts(const QListWidget& list)
{
    std::vector<QString> texts;
    for (int row = 0; row < list.count(); ++row)
        texts.push_back(list.item(row)->text());
    return texts;
}

// The current list without its closing end-of-toolbar entry.
std::vector<QString> CurrentTexts(const CToolBarCustomizeDlg& dialog)
{
    std::vector<QString> texts = Texts(*dialog.CurrentList());
    EXPECT_FALSE(texts.empty());
    if (!texts.empty()) {
        EXPECT_TRUE(texts.back().isEmpty());
        texts.pop_back();
    }
    return texts;
}

int RowOf(const QListWidget& list, const QString& text)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text() == text)
            return row;
    }
    return -1;
}

void DoubleClick(QListWidget& list, int row)
{
    list.scrollToItem(list.item(row));
    const QPoint at = list.visualItemRect(list.item(row)).center();
    QWidget* viewport = list.viewport();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &press);
    QCoreApplication::sendEvent(viewport, &release);
    QCoreApplication::sendEvent(viewport, &twice);
    QCoreApplication::sendEvent(viewport, &release);
}

int SeparatorsOwnedBy(const QToolBar& toolBar)
{
    const QList<QAction*> owned = toolBar.findChildren<QAction*>(Qt::FindDirectChildrenOnly);
    return int(std::count_if(owned.begin(), owned.end(), [](const QAction* action) { return action->isSeparator(); }));
}

QList<QAction*> ButtonActions(const CMainFrame& frame)
{
    QList<QAction*> buttons;
    for (int id : ButtonIds())
        buttons.append(frame.Action(id));
    return buttons;
}

// The dialog on the real main frame's toolbar.
class ToolBarCustomizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<CToolBarCustomizeDlg>(*toolBar, ButtonActions(frame), &frame);
        dialog->show();
        ProcessEventsUntil([&] { return dialog->isVisible(); });
    }

    void Select(QListWidget* list, const QString& text)
    {
        const int row = RowOf(*list, text);
        ASSERT_GE(row, 0) << text.toStdString();
        list->setCurrentRow(row);
    }

    void Remove(int id)
    {
        Select(dialog->CurrentList(), EntryText(id));
        dialog->RemoveButton()->click();
    }

    CMainFrame frame;
    QToolBar* toolBar = frame.MainToolBar();
    std::unique_ptr<CToolBarCustomizeDlg> dialog;
};

TEST_F(ToolBarCustomizeTest, ListsShowTheToolBarWithImagesAndOfferOnlyASeparator)
{
    ASSERT_EQ(ToolBarIds(*toolBar), kFirstOrder);
    EXPECT_EQ(dialog->windowTitle(), QString("Customize Toolbar"));
    EXPECT_EQ(CurrentTexts(*dialog), EntryTexts(kFirstOrder));
    EXPECT_EQ(Texts(*dialog->AvailableList()), std::vector<QString>{"Separator"});
    for (int row = 0; row < dialog->CurrentList()->count(); ++row)
        EXPECT_FALSE(dialog->CurrentList()->item(row)->icon().isNull()) << row;
    EXPECT_EQ(dialog->CurrentList()->iconSize(), toolBar->iconSize());
    // The texts are the trimmed tooltips, not the raw string table entries.
    EXPECT_NE(RowOf(*dialog->CurrentList(), "ToolBar Customize"), -1);
    EXPECT_EQ(RowOf(*dialog->CurrentList(), " ToolBar Customize"), -1);
}

TEST_F(ToolBarCustomizeTest, RemovingAButtonOffersItAndTakesItOffTheToolBar)
{
    QAction* settings = frame.Action(IdToolSettings);
    Remove(IdToolSettings);

    std::vector<int> expected = kFirstOrder;
    expected.erase(std::find(expected.begin(), expected.end(), IdToolSettings));
    EXPECT_EQ(ToolBarIds(*toolBar), expected);
    EXPECT_EQ(CurrentTexts(*dialog), EntryTexts(expected));
    EXPECT_EQ(Texts(*dialog->AvailableList()), EntryTexts({0, IdToolSettings}));
    // The removed button is selected among the available ones, and its action lives on.
    EXPECT_EQ(dialog->AvailableList()->currentRow(), 1);
    EXPECT_EQ(frame.Action(IdToolSettings), settings);
    EXPECT_EQ(toolBar->widgetForAction(settings), nullptr);
    EXPECT_FALSE(dialog->AvailableList()->item(1)->icon().isNull());
}

TEST_F(ToolBarCustomizeTest, AddingPutsTheButtonBeforeTheChosenEntryOrAtTheEnd)
{
    Remove(IdToolAbout);
    Remove(IdToolAddJob);
    ASSERT_EQ(Texts(*dialog->AvailableList()), EntryTexts({0, IdToolAddJob, IdToolAbout}));

    // Before the selected entry, here the Exit button.
    Select(dialog->CurrentList(), EntryText(IdToolExit));
    Select(dialog->AvailableList(), EntryText(IdToolAbout));
    dialog->AddButton()->click();
    std::vector<int> ids = ToolBarIds(*toolBar);
    ASSERT_GE(ids.size(), 2u);
    EXPECT_EQ(ids[ids.size() - 2], IdToolAbout);
    EXPECT_EQ(ids.back(), IdToolExit);
    EXPECT_EQ(dialog->CurrentList()->currentItem()->text(), EntryText(IdToolAbout));

    // With the closing entry selected the button goes to the end.
    dialog->CurrentList()->setCurrentRow(dialog->CurrentList()->count() - 1);
    Select(dialog->AvailableList(), EntryText(IdToolAddJob));
    dialog->AddButton()->click();
    ids = ToolBarIds(*toolBar);
    EXPECT_EQ(ids.back(), IdToolAddJob);
    EXPECT_EQ(Texts(*dialog->AvailableList()), std::vector<QString>{"Separator"});
    EXPECT_EQ(CurrentTexts(*dialog), EntryTexts(ids));

    // The re-added buttons still carry out their commands.
    ModalDialogCatcher dialogs;
    frame.Action(IdToolAbout)->trigger();
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].className, QString("CAboutDlg"));
}

TEST_F(ToolBarCustomizeTest, SeparatorCanBeAddedAnyNumberOfTimesAndRemoved)
{
    const int owned = SeparatorsOwnedBy(*toolBar);
    dialog->CurrentList()->setCurrentRow(1);
    dialog->AvailableList()->setCurrentRow(0);
    dialog->AddButton()->click();
    dialog->AddButton()->click();
    dialog->AddButton()->click();

    std::vector<int> expected = kFirstOrder;
    expected.insert(expected.begin() + 1, {0, 0, 0});
    EXPECT_EQ(ToolBarIds(*toolBar), expected);
    EXPECT_EQ(Texts(*dialog->AvailableList()), std::vector<QString>{"Separator"});
    EXPECT_EQ(CurrentTexts(*dialog), EntryTexts(expected));

    // Removing every separator, the old ones too, leaves no stray separator behind.
    for (int row = dialog->CurrentList()->count() - 1; row >= 0; --row) {
        if (dialog->CurrentList()->item(row)->text() != "Separator")
            continue;
        dialog->CurrentList()->setCurrentRow(row);
        dialog->RemoveButton()->click();
    }
    EXPECT_EQ(ToolBarIds(*toolBar), ButtonIds());
    EXPECT_EQ(SeparatorsOwnedBy(*toolBar), 0);
    EXPECT_EQ(Texts(*dialog->AvailableList()), std::vector<QString>{"Separator"});
    EXPECT_GT(owned, 0);
}

TEST_F(ToolBarCustomizeTest, MoveUpAndDownReorderTheToolBar)
{
    QListWidget* current = dialog->CurrentList();
    current->setCurrentRow(0);
    EXPECT_FALSE(dialog->MoveUpButton()->isEnabled());
    EXPECT_TRUE(dialog->MoveDownButton()->isEnabled());

    dialog->MoveDownButton()->click();
    dialog->MoveDownButton()->click();
    std::vector<int> expected = {IdToolDeleteJob, IdToolJobProperty, IdToolAddJob};
    expected.insert(expected.end(), kFirstOrder.begin() + 3, kFirstOrder.end());
    EXPECT_EQ(ToolBarIds(*toolBar), expected);
    EXPECT_EQ(current->currentRow(), 2);
    EXPECT_EQ(CurrentTexts(*dialog), EntryTexts(expected));

    // A separator moves as well.
    current->setCurrentRow(3);
    dialog->MoveUpButton()->click();
    std::swap(expected[2], expected[3]);
    EXPECT_EQ(ToolBarIds(*toolBar), expected);
    EXPECT_EQ(current->currentRow(), 2);

    // The last button cannot go further down; the closing entry cannot move at all.
    current->setCurrentRow(int(expected.size()) - 1);
    EXPECT_TRUE(dialog->MoveUpButton()->isEnabled());
    EXPECT_FALSE(dialog->MoveDownButton()->isEnabled());
    dialog->MoveDownButton()->click();
    EXPECT_EQ(ToolBarIds(*toolBar), expected);
    current->setCurrentRow(int(expected.size()));
    EXPECT_FALSE(dialog->MoveUpButton()->isEnabled());
    EXPECT_FALSE(dialog->MoveDownButton()->isEnabled());
    EXPECT_FALSE(dialog->RemoveButton()->isEnabled());
}

TEST_F(ToolBarCustomizeTest, EveryButtonMayBeRemovedAndDoubleClicksMoveThemBack)
{
    QListWidget* current = dialog->CurrentList();
    while (current->count() > 1) {
        current->setCurrentRow(0);
        ASSERT_TRUE(dialog->RemoveButton()->isEnabled());
        dialog->RemoveButton()->click();
    }
    EXPECT_TRUE(toolBar->actions().isEmpty());
    EXPECT_FALSE(dialog->RemoveButton()->isEnabled());
    std::vector<int> available = ButtonIds();
    available.insert(available.begin(), 0);
    EXPECT_EQ(Texts(*dialog->AvailableList()), EntryTexts(available));

    // Double clicks: an available button goes onto the toolbar, a current one comes off.
    const QString exit = EntryText(IdToolExit);
    DoubleClick(*dialog->AvailableList(), RowOf(*dialog->AvailableList(), exit));
    EXPECT_EQ(ToolBarIds(*toolBar), std::vector<int>{IdToolExit});
    DoubleClick(*dialog->AvailableList(), 0);
    EXPECT_EQ(ToolBarIds(*toolBar), (std::vector<int>{0, IdToolExit}));
    DoubleClick(*current, RowOf(*current, exit));
    EXPECT_EQ(ToolBarIds(*toolBar), std::vector<int>{0});
    EXPECT_NE(RowOf(*dialog->AvailableList(), exit), -1);
    // Double clicking the closing entry does nothing.
    DoubleClick(*current, current->count() - 1);
    EXPECT_EQ(ToolBarIds(*toolBar), std::vector<int>{0});
}

void ClickWithMouse(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

TEST_F(ToolBarCustomizeTest, HelpShowsTheIntroductionInAWindowUsableBesideTheDialog)
{
    dialog->HelpButton()->click();
    ASSERT_NE(dialog->HelpWindow(), nullptr);
    EXPECT_TRUE(dialog->HelpWindow()->isVisible());
    EXPECT_EQ(dialog->HelpWindow()->Topic(), QUrl::fromLocalFile(CHelpWindow::HelpFolder() + "/toolbar.htm"));
    // A child of the modal dialog is not blocked by it.
    EXPECT_EQ(dialog->HelpWindow()->parentWidget(), dialog.get());
    CHelpWindow* window = dialog->HelpWindow();
    dialog->HelpButton()->click();
    EXPECT_EQ(dialog->HelpWindow(), window);
}

// Opened through the frame's commands; the arrangement stays for the next time.
class ToolBarCustomizeFromFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        ProcessEventsUntil([&] { return frame.isVisible(); });
    }

    // Waits for the next dialog to open and be handled.
    bool WaitForDialog()
    {
        const std::size_t before = dialogs.Dialogs().size();
        return ProcessEventsUntil([&] { return dialogs.Dialogs().size() > before; });
    }

    CMainFrame frame;
    std::vector<std::vector<QString>> offered;
    std::vector<int> openAtOnce;
    ModalDialogCatcher dialogs{[this](QDialog& opened) {
        openAtOnce.push_back(int(frame.findChildren<CToolBarCustomizeDlg*>().size()));
        auto* dialog = qobject_cast<CToolBarCustomizeDlg*>(&opened);
        ASSERT_NE(dialog, nullptr);
        offered.push_back(Texts(*dialog->AvailableList()));
        QListWidget* current = dialog->CurrentList();
        while (current->count() > 1) {
            current->setCurrentRow(0);
            dialog->RemoveButton()->click();
        }
        // Closed a moment later, as a person would.
        QMetaObject::invokeMethod(dialog->CloseButton(), &QPushButton::click, Qt::QueuedConnection);
    }};
};

TEST_F(ToolBarCustomizeFromFrameTest, ClearsTheToolBarAndNeverShowsTheMenuImageBar)
{
    // A mouse click on the toolbar's own Customize button, which the dialog
    // takes away while the button is still being released.
    QWidget* button = frame.MainToolBar()->widgetForAction(frame.Action(IdToolCustomize));
    ASSERT_NE(button, nullptr);
    ClickWithMouse(button);
    ASSERT_TRUE(WaitForDialog());
    EXPECT_EQ(dialogs.Dialogs()[0].className, QString("CToolBarCustomizeDlg"));
    EXPECT_TRUE(frame.MainToolBar()->actions().isEmpty());
    EXPECT_TRUE(frame.MainToolBar()->isVisible());
    EXPECT_FALSE(frame.MenuImageToolBar()->isVisible());

    EXPECT_TRUE(frame.RouteCommand(IdMenuCustomize));
    ASSERT_TRUE(WaitForDialog());
    EXPECT_EQ(dialogs.Dialogs()[1].caption, QString("Customize Toolbar"));
    std::vector<int> available = ButtonIds();
    available.insert(available.begin(), 0);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], std::vector<QString>{"Separator"});
    // Only the toolbar's own buttons come back, none of the menu images.
    EXPECT_EQ(offered[1], EntryTexts(available));
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame.MenuImageToolBar()->isVisible());
}

TEST_F(ToolBarCustomizeFromFrameTest, OpensOneDialogAtATime)
{
    EXPECT_TRUE(frame.RouteCommand(IdToolCustomize));
    EXPECT_TRUE(frame.RouteCommand(IdMenuCustomize));
    ASSERT_TRUE(WaitForDialog());
    // The second request finds the first dialog open and leaves it at that.
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(openAtOnce, std::vector<int>{1});
}

}  // namespace
