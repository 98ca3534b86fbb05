// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/FlatMenu.h"

#include "xp/FlatMenuItem.h"
#include "xp/FlatMenuTables.h"
#include "xp/FlatPopupMenu.h"
#include "xp/MemoryDC.h"
#include "xp/MenuColors.h"
#include "xp/MenuImage.h"
#include "xp/MenuItemPainter.h"
#include "xp/MenuShadow.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>

#include <algorithm>

namespace {

// Properties that PrepareMenu leaves on a prepared menu.
constexpr const char* kOwnerDrawnProperty = "FlatMenuOwnerDrawn";
constexpr const char* kItemDataProperty = "FlatMenuItemData";
constexpr const char* kSeparatorDataProperty = "FlatMenuSeparatorData";
// The shortcut column QMenu adds by itself to every item's width; the
// measured widths already hold the shortcut, so it is taken off again.
constexpr const char* kMenuShortcutColumnProperty = "FlatMenuShortcutColumn";
constexpr const char* kPrepareOnShowProperty = "FlatMenuPrepareOnShow";
constexpr const char* kFilterProperty = "FlatMenuFiltered";

constexpr int kMaxMenuBarTextWidth = 1000;

QPointer<FlatMenu>& SharedInstance()
{
    static QPointer<FlatMenu> instance;
    return instance;
}

// The toolbars of the window that owns a menu, in creation order: their
// buttons supply the menu items' images.
QList<QToolBar*> ControlBars(const QWidget* owner)
{
    if (!owner)
        return {};
    const QWidget* frame = owner->window();
    return frame->findChildren<QToolBar*>();
}

// The first toolbar button with command `id` and an image.
MenuImage FindImage(const QList<QToolBar*>& bars, quint32 id)
{
    for (const QToolBar* bar : bars) {
        const QList<QAction*> buttons = bar->actions();
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            if (FlatMenuItem::CommandId(buttons.at(i)) == id && !buttons.at(i)->icon().isNull())
                return MenuImage{bar, int(i)};
        }
    }
    return MenuImage();
}

// Captures the text and image of one item.
void CaptureItem(const QAction* action, const QWidget* menu, const QList<QToolBar*>& bars)
{
    FlatMenuTables& tables = FlatMenuTables::Shared();
    const QString text = FlatMenuItem::MenuText(action, menu);
    const quint32 id = FlatMenuItem::CommandId(action);
    const MenuImage image = id != 0 ? FindImage(bars, id) : MenuImage();
    if (const QMenu* submenu = action->menu()) {
        tables.SetSubmenuText(submenu, text);
        if (image.HasImage())
            tables.SetSubmenuImage(submenu, image);
    } else if (id != 0) {
        tables.SetCommandText(id, text);
        if (image.HasImage())
            tables.SetCommandImage(id, image);
    }
}

QString WithoutFirstAmpersand(QString label)
{
    const qsizetype amp = label.indexOf(u'&');
    if (amp >= 0)
        label.remove(amp, 1);
    return label;
}

// The widest label and shortcut among a popup's items.
QSize WidestTexts(const QMenu* menu)
{
    int widestLabel = 0;
    int widestShortcut = 0;
    const QFont font = menu->font();
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const FlatMenuItem item = FlatMenuItem::ForAction(action, menu);
        const QFontMetrics metrics(MenuItemPainter::ItemFont(action->font().resolve(font), item.IsDefault()));
        if (item.LabelLength() > 0)
            widestLabel = std::max(widestLabel, metrics.horizontalAdvance(WithoutFirstAmpersand(item.Label())));
        if (!item.Shortcut().isEmpty())
            widestShortcut = std::max(widestShortcut, metrics.horizontalAdvance(item.Shortcut()));
    }
    return QSize(widestLabel, widestShortcut);
}

// The width QMenu reserves on its own for shortcuts (the widest text after
// a tab, or shortcut name), measured as QMenu measures it.
int MenuShortcutColumn(const QMenu* menu)
{
    const QFontMetrics metrics = menu->fontMetrics();
    int widest = 0;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        const QString text = FlatMenuItem::MenuText(action, menu);
        const qsizetype tab = text.indexOf(u'\t');
        if (tab >= 0)
            widest = std::max(widest, metrics.horizontalAdvance(text.mid(tab + 1)));
    }
    return widest;
}

