#include <gtest/gtest.h>

#include "builders.h"
#include "engine/eventfinder.h"

using namespace orv;
using namespace orv::test;

namespace {

using Strings = std::vector<std::string>;

// "kind:text#source", and "+days" where the table shows the days column.
Strings Texts(const OccurrenceTable& t)
{
    Strings out;
    for (const auto& o : t)
        out.push_back(std::string(1, o.Kind) + ":" + o.Text + "#" + std::to_string(o.SourceIndex) +
                      (o.DaysUntil == Occurrence::NoDays ? "" : "+" + std::to_string(o.DaysUntil)));
    return out;
}

const Date Day = D(2004, 5, 3);

// Records of every kind, each placed to meet one rule; the calendar is left
// out of date order on purpose.
class Finder : public testing::Test {
protected:
    Finder()
    {
        store.editAddresses() = {Person("Anna", "Berg", 24, 12, 1970), Person("Bo", "Lind", 24, 12),
                                 Person("Cy", "Ek", 25, 12, 1970), Person("Leap", "Day", 29, 2, 1980),
                                 Person("No", "Date", 0, 0)};
        store.editCalendar() = {Event("late", D(2009, 1, 1)), Event("high", Day, 0), Event("early", D(1999, 1, 1)),
                                Event("normal", Day, 1),      Event("low", Day, 2),
                                Event("other day", D(2004, 5, 4), 0)};
        store.editWeekly() = {Weekly("always", 2),    Weekly("odd", 2, "1,3"), Weekly("even", 2, "2,4"),
                              Weekly("junk", 2, "x"), Weekly("tuesday", 3),    Weekly("opening week", 5, "0")};
        store.editMonthly() = {Monthly("Rent", 15, "3", "2002"), Monthly("zero month", 29, "0", "2002"),
                               Monthly("junk", 29, "x", "2002")};
        store.editAnnual() = {Annual("Zero", 6, 1, "0")};
        store.editAdvanced() = {Advanced("last Monday Feb", true, 1, "Febuary", "Monday"),
                                Advanced("first Sunday Jan", false, 1, "January", "Sunday"),
                                Advanced("spelt right", true, 1, "February", "Monday"),
                                Advanced("second to last Sunday Nov", true, 2, "November", "Sunday"),
                                Advanced("fifth Friday", false, 5, "January", "Friday"),
                                Advanced("fifth to last Thursday", true, 5, "January", "Thursday")};
    }

