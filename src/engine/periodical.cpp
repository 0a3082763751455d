#include "engine/periodical.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "store/fileio.h"

namespace orv {

bool PeriodDateAcceptable(const TypedDate& d)
{
    if (!d.Year || !d.Month || !d.Day) return false;
    // A month outside 1..12 or a day 0 is refused too, not only a day past the month's end.
    return *d.Year >= 1 && *d.Year <= 9999 && IsValidDate(*d.Year, *d.Month, *d.Day);
}

std::string PeriodicalLines::text(std::size_t row) const
{
    const auto [prefix, body] = TextParts(row);
    std::string t;
    t.reserve(prefix.size() + body.size());
    return t.append(prefix).append(body);
}

OccurrenceTable PeriodicalLines::ToTable() const
{
    OccurrenceTable table;
    table.reserve(size());
    for (std::size_t r = 0; r < size(); ++r) table.push_back((*this)[r]);
    return table;
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
    PeriodicalLines& out = result.rows;
    const DateSettings settings = finder.dateSettings();
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= MonthLengths[static_cast<std::size_t>(month)] + (month == 2 ? 1 : 0); ++day) {
            const std::string text = EShortDate(month, day, settings) + " - ";
            auto& p = out.prefixes_[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)];
            p.size = static_cast<std::uint8_t>(std::min(text.size(), p.text.size()));
            std::memcpy(p.text.data(), text.data(), p.size);
        }
    }
    // A person's "Name Surname" is copied once, at their first birthday in the period.
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint32_t> nameBody(includeBirthdays ? addresses.size() : 0, kNone);
    const auto endBody = [&out] {
        out.bodyEnds_.push_back(out.bodies_.size());
        return static_cast<std::uint32_t>(out.bodyEnds_.size() - 1);
    };
    if (includeBirthdays) {
        out.lines_.reserve(static_cast<std::size_t>(last - first + 1) * addresses.size() / 365 + 16);
        AdviseHugePages(out.lines_.data(), out.lines_.capacity() * sizeof(PeriodicalLines::Line));
    }

    Date date = FromDayNumber(first);
    for (std::int32_t day = first; day <= last; ++day, date = NextDate(date)) {
        const auto month = static_cast<std::uint8_t>(date.Month);
        const auto dayOfMonth = static_cast<std::uint8_t>(date.Day);
        if (includeBirthdays) {
            for (int i : index.Birthdays(date.Month, date.Day)) {
                std::uint32_t& body = nameBody[static_cast<std::size_t>(i)];
                if (body == kNone) {
                    const AData& a = addresses[static_cast<std::size_t>(i)];
                    out.bodies_.append(a.Name).append(1, ' ').append(a.Surname);
                    body = endBody();
                }
                out.lines_.push_back({i, body, month, dayOfMonth, EventKind::Birthday});
            }
        }
        for (; event != eventsEnd && event->first == day; ++event) {
            const ACal& c = calendar[static_cast<std::size_t>(event->second)];
            out.bodies_.append(c.Hint);
            out.lines_.push_back({event->second, endBody(), month, dayOfMonth, PriorityLetter(c.Priority)});
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