// Marks `menu` as prepared and gives it the flat style.
void MakeOwnerDrawn(QWidget* menu)
{
    menu->setProperty(kOwnerDrawnProperty, true);
    FlatMenu* style = FlatMenu::Instance();
    if (style && menu->style() != style)
        menu->setStyle(style);
}

// Sets a property; true when it changed.
bool Store(QWidget* menu, const char* name, const QVariant& value)
{
    if (menu->property(name) == value)
        return false;
    menu->setProperty(name, value);
    return true;
}

bool IsPopup(const QWidget* widget)
{
    return qobject_cast<const QMenu*>(widget) != nullptr;
}

}  // namespace

FlatMenu::FlatMenu(QStyle* base) : QProxyStyle(base ? base : QStyleFactory::create(QApplication::style()->name()))
{
}

FlatMenu::~FlatMenu() = default;

FlatMenu* FlatMenu::Instance()
{
    QPointer<FlatMenu>& instance = SharedInstance();
    if (!instance && qApp) {
        instance = new FlatMenu();
        instance->setParent(qApp);
    }
    return instance;
}

void FlatMenu::EnableFlatMenu(QWidget* frame, bool on)
{
    if (!frame)
        return;
    frame->setProperty(kMenuProperty, on ? QVariant(1) : QVariant());
}

bool FlatMenu::IsFlatMenuEnabled(const QWidget* window)
{
    return window && window->property(kMenuProperty).isValid();
}

void FlatMenu::PrepareMenuBar(QMainWindow* frame)
{
    if (!IsFlatMenuEnabled(frame))
        return;
    auto* bar = qobject_cast<QMenuBar*>(frame->menuWidget());
    if (!bar)
        return;
    PrepareMenu(frame, bar, true, true);
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu())
            PrepareOnShow(frame, menu);
    }
}

void FlatMenu::PrepareOnShow(QWidget* owner, QMenu* menu)
{
    if (!menu || menu->property(kPrepareOnShowProperty).toBool())
        return;
    menu->setProperty(kPrepareOnShowProperty, true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [owner = QPointer<QWidget>(owner), menu] {
        if (owner)
            PrepareMenu(owner, menu, IsFlatMenuEnabled(owner), false);
    });
}

void FlatMenu::PrepareMenu(QWidget* owner, QWidget* menu, bool enabled, bool menuBarMode)
{
    if (!enabled || !menu)
        return;
    auto* popup = qobject_cast<QMenu*>(menu);
    if (!menuBarMode && !popup)
        return;
    FlatMenuTables::Shared().PurgeDeadSubmenus();

    const QList<QToolBar*> bars = menuBarMode ? QList<QToolBar*>() : ControlBars(owner);
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (menuBarMode && action->text().isEmpty() && !action->icon().isNull())
            continue;  // an image-only bar item keeps its own drawing
        CaptureItem(action, menu, bars);
    }
    if (!menu->property(kFilterProperty).toBool() && Instance()) {
        menu->setProperty(kFilterProperty, true);
        menu->installEventFilter(Instance());
    }
    if (menuBarMode) {
        MakeOwnerDrawn(menu);
        return;
    }

    const int characterHeight = QFontMetrics(popup->font()).height();
    const QSize widest = WidestTexts(popup);
    const MenuItemData items = MenuItemData::Popup(widest.width(), widest.height(), MenuItemHeight(characterHeight));
    const MenuItemData separators = MenuItemData::Separator(MenuSeparatorHeight(characterHeight));
    bool changed = Store(popup, kItemDataProperty, items.Value());
    changed |= Store(popup, kSeparatorDataProperty, separators.Value());
    changed |= Store(popup, kMenuShortcutColumnProperty, MenuShortcutColumn(popup));

    const bool restyle = popup->style() != Instance();
    MakeOwnerDrawn(popup);
    if (changed && !restyle) {
        // The menu caches its item sizes; make it measure them again.
        QEvent styleChange(QEvent::StyleChange);
        QCoreApplication::sendEvent(popup, &styleChange);
    }
    for (QAction* action : popup->actions()) {
        if (QMenu* submenu = action->menu())
            PrepareOnShow(owner, submenu);
    }
}

bool FlatMenu::IsOwnerDrawnMenu(const QWidget* menu)
{
    return menu && menu->property(kOwnerDrawnProperty).toBool();
}

