// The desktop's notification service (org.freedesktop.Notifications on the
// session bus) and the machine waking from suspend (logind's PrepareForSleep
// on the system bus). Either may be missing: then nothing is sent and nothing
// is heard, and the program goes on as before.
#pragma once

#include <QDBusConnection>
#include <optional>

#include "shell/notifier.h"

namespace orv {

class DBusNotificationSender : public NotificationSender {
    Q_OBJECT
public:
    explicit DBusNotificationSender(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // The service's name is owned, or the bus can start the service on demand.
    bool Available() override;
    void Send(const DesktopNotification& notification) override;
    void Withdraw() override;

private slots:
    void ActionInvoked(uint id, const QString& key);
    void NotificationClosed(uint id, uint reason);

private:
    void AskCapabilities();
    void Notify(const DesktopNotification& notification);
    void Sent(uint id);

    QDBusConnection bus_;
    uint shown_ = 0;        // the id of the notification on the desktop, 0 for none
    bool calling_ = false;  // a call is out; what comes meanwhile waits
    std::optional<DesktopNotification> waiting_;
    bool withdrawWaiting_ = false;
    std::optional<bool> markup_;  // the service reads the body as markup
    quint64 sends_ = 0;           // reminders handed in so far
};

class SleepWatch : public QObject {
    Q_OBJECT
public:
    explicit SleepWatch(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);

signals:
    void resumed();

private slots:
    void PrepareForSleep(bool sleeping);
};

}  // namespace orv
