#include <gtest/gtest.h>

#include "builders.h"
#include "engine/eventfinder.h"

using namespace orv;
using namespace orv::test;

namespace {

std::vector<std::string> Texts(const OccurrenceTable& t)
{
    std::vector<std::string> out;
    for (const auto& o : t) out.push_back(std::string(1, o.Kind) + ":" + o.Text + "#" + std::to_string(o.SourceIndex));
    return out;
}

using Strings = std::vector<std::string>;

}  // namespace

class Finder : public testing::Test {
protected:
    RecordStore store;
    EventFinder finder{store};
};

TEST_F(Finder, BirthdaysCarryTheAgeReachedThatYear)
{
    store.editAddresses() = {Person("Anna", "Berg", 24, 12, 1970), Person("Bo", "Lind", 24, 12), Person("Cy", "Ek", 25, 12, 1970)};
    OccurrenceTable t;
    finder.FindBirthday(D(2004, 12, 24), {}, Age::Shown, t);
    EXPECT_EQ(Texts(t), (Strings{"B:Anna Berg  -  34#0", "B:Bo Lind#1"}));
    t.clear();
    finder.FindBirthday(D(2004, 12, 24), {}, Age::Hidden, t);
    EXPECT_EQ(Texts(t), (Strings{"B:Anna Berg#0", "B:Bo Lind#1"}));
}

TEST_F(Finder, LeapDayBirthdaysOccurOnlyInLeapYearsAndNoBirthdayNeverOccurs)
{
    store.editAddresses() = {Person("Leap", "Day", 29, 2, 1980), Person("No", "Date", 0, 0)};
    OccurrenceTable t;
    finder.FindBirthday(D(2004, 2, 29), {}, Age::Shown, t);
    EXPECT_EQ(t.size(), 1u);
    t.clear();
    for (Date d = D(2005, 1, 1); d.Year == 2005; d = NextDate(d)) finder.FindBirthday(d, {}, Age::Shown, t);
    EXPECT_TRUE(t.empty());
}

TEST_F(Finder, ShortDatePrefixAndDaysColumn)
{
    store.editAddresses() = {Person("Anna", "Berg", 24, 12)};
    OccurrenceTable t;
    finder.FindBirthday(D(2004, 12, 24), FindArgs{5, true, true}, Age::Shown, t);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, "24/12 - Anna Berg");
    EXPECT_EQ(t[0].DaysUntil, 5);
    finder.Settings.MonthFirst = true;
    t.clear();
    finder.FindBirthday(D(2004, 12, 24), FindArgs{5, true, false}, Age::Shown, t);
    EXPECT_EQ(t[0].Text, "12.24 - Anna Berg");
    EXPECT_EQ(t[0].DaysUntil, Occurrence::NoDays);
}

TEST_F(Finder, PriorityLevelsFilterCalendarEvents)
{
    const Date day = D(2004, 5, 3);
    store.editCalendar() = {Event("high", day, 0), Event("normal", day, 1), Event("low", day, 2), Event("other day", D(2004, 5, 4), 0)};
    OccurrenceTable t;
    finder.FindEvent(day, {}, EventOptions{.priorities = Priorities::High}, t);
    EXPECT_EQ(Texts(t), (Strings{"H:high#0"}));
    EXPECT_EQ(finder.HighPriorityCount(day), 1);
    t.clear();
    finder.FindEvent(day, {}, EventOptions{.priorities = Priorities::HighAndNormal}, t);
    EXPECT_EQ(Texts(t), (Strings{"H:high#0", "N:normal#1"}));
    t.clear();
    finder.FindEvent(day, {}, EventOptions{.longDate = true}, t);
    EXPECT_EQ(Texts(t), (Strings{"H:3/5-2004 - high#0", "N:3/5-2004 - normal#1", "L:3/5-2004 - low#2"}));
}

TEST_F(Finder, EveryOccurrenceGetsItsRowEvenWithAnEmptyText)
{
    const Date day = D(2004, 5, 3);
    store.editCalendar() = {Event("", day), Event("", day)};
    OccurrenceTable t;
    finder.FindEvent(day, {}, EventOptions{}, t);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].SourceIndex, 0);
    EXPECT_EQ(t[1].SourceIndex, 1);
}

