// The iCalendar writer: other readers must find exactly ORV's days in it,
// and the file must keep RFC 5545's form.
#include <libical/ical.h>

#include <cstdlib>
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
// numbering weeks (week lists go to BYWEEKNO or to dates accordingly). So it
// does in the rules' first years: DTSTART lies in 1900 for every event that
// does not count from a date; a birthday starts at the birth, so ORV's lines
// for the years before it are not the export's.
TEST_P(IcalWeeks, anotherReaderFindsExactlyOrvsDays)
{
    const RecordStore store = SampleStore();
    const std::pair<Date, Date> periods[] = {{D(2023, 1, 1), D(2026, 12, 31)}, {D(1900, 1, 1), D(1904, 12, 31)}};
    for (const auto& [from, to] : periods) {
        const IcalExport x = ExportICalendar(store, Period(from, to, GetParam().settings));
        std::multiset<std::string> orv = OrvOccurrences(store, GetParam().settings, from, to);
        if (from.Year == 1900)
            std::erase_if(orv, [](const std::string& l) { return l.ends_with("Anna Berg") || l.ends_with("Leo Leap"); });
        EXPECT_EQ(LibicalOccurrences(x.text, from, to), orv) << IsoDate(from);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, IcalWeeks, ::testing::ValuesIn(kWeekCases),
                         [](const auto& row) { return std::string(row.param.name); });

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

// The file keeps RFC 5545's form: libical's validator finds no fault; lines
// end in CR LF and fold within 75 octets between characters; stored
// Windows-1252 text becomes UTF-8.
TEST(IcalExport, isWellFormedAndKeepsWhatRulesDoNotSay)
{
    RecordStore s = SampleStore();
    std::string longHint;
    for (int i = 0; i < 40; ++i) longHint += "Grüße ";
    s.editCalendar().push_back(Event(longHint, D(2024, 5, 1)));
    s.editCalendar().push_back(Event("Caf\xe9 \x80 5", D(2024, 5, 2)));
    s.editCalendar().back().More = {"Stra\xdf" "e"};
    const IcalExport x = ExportICalendar(s, Period(D(2024, 1, 1), D(2024, 12, 31)));
    icalcomponent* root = icalparser_parse_string(x.text.c_str());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(icalcomponent_isa(root), ICAL_VCALENDAR_COMPONENT);
    EXPECT_TRUE(icalrestriction_check(root));
    EXPECT_EQ(icalcomponent_count_errors(root), 0);
    EXPECT_EQ(icalcomponent_count_components(root, ICAL_VEVENT_COMPONENT), x.events);
    icalcomponent_free(root);

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
    EXPECT_NE(x.text.find("SUMMARY:Café € 5\r\n"), std::string::npos) << x.text;
    EXPECT_NE(x.text.find("DESCRIPTION:Straße\r\n"), std::string::npos) << x.text;

    // The further lines, an empty one included, are one description. (The
    // births, the priorities and the period are pinned by orv-cli's ical case.)
    const std::string dentist = EventsBySummary(x.text)["Dentist 10:30"];
    EXPECT_NE(dentist.find("DESCRIPTION:Bring the card\\n\\nAsk about the bill"), std::string::npos) << dentist;
}

// A record's identity is its event's UID, through renames and moves; a
// birthday's differs from the person's own (their vCard's); a shared identity
// is told apart. A record without one gets a UID that follows the record, not
// its place nor the time of the export, and equal records stay apart.
TEST(IcalExport, uidsComeFromTheRecordsIdentity)
{
    const auto uids = [](const RecordStore& s, std::time_t stamp) {
        IcalExportOptions o = Period(D(2024, 1, 1), D(2024, 12, 31));
        o.stamp = stamp;
        const std::string text = ExportICalendar(s, o).text;
        std::set<std::string> all;
        std::size_t lines = 0;
        for (std::size_t at = text.find("\nUID:"); at != std::string::npos; at = text.find("\nUID:", at + 1), ++lines)
            all.insert(text.substr(at + 5, text.find('\r', at) - at - 5));
        EXPECT_EQ(all.size(), lines) << "two events share a UID";
        std::map<std::string, std::string> out;
        for (const auto& [summary, event] : EventsBySummary(text)) {
            const std::size_t at = event.find("UID:");
            out[summary] = event.substr(at + 4, event.find('\r', at) - at - 4);
        }
        return out;
    };
    RecordStore s = SampleStore();
    s.editAddresses()[0].Uid = "person-1";
    s.editCalendar().insert(s.editCalendar().end(), {Event("Dentist", D(2024, 3, 3)), Event("Twin", D(2024, 4, 4)),
                                                     Event("Copy", D(2024, 4, 5)), Event("No identity", D(2024, 5, 5))});
    s.editCalendar()[5].Uid = "cal-1";
    s.editCalendar()[6].Uid = s.editCalendar()[7].Uid = "shared";
    s.editWeekly()[1].Uid = "week-\xe9";  // an older file's byte: UTF-8 in the file
    const auto before = uids(s, 0);
    EXPECT_EQ(before.at("Anna Berg"), "birthday-person-1");
    EXPECT_EQ(before.at("Twin"), "shared");
    EXPECT_EQ(before.at("Copy"), "shared-2");
    EXPECT_EQ(before.at("Choir"), "week-é");
    EXPECT_EQ(before.at("No identity").rfind("orv-cal-", 0), 0u);

    s.editCalendar()[5].Hint = "Dentist (moved)";
    s.editCalendar()[5].Day = 9;
    EncodeCalendarDate(s.editCalendar()[5]);
    s.editAddresses()[0].Surname = "Lind";
    s.editCalendar().insert(s.editCalendar().begin(), Event("New first", D(2024, 1, 1)));
    s.editWeekly().insert(s.editWeekly().begin(), Weekly("New weekly", 3));
    auto after = uids(s, 1800000000);
    after.erase("New first");
    after.erase("New weekly");
    after["Dentist"] = after.extract("Dentist (moved)").mapped();
    after["Anna Berg"] = after.extract("Anna Lind").mapped();
    EXPECT_EQ(after, before);
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

// An independent reader: Python's icalendar package parses the file and
// dateutil expands the rules. It must find ORV's days, with ISO's weeks, and
// with weeks from the first full week (days of the year) past 3000, where
// libical no longer expands rules. Skipped where it is not installed
// (tools/install-deps installs it).
TEST(IcalExport, aSecondReaderFindsOrvsDays)
{
    const std::string python = "/usr/bin/python3";
    if (std::system((python + " -c 'import icalendar, dateutil' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "Python's icalendar is not installed";
    const TempFolder temp("orv-ical");
    const std::string folder = temp.path();
    const RecordStore store = SampleStore();
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

}  // namespace
}  // namespace orv::test
