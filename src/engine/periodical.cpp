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

namespace {

std::string Joined(std::string_view prefix, std::string_view body)
{
    std::string text;
    text.reserve(prefix.size() + body.size());
    return text.append(prefix).append(body);
}

}  // namespace

std::string PeriodicalLines::text(std::size_t row) const
{
    const auto [prefix, body] = TextParts(row);
    return Joined(prefix, body);
}

PeriodicalLines::Found PeriodicalLines::At(std::size_t row) const
{
    // The last day that starts at or before the row.
    const auto next = std::upper_bound(days_.begin(), days_.end(), std::uint64_t{row},
                                       [](std::uint64_t r, const Day& d) { return r < d.rowsBefore; });
    const Day& day = *(next - 1);
    auto at = static_cast<std::uint64_t>(row) - day.rowsBefore;
    const std::size_t group = Group(day.month, day.day);
    const std::uint32_t born = peopleBegin_[group + 1] - peopleBegin_[group];
    if (at < born) return {&day, &people_[peopleBegin_[group] + at]};
    return {&day, &events_[day.eventsBefore + (at - born)]};
}

OccurrenceTable PeriodicalLines::ToTable() const
{
    OccurrenceTable table;
    table.reserve(size());
    ForEach([&](char kind, std::string_view prefix, std::string_view body, int index) {
        table.push_back({Occurrence::NoDays, kind, Joined(prefix, body), index});
    });
    return table;
}

PeriodicalBuilder::PeriodicalBuilder(std::int32_t first, std::int32_t last, const DateSettings& settings)
    : first_(first), last_(last)
{
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= MonthLengths[static_cast<std::size_t>(month)] + (month == 2 ? 1 : 0); ++day) {
            const std::string text = EShortDate(month, day, settings) + " - ";
            auto& p = lines_.prefixes_[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)];
            p.size = static_cast<std::uint8_t>(std::min(text.size(), p.text.size()));
            std::memcpy(p.text.data(), text.data(), p.size);
        }
    }
    // Walked until every day of the year is met: within a year, or with 29
    // February at most eight years (over a century year that is no leap year).
    Date date = FromDayNumber(first);
    for (std::int32_t day = first, met = 0; day <= last && met < 366; ++day, date = NextDate(date)) {
        bool& m = met_[PeriodicalLines::Group(date.Month, date.Day)];
        met += m ? 0 : 1;
        m = true;
    }
}

std::uint32_t PeriodicalBuilder::Body(std::string_view text)
{
    const auto at = static_cast<std::uint32_t>(lines_.bodies_.size());
    lines_.bodies_.append(text);
    return at;
}

void PeriodicalBuilder::Person(int month, int day, int index, std::string_view name, std::string_view surname)
{
    if (month < 1 || month > 12 || day < 1 || day > 31 || !Meets(month, day)) return;
    const std::uint32_t at = Body(name);
    lines_.bodies_.append(1, ' ').append(surname);
    const auto size = static_cast<std::uint32_t>(lines_.bodies_.size() - at);
    people_.push_back({PeriodicalLines::Group(month, day), {index, at, size, EventKind::Birthday}});
}

void PeriodicalBuilder::Event(std::int32_t dayNumber, int index, std::uint8_t priority, std::string_view hint)
{
    if (dayNumber < first_ || dayNumber > last_) return;
    const std::uint32_t at = Body(hint);
    lines_.events_.push_back({index, at, static_cast<std::uint32_t>(hint.size()), PriorityLetter(priority)});
    eventDays_.push_back(dayNumber);
}

void PeriodicalBuilder::Reserve(std::size_t events, std::size_t textBytes)
{
    // Fresh pages cost more than filling them: large lists take huge ones.
    lines_.events_.reserve(lines_.events_.size() + events);
    eventDays_.reserve(eventDays_.size() + events);
    lines_.bodies_.reserve(lines_.bodies_.size() + textBytes);
    AdviseHugePages(lines_.events_.data(), lines_.events_.capacity() * sizeof(PeriodicalLines::Entry));
    AdviseHugePages(eventDays_.data(), eventDays_.capacity() * sizeof(std::int32_t));
    AdviseHugePages(lines_.bodies_.data(), lines_.bodies_.capacity());
}

