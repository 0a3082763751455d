// The line count of a periodical search is what the search then lists.
#include <gtest/gtest.h>

#include "builders.h"
#include "engine/periodlines.h"

using namespace orv;
using orv::test::D;
using Strings = std::vector<std::string>;

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
        {{2097, 3, 1}, {2104, 3, 1}, true, false},  // the only 29 February (2100 is none) at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodicalLineCount(finder, c.from, c.to, c.birthdays, c.hints),
                  PeriodicalSearch(finder, c.from, c.to, c.birthdays, c.hints).rows.size());
    EXPECT_EQ(PeriodicalLineCount(finder, {2003, 2, 29}, {2004, 1, 1}, true, true), 0u);
}

// Lines as given to the builder, in any order, come out by day, each day's
// birthdays before its events and both in the order given; a row found by
// its number is the row listed in order.
TEST(PeriodLines, ByDayInTheOrderGivenWhereverARowIsLookedUp)
{
    const std::int32_t first = DayNumber(D(2023, 12, 30));
    PeriodicalBuilder b(first, first + 4, DateSettings{});
    b.Event(first + 3, 7, 0, "late");
    b.Person(1, 1, 5, "Bo", "Berg");
    b.Event(first, 8, 2, "first");
    b.Person(12, 31, 2, "Cy", "Carr");
    b.Event(first + 3, 6, 1, "later, given first");
    b.Person(1, 1, 1, "Al", "Ash");
    b.Event(first + 9, 9, 1, "past the end");
    b.Person(6, 1, 3, "Di", "Dunn");  // a day the period does not meet
    const PeriodicalLines lines = b.Finish();
    const Strings inOrder{"L|30/12 - first|8",   "B|31/12 - Cy Carr|2", "B|1/1 - Bo Berg|5",
                          "B|1/1 - Al Ash|1",    "H|2/1 - late|7",      "N|2/1 - later, given first|6"};
    Strings byRow;
    for (std::size_t r = 0; r < lines.size(); ++r)
        byRow.push_back(std::string(1, lines.kind(r)) + "|" + lines.text(r) + "|" + std::to_string(lines.index(r)));
    EXPECT_EQ(byRow, inOrder);
    Strings listed;
    for (const Occurrence& o : lines.ToTable()) listed.push_back(std::string(1, o.Kind) + "|" + o.Text + "|" + std::to_string(o.SourceIndex));
    EXPECT_EQ(listed, inOrder);
}

}  // namespace
