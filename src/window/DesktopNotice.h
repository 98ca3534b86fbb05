// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

// A desktop notification through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). Where there is no
// session bus or no such service the notice is silently dropped: the log
// and the status bar say the same thing anyway.
class DesktopNotice {
public:
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    static inline const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
    // How long the notice stays, in milliseconds.
    static constexpr int kTimeoutMs = 8000;

    // Sends over the session bus.
    DesktopNotice();
    explicit DesktopNotice(QDBusConnection connection);

    // Sends the notice without waiting for an answer, so a slow or missing
    // service never holds up the window. False when there is no bus.
    bool Send(const QString& summary, const QString& body) const;

private:
    QDBusConnection m_connection;
};