PeriodicalLines PeriodicalBuilder::Finish()
{
    PeriodicalLines& out = lines_;
    // The people by day of the year, each day's in the order given.
    auto& begin = out.peopleBegin_;
    begin.fill(0);
    for (const Born& p : people_) ++begin[p.group + 1];
    for (std::size_t g = 1; g < begin.size(); ++g) begin[g] += begin[g - 1];
    out.people_.resize(people_.size());
    auto next = begin;
    for (const Born& p : people_) out.people_[next[p.group]++] = p.entry;

    // The events by day, each day's in the order given.
    if (!std::is_sorted(eventDays_.begin(), eventDays_.end())) {
        std::vector<std::uint32_t> order(eventDays_.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return eventDays_[a] < eventDays_[b]; });
        std::vector<PeriodicalLines::Entry> events(order.size());
        std::vector<std::int32_t> days(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            events[i] = out.events_[order[i]];
            days[i] = eventDays_[order[i]];
        }
        out.events_ = std::move(events);
        eventDays_ = std::move(days);
    }

    std::uint64_t rows = 0;
    std::size_t event = 0;
    Date date = FromDayNumber(first_);
    for (std::int32_t day = first_; day <= last_; ++day, date = NextDate(date)) {
        const std::size_t group = PeriodicalLines::Group(date.Month, date.Day);
        const std::size_t from = event;
        while (event < eventDays_.size() && eventDays_[event] == day) ++event;
        const std::uint64_t count = begin[group + 1] - begin[group] + (event - from);
        if (count == 0) continue;
        out.days_.push_back({rows, static_cast<std::uint32_t>(from), static_cast<std::uint8_t>(date.Month),
                             static_cast<std::uint8_t>(date.Day)});
        rows += count;
    }
    out.days_.push_back({rows, static_cast<std::uint32_t>(event), 0, 0});
    people_ = {};
    eventDays_ = {};
    return std::move(out);
}

PeriodDays PeriodicalDays(const TypedDate& from, const TypedDate& to)
{
    PeriodDays days;
    if (!PeriodDateAcceptable(to)) {
        static_cast<Result&>(days) = {false, "Change the 'To-date'"};
        return days;
    }
    if (!PeriodDateAcceptable(from)) {
        static_cast<Result&>(days) = {false, "Change the 'From-date'"};
        return days;
    }
    days.first = DayNumber(from.date());
    days.last = std::max(days.first, DayNumber(to.date()));
    return days;
}

PeriodicalResult PeriodicalSearch(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints)
{
    const PeriodDays days = PeriodicalDays(from, to);
    if (!days.ok) return {days, {}};
    const auto& index = finder.index();
    PeriodicalBuilder lines(days.first, days.last, finder.dateSettings());
    if (includeBirthdays) {
        const auto& addresses = finder.store().addresses();
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                if (!lines.Meets(month, day)) continue;
                for (const int i : index.Birthdays(month, day)) {
                    const AData& a = addresses[static_cast<std::size_t>(i)];
                    lines.Person(month, day, i, a.Name, a.Surname);
                }
            }
        }
    }
    if (includeHints) {
        const auto& calendar = finder.store().calendar();
        const auto [begin, end] = index.CalendarBetween(days.first, days.last);
        lines.Reserve(static_cast<std::size_t>(end - begin), 0);
        for (auto event = begin; event != end; ++event) {
            const ACal& c = calendar[static_cast<std::size_t>(event->second)];
            lines.Event(event->first, event->second, c.Priority, c.Hint);
        }
    }
    return {{}, lines.Finish()};
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
