#include <gtest/gtest.h>

#include "builders.h"
#include "engine/dayviews.h"
#include "engine/overview.h"
#include "engine/peoplesearch.h"
#include "engine/periodical.h"

using namespace orv;
using namespace orv::test;

namespace {
using Strings = std::vector<std::string>;

Strings Rows(const OccurrenceTable& t)
{
    Strings out;
    for (const auto& o : t)
        out.push_back((o.DaysUntil == Occurrence::NoDays ? std::string(" ") : std::to_string(o.DaysUntil)) + "|" +
                      std::string(1, o.Kind) + "|" + o.Text + "|" + std::to_string(o.SourceIndex));
    return out;
}

TypedDate Typed(int y, int m, int d) { return TypedDate{y, m, d}; }
}  // namespace

class Views : public testing::Test {
protected:
    RecordStore store;
    EventFinder finder{store};
    std::vector<std::string> top{"call mum"}, everyDay{"walk"}, bottom{"tax return"};
    OverviewTodos todos{&top, &everyDay, &bottom};
};

TEST_F(Views, OverviewOrdersByDayThenSourceAndPutsToDosLast)
{
    const Date today = D(2004, 12, 22);  // a Wednesday
    store.editAddresses() = {Person("Anna", "Berg", 24, 12, 1970), Person("Tom", "Today", 22, 12)};
    store.editCalendar() = {Event("Dentist", today, 0), Event("Low", today, 2), Event("Party", D(2004, 12, 23))};
    store.editWeekly() = {Weekly("Choir", 4)};
    store.editAnnual() = {Annual("Christmas", 12, 24)};
    OverviewSettings settings;
    settings.WeeklyAllDays = true;
    const Overview o = BuildOverview(finder, today, settings, todos);
    EXPECT_EQ(Rows(o.Today), (Strings{" |H|Dentist|0", " |B|Tom Today|1", " |W|Choir|0", " |T|call mum|-1", " |E|walk|-1"}));
    EXPECT_EQ(Rows(o.Tomorrow), (Strings{" |N|Party|2"}));
    EXPECT_EQ(Rows(o.Next), (Strings{"2|B|Anna Berg  -  34|0", "2|Y|Christmas|0", " |T|tax return|-1"}));
    EXPECT_EQ(o.Heading, "Next week's events");
}

TEST_F(Views, OverviewNextDaysFollowTheSettingsAndHighPriorityIsCountedForTodayAndTomorrow)
{
    const Date today = D(2004, 12, 22);
    store.editWeekly() = {Weekly("Choir", 4)};  // Wednesdays: 7 and 14 days ahead
    store.editCalendar() = {Event("today", today, 0), Event("tomorrow", D(2004, 12, 23), 0),
                            Event("later", D(2004, 12, 25), 0)};
    OverviewSettings settings;
    settings.NextWeek = 14;
    settings.DateOnNext = true;
    settings.Priority = 0;
    Overview o = BuildOverview(finder, today, settings, {});
    EXPECT_EQ(Rows(o.Next), (Strings{"3|H|25/12 - later|2", "14|W|5/1 - Choir|0"}));
    // Counted whatever the priority filter hides, and never for the coming days.
    EXPECT_EQ(o.HighPriority, 2);
    settings.WeeklyAllDays = false;
    EXPECT_EQ(Rows(BuildOverview(finder, today, settings, {}).Next), (Strings{"3|H|25/12 - later|2"}));
    settings.NextWeek = 1;
    o = BuildOverview(finder, today, settings, todos);
    EXPECT_EQ(Rows(o.Next), (Strings{" |T|tax return|-1"}));  // of one day: the bottom list only
}

// Today's lines open their row; the coming days are a submenu under the heading.
TEST_F(Views, TrayMenuSections)
{
    Overview o;
    o.Today = {Occurrence{Occurrence::NoDays, 'B', "John Smith  -  34", 0}, Occurrence{Occurrence::NoDays, 'T', "x", -1}};
    o.Next = {Occurrence{3, 'N', "Party", 5}};
    o.Heading = "Next week's events";
    const auto menu = BuildTrayMenu(o);
    EXPECT_EQ(menu[3].row, 1);
    EXPECT_EQ(menu[4].caption, o.Heading);
    ASSERT_EQ(menu[4].children.size(), 1u);
    EXPECT_EQ(menu[4].children[0].caption, "N - Party");
}

