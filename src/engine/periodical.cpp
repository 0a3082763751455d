#include "engine/periodical.h"

namespace orv {

bool PeriodDateAcceptable(const TypedDate& d)
{
    if (!d.Year || !d.Month || !d.Day) return false;
    // A month outside 1..12 or a day 0 is refused too, not only a day past the month's end.
    return *d.Year >= 1 && *d.Year <= 9999 && IsValidDate(*d.Year, *d.Month, *d.Day);
}

PeriodicalResult PeriodicalSearch(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints)
{
    PeriodicalResult result;
    if (!PeriodDateAcceptable(to)) return {false, "Change the 'To-date'", {}};
    if (!PeriodDateAcceptable(from)) return {false, "Change the 'From-date'", {}};
    const std::int32_t first = DayNumber(from.date());
    const std::int32_t last = std::max(first, DayNumber(to.date()));

    const auto& index = finder.index();
    const auto& addresses = finder.store().addresses();
    const auto& calendar = finder.store().calendar();
    auto [event, eventsEnd] = includeHints ? index.CalendarBetween(first, last)
                                           : decltype(index.CalendarBetween(0, 0)){nullptr, nullptr};
    if (includeBirthdays) result.rows.reserve(static_cast<std::size_t>(last - first + 1) * addresses.size() / 365 + 16);

    for (std::int32_t day = first; day <= last; ++day) {
        const Date date = FromDayNumber(day);
        const std::vector<int>* born = includeBirthdays ? &index.Birthdays(date.Month, date.Day) : nullptr;
        const bool hasEvents = event != eventsEnd && event->first == day;
        if ((!born || born->empty()) && !hasEvents) continue;
        const std::string prefix = EShortDate(date.Month, date.Day, finder.Settings) + " - ";
        if (born) {
            for (int i : *born) {
                result.rows.push_back(Occurrence{Occurrence::NoDays, EventKind::Birthday,
                                                 EventFinder::BirthdayText(addresses[static_cast<std::size_t>(i)],
                                                                           date.Year, Age::Hidden, prefix),
                                                 i});
            }
        }
        for (; event != eventsEnd && event->first == day; ++event) {
            const ACal& c = calendar[static_cast<std::size_t>(event->second)];
            result.rows.push_back(Occurrence{Occurrence::NoDays, PriorityLetter(c.Priority), prefix + c.Hint, event->second});
        }
    }
    return result;
}

Date NextWeekTo(Date from)
{
    for (int i = 0; i < 7; ++i) from = NextDate(from);
    return from;
}

Date NextMonthTo(Date from)
{
    from.Month = static_cast<std::uint16_t>(from.Month + 1);
    if (from.Month == 13) {
        from.Month = 1;
        from.Year = static_cast<std::uint16_t>(from.Year + 1);
    }
    if (!CheckDate(from.Year, from.Month, from.Day)) from = NextDate(from);
    return from;
}

Date NextYearTo(Date from)
{
    from.Year = static_cast<std::uint16_t>(from.Year + 1);
    if (!CheckDate(from.Year, from.Month, from.Day)) from = NextDate(from);
    return from;
}

}  // namespace orv
