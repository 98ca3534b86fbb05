// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DesktopNotice.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include <utility>

DesktopNotice::DesktopNotice() : DesktopNotice(QDBusConnection::sessionBus())
{
}

DesktopNotice::DesktopNotice(QDBusConnection connection) : m_connection(std::move(connection))
{
}

bool DesktopNotice::Send(const QString& summary, const QString& body) const
{
    if (!m_connection.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("vorlanta")}};
    call << QCoreApplication::applicationName() << 0u << QStringLiteral("vorlanta") << summary << body << QStringList()
         << hints << kTimeoutMs;
    // No reply is awaited; an absent service only yields an error reply
    // that nobody reads.
    call.setAutoStartService(true);
    return m_connection.send(call);
}
