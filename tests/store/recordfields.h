// Every stored and derived field of a record as a tuple, so that records compare
// and print alike in the tests and the fuzz targets. Marked is scratch and the
// identity is compared on its own.
#pragma once

#include <tuple>

#include "store/records.h"

namespace orv::test {

inline auto Fields(const AData& a)
{
#define ORV_TEST_PERSON_FIELD(id, ...) , a.id
    return std::tie(a.DateText ORV_PERSON_FIELDS(ORV_TEST_PERSON_FIELD));
#undef ORV_TEST_PERSON_FIELD
}
inline auto Fields(const ACal& c) { return std::tie(c.Date, c.Hint, c.Priority, c.Day, c.Month, c.Year, c.DateText, c.More); }
inline auto Fields(const AAdv& a) { return std::tie(a.FromEnd, a.Down, a.Month, a.Day, a.Hint); }
inline auto Fields(const AYear& y) { return std::tie(y.Month, y.Day, y.Year, y.Hint); }
inline auto Fields(const AMonth& m) { return std::tie(m.Day, m.Month, m.Year, m.Hint); }
inline auto Fields(const AWeek& w) { return std::tie(w.Weekday, w.WeekNr, w.Hint); }

}  // namespace orv::test
