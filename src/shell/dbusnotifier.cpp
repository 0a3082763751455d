#include "shell/dbusnotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QVariantMap>
#include <utility>

namespace orv {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// Never expires: a reminder waits on the desktop until the user has seen it.
constexpr int kNoExpiry = 0;

}  // namespace

DBusNotificationSender::DBusNotificationSender(QDBusConnection bus, QObject* parent)
    : NotificationSender(parent), bus_(std::move(bus))
{
    if (!bus_.isConnected()) return;
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(ActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(NotificationClosed(uint, uint)));
}

bool DBusNotificationSender::Available()
{
    if (!bus_.isConnected()) return false;
    QDBusConnectionInterface* bus = bus_.interface();
    if (!bus) return false;
    const QDBusReply<bool> owned = bus->isServiceRegistered(kService);
    if (owned.isValid() && owned.value()) return true;
    // Many desktops start their notification service only when it is first called.
    const QDBusReply<QStringList> startable = bus->activatableServiceNames();
    return startable.isValid() && startable.value().contains(kService);
}

void DBusNotificationSender::Send(const DesktopNotification& notification)
{
    if (!bus_.isConnected()) return;
    ++sends_;
    withdrawWaiting_ = false;
    if (calling_ || !markup_) {
        // One call at a time, so that a second reminder replaces the first
        // rather than racing it onto the desktop beside it.
        waiting_ = notification;
        if (!calling_) AskCapabilities();
        return;
    }
    Notify(notification);
}

void DBusNotificationSender::Withdraw()
{
    waiting_.reset();
    if (calling_) {
        withdrawWaiting_ = true;
        return;
    }
    withdrawWaiting_ = false;
    if (shown_ == 0 || !bus_.isConnected()) return;
    bus_.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"))
                   << std::exchange(shown_, 0u));
}

void DBusNotificationSender::AskCapabilities()
{
    calling_ = true;
    const QDBusPendingCall call =
        bus_.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities")));
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, asked = sends_](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> reply = *w;
        calling_ = false;
        if (reply.isValid()) {
            markup_ = reply.value().contains(QStringLiteral("body-markup"));
        } else if (sends_ == asked) {
            // No service: the reminder is dropped; the next one asks again.
            waiting_.reset();
        }
        if (waiting_) {
            // A reminder that came while the service was missing may find it now.
            if (markup_) Notify(*std::exchange(waiting_, std::nullopt));
            else AskCapabilities();
        } else if (withdrawWaiting_) {
            Withdraw();
        }
    });
}

void DBusNotificationSender::Notify(const DesktopNotification& notification)
{
    QStringList lines = notification.lines;
    // Where the service reads markup, an "&" or "<" in a hint must stay text.
    if (markup_.value_or(false))
        for (QString& line : lines) line = line.toHtmlEscaped();
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("orv"));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("ORV") << shown_ << QStringLiteral("orv") << notification.summary
         << lines.join(QLatin1Char('\n')) << QStringList{QStringLiteral("default"), QStringLiteral("Show ORV")}
         << hints << kNoExpiry;
    calling_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        Sent(reply.isValid() ? reply.value() : 0u);
    });
}

void DBusNotificationSender::Sent(uint id)
{
    shown_ = id;
    calling_ = false;
    if (waiting_) Send(*std::exchange(waiting_, std::nullopt));
    else if (withdrawWaiting_) Withdraw();
}

void DBusNotificationSender::ActionInvoked(uint id, const QString& key)
{
    Q_UNUSED(key);
    // The service tells every client about every notification: only ours count.
    if (id != 0 && id == shown_) emit activated();
}

void DBusNotificationSender::NotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason);
    if (id != 0 && id == shown_) shown_ = 0;
}

SleepWatch::SleepWatch(QDBusConnection bus, QObject* parent) : QObject(parent)
{
    if (!bus.isConnected()) return;
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                SLOT(PrepareForSleep(bool)));
}

void SleepWatch::PrepareForSleep(bool sleeping)
{
    // The same signal with true announces the sleep; false is the wake.
    if (!sleeping) emit resumed();
}

}  // namespace orv
