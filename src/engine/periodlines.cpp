#include "engine/periodlines.h"

#include <algorithm>

namespace orv {

std::uint64_t PeriodicalLineCount(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints)
{
    if (!PeriodDateAcceptable(to) || !PeriodDateAcceptable(from)) return 0;
    const auto serial = [](const TypedDate& t) { return DayNumber(t.date()); };
    // As the search: the from-date is always searched, even after the to-date.
    const std::int32_t first = serial(from);
    const std::int32_t last = std::max(first, serial(to));
    std::uint64_t lines = 0;
    if (includeHints) {
        const auto [begin, end] = finder.index().CalendarBetween(first, last);
        lines += static_cast<std::uint64_t>(end - begin);
    }
    if (includeBirthdays) {
        Date d = FromDayNumber(first);
        for (std::int32_t n = first; n <= last; ++n, d = NextDate(d)) lines += finder.index().Birthdays(d.Month, d.Day).size();
    }
    return lines;
}

}  // namespace orv
