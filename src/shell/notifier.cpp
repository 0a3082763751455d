#include "shell/notifier.h"

#include "core/session.h"
#include "engine/reminders.h"
#include "store/records.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

// The date of the last initialisation; none when absent or not a date of the
// years 1..9999 (a hand-edited store).
std::optional<Date> LastSeen(const Settings& s)
{
    if (!s.LastDate) return std::nullopt;
    int year = 0, month = 0, day = 0;
    SerialToDate(*s.LastDate, year, month, day);
    if (year < 1 || year > 9999) return std::nullopt;
    return Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
}

}  // namespace

bool NotificationsOn(const Settings& settings, NotificationSender& sender)
{
    return settings.CB30 ? *settings.CB30 : sender.Available();
}

DesktopNotification ReminderFor(Session& session, Date today)
{
    const Date first = ReminderStart(LastSeen(session.settings()), today);
    const Reminder reminder = BuildReminder(session.finder(), first, today);
    DesktopNotification n;
    n.summary = DecodeStored(reminder.summary);
    n.lines = DecodeStoredLines(reminder.lines);
    return n;
}

void SendReminder(Session& session, NotificationSender& sender, Date today)
{
    if (!NotificationsOn(session.settings(), sender)) {
        sender.Withdraw();
        return;
    }
    const DesktopNotification n = ReminderFor(session, today);
    if (n.lines.isEmpty()) sender.Withdraw();
    else sender.Send(n);
}

}  // namespace orv
