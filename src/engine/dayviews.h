// What the calendar view, the month calendar and the Today Box show for a day,
// and the calendar view's jumps.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/eventfinder.h"

namespace orv {

// The calendar view's list of everything on a date: all priorities, all
// recurrent kinds, advanced events only when asked ("Include advanced").
OccurrenceTable DayList(const EventFinder& finder, Date date, bool includeAdvanced);

enum class MonthFilter { All, Birthday, Calendar, Recurrent };

struct MonthRow {
    std::string Weekday;  // "Sun" .. "Sat"
    int Day = 0;
    std::string Events;
};

// The event text of one day under a filter: letters followed by a blank
// ("All", a day without events gives one blank), or texts followed by two blanks.
std::string MonthDayText(const OccurrenceTable& dayList, MonthFilter filter);

// One row per day of the month.
std::vector<MonthRow> MonthRows(const EventFinder& finder, int year, int month, MonthFilter filter, bool includeAdvanced);

// The Today Box's "Include:" choices.
struct TodayBoxSettings {
    bool Birthdays = true;   // CB12
    bool Calendar = true;    // CB13
    bool Weekly = true;      // CB14
    bool Monthly = true;     // CB15
    bool Annual = true;      // CB8
    bool Advanced = true;    // CB16
    bool TopTodo = true;     // CB17
    bool BottomTodo = true;  // CB18
};

OccurrenceTable TodayBoxLines(const EventFinder& finder, Date date, const TodayBoxSettings& settings,
                              const std::vector<std::string>& top, const std::vector<std::string>& bottom);

// The address a Today Box birthday line stands for: the first whose birthday
// is the box's day and whose line text equals the line.
std::optional<int> TodayBoxBirthdayAddress(const RecordStore& store, Date date, const std::string& lineText);

// "Check dates": the first address whose birthday day does not fit its month
// (February measured in the birth year, or in 2000 without one).
std::optional<int> FirstIncorrectBirthday(const std::vector<AData>& addresses);

// "Event" jumps: the first calendar event after the date (walking from the
// first record) or before it (walking from the last).
std::optional<int> NextEventAfter(const RecordStore& store, Date date);
std::optional<int> PrevEventBefore(const RecordStore& store, Date date);

// "Birthday" jumps: the date the calendar moves to; 400 days when no other
// birthday qualifies.
Date NextBirthdayFrom(const std::vector<AData>& addresses, Date date);
Date PrevBirthdayFrom(const std::vector<AData>& addresses, Date date);

// The week menu: the first date of the year whose week number is `week`.
std::optional<Date> FirstDateOfWeek(int year, int week, const DateSettings& settings);

}  // namespace orv
