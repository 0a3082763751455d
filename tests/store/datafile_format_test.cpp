// Reading and writing the tagged data files in memory.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "roundtrip.h"
#include "store/datafile.h"
#include "storetest.h"

namespace orv {
namespace {

using test::CrLf;
using test::ExpectSameRecords;
using test::Fields;

void ExpectSameList(DataKind kind, const RecordStore& expected, const RecordStore& actual)
{
    switch (kind) {
    case DataKind::Addresses: ExpectSameRecords(expected.addresses(), actual.addresses()); break;
    case DataKind::Calendar: ExpectSameRecords(expected.calendar(), actual.calendar()); break;
    case DataKind::Advanced: ExpectSameRecords(expected.advanced(), actual.advanced()); break;
    case DataKind::Annual: ExpectSameRecords(expected.annual(), actual.annual()); break;
    case DataKind::Monthly: ExpectSameRecords(expected.monthly(), actual.monthly()); break;
    case DataKind::Weekly: ExpectSameRecords(expected.weekly(), actual.weekly()); break;
    }
}

// ---- The worked examples, byte for byte -------------------------------------------

struct WorkedExample {
    const char* name;
    DataKind kind;
    std::function<void(RecordStore&)> fill;
};

const WorkedExample WorkedExamples[] = {
    {"data", DataKind::Addresses,
     [](RecordStore& s) {
         AData a;
         a.Name = "Anna", a.Surname = "Berg", a.Address = "Main Street 4";
         a.Day = 24, a.Month = 12, a.Year = 1970;
         a.City = "Springfield", a.Tele1 = "555 0101", a.Email1 = "anna at example";
         a.More = {"Likes tea"};
         BuildDateText(a);
         s.editAddresses().push_back(a);
     }},
    {"cal", DataKind::Calendar,
     [](RecordStore& s) {
         ACal c;
         c.Hint = "Dentist 10:30", c.Priority = 0, c.Day = 3, c.Month = 5, c.Year = 2004;
         EncodeCalendarDate(c);
         s.editCalendar().push_back(c);
     }},
    {"adv", DataKind::Advanced,
     [](RecordStore& s) { s.editAdvanced().push_back({true, 2, "November", "Sunday", "Club meeting"}); }},
    {"year", DataKind::Annual, [](RecordStore& s) { s.editAnnual().push_back({6, 1, "1995", "Wedding day"}); }},
    {"month", DataKind::Monthly, [](RecordStore& s) { s.editMonthly().push_back({15, "3", "2003", "Pay rent"}); }},
    {"week", DataKind::Weekly, [](RecordStore& s) { s.editWeekly().push_back({2, "1,3,5-7", "Team meeting"}); }},
};

class WorkedExampleTest : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExampleTest, WritesTheSampleFileAndReadsItBack)
{
    const WorkedExample& example = GetParam();
    const std::string sample = test::ReadFile(std::string(ORV_STORE_TEST_DATA "/worked/") +
                                              std::string(DataFileName(example.kind)));
    ASSERT_FALSE(sample.empty());
    RecordStore expected;
    example.fill(expected);
    EXPECT_EQ(sample, SerializeDataText(example.kind, expected));

