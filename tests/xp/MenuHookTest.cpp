// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuHook.h"
#include "xp/FlatMenu.h"
#include "xp/OsGeneration.h"
#include "xp/ScopedMenuHook.h"

#include "XpTestKit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <optional>

#include <gtest/gtest.h>

namespace {

void ProcessEvents()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// A menu of a window, shown at `at` and measured there.
struct ShownMenu {
    QRect geometry;
    QMargins margins;
};

ShownMenu PopUp(QMenu& menu, const QPoint& at)
{
    menu.popup(at);
    ProcessEvents();
    ShownMenu shown{menu.geometry(), menu.contentsMargins()};
    menu.hide();
    ProcessEvents();
    return shown;
}

// Shows `window` and makes it the active window.
bool Activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    for (int i = 0; i < 50 && QApplication::activeWindow() != &window; ++i)
        QApplication::processEvents();
    return QApplication::activeWindow() == &window;
}

void FillMenu(QMenu& menu)
{
    menu.addAction(QStringLiteral("&Add\tF2"))->setData(62017);
    menu.addSeparator();
    menu.addAction(QStringLiteral("E&xit"))->setData(62665);
}

}  // namespace

TEST(MenuHookTest, IsReferenceCounted)
{
    const int base = MenuHook::ReferenceCount();
    InstallMenuHook();
    InstallMenuHook();
    EXPECT_EQ(MenuHook::ReferenceCount(), base + 2);
    ASSERT_NE(MenuHook::Installed(), nullptr);
    UninstallMenuHook();
    EXPECT_EQ(MenuHook::ReferenceCount(), base + 1);
    EXPECT_NE(MenuHook::Installed(), nullptr);  // still in use
    UninstallMenuHook();
    EXPECT_EQ(MenuHook::ReferenceCount(), base);
    EXPECT_EQ(MenuHook::Installed() != nullptr, base > 0);
    if (base == 0) {
        UninstallMenuHook();  // nothing to undo: the count stays at 0
        EXPECT_EQ(MenuHook::ReferenceCount(), 0);
        EXPECT_EQ(MenuHook::Installed(), nullptr);
    }
}

TEST(MenuHookTest, ThisSystemGetsEnlargementAndShadow)
{
    EXPECT_TRUE(PopupsGetShadow(OsGeneration()));
    EXPECT_FALSE(PopupsGetShadow(kShadowingSystem));
    EXPECT_TRUE(PopupsGetShadow(kShadowingSystem - 1));
}

TEST(MenuHookTest, PopupsOfAFlatWindowAreEnlargedAndMovedUp)
{
    QMainWindow flatWindow;
    FlatMenu::EnableFlatMenu(&flatWindow, true);
    QMenu flat(&flatWindow);
    FillMenu(flat);
    QMainWindow plainWindow;
    QMenu plain(&plainWindow);
    FillMenu(plain);
    ASSERT_TRUE(Activate(plainWindow));

    InstallMenuHook();
    // While a window without flat menus is active, popups are left alone.
    const ShownMenu before = PopUp(flat, QPoint(100, 100));
    EXPECT_FALSE(MenuHook::Installed()->IsCaught(&flat));
    ASSERT_TRUE(Activate(flatWindow));
    const ShownMenu after = PopUp(flat, QPoint(100, 100));
    EXPECT_EQ(after.geometry.width(), before.geometry.width() + 4);
    EXPECT_EQ(after.geometry.height(), before.geometry.height() + 4);
    EXPECT_EQ(after.geometry.y(), before.geometry.y() - 1);
    EXPECT_EQ(after.geometry.x(), before.geometry.x());
    EXPECT_TRUE(MenuHook::Installed()->IsCaught(&flat));
    // A popup of another window is caught too while the flat window is active.
    const ShownMenu other = PopUp(plain, QPoint(100, 100));
    EXPECT_TRUE(MenuHook::Installed()->IsCaught(&plain));
    EXPECT_EQ(other.geometry.size(), after.geometry.size());
    // The record lives while the popup shows.
    EXPECT_EQ(MenuHook::Installed()->Popups().Find(&flat), nullptr);

    // A second showing keeps the same geometry.
    EXPECT_EQ(PopUp(flat, QPoint(100, 100)).geometry, after.geometry);

    UninstallMenuHook();
    if (MenuHook::ReferenceCount() > 0)
        return;  // someone else still uses the hook
    EXPECT_EQ(flat.contentsMargins(), QMargins());
    EXPECT_FALSE(flat.property(MenuHook::kOldProcProperty).isValid());
    EXPECT_EQ(PopUp(flat, QPoint(100, 100)).geometry, before.geometry);
}

TEST(MenuHookTest, TheHookPaintsTheFrameOverTheMenu)
{
    QMainWindow window;
    FlatMenu::EnableFlatMenu(&window, true);
    QMenu menu(&window);
    menu.setPalette(ClassicPalette());
    FillMenu(menu);
    ASSERT_TRUE(Activate(window));
    InstallMenuHook();
    FlatMenu::PrepareMenu(&window, &menu, true);
    menu.popup(QPoint(50, 50));
    ProcessEvents();
    ASSERT_NE(MenuHook::Installed()->Popups().Find(&menu), nullptr);
    EXPECT_EQ(MenuHook::Installed()->Popups().Find(&menu)->Position(), menu.pos());
    const QImage image = menu.grab().toImage();
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(Rgb(image, 0, 0), kDarkShadow);
    EXPECT_EQ(Rgb(image, w - 5, h - 5), kDarkShadow);
    EXPECT_EQ(Rgb(image, 1, 1), kTextArea);
    EXPECT_EQ(Rgb(image, 3, 3), kGutter);  // the first item's gutter
    // The shadow bands darken what was on the screen before the popup came
    // (the face colour where the screen could not be read).
    const QImage& snapshot = MenuHook::Installed()->Popups().Find(&menu)->Snapshot();
    const auto background = [&](int x, int y) { return snapshot.isNull() ? kFace : Rgb(snapshot, x, y); };
    EXPECT_EQ(Rgb(image, w - 1, 0), background(w - 1, 0));
    EXPECT_EQ(Rgb(image, w - 4, h / 2), Percent(background(w - 4, h / 2), 78));
    EXPECT_EQ(Rgb(image, w / 2, h - 1), Percent(background(w / 2, h - 1), 93));
    menu.hide();
    ProcessEvents();
    EXPECT_EQ(MenuHook::Installed()->Popups().Find(&menu), nullptr);
    UninstallMenuHook();
}

TEST(MenuHookTest, AScopedUseInstallsAndRemovesTheHook)
{
    const int base = MenuHook::ReferenceCount();
    {
        std::optional<ScopedMenuHook> use;
        use.emplace();
        EXPECT_EQ(MenuHook::ReferenceCount(), base + 1);
        EXPECT_NE(MenuHook::Installed(), nullptr);
        use.reset();
        EXPECT_EQ(MenuHook::ReferenceCount(), base);
        use.emplace();
    }
    EXPECT_EQ(MenuHook::ReferenceCount(), base);
}
