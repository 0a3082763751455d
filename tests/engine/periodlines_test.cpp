// The line count of a periodical search is what the search then lists.
#include <gtest/gtest.h>

#include "builders.h"
#include "engine/periodlines.h"

using namespace orv;
using orv::test::D;

namespace {

TEST(PeriodLines, CountsWhatTheSearchLists)
{
    RecordStore store;
    store.editAddresses() = {orv::test::Person("Leap", "Day", 29, 2), orv::test::Person("Ann", "Smith", 13, 3, 1990),
                             orv::test::Person("No", "Birthday", 0, 0)};
    store.editCalendar() = {orv::test::Event("A", D(2004, 2, 29)), orv::test::Event("B", D(2004, 3, 1), 2),
                            orv::test::Event("C", D(2010, 1, 1))};
    const EventFinder finder(store);
    struct Case {
        TypedDate from, to;
        bool birthdays, hints;
    } cases[] = {
        {{2004, 2, 28}, {2004, 3, 1}, true, true},
        {{2000, 1, 1}, {2012, 12, 31}, true, false},
        {{2000, 1, 1}, {2012, 12, 31}, false, true},
        {{2004, 3, 1}, {2004, 2, 1}, true, true},  // from after to: the from-date alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodicalLineCount(finder, c.from, c.to, c.birthdays, c.hints),
                  PeriodicalSearch(finder, c.from, c.to, c.birthdays, c.hints).rows.size());
    EXPECT_EQ(PeriodicalLineCount(finder, {2003, 2, 29}, {2004, 1, 1}, true, true), 0u);
}

}  // namespace
