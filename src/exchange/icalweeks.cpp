#include "exchange/icalweeks.h"

#include <algorithm>
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

const std::vector<WeekNumbering::Pair>& WeekNumbering::PairsFor(int weekday) const
{
    auto& pairs = pairs_[static_cast<std::size_t>(weekday)];
    if (computed_[static_cast<std::size_t>(weekday)]) return pairs;
    computed_[static_cast<std::size_t>(weekday)] = true;
    // The Gregorian calendar repeats every 400 years, so these years show every
    // way a weekday can fall around a year's end.
    std::int32_t day = DayNumber(Date{2000, 1, 1});
    const std::int32_t end = DayNumber(Date{2400, 1, 1});
    while (DayOfWeek(FromDayNumber(day)) != weekday) ++day;
    for (; day < end; day += 7) {
        const Date d = FromDayNumber(day);
        const RfcWeek rfc = RfcWeekOf(d, settings_.WeekStart);
        pairs.push_back({Week1(d.Year, d.Month, d.Day, settings_.WeekStart, settings_.FirstWeek), rfc.week,
                         rfc.year == d.Year});
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end(),
                            [](const Pair& a, const Pair& b) { return !(a < b) && !(b < a); }),
                pairs.end());
    return pairs;
}

bool WeekNumbering::Agrees(int weekday, const std::bitset<64>& weeks) const
{
    if (weekday < 1 || weekday > 7) return false;
    const auto wanted = [&weeks](int w) { return w >= 0 && w < 64 && weeks[static_cast<std::size_t>(w)]; };
    for (const Pair& p : PairsFor(weekday)) {
        if (p.sameYear ? wanted(p.orv) != wanted(p.rfc) : wanted(p.orv) || wanted(p.rfc)) return false;
    }
    return true;
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