MenuItemData FlatMenu::ItemData(const QWidget* menu, bool separator)
{
    if (!IsOwnerDrawnMenu(menu))
        return MenuItemData();
    return MenuItemData(menu->property(separator ? kSeparatorDataProperty : kItemDataProperty).toUInt());
}

bool FlatMenu::DrawMenuItem(const QStyleOptionMenuItem& option, QPainter* painter, const QWidget* owner, bool menuBar)
{
    if (!painter)
        return false;
    const QAction* action = nullptr;
    if (const auto* popup = qobject_cast<const QMenu*>(owner))
        action = popup->actionAt(option.rect.center());
    else if (const auto* bar = qobject_cast<const QMenuBar*>(owner))
        action = bar->actionAt(option.rect.center());
    const FlatMenuItem item = FlatMenuItem::ForOption(option, action);

    MenuItemPainter::State state;
    if (menuBar) {
        state.menuBar = true;
        state.selected = option.state & QStyle::State_Sunken;
        state.hot = (option.state & QStyle::State_Selected) && !state.selected;
        state.inactive = owner && !owner->isActiveWindow();
    } else {
        state.selected = option.state & QStyle::State_Selected;
    }
    const QStyle* style = owner ? owner->style() : QApplication::style();
    state.hidePrefix = !style->styleHint(QStyle::SH_UnderlineShortcut, &option, owner);

    bool openBarItem = false;
    QRect openTab;
    {
        MemoryDC surface(painter, option.rect);
        // Menu bars leave the option's font unset; their own font is the one.
        const QFont font = menuBar && owner ? owner->font() : option.font;
        MenuItemPainter itemPainter(surface, MenuColors(option.palette), font);
        openBarItem = itemPainter.Paint(item, option.rect, state);
        openTab = itemPainter.OpenTabRect();
        FlatMenuTables::Shared().CountDrawnItem();
    }
    if (openBarItem && owner)
        FlatMenuTables::Shared().SetOpenBarItemRect(QRect(owner->mapToGlobal(openTab.topLeft()), openTab.size()));
    return true;
}

int FlatMenu::FindMnemonic(const QString& label, QChar character)
{
    const QChar wanted = character.toUpper();
    for (qsizetype i = label.size() - 2; i >= 0; --i) {
        if (label.at(i) != u'&' || label.at(i + 1).toUpper() != wanted)
            continue;
        if (i > 0 && label.at(i - 1) == u'&')
            continue;  // an escaped ampersand
        return int(i);
    }
    return -1;
}

int FlatMenu::FlatMenuChar(const QMenu* menu, QChar character, int flags)
{
    const bool handled = flags == 0 || ((flags & kMenuCharPopup) && !(flags & kMenuCharSysMenu));
    if (!menu || !handled)
        return 0;
    const QList<QAction*> actions = menu->actions();
    for (qsizetype position = 0; position < actions.size(); ++position) {
        const FlatMenuItem item = FlatMenuItem::ForAction(actions.at(position), menu);
        if (item.IsSeparator())
            continue;
        if (FindMnemonic(item.Label(), character) >= 0)
            return (kMenuCharExecute << 16) | int(position);
    }
    return 0;
}

QRect FlatMenu::OpenBarItemRect()
{
    return FlatMenuTables::Shared().OpenBarItemRect();
}

quint8 FlatMenu::MenuDrawCount()
{
    return FlatMenuTables::Shared().MenuDrawCount();
}

QRect FlatMenu::OpenTabRect(const QRect& item)
{
    return QRect(item.x(), item.y(), item.width() - MenuShadow::kWidth, item.height());
}

void FlatMenu::NoteOpenBarItem(const QMenu* popup)
{
    if (!popup)
        return;
    QAction* action = popup->menuAction();
    for (QObject* holder : action->associatedObjects()) {
        auto* bar = qobject_cast<QMenuBar*>(holder);
        if (!bar || !IsOwnerDrawnMenu(bar) || bar->activeAction() != action)
            continue;
        const QRect tab = OpenTabRect(bar->actionGeometry(action));
        FlatMenuTables::Shared().SetOpenBarItemRect(QRect(bar->mapToGlobal(tab.topLeft()), tab.size()));
        return;
    }
}

