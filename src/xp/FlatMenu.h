// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/MenuItemData.h"

#include <QProxyStyle>
#include <QRect>

class QAction;
class QMainWindow;
class QMenu;
class QStyleOptionMenuItem;

// The flat menus: the program draws its menu bar, drop-down popups,
// cascaded submenus and context menus itself. Popup items get a light
// gutter with their image or check mark, a pale text area and a tinted
// highlight; the open menu-bar item becomes a tab joined to its popup (the
// popup windows' frames and shadows come from the menu hook).
//
// The switch is a property of the frame window ("FlatWndProp_Menu"):
// PrepareMenu does nothing for a frame without it. Preparing a menu
// captures its items' texts and images, stores their sizes and gives it
// this style, which then measures and draws its items. Menus that are not
// prepared keep the ordinary drawing.
class FlatMenu : public QProxyStyle {
    Q_OBJECT

public:
    static constexpr const char* kMenuProperty = "FlatWndProp_Menu";
    // Result of FlatMenuChar for a hit: execute the item (high word).
    static constexpr int kMenuCharExecute = 2;
    // Flags of a FlatMenuChar request.
    static constexpr int kMenuCharPopup = 0x0010;
    static constexpr int kMenuCharSysMenu = 0x2000;
    // Panel width of a prepared popup: a dark outline and two light lines.
    static constexpr int kPopupFrameWidth = 3;
    // Room a popup adds to every item's measured width for a check mark,
    // as menus of the system do; it keeps label and shortcut apart when the
    // widest of both stand in one item.
    static constexpr int kMenuCheckRoom = 12;

    // The style wraps `base` (owned); by default a fresh copy of the
    // application's style.
    explicit FlatMenu(QStyle* base = nullptr);
    ~FlatMenu() override;

    // The one instance that prepared menus use; made on first use, it lives
    // as long as the application object.
    static FlatMenu* Instance();

    // Switches the flat menus on or off for `frame`.
    static void EnableFlatMenu(QWidget* frame, bool on);
    static bool IsFlatMenuEnabled(const QWidget* window);

    // When `frame` is enabled and has a menu bar: prepares the bar, and has
    // each of its menus (and their submenus) prepared every time it is
    // about to open. Called once, after the frame is made and before it is
    // shown.
    static void PrepareMenuBar(QMainWindow* frame);
    // Has `menu` prepared for `owner` every time it is about to open, with
    // enabled = IsFlatMenuEnabled(owner). For context menus.
    static void PrepareOnShow(QWidget* owner, QMenu* menu);
    // Prepares `menu` (a QMenu, or the QMenuBar in menu-bar mode) for
    // `owner`: captures every item's text, looks up its image among the
    // owner window's toolbars (popups only), and, for popups, stores the
    // items' MenuItemData. Nothing happens when `enabled` is false.
    static void PrepareMenu(QWidget* owner, QWidget* menu, bool enabled, bool menuBarMode = false);
    // True for a menu that PrepareMenu has prepared.
    static bool IsOwnerDrawnMenu(const QWidget* menu);

    // The size an item with `data` asks for.
    static QSize MeasureMenuItem(MenuItemData data) { return data.Measure(); }
    // The data that a prepared popup keeps for its separators or its other
    // items; 0 for a menu that is not prepared.
    static MenuItemData ItemData(const QWidget* menu, bool separator);

    // Draws one item of a menu (`owner` is the QMenu or QMenuBar, may be
    // null) off-screen and copies it onto `painter`; counts it in
    // MenuDrawCount. True when it drew the item.
    static bool DrawMenuItem(const QStyleOptionMenuItem& option, QPainter* painter, const QWidget* owner, bool menuBar);

    // The keyboard mnemonic of a typed character: (kMenuCharExecute << 16) |
    // position of the first item whose label holds "&" and the character
    // (case ignored; an escaped "&&" does not count), 0 for none or for
    // flags other than 0 or kMenuCharPopup without kMenuCharSysMenu.
    static int FlatMenuChar(const QMenu* menu, QChar character, int flags);
    // Where in `label` the mnemonic "&" for `character` stands, searched
    // from the second-to-last character back to the first; -1 for none.
    static int FindMnemonic(const QString& label, QChar character);

    // Screen rectangle of the open menu-bar item (the tab); stays when its
    // popup closes.
    static QRect OpenBarItemRect();
    // Counts the items drawn (8 bits, wraps).
    static quint8 MenuDrawCount();
    // When `popup` is about to show as the drop-down of a prepared menu
    // bar's current item, takes that item's tab as the open menu-bar item
    // (the bar may not have painted it yet).
    static void NoteOpenBarItem(const QMenu* popup);
    // The tab of a menu-bar item at `item` in the bar's coordinates.
    static QRect OpenTabRect(const QRect& item);

    // QStyle
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

protected:
    // Keyboard mnemonics of prepared popups (FlatMenuChar).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void PaintPopupPanel(QPainter* painter, const QStyleOption* option, const QWidget* widget);
    static bool HandleMenuChar(QMenu* menu, QChar character);
};