TEST_F(Finder, WeeklyEventsFollowWeekListsAndSkipTheSeventhDay)
{
    // 2004-01-05 is a Monday in week 1 (Monday start, first full week).
    store.editWeekly() = {Weekly("always", 2), Weekly("odd", 2, "1,3"), Weekly("even", 2, "2,4"), Weekly("junk", 2, "x"),
                          Weekly("tuesday", 3)};
    OccurrenceTable t;
    finder.FindRecurrent(D(2004, 1, 5), {}, RecurrentKinds{}, t);
    EXPECT_EQ(Texts(t), (Strings{"W:always#0", "W:odd#1", "W:junk#3"}));
    t.clear();
    finder.FindRecurrent(D(2004, 1, 5), FindArgs{7, false, true}, RecurrentKinds{}, t);
    EXPECT_TRUE(t.empty());
    finder.FindRecurrent(D(2004, 1, 5), FindArgs{14, false, true}, RecurrentKinds{}, t);
    EXPECT_EQ(t.size(), 3u);
}

TEST_F(Finder, WeekZeroAndWeek53Lists)
{
    store.editWeekly() = {Weekly("opening week", 5, "0"), Weekly("week 53", 4, "53")};
    OccurrenceTable t;
    finder.FindRecurrent(D(2004, 1, 1), {}, RecurrentKinds{.monthly = false, .annual = false}, t);  // Thursday of week 0
    EXPECT_EQ(Texts(t), (Strings{"W:opening week#0"}));
    t.clear();
    finder.Settings.FirstWeek = 1;  // the same day is week 1 under the 4-day rule
    finder.FindRecurrent(D(2004, 1, 1), {}, RecurrentKinds{.monthly = false, .annual = false}, t);
    EXPECT_TRUE(t.empty());
    finder.FindRecurrent(D(2003, 12, 31), {}, RecurrentKinds{.monthly = false, .annual = false}, t);  // Wednesday of week 53
    EXPECT_EQ(Texts(t), (Strings{"W:week 53#1"}));
}

struct MonthlyRow {
    const char* name;
    Date date;
    const char* text;
};

class MonthlyCounting : public testing::TestWithParam<MonthlyRow> {};

TEST_P(MonthlyCounting, CountsMonthsAndWholeYearsSinceTheStart)
{
    RecordStore store;
    store.editMonthly() = {Monthly("Rent", GetParam().date.Day, "3", "2002")};
    EventFinder finder(store);
    OccurrenceTable t;
    finder.FindRecurrent(GetParam().date, {}, RecurrentKinds{.weekly = false, .annual = false}, t);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, MonthlyCounting,
                         testing::Values(MonthlyRow{"months", D(2004, 5, 15), "Rent  26"},
                                         MonthlyRow{"two_years", D(2004, 3, 15), "Rent  2 Years"},
                                         MonthlyRow{"one_year", D(2003, 3, 15), "Rent  1 Year"},
                                         MonthlyRow{"start", D(2002, 3, 15), "Rent  0 Year"},
                                         MonthlyRow{"before_start", D(2001, 10, 15), "Rent  -5"},
                                         MonthlyRow{"year_before", D(2001, 3, 15), "Rent  -1 Year"},
                                         // The plural is by the size of the count, before the start as well.
                                         MonthlyRow{"two_years_before", D(2000, 3, 15), "Rent  -2 Years"}),
                         [](const testing::TestParamInfo<MonthlyRow>& p) { return std::string(p.param.name); });

TEST_F(Finder, MonthlyEventsWithoutCountingOrOnDaysTheMonthLacks)
{
    store.editMonthly() = {Monthly("no count", 31), Monthly("zero month", 29, "0", "2002"), Monthly("junk", 29, "x", "2002")};
    OccurrenceTable t;
    finder.FindRecurrent(D(2004, 4, 30), {}, RecurrentKinds{.weekly = false, .annual = false}, t);
    EXPECT_TRUE(t.empty());
    finder.FindRecurrent(D(2004, 1, 31), {}, RecurrentKinds{.weekly = false, .annual = false}, t);
    EXPECT_EQ(Texts(t), (Strings{"M:no count#0"}));
    t.clear();
    finder.FindRecurrent(D(2003, 2, 28), {}, RecurrentKinds{.weekly = false, .annual = false}, t);
    EXPECT_TRUE(t.empty());
    finder.FindRecurrent(D(2004, 2, 29), {}, RecurrentKinds{.weekly = false, .annual = false}, t);
    EXPECT_EQ(Texts(t), (Strings{"M:zero month#1", "M:junk#2"}));
}

