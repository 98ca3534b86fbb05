// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DesktopNotice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// A notification service of our own on a private bus: records each Notify.
class FakeNotifications : public QDBusVirtualObject {
public:
    QList<QVariantList> calls;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        calls.append(message.arguments());
        connection.send(message.createReply(QVariantList{1u}));
        return true;
    }
};

// A bus daemon of its own for one test, ended with it.
class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    const QString& Address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

void WaitFor(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

// Where a service listens it gets the summary and body; where the bus has no
// such service, or there is no bus at all, sending does no harm and waits
// for nothing.
TEST(DesktopNoticeTest, ReachesAServiceAndIsSilentWithoutOne)
{
    EXPECT_FALSE(DesktopNotice(QDBusConnection(QStringLiteral("no bus"))).Send("Done", "nothing"));

    PrivateBus bus;
    if (bus.Address().isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QDBusConnection client = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("notice client"));
    ASSERT_TRUE(client.isConnected());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(DesktopNotice(client).Send(QStringLiteral("Vorlanta"), QStringLiteral("no service here")));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));

    QDBusConnection server = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("notice server"));
    FakeNotifications service;
    ASSERT_TRUE(server.registerVirtualObject(DesktopNotice::kPath, &service));
    ASSERT_TRUE(server.registerService(DesktopNotice::kService));
    EXPECT_TRUE(DesktopNotice(client).Send(QStringLiteral("Batch finished"), QStringLiteral("3 converted")));
    WaitFor([&] { return !service.calls.isEmpty(); });
    ASSERT_EQ(service.calls.size(), 1);
    const QVariantList& args = service.calls.front();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[3].toString(), QStringLiteral("Batch finished"));
    EXPECT_EQ(args[4].toString(), QStringLiteral("3 converted"));
    server.unregisterService(DesktopNotice::kService);
    QDBusConnection::disconnectFromBus(QStringLiteral("notice server"));
    QDBusConnection::disconnectFromBus(QStringLiteral("notice client"));
}
