// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/MenuHook.h"

#include "xp/FlatMenu.h"
#include "xp/MenuShadow.h"
#include "xp/OsGeneration.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

namespace {

int g_references = 0;
MenuHook* g_hook = nullptr;

const QMargins kShadowMargins(0, 0, MenuShadow::kWidth, MenuShadow::kWidth);

}  // namespace

MenuHook::MenuHook() : m_translucent(UsesTranslucentShadow())
{
}

MenuHook::~MenuHook() = default;

MenuHook* MenuHook::Installed()
{
    return g_hook;
}

int MenuHook::ReferenceCount()
{
    return g_references;
}

void MenuHook::Install()
{
    ++g_references;
    if (g_hook || !qApp)
        return;
    g_hook = new MenuHook();
    qApp->installEventFilter(g_hook);
}

void MenuHook::Uninstall()
{
    if (g_references == 0)
        return;
    if (--g_references > 0 || !g_hook)
        return;
    if (qApp)
        qApp->removeEventFilter(g_hook);
    g_hook->ReleaseAll();
    delete g_hook;
    g_hook = nullptr;
}

bool MenuHook::UsesTranslucentShadow()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool MenuHook::IsCaught(const QMenu* menu) const
{
    return menu && menu->property(kOldProcProperty).isValid();
}

QMenu* MenuHook::PopupMenu(QObject* object)
{
    auto* menu = qobject_cast<QMenu*>(object);
    return menu && menu->windowType() == Qt::Popup ? menu : nullptr;
}

// The active window carries the flat-menu switch; while no window is active
// (as when the popup is about to open over a window that lost the focus),
// the window the menu belongs to decides.
bool MenuHook::ForegroundIsFlat(const QMenu* menu)
{
    if (const QWidget* active = QApplication::activeWindow())
        return FlatMenu::IsFlatMenuEnabled(active);
    const QWidget* owner = menu->parentWidget();
    while (qobject_cast<const QMenu*>(owner))
        owner = owner->parentWidget();
    return owner && FlatMenu::IsFlatMenuEnabled(owner->window());
}

void MenuHook::Catch(QMenu* menu)
{
    if (IsCaught(menu))
        return;
    const QMargins old = menu->contentsMargins();
    menu->setProperty(kOldProcProperty, QVariant::fromValue(old));
    m_caught.append(menu);
    QObject::connect(menu, &QObject::destroyed, this, [this, menu] { m_popups.Destroy(menu); });
    if (PopupsGetShadow(OsGeneration()))
        menu->setContentsMargins(old + kShadowMargins);
    // Translucent pixels need a window made for them; that only works
    // before the window exists.
    if (m_translucent && !menu->testAttribute(Qt::WA_WState_Created))
        menu->setAttribute(Qt::WA_TranslucentBackground);
}

void MenuHook::Release(QMenu* menu)
{
    m_popups.Destroy(menu);
    if (!IsCaught(menu))
        return;
    menu->setContentsMargins(menu->property(kOldProcProperty).value<QMargins>());
    menu->setProperty(kOldProcProperty, QVariant());
}

void MenuHook::ReleaseAll()
{
    for (const QPointer<QMenu>& menu : m_caught) {
        if (menu)
            Release(menu);
    }
    m_caught.clear();
    m_popups.Clear();
}

void MenuHook::OnShow(QMenu* menu)
{
    const bool caughtNow = !IsCaught(menu);
    Catch(menu);
    if (caughtNow)
        menu->resize(menu->sizeHint());  // its size was set without the shadow's room
    FlatPopupMenu& record = m_popups.FindOrCreate(menu);
    if (PopupsGetShadow(OsGeneration()))
        menu->move(menu->x(), menu->y() - 1);
    record.SetPosition(menu->pos());
    FlatMenu::NoteOpenBarItem(menu);
    if (PopupsGetShadow(OsGeneration()) && !m_translucent)
        record.TakeSnapshot(QRect(menu->pos(), menu->size()));
}

bool MenuHook::OnPaint(QMenu* menu, QPaintEvent* event)
{
    FlatPopupMenu* record = m_popups.Find(menu);
    if (!record)
        return false;
    // The menu paints itself first (its items, drawn flat when it is
    // prepared), then the frame goes over it.
    const quint8 drawCount = FlatMenu::MenuDrawCount();
    static_cast<QObject*>(menu)->event(event);
    const bool itemsDrawnFlat = FlatMenu::IsOwnerDrawnMenu(menu) || FlatMenu::MenuDrawCount() != drawCount;
    QPainter painter(menu);
    record->PaintFrame(painter, menu->size(), FlatMenu::OpenBarItemRect(), PopupsGetShadow(OsGeneration()),
                       itemsDrawnFlat, m_translucent);
    return true;
}

bool MenuHook::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Polish && type != QEvent::Show && type != QEvent::Hide && type != QEvent::Paint)
        return false;
    QMenu* menu = PopupMenu(watched);
    if (!menu)
        return false;
    switch (type) {
    case QEvent::Polish:
        if (ForegroundIsFlat(menu))
            Catch(menu);
        break;
    case QEvent::Show:
        if (IsCaught(menu) || ForegroundIsFlat(menu))
            OnShow(menu);
        break;
    case QEvent::Hide:
        m_popups.Destroy(menu);
        break;
    case QEvent::Paint:
        return OnPaint(menu, static_cast<QPaintEvent*>(event));
    default:
        break;
    }
    return false;
}

void InstallMenuHook()
{
    MenuHook::Install();
}

void UninstallMenuHook()
{
    MenuHook::Uninstall();
}
