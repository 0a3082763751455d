// Every birthday and calendar event between two typed dates, day by day.
#pragma once

#include <optional>
#include <string>

#include "engine/eventfinder.h"

namespace orv {

// A date as typed into three entries; an empty entry is nullopt.
struct TypedDate {
    std::optional<int> Year, Month, Day;
    // The date typed; only for one that PeriodDateAcceptable accepts.
    Date date() const
    {
        return Date{static_cast<std::uint16_t>(*Year), static_cast<std::uint16_t>(*Month),
                    static_cast<std::uint16_t>(*Day)};
    }
};

struct PeriodicalResult {
    bool ok = true;
    std::string message;  // "Change the 'To-date'" / "Change the 'From-date'"
    OccurrenceTable rows;  // Kind, Text, SourceIndex (no days column)
};

// The date check of the search: all three parts present, the month 1..12, the
// day 1..the month's length.
bool PeriodDateAcceptable(const TypedDate& d);

// The to-date is checked before the from-date. The from-date is always
// searched, even when it lies after the to-date.
PeriodicalResult PeriodicalSearch(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints);

// The quick periods: the to-date a week, a month or a year after the from-date.
// A day that the month lacks moves on to the first of the next month.
Date NextWeekTo(Date from);
Date NextMonthTo(Date from);
Date NextYearTo(Date from);

}  // namespace orv
