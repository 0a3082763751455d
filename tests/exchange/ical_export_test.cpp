// The iCalendar writer: other readers must find exactly ORV's days in it,
// and the file must keep RFC 5545's form.
#include <libical/ical.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "exchange/ical/icalexport.h"
#include "../store/tempfolder.h"
#include "icaltest.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv::test {
namespace {

IcalExportOptions Period(Date from, Date to, const DateSettings& settings = {})
{
    IcalExportOptions o;
    o.from = from;
    o.to = to;
    o.stamp = 1709078400;  // 2024-02-28 00:00:00 UTC
    o.weeks = settings;
    return o;
}

// Unfolded content lines of one VEVENT after another, by SUMMARY.
std::map<std::string, std::string> EventsBySummary(const std::string& text)
{
    std::string unfolded = std::regex_replace(text, std::regex("\r\n "), "");
    std::map<std::string, std::string> events;
    std::istringstream in(unfolded);
    std::string line, current, summary;
    while (std::getline(in, line)) {
        if (line == "BEGIN:VEVENT\r") current.clear(), summary.clear();
        if (line.rfind("SUMMARY:", 0) == 0) summary = line.substr(8, line.size() - 9);
        current += line + "\n";
        if (line == "END:VEVENT\r") events[summary] += current;
    }
    return events;
}

class IcalWeeks : public ::testing::TestWithParam<WeekCase> {};

// The strongest check of the mapping: libical, reading the export, finds
// every occurrence ORV finds over four years, and no other, under each way of
// numbering weeks (week lists go to BYWEEKNO or to dates accordingly).
TEST_P(IcalWeeks, anotherReaderFindsExactlyOrvsDays)
{
    const RecordStore store = SampleStore();
    const Date from = D(2023, 1, 1), to = D(2026, 12, 31);
    const IcalExport x = ExportICalendar(store, Period(from, to, GetParam().settings));
    EXPECT_EQ(LibicalOccurrences(x.text, from, to), OrvOccurrences(store, GetParam().settings, from, to));
}

INSTANTIATE_TEST_SUITE_P(Settings, IcalWeeks, ::testing::ValuesIn(kWeekCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The first years of the rules: DTSTART lies in 1900 for every event that
// does not count from a date, and libical finds ORV's days right there; a
// birthday starts at the birth, so ORV's lines for the years before it are
// not the export's.
TEST(IcalExport, rulesFindOrvsDaysFromTheirFirstYear)
{
    const RecordStore store = SampleStore();
    const DateSettings settings{1, 0, false};
    const Date from = D(1900, 1, 1), to = D(1904, 12, 31);
    const IcalExport x = ExportICalendar(store, Period(from, to, settings));
    std::multiset<std::string> orv = OrvOccurrences(store, settings, from, to);
    std::erase_if(orv, [](const std::string& line) { return line.ends_with("Anna Berg") || line.ends_with("Leo Leap"); });
    EXPECT_EQ(LibicalOccurrences(x.text, from, to), orv);
}

// A later export imported over an earlier one replaces each event by its
// UID: every recurring event must read the same whatever the period, or the
// earlier export's occurrences would be lost.
TEST(IcalExport, recurringEventsReadTheSameForEveryPeriod)
{
    const RecordStore store = SampleStore();
    const auto recurring = [&](Date from, Date to) {
        std::map<std::string, std::string> events;
        for (auto& [summary, text] : EventsBySummary(ExportICalendar(store, Period(from, to, {1, 0, false})).text))
            if (text.find("RRULE") != std::string::npos) events[summary] = std::regex_replace(text, std::regex("DTSTAMP:.*"), "");
        return events;
    };
    const auto all = recurring(D(2020, 1, 1), D(2030, 12, 31));
    EXPECT_EQ(all.size(), 19u);
    for (const auto& [from, to] : {std::pair{D(2024, 1, 1), D(2024, 12, 31)}, std::pair{D(3001, 6, 1), D(3001, 6, 30)},
                                   std::pair{D(1, 1, 1), D(1, 12, 31)}})
        EXPECT_EQ(recurring(from, to), all) << IsoDate(from);
}

// Every year ORV holds is a valid DATE value; libical's own writer gives
// none after 3000 nor in year 1.
TEST(IcalExport, everyYearIsWrittenAsADate)
{
    RecordStore s;
    const Date dates[] = {D(1, 1, 1), D(999, 3, 4), D(2999, 12, 31), D(3000, 1, 1), D(3001, 6, 15), D(9999, 12, 31)};
    for (const Date d : dates) s.editCalendar().push_back(Event(IsoDate(d), d));
    s.editAnnual() = {Annual("Counted from year 1", 6, 1, "1"), Annual("Counted from 5000", 2, 29, "5001")};
    IcalExportOptions o = Period(D(3001, 1, 1), D(3001, 12, 31));
    o.wholeCalendar = true;
    const IcalExport x = ExportICalendar(s, o);
    auto events = EventsBySummary(x.text);
    EXPECT_NE(events["0001-01-01"].find("DTSTART;VALUE=DATE:00010101\r\nDTEND;VALUE=DATE:00010102\r"), std::string::npos);
    EXPECT_NE(events["3001-06-15"].find("DTSTART;VALUE=DATE:30010615\r\nDTEND;VALUE=DATE:30010616\r"), std::string::npos);
    EXPECT_NE(events["2999-12-31"].find("DTEND;VALUE=DATE:30000101\r"), std::string::npos);
    EXPECT_NE(events["9999-12-31"].find("DTSTART;VALUE=DATE:99991231\r"), std::string::npos);
    EXPECT_EQ(events["9999-12-31"].find("DTEND"), std::string::npos) << "no day after it to end on";
    EXPECT_NE(events["Counted from year 1"].find("DTSTART;VALUE=DATE:00010601\r"), std::string::npos);
    EXPECT_NE(events["Counted from 5000"].find("DTSTART;VALUE=DATE:50040229\r"), std::string::npos);

    icalcomponent* root = icalparser_parse_string(x.text.c_str());
    ASSERT_NE(root, nullptr);
    std::multiset<std::string> read;
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype t = icalcomponent_get_dtstart(e);
        EXPECT_TRUE(t.is_date) << icalcomponent_get_summary(e);
        read.insert(IsoDate(Date{static_cast<std::uint16_t>(t.year), static_cast<std::uint16_t>(t.month),
                                 static_cast<std::uint16_t>(t.day)}));
    }
    icalcomponent_free(root);
    for (const Date d : dates) EXPECT_EQ(read.count(IsoDate(d)), 1u) << IsoDate(d);
}

TEST(IcalExport, isWellFormedForLibicalsValidator)
{
    const IcalExport x = ExportICalendar(SampleStore(), Period(D(2024, 1, 1), D(2024, 12, 31)));
    icalcomponent* root = icalparser_parse_string(x.text.c_str());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(icalcomponent_isa(root), ICAL_VCALENDAR_COMPONENT);
    EXPECT_TRUE(icalrestriction_check(root));
    EXPECT_EQ(icalcomponent_count_errors(root), 0);
    EXPECT_EQ(icalcomponent_count_components(root, ICAL_VEVENT_COMPONENT), x.events);
    icalcomponent_free(root);
}

TEST(IcalExport, linesEndInCrLfAndFoldWithinSeventyFiveOctetsBetweenCharacters)
{
    RecordStore s;
    std::string longHint;
    for (int i = 0; i < 40; ++i) longHint += "Grüße ";
    s.editCalendar() = {Event(longHint, D(2024, 5, 1))};
    const IcalExport x = ExportICalendar(s, Period(D(2024, 1, 1), D(2024, 12, 31)));
    ASSERT_GE(x.text.size(), 2u);
    EXPECT_EQ(x.text.substr(x.text.size() - 2), "\r\n");
    std::size_t start = 0;
    while (start < x.text.size()) {
        const std::size_t end = x.text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "a line without CR LF";
        const std::string line = x.text.substr(start, end - start);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_TRUE(IsValidUtf8(line)) << "a fold splits a character: " << line;
        start = end + 2;
    }
    EXPECT_NE(EventsBySummary(x.text).count(longHint), 0u);
}

TEST(IcalExport, windows1252TextBecomesUtf8)
{
    RecordStore s;
    s.editCalendar() = {Event("Caf\xe9 \x80 5", D(2024, 5, 1))};
    s.editCalendar()[0].More = {"Stra\xdf" "e"};
    const IcalExport x = ExportICalendar(s, Period(D(2024, 1, 1), D(2024, 12, 31)));
    EXPECT_NE(x.text.find("SUMMARY:Café € 5\r\n"), std::string::npos) << x.text;
    EXPECT_NE(x.text.find("DESCRIPTION:Straße\r\n"), std::string::npos) << x.text;
}

// A weekly event with a week list: BYWEEKNO where iCalendar's ISO weeks mean
// ORV's days, else the days of the year ORV's weeks hold; never dates, which
// would end with the period.
struct WeekListCase {
    const char* name;
    DateSettings settings;
    int weekday;
    const char* weeks;
    const char* expected;  // a piece of the event
};

class IcalWeekList : public ::testing::TestWithParam<WeekListCase> {};

TEST_P(IcalWeekList, choosesRuleOrDates)
{
    const WeekListCase& c = GetParam();
    RecordStore s;
    s.editWeekly() = {Weekly("W", c.weekday, c.weeks)};
    const IcalExport x = ExportICalendar(s, Period(D(2024, 1, 1), D(2025, 12, 31), c.settings));
    const std::string event = EventsBySummary(x.text)["W"];
    EXPECT_NE(event.find(c.expected), std::string::npos) << event;
    EXPECT_EQ(event.find("RDATE"), std::string::npos) << event;
    EXPECT_TRUE(x.notes.empty()) << x.notes[0];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IcalWeekList,
    ::testing::Values(
        WeekListCase{"IsoSettingsMidYear", {1, 1, false}, 4, "10-20", "RRULE:FREQ=YEARLY;BYDAY=WE;BYWEEKNO=10,11,12,13,14,15,16,17,18,19,20\r"},
        WeekListCase{"SundayStartSaysWkst", {0, 1, false}, 1, "20", "BYWEEKNO=20;WKST=SU"},
        // In a year whose opening days before the first Monday are four or
        // more, ISO's week 1 is ORV's week 0 under "First full week".
        WeekListCase{"FirstFullWeekShiftsSomeYears", {1, 0, false}, 4, "30", "BYYEARDAY=206,207,208,209,210,211,212\r"},
        WeekListCase{"JanuaryFirstRuleShiftsWeeks", {1, 2, false}, 4, "10-20", "BYYEARDAY=60,61,"},
        WeekListCase{"WeekOneSpillsIntoDecember", {1, 1, false}, 3, "1", "RRULE:FREQ=YEARLY;BYDAY=TU;BYYEARDAY=1,2,3,4,5\r"},
        // Wednesdays before the first Monday: 1 January (a Wednesday) or 2 January.
        WeekListCase{"WeekZeroHasNoIsoNumber", {1, 0, false}, 4, "0", "RRULE:FREQ=YEARLY;BYDAY=WE;BYYEARDAY=1,2\r"},
        WeekListCase{"EveryWeekIsPlainWeekly", {0, 0, false}, 6, "0-54", "RRULE:FREQ=WEEKLY;BYDAY=FR"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IcalExport, mapsRecordsToRulesAndPriorities)
{
    const IcalExport x = ExportICalendar(SampleStore(), Period(D(2024, 1, 1), D(2024, 12, 31)));
    auto events = EventsBySummary(x.text);
    // The rules and the first dates of the events that count from no date
    // are checked by what libical finds (above); here what it does not read:
    // the births and the priorities.
    const std::pair<const char*, const char*> expected[] = {
        {"Anna Berg", "DTSTART;VALUE=DATE:19700228"},
        {"Leo Leap", "DTSTART;VALUE=DATE:19800229"},
        {"Dentist 10:30", "PRIORITY:1"},
        {"Dentist 10:30", "DESCRIPTION:Bring the card\\n\\nAsk about the bill"},
        {"Pick up parcel", "PRIORITY:9"},
    };
    for (const auto& [summary, piece] : expected)
        EXPECT_NE(events[summary].find(piece), std::string::npos) << summary << " lacks " << piece << ":\n" << events[summary];
    EXPECT_EQ(events.count("Café Müller, 8€"), 0u) << "outside the period";
    EXPECT_EQ(events.count("Nobody Nodate"), 0u) << "no birthday";
}

TEST(IcalExport, uidsFollowTheRecordNotItsPlaceAndStayApartForEqualRecords)
{
    RecordStore first = SampleStore();
    RecordStore second = SampleStore();
    second.editCalendar().insert(second.editCalendar().begin(), Event("New first", D(2024, 1, 1)));
    second.editWeekly().insert(second.editWeekly().begin(), Weekly("New weekly", 3));
    const auto uids = [](const RecordStore& s, std::time_t stamp) {
        IcalExportOptions o = Period(D(2024, 1, 1), D(2024, 12, 31));
        o.stamp = stamp;
        std::set<std::string> out;
        std::istringstream in(ExportICalendar(s, o).text);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line))
            if (line.rfind("UID:", 0) == 0) out.insert(line), ++lines;
        EXPECT_EQ(out.size(), lines) << "two events share a UID";
        return out;
    };
    const std::set<std::string> before = uids(first, 0);
    const std::set<std::string> after = uids(second, 1800000000);
    EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
    EXPECT_EQ(after.size(), before.size() + 2);
}

// A record's identity is its event's UID, through renames and moves; a
// birthday's differs from the person's own (their vCard's); a shared identity
// is told apart; a record without one keeps the derived UID.
TEST(IcalExport, uidsComeFromTheRecordsIdentity)
{
    const auto uids = [](const RecordStore& s) {
        std::map<std::string, std::string> out;
        for (const auto& [summary, text] : EventsBySummary(ExportICalendar(s, Period(D(2024, 1, 1), D(2024, 12, 31))).text)) {
            const std::size_t at = text.find("UID:");
            out[summary] = text.substr(at + 4, text.find('\r', at) - at - 4);
        }
        return out;
    };
    RecordStore s;
    s.editAddresses() = {Person("Anna", "Berg", 28, 2, 1970)};
    s.editAddresses()[0].Uid = "person-1";
    s.editCalendar() = {Event("Dentist", D(2024, 3, 3)), Event("Twin", D(2024, 4, 4)), Event("Copy", D(2024, 4, 5)),
                        Event("No identity", D(2024, 5, 5))};
    s.editCalendar()[0].Uid = "cal-1";
    s.editCalendar()[1].Uid = s.editCalendar()[2].Uid = "shared";
    s.editWeekly() = {Weekly("Choir", 4, "1-26")};
    s.editWeekly()[0].Uid = "week-\xe9";  // an older file's byte: UTF-8 in the file
    const auto before = uids(s);
    EXPECT_EQ(before.at("Anna Berg"), "birthday-person-1");
    EXPECT_EQ(before.at("Dentist"), "cal-1");
    EXPECT_EQ(before.at("Twin"), "shared");
    EXPECT_EQ(before.at("Copy"), "shared-2");
    EXPECT_EQ(before.at("Choir"), "week-é");
    EXPECT_EQ(before.at("No identity").rfind("orv-cal-", 0), 0u);

    s.editCalendar()[0].Hint = "Dentist (moved)";
    s.editCalendar()[0].Day = 9;
    EncodeCalendarDate(s.editCalendar()[0]);
    s.editAddresses()[0].Surname = "Lind";
    const auto after = uids(s);
    EXPECT_EQ(after.at("Dentist (moved)"), "cal-1");
    EXPECT_EQ(after.at("Anna Lind"), "birthday-person-1");
}

TEST(IcalExport, recordsThatNeverOccurAreNamedNotWritten)
{
    RecordStore s;
    s.editCalendar() = {Event("Fine", D(2024, 5, 1))};
    ACal bad;
    bad.Hint = "Bad";
    bad.Day = 31;
    bad.Month = 4;
    bad.Year = 2024;
    bad.DateText = "31/4 - 2024";
    s.editCalendar().push_back(bad);
    s.editAnnual() = {Annual("Thirtieth of February", 2, 30)};
    s.editAdvanced() = {Advanced("Typo", false, 1, "February", "Monday")};
    s.editWeekly() = {Weekly("No weekday", 9)};
    const IcalExport x = ExportICalendar(s, Period(D(2024, 1, 1), D(2024, 12, 31)));
    EXPECT_EQ(x.events, 1);
    ASSERT_EQ(x.notes.size(), 4u);
    EXPECT_EQ(x.notes[0].rfind("cal.orv record 1 'Bad'", 0), 0u) << x.notes[0];
}

// A second, independent reader: Python's icalendar package parses the file and
// dateutil expands the rules; it must find ORV's days. Skipped where neither
// Python nor the package is installed.
TEST(IcalExport, pythonIcalendarReadsTheSameDays)
{
    std::string python;
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
        const std::string probe = std::string(candidate) + " -c 'import icalendar, dateutil' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) {
            python = candidate;
            break;
        }
    }
    if (python.empty()) GTEST_SKIP() << "Python's icalendar package is not installed";

