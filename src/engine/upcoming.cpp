#include "engine/upcoming.h"

#include <algorithm>

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

WeekListNotes CheckWeekList(std::string_view weekNr, int fromYear, const DateSettings& settings)
{
    WeekListNotes notes;
    notes.malformed = !WeekListAccepted(weekNr);
    if (notes.malformed || weekNr.empty()) return notes;
    constexpr int kYears = 10;
    constexpr int kLastWeek = 54;
    // The weeks of a year run without a gap from the week of 1 January to the
    // week of 31 December.
    int lowest[kYears];
    int highest[kYears];
    for (int i = 0; i < kYears; ++i) {
        const int y = std::clamp(fromYear + i, 1, 9999);
        lowest[i] = Week1(y, 1, 1, settings.WeekStart, settings.FirstWeek);
        highest[i] = Week1(y, 12, 31, settings.WeekStart, settings.FirstWeek);
    }
    for (int week = 0; week <= kLastWeek; ++week) {
        if (InWeekList(weekNr, week) != WeekListAnswer::Yes) continue;
        WeekNote note{week, {}};
        for (int i = 0; i < kYears; ++i)
            if (lowest[i] <= week && week <= highest[i]) note.years.push_back(fromYear + i);
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