    RecordStore read;
    const ParseResult result = ParseDataText(example.kind, sample, read);
    EXPECT_TRUE(result.ok) << result.message;
    ExpectSameList(example.kind, expected, read);
}

INSTANTIATE_TEST_SUITE_P(Files, WorkedExampleTest, testing::ValuesIn(WorkedExamples),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- Round trips of awkward values -------------------------------------------------

TEST(DataTextTest, AddressWithoutBirthdayHasNoDateLinesAndReadsZero)
{
    AData a;
    a.Name = "Kim";
    BuildDateText(a);
    const std::string text = SerializeDataText(std::vector<AData>{a});
    EXPECT_EQ(text, CrLf({"<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN>", "<NAME>Kim", "<BEGIN:MORE>", "<END:MORE>", "<END>",
                          "<END:FILE>"}));
    std::vector<AData> read;
    ASSERT_TRUE(ParseDataText(text, read).ok);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Day, 0);
    EXPECT_EQ(read[0].Month, 0);
    EXPECT_EQ(read[0].Year, 0);
    EXPECT_EQ(read[0].DateText, "0/0");
}

TEST(DataTextTest, AwkwardTextsSurviveWriteAndRead)
{
    // Blanks at both ends, tag-like text, bytes of another code page, a tab.
    const std::string odd = "  <END> \t\xe9t\xe9 ";
    AData a;
    a.Name = odd, a.Surname = " ", a.Postal = "12345", a.Tele3 = "0", a.Email3 = "<MORE>";
    a.Year = 1970;  // a birth year without day and month
    a.More = {"", odd, ""};
    BuildDateText(a);
    std::vector<AData> addresses{a, AData{}};
    BuildDateText(addresses[1]);

    ACal c;
    c.Hint = "", c.Priority = 2, c.Day = 29, c.Month = 2, c.Year = 2000, c.More = {""};
    EncodeCalendarDate(c);
    const std::vector<ACal> calendar{c};
    const std::vector<AAdv> advanced{{false, 5, "Febuary", "Saturday", ""}, {true, 1, "", "", odd}};
    const std::vector<AYear> annual{{2, 29, "", odd}, {12, 31, " 1999", ""}};
    const std::vector<AMonth> monthly{{31, "", "0", odd}, {1, " 3 ", "", ""}};
    const std::vector<AWeek> weekly{{7, "", ""}, {1, " 1-53 ", odd}};

    std::vector<AData> a2;
    std::vector<ACal> c2;
    std::vector<AAdv> adv2;
    std::vector<AYear> y2;
    std::vector<AMonth> m2;
    std::vector<AWeek> w2;
    ASSERT_TRUE(ParseDataText(SerializeDataText(addresses), a2).ok);
    ASSERT_TRUE(ParseDataText(SerializeDataText(calendar), c2).ok);
    ASSERT_TRUE(ParseDataText(SerializeDataText(advanced), adv2).ok);
    ASSERT_TRUE(ParseDataText(SerializeDataText(annual), y2).ok);
    ASSERT_TRUE(ParseDataText(SerializeDataText(monthly), m2).ok);
    ASSERT_TRUE(ParseDataText(SerializeDataText(weekly), w2).ok);
    ExpectSameRecords(addresses, a2);
    ExpectSameRecords(calendar, c2);
    ExpectSameRecords(advanced, adv2);
    ExpectSameRecords(annual, y2);
    ExpectSameRecords(monthly, m2);
    ExpectSameRecords(weekly, w2);
}

TEST(DataTextTest, EmptyHintAndBlankMoreItemAreBareTags)
{
    ACal c;
    c.Priority = 1, c.Day = 1, c.Month = 1, c.Year = 2001, c.More = {"", "x"};
    EXPECT_EQ(SerializeDataText(std::vector<ACal>{c}),
              CrLf({"<BEGIN:CAL:FILE:VERSION>3.0", "<BEGIN>", "<HINT>", "<PRI>1", "<DAY>1", "<MONTH>1", "<YEAR>2001",
                    "<BEGIN:MORE>", "<MORE>", "<MORE>x", "<END:MORE>", "<END>", "<END:FILE>"}));
}

TEST(DataTextTest, TagsInAnotherOrderReadTheSame)
{
    std::vector<AData> forward, backward;
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN>", "<NAME>Li", "<SURNAME>Wu", "<DAY>2",
                                    "<MONTH>3", "<EMAIL3>e3", "<BEGIN:MORE>", "<MORE>one", "<MORE>two", "<END:MORE>",
                                    "<END>"}),
                              forward)
                    .ok);
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN>", "<MORE>one", "<EMAIL3>e3", "<MONTH>3",
                                    "<BEGIN:MORE>", "<DAY>2", "<MORE>two", "<SURNAME>Wu", "<NAME>Li", "<END>"}),
                              backward)
                    .ok);
    ExpectSameRecords(forward, backward);
    EXPECT_EQ(backward[0].More, (std::vector<std::string>{"one", "two"}));
}

// ---- Values that the reader interprets -----------------------------------------------

struct ValueCase {
    const char* name;
    std::string value;
    int expected;
};

class UpDownTest : public testing::TestWithParam<ValueCase> {};

TEST_P(UpDownTest, OnlyTrueSetsFromEnd)
{
    std::vector<AAdv> read;
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:ADV:FILE:VERSION>3.0", "<BEGIN>", "<UPDOWN>" + GetParam().value, "<END>"}),
                              read)
                    .ok);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].FromEnd, GetParam().expected != 0);
}

