#include "exchange/ical/icalweeks.h"

#include <array>
#include <map>
#include <mutex>
#include <set>
#include <tuple>

namespace orv::ical {

RfcWeek RfcWeekOf(Date d, int weekStart)
{
    const auto startOf = [weekStart](std::int32_t day) {
        return day - ((DayOfWeek(FromDayNumber(day)) - 1 - weekStart) % 7 + 7) % 7;
    };
    const std::int32_t start = startOf(DayNumber(d));
    const int year = FromDayNumber(start + 3).Year;
    // 4 January always lies in week 1: a week holding it has at least four
    // days of its year.
    const std::int32_t firstWeek = startOf(DayNumber(Date{static_cast<std::uint16_t>(year), 1, 4}));
    return {year, (start - firstWeek) / 7 + 1};
}

bool WeekNumbering::Pair::operator<(const Pair& o) const
{
    return std::tie(orv, rfc, sameYear) < std::tie(o.orv, o.rfc, o.sameYear);
}

namespace {

// The distinct ways a weekday is numbered, for one week start and first-week
// rule. Worked out once per process: a 400-year walk is too dear to repeat
// for every weekly event of an export.
const std::vector<WeekNumbering::Pair>& PairsFor(int weekStart, int firstWeek, int weekday)
{
    static std::mutex mutex;
    static std::map<std::tuple<int, int, int>, std::vector<WeekNumbering::Pair>> cache;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto [it, added] = cache.try_emplace({weekStart, firstWeek, weekday});
    auto& pairs = it->second;
    if (!added) return pairs;
    // The Gregorian calendar repeats every 400 years, so these years show every
    // way a weekday can fall around a year's end.
    std::int32_t day = DayNumber(Date{2000, 1, 1});
    const std::int32_t end = DayNumber(Date{2400, 1, 1});
    while (DayOfWeek(FromDayNumber(day)) != weekday) ++day;
    std::set<WeekNumbering::Pair> seen;
    for (; day < end; day += 7) {
        const Date d = FromDayNumber(day);
        const RfcWeek rfc = RfcWeekOf(d, weekStart);
        seen.insert({Week1(d.Year, d.Month, d.Day, weekStart, firstWeek), rfc.week, rfc.year == d.Year});
    }
    pairs.assign(seen.begin(), seen.end());
    return pairs;
}

}  // namespace

bool WeekNumbering::Agrees(int weekday, const std::bitset<64>& weeks) const
{
    if (weekday < 1 || weekday > 7) return false;
    const auto wanted = [&weeks](int w) { return w >= 0 && w < 64 && weeks[static_cast<std::size_t>(w)]; };
    for (const Pair& p : PairsFor(settings_.WeekStart, settings_.FirstWeek, weekday)) {
        if (p.sameYear ? wanted(p.orv) != wanted(p.rfc) : wanted(p.orv) || wanted(p.rfc)) return false;
    }
    return true;
}

std::vector<int> WeekNumbering::YearDays(int weekday, const std::bitset<64>& weeks) const
{
    std::vector<int> days;
    if (weekday < 1 || weekday > 7) return days;
    // The leap years 2000 .. 2024 start on each weekday once, and a leap year
    // holds every day of the year.
    std::array<int, 8> leapYearStartingOn{};
    for (int y = 2000; y <= 2024; y += 4) leapYearStartingOn[static_cast<std::size_t>(DayOfWeek(y, 1, 1))] = y;
    for (int yd = 1; yd <= 366; ++yd) {
        const int jan1 = ((weekday - 1 - (yd - 1)) % 7 + 7) % 7 + 1;
        const Date d = AddDays(Date{static_cast<std::uint16_t>(leapYearStartingOn[static_cast<std::size_t>(jan1)]), 1, 1}, yd - 1);
        const int week = Week1(d.Year, d.Month, d.Day, settings_.WeekStart, settings_.FirstWeek);
        if (week >= 0 && week < 64 && weeks[static_cast<std::size_t>(week)]) days.push_back(yd);
    }
    return days;
}

std::string WeekListText(const std::bitset<64>& weeks)
{
    std::string out;
    for (int w = 0; w < 64;) {
        if (!weeks[static_cast<std::size_t>(w)]) {
            ++w;
            continue;
        }
        int last = w;
        while (last + 1 < 64 && weeks[static_cast<std::size_t>(last + 1)]) ++last;
        if (!out.empty()) out += ',';
        out += std::to_string(w);
        if (last - w >= 2) {
            out += '-' + std::to_string(last);
        } else if (last > w) {
            out += ',' + std::to_string(last);
        }
        w = last + 1;
    }
    return out;
}

}  // namespace orv::ical
