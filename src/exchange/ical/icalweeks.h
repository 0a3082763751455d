// Week numbers as iCalendar counts them (RFC 5545: ISO 8601's rule with a
// chosen week start) beside ORV's own, and whether a weekly event limited to
// some weeks means the same days under both. Shared by the iCalendar writer,
// which uses BYWEEKNO only where it does, and the reader, which takes BYWEEKNO
// only where it does.
#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "engine/dates.h"

namespace orv::ical {

// The week of a date in iCalendar's numbering: the week (starting on
// `weekStart`, 0 Sunday .. 6 Saturday) that holds at least four days of a
// year is that year's week 1, so a week belongs to the year of its fourth day
// and late-December days can lie in next year's week 1.
struct RfcWeek {
    int year = 0;
    int week = 0;
};
RfcWeek RfcWeekOf(Date d, int weekStart);

// Compares ORV's week numbers under the user's settings with iCalendar's
// (same week start) for one weekday at a time, over a whole 400-year cycle of
// the calendar, so that an answer holds for every year.
class WeekNumbering {
public:
    explicit WeekNumbering(const DateSettings& settings) : settings_(settings) {}

    // Whether "FREQ=YEARLY;BYWEEKNO=<weeks>;BYDAY=<weekday>" names exactly the
    // days on which ORV finds a weekly event on `weekday` (1 Sunday .. 7
    // Saturday) whose week list holds `weeks`. A day that iCalendar counts in
    // a week of the neighbouring year must not be wanted by either side: RFC
    // 5545 leaves open whether such a day belongs to the rule's year.
    bool Agrees(int weekday, const std::bitset<64>& weeks) const;

    // The days of the year (1..366) on which ORV finds a weekly event on
    // `weekday` whose week list holds `weeks`, for
    // "FREQ=YEARLY;BYYEARDAY=<days>;BYDAY=<weekday>". ORV's week of a day
    // depends only on its day of the year and the weekday of 1 January, and a
    // day of the year falls on `weekday` only in years starting on one
    // weekday, so this names exactly ORV's days in every year.
    std::vector<int> YearDays(int weekday, const std::bitset<64>& weeks) const;

    // How one day is numbered by both, and whether iCalendar counts it in
    // its own calendar year.
    struct Pair {
        int orv = 0;
        int rfc = 0;
        bool sameYear = true;
        bool operator<(const Pair& o) const;
    };

private:
    DateSettings settings_;
};

// "1,3,5-7" from a set of weeks (ranges of three or more joined).
std::string WeekListText(const std::bitset<64>& weeks);

}  // namespace orv::ical
