// The month grid: its layout under Sunday, Monday and Saturday week starts,
// the grey days, selecting them, and stepping with the day pulled back.
#include <gtest/gtest.h>

#include <string>

#include "builders.h"
#include "engine/monthgrid.h"

using namespace orv;
using orv::test::D;

namespace {

std::string Row(const MonthLayout& layout, int row)
{
    std::string text;
    for (int c = 0; c < 7; ++c) {
        if (c) text += ' ';
        text += std::to_string(layout.DayAt({c, row}));
    }
    return text;
}

struct LayoutCase {
    const char* name;
    int year, month, start;
    const char* firstRow;
    const char* lastRow;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class MonthLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MonthLayoutTest, FillsSixWeekRowsFromTheWeekStart)
{
    const LayoutCase& c = GetParam();
    const MonthLayout layout(c.year, c.month, c.start);
    EXPECT_EQ(Row(layout, 1), c.firstRow);
    EXPECT_EQ(Row(layout, 6), c.lastRow);
}

INSTANTIATE_TEST_SUITE_P(
    WeekStarts, MonthLayoutTest,
    ::testing::Values(
        // February 2021 starts on a Monday: no grey day before it, two grey weeks of March after it.
        LayoutCase{"monday_february_2021", 2021, 2, 1, "1 2 3 4 5 6 7", "8 9 10 11 12 13 14"},
        // May 2021 starts on a Saturday: the last column, six days of April before it.
        LayoutCase{"sunday_may_2021", 2021, 5, 0, "25 26 27 28 29 30 1", "30 31 1 2 3 4 5"},
        LayoutCase{"saturday_may_2021", 2021, 5, 6, "1 2 3 4 5 6 7", "5 6 7 8 9 10 11"},
        // The leap day.
        LayoutCase{"sunday_february_2024", 2024, 2, 0, "28 29 30 31 1 2 3", "3 4 5 6 7 8 9"}),
    [](const ::testing::TestParamInfo<LayoutCase>& row) { return std::string(row.param.name); });

// The drawing and clicking rules of the grid decide "grey" and "which month"
// from the number and the row alone; the positions must agree with them in
// every layout.
TEST(MonthLayout, GreyDaysAreExactlyThoseTheRowRulesName)
{
    for (int start : {0, 1, 6})
        for (int year = 2000; year <= 2028; ++year)
            for (int month = 1; month <= 12; ++month) {
                const MonthLayout layout(year, month, start);
                for (int row = 1; row <= 6; ++row)
                    for (int column = 0; column < 7; ++column) {
                        const int day = layout.DayAt({column, row});
                        const bool ruleGrey = row <= 3 ? day >= 22 : day < 16;
                        ASSERT_EQ(layout.IsGrey({column, row}), ruleGrey) << year << "-" << month << " start " << start;
                        const Date real = layout.DateAt({column, row});
                        const int expectedMonth = row == 1 && day > 8   ? PrevMonth(month)
                                                  : row >= 5 && day < 15 ? NextMonth(month)
                                                                         : month;
                        ASSERT_EQ(real.Month, expectedMonth) << year << "-" << month << " cell " << column << "," << row;
                        ASSERT_EQ(real.Day, day);
                    }
            }
}

TEST(MonthGrid, AClickOnAGreyDaySelectsItsDateWithoutTurningTheGridAndSteppingStartsThere)
{
    MonthGrid grid;
    grid.SetXDate(D(2024, 3, 13));  // March 2024 starts on a Friday: 25..29 February before it
    EXPECT_FALSE(grid.Click({3, 0}));  // the header row cannot be selected
    EXPECT_EQ(grid.XDate(), D(2024, 3, 13));
    ASSERT_EQ(grid.layout().DayAt({2, 1}), 27);
    EXPECT_TRUE(grid.Click({2, 1}));
    EXPECT_EQ(grid.XDay(), 27);
    EXPECT_EQ(grid.XGrayMonth(), 2);
    EXPECT_EQ(grid.XGrayYear(), 2024);
    EXPECT_EQ(grid.XMonth(), 3);
    EXPECT_EQ(grid.XDate(), D(2024, 2, 27));
    // Changing the week start keeps the selected date.
    for (int start : {1, 6, 0}) {
        grid.SetXStartOfWeek(start);
        EXPECT_EQ(grid.XDate(), D(2024, 2, 27)) << start;
        EXPECT_EQ(grid.layout().DateAt(grid.current()), D(2024, 2, 27)) << start;
    }

    grid.DblClick();
    EXPECT_EQ(grid.XMonth(), 2);
    EXPECT_EQ(grid.XDate(), D(2024, 2, 27));
    EXPECT_FALSE(grid.layout().IsGrey(grid.current()));

    // Stepping from a grey day starts at its own date.
    grid.SetXDate(D(2024, 3, 13));
    grid.Click({2, 1});  // 27 February
    grid.NextMonth();
    EXPECT_EQ(grid.XDate(), D(2024, 3, 27));
    // A date that does not exist leaves the selection (a day the month lacks:
    // the month menu's row below).
    EXPECT_FALSE(grid.GoToDate(2004, 13, 1));
    EXPECT_FALSE(grid.SetXDate(D(2003, 2, 29)));
    EXPECT_EQ(grid.XDate(), D(2024, 3, 27));
}

TEST(MonthGrid, SteppingPullsTheDayBackAndShowsTheMonthItArrivesIn)
{
    enum Step { NextDay, PrevDay, NextMonth, PrevMonth, NextYear, MenuMonthFeb, MenuYear2023 };
    struct Case {
        const char* name;
        Date from;
        Step step;
        Date to;
    } cases[] = {
        {"next month from 31 January, leap year", D(2004, 1, 31), NextMonth, D(2004, 2, 29)},
        {"previous month from 31 March", D(2004, 3, 31), PrevMonth, D(2004, 2, 29)},
        {"next year from 29 February", D(2004, 2, 29), NextYear, D(2005, 2, 28)},
        {"next day onto the grey 1st", D(2021, 2, 28), NextDay, D(2021, 3, 1)},
        {"next day at the year's end", D(2004, 12, 31), NextDay, D(2005, 1, 1)},
        {"month menu on a day February lacks", D(2023, 1, 31), MenuMonthFeb, D(2023, 2, 28)},
        {"year menu from 29 February", D(2024, 2, 29), MenuYear2023, D(2023, 2, 28)},
        {"no step before the first year", D(1, 1, 1), PrevDay, D(1, 1, 1)},
        {"no step after the last year", D(9999, 12, 31), NextMonth, D(9999, 12, 31)},
    };
    for (const Case& c : cases) {
        MonthGrid grid;
        grid.SetXStartOfWeek(1);
        ASSERT_TRUE(grid.SetXDate(c.from)) << c.name;
        switch (c.step) {
        case NextDay: grid.NextDay(); break;
        case PrevDay: grid.PrevDay(); break;
        case NextMonth: grid.NextMonth(); break;
        case PrevMonth: grid.PrevMonth(); break;
        case NextYear: grid.NextYear(); break;
        case MenuMonthFeb: grid.SetXMonth(2); break;
        case MenuYear2023: grid.SetXYear(2023); break;
        }
        EXPECT_EQ(grid.XDate(), c.to) << c.name;
        // The grid shows the month of the date it reports, with that day selected.
        EXPECT_EQ(grid.XMonth(), c.to.Month) << c.name;
        EXPECT_EQ(grid.layout().DateAt(grid.current()), c.to) << c.name;
    }
}

}  // namespace
