// Owning handles for libical's objects and the small pieces both directions
// share. Internal to the iCalendar writer and reader.
#pragma once

#include <libical/ical.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/dates.h"
#include "store/records.h"

namespace orv::ical {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* i) const { icalrecur_iterator_free(i); }
};
using RecurIterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;

// A string libical hands over for the caller to free.
inline std::string TakeString(char* s)
{
    std::string out = s ? s : "";
    std::free(s);
    return out;
}

// Weekday codes of RRULE's BYDAY, indexed by ORV's weekday number 1 Sunday .. 7 Saturday.
inline constexpr std::array<std::string_view, 8> kDayCodes{"", "SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// A date as an all-day value.
inline icaltimetype DateValue(Date d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.Year;
    t.month = d.Month;
    t.day = d.Day;
    return t;
}

// A date of the years ORV's files hold, or nothing.
inline std::optional<Date> MakeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || !IsValidDate(year, month, day)) return std::nullopt;
    return Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
}

// A birthday's event is named after the person, as the overview names them.
inline std::string PersonName(const AData& a)
{
    std::string name = a.Name;
    if (!a.Name.empty() && !a.Surname.empty()) name += ' ';
    return name + a.Surname;
}

// libical reports trouble through a global flag; it must never abort the program.
inline void QuietLibical() { icalerror_set_errors_are_fatal(0); }

}  // namespace orv::ical