    const TempFolder temp("orv-ical");
    const std::string folder = temp.path();
    const RecordStore store = SampleStore();
    // ISO's weeks, then weeks from the first full week (days of the year) in
    // a period past 3000, where libical no longer expands rules.
    const struct {
        DateSettings settings;
        Date from, to;
    } cases[] = {{{1, 1, false}, D(2024, 1, 1), D(2025, 12, 31)}, {{1, 0, false}, D(3001, 1, 1), D(3001, 12, 31)}};
    for (const auto& c : cases) {
        const std::string ics = folder + "orv.ics", out = folder + "days.txt";
        ASSERT_TRUE(WriteFileAtomic(ics, ExportICalendar(store, Period(c.from, c.to, c.settings)).text).ok);
        const std::string command = python + " " ORV_ICAL_SECOND_READER " " + ics + " " + IsoDate(c.from) + " " +
                                    IsoDate(c.to) + " > " + out;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::multiset<std::string> lines;
        std::istringstream in(ReadWholeFile(out).content);
        for (std::string line; std::getline(in, line);) lines.insert(line);
        EXPECT_EQ(lines, OrvOccurrences(store, c.settings, c.from, c.to)) << IsoDate(c.from);
    }
}

// Two successive exports of different periods, read by other programs: on the
// days both cover they give the same occurrences, and khal, importing the
// later one over the earlier (same UIDs replace), still lists every
// occurrence of the earlier one.
TEST(IcalExport, aLaterExportKeepsWhatAnEarlierOneGaveInOtherReaders)
{
    const std::string python = "/usr/bin/python3";
    if (std::system((python + " -c 'import icalendar, recurring_ical_events' >/dev/null 2>&1").c_str()) != 0 ||
        std::system("command -v khal >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "khal, Python's icalendar or recurring-ical-events is not installed (tools/install-deps installs them)";

    const TempFolder temp("orv-ical");
    const std::string folder = temp.path();
    RecordStore store = SampleStore();
    store.editCalendar().push_back(Event("Before the later period", D(2023, 9, 5)));
    store.editCalendar()[0].Uid = "dentist@test";
    store.editWeekly()[1].Uid = "choir@test";
    // Weeks counted from the first full week: week lists go out as days of the year.
    const DateSettings settings{1, 0, false};
    const Date earlyFrom = D(2023, 7, 1), earlyTo = D(2024, 6, 30), lateFrom = D(2024, 1, 1), lateTo = D(2025, 12, 31);
    const std::string early = folder + "early.ics", late = folder + "late.ics";
    ASSERT_TRUE(WriteFileAtomic(early, ExportICalendar(store, Period(earlyFrom, earlyTo, settings)).text).ok);
    ASSERT_TRUE(WriteFileAtomic(late, ExportICalendar(store, Period(lateFrom, lateTo, settings)).text).ok);
    const std::string out = folder + "out.txt";
    const std::string command = "HOME=" + folder + " XDG_CONFIG_HOME=" + folder + " XDG_DATA_HOME=" + folder + " " + python +
                                " " ORV_ICAL_SUCCESSIVE_EXPORTS " " + early + " " + IsoDate(earlyFrom) + " " +
                                IsoDate(earlyTo) + " " + late + " " + IsoDate(lateFrom) + " " + IsoDate(lateTo) + " " +
                                folder + " > " + out + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string said = ReadWholeFile(out).content;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << said;
    EXPECT_EQ(status, 0) << said;
}

}  // namespace
}  // namespace orv::test
