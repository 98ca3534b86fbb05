// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

class QAction;
class QStyleOptionMenuItem;
class QWidget;

// One menu item as the flat menus measure and draw it, built for one step.
// Its text and image come from the texts and images captured when its menu
// was prepared: by submenu for an item that opens one, else by command
// identifier (the action's data). An item whose action has neither key
// takes the text and icon that the menu itself gives it.
class FlatMenuItem {
public:
    // An item of `menu` for `action` with the states the menu gives it.
    static FlatMenuItem ForAction(const QAction* action, const QWidget* menu);
    // An item drawn from `option`; `action` (may be null) selects the
    // captured text and image.
    static FlatMenuItem ForOption(const QStyleOptionMenuItem& option, const QAction* action);

    // The command identifier of `action` (its data as a positive number), 0
    // when it has none.
    static quint32 CommandId(const QAction* action);
    // The text a menu shows for `action`: its own text, and when that has no
    // tab, a tab and the shortcut's name if it has one.
    static QString MenuText(const QAction* action, const QWidget* menu);

    bool IsSeparator() const { return m_separator; }
    bool IsChecked() const { return m_checked; }
    bool IsRadio() const { return m_radio; }
    bool IsDisabled() const { return m_disabled; }
    bool IsDefault() const { return m_default; }
    bool HasSubmenu() const { return m_submenu; }

    const QString& Text() const { return m_text; }
    // The text before the first tab (all of it without a tab), and its
    // length.
    QString Label() const;
    int LabelLength() const { return int(Label().size()); }
    // The text after the first tab; empty without one.
    QString Shortcut() const;

    bool HasImage() const { return !m_image.isNull(); }
    const QIcon& Image() const { return m_image; }

    // Item pieces for tests and for items built by hand.
    void SetText(const QString& text) { m_text = text; }
    void SetImage(const QIcon& image) { m_image = image; }
    void SetSeparator(bool on) { m_separator = on; }
    void SetChecked(bool on) { m_checked = on; }
    void SetRadio(bool on) { m_radio = on; }
    void SetDisabled(bool on) { m_disabled = on; }
    void SetDefault(bool on) { m_default = on; }
    void SetSubmenu(bool on) { m_submenu = on; }

private:
    void TakeCaptured(const QAction* action);

    QString m_text;
    QIcon m_image;
    bool m_separator = false;
    bool m_checked = false;
    bool m_radio = false;
    bool m_disabled = false;
    bool m_default = false;
    bool m_submenu = false;
};
