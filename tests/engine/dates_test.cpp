#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "builders.h"
#include "engine/dates.h"

using namespace orv;

using orv::test::D;

TEST(Dates, MonthLengthsFollowTheGregorianLeapRule)
{
    // year, month, days; a day past the end is refused.
    const std::array<int, 3> rows[] = {{1900, 2, 28}, {2000, 2, 29}, {2004, 2, 29}, {2003, 2, 28}, {2003, 4, 30}};
    for (const auto [y, m, days] : rows) {
        SCOPED_TRACE(std::to_string(y) + "-" + std::to_string(m));
        EXPECT_EQ(DaysInMonth(y, m), days);
        EXPECT_TRUE(CheckDate(y, m, days));
        EXPECT_FALSE(CheckDate(y, m, days + 1));
    }
    EXPECT_FALSE(IsValidDate(2004, 13, 1));
    EXPECT_FALSE(IsValidDate(2004, 1, 0));
}

TEST(Dates, DaysBetweenIsTheExactCountAndSteppingCrossesMonthAndYearEnds)
{
    // A year-long span that holds 29 February counts 366 days.
    struct Row { Date from, to; int days; } rows[] = {
        {D(2004, 2, 28), D(2004, 2, 29), 1},  {D(2004, 2, 29), D(2004, 3, 1), 1},    {D(2004, 12, 31), D(2005, 1, 1), 1},
        {D(2003, 2, 28), D(2003, 3, 1), 1},   {D(2004, 4, 30), D(2004, 5, 1), 1},    {D(2004, 1, 1), D(2004, 1, 1), 0},
        {D(2004, 1, 1), D(2004, 12, 31), 365}, {D(2003, 3, 1), D(2005, 3, 1), 731},  {D(2004, 2, 29), D(2006, 3, 1), 731},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(IsoDate(r.from) + " to " + IsoDate(r.to));
        EXPECT_EQ(DaysBetween(r.from.Year, r.from.Month, r.from.Day, r.to.Year, r.to.Month, r.to.Day), r.days);
        if (r.days != 1) continue;
        EXPECT_EQ(NextDate(r.from), r.to);
        EXPECT_EQ(PrevDate(r.to), r.from);
    }
}

struct WeekRow {
    const char* name;
    Date date;
    int monday[3];
    int sunday[3];
};

class WeekNumbers : public testing::TestWithParam<WeekRow> {};

TEST_P(WeekNumbers, UnderBothWeekStartsAndAllThreeRules)
{
    const WeekRow& r = GetParam();
    for (int rule = 0; rule < 3; ++rule) {
        EXPECT_EQ(Week1(r.date.Year, r.date.Month, r.date.Day, 1, rule), r.monday[rule]) << "Monday start, rule " << rule;
        EXPECT_EQ(Week1(r.date.Year, r.date.Month, r.date.Day, 0, rule), r.sunday[rule]) << "Sunday start, rule " << rule;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WeekNumbers,
    testing::Values(WeekRow{"Sun_2003_12_28", D(2003, 12, 28), {51, 52, 52}, {52, 53, 53}},
                    WeekRow{"Thu_2004_01_01", D(2004, 1, 1), {0, 1, 1}, {0, 0, 1}},
                    WeekRow{"Sat_2005_01_01", D(2005, 1, 1), {0, 0, 1}, {0, 0, 1}},
                    WeekRow{"Mon_2007_01_01", D(2007, 1, 1), {1, 1, 1}, {0, 1, 1}},
                    WeekRow{"Mon_2007_12_31", D(2007, 12, 31), {53, 53, 53}, {52, 53, 53}},
                    WeekRow{"Sun_2000_12_31", D(2000, 12, 31), {52, 52, 53}, {53, 53, 54}},
                    WeekRow{"Thu_2009_12_31", D(2009, 12, 31), {52, 53, 53}, {52, 52, 53}}),
    [](const testing::TestParamInfo<WeekRow>& p) { return std::string(p.param.name); });

TEST(Dates, ClockYearsOfTwoDigitsReadAsThisCentury)
{
    EXPECT_EQ(NormaliseClockDate(98, 1, 1).Year, 2098);
    EXPECT_EQ(NormaliseClockDate(99, 1, 1).Year, 1999);
    EXPECT_EQ(NormaliseClockDate(2026, 12, 6), D(2026, 12, 6));
}

TEST(Dates, TextHelpers)
{
    for (const int n : {-1, 0, 1}) EXPECT_EQ(IntToS(n), "") << n;
    for (const int n : {-2, 2}) EXPECT_EQ(IntToS(n), "s") << n;
    EXPECT_EQ(StrtoTele(" 0 1234  56 "), "0123456");
    EXPECT_EQ(UpPos("ann", "Joanna"), 3);
    EXPECT_EQ(UpPos("", "Joanna"), 0);
    // Only a..z fold: bytes outside ASCII keep their value.
    EXPECT_EQ(UpPos("\xc3\xa4nne", "\xc3\x84nne"), 0);
    EXPECT_EQ(UpPos("joanna!", "Joanna"), 0);
}

TEST(Dates, WeekdayListItemsStartOnTheWeekStart)
{
    // 2004-01-05 is a Monday.
    EXPECT_EQ(WeekdayListItem(D(2004, 1, 5), 0), 1);
    EXPECT_EQ(WeekdayListItem(D(2004, 1, 4), 1), 6);  // Sunday is last when weeks start on Monday
    EXPECT_EQ(WeekdayListItem(D(2004, 1, 10), 6), 0);  // Saturday start
}

TEST(Dates, IsoDatesParseStrictly)
{
    Date d;
    EXPECT_TRUE(ParseIsoDate("2004-02-29", d));
    EXPECT_EQ(d, D(2004, 2, 29));
    EXPECT_FALSE(ParseIsoDate("2004-2-29", d));
    EXPECT_FALSE(ParseIsoDate("20040229xx", d));
    EXPECT_EQ(IsoDate(D(5, 1, 2)), "0005-01-02");
}
