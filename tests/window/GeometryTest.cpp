// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry: every window and dialog inside the screen's available area, at
// any size and scale factor; dialogs centred on the window; sharp menu
// pictures on scaled screens. CTest runs these tests a second and a third
// time on a 1024x600 screen and on a 1280x900 screen at scale factor 2.
#include "FrameTestKit.h"
#include "JobDialogKit.h"
#include "SyntheticAudio.h"
#include "base/CommandIds.h"
#include "base/ScreenFit.h"
#include "base/SettingsRecord.h"
#include "dialogs/CJobAddDialog.h"
#include "dialogs/CSettingProp.h"
#include "window/CMainFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

QRect ScreenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The widget's rectangle on the screen.
QRect OnScreen(const QWidget& widget)
{
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

bool Exposed(QWidget& window)
{
    return WaitUntil([&window] { return window.windowHandle() && window.windowHandle()->isExposed(); });
}

// Shows `window` as the program does, with every window fitted to the screen.
class FittedWindows : public ::testing::Test {
protected:
    FittedWindows() { qApp->installEventFilter(&filter); }
    ~FittedWindows() override { qApp->removeEventFilter(&filter); }

    ScreenFitFilter filter;
};

}  // namespace

TEST(GeometryTest, PlacementShrinksToTheAreaCentresOnTheOwnerAndStaysInside)
{
    const QRect area(0, 30, 1000, 560);
    EXPECT_EQ(ScreenFit::Placement({1200, 700}, {200, 100}, QRect(), area), area);
    const QRect owner(300, 200, 400, 300);
    EXPECT_EQ(ScreenFit::Placement({200, 100}, {0, 0}, owner, area).center(), owner.center());
    // An owner at the screen's edge does not push its dialog off it.
    EXPECT_TRUE(area.contains(ScreenFit::Placement({400, 300}, {0, 0}, QRect(900, 500, 400, 300), area)));
    // A minimum larger than the area wins (the caller scrolls the contents).
    EXPECT_EQ(ScreenFit::Placement({900, 900}, {900, 900}, QRect(), area).size(), QSize(900, 900));
}

// The main window opens whole, status bar (where the batch summary shows)
// included.
TEST_F(FittedWindows, TheMainWindowOpensInsideTheScreen)
{
    CMainFrame frame;
    frame.show();
    ASSERT_TRUE(Exposed(frame));
    EXPECT_TRUE(ScreenArea().contains(frame.frameGeometry())) << frame.frameGeometry().height();
    EXPECT_TRUE(ScreenArea().contains(OnScreen(*frame.statusBar())));
}

// The settings sheet shows its buttons whatever the scale; where the page
// does not fit it scrolls.
TEST_F(FittedWindows, TheSettingsSheetShowsOkCancelAndApply)
{
    SettingsRecord record{"/music/in", "/music/out", "128"};
    CSettingProp sheet(record);
    sheet.show();
    ASSERT_TRUE(Exposed(sheet));
    EXPECT_TRUE(ScreenArea().contains(sheet.frameGeometry()));
    for (const QPushButton* button : {sheet.OkButton(), sheet.CancelButton(), sheet.ApplyButton()})
        EXPECT_TRUE(ScreenArea().contains(OnScreen(*button))) << button->text().toStdString();
}

// A dialog laid out in fixed places keeps them and scrolls where the screen
// is too small for it.
TEST_F(FittedWindows, AFixedDialogLargerThanTheScreenScrolls)
{
    CJobAddDialog dialog;
    dialog.SetSource("/in/a.mp3");
    dialog.SetResult("/in/a_128.mp3");
    dialog.show();
    ASSERT_TRUE(Exposed(dialog));
    EXPECT_TRUE(ScreenArea().contains(dialog.frameGeometry()));
    dialog.ResultEdit()->setText("/out/b_128.mp3");  // its controls still work
    EXPECT_EQ(dialog.ResultEdit()->text(), QString("/out/b_128.mp3"));
}

TEST_F(FittedWindows, ADialogOpensCentredOnItsWindow)
{
    QWidget owner;
    owner.setGeometry(QRect(QPoint(), ScreenArea().size() / 2).translated(ScreenArea().topLeft() + QPoint(40, 30)));
    owner.show();
    ASSERT_TRUE(Exposed(owner));
    QDialog dialog(&owner);
    dialog.resize(owner.size() / 2);
    dialog.show();
    EXPECT_LE((dialog.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 4);
}

// The messages of the start-up stand centred on the window, with an icon.
TEST_F(FittedWindows, TheKeptJobsMessageAtStartHasAnIconAndStandsOnTheWindow)
{
    DataHome home;
    QDir().mkpath(QFileInfo(home.JobsFile()).path());
    SyntheticAudio::WriteFile(home.JobsFile().toStdString(), {'{', '"', 'j'});
    DefaultsInTempDir env{"/music", "c", "128"};
    env.defaults.Settings().KeepUnfinishedJobs = true;
    CMainFrame frame;
    frame.SetUserDefaults(&env.defaults);
    frame.show();
    ASSERT_TRUE(Exposed(frame));
    ModalBoxCatcher boxes;
    EXPECT_EQ(frame.OfferKeptJobs(), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::Warning);
    EXPECT_LE((boxes.Boxes()[0].centre - frame.frameGeometry().center()).manhattanLength(), 4);
}

// Menu pictures come in the toolbar's larger size too, for scaled screens.
TEST(GeometryTest, MenuPicturesHaveALargerSizeForScaledScreens)
{
    CMainFrame frame;
    for (int id : {IdJobAdd, IdJobDelete, IdSettings, IdAppExit}) {
        const QList<QSize> sizes = frame.MenuImage(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(24, 24))) << id;
    }
}
