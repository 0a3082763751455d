#include "engine/eventindex.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/dates.h"
#include "engine/nameorder.h"
#include "engine/weeklist.h"

namespace orv {

const std::vector<int> EventIndex::empty_;

namespace {

// A number written the way the program writes one: digits, no sign, no leading zero.
std::optional<int> CanonicalNumber(std::string_view text, std::size_t& pos, int max)
{
    const std::size_t start = pos;
    long value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        if (value > max) return std::nullopt;
        ++pos;
    }
    if (pos == start || (text[start] == '0' && pos - start > 1) || value == 0) return std::nullopt;
    return static_cast<int>(value);
}

// The (month, day) that a birthday key "D/M" stands for. Keys that no date can
// produce ("0/0", "", "05/11") are never found and are left out of the index.
std::optional<std::pair<int, int>> BirthdayKey(std::string_view key)
{
    std::size_t pos = 0;
    const auto day = CanonicalNumber(key, pos, 31);
    if (!day || pos >= key.size() || key[pos] != '/') return std::nullopt;
    ++pos;
    const auto month = CanonicalNumber(key, pos, 12);
    if (!month || pos != key.size()) return std::nullopt;
    return std::pair{*month, *day};
}

// The day number that a calendar key "D/M - Y" stands for, when it is a valid date.
std::optional<std::int32_t> CalendarKey(std::string_view key)
{
    std::size_t pos = 0;
    const auto day = CanonicalNumber(key, pos, 31);
    if (!day || key.substr(pos, 1) != "/") return std::nullopt;
    ++pos;
    const auto month = CanonicalNumber(key, pos, 12);
    if (!month || key.substr(pos, 3) != " - ") return std::nullopt;
    pos += 3;
    const auto year = CanonicalNumber(key, pos, 32767);
    if (!year || pos != key.size() || !IsValidDate(*year, *month, *day)) return std::nullopt;
    return DayNumber(Date{static_cast<std::uint16_t>(*year), static_cast<std::uint16_t>(*month),
                          static_cast<std::uint16_t>(*day)});
}

}  // namespace

bool EventIndex::Stale(Part part) const
{
    const auto& g = store_.generations();
    std::uint64_t now = 0;
    switch (part) {
    case Addresses:
    case People: now = g.addresses; break;
    case Calendar: now = g.calendar; break;
    case Weekly: now = g.weekly; break;
    case Monthly: now = g.monthly; break;
    case Annual: now = g.annual; break;
    case Advanced: now = g.advanced; break;
    case PartCount: break;
    }
    if (built_[part] && seen_[part] == now) return false;
    built_[part] = true;
    seen_[part] = now;
    return true;
}

void EventIndex::BuildAddresses() const
{
    for (auto& months : birthdays_)
        for (auto& list : months) list.clear();
    const auto& list = store_.addresses();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (const auto key = BirthdayKey(list[i].DateText))
            birthdays_[static_cast<std::size_t>(key->first)][static_cast<std::size_t>(key->second)].push_back(
                static_cast<int>(i));
}

void EventIndex::BuildPeople() const { peopleOrder_ = PeopleInNameOrder(store_.addresses()); }

void EventIndex::BuildCalendar() const
{
    calendar_.clear();
    const auto& list = store_.calendar();
    calendar_.reserve(list.size());
    // An encoded date (store/records.h) was made together with the key text and
    // stands for the same day: only a record without one has its key read.
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ACal& c = list[i];
        const auto day = c.Date != 0 ? std::optional<std::int32_t>(DayNumberOfSerial(c.Date)) : CalendarKey(c.DateText);
        if (day) calendar_.emplace_back(*day, static_cast<int>(i));
    }
    // The list is normally in date order already; stable keeps list order within a day.
    if (!std::is_sorted(calendar_.begin(), calendar_.end()))
        std::stable_sort(calendar_.begin(), calendar_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    calendarIndexes_.resize(calendar_.size());
    for (std::size_t i = 0; i < calendar_.size(); ++i) calendarIndexes_[i] = calendar_[i].second;
}

void EventIndex::BuildWeekly() const
{
    for (auto& list : weekly_) list.clear();
    const auto& list = store_.weekly();
    weeklyWeeks_.assign(list.size(), {});
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].Weekday < 1 || list[i].Weekday > 7) continue;  // never equals a date's weekday
        weekly_[static_cast<std::size_t>(list[i].Weekday)].push_back(static_cast<int>(i));
        weeklyWeeks_[i] = WeeksOccurring(list[i].WeekNr);
    }
}