bool FlatMenu::HandleMenuChar(QMenu* menu, QChar character)
{
    const int result = FlatMenuChar(menu, character, kMenuCharPopup);
    if (result == 0)
        return false;
    const QList<QAction*> actions = menu->actions();
    QAction* action = actions.value(result & 0xFFFF);
    if (!action || !action->isEnabled() || !action->isVisible())
        return true;
    // The menu carries the item out as if it were chosen with Enter: a
    // submenu opens, a command runs and the menus close.
    menu->setActiveAction(action);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &press);
    return true;
}

bool FlatMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        // Bar items of an inactive window are drawn in the shadow colour.
        if (auto* bar = qobject_cast<QMenuBar*>(watched))
            bar->update();
        return QProxyStyle::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QProxyStyle::eventFilter(watched, event);
    auto* menu = qobject_cast<QMenu*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (!menu || !IsOwnerDrawnMenu(menu) || key->text().size() != 1 || !key->text().at(0).isPrint()
        || (modifiers != Qt::NoModifier && modifiers != Qt::AltModifier))
        return QProxyStyle::eventFilter(watched, event);
    return HandleMenuChar(menu, key->text().at(0)) || QProxyStyle::eventFilter(watched, event);
}

void FlatMenu::PaintPopupPanel(QPainter* painter, const QStyleOption* option, const QWidget* widget)
{
    const MenuColors colours(option->palette);
    const QRect whole = widget ? widget->rect() : option->rect;
    const QMargins margins = widget ? widget->contentsMargins() : QMargins();
    const QRect frame(0, 0, whole.width() - margins.right(), whole.height() - margins.bottom());
    painter->fillRect(option->rect, colours.TextArea());
    FlatPopupMenu::PaintFrameLines(*painter, frame, colours);
}

void FlatMenu::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    switch (element) {
    case PE_PanelMenu:
    case PE_FrameMenu:
        if (IsPopup(widget) && IsOwnerDrawnMenu(widget)) {
            PaintPopupPanel(painter, option, widget);
            return;
        }
        break;
    case PE_PanelMenuBar:
        if (IsOwnerDrawnMenu(widget)) {
            painter->fillRect(option->rect, MenuColors(option->palette).ButtonFace());
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FlatMenu::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    switch (element) {
    case CE_MenuItem:
        if (item && IsOwnerDrawnMenu(widget) && DrawMenuItem(*item, painter, widget, false))
            return;
        break;
    case CE_MenuBarItem:
        if (item && IsOwnerDrawnMenu(widget) && DrawMenuItem(*item, painter, widget, true))
            return;
        break;
    case CE_MenuEmptyArea:
        if (IsPopup(widget) && IsOwnerDrawnMenu(widget)) {
            PaintPopupPanel(painter, option, widget);
            return;
        }
        break;
    case CE_MenuBarEmptyArea:
        if (IsOwnerDrawnMenu(widget)) {
            painter->fillRect(option->rect, MenuColors(option->palette).ButtonFace());
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize FlatMenu::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && item && IsPopup(widget) && IsOwnerDrawnMenu(widget)) {
        const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
        QSize measured = MeasureMenuItem(ItemData(widget, separator));
        measured.rwidth() += kMenuCheckRoom - widget->property(kMenuShortcutColumnProperty).toInt();
        return measured.expandedTo(QSize(1, 1));
    }
    if (type == CT_MenuBarItem && item && IsOwnerDrawnMenu(widget)) {
        const QFontMetrics metrics(widget ? widget->font() : item->font);
        const QRect text = metrics.boundingRect(QRect(0, 0, kMaxMenuBarTextWidth, 0),
                                                Qt::TextSingleLine | Qt::TextShowMnemonic, item->text);
        const QSize measured = MeasureMenuItem(MenuItemData::MenuBar(text.width()));
        // The bar adds its own padding round each item, as the base style
        // does; the height is the bar's.
        const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
        return QSize(measured.width() + base.width() - size.width(), base.height());
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int FlatMenu::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (IsPopup(widget)) {
        switch (metric) {
        case PM_MenuPanelWidth:
            return kPopupFrameWidth;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_SubMenuOverlap:
            return 0;
        default:
            break;
        }
    }
    if (metric == PM_MenuBarItemSpacing && qobject_cast<const QMenuBar*>(widget))
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
