// Reading only the calendar events and birthdays of some days: the same
// records, identities, places and outcome as a whole reading, and a file
// read in part is never replaced.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <random>

#include "store/datafile.h"
#include "storetest.h"

namespace orv {
namespace {

using test::Fields;
using test::ReadFile;
using test::WriteFile;

// Events on the days from `firstDay` on, several a day, some long hints and
// further lines (the texts a spare record must not carry over), some equal.
std::string Calendar(int count, std::int32_t firstDay)
{
    std::mt19937 random(11);
    std::vector<ACal> list;
    for (int i = 0; i < count; ++i) {
        ACal c;
        int year = 0, month = 0, day = 0;
        SerialToDate(firstDay + i / 3, year, month, day);
        c.Year = year, c.Month = month, c.Day = day;
        c.Priority = static_cast<std::uint8_t>(random() % 3);
        c.Hint = random() % 2 == 0 ? "event " + std::to_string(i) : "a hint longer than any short string " + std::to_string(i);
        if (random() % 4 == 0) c.More = {"more of " + std::to_string(i), std::string(40, 'm')};
        if (random() % 3 == 0) c.Uid = "id-" + std::to_string(i);
        EncodeCalendarDate(c);
        list.push_back(c);
        if (i % 17 == 0) list.push_back(c);  // the same event twice: "-2" for the second
    }
    return SerializeDataText(list);
}

constexpr std::int32_t First = 45000;  // 2023-03-15
const std::string Events = Calendar(300, First);
const std::string Header = std::string(DataHeaderLine(DataKind::Calendar)) + "\r\n";
const std::string Body = Events.substr(Header.size());

struct DaysCase {
    const char* name;
    std::string text;
};

class CalendarDaysTest : public testing::TestWithParam<DaysCase> {};

TEST_P(CalendarDaysTest, KeepsWhatAWholeReadingHoldsOnThoseDays)
{
    std::vector<ACal> whole;
    const ParseResult once = ParseDataText(GetParam().text, whole, 1);
    const DayWindow windows[] = {{0, First - 1}, {First + 20, First + 40}, {First + 99, First + 99}, {0, First + 1000}};
    for (const DayWindow days : windows) {
        for (const std::size_t pieces : {1, 3, 7}) {
            const std::string at = std::to_string(days.first) + ".." + std::to_string(days.last) + " in " +
                                   std::to_string(pieces);
            std::vector<ACal> kept;
            std::vector<std::int32_t> places;
            const ParseResult r = ParseCalendarDays(test::Source(GetParam().text, 1000), days, kept, places, pieces, 500);
            EXPECT_EQ(r.ok, once.ok) << at;
            EXPECT_EQ(r.message, once.message) << at;
            EXPECT_EQ(r.cutShort, once.cutShort) << at;
            EXPECT_EQ(r.valuesCut, once.valuesCut) << at;
            std::vector<std::int32_t> expected;
            for (std::size_t i = 0; i < whole.size(); ++i)
                if (whole[i].Date >= days.first && whole[i].Date <= days.last) expected.push_back(static_cast<std::int32_t>(i));
            ASSERT_EQ(places, expected) << at;
            for (std::size_t k = 0; k < kept.size(); ++k) {
                const ACal& w = whole[static_cast<std::size_t>(places[k])];
                EXPECT_EQ(Fields(kept[k]), Fields(w)) << at << " event " << places[k];
                EXPECT_EQ(kept[k].Uid, w.Uid) << at << " event " << places[k];
            }

            // The briefs of the same events say what the records do.
            EventBriefs briefs;
            const ParseResult b = ParseEventBriefs(test::Source(GetParam().text, 1000), days, briefs, pieces, 500);
            EXPECT_EQ(std::tie(b.ok, b.message, b.cutShort, b.valuesCut),
                      std::tie(once.ok, once.message, once.cutShort, once.valuesCut)) << at;
            ASSERT_EQ(briefs.events.size(), expected.size()) << at;
            for (std::size_t k = 0; k < expected.size(); ++k) {
                const EventBriefs::Event& e = briefs.events[k];
                const ACal& w = whole[static_cast<std::size_t>(expected[k])];
                EXPECT_EQ(e.place, expected[k]) << at;
                EXPECT_EQ(std::tuple(e.date, e.priority, briefs.Hint(e)), std::tuple(w.Date, w.Priority, std::string_view(w.Hint)))
                    << at << " event " << expected[k];
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CalendarDaysTest,
    testing::Values(DaysCase{"Whole", Events},
                    DaysCase{"BadValueLate", Header + Body.substr(0, Body.rfind("<BEGIN>")) +
                                                 "<BEGIN>\r\n<PRI>x\r\n<END>\r\n<END:FILE>\r\n"},
                    DaysCase{"ImpossibleDateLate", Header + Body.substr(0, Body.rfind("<BEGIN>")) +
                                                       "<BEGIN>\r\n<DAY>31\r\n<MONTH>2\r\n<YEAR>2030\r\n<END>\r\n"},
                    DaysCase{"StrayFieldAndUnendedRecord", Header + "<HINT>stray\r\n" +
                                                               Body.substr(0, Body.rfind("<END:FILE>")) + "<BEGIN>\r\n"},
                    DaysCase{"OverlongHint", Header + "<BEGIN>\r\n<HINT>" + std::string(kLongestValue + 3, 'x') +
                                                 "\r\n<DAY>1\r\n<MONTH>1\r\n<YEAR>2000\r\n<END>\r\n" + Body}),
    [](const auto& row) { return std::string(row.param.name); });

// People with birthdays on a few days of the year, several on one day with
// names that share their start, some with days no date has, some with
// further lines and long texts (what a passed-over person must not carry).
std::string AddressBook(int count)
{
    std::mt19937 random(3);
    const char* names[] = {"Annemarie", "Annemarieke", "Bo", "\xc3\x89va", "\xc9va", "Annemarie"};
    std::vector<AData> list;
    for (int i = 0; i < count; ++i) {
        AData a;
        a.Day = static_cast<int>(random() % 5) + 27 + (i % 23 == 0 ? 10 : 0);  // 27..31, some 37..41
        a.Month = static_cast<int>(random() % 3) + (i % 19 == 0 ? 11 : 1);      // 1..3, some 12..14
        a.Year = 1950 + i % 60;
        a.Name = names[random() % std::size(names)];
        a.Surname = "S" + std::to_string(i);
        if (random() % 3 == 0) a.More = {"a note long enough to leave the short strings " + std::to_string(i)};
        list.push_back(a);
    }
    return SerializeDataText(list);
}

const std::string People = AddressBook(400);
const std::string PeopleHeader = std::string(DataHeaderLine(DataKind::Addresses)) + "\r\n";

BirthdayDays Shown(std::initializer_list<std::pair<int, int>> monthDays)
{
    BirthdayDays days;
    for (const auto& [month, day] : monthDays) days.shown[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)] = true;
    return days;
}

class BirthdaysTest : public testing::TestWithParam<DaysCase> {};

// The people kept are those of the sorted address list whose birthday is
// shown, in its order, each with its place in it; the outcome is the whole
// reading's, a failure's included.
TEST_P(BirthdaysTest, KeepsWhatTheSortedListHoldsOnThoseDays)
{
    std::vector<AData> whole;
    const ParseResult once = ParseDataText(GetParam().text, whole, 1);
    int current = -1;
    SortAddresses(whole, current);
    const BirthdayDays windows[] = {Shown({}), Shown({{1, 29}}), Shown({{12, 31}, {1, 27}, {1, 28}}),
                                    Shown({{2, 29}, {3, 1}, {3, 31}}), Shown({{12, 27}, {12, 28}, {12, 29}})};
    for (std::size_t w = 0; w < std::size(windows); ++w) {
        std::vector<AData> kept;
        std::vector<std::int32_t> places;
        const ParseResult r = ParseBirthdays(test::Source(GetParam().text, 1000), windows[w], kept, places, 500);
        EXPECT_EQ(r.ok, once.ok) << w;
        EXPECT_EQ(r.message, once.message) << w;
        EXPECT_EQ(r.cutShort, once.cutShort) << w;
        EXPECT_EQ(r.valuesCut, once.valuesCut) << w;
        std::vector<std::int32_t> expected;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            const AData& a = whole[i];
            if (a.Month >= 1 && a.Month <= 12 && a.Day >= 1 && a.Day <= 31 &&
                windows[w].shown[static_cast<std::size_t>(a.Month)][static_cast<std::size_t>(a.Day)])
                expected.push_back(static_cast<std::int32_t>(i));
        }
        ASSERT_EQ(places, expected) << w;
        for (std::size_t k = 0; k < kept.size(); ++k)
            EXPECT_EQ(Fields(kept[k]), Fields(whole[static_cast<std::size_t>(places[k])])) << w << " person " << places[k];
    }

    // The briefs are of every person whose birthday a date can have.
    BirthdayBriefs briefs;
    const ParseResult b = ParseBirthdayBriefs(test::Source(GetParam().text, 1000), briefs, 500);
    EXPECT_EQ(std::tie(b.ok, b.message, b.cutShort, b.valuesCut),
              std::tie(once.ok, once.message, once.cutShort, once.valuesCut));
    std::size_t k = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const AData& a = whole[i];
        if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > 31) continue;
        ASSERT_LT(k, briefs.people.size());
        const BirthdayBriefs::Person& p = briefs.people[k++];
        EXPECT_EQ(std::tuple(p.place, int{p.month}, int{p.day}, briefs.Name(p), briefs.Surname(p)),
                  std::tuple(static_cast<std::int32_t>(i), a.Month, a.Day, std::string_view(a.Name), std::string_view(a.Surname)))
            << "person " << i;
    }
    EXPECT_EQ(k, briefs.people.size());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BirthdaysTest,
    testing::Values(DaysCase{"Whole", People},
                    DaysCase{"BadValueLate", PeopleHeader + People.substr(PeopleHeader.size(), People.rfind("<BEGIN>") - PeopleHeader.size()) +
                                                 "<BEGIN>\r\n<DAY>x\r\n<END>\r\n<END:FILE>\r\n"},
                    DaysCase{"OverlongName", PeopleHeader + "<BEGIN>\r\n<NAME>" + std::string(kLongestValue + 3, 'n') +
                                                 "\r\n<DAY>28\r\n<MONTH>1\r\n<END>\r\n" + People.substr(PeopleHeader.size())}),
    [](const auto& row) { return std::string(row.param.name); });

// What was read in part, or read by a reader that keeps no copy of the file,
// does not count as read: the calendar's save refuses to replace it, and the
// file keeps every event.
TEST(CalendarDaysFiles, AFileReadInPartIsNotReplaced)
{
    test::TempFolder folder;
    DataFiles files{folder.path()};
    const std::string path = files.MainPath(DataKind::Calendar);
    WriteFile(path, Events);
    RecordStore store;
    std::vector<std::int32_t> places;
    const LoadReport report = files.LoadCalendarDays({First, First + 2}, store.editCalendar(), places);
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_FALSE(report.whole);
    EXPECT_EQ(store.calendar().size(), 10u);

    EXPECT_FALSE(files.Save(DataKind::Calendar, store).ok);
    EXPECT_FALSE(files.AllRead());
    EXPECT_EQ(ReadFile(path), Events);

    // Read whole but without a copy of the file kept, it is not replaced either.
    RecordStore all;
    const std::vector<LoadReport> read = files.Read(std::array{DataKind::Calendar}, all);
    ASSERT_TRUE(read[0].ok) << read[0].message;
    EXPECT_EQ(all.calendar().size(), 318u);
    EXPECT_FALSE(files.Save(DataKind::Calendar, all).ok);
    EXPECT_EQ(ReadFile(path), Events);
}

}  // namespace
}  // namespace orv
