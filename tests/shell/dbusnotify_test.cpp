// The notification service over a real message bus:
// a private dbus-daemon started for each test, with a small fake service in
// this process. Skipped where dbus-daemon is not installed.
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "shell/dbusnotifier.h"

using namespace orv;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");

class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
        int timeout = -1;
    };
    QList<Call> calls;
    QList<uint> closed;
    QStringList capabilities{QStringLiteral("body"), QStringLiteral("actions")};

public slots:
    QStringList GetCapabilities() { return capabilities; }
    // The program's name, the icon and the hints are not looked at.
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int timeout)
    {
        calls << Call{replaces, summary, body, actions, timeout};
        return replaces != 0 ? replaces : ++last_;
    }
    void CloseNotification(uint id) { closed << id; }

signals:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    uint last_ = 0;
};

DesktopNotification Note(const QString& summary, const QStringList& lines = {QStringLiteral("H - Dentist")})
{
    return DesktopNotification{summary, lines};
}

}  // namespace

class DBusNotifyTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) QSKIP("dbus-daemon is not installed");
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        // A bus of our own that starts no services, whatever the machine has installed.
        const QString config = dir->path() + QStringLiteral("/bus.conf");
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\" "
                               "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                               "<busconfig><type>session</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>"
                               "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                               "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
                    .arg(dir->path())
                    .toUtf8());
        f.close();
        bus = std::make_unique<QProcess>();
        bus->start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                            QStringLiteral("--print-address")});
        QVERIFY(bus->waitForStarted());
        while (!bus->canReadLine()) QVERIFY2(bus->waitForReadyRead(10000), "dbus-daemon printed no address");
        const QString address = QString::fromUtf8(bus->readLine()).trimmed();
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("orv")));
        service = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, QStringLiteral("fake")));
        QVERIFY(client->isConnected());
        QVERIFY(service->isConnected());
        fake = std::make_unique<FakeNotifications>();
        QVERIFY(service->registerObject(QStringLiteral("/org/freedesktop/Notifications"), fake.get(),
                                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    }

    void cleanup()
    {
        client.reset();
        service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("orv"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
        if (bus) {
            bus->kill();
            bus->waitForFinished();
        }
        bus.reset();
        fake.reset();
    }

    // Without the service nothing is sent and nothing breaks; once it is
    // there, a notification replaces the last and its action opens ORV.
    void aNotificationReplacesTheLastAndItsActionOpensOrv()
    {
        fake->capabilities << QStringLiteral("body-markup");
        DBusNotificationSender sender(*client);
        QSignalSpy activated(&sender, &NotificationSender::activated);
        QVERIFY(!sender.Available());
        sender.Send(Note(QStringLiteral("not sent")));
        sender.Withdraw();
        // The refused call has come back once a later round trip has.
        QVERIFY(service->registerService(kService));
        QVERIFY(sender.Available());
        // Two in quick succession: only the later reaches the desktop.
        sender.Send(Note(QStringLiteral("first")));
        sender.Send(Note(QStringLiteral("Today's events"), {QStringLiteral("H - Tom & Jerry <3>"), QStringLiteral("B - Ann Smith  -  34")}));
        QTRY_COMPARE(fake->calls.size(), 1);
        const FakeNotifications::Call call = fake->calls[0];
        QCOMPARE(call.replaces, 0u);
        QCOMPARE(call.summary, QStringLiteral("Today's events"));
        // The service reads markup: an "&" or "<" in a hint stays text.
        QCOMPARE(call.body, QStringLiteral("H - Tom &amp; Jerry &lt;3&gt;\nB - Ann Smith  -  34"));
        QVERIFY(call.actions.contains(QStringLiteral("default")));
        QCOMPARE(call.timeout, 0);  // it stays until the user has seen it

        sender.Send(Note(QStringLiteral("Update")));
        QTRY_COMPARE(fake->calls.size(), 2);
        QCOMPARE(fake->calls[1].replaces, 1u);

        emit fake->ActionInvoked(7, QStringLiteral("default"));  // another program's
        emit fake->ActionInvoked(1, QStringLiteral("default"));
        // In order: once ours has been heard, the other program's was passed over.
        QTRY_COMPARE(activated.count(), 1);
        sender.Withdraw();
        QTRY_COMPARE(fake->closed, QList<uint>{1u});
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QProcess> bus;
    std::unique_ptr<QDBusConnection> client, service;
    std::unique_ptr<FakeNotifications> fake;
};

QTEST_MAIN(DBusNotifyTest)
#include "dbusnotify_test.moc"
