// Reading and writing the tagged data files in memory.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "roundtrip.h"
#include "store/datafile.h"
#include "store/utf8.h"
#include "storetest.h"

namespace orv {
namespace {

using test::CrLf;
using test::Fields;

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

// That the sample reads back as these records follows from the random round
// trip below, which reads every field of every kind, derived ones included.
TEST_P(WorkedExampleTest, WritesTheSampleFile)
{
    const WorkedExample& example = GetParam();
    const std::string sample = test::ReadFile(std::string(ORV_STORE_TEST_DATA "/worked/") +
                                              std::string(DataFileName(example.kind)));
    ASSERT_FALSE(sample.empty());
    RecordStore expected;
    example.fill(expected);
    EXPECT_EQ(sample, SerializeDataText(example.kind, expected));
}

INSTANTIATE_TEST_SUITE_P(Files, WorkedExampleTest, testing::ValuesIn(WorkedExamples),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- What the reader makes of a whole text ------------------------------------------

// A file of one kind: its header, the lines, its last line.
std::string File(DataKind kind, std::initializer_list<std::string> lines)
{
    return std::string(DataHeaderLine(kind)) + "\r\n" + CrLf(lines) + "<END:FILE>\r\n";
}

// A valid record, one with `badLine`, and another valid one that must not be read.
std::string GoodBadGood(DataKind kind, const std::string& badLine)
{
    const std::initializer_list<std::string> good{"<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>2000", "<HINT>good", "<END>"};
    return std::string(DataHeaderLine(kind)) + "\r\n" + CrLf(good) +
           CrLf({"<BEGIN>", "<HINT>bad", "<DAY>2", "<MONTH>2", "<YEAR>2002", badLine, "<END>"}) + CrLf(good) +
           "<END:FILE>\r\n";
}

struct ReadCase {
    const char* name;
    DataKind kind;
    std::string text;
    std::string tag;                  // whose values the records read write back
    std::vector<std::string> values;  // those values, record by record
    std::string message = {};         // empty: read without failure
    bool cutShort = false;            // the file held more than the records read
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsWhatTheTextHolds)
{
    const ReadCase& c = GetParam();
    RecordStore store;
    const ParseResult result = ParseDataText(c.kind, c.text, store);
    EXPECT_EQ(result.ok, c.message.empty());
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.cutShort, c.cutShort);
    std::vector<std::string> values;
    for (const std::string& line : LinesOf(SerializeDataText(c.kind, store)))
        if (line.starts_with(c.tag)) values.push_back(line.substr(c.tag.size()));
    EXPECT_EQ(values, c.values);
}

const DataKind Adv = DataKind::Advanced, Cal = DataKind::Calendar, Week = DataKind::Weekly, Yr = DataKind::Annual;
const std::string NotInteger = " is not a valid integer value", BadDate = "Invalid argument to date encode",
                  UnknownHeader = "Unknown header; nothing was loaded from it", YearHeader = "<BEGIN:YEAR:FILE:VERSION>3.0";
const std::string Event = CrLf({"<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>2000", "<END>", "<END:FILE>"});

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadTest,
    testing::Values(
        // Values: only "True" is true, priorities outside 0..2 are normal, other
        // numbers are kept as stored, without leading zeros.
        ReadCase{"UpDownOnlyTrue", Adv,
                 File(Adv, {"<BEGIN>", "<UPDOWN>True", "<END>", "<BEGIN>", "<UPDOWN>true", "<END>", "<BEGIN>",
                            "<UPDOWN>True ", "<END>"}),
                 "<UPDOWN>", {"True", "False", "False"}},
        // (0, 2 and a priority of 7 are the orv-cli sample tests/data/cli/family.)
        ReadCase{"PrioritiesOutOfRange", Cal,
                 File(Cal, {"<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>2000", "<PRI>-1", "<END>", "<BEGIN>", "<DAY>1",
                            "<MONTH>1", "<YEAR>2000", "<PRI>256", "<END>"}),
                 "<PRI>", {"1", "1"}},
        // Tags in any order, further lines among the others.
        ReadCase{"TagsInAnyOrder", DataKind::Addresses,
                 File(DataKind::Addresses,
                      {"<BEGIN>", "<MORE>one", "<EMAIL3>e3", "<BEGIN:MORE>", "<NAME>Li", "<MORE>two", "<END>"}),
                 "<MORE>", {"one", "two"}},
        // An overlong value is cut, before a character that crosses the limit.
        ReadCase{"OverlongValue", Yr, File(Yr, {"<BEGIN>", "<HINT>" + std::string(kLongestValue - 1, 'x') + "\xc3\xa9yy", "<END>"}),
                 "<HINT>", {std::string(kLongestValue - 1, 'x')}},
        // An address without a birthday writes no date lines.
        ReadCase{"NoBirthday", DataKind::Addresses, File(DataKind::Addresses, {"<BEGIN>", "<NAME>Kim", "<END>"}), "<DAY>",
                 {}},
        ReadCase{"Month13AndAPlusSign", Yr, File(Yr, {"<BEGIN>", "<MONTH>13", "<DAY>+05", "<END>"}), "<DAY>", {"5"}},
        // Dates of calendar events: real ones of the years 1 to 9999 only.
        ReadCase{"FirstLeapAndLastDays", Cal,
                 File(Cal, {"<BEGIN>", "<DAY>1", "<MONTH>1", "<YEAR>1", "<END>", "<BEGIN>", "<DAY>29", "<MONTH>2",
                            "<YEAR>2000", "<END>", "<BEGIN>", "<DAY>31", "<MONTH>12", "<YEAR>9999", "<END>"}),
                 "<YEAR>", {"1", "2000", "9999"}},
        // A bad value keeps the records before it and stops the read (also the
        // orv-cli case tests/data/cli/broken, with its message).
        ReadCase{"Overflow", Week, GoodBadGood(Week, "<WEEKDAY>2147483648"), "<HINT>", {"good"}, "'2147483648'" + NotInteger},
        ReadCase{"LeapDay1900", Cal, GoodBadGood(Cal, "<DAY>29\r\n<YEAR>1900"), "<HINT>", {"good"}, BadDate},
        ReadCase{"Year10000", Cal, GoodBadGood(Cal, "<YEAR>10000"), "<HINT>", {"good"}, BadDate},
        // Headers: anything but this version of this kind loads nothing (another
        // version is the orv-cli case tests/data/cli/broken).
        ReadCase{"ByteOrderMark", Cal, "\xef\xbb\xbf<BEGIN:CAL:FILE:VERSION>3.0\r\n" + Event, "<DAY>", {}, UnknownHeader},
        ReadCase{"EmptyText", Week, "", "<HINT>", {}},
        ReadCase{"BareHeader", Week, "<BEGIN:WEEK:FILE:VERSION>3.0", "<HINT>", {}, "", true},
        // Structure: complete records only, and whether the file held more.
        ReadCase{"UnendedRecordAtEndOfFile", Yr,
                 CrLf({YearHeader, "<BEGIN>", "<HINT>a", "<END>", "<BEGIN>", "<HINT>b", "<END:FILE>"}), "<HINT>", {"a"}, "", true},
        ReadCase{"UnendedRecordBeforeNextBegin", Yr,
                 File(Yr, {"<BEGIN>", "<HINT>lost", "<DAY>3", "<BEGIN>", "<HINT>kept", "<END>"}), "<HINT>", {"kept"}},
        // Fields outside any record (a hand-edited file that lost its "<BEGIN>"):
        // the file holds more than the list, so a save must not replace it unseen.
        ReadCase{"FieldsOutsideRecords", Yr,
                 File(Yr, {"<HINT>stray", "<DAY>not a number", "<END>", "<BEGIN>", "<HINT>a", "<END>", "<HINT>x", "<END>"}),
                 "<HINT>", {"a"}, "", true},
        ReadCase{"LastOfRepeatedTagWins", Yr, File(Yr, {"<BEGIN>", "<HINT>first", "<HINT>second", "<END>"}), "<HINT>",
                 {"second"}},
        // Unknown and blank lines are skipped; a begin or end line is one only whole.
        ReadCase{"UnknownBlankAndPartLinesSkipped", Yr,
                 File(Yr, {"", "<BEGIN>", "", "<NOTE>x", "hint", "<HINT>a", "<hint>b", "<BEGIN> ", "<END >", "<END>x", "<END>"}),
                 "<HINT>", {"a"}},
        ReadCase{"MixedLineBreaks", Yr,
                 YearHeader + "\n<BEGIN>\r<DAY>15\r\n<MONTH>3\n\r<HINT>Pay rent\r\r\n<END>\n<BEGIN>\r<HINT> x \n<END>",
                 "<HINT>", {"Pay rent", " x "}, "", true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DataTextTest, LineBreaksAreFoundAtEveryOffset)
{
    // Values of every length up to over two of the reader's 64-byte blocks put
    // each break at each place of a block, and lines across blocks; bytes
    // 0x8A and 0x8D are not breaks.
    for (const std::string brk : {"\r\n", "\n", "\r"}) {
        std::string text = "<BEGIN:WEEK:FILE:VERSION>3.0" + brk;
        std::vector<std::string> hints;
        for (std::size_t n = 0; n < 150; ++n) {
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

// ---- Identities -------------------------------------------------------------------

TEST(DataTextTest, RecordsReadWithoutAnIdentityGetTheSameOneAtEveryRead)
{
    const std::string text = CrLf({"<BEGIN:WEEK:FILE:VERSION>3.0", "<BEGIN>", "<WEEKDAY>2", "<HINT>Gym", "<END>",
                                   "<BEGIN>", "<WEEKDAY>2", "<HINT>Gym", "<END>", "<BEGIN>", "<WEEKDAY>3",
                                   "<HINT>Choir", "<UID>choir-1", "<END>", "<BEGIN>", "<WEEKDAY>4", "<HINT>Copy",
                                   "<UID>choir-1", "<END>", "<END:FILE>"});
    std::vector<AWeek> first;
    ASSERT_TRUE(ParseDataText(text, first).ok);
    // Their form is checked by every round trip (roundtrip.h), that every read
    // derives the same ones by the reads in pieces.
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[1].Uid, first[0].Uid + "-2");  // equal records stay apart
    EXPECT_EQ(first[2].Uid, "choir-1");
    EXPECT_NE(first[3].Uid, "choir-1");  // a copied identity is not shared

    // Written as the record's last line, and kept when the other fields change.
    first[2].Hint = "Choir, new hall";
    EXPECT_NE(SerializeDataText(first).find("<HINT>Choir, new hall\r\n<UID>choir-1\r\n<END>"), std::string::npos);
}

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

// However a text is cut into pieces, and however few bytes a reader without
// the whole file reads at a time, the records, their identities and the
// outcome are those of a reading in one go.
TEST_P(PiecesTest, ReadsAsInOneGo)
{
    std::vector<AYear> whole;
    const ParseResult once = ParseDataText(GetParam().text, whole, 1);
    const auto expectSame = [&](const ParseResult& r, const std::vector<AYear>& read, const std::string& at) {
        EXPECT_EQ(r.ok, once.ok) << at;
        EXPECT_EQ(r.message, once.message) << at;
        EXPECT_EQ(r.cutShort, once.cutShort) << at;
        EXPECT_EQ(r.valuesCut, once.valuesCut) << at;
        ASSERT_EQ(read.size(), whole.size() + 1) << at;
        EXPECT_EQ(read.front().Hint, "there before");
        for (std::size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(Fields(read[i + 1]), Fields(whole[i])) << at << " record " << i;
            EXPECT_EQ(read[i + 1].Uid, whole[i].Uid) << at << " record " << i;
        }
    };
    for (const std::size_t pieces : {1, 2, 3, 7, 40}) {
        std::vector<AYear> read{AYear{1, 1, "", "there before"}};
        expectSame(ParseDataText(GetParam().text, read, pieces), read, std::to_string(pieces));
        // Stretches shorter than a record make the reader's buffer grow.
        for (const std::size_t stretch : {16, 100, 4096}) {
            RecordStore store;
            store.editAnnual() = {AYear{1, 1, "", "there before"}};
            const ParseResult r = ParseDataStream(DataKind::Annual, test::Source(GetParam().text), store, pieces, stretch);
            expectSame(r, store.annual(), std::to_string(pieces) + " by " + std::to_string(stretch));
        }
    }
}

// A file that cannot be read on fails with the system's reason, whether the
// header, the search for where a thread starts or a stretch meets it.
TEST(DataStreamTest, AReadThatFailsIsTheFailure)
{
    const std::string text = YearHeader + "\r\n" + YearRecords(40, "\r\n") + "<END:FILE>\r\n";
    for (const std::uint64_t failAt : {std::uint64_t{0}, text.size() / 2 + 1, text.size() - 20}) {
        for (const std::size_t pieces : {1, 2}) {
            RecordStore store;
            const ParseResult r = ParseDataStream(DataKind::Annual, test::Source(text, 64, failAt), store, pieces, 256);
            EXPECT_FALSE(r.ok) << failAt << " in " << pieces;
            EXPECT_EQ(r.message, "Input/output error") << failAt << " in " << pieces;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PiecesTest,
    testing::Values(
        PiecesCase{"CrLf", YearHeader + "\r\n" + YearRecords(40, "\r\n") + "<END:FILE>\r\n"},
        PiecesCase{"LoneCrWithoutEndOfFile", YearHeader + "\r" + YearRecords(40, "\r")},
        PiecesCase{"BadValueHalfWay", YearHeader + "\n" + YearRecords(20, "\n") + "<BEGIN>\n<DAY>x\n<END>\n" + YearRecords(20, "\n")},
        PiecesCase{"UnendedRecordsAndStrayFields",
                   YearHeader + "\n" + YearRecords(10, "\n") + "<BEGIN>\n<HINT>lost\n" + YearRecords(10, "\n") +
                       "<HINT>stray\n<DAY>1\n" + YearRecords(10, "\n") + "<BEGIN>\n<HINT>open at the end\n"},
        PiecesCase{"OverlongValuesLate",
                   YearHeader + "\n" + YearRecords(30, "\n") + "<BEGIN>\n<HINT>" + std::string(kLongestValue + 9, 'x') +
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
            EXPECT_EQ(SerializeDataText(list), SerializeDataText(sorted));  // each hint is another
        }
    }
}

// The address list is in birthday-text order, ties by name, byte by byte and
// stable, whatever the texts share at their start or hold past eight bytes;
// the current record is followed.
TEST(DataTextTest, AddressesSortByBirthdayTextThenName)
{
    std::mt19937 random(5);
    const std::string names[] = {"",          "Ann",         "Anne",           "Annemarie",      "Annemarie Z",
                                 "Annemarieke", "\xc3\x89mile", "\xe9mile",       std::string("A\0b", 3), "A",
                                 "Zo\xeb",      "zoe",         "Annemarie Zeta", "Annemarie Alfa"};
    for (int round = 0; round < 40; ++round) {
        std::vector<AData> list;
        for (int i = 0; i < 60; ++i) {
            AData a;
            a.Day = static_cast<int>(random() % 4) * (round % 3 == 0 ? 123457 : 1) + 1;
            a.Month = static_cast<int>(random() % 3) + (round % 5 == 0 ? -2 : 1);
            BuildDateText(a);
            a.Name = names[random() % std::size(names)];
            a.Uid = std::to_string(i);
            list.push_back(a);
        }
        std::vector<std::size_t> order(list.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
            if (list[x].DateText != list[y].DateText) return list[x].DateText < list[y].DateText;
            return list[x].Name < list[y].Name;
        });
        int current = round % 60;
        const std::string currentUid = list[static_cast<std::size_t>(current)].Uid;
        std::vector<AData> sorted = list;
        SortAddresses(sorted, current);
        ASSERT_EQ(sorted.size(), list.size());
        for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(sorted[i].Uid, list[order[i]].Uid) << round << " at " << i;
        EXPECT_EQ(sorted[static_cast<std::size_t>(current)].Uid, currentUid);
        EXPECT_TRUE(sorted[static_cast<std::size_t>(current)].Marked);
    }
}

// Texts written by older Windows systems: 0x80..0x9F are Windows-1252's own
// letters, not Latin-1 control codes; an unassigned byte keeps its code.
TEST(StoredTextTest, Windows1252IsReadAsItsOwnLetters)
{
    EXPECT_EQ(StoredAsUtf8("\x80 \x8a\x9f \x81 caf\xe9"), "\xe2\x82\xac \xc5\xa0\xc5\xb8 \xc2\x81 caf\xc3\xa9");
    EXPECT_EQ(StoredAsUtf8("caf\xc3\xa9"), "caf\xc3\xa9");
}

}  // namespace
}  // namespace orv
