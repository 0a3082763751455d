// The iCalendar reader: what other programs write becomes the records that
// mean the same days, or is named with its reason and offered as dates.
#include <algorithm>
#include <ctime>
#include <map>
#include <string>

#include "exchange/ical/icalimport.h"
#include "icaltest.h"
#include "store/datafile.h"
#include "store/textutil.h"

namespace orv::test {
namespace {

IcalImportOptions Options(const DateSettings& settings = {1, 1, false})
{
    IcalImportOptions o;
    o.today = D(2024, 2, 28);
    o.from = D(2024, 1, 1);
    o.to = D(2024, 12, 31);
    o.weeks = settings;
    // Local time is Central European winter time, one hour ahead of UTC.
    o.localTime = [](std::time_t t) {
        t += 3600;
        std::tm tm{};
        gmtime_r(&t, &tm);
        return tm;
    };
    return o;
}

std::string Sample(const char* name) { return ReadWholeFile(std::string(ORV_ICAL_SAMPLES) + name).content; }

std::string Calendar(const std::string& events)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string VEvent(const std::string& uid, const std::string& start, const std::string& more = {})
{
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:" + start +
           "\r\nSUMMARY:" + uid + "\r\n" + more + "END:VEVENT\r\n";
}

template <class Rec>
void ExpectSame(const std::vector<Rec>& expected, const std::vector<Rec>& actual)
{
    const auto text = [](const std::vector<Rec>& list) { return SerializeDataText(list); };
    EXPECT_EQ(text(expected), text(actual));
}

// Gives every record of a store an identity of its own.
RecordStore Identified(RecordStore s)
{
    int n = 0;
    const auto name = [&](auto& list) {
        for (auto& r : list) r.Uid = "rec-" + std::to_string(++n) + "@test";
    };
    name(s.editAddresses());
    name(s.editCalendar());
    name(s.editWeekly());
    name(s.editMonthly());
    name(s.editAnnual());
    name(s.editAdvanced());
    return s;
}

class IcalRoundTrip : public ::testing::TestWithParam<WeekCase> {};

// Export, then import into an empty ORV: the same records, whether a week
// list went out as BYWEEKNO or as days of the year, each with its identity
// and the month and year it counts from. Birthdays are the address book's:
// they never come back as annual events. A second import adds nothing.
TEST_P(IcalRoundTrip, exportThenImportGivesTheSameRecords)
{
    RecordStore counted = SampleStore();
    counted.editAnnual()[0].Year = "1995";
    counted.editMonthly().push_back(Monthly("Counted rent", 15, "3", "2002"));
    counted.editMonthly().push_back(Monthly("Zeros", 3, "0", "0"));
    const RecordStore store = Identified(counted);
    IcalExportOptions out;
    out.from = D(2024, 1, 1);
    out.to = D(2025, 12, 31);
    out.wholeCalendar = true;
    out.weeks = GetParam().settings;
    const IcalExport x = ExportICalendar(store, out);

    const IcalImport in = PlanICalendarImport(x.text, RecordStore{}, Options(GetParam().settings));
    ASSERT_TRUE(in.ok) << in.message;
    EXPECT_TRUE(in.plan.unexpressed.empty()) << IcalPlanSummary(in.plan)[1];
    RecordStore back;
    ApplyICalendarPlan(in.plan, back);

    std::vector<ACal> calendar = store.calendar();
    SortCalendar(calendar);
    ExpectSame(calendar, back.calendar());
    ExpectSame(store.advanced(), back.advanced());
    ExpectSame(store.monthly(), back.monthly());
    // A week list that never holds its weekday under these settings is left
    // out of the export, and says so.
    std::vector<AWeek> weekly;
    for (std::size_t i = 0; i < store.weekly().size(); ++i) {
        const std::string name = "week.orv record " + std::to_string(i) + " ";
        const bool left = std::any_of(x.notes.begin(), x.notes.end(), [&](const std::string& n) {
            return n.rfind(name, 0) == 0 && n.find("not exported") != std::string::npos;
        });
        if (!left) weekly.push_back(store.weekly()[i]);
    }
    ExpectSame(weekly, back.weekly());
    ExpectSame(store.annual(), back.annual());
    EXPECT_EQ(in.plan.skipped.size(), 3u) << "the birthdays";

    const std::vector<std::string> again =
        IcalPlanSummary(PlanICalendarImport(x.text, store, Options(GetParam().settings)).plan);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again[0], "Nothing will be added.");
}

INSTANTIATE_TEST_SUITE_P(Settings, IcalRoundTrip, ::testing::ValuesIn(kWeekCases),
                         [](const auto& row) { return std::string(row.param.name); });

// Files as common programs write them: what the plan says will be added,
// and what the records keep of each event.
TEST(IcalImport, samplesOfOtherProgramsBecomeRecords)
{
    // The summary's first lines, the rest left to the test of the summary.
    const auto plan = [](const char* file, const std::vector<std::string>& first) {
        const IcalImport in = PlanICalendarImport(Sample(file), RecordStore{}, Options());
        EXPECT_TRUE(in.ok) << in.message;
        std::vector<std::string> summary = IcalPlanSummary(in.plan);
        summary.resize(std::min(summary.size(), first.size()));
        EXPECT_EQ(summary, first) << file;
        return in.plan;
    };
    const IcalPlan web = plan(
        "web-calendar.ics",
        {"To be added: 4 calendar events, 2 weekly events, 1 monthly event, 1 annual event, "
         "25 calendar events for the dates of events ORV cannot repeat.",
         "Cannot be expressed: 'Put out the bins' (RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO;WKST=SU): "
         "it repeats every 2 weeks, ORV's recurrent events every week; 25 dates added as calendar events."});
    ASSERT_GE(web.calendar.size(), 3u);
    // 09:00 UTC is 10:00 here; the escaped line break splits the description.
    EXPECT_EQ(web.calendar[0].DateText, "5/3 - 2024");
    EXPECT_EQ(web.calendar[0].More, (std::vector<std::string>{"10:00-11:00", "Location: Town hall, room 4",
                                                              "Bring the blue folder.", "Ask about the invoice."}));
    // 23:00 UTC on 31 March is already 1 April here.
    EXPECT_EQ(web.calendar[1].DateText, "1/4 - 2024");
    EXPECT_EQ(web.calendar[2].More, (std::vector<std::string>{"until 2024-06-14"}));
    EXPECT_EQ(web.annual[0].Hint, "Clara's birthday");

    const IcalPlan office = plan("office-mail.ics", {"To be added: 1 calendar event, 1 annual event, "
                                                     "12 advanced events, 12 calendar events for the dates of events "
                                                     "ORV cannot repeat."});
    ASSERT_EQ(office.calendar.size(), 1u);
    // A time in a named zone keeps the date and time it is written with.
    EXPECT_EQ(office.calendar[0].DateText, "14/3 - 2024");
    EXPECT_EQ(office.calendar[0].More, (std::vector<std::string>{"10:00-11:30", "Location: Board room", "Quarterly figures", "",
                                                                 "Room booked by Anna.", ""}));

    const IcalPlan phone = plan("desktop-phone.ics", {"To be added: 1 calendar event, 1 weekly event, 1 advanced event, "
                                                      "12 calendar events for the dates of events ORV cannot repeat."});
    ASSERT_EQ(phone.calendar.size(), 1u);
    EXPECT_EQ(phone.calendar[0].Hint, "Sommerfest im Garten – Grillen, Kuchen und Musik für die ganze Familie");
    ASSERT_EQ(phone.weekly.size(), 1u);
    EXPECT_EQ(phone.weekly[0].WeekNr, "20");
}

// Recurring rules one by one: which ORV record each becomes ("<kind> <count>"),
// or why none (a piece of the reason).
TEST(IcalImport, rulesBecomeRecordsOrSayWhyNot)
{
    const struct {
        const char* name;
        const char* start;
        const char* more;  // RRULE and friends
        const char* expected;
        DateSettings settings = {1, 1, false};
    } cases[] = {
        {"WeeklyOnItsStartDay", "20240103", "RRULE:FREQ=WEEKLY\r\n", "weekly 1"},
        {"EveryWorkday", "20240101", "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR\r\n", "weekly 5"},
        {"MonthlyOnADay", "20240131", "RRULE:FREQ=MONTHLY\r\n", "monthly 1"},
        {"LastSundayOfOctober", "20231029", "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n", "advanced 1"},
        {"LeapDay", "20200229", "RRULE:FREQ=YEARLY\r\n", "annual 1"},
        {"IsoWeeksUnderIsoSettings", "20230515", "RRULE:FREQ=YEARLY;BYWEEKNO=20,21,22;BYDAY=MO\r\n", "weekly 1 20-22"},
        {"IsoWeeksUnderFirstFullWeek", "20230515", "RRULE:FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO\r\n",
         "other days than ORV's week numbers", {1, 0, false}},
        {"WeeksStartingSunday", "20230515", "RRULE:FREQ=YEARLY;BYWEEKNO=20;BYDAY=MO;WKST=SU\r\n",
         "weeks start on another day"},
        {"EveryMinuteIsCutShort", "20240101", "RRULE:FREQ=MINUTELY\r\n", "later ones are left out"},
        {"TenTimes", "20240101", "RRULE:FREQ=WEEKLY;COUNT=10\r\n", "it ends"},
        {"YearDay", "20240101", "RRULE:FREQ=YEARLY;BYYEARDAY=100\r\n", "BYYEARDAY"},
        {"StartsNextYear", "20250106", "RRULE:FREQ=WEEKLY\r\n", "starts on 2025-01-06"},
        {"ListedDates", "20240101", "RDATE;VALUE=DATE:20240301,20240401\r\n", "RDATE"},
    };
    for (const auto& c : cases) {
        const IcalPlan p =
            PlanICalendarImport(Calendar(VEvent("e", c.start, c.more)), RecordStore{}, Options(c.settings)).plan;
        std::string got;
        if (!p.unexpressed.empty()) got = p.unexpressed[0].reason;
        else if (!p.weekly.empty()) got = "weekly " + std::to_string(p.weekly.size()) + " " + p.weekly[0].WeekNr;
        else if (!p.monthly.empty()) got = "monthly " + std::to_string(p.monthly.size());
        else if (!p.annual.empty()) got = "annual " + std::to_string(p.annual.size());
        else if (!p.advanced.empty()) got = "advanced " + std::to_string(p.advanced.size());
        else if (!p.calendar.empty()) got = "calendar " + std::to_string(p.calendar.size());
        EXPECT_NE(got.find(c.expected), std::string::npos) << c.name << ": " << got;
    }
}

TEST(IcalImport, unexpressedEventsOfferTheirDatesInThePeriod)
{
    const std::string text = Calendar(VEvent("bins", "20231225", "RRULE:FREQ=WEEKLY;INTERVAL=2\r\nEXDATE;VALUE=DATE:20240108\r\n"));
    RecordStore store;
    store.editCalendar() = {Event("bins", D(2024, 1, 22)), Event("Later", D(2024, 12, 31))};
    IcalPlan plan = PlanICalendarImport(text, store, Options()).plan;
    ASSERT_EQ(plan.unexpressed.size(), 1u);
    // Every other Monday of 2024 from 8 January: 26, less the excluded and the one ORV has.
    const std::vector<ACal>& dates = plan.unexpressed[0].occurrences;
    ASSERT_EQ(dates.size(), 24u);
    EXPECT_EQ(dates.front().DateText, "5/2 - 2024");
    EXPECT_EQ(dates.back().DateText, "23/12 - 2024");

    plan.unexpressed[0].take = false;
    EXPECT_TRUE(ApplyICalendarPlan(plan, store).empty());
    plan.unexpressed[0].take = true;
    EXPECT_EQ(ApplyICalendarPlan(plan, store), std::vector<DataKind>{DataKind::Calendar});
    EXPECT_EQ(store.calendar().size(), 26u);
    EXPECT_EQ(store.calendar().back().Hint, "Later") << "the calendar is kept in date order";
}

// A hint is one line: a summary's line breaks (escaped \n, or a raw CR a
// lenient writer left) become blanks and the summary says so; a
// description's lines, however they break, become further lines. Values
// keep their own blanks: a hint of two blanks stays two blanks.
TEST(IcalImport, lineBreaksNeverReachAOneLineFieldAndBlanksStay)
{
    const std::string text = Calendar(
        "BEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20240301\r\nSUMMARY:Line one\\nLine two\r\n"
        "DESCRIPTION:First\\n\\nThird\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:20240102\r\nSUMMARY:Weekly\\n<END:FILE>\r\n"
        "RRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:c\r\nDTSTART;VALUE=DATE:20240302\r\nSUMMARY:  \r\nDESCRIPTION:  two  \\n \r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART;VALUE=DATE:20240303\r\nSUMMARY: folded\r\n  on \r\nEND:VEVENT\r\n");
    const IcalPlan p = PlanICalendarImport(text, RecordStore{}, Options()).plan;
    ASSERT_EQ(p.calendar.size(), 3u);
    EXPECT_EQ(p.calendar[0].Hint, "Line one Line two");
    EXPECT_EQ(p.calendar[0].More, (std::vector<std::string>{"First", "", "Third"}));
    EXPECT_EQ(p.calendar[1].Hint, "  ");
    EXPECT_EQ(p.calendar[1].More, (std::vector<std::string>{"  two  ", " "}));
    EXPECT_EQ(p.calendar[2].Hint, " folded on ");
    ASSERT_EQ(p.weekly.size(), 1u);
    EXPECT_EQ(p.weekly[0].Hint, "Weekly <END:FILE>");
    const std::vector<std::string> summary = IcalPlanSummary(p);
    EXPECT_EQ(std::count_if(summary.begin(), summary.end(),
                            [](const std::string& l) { return l.rfind("Line breaks became blanks: ", 0) == 0; }),
              2);
}

// The records keep the event's UID as their identity: one per record, a
// changed instance and the dates of an unexpressed event apart from the
// series, never one that a record of ORV holds already.
TEST(IcalImport, recordsKeepTheEventsUid)
{
    RecordStore store;
    store.editCalendar() = {Event("Old", D(2023, 1, 1))};
    store.editCalendar()[0].Uid = "taken";
    const std::string text = Calendar(
        VEvent("one", "20240301") + VEvent("workdays", "20240101", "RRULE:FREQ=WEEKLY;BYDAY=MO,TU\r\n") +
        VEvent("taken", "20240305") + VEvent("fortnight", "20240101", "RRULE:FREQ=WEEKLY;INTERVAL=2;COUNT=2\r\n") +
        "BEGIN:VEVENT\r\nUID:fortnight\r\nRECURRENCE-ID;VALUE=DATE:20240115\r\nDTSTART;VALUE=DATE:20240117\r\n"
        "SUMMARY:moved\r\nEND:VEVENT\r\n");
    const IcalPlan p = PlanICalendarImport(text, store, Options()).plan;
    std::map<std::string, std::string> uidOf;
    for (const ACal& c : p.calendar) uidOf[c.Hint + " " + c.DateText] = c.Uid;
    EXPECT_EQ(uidOf["one 1/3 - 2024"], "one");
    EXPECT_EQ(uidOf["taken 5/3 - 2024"], "") << "ORV's record keeps its identity; the store gives a new one";
    EXPECT_EQ(uidOf["moved 17/1 - 2024"], "fortnight-2024-01-15");
    ASSERT_EQ(p.weekly.size(), 2u);
    EXPECT_EQ(p.weekly[0].Uid, "workdays");
    EXPECT_EQ(p.weekly[1].Uid, "workdays-2");
    ASSERT_EQ(p.unexpressed.size(), 1u);
    ASSERT_EQ(p.unexpressed[0].occurrences.size(), 1u) << "the moved one is its own event";
    EXPECT_EQ(p.unexpressed[0].occurrences[0].Uid, "fortnight-2024-01-01");
}

// Nothing of a file goes unsaid: what the records cannot keep, the exceptions
// of a series that stays recurring, to-dos, and ORV's own birthdays.
TEST(IcalImport, theSummaryNamesWhatIsNotKept)
{
    RecordStore store;
    store.editAddresses() = {Person("Anna", "Berg", 28, 2, 1970)};
    store.editAddresses()[0].Uid = "anna";
    const std::string text = Calendar(
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART:20240301T090000\r\nDTEND:20240301T100000\r\nSUMMARY:Dentist\r\n"
        "LOCATION:Main St 4\r\nATTENDEE:mailto:a@b.org\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\n"
        "DESCRIPTION:Reminder\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:y\r\nDTSTART:20150107T183000\r\nSUMMARY:Yoga\r\nRRULE:FREQ=WEEKLY\r\nPRIORITY:1\r\n"
        "LOCATION:Gym\r\nDESCRIPTION:Mat\r\nEXDATE:20161228T183000\r\nEXDATE:20151230T183000\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:y\r\nRECURRENCE-ID:20240110T183000\r\nDTSTART:20240111T183000\r\nSUMMARY:Yoga\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:t\r\nSUMMARY:Buy milk\r\nEND:VTODO\r\n" +
        VEvent("birthday-anna", "19700228", "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28\r\nX-ORV-RECORD:BIRTHDAY\r\n") +
        VEvent("birthday-zoe", "19900105", "RRULE:FREQ=YEARLY;BYMONTH=1;BYMONTHDAY=5\r\nX-ORV-RECORD:BIRTHDAY\r\n"));
    const IcalPlan p = PlanICalendarImport(text, store, Options()).plan;
    EXPECT_EQ(IcalPlanSummary(p),
              (std::vector<std::string>{
                  "To be added: 2 calendar events, 1 weekly event.",
                  "Skipped: 'Buy milk': a to-do (VTODO), which ORV does not import.",
                  "Skipped: 'birthday-anna': already in ORV as a birthday.",
                  "Skipped: 'birthday-zoe': the birthday of a person not in ORV's address book; it comes with the "
                  "person's vCard (\"Import vCard\").",
                  "Kept recurring: 'Yoga', but ORV's recurrent event also falls on the dates the file leaves out or "
                  "moves: 2015-12-30, 2016-12-28, 2024-01-10.",
                  "Not kept of 'Dentist': its alarm (VALARM), ATTENDEE.",
                  "Not kept of 'Yoga': its time (18:30), its priority (high), its description, its place (Gym)."}));
    ASSERT_EQ(p.calendar.size(), 2u);
    EXPECT_EQ(p.calendar[0].More, (std::vector<std::string>{"09:00-10:00", "Location: Main St 4"}));
    EXPECT_TRUE(p.annual.empty());
}

// A file cut off before END:VCALENDAR gives every event complete in it and
// names the one that is not; a byte-order mark is no part of the calendar.
TEST(IcalImport, damagedFilesGiveWhatIsCompleteAndSayWhatIsNot)
{
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + VEvent("one", "20240301") + VEvent("two", "20240302");
    const struct {
        std::string text;
        std::size_t events;
        std::string note;
    } cases[] = {
        {head, 2, "The file ends before END:VCALENDAR; everything in it is complete and was read."},
        {"\xEF\xBB\xBF" + head + "END:VCALENDAR\r\n", 2, {}},
        {head + "BEGIN:VEVENT\r\nUID:three\r\nDTSTART;VALUE=DATE:20240303\r\nSUMMARY:three\r\nDESCRIPTION:cut he", 2,
         "The file ends before END:VCALENDAR: the last event 'three' (from line 15) is cut off and was not read."},
    };
    for (const auto& c : cases) {
        const IcalImport in = PlanICalendarImport(c.text, RecordStore{}, Options());
        ASSERT_TRUE(in.ok) << in.message;
        EXPECT_EQ(in.plan.calendar.size(), c.events);
        EXPECT_EQ(in.plan.notes, c.note.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.note});
    }
    // Texts that are no calendar, and events without a date, are named.
    for (const std::string& text : {std::string(), std::string("BEGIN:VCARD\r\nVERSION:2.1\r\nEND:VCARD\r\n")}) {
        const IcalImport in = PlanICalendarImport(text, RecordStore{}, Options());
        EXPECT_FALSE(in.ok) << text;
        EXPECT_FALSE(in.message.empty());
    }
    const IcalImport broken = PlanICalendarImport(
        Calendar("BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:no date\r\nEND:VEVENT\r\n" + VEvent("ok", "20240301") +
                 "BEGIN:VEVENT\r\nUID:y\r\nDTSTART:garbage\r\nSUMMARY:bad date\r\nEND:VEVENT\r\n"),
        RecordStore{}, Options());
    ASSERT_TRUE(broken.ok);
    EXPECT_EQ(broken.plan.calendar.size(), 1u);
    EXPECT_EQ(broken.plan.skipped.size(), 2u);
}

}  // namespace
}  // namespace orv::test
