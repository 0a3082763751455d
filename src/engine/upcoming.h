// The dates on which a recurrent event will occur, asked while the event is
// still being typed, so that a person sees what "1,3,5-7" or "day 31" will do.
// The answers come from the occurrence finder itself: what is shown is what
// the overview and the calendar will list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "store/records.h"

namespace orv {

struct UpcomingDate {
    Date date;
    std::string text;  // the line the overview shows that day (counts included)
    int week = 0;      // the week number of the date under the settings
};

// Up to `count` dates from `from` on (from included), searched at most
// `horizonYears` ahead.
inline constexpr int kUpcomingHorizonYears = 200;
std::vector<UpcomingDate> NextOccurrences(const AWeek& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears = kUpcomingHorizonYears);
std::vector<UpcomingDate> NextOccurrences(const AMonth& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears = kUpcomingHorizonYears);
std::vector<UpcomingDate> NextOccurrences(const AYear& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears = kUpcomingHorizonYears);
std::vector<UpcomingDate> NextOccurrences(const AAdv& event, Date from, int count, const DateSettings& settings,
                                          int horizonYears = kUpcomingHorizonYears);

// A week number named by a week list that not every year has on the event's
// weekday: week 0 (the opening partial week under some first-week rules), 53
// and 54 — and under some settings a weekday that a partial week never holds.
struct WeekNote {
    int week = 0;
    std::vector<int> years;  // the years of the ten from `fromYear` that have it; empty: none
};

struct WeekListNotes {
    bool malformed = false;     // the list would be refused at creation
    std::vector<WeekNote> weeks;  // by week number
    bool beyondLastWeek = false;  // names a week above 54, which no year has
    // The list is accepted because its check stops at 54, but what follows is
    // no week list: the occurrence finder then takes every week not named
    // before it as in the list, so the event comes every week.
    bool everyWeek = false;
};

// `weekday` 1 = Sunday .. 7, or 0 for any day of the week.
WeekListNotes CheckWeekList(std::string_view weekNr, int fromYear, const DateSettings& settings, int weekday = 0);

// The months (1..12) that lack day `day`; February counts with 28 days, so
// day 29 lists February although leap years have it.
std::vector<int> MonthsWithoutDay(int day);

// The years of the `years` from `fromYear` in which the advanced event does
// not occur (a 5th weekday, a month name no date has).
std::vector<int> YearsWithout(const AAdv& event, int fromYear, int years, const DateSettings& settings);

}  // namespace orv