    RecordStore store;
    EventFinder finder{store};
};

enum class Ask { LongDate, Weekly, Monthly, Annual, Advanced };

struct FindCase {
    const char* name;
    Date date;
    Ask ask;
    Strings expected;
    FindArgs args = {};
    int firstWeek = 0;  // Monday start, first full week
};

class FindTest : public Finder, public testing::WithParamInterface<FindCase> {};

TEST_P(FindTest, ListsWhatOccursOnTheDate)
{
    const FindCase& c = GetParam();
    finder.Settings.FirstWeek = c.firstWeek;
    OccurrenceTable t;
    switch (c.ask) {
    case Ask::LongDate: finder.FindEvent(c.date, c.args, EventOptions{.longDate = true}, t); break;
    case Ask::Weekly: finder.FindRecurrent(c.date, c.args, RecurrentKinds{.monthly = false, .annual = false}, t); break;
    case Ask::Monthly: finder.FindRecurrent(c.date, c.args, RecurrentKinds{.weekly = false, .annual = false}, t); break;
    case Ask::Annual: finder.FindRecurrent(c.date, c.args, RecurrentKinds{.weekly = false, .monthly = false}, t); break;
    case Ask::Advanced: finder.FindRecAvd(c.date, c.args, t); break;
    }
    EXPECT_EQ(Texts(t), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FindTest,
    testing::Values(
        // Birthdays, priorities, short dates and the days column are the orv-cli
        // golden cases' (day, overview, period); a long date replaces the short one.
        FindCase{"LongDate", D(2004, 5, 4), Ask::LongDate, {"H:4/5-2004 - other day#5"}},
        // Weekly events follow week lists (2004-01-05 is a Monday in week 1,
        // a list that cannot be read means every week) and skip the seventh
        // day ahead, not the fourteenth.
        FindCase{"FourteenthDayShown", D(2004, 1, 5), Ask::Weekly, {"W:always#0+14", "W:odd#1+14", "W:junk#3+14"},
                 {14, false, true}},
        FindCase{"WeekZero", D(2004, 1, 1), Ask::Weekly, {"W:opening week#5"}},
        FindCase{"NoWeekZeroUnderTheFourDayRule", D(2004, 1, 1), Ask::Weekly, {}, {}, 1},
        // Monthly events count months and whole years since their start; the
        // plural is by the size of the count, before the start as well.
        FindCase{"Months", D(2004, 5, 15), Ask::Monthly, {"M:Rent  26#0"}},
        FindCase{"OneYear", D(2003, 3, 15), Ask::Monthly, {"M:Rent  1 Year#0"}},
        FindCase{"YearBefore", D(2001, 3, 15), Ask::Monthly, {"M:Rent  -1 Year#0"}},
        FindCase{"UncountedMonths", D(2004, 2, 29), Ask::Monthly, {"M:zero month#1", "M:junk#2"}},
        // An annual event whose first year is 0 counts from year 0.
        FindCase{"AnnualFromYearZero", D(2004, 6, 1), Ask::Annual, {"Y:Zero - 2004#0"}},
        // Advanced events by ordinal from the start or the end of the month,
        // the month spelt as the data files spell it.
        FindCase{"LastMonday", D(2004, 2, 23), Ask::Advanced, {"A:last Monday Feb#0"}},
        FindCase{"NotTheLastMonday", D(2004, 2, 16), Ask::Advanced, {}},
        FindCase{"SecondToLastSunday", D(2004, 11, 21), Ask::Advanced, {"A:second to last Sunday Nov#3"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Finder, CountsAndOpensWhatTheListsShow)
{
    EXPECT_EQ(finder.HighPriorityCount(Day), 1);
    EXPECT_EQ(finder.OpenRecAvd(D(2004, 11, 21)), 3);
    EXPECT_EQ(finder.OpenRecAvd(D(2004, 11, 22)), std::nullopt);
    // A leap-day birthday never occurs in a common year; no birthday never occurs.
    OccurrenceTable t;
    for (Date d = D(2005, 1, 1); d.Year == 2005; d = NextDate(d)) finder.FindBirthday(d, {}, Age::Shown, t);
    EXPECT_EQ(Texts(t), (Strings{"B:Anna Berg  -  35#0", "B:Bo Lind#1", "B:Cy Ek  -  35#2"}));
}

TEST_F(Finder, AFifthWeekdayExistsOnlyInSomeMonths)
{
    OccurrenceTable t;
    for (Date d = D(2004, 1, 1); d.Month == 1; d = NextDate(d)) finder.FindRecAvd(d, {}, t);
    // 1, 4 and 30 January 2004.
    EXPECT_EQ(Texts(t), (Strings{"A:fifth to last Thursday#5", "A:first Sunday Jan#1", "A:fifth Friday#4"}));
    t.clear();
    for (Date d = D(2005, 1, 1); d.Month == 1; d = NextDate(d)) finder.FindRecAvd(d, {}, t);
    EXPECT_EQ(Texts(t), (Strings{"A:first Sunday Jan#1"}));
}

TEST_F(Finder, IndexesFollowEveryChangeOfTheLists)
{
    OccurrenceTable t;
    store.editAddresses()[0] = Person("Anna", "Berg", 25, 12);
    finder.FindBirthday(D(2004, 12, 24), {}, Age::Shown, t);
    EXPECT_EQ(Texts(t), (Strings{"B:Bo Lind#1"}));
    t.clear();
    store.editCalendar().push_back(Event("new", D(2004, 12, 24)));
    finder.FindEvent(D(2004, 12, 24), {}, EventOptions{}, t);
    EXPECT_EQ(Texts(t), (Strings{"N:new#6"}));
    store.editCalendar().clear();
    t.clear();
    finder.FindEvent(D(2004, 12, 24), {}, EventOptions{}, t);
    EXPECT_TRUE(t.empty());
}

}  // namespace
