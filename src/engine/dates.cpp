#include "engine/dates.h"

#include <chrono>
#include <ctime>

namespace orv {

namespace {
// Only a..z are folded; every other byte keeps its value.
char FoldAz(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool Skudaar(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

std::uint16_t DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12) return 0;
    int n = MonthLengths[static_cast<std::size_t>(month)];
    if (month == 2 && Skudaar(year)) ++n;
    return static_cast<std::uint16_t>(n);
}

bool CheckDate(int year, int month, int day) { return day <= DaysInMonth(year, month); }

bool IsValidDate(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

void NextDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day)
{
    ++day;
    if (!CheckDate(year, month, day)) {
        day = 1;
        ++month;
    }
    if (month == 13) {
        month = 1;
        ++year;
    }
}

void PrevDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day)
{
    --day;
    if (day == 0) {
        --month;
        if (month == 0) {
            month = 12;
            --year;
        }
        day = DaysInMonth(year, month);
    }
}

std::int32_t DayNumber(Date d)
{
    using namespace std::chrono;
    const sys_days s = year{d.Year} / month{d.Month} / day{d.Day};
    return static_cast<std::int32_t>(s.time_since_epoch().count());
}

Date FromDayNumber(std::int32_t n)
{
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{n}}};
    return Date{static_cast<std::uint16_t>(static_cast<int>(ymd.year())),
                static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month())),
                static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()))};
}

std::int32_t DaysBetween(int y1, int m1, int d1, int y2, int m2, int d2)
{
    return DaysBetween(Date{static_cast<std::uint16_t>(y1), static_cast<std::uint16_t>(m1), static_cast<std::uint16_t>(d1)},
                       Date{static_cast<std::uint16_t>(y2), static_cast<std::uint16_t>(m2), static_cast<std::uint16_t>(d2)});
}

int DayOfWeek(Date d)
{
    // 1970-01-01 was a Thursday (5).
    const std::int32_t n = DayNumber(d);
    const int r = static_cast<int>(((n % 7) + 7 + 4) % 7);  // 0 = Sunday
    return r + 1;
}

std::uint16_t DaysInFirstWeek(int year, int weekStart)
{
    const int first = DayOfWeek(year, 1, 1) - 1;  // week-start index of 1 January
    return static_cast<std::uint16_t>(((weekStart - first) % 7 + 7) % 7);
}

std::uint16_t WeekNumber1(int, int, int day) { return static_cast<std::uint16_t>((day - 1) / 7 + 1); }

std::uint16_t WeekNumber2(int year, int month, int day)
{
    return static_cast<std::uint16_t>((DaysInMonth(year, month) - day) / 7 + 1);
}

std::uint16_t Week1(int year, int month, int day, int weekStart, int firstWeek)
{
    const Date d{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
    const int back = ((DayOfWeek(d) - 1 - weekStart) % 7 + 7) % 7;
    const Date start = FromDayNumber(DayNumber(d) - back);
    const std::int32_t n = DayNumber(start) - DayNumber(Date{start.Year, 1, 1});
    int week = 1 + n / 7;
    // An early-January day whose week began in December was counted in the old
    // year's numbering: it belongs to this year's opening partial week, week 0
    // before the first-week rule below decides whether that week counts.
    if (week > 51 && day < 8) week = 0;
    const int partial = DaysInFirstWeek(year, weekStart);
    if (partial != 0) {
        if (firstWeek == 2) ++week;
        else if (firstWeek == 1 && partial > 3) ++week;
    }
    return static_cast<std::uint16_t>(week);
}

std::string EShortDate(int month, int day, const DateSettings& s)
{
    return s.MonthFirst ? std::to_string(month) + "." + std::to_string(day)
                        : std::to_string(day) + "/" + std::to_string(month);
}

std::string ELongDate(int year, int month, int day, const DateSettings& s)
{
    return s.MonthFirst ? std::to_string(month) + "." + std::to_string(day) + "." + std::to_string(year)
                        : std::to_string(day) + "/" + std::to_string(month) + "-" + std::to_string(year);
}

Date NormaliseClockDate(int year, int month, int day)
{
    if (year < 99) year += 2000;
    if (year == 99) year = 1999;
    return Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
}

Date GetToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return NormaliseClockDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string IntToS(std::int32_t n) { return (n >= 2 || n <= -2) ? "s" : ""; }

std::string StrtoTele(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != ' ') out.push_back(c);
    return out;
}

std::int32_t UpPos(std::string_view sub, std::string_view s)
{
    if (sub.empty() || sub.size() > s.size()) return 0;
    const std::size_t last = s.size() - sub.size();
    for (std::size_t i = 0; i <= last; ++i) {
        std::size_t j = 0;
        while (j < sub.size() && FoldAz(s[i + j]) == FoldAz(sub[j])) ++j;
        if (j == sub.size()) return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}

std::string IsoDate(Date d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", static_cast<unsigned>(d.Year), static_cast<unsigned>(d.Month),
                  static_cast<unsigned>(d.Day));
    return buf;
}

bool ParseIsoDate(std::string_view text, Date& out)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    auto digits = [&](std::size_t from, std::size_t count, int& value) {
        value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int y = 0, m = 0, d = 0;
    if (!digits(0, 4, y) || !digits(5, 2, m) || !digits(8, 2, d)) return false;
    out = Date{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(d)};
    return true;
}

}  // namespace orv
