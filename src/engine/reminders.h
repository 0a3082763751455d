// What a desktop reminder lists: the high-priority calendar events and the
// birthdays of the days since the program last looked, so that a day slept
// through or spent with the program closed is not missed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/eventfinder.h"

namespace orv {

// A reminder reaches back at most a month: older days are history, not reminders.
inline constexpr int kReminderDays = 31;
// A notification is read at a glance; the rest is in the overview.
inline constexpr std::size_t kReminderLines = 20;

// The first day a reminder covers: the day after `lastSeen` (the date of the
// last initialisation), at most `maxDays` days up to and including today.
// Today alone when nothing was seen before or the clock went backwards.
Date ReminderStart(std::optional<Date> lastSeen, Date today, int maxDays = kReminderDays);

// High-priority calendar events and birthdays from `first` to `last`, day by
// day, each day in the finder's order (calendar events, then birthdays).
// `withDates` prefixes each text with its short date.
OccurrenceTable ImportantEvents(const EventFinder& finder, Date first, Date last, bool withDates);

struct Reminder {
    std::string summary;             // "Today's events" or "Events since Monday 26/2-2024"
    std::vector<std::string> lines;  // "H - Dentist", "B - Ann Smith  -  34"; empty: nothing to tell
};

// The reminder for the days `first` .. `today`. When there are more than
// `maxLines` events, the latest are kept and the first line counts the others.
Reminder BuildReminder(const EventFinder& finder, Date first, Date today, std::size_t maxLines = kReminderLines);

}  // namespace orv
