#include "engine/reminders.h"

#include <algorithm>

namespace orv {

Date ReminderStart(std::optional<Date> lastSeen, Date today, int maxDays)
{
    if (!lastSeen || *lastSeen >= today || maxDays < 1) return today;
    const std::int32_t missed = DaysBetween(*lastSeen, today);
    return AddDays(today, 1 - std::min(missed, maxDays));
}

OccurrenceTable ImportantEvents(const EventFinder& finder, Date first, Date last, bool withDates)
{
    OccurrenceTable out;
    const EventOptions high{.priorities = Priorities::High};
    for (std::int32_t day = DayNumber(first); day <= DayNumber(last); ++day) {
        const Date date = FromDayNumber(day);
        const FindArgs args{.WithShortDate = withDates};
        const std::size_t before = out.size();
        finder.FindEvent(date, args, high, out);
        // A priority outside 0..2 in a hand-edited file reads as normal: not a reminder.
        out.erase(std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(before), out.end(),
                                 [](const Occurrence& o) { return o.Kind != EventKind::High; }),
                  out.end());
        finder.FindBirthday(date, args, Age::Shown, out);
    }
    return out;
}

Reminder BuildReminder(const EventFinder& finder, Date first, Date today, std::size_t maxLines)
{
    Reminder r;
    const bool severalDays = first < today;
    if (severalDays) {
        r.summary = "Events since " + std::string(DayNames[static_cast<std::size_t>(DayOfWeek(first))]) + " " +
                    ELongDate(first, finder.dateSettings());
    } else {
        r.summary = "Today's events";
    }
    const OccurrenceTable events = ImportantEvents(finder, std::min(first, today), today, severalDays);
    std::size_t skip = 0;
    if (maxLines > 0 && events.size() > maxLines) {
        // The oldest give way: today's events are the ones that must be seen.
        skip = events.size() - (maxLines - 1);
        r.lines.push_back("(" + std::to_string(skip) + " earlier events)");
    }
    for (std::size_t i = skip; i < events.size(); ++i)
        r.lines.push_back(std::string(1, events[i].Kind) + " - " + events[i].Text);
    return r;
}

}  // namespace orv
