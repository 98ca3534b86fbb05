// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xp/MenuColors.h"

#include <QFont>
#include <QRect>

class FlatMenuItem;
class MemoryDC;

// Paints one flat menu item onto an item surface. Popup items: a light
// gutter 22 pixels wide and a pale text area, or a tinted highlight; the
// label from x = 30, the shortcut right-aligned 12 pixels from the right
// edge; a check box, radio bullet or check mark and the item's image in
// the gutter; separators as one line from x = 30. Menu-bar items: flat, or
// a tab with a dark border and a shadow strip while their popup is open.
// All x positions count from the item rectangle's left edge.
class MenuItemPainter {
public:
    // How the menu shows the item being painted.
    struct State {
        bool selected = false;    // highlighted popup item; open menu-bar item
        bool menuBar = false;     // an item of the menu bar
        bool hot = false;         // menu-bar item under the mouse
        bool inactive = false;    // the menu bar's window is not active
        bool hidePrefix = false;  // mnemonic underlines are not shown
    };

    static constexpr int kGutterWidth = 22;
    static constexpr int kLabelX = 30;
    static constexpr int kShortcutRightMargin = 12;
    static constexpr int kImageSize = 16;

    MenuItemPainter(MemoryDC& surface, const MenuColors& colours, const QFont& font);

    // Paints `item` in `rect`. True when it painted an open menu-bar item;
    // OpenTabRect() then holds the tab's rectangle.
    bool Paint(const FlatMenuItem& item, const QRect& rect, const State& state);
    const QRect& OpenTabRect() const { return m_openTab; }

    // The font of `item`: bold for the default item, normal weight for the
    // others when `font` is bold, else `font` itself.
    static QFont ItemFont(const QFont& font, bool defaultItem);

private:
    void PaintBackground(const FlatMenuItem& item, const QRect& rect, const State& state);
    void PaintMenuBarText(const FlatMenuItem& item, const QRect& rect, const State& state);
    void PaintPopupText(const FlatMenuItem& item, const QRect& rect, const State& state);
    QColor PaintCheckBox(const FlatMenuItem& item, const QRect& rect, bool selected);
    void PaintImage(const FlatMenuItem& item, const QRect& rect, bool selected);
    void PaintCheckMark(const FlatMenuItem& item, const QRect& rect, const QColor& checkColour);
    void PaintSubmenuArrow(const QRect& rect, const QColor& colour);
    void PaintShadowStrip(const QRect& rect);
    QColor TextColour(const FlatMenuItem& item, const State& state) const;

    MemoryDC& m_surface;
    MenuColors m_colours;
    QFont m_font;
    QRect m_openTab;
};