void EventIndex::BuildMonthly() const
{
    for (auto& list : monthly_) list.clear();
    const auto& list = store_.monthly();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Day >= 1 && list[i].Day <= 31) monthly_[static_cast<std::size_t>(list[i].Day)].push_back(static_cast<int>(i));
}

void EventIndex::BuildAnnual() const
{
    for (auto& months : annual_)
        for (auto& list : months) list.clear();
    const auto& list = store_.annual();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AYear& y = list[i];
        if (y.Month >= 1 && y.Month <= 12 && y.Day >= 1 && y.Day <= 31)
            annual_[static_cast<std::size_t>(y.Month)][static_cast<std::size_t>(y.Day)].push_back(static_cast<int>(i));
    }
}

void EventIndex::BuildAdvanced() const
{
    for (auto& months : advanced_)
        for (auto& list : months) list.clear();
    const auto& list = store_.advanced();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto month = MonthNumber(list[i].Month);
        const auto weekday = WeekdayNumber(list[i].Day);
        if (month && weekday)
            advanced_[static_cast<std::size_t>(*month)][static_cast<std::size_t>(*weekday)].push_back(static_cast<int>(i));
    }
}

const std::vector<int>& EventIndex::Birthdays(int month, int day) const
{
    if (Stale(Addresses)) BuildAddresses();
    if (month < 1 || month > 12 || day < 1 || day > 31) return empty_;
    return birthdays_[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)];
}

const std::vector<int>& EventIndex::PeopleOrder() const
{
    if (Stale(People)) BuildPeople();
    return peopleOrder_;
}

std::pair<const int*, const int*> EventIndex::CalendarOn(std::int32_t dayNumber) const
{
    if (Stale(Calendar)) BuildCalendar();
    const auto range = std::equal_range(calendar_.begin(), calendar_.end(), std::pair<std::int32_t, int>{dayNumber, 0},
                                        [](const auto& a, const auto& b) { return a.first < b.first; });
    const int* base = calendarIndexes_.data();
    return {base + (range.first - calendar_.begin()), base + (range.second - calendar_.begin())};
}

std::pair<const std::pair<std::int32_t, int>*, const std::pair<std::int32_t, int>*>
EventIndex::CalendarBetween(std::int32_t firstDay, std::int32_t lastDay) const
{
    if (Stale(Calendar)) BuildCalendar();
    auto byDay = [](const auto& a, std::int32_t d) { return a.first < d; };
    const auto first = std::lower_bound(calendar_.begin(), calendar_.end(), firstDay, byDay);
    const auto last = lastDay < firstDay ? first : std::lower_bound(first, calendar_.end(), lastDay + 1, byDay);
    return {calendar_.data() + (first - calendar_.begin()), calendar_.data() + (last - calendar_.begin())};
}

const std::vector<int>& EventIndex::WeeklyOn(int weekday) const
{
    if (Stale(Weekly)) BuildWeekly();
    if (weekday < 1 || weekday > 7) return empty_;
    return weekly_[static_cast<std::size_t>(weekday)];
}

bool EventIndex::WeeklyInWeek(int index, int week) const
{
    if (Stale(Weekly)) BuildWeekly();
    if (week < 0 || week > 63) return false;
    return weeklyWeeks_[static_cast<std::size_t>(index)][static_cast<std::size_t>(week)];
}

const std::vector<int>& EventIndex::MonthlyOn(int day) const
{
    if (Stale(Monthly)) BuildMonthly();
    if (day < 1 || day > 31) return empty_;
    return monthly_[static_cast<std::size_t>(day)];
}

const std::vector<int>& EventIndex::AnnualOn(int month, int day) const
{
    if (Stale(Annual)) BuildAnnual();
    if (month < 1 || month > 12 || day < 1 || day > 31) return empty_;
    return annual_[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)];
}

const std::vector<int>& EventIndex::AdvancedOn(int month, int weekday) const
{
    if (Stale(Advanced)) BuildAdvanced();
    if (month < 1 || month > 12 || weekday < 1 || weekday > 7) return empty_;
    return advanced_[static_cast<std::size_t>(month)][static_cast<std::size_t>(weekday)];
}

}  // namespace orv