INSTANTIATE_TEST_SUITE_P(Values, UpDownTest,
                         testing::Values(ValueCase{"True", "True", 1}, ValueCase{"LowerCase", "true", 0},
                                         ValueCase{"TrailingBlank", "True ", 0}),
                         [](const auto& row) { return std::string(row.param.name); });

class PriorityTest : public testing::TestWithParam<ValueCase> {};

TEST_P(PriorityTest, OutOfRangeReadsAsNormal)
{
    std::vector<ACal> read;
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:CAL:FILE:VERSION>3.0", "<BEGIN>", "<PRI>" + GetParam().value, "<DAY>1",
                                    "<MONTH>1", "<YEAR>2000", "<END>"}),
                              read)
                    .ok);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].Priority, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, PriorityTest,
                         testing::Values(ValueCase{"High", "0", 0}, ValueCase{"Low", "2", 2},
                                         ValueCase{"Negative", "-1", 1}, ValueCase{"WrapsToHigh", "256", 1}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DataTextTest, NumbersThatIndexNoTableAreKeptAsStored)
{
    const std::string week = CrLf({"<BEGIN:WEEK:FILE:VERSION>3.0", "<BEGIN>", "<WEEKDAY>9", "<END>", "<BEGIN>",
                                   "<WEEKDAY>-3", "<END>", "<BEGIN>", "<WEEKDAY>0", "<END>", "<END:FILE>"});
    std::vector<AWeek> weekly;
    ASSERT_TRUE(ParseDataText(week, weekly).ok);
    for (AWeek& w : weekly) w.Uid.clear();
    EXPECT_EQ(SerializeDataText(weekly), CrLf({"<BEGIN:WEEK:FILE:VERSION>3.0", "<BEGIN>", "<WEEKDAY>9", "<WEEKNR>",
                                               "<HINT>", "<END>", "<BEGIN>", "<WEEKDAY>-3", "<WEEKNR>", "<HINT>",
                                               "<END>", "<BEGIN>", "<WEEKDAY>0", "<WEEKNR>", "<HINT>", "<END>",
                                               "<END:FILE>"}));

    std::vector<AAdv> advanced;
    std::vector<AYear> annual;
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:ADV:FILE:VERSION>3.0", "<BEGIN>", "<DOWN>7", "<END>"}), advanced).ok);
    ASSERT_TRUE(ParseDataText(CrLf({"<BEGIN:YEAR:FILE:VERSION>3.0", "<BEGIN>", "<MONTH>13", "<DAY>+05", "<END>"}),
                              annual)
                    .ok);
    EXPECT_EQ(advanced.at(0).Down, 7);
    EXPECT_EQ(annual.at(0).Month, 13);
    EXPECT_EQ(annual.at(0).Day, 5);  // written back as "5": numbers carry no leading zeros
}

// ---- Headers ----------------------------------------------------------------------------

struct HeaderCase {
    const char* name;
    std::string firstLine;
};

class UnknownHeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(UnknownHeaderTest, LoadsNothingAndSaysSo)
{
    std::vector<ACal> read;
    const ParseResult result = ParseDataText(
        CrLf({GetParam().firstLine, "<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>2000", "<END>", "<END:FILE>"}), read);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Unknown header; nothing was loaded from it");
    EXPECT_TRUE(read.empty());
}

