// Calendar dates as three small integers, stepped one day at a time, week
// numbers under the user's week settings, and the program's date texts.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct Date {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    auto operator<=>(const Date&) const = default;
};

// The settings that shape date computations; read at the moment of each call.
struct DateSettings {
    int WeekStart = 1;      // 0 Sunday .. 6 Saturday
    int FirstWeek = 0;      // 0 first full week, 1 first 4-day week, 2 starts on Jan 1.
    bool MonthFirst = false;  // CB25: "Date: mm.dd.yyyy"
};

inline constexpr std::array<int, 13> MonthLengths{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
inline constexpr std::array<std::string_view, 13> MonthNames{
    "",     "January", "Febuary", "March",     "April",   "May",      "June",
    "July", "August",  "September", "October", "November", "December"};
inline constexpr std::array<std::string_view, 8> DayNames{
    "", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::string_view, 8> ShortDayNames{"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The number of a name spelled as the program spells it (1 January, 1
// Sunday), as the advanced events store them; nothing for any other spelling.
constexpr std::optional<int> MonthNumber(std::string_view name)
{
    for (int m = 1; m <= 12; ++m)
        if (MonthNames[static_cast<std::size_t>(m)] == name) return m;
    return std::nullopt;
}
constexpr std::optional<int> WeekdayNumber(std::string_view name)
{
    for (int d = 1; d <= 7; ++d)
        if (DayNames[static_cast<std::size_t>(d)] == name) return d;
    return std::nullopt;
}

bool Skudaar(int year);
std::uint16_t DaysInMonth(int year, int month);
// Day does not exceed the month's length; Month must be 1..12.
bool CheckDate(int year, int month, int day);
// Full validity: month 1..12 and day 1..length.
bool IsValidDate(int year, int month, int day);

void NextDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
void PrevDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
inline Date NextDate(Date d) { NextDate(d.Year, d.Month, d.Day); return d; }
inline Date PrevDate(Date d) { PrevDate(d.Year, d.Month, d.Day); return d; }

// Days since 1970-01-01, and back; valid dates only.
std::int32_t DayNumber(Date d);
Date FromDayNumber(std::int32_t n);
inline Date AddDays(Date d, int days) { return FromDayNumber(DayNumber(d) + days); }
// A stored date serial (days since 1899-12-30, as ACal::Date) as a day number, and back.
inline constexpr std::int32_t kSerialDaysBefore1970 = 25569;
inline constexpr std::int32_t DayNumberOfSerial(std::int32_t serial) { return serial - kSerialDaysBefore1970; }
inline constexpr std::int32_t SerialOfDayNumber(std::int32_t day) { return day + kSerialDaysBefore1970; }

// Exact number of days from the first date to the second.
std::int32_t DaysBetween(int y1, int m1, int d1, int y2, int m2, int d2);
inline std::int32_t DaysBetween(Date a, Date b) { return DayNumber(b) - DayNumber(a); }

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(Date d);
inline int DayOfWeek(int y, int m, int d)
{
    return DayOfWeek(Date{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(d)});
}

// Where a weekday (1 Sunday .. 7) stands in a day list or a month grid that
// starts on the week-start day (0 Sunday .. 6), and a date's weekday.
inline int WeekdayColumn(int weekday, int weekStart) { return ((weekday - 1 - weekStart) % 7 + 7) % 7; }
inline int WeekdayListItem(Date d, int weekStart) { return WeekdayColumn(DayOfWeek(d), weekStart); }

std::uint16_t DaysInFirstWeek(int year, int weekStart);
std::uint16_t WeekNumber1(int year, int month, int day);
std::uint16_t WeekNumber2(int year, int month, int day);
std::uint16_t Week1(int year, int month, int day, int weekStart, int firstWeek);

std::string EShortDate(int month, int day, const DateSettings& s);
std::string ELongDate(int year, int month, int day, const DateSettings& s);
inline std::string ELongDate(Date d, const DateSettings& s) { return ELongDate(d.Year, d.Month, d.Day, s); }

// Today's local date from a clock reading; two-digit years read as 20xx (99 as 1999).
Date GetToday();
Date NormaliseClockDate(int year, int month, int day);

std::string IntToS(std::int32_t n);
inline std::uint16_t BoolToInt(bool b) { return b ? 1 : 0; }
std::string StrtoTele(std::string_view s);
// 1-based position of sub in s, folding only a..z; 0 when absent or sub is empty.
std::int32_t UpPos(std::string_view sub, std::string_view s);

inline int PrevMonth(int month) { return month == 1 ? 12 : month - 1; }
inline int PrevYear(int year, int month) { return month == 1 ? year - 1 : year; }
inline int NextMonth(int month) { return month == 12 ? 1 : month + 1; }
inline int NextYear(int year, int month) { return month == 12 ? year + 1 : year; }

// "YYYY-MM-DD" of a valid date, and back (nullopt-like: Year 0 when malformed).
std::string IsoDate(Date d);
bool ParseIsoDate(std::string_view text, Date& out);

}  // namespace orv
