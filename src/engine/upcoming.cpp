#include "engine/upcoming.h"

#include <algorithm>
#include <array>

#include "engine/eventfinder.h"
#include "engine/weeklist.h"

namespace orv {

namespace {

// Walks the days from `from` and asks the finder, holding only `event`, which
// of them list it.
template <typename Find>
std::vector<UpcomingDate> Scan(const RecordStore& store, Date from, int count, const DateSettings& settings,
                               int horizonYears, Find find)
{
    std::vector<UpcomingDate> dates;
    if (count <= 0 || !IsValidDate(from.Year, from.Month, from.Day)) return dates;
    EventFinder finder(store);
    finder.Settings = settings;
    const std::int32_t last = std::min(DayNumber(Date{9999, 12, 31}),
                                       DayNumber(from) + horizonYears * 365 + horizonYears / 4);
    Date d = from;
    for (std::int32_t n = DayNumber(from); n <= last; ++n, d = NextDate(d)) {
        OccurrenceTable lines;
        find(finder, d, lines);
        if (lines.empty()) continue;
        dates.push_back(UpcomingDate{d, lines.front().Text, Week1(d.Year, d.Month, d.Day, settings.WeekStart, settings.FirstWeek)});
        if (static_cast<int>(dates.size()) == count) break;
    }
    return dates;
}

}  // namespace

std::vector<UpcomingDate> NextOccurrences(const AWeek& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears)
{
    RecordStore store;
    store.editWeekly() = {event};
    return Scan(store, from, count, settings, horizonYears, [](const EventFinder& f, Date d, OccurrenceTable& out) {
        f.FindRecurrent(d, {}, RecurrentKinds{.weekly = true, .monthly = false, .annual = false}, out);
    });
}

std::vector<UpcomingDate> NextOccurrences(const AMonth& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears)
{
    RecordStore store;
    store.editMonthly() = {event};
    return Scan(store, from, count, settings, horizonYears, [](const EventFinder& f, Date d, OccurrenceTable& out) {
        f.FindRecurrent(d, {}, RecurrentKinds{.weekly = false, .monthly = true, .annual = false}, out);
    });
}

std::vector<UpcomingDate> NextOccurrences(const AYear& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears)
{
    RecordStore store;
    store.editAnnual() = {event};
    return Scan(store, from, count, settings, horizonYears, [](const EventFinder& f, Date d, OccurrenceTable& out) {
        f.FindRecurrent(d, {}, RecurrentKinds{.weekly = false, .monthly = false, .annual = true}, out);
    });
}

std::vector<UpcomingDate> NextOccurrences(const AAdv& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears)
{
    RecordStore store;
    store.editAdvanced() = {event};
    return Scan(store, from, count, settings, horizonYears,
                [](const EventFinder& f, Date d, OccurrenceTable& out) { f.FindRecAvd(d, {}, out); });
}

WeekListNotes CheckWeekList(std::string_view weekNr, int fromYear, const DateSettings& settings, int weekday)
{
    WeekListNotes notes;
    notes.malformed = !WeekListAccepted(weekNr);
    if (notes.malformed || weekNr.empty()) return notes;
    constexpr int kYears = 10;
    constexpr int kLastWeek = 54;
    for (int week = 0; week <= kLastWeek && !notes.everyWeek; ++week)
        notes.everyWeek = InWeekList(weekNr, week) == WeekListAnswer::Invalid;
    if (notes.everyWeek) return notes;
    // Which weeks each year holds on the event's weekday, from the days
    // themselves, as the occurrence finder numbers them.
    std::vector<std::array<bool, kLastWeek + 1>> has(kYears);
    for (int i = 0; i < kYears; ++i) {
        has[static_cast<std::size_t>(i)].fill(false);
        const int y = fromYear + i;
        if (y < 1 || y > 9999) continue;
        for (Date d{static_cast<std::uint16_t>(y), 1, 1}; d.Year == y; d = NextDate(d)) {
            if (weekday != 0 && DayOfWeek(d) != weekday) continue;
            const int week = Week1(d.Year, d.Month, d.Day, settings.WeekStart, settings.FirstWeek);
            if (week >= 0 && week <= kLastWeek) has[static_cast<std::size_t>(i)][static_cast<std::size_t>(week)] = true;
            if (y == 9999 && d.Month == 12 && d.Day == 31) break;
        }
    }
    for (int week = 0; week <= kLastWeek; ++week) {
        if (InWeekList(weekNr, week) != WeekListAnswer::Yes) continue;
        WeekNote note{week, {}};
        for (int i = 0; i < kYears; ++i)
            if (has[static_cast<std::size_t>(i)][static_cast<std::size_t>(week)]) note.years.push_back(fromYear + i);
        if (static_cast<int>(note.years.size()) < kYears) notes.weeks.push_back(std::move(note));
    }
    // Week lists are short; looking a little past the last week is enough to
    // catch a typing slip like 60 or 5-70.
    for (int week = kLastWeek + 1; week <= 999 && !notes.beyondLastWeek; ++week)
        notes.beyondLastWeek = InWeekList(weekNr, week) == WeekListAnswer::Yes;
    return notes;
}

std::vector<int> MonthsWithoutDay(int day)
{
    std::vector<int> months;
    for (int m = 1; m <= 12; ++m)
        if (day < 1 || day > MonthLengths[static_cast<std::size_t>(m)]) months.push_back(m);
    return months;
}

std::vector<int> YearsWithout(const AAdv& event, int fromYear, int years, const DateSettings& settings)
{
    std::vector<int> without;
    for (int i = 0; i < years; ++i) {
        const int y = fromYear + i;
        if (y < 1 || y > 9999) continue;
        const auto found = NextOccurrences(event, Date{static_cast<std::uint16_t>(y), 1, 1}, 1, settings, 1);
        if (found.empty() || found.front().date.Year != y) without.push_back(y);
    }
    return without;
}

}  // namespace orv