// A to-do list of 300 000 items made a menu that took most of a minute to
// build and reached far beyond the screen: each section ends in "…" instead.
TEST_F(Views, TrayMenuSectionsStopAtTheirLimitWithAnEntryForTheRest)
{
    Overview o;
    for (std::size_t n : {kTrayMenuLines, std::size_t{300000}}) {
        o.Today.assign(n, Occurrence{Occurrence::NoDays, 'T', "item", -1});
        o.Tomorrow.assign(n, Occurrence{Occurrence::NoDays, 'N', "event", 0});
        const auto menu = BuildTrayMenu(o);
        const bool cut = n > kTrayMenuLines;
        // Heading, separator, the lines (and "…"), the tomorrow submenu, separator, four fixed items.
        ASSERT_EQ(menu.size(), 2 + kTrayMenuLines + (cut ? 1 : 0) + 1 + 1 + 4) << n;
        const TrayMenuItem& lastToday = menu[1 + kTrayMenuLines + (cut ? 1 : 0)];
        EXPECT_EQ(lastToday.caption, cut ? std::string(kTrayMenuMore) : "T - item") << n;
        EXPECT_EQ(lastToday.row, cut ? -1 : static_cast<int>(kTrayMenuLines) - 1) << n;
        const TrayMenuItem& tomorrow = menu[2 + kTrayMenuLines + (cut ? 1 : 0)];
        ASSERT_EQ(tomorrow.children.size(), kTrayMenuLines + (cut ? 1 : 0)) << n;
        EXPECT_EQ(tomorrow.children.back().row, cut ? -1 : static_cast<int>(kTrayMenuLines) - 1);
    }
}

TEST_F(Views, PeriodicalSearchListsBirthdaysBeforeEventsDayByDayAndKeepsItsTexts)
{
    store.editAddresses() = {Person("Anna", "Berg", 29, 2, 1970), Person("Bo", "Lind", 1, 3)};
    store.editCalendar() = {Event("low", D(2004, 2, 28), 2), Event("leap", D(2004, 2, 29)), Event("out", D(2004, 3, 2))};
    const auto r = PeriodicalSearch(finder, Typed(2004, 2, 28), Typed(2004, 3, 1), true, true);
    ASSERT_TRUE(r.ok);
    const Strings found = Rows(r.rows.ToTable());
    EXPECT_EQ(found, (Strings{" |L|28/2 - low|0", " |B|29/2 - Anna Berg|0", " |N|29/2 - leap|1", " |B|1/3 - Bo Lind|1"}));
    EXPECT_EQ(PeriodicalSearch(finder, Typed(2004, 2, 28), Typed(2004, 3, 1), true, false).rows.size(), 2u);

    // Lines found are shown as found, whatever the lists and settings do after.
    store.editAddresses()[0].Name = "Changed";
    store.editCalendar().clear();
    finder.Settings.MonthFirst = true;
    EXPECT_EQ(Rows(r.rows.ToTable()), found);
}

TEST_F(Views, QuickPeriods)
{
    EXPECT_EQ(NextWeekTo(D(2004, 12, 30)), D(2005, 1, 6));
    EXPECT_EQ(NextMonthTo(D(2004, 1, 31)), D(2004, 3, 1));
    EXPECT_EQ(NextYearTo(D(2004, 2, 29)), D(2005, 3, 1));
}

// Typed UTF-8 meets the stored text decoded, whether it was stored as UTF-8
// or, by an older file, as Windows-1252; the rows keep the stored bytes and
// follow the name order (root collation, accents after case is ignored).
struct DecodedSearch {
    const char* name;
    SearchField field;
    const char* text;
    Strings expected;
};

class PeopleSearchDecoded : public testing::TestWithParam<DecodedSearch> {};