TEST_F(Finder, AnnualEventsCountYearsSinceTheFirst)
{
    store.editAnnual() = {Annual("Wedding", 6, 1, "1979"), Annual("Plain", 6, 1), Annual("Zero", 6, 1, "0")};
    OccurrenceTable t;
    finder.FindRecurrent(D(2004, 6, 1), {}, RecurrentKinds{.weekly = false, .monthly = false}, t);
    EXPECT_EQ(Texts(t), (Strings{"Y:Wedding - 25#0", "Y:Plain#1", "Y:Zero - 2004#2"}));
}

TEST_F(Finder, RecurrentKindsComeWeeklyThenMonthlyThenAnnual)
{
    store.editAnnual() = {Annual("year", 1, 5)};
    store.editMonthly() = {Monthly("month", 5)};
    store.editWeekly() = {Weekly("week", 2)};
    OccurrenceTable t;
    finder.FindRecurrent(D(2004, 1, 5), {}, RecurrentKinds{}, t);
    EXPECT_EQ(Texts(t), (Strings{"W:week#0", "M:month#0", "Y:year#0"}));
}

TEST_F(Finder, AdvancedEventsByOrdinalFromStartOrEnd)
{
    store.editAdvanced() = {Advanced("last Monday Feb", true, 1, "Febuary", "Monday"),
                            Advanced("first Sunday Jan", false, 1, "January", "Sunday"),
                            Advanced("spelt right", true, 1, "February", "Monday"),
                            Advanced("second to last Sunday Nov", true, 2, "November", "Sunday")};
    OccurrenceTable t;
    finder.FindRecAvd(D(2004, 2, 23), {}, t);
    EXPECT_EQ(Texts(t), (Strings{"A:last Monday Feb#0"}));
    t.clear();
    finder.FindRecAvd(D(2004, 2, 16), {}, t);
    EXPECT_TRUE(t.empty());
    finder.FindRecAvd(D(2005, 1, 2), {}, t);
    EXPECT_EQ(Texts(t), (Strings{"A:first Sunday Jan#1"}));
    t.clear();
    finder.FindRecAvd(D(2004, 11, 21), {}, t);
    EXPECT_EQ(Texts(t), (Strings{"A:second to last Sunday Nov#3"}));
    EXPECT_EQ(finder.OpenRecAvd(D(2004, 11, 21)), 3);
    EXPECT_EQ(finder.OpenRecAvd(D(2004, 11, 22)), std::nullopt);
}

TEST_F(Finder, AFifthWeekdayExistsOnlyInSomeMonths)
{
    store.editAdvanced() = {Advanced("fifth Friday", false, 5, "January", "Friday"),
                            Advanced("fifth to last Thursday", true, 5, "January", "Thursday")};
    OccurrenceTable t;
    for (Date d = D(2004, 1, 1); d.Month == 1; d = NextDate(d)) finder.FindRecAvd(d, {}, t);
    EXPECT_EQ(Texts(t), (Strings{"A:fifth to last Thursday#1", "A:fifth Friday#0"}));  // 1 and 30 January 2004
    t.clear();
    for (Date d = D(2005, 1, 1); d.Month == 1; d = NextDate(d)) finder.FindRecAvd(d, {}, t);
    EXPECT_TRUE(t.empty());
}

TEST_F(Finder, IndexesFollowEveryChangeOfTheLists)
{
    store.editAddresses() = {Person("Anna", "Berg", 24, 12)};
    OccurrenceTable t;
    finder.FindBirthday(D(2004, 12, 24), {}, Age::Shown, t);
    EXPECT_EQ(t.size(), 1u);
    store.editAddresses()[0] = Person("Anna", "Berg", 25, 12);
    t.clear();
    finder.FindBirthday(D(2004, 12, 24), {}, Age::Shown, t);
    EXPECT_TRUE(t.empty());
    store.editCalendar().push_back(Event("new", D(2004, 12, 24)));
    finder.FindEvent(D(2004, 12, 24), {}, EventOptions{}, t);
    EXPECT_EQ(t.size(), 1u);
    store.editCalendar().clear();
    t.clear();
    finder.FindEvent(D(2004, 12, 24), {}, EventOptions{}, t);
    EXPECT_TRUE(t.empty());
}

TEST_F(Finder, CalendarEventsKeepListOrderWhenTheListIsNotSorted)
{
    const Date day = D(2004, 5, 3);
    store.editCalendar() = {Event("late", D(2009, 1, 1)), Event("first", day), Event("early", D(1999, 1, 1)), Event("second", day)};
    OccurrenceTable t;
    finder.FindEvent(day, {}, EventOptions{}, t);
    EXPECT_EQ(Texts(t), (Strings{"N:first#1", "N:second#3"}));
}