INSTANTIATE_TEST_SUITE_P(Headers, UnknownHeaderTest,
                         testing::Values(HeaderCase{"OtherVersion", "<BEGIN:CAL:FILE:VERSION>3.1"},
                                         HeaderCase{"OtherKind", "<BEGIN:DATA:FILE:VERSION>3.0"},
                                         HeaderCase{"ByteOrderMark", "\xef\xbb\xbf<BEGIN:CAL:FILE:VERSION>3.0"},
                                         HeaderCase{"BlankFirstLine", ""}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(DataTextTest, EmptyTextAndBareHeaderAreEmptyLists)
{
    std::vector<AWeek> read;
    EXPECT_TRUE(ParseDataText("", read).ok);
    EXPECT_TRUE(ParseDataText("<BEGIN:WEEK:FILE:VERSION>3.0", read).ok);
    EXPECT_TRUE(read.empty());
}

// ---- File structure ------------------------------------------------------------------------

struct StructureCase {
    const char* name;
    std::string body;                 // lines after the header
    std::vector<std::string> hints;   // of the records read, in order
};

class StructureTest : public testing::TestWithParam<StructureCase> {};

TEST_P(StructureTest, ReadsCompleteRecordsOnly)
{
    std::vector<AYear> read;
    const ParseResult result = ParseDataText("<BEGIN:YEAR:FILE:VERSION>3.0\r\n" + GetParam().body, read);
    EXPECT_TRUE(result.ok) << result.message;
    std::vector<std::string> hints;
    for (const AYear& y : read) hints.push_back(y.Hint);
    EXPECT_EQ(hints, GetParam().hints);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StructureTest,
    testing::Values(
        StructureCase{"NoEndOfFileLine", CrLf({"<BEGIN>", "<HINT>a", "<END>", "<BEGIN>", "<HINT>b", "<END>"}), {"a", "b"}},
        StructureCase{"UnendedRecordAtEndOfFile", CrLf({"<BEGIN>", "<HINT>a", "<END>", "<BEGIN>", "<HINT>b", "<END:FILE>"}),
                      {"a"}},
        StructureCase{"UnendedRecordBeforeNextBegin",
                      CrLf({"<BEGIN>", "<HINT>lost", "<DAY>3", "<BEGIN>", "<HINT>kept", "<END>"}), {"kept"}},
        StructureCase{"LinesOutsideRecordsIgnored",
                      CrLf({"<HINT>stray", "<DAY>not a number", "<END>", "<BEGIN>", "<HINT>a", "<END>", "<HINT>x",
                            "<END>"}),
                      {"a"}},
        StructureCase{"LastOfRepeatedTagWins", CrLf({"<BEGIN>", "<HINT>first", "<HINT>second", "<END>"}), {"second"}},
        StructureCase{"BeginAndEndMustBeWholeLines",
                      CrLf({"<BEGIN>", "<HINT>a", "<BEGIN> ", "<END >", "<END>x", "<END>"}), {"a"}},
        StructureCase{"UnknownAndBlankLinesSkipped",
                      CrLf({"", "<BEGIN>", "", "<NOTE>x", "hint", "<HINT>a", "<hint>b", "<END>"}), {"a"}}),
    [](const auto& row) { return std::string(row.param.name); });

struct LineBreakCase {
    const char* name;
    std::string text;
};

class LineBreakTest : public testing::TestWithParam<LineBreakCase> {};

TEST_P(LineBreakTest, EveryLineBreakReadsTheSame)
{
    std::vector<AMonth> read;
    const ParseResult result = ParseDataText(GetParam().text, read);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(Fields(read[0]), Fields(AMonth{15, "3", "2003", "Pay rent"}));
    EXPECT_EQ(Fields(read[1]), Fields(AMonth{1, "", "", " x "}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineBreakTest,
    testing::Values(
        LineBreakCase{"CrOnly", "<BEGIN:MONTH:FILE:VERSION>3.0\r<BEGIN>\r<DAY>15\r<MONTH>3\r<YEAR>2003\r<HINT>Pay "
                                "rent\r<END>\r<BEGIN>\r<DAY>1\r<HINT> x \r<END>\r<END:FILE>\r"},
        LineBreakCase{"Mixed", "<BEGIN:MONTH:FILE:VERSION>3.0\n<BEGIN>\r<DAY>15\r\n<MONTH>3\n\r<YEAR>2003\r\r\n<HINT>Pay "
                               "rent\r\n<END>\n<BEGIN>\r<DAY>1\r<HINT> x \n<END>"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DataTextTest, LineBreaksAreFoundAtEveryOffset)
{
    // Values of every length up to a few words put each break at each place of
    // the reader's eight-byte steps; bytes 0x8A and 0x8D are not breaks.
    for (const std::string brk : {"\r\n", "\n", "\r"}) {
        std::string text = "<BEGIN:WEEK:FILE:VERSION>3.0" + brk;
        std::vector<std::string> hints;
        for (std::size_t n = 0; n < 20; ++n) {
            std::string hint(n, 'h');
            if (n > 3) hint[n / 2] = static_cast<char>(n % 2 ? 0x8A : 0x8D);
            hints.push_back(hint);
            text += "<BEGIN>" + brk + "<HINT>" + hint + brk + "<END>" + brk;
        }
        std::vector<AWeek> read;
        ASSERT_TRUE(ParseDataText(text, read).ok);
        ASSERT_EQ(read.size(), hints.size());
        for (std::size_t i = 0; i < hints.size(); ++i) EXPECT_EQ(read[i].Hint, hints[i]) << i;
    }
}

// ---- Bad values stop the read -----------------------------------------------------------

struct BadValueCase {
    const char* name;
    DataKind kind;
    std::string badLine;
    std::string message;
};

class BadValueTest : public testing::TestWithParam<BadValueCase> {};

TEST_P(BadValueTest, KeepsEarlierRecordsAndStops)
{
    const BadValueCase& c = GetParam();
    // A complete valid record of every kind, then one with the bad line, then
    // another valid one that must not be read.
    const std::string good = CrLf({"<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>2000", "<HINT>good", "<END>"});
    const std::string text = std::string(DataHeaderLine(c.kind)) + "\r\n" + good +
                             CrLf({"<BEGIN>", "<HINT>bad", "<DAY>2", "<MONTH>2", "<YEAR>2002", c.badLine, "<END>"}) +
                             good + "<END:FILE>\r\n";
    RecordStore store;
    const ParseResult result = ParseDataText(c.kind, text, store);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, c.message);
    const std::string written = SerializeDataText(c.kind, store);
    EXPECT_EQ(written.find("<BEGIN>"), written.rfind("<BEGIN>")) << "exactly one record expected:\n" << written;
    EXPECT_EQ(written.find("bad"), std::string::npos);
}

const std::string NotInteger = " is not a valid integer value";
INSTANTIATE_TEST_SUITE_P(
    Values, BadValueTest,
    testing::Values(BadValueCase{"EmptyDay", DataKind::Addresses, "<DAY>", "''" + NotInteger},
                    BadValueCase{"TrailingBlank", DataKind::Calendar, "<PRI>1 ", "'1 '" + NotInteger},
                    BadValueCase{"Letters", DataKind::Advanced, "<DOWN>2nd", "'2nd'" + NotInteger},
                    BadValueCase{"Overflow", DataKind::Weekly, "<WEEKDAY>2147483648", "'2147483648'" + NotInteger},
                    BadValueCase{"DayOutOfMonth", DataKind::Calendar, "<DAY>31", "Invalid argument to date encode"}),
    [](const auto& row) { return std::string(row.param.name); });

struct DateCase {
    const char* name;
    int day, month, year;
    bool valid;
};

class CalendarDateTest : public testing::TestWithParam<DateCase> {};

TEST_P(CalendarDateTest, OnlyRealDatesOfYearsOneTo9999Load)
{
    const DateCase& c = GetParam();
    std::vector<ACal> read;
    const ParseResult result = ParseDataText(
        CrLf({"<BEGIN:CAL:FILE:VERSION>3.0", "<BEGIN>", "<DAY>" + std::to_string(c.day),
              "<MONTH>" + std::to_string(c.month), "<YEAR>" + std::to_string(c.year), "<END>"}),
        read);
    EXPECT_EQ(result.ok, c.valid);
    EXPECT_EQ(read.size(), c.valid ? 1u : 0u);
    if (!c.valid) {
        EXPECT_EQ(result.message, "Invalid argument to date encode");
    }
}

INSTANTIATE_TEST_SUITE_P(Dates, CalendarDateTest,
                         testing::Values(DateCase{"LeapDay2000", 29, 2, 2000, true},
                                         DateCase{"FirstDay", 1, 1, 1, true}, DateCase{"LastDay", 31, 12, 9999, true},
                                         DateCase{"LeapDay1900", 29, 2, 1900, false},
                                         DateCase{"Day0", 0, 1, 2000, false}, DateCase{"Month13", 1, 13, 2000, false},
                                         DateCase{"Year10000", 1, 1, 10000, false}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orv

namespace orv {
namespace {

// ---- Any value, any bytes: what is written reads back -------------------------------

TEST(DataTextTest, RandomRecordsOfEveryKindSurviveWriteAndRead)
{
    std::mt19937 random(20261207);
    std::vector<std::uint8_t> bytes(4096);
    for (int round = 0; round < 200; ++round) {
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
        test::ByteSource in(bytes.data(), bytes.size());
        const std::string failure = test::CheckRoundTrip(test::BuildRecords(in));
        ASSERT_EQ(failure, "") << "round " << round;
    }
}

TEST(DataTextTest, ALineBreakNeverEndsATagLine)
{
    AData a;
    a.Name = "Line one\r\n<END:FILE>";
    a.Address = "Street 1\nFlat 2\rBack";
    a.More = {"first\r\nsecond\n", "\n"};
    BuildDateText(a);
    const std::string text = SerializeDataText(std::vector<AData>{a, AData{}});
    EXPECT_NE(text.find("<NAME>Line one <END:FILE>\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("<ADDRESS>Street 1 Flat 2 Back\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("<MORE>first\r\n<MORE>second\r\n<MORE>\r\n<END:MORE>"), std::string::npos) << text;
    std::vector<AData> read;
    ASSERT_TRUE(ParseDataText(text, read).ok);
    EXPECT_EQ(read.size(), 2u);
}

// ---- Identities -------------------------------------------------------------------

TEST(DataTextTest, RecordsReadWithoutAnIdentityGetTheSameOneAtEveryRead)
{
    const std::string text = CrLf({"<BEGIN:WEEK:FILE:VERSION>3.0", "<BEGIN>", "<WEEKDAY>2", "<HINT>Gym", "<END>",
                                   "<BEGIN>", "<WEEKDAY>2", "<HINT>Gym", "<END>", "<BEGIN>", "<WEEKDAY>3",
                                   "<HINT>Choir", "<UID>choir-1", "<END>", "<BEGIN>", "<WEEKDAY>4", "<HINT>Copy",
                                   "<UID>choir-1", "<END>", "<END:FILE>"});
    std::vector<AWeek> first, second;
    ASSERT_TRUE(ParseDataText(text, first).ok);
    ASSERT_TRUE(ParseDataText(text, second).ok);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].Uid.substr(0, 3), "orv");
    EXPECT_EQ(first[0].Uid.size(), 15u);
    EXPECT_EQ(first[1].Uid, first[0].Uid + "-2");  // equal records stay apart
    EXPECT_EQ(first[2].Uid, "choir-1");
    EXPECT_NE(first[3].Uid, "choir-1");  // a copied identity is not shared
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].Uid, second[i].Uid);

    // Written as the record's last line, and kept when the other fields change.
    first[2].Hint = "Choir, new hall";
    first[2].Weekday = 5;
    std::vector<AWeek> third;
    ASSERT_TRUE(ParseDataText(SerializeDataText(first), third).ok);
    EXPECT_EQ(third[2].Uid, "choir-1");
    EXPECT_NE(SerializeDataText(first).find("<HINT>Choir, new hall\r\n<UID>choir-1\r\n<END>"), std::string::npos);
}

struct CutCase {
    const char* name;
    std::string text;
    std::size_t records;
    bool cutShort;
};

class CutShortTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutShortTest, ReadsWhatIsCompleteAndSaysWhetherMoreWasThere)
{
    std::vector<AYear> read;
    const ParseResult result = ParseDataText(GetParam().text, read);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(read.size(), GetParam().records);
    EXPECT_EQ(result.cutShort, GetParam().cutShort);
}

const std::string YearHeader = "<BEGIN:YEAR:FILE:VERSION>3.0";
INSTANTIATE_TEST_SUITE_P(
    Files, CutShortTest,
    testing::Values(CutCase{"Whole", CrLf({YearHeader, "<BEGIN>", "<DAY>1", "<MONTH>2", "<END>", "<END:FILE>"}), 1, false},
                    CutCase{"InsideARecord", CrLf({YearHeader, "<BEGIN>", "<DAY>1", "<END>", "<BEGIN>", "<DAY>2"}), 1, true},
                    CutCase{"WithoutItsLastLine", CrLf({YearHeader, "<BEGIN>", "<DAY>1", "<END>"}), 1, true},
                    // Fields outside any record (a hand-edited file that lost its
                    // "<BEGIN>"): the file holds more than the list, so a save
                    // must not replace it unseen.
                    CutCase{"FieldsOutsideARecord",
                            CrLf({YearHeader, "<DAY>3", "<HINT>x", "<BEGIN>", "<DAY>1", "<END>", "<END:FILE>"}), 1, true},
                    CutCase{"Empty", "", 0, false}),
    [](const auto& row) { return std::string(row.param.name); });

// ---- Large files are read in pieces --------------------------------------------------

// `count` annual events "e0", "e1" .., every seventh without an identity and
// every fifth with the identity of the one before, lines ended by `brk`.
std::string YearRecords(int count, const std::string& brk)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "<BEGIN>" + brk + "<DAY>" + std::to_string(i % 28 + 1) + brk + "<MONTH>3" + brk + "<HINT>e" +
                std::to_string(i) + brk;
        if (i % 7 != 0) text += "<UID>u" + std::to_string(i % 5 == 0 ? i - 1 : i) + brk;
        text += "<END>" + brk;
    }
    return text;
}

struct PiecesCase {
    const char* name;
    std::string text;
};

class PiecesTest : public testing::TestWithParam<PiecesCase> {};

// However a text is cut into pieces, the records, their identities and the
// outcome are those of a reading in one go.
TEST_P(PiecesTest, ReadsAsInOneGo)
{
    std::vector<AYear> whole;
    const ParseResult once = ParseDataText(GetParam().text, whole, 1);
    for (const std::size_t pieces : {2, 3, 7, 40}) {
        std::vector<AYear> read{AYear{1, 1, "", "there before"}};
        const ParseResult r = ParseDataText(GetParam().text, read, pieces);
        EXPECT_EQ(r.ok, once.ok) << pieces;
        EXPECT_EQ(r.message, once.message) << pieces;
        EXPECT_EQ(r.cutShort, once.cutShort) << pieces;
        EXPECT_EQ(r.valuesCut, once.valuesCut) << pieces;
        ASSERT_EQ(read.size(), whole.size() + 1) << pieces;
        EXPECT_EQ(read.front().Hint, "there before");
        for (std::size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(Fields(read[i + 1]), Fields(whole[i])) << pieces << " record " << i;
            EXPECT_EQ(read[i + 1].Uid, whole[i].Uid) << pieces << " record " << i;
        }
    }
}

const std::string Year = "<BEGIN:YEAR:FILE:VERSION>3.0";
INSTANTIATE_TEST_SUITE_P(
    Files, PiecesTest,
    testing::Values(
        PiecesCase{"CrLf", Year + "\r\n" + YearRecords(40, "\r\n") + "<END:FILE>\r\n"},
        PiecesCase{"LfWithoutLastBreak", Year + "\n" + YearRecords(40, "\n") + "<END:FILE>"},
        PiecesCase{"LoneCrWithoutEndOfFile", Year + "\r" + YearRecords(40, "\r")},
        PiecesCase{"EndOfFileHalfWay", Year + "\r\n" + YearRecords(20, "\r\n") + "<END:FILE>\r\n" + YearRecords(20, "\r\n")},
        PiecesCase{"BadValueHalfWay", Year + "\n" + YearRecords(20, "\n") + "<BEGIN>\n<DAY>x\n<END>\n" + YearRecords(20, "\n")},
        PiecesCase{"UnendedRecordsAndStrayFields",
                   Year + "\n" + YearRecords(10, "\n") + "<BEGIN>\n<HINT>lost\n" + YearRecords(10, "\n") +
                       "<HINT>stray\n<DAY>1\n" + YearRecords(10, "\n") + "<BEGIN>\n<HINT>open at the end\n"},
        PiecesCase{"BeginInsideValues", Year + "\n" + YearRecords(10, "\n") + "<BEGIN>\n<HINT><BEGIN>\n<YEAR>x<BEGIN>\n<END>\n" +
                                            YearRecords(10, "\n")},
        PiecesCase{"OverlongValuesLate",
                   Year + "\n" + YearRecords(30, "\n") + "<BEGIN>\n<HINT>" + std::string(kLongestValue + 9, 'x') +
                       "\n<END>\n" + YearRecords(5, "\n") + "<BEGIN>\n<YEAR>" + std::string(kLongestValue + 1, 'y') +
                       "\n<END>\n"}),
    [](const auto& row) { return std::string(row.param.name); });

// A new calendar event goes where sorting after adding it would put it,
// also into a list a changed event left out of order.
TEST(DataTextTest, ANewCalendarEventGoesWhereASortWouldPutIt)
{
    std::mt19937 random(7);
    for (const bool inOrder : {true, false}) {
        for (int round = 0; round < 50; ++round) {
            std::vector<ACal> list;
            for (int i = 0; i < 30; ++i) {
                ACal e;
                e.Date = static_cast<std::int32_t>(random() % 8);
                e.Hint = std::to_string(i);
                list.push_back(e);
            }
            if (inOrder) SortCalendar(list);
            ACal added;
            added.Date = static_cast<std::int32_t>(random() % 9);
            added.Hint = "new";
            std::vector<ACal> sorted = list;
            sorted.push_back(added);
            SortCalendar(sorted);
            AddCalendarEvent(list, added);
            ExpectSameRecords(sorted, list);
        }
    }
}

}  // namespace
}  // namespace orv
