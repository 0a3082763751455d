#include "engine/dayviews.h"

#include <algorithm>

#include "engine/addressbook.h"

namespace orv {

OccurrenceTable DayList(const EventFinder& finder, Date date, bool includeAdvanced)
{
    OccurrenceTable out;
    const FindArgs args{};
    finder.FindEvent(date, args, EventOptions{}, out);
    finder.FindBirthday(date, args, Age::Shown, out);
    finder.FindRecurrent(date, args, RecurrentKinds{}, out);
    if (includeAdvanced) finder.FindRecAvd(date, args, out);
    return out;
}

std::string MonthDayText(const OccurrenceTable& dayList, MonthFilter filter)
{
    std::string text;
    if (filter == MonthFilter::All) {
        if (dayList.empty()) return " ";
        for (const Occurrence& o : dayList) text.append(1, o.Kind).append(1, ' ');
        return text;
    }
    auto wanted = [filter](char k) {
        switch (filter) {
        case MonthFilter::Birthday: return k == EventKind::Birthday;
        case MonthFilter::Calendar: return k == EventKind::High || k == EventKind::Normal || k == EventKind::Low;
        case MonthFilter::Recurrent:
            return k == EventKind::Weekly || k == EventKind::Monthly || k == EventKind::Annual || k == EventKind::Advanced;
        case MonthFilter::All: break;
        }
        return false;
    };
    for (const Occurrence& o : dayList)
        if (wanted(o.Kind)) text.append(o.Text).append("  ");
    return text;
}

std::vector<MonthRow> MonthRows(const EventFinder& finder, int year, int month, MonthFilter filter, bool includeAdvanced)
{
    std::vector<MonthRow> rows;
    const int days = DaysInMonth(year, month);
    rows.reserve(static_cast<std::size_t>(days));
    for (int d = 1; d <= days; ++d) {
        const Date date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(d)};
        rows.push_back(MonthRow{std::string(ShortDayNames[static_cast<std::size_t>(DayOfWeek(date))]), d,
                                MonthDayText(DayList(finder, date, includeAdvanced), filter)});
    }
    return rows;
}

OccurrenceTable TodayBoxLines(const EventFinder& finder, Date date, const TodayBoxSettings& s,
                              const std::vector<std::string>& top, const std::vector<std::string>& bottom)
{
    OccurrenceTable out;
    const FindArgs args{};
    if (s.Birthdays) finder.FindBirthday(date, args, Age::Shown, out);
    // The box lists high and normal priority whatever the overview's choice.
    if (s.Calendar) finder.FindEvent(date, args, EventOptions{.priorities = Priorities::HighAndNormal}, out);
    finder.FindRecurrent(date, args, RecurrentKinds{.weekly = s.Weekly, .monthly = s.Monthly, .annual = s.Annual}, out);
    if (s.Advanced) finder.FindRecAvd(date, args, out);
    if (s.TopTodo)
        for (const std::string& item : top) out.push_back(Occurrence{Occurrence::NoDays, EventKind::Todo, item, -1});
    if (s.BottomTodo)
        for (const std::string& item : bottom) out.push_back(Occurrence{Occurrence::NoDays, EventKind::Todo, item, -1});
    return out;
}

std::optional<int> TodayBoxBirthdayAddress(const RecordStore& store, Date date, const std::string& lineText)
{
    const std::string key = std::to_string(date.Day) + "/" + std::to_string(date.Month);
    const auto& list = store.addresses();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AData& a = list[i];
        if (a.DateText != key) continue;
        if (EventFinder::BirthdayText(a, date.Year, a.Year > 0 ? Age::Shown : Age::Hidden, {}) == lineText) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<int> FirstIncorrectBirthday(const std::vector<AData>& addresses)
{
    for (std::size_t i = 0; i < addresses.size(); ++i)
        if (!BirthdayFitsMonth(addresses[i])) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> NextEventAfter(const RecordStore& store, Date date)
{
    const auto& list = store.calendar();
    const std::int32_t serial = DateSerial(date.Year, date.Month, date.Day);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Date > serial) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> PrevEventBefore(const RecordStore& store, Date date)
{
    const auto& list = store.calendar();
    const std::int32_t serial = DateSerial(date.Year, date.Month, date.Day);
    for (std::size_t i = list.size(); i-- > 0;)
        if (list[i].Date < serial && list[i].Date != 0) return static_cast<int>(i);
    return std::nullopt;
}

namespace {

// A birthday falls in a year only when that year has its date (29 February
// only in leap years).
std::optional<std::int32_t> BirthdayIn(const AData& a, int year)
{
    if (!IsValidDate(year, a.Month, a.Day)) return std::nullopt;
    return DayNumber(Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(a.Month),
                          static_cast<std::uint16_t>(a.Day)});
}

// The smallest distance greater than 0, starting from 400, to a birthday in
// the date's year or, where that one lies the wrong side of the date, in the
// year after (step 1) or before (step -1). A birthday on the date itself lies
// the wrong side only when going back.
std::int32_t BirthdayDistance(const std::vector<AData>& addresses, Date date, int step)
{
    const std::int32_t from = DayNumber(date);
    std::int32_t best = 400;
    for (const AData& a : addresses) {
        if (a.Month < 1 || a.Day < 1) continue;
        auto day = BirthdayIn(a, date.Year);
        if (!day || (step > 0 ? *day < from : *day >= from)) day = BirthdayIn(a, date.Year + step);
        if (!day) continue;
        const std::int32_t distance = (*day - from) * step;
        if (distance > 0 && distance < best) best = distance;
    }
    return best;
}

}  // namespace

Date NextBirthdayFrom(const std::vector<AData>& addresses, Date date)
{
    return FromDayNumber(DayNumber(date) + BirthdayDistance(addresses, date, 1));
}

Date PrevBirthdayFrom(const std::vector<AData>& addresses, Date date)
{
    return FromDayNumber(DayNumber(date) - BirthdayDistance(addresses, date, -1));
}

std::optional<Date> FirstDateOfWeek(int year, int week, const DateSettings& s)
{
    Date d{static_cast<std::uint16_t>(year), 1, 1};
    for (int i = 0; i < 372 && d.Year == year; ++i, d = NextDate(d))
        if (Week1(d.Year, d.Month, d.Day, s.WeekStart, s.FirstWeek) == week) return d;
    return std::nullopt;
}

}  // namespace orv