TEST_P(PeopleSearchDecoded, FindsBothEncodingsInNameOrder)
{
    RecordStore store;
    EventFinder finder{store};
    AData mail = Person("Ulla", "Mail", 0, 0);
    mail.Email2 = "b\xF6rje@h\xE4ll.se";
    AData tel = Person("ANN", "Y", 0, 0);
    tel.Tele2 = "0 1234 56";
    tel.Email3 = "me @ home";
    store.editAddresses() = {Person("Jos\xE9", "N\xFA\xF1" "ez", 0, 0), Person("Zoe", "Y", 0, 0),
                             Person("Jos\xC3\xA9", "Berg", 0, 0),       Person("Anne", "M\xF8ller", 0, 0),
                             Person("\xC9mile", "X", 0, 0),             Person("jose", "Plain", 0, 0),
                             mail,                                     tel,
                             Person("Ann", "Y", 0, 0)};
    Strings rows;
    for (const auto& h : SearchPeople(finder.index(), GetParam().field, GetParam().text))
        rows.push_back(h.Text + "#" + std::to_string(h.Index));
    EXPECT_EQ(rows, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Views, PeopleSearchDecoded,
    testing::Values(
        DecodedSearch{"AccentedFirstName", SearchField::FirstName, "Jos\xC3\xA9",
                      {"Jos\xC3\xA9 Berg#2", "Jos\xE9 N\xFA\xF1" "ez#0"}},
        DecodedSearch{"AccentIsNotFolded", SearchField::FirstName, "JOSE", {"jose Plain#5"}},
        DecodedSearch{"Email", SearchField::Email, "B\xC3\xB6RJE @ h\xC3\xA4", {"Ulla Mail#6"}},
        DecodedSearch{"TypedWindows1252IsReadAlike", SearchField::Surname, "N\xFA\xF1", {"Jos\xE9 N\xFA\xF1" "ez#0"}},
        // "ANN Y" and "Ann Y" fold to the same key and keep list order.
        DecodedSearch{"AsciiFoldsInsideAName", SearchField::FirstName, "nN", {"ANN Y#7", "Ann Y#8", "Anne M\xF8ller#3"}},
        DecodedSearch{"TelephoneIgnoresBlanks", SearchField::Telephone, "12 34", {"ANN Y#7"}},
        DecodedSearch{"EveryoneInNameOrder", SearchField::FirstName, "",
                      {"ANN Y#7", "Ann Y#8", "Anne M\xF8ller#3", "\xC9mile X#4", "Jos\xC3\xA9 Berg#2",
                       "Jos\xE9 N\xFA\xF1" "ez#0", "jose Plain#5", "Ulla Mail#6", "Zoe Y#1"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Views, HintSearchComparesDecodedHints)
{
    store.editCalendar() = {Event("Trip to M\xFCnchen", D(2004, 1, 1)), Event("M\xC3\xBCnchen again", D(2004, 2, 1)),
                            Event("Munich", D(2004, 3, 1))};
    Strings hints;
    for (const auto& h : SearchHints(store, "m\xC3\xBCnchen", DateSettings{})) hints.push_back(h.Hint);
    EXPECT_EQ(hints, (Strings{"M\xC3\xBCnchen again", "Trip to M\xFCnchen"}));
}

TEST_F(Views, AddressCard)
{
    AData a = Person("Anna", "Berg", 0, 0);
    a.City = "Springfield";
    a.Tele1 = "555";
    a.Tele2 = "666";
    a.Email1 = "anna at example";
    std::vector<std::string> lines;
    AddressSummary(lines, a);
    EXPECT_EQ(lines, (Strings{"Anna Berg", "Springfield", "Phone#: 555, 666", "Email: anna at example"}));
}

TEST_F(Views, JumpsWalkTheListsFromEitherEnd)
{
    store.editAddresses() = {Person("A", "A", 10, 3), Person("B", "B", 5, 1), Person("None", "N", 0, 0)};
    store.editCalendar() = {Event("a", D(2004, 1, 1)), Event("b", D(2004, 3, 1)), Event("c", D(2004, 3, 1))};
    EXPECT_EQ(NextEventAfter(store, D(2004, 1, 1)), 1);
    EXPECT_EQ(NextEventAfter(store, D(2004, 3, 1)), std::nullopt);
    EXPECT_EQ(PrevEventBefore(store, D(2004, 3, 5)), 2);
    const std::vector<AData>& list = store.addresses();
    EXPECT_EQ(NextBirthdayFrom(list, D(2004, 3, 10)), D(2005, 1, 5));
    EXPECT_EQ(PrevBirthdayFrom(list, D(2004, 1, 5)), D(2003, 3, 10));
    // A birthday on the selected day itself does not count: 400 days ahead.
    EXPECT_EQ(NextBirthdayFrom({list[0]}, D(2004, 3, 10)), AddDays(D(2004, 3, 10), 400));
    const std::vector<AData> leap = {Person("L", "L", 29, 2)};
    EXPECT_EQ(NextBirthdayFrom(leap, D(2003, 3, 1)), D(2004, 2, 29));
    EXPECT_EQ(NextBirthdayFrom(leap, D(2005, 3, 1)), AddDays(D(2005, 3, 1), 400));
}

TEST_F(Views, TodayBoxFindsTheBirthdayAddressByItsLine)
{
    store.editAddresses() = {Person("Anna", "Berg", 24, 12, 1970), Person("Anna", "Berg", 24, 12)};
    EXPECT_EQ(TodayBoxBirthdayAddress(store, D(2004, 12, 24), "Anna Berg"), 1);
    EXPECT_EQ(TodayBoxBirthdayAddress(store, D(2004, 12, 24), "Anna Berg  -  34"), 0);
    EXPECT_EQ(TodayBoxBirthdayAddress(store, D(2004, 12, 25), "Anna Berg"), std::nullopt);
}

TEST_F(Views, WeekMenuGoesToTheFirstDayOfTheWeek)
{
    DateSettings s;  // Monday start, first full week
    EXPECT_EQ(FirstDateOfWeek(2004, 1, s), D(2004, 1, 5));
    EXPECT_EQ(FirstDateOfWeek(2004, 0, s), D(2004, 1, 1));
    s.FirstWeek = 2;
    EXPECT_EQ(FirstDateOfWeek(2004, 1, s), D(2004, 1, 1));
    EXPECT_EQ(FirstDateOfWeek(2010, 60, s), std::nullopt);
}
