// "Data in text-file": the quoting that keeps every value in its column and
// row, and the reader of such files and of plain ";"-split lines.
#include <gtest/gtest.h>

#include "exchange/lists/semicolon.h"
#include "exchangetest.h"

namespace orv {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct QuoteCase {
    const char* name;
    friend void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.name; }
    std::vector<std::string> fields;
    std::string line;
};

class SemicolonRoundTripTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(SemicolonRoundTripTest, WritesTheLineAndReadsTheFieldsBack)
{
    const QuoteCase& c = GetParam();
    std::string text;
    AppendSemicolonLine(text, c.fields);
    EXPECT_EQ(text, c.line + "\r\n");
    const TableResult read = ReadSemicolonText(text + text, "x.txt");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.table.rows, (Rows{c.fields, c.fields}));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SemicolonRoundTripTest,
    testing::Values(QuoteCase{"PlainBytesAsTheyAre", {"Ann", " Lee ", "J\xF6rg", ""}, "Ann; Lee ;J\xF6rg;"},
                    QuoteCase{"Semicolon", {"a;b", "c"}, "\"a;b\";c"},
                    QuoteCase{"Quote", {"5\" floppy"}, "\"5\"\" floppy\""},
                    QuoteCase{"QuotedAtStart", {"\"Bo\" Berg", "x"}, "\"\"\"Bo\"\" Berg\";x"},
                    QuoteCase{"LineBreaks", {"two\r\nlines", "cr\ronly", "lf\nonly"},
                              "\"two\r\nlines\";\"cr\ronly\";\"lf\nonly\""},
                    QuoteCase{"OnlyEmptyFields", {"", "", ""}, ";;"}),
    [](const auto& row) { return std::string(row.param.name); });

struct ReadCase {
    const char* name;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    Rows rows;
    std::size_t columns;
};

class SemicolonReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(SemicolonReadTest, SplitsLinesAndFields)
{
    const TableResult read = ReadSemicolonText(GetParam().text, "in.txt");
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.table.rows, GetParam().rows);
    EXPECT_EQ(read.table.columnCount, GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SemicolonReadTest,
    testing::Values(
        ReadCase{"AnnLeeWithoutSecondPhoneOrEmail", "Ann;Lee;Main Street 1;1234 Town;Land;555;;;5;11;1970",
                 {{"Ann", "Lee", "Main Street 1", "1234 Town", "Land", "555", "", "", "5", "11", "1970"}}, 11},
        ReadCase{"LinesOfDifferentWidth", "a\r\nb;c;d\nlast;\r\n", {{"a"}, {"b", "c", "d"}, {"last", ""}}, 3},
        ReadCase{"EmptyLinesAreRows", "\r\na\r\n\r\n\nb", {{""}, {"a"}, {""}, {""}, {"b"}}, 1},
        ReadCase{"EmptyFile", "", {}, 0},
        ReadCase{"StrayQuotesAreText", "5\" floppy;\"open;x\"y\";\"z", {{"5\" floppy", "\"open", "x\"y\"", "\"z"}}, 4},
        ReadCase{"QuoteNotEndingTheFieldIsText", "\"Bo\" Berg;x", {{"\"Bo\" Berg", "x"}}, 2},
        ReadCase{"ByteOrderMarkDropped", "\xEF\xBB\xBF" "a;b", {{"a", "b"}}, 2},
        ReadCase{"Utf16WithByteOrderMark", std::string("\xFF\xFE" "a\0;\0\xE9\0", 8), {{"a", "\xC3\xA9"}}, 2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SemicolonTest, ReadsTheSemicolonTextTheSpreadsheetProgramWrote)
{
    const TableResult read = ReadSemicolonText(test::SampleFile("people-as-shown.csv"), "people.csv");
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.table.RowCount(), 6u);
    EXPECT_EQ(read.table.rows[1][7], "two\nlines");
    EXPECT_EQ(read.table.rows[2][7], "Semi;colon \"quoted\"");
    EXPECT_EQ(read.table.rows[5][7], "\xE2\x82\xAC and \xE6\x97\xA5\xE6\x9C\xAC");
}

struct SeparatorCase {
    const char* name;
    friend void PrintTo(const SeparatorCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    char separator;
};

class SeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, IsTheOneThatSplitsTheLinesEvenly)
{
    EXPECT_EQ(DetectSeparator(GetParam().text), GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SeparatorTest,
    testing::Values(
        SeparatorCase{"CommasInsideSemicolonFields", "Lee;1,5;Main St 1, Town\r\nBerg;2,5;x\r\n", ';'},
        SeparatorCase{"SemicolonsInsideQuotedCommaFields", "\"Lee; Ann\",5\r\n\"Berg; Bo\",6\r\n\"a;b;c\",7", ','},
        SeparatorCase{"QuotedLineBreakIsNoLine", "a,\"x\r\ny;z;w\",b\r\nc,d,e", ','},
        SeparatorCase{"TabsBeatStrayCommas", "Lee\tAnn, Dr\t5\nBerg\tBo\t6\n", '\t'},
        SeparatorCase{"SteadyWidthBeatsMoreSeparators", "a,b;c;d\r\ne,f;g\r\nh,i;j;k;l", ','},
        SeparatorCase{"OneColumn", "Ann Lee\r\n\r\nBob Berg", 0}),
    [](const auto& row) { return std::string(row.param.name); });

// A table the spreadsheet program saved with commas, its numbers holding
// commas too, is read in its columns and says which separator it took.
TEST(SemicolonTest, ReadsTheCommaTextTheSpreadsheetProgramWrote)
{
    const SeparatedText comma = ReadSeparatedText(test::SampleFile("people-comma.csv"), "people-comma.csv", 0);
    EXPECT_EQ(comma.separator, ',');
    EXPECT_EQ(comma.result.table.rows, ReadSemicolonText(test::SampleFile("people-as-shown.csv"), "p.csv").table.rows);
}

// The import's progress bar and its Cancel on a long text.
TEST(SemicolonTest, ALongReadTellsHowFarItGotAndStopsWhenTold)
{
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "Ann;Lee;" + std::to_string(i) + "\r\n";
    std::size_t last = 0;
    const SeparatedText read = ReadSeparatedText(text, "long.csv", 0, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, text.size());
        EXPECT_GT(done, last);
        last = done;
        return true;
    });
    ASSERT_TRUE(read.result.ok);
    EXPECT_EQ(read.result.table.RowCount(), 10000u);
    EXPECT_EQ(read.result.table.Cell(9999, 2), "9999");
    EXPECT_GT(last, 0u);
    EXPECT_FALSE(ReadSeparatedText(text, "long.csv", 0, [](std::size_t, std::size_t) { return false; }).result.ok);
}

TEST(SemicolonTest, BinaryFileIsRefused)
{
    const TableResult read = ReadSemicolonText(std::string("\x89PNG\r\n\x1a\n\0\0", 10), "/tmp/p.txt");
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, "/tmp/p.txt is not a text file.");
}

}  // namespace
}  // namespace orv
