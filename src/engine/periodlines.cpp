#include "engine/periodlines.h"

namespace orv {

std::uint64_t PeriodicalLineCount(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints)
{
    const PeriodDays days = PeriodicalDays(from, to);
    if (!days.ok) return 0;
    const std::int32_t first = days.first, last = days.last;
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
