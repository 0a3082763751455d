// Small builders for in-memory record lists.
#pragma once

#include <string>

#include "engine/dates.h"
#include "store/recordstore.h"

namespace orv::test {

inline Date D(int y, int m, int d)
{
    return Date{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(d)};
}

inline AData Person(std::string name, std::string surname, int day, int month, int year = 0)
{
    AData a;
    a.Name = std::move(name);
    a.Surname = std::move(surname);
    a.Day = day;
    a.Month = month;
    a.Year = year;
    BuildDateText(a);
    return a;
}

inline ACal Event(std::string hint, Date d, int priority = 1)
{
    ACal c;
    c.Hint = std::move(hint);
    c.Priority = static_cast<std::uint8_t>(priority);
    c.Day = d.Day;
    c.Month = d.Month;
    c.Year = d.Year;
    EncodeCalendarDate(c);
    return c;
}

inline AWeek Weekly(std::string hint, int weekday, std::string weeks = {})
{
    return AWeek{weekday, std::move(weeks), std::move(hint)};
}

inline AMonth Monthly(std::string hint, int day, std::string month = {}, std::string year = {})
{
    return AMonth{day, std::move(month), std::move(year), std::move(hint)};
}

inline AYear Annual(std::string hint, int month, int day, std::string year = {})
{
    return AYear{month, day, std::move(year), std::move(hint)};
}

inline AAdv Advanced(std::string hint, bool fromEnd, int down, std::string month, std::string day)
{
    return AAdv{fromEnd, down, std::move(month), std::move(day), std::move(hint)};
}

}  // namespace orv::test
