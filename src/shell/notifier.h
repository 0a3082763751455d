// Desktop notifications: at start, at the change of day and on "Update" (when
// the reminder sound would play) ORV tells the desktop about the high-priority
// events and birthdays of the days since it last looked. The desktop's
// notification service is reached through NotificationSender, so that the
// program runs the same with a message bus, without one, and in tests.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "engine/dates.h"

namespace orv {

class Session;
struct Settings;

struct DesktopNotification {
    QString summary;
    QStringList lines;
};

class NotificationSender : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Whether the desktop has a notification service now.
    virtual bool Available() = 0;
    // Shows the notification in place of the one sent before, if that is still shown.
    virtual void Send(const DesktopNotification& notification) = 0;
    // Takes the notification sent last off the desktop.
    virtual void Withdraw() = 0;

signals:
    // The user chose the notification's action: ORV opens on the overview.
    void activated();
};

// "Notify birthdays and high priority events": the user's choice, else on
// exactly where the desktop has a notification service.
bool NotificationsOn(const Settings& settings, NotificationSender& sender);

// What the notification for `today` says, after an initialisation: it covers
// the days since the previous initialisation (the settings' LastDate), at most
// a month; empty lines when there is nothing to tell.
DesktopNotification ReminderFor(Session& session, Date today);

// Sends the reminder when notifications are on and there is something to tell;
// otherwise takes an earlier one off the desktop, so that none stays out of date.
void SendReminder(Session& session, NotificationSender& sender, Date today);

}  // namespace orv
