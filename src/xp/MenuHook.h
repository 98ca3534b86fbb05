// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/PopupWindowMap.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QMenu;
class QPaintEvent;

// The popup decoration of the UI thread. While a window with flat menus
// (FlatMenu::kMenuProperty) is the active window, every popup menu that
// shows is caught: it becomes 4 pixels wider and higher (room for its
// shadow) and moves 1 pixel up, so a drop-down overlaps the bottom line of
// its menu-bar tab; after the menu paints itself, its frame, join line and
// shadow bands are painted over it (FlatPopupMenu).
//
// Where the window system composites (Wayland), the shadow is translucent
// black; elsewhere it is a darkened snapshot of the screen under the popup,
// taken just before the popup appears.
class MenuHook : public QObject {
    Q_OBJECT

public:
    // Set on a caught popup; holds the contents margins it had before.
    static constexpr const char* kOldProcProperty = "FlatWndProp_OldProc";

    // The installed hook; null while none is.
    static MenuHook* Installed();
    static int ReferenceCount();
    static void Install();
    static void Uninstall();

    // Whether shadows are drawn translucent on this window system.
    static bool UsesTranslucentShadow();

    PopupWindowMap& Popups() { return m_popups; }
    bool IsCaught(const QMenu* menu) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MenuHook();
    ~MenuHook() override;

    static QMenu* PopupMenu(QObject* object);
    static bool ForegroundIsFlat(const QMenu* menu);
    void Catch(QMenu* menu);
    void Release(QMenu* menu);
    void ReleaseAll();
    void OnShow(QMenu* menu);
    bool OnPaint(QMenu* menu, QPaintEvent* event);

    PopupWindowMap m_popups;
    QList<QPointer<QMenu>> m_caught;
    bool m_translucent = false;
};

// Counts one more user of the popup decoration; the first installs it.
void InstallMenuHook();
// Counts one user less; the last removes it and gives every caught popup
// its own frame back. Nothing happens when nobody uses it.
void UninstallMenuHook();
