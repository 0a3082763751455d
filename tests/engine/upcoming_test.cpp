// The next dates of an event being typed, and the notes about week lists and
// month days: they must be what the day lists will show.
#include <gtest/gtest.h>

#include <string>

#include "builders.h"
#include "engine/upcoming.h"

using namespace orv;
using orv::test::D;

namespace {

const DateSettings kMondayFullWeek{1, 0, false};

std::string Dates(const std::vector<UpcomingDate>& found)
{
    std::string text;
    for (const UpcomingDate& u : found) text += (text.empty() ? "" : " ") + IsoDate(u.date);
    return text;
}

TEST(Upcoming, AWeekListNamesTheWeeksItOccursIn)
{
    const auto found = NextOccurrences(orv::test::Weekly("Team", 2, "1,3,5-7"), D(2024, 1, 1), 5, kMondayFullWeek);
    EXPECT_EQ(Dates(found), "2024-01-01 2024-01-15 2024-01-29 2024-02-05 2024-02-12");
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[1].week, 3);
    EXPECT_EQ(found[4].week, 7);
    EXPECT_EQ(found[0].text, "Team");
}

// The dates are the days the finder lists the event on (its rules are its own
// test): a leap day only in leap years, a 30th not in February.
TEST(Upcoming, AnnualAndMonthlyDatesSkipWhatTheCalendarLacks)
{
    EXPECT_EQ(Dates(NextOccurrences(orv::test::Annual("Leap", 2, 29), D(2025, 1, 1), 2, kMondayFullWeek)),
              "2028-02-29 2032-02-29");
    EXPECT_EQ(Dates(NextOccurrences(orv::test::Monthly("Fee", 30), D(2025, 1, 31), 2, kMondayFullWeek)),
              "2025-03-30 2025-04-30");
}

TEST(Upcoming, AdvancedEventsThatSkipYearsAreFoundFarAhead)
{
    const AAdv fifthMonday = orv::test::Advanced("Rare", false, 5, "Febuary", "Monday");
    EXPECT_EQ(Dates(NextOccurrences(fifthMonday, D(2024, 1, 1), 1, kMondayFullWeek)), "2044-02-29");
    EXPECT_EQ(YearsWithout(fifthMonday, 2024, 10, kMondayFullWeek).size(), 10u);
    const AAdv lastMonday = orv::test::Advanced("Last", true, 1, "Febuary", "Monday");
    EXPECT_TRUE(YearsWithout(lastMonday, 2024, 10, kMondayFullWeek).empty());
}

// Which years lack week 0 or 53 is checked against the finder below.
TEST(Upcoming, NotesNameTheWeeksAndMonthDaysNotEveryYearHas)
{
    const WeekListNotes late = CheckWeekList("1-5,53", 2003, kMondayFullWeek);
    ASSERT_FALSE(late.malformed || late.beyondLastWeek);
    ASSERT_EQ(late.weeks.size(), 1u);
    EXPECT_EQ(late.weeks[0].week, 53);
    EXPECT_TRUE(CheckWeekList("1-52", 2003, kMondayFullWeek).weeks.empty());
    EXPECT_EQ(MonthsWithoutDay(31), (std::vector<int>{2, 4, 6, 9, 11}));  // the note on month days
    EXPECT_EQ(MonthsWithoutDay(29), (std::vector<int>{2}));
    EXPECT_TRUE(MonthsWithoutDay(28).empty());
    EXPECT_TRUE(CheckWeekList("x,54", 2003, kMondayFullWeek).malformed);  // the rule itself: weeklist_test
    EXPECT_TRUE(CheckWeekList("10,60", 2003, kMondayFullWeek).beyondLastWeek);
}

// What the note says of week 0 or 53 on a weekday is what the finder does:
// the years named are exactly those in which the event has a date.
TEST(Upcoming, WeekNotesNameTheYearsTheFinderFindsADateIn)
{
    for (const int weekStart : {0, 1})
        for (const int firstWeek : {0, 1, 2})
            for (int weekday = 1; weekday <= 7; ++weekday)
                for (const int week : {0, 53}) {
                    const DateSettings settings{weekStart, firstWeek, false};
                    const std::string list = std::to_string(week);
                    std::vector<int> found;
                    for (int y = 2024; y < 2034; ++y) {
                        const auto dates = NextOccurrences(orv::test::Weekly("x", weekday, list),
                                                           D(y, 1, 1), 1, settings, 1);
                        if (!dates.empty() && dates.front().date.Year == y) found.push_back(y);
                    }
                    const WeekListNotes notes = CheckWeekList(list, 2024, settings, weekday);
                    const std::vector<int> named = notes.weeks.empty() ? std::vector<int>{2024, 2025, 2026, 2027, 2028,
                                                                                          2029, 2030, 2031, 2032, 2033}
                                                                       : notes.weeks.front().years;
                    EXPECT_EQ(named, found) << "start " << weekStart << ", first week " << firstWeek << ", weekday "
                                            << weekday << ", week " << week;
                }
}

}  // namespace
