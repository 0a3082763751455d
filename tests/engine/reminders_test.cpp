// The desktop reminder's days and lines.
#include <gtest/gtest.h>

#include "builders.h"
#include "engine/reminders.h"

using namespace orv;
using namespace orv::test;

namespace {

using Strings = std::vector<std::string>;

struct StartCase {
    const char* name;
    std::optional<Date> lastSeen;
    Date today;
    Date first;
};

class ReminderStartTest : public testing::TestWithParam<StartCase> {};

}  // namespace

TEST_P(ReminderStartTest, CoversTheDaysSinceTheLastLook)
{
    EXPECT_EQ(ReminderStart(GetParam().lastSeen, GetParam().today), GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(
    Days, ReminderStartTest,
    testing::Values(StartCase{"NeverSeen", std::nullopt, D(2024, 2, 28), D(2024, 2, 28)},
                    StartCase{"SeenToday", D(2024, 2, 28), D(2024, 2, 28), D(2024, 2, 28)},
                    StartCase{"SeenYesterday", D(2024, 2, 27), D(2024, 2, 28), D(2024, 2, 28)},
                    StartCase{"ClockWentBack", D(2024, 3, 1), D(2024, 2, 28), D(2024, 2, 28)},
                    StartCase{"AMonthExactly", D(2024, 1, 28), D(2024, 2, 28), D(2024, 1, 29)},
                    StartCase{"YearsAgoReachesBackAMonth", D(2020, 5, 1), D(2024, 3, 31), D(2024, 3, 1)}),
    [](const testing::TestParamInfo<StartCase>& row) { return std::string(row.param.name); });

class ReminderTest : public testing::Test {
protected:
    RecordStore store;
    EventFinder finder{store};
};

TEST_F(ReminderTest, OneDayListsHighPriorityEventsAndBirthdaysOnly)
{
    const Date today = D(2024, 2, 28);
    store.editAddresses() = {Person("Ann", "Smith", 28, 2, 1990), Person("Bob", "Jones", 29, 2)};
    store.editCalendar() = {Event("Yesterday's", D(2024, 2, 27), 0), Event("Dentist", today, 0),
                            Event("Haircut", today, 1),           Event("Low thing", today, 2),
                            Event("Odd", today, 7),                Event("Tomorrow's", D(2024, 2, 29), 0)};
    store.editWeekly() = {Weekly("Choir", DayOfWeek(today))};
    store.editAnnual() = {Annual("Parade", 2, 28)};
    const Reminder r = BuildReminder(finder, today, today);
    EXPECT_EQ(r.summary, "Today's events");
    EXPECT_EQ(r.lines, (Strings{"H - Dentist", "B - Ann Smith  -  34"}));
}

TEST_F(ReminderTest, SeveralDaysSayWhenTheyBeganDateEachLineAndCountWhatDoesNotFit)
{
    store.editAddresses() = {Person("Bob", "Jones", 26, 2, 1980)};
    store.editCalendar() = {Event("Vet", D(2024, 2, 27), 0), Event("Haircut", D(2024, 2, 27), 1),
                            Event("Dentist", D(2024, 2, 28), 0)};
    Reminder r = BuildReminder(finder, D(2024, 2, 26), D(2024, 2, 28));
    EXPECT_EQ(r.summary, "Events since Monday 26/2-2024");
    EXPECT_EQ(r.lines, (Strings{"B - 26/2 - Bob Jones  -  44", "H - 27/2 - Vet", "H - 28/2 - Dentist"}));

    finder.Settings.MonthFirst = true;
    r = BuildReminder(finder, D(2024, 2, 26), D(2024, 2, 28));
    EXPECT_EQ(r.summary, "Events since Monday 2.26.2024");
    EXPECT_EQ(r.lines.front(), "B - 2.26 - Bob Jones  -  44");

    // Too many lines keep the latest and count the rest.
    finder.Settings.MonthFirst = false;
    EXPECT_EQ(BuildReminder(finder, D(2024, 2, 26), D(2024, 2, 28), 2).lines,
              (Strings{"(2 earlier events)", "H - 28/2 - Dentist"}));
    EXPECT_EQ(BuildReminder(finder, D(2024, 2, 26), D(2024, 2, 28), 3).lines.size(), 3u);
}
