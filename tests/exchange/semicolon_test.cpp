// "Data in text-file": the quoting that keeps every value in its column and
// row, and the reader of such files and of plain ";"-split lines.
#include <gtest/gtest.h>

#include "exchange/lists/semicolon.h"
#include "exchangetest.h"

namespace orv {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(SemicolonTest, WritesTheLineAndReadsTheFieldsBack)
{
    const struct {
        std::vector<std::string> fields;
        std::string line;
    } cases[] = {
        {{"Ann", " Lee ", "J\xF6rg", ""}, "Ann; Lee ;J\xF6rg;"},  // plain bytes as they are
        {{"a;b", "c"}, "\"a;b\";c"},
        {{"5\" floppy"}, "\"5\"\" floppy\""},
        {{"two\r\nlines", "cr\ronly", "lf\nonly"}, "\"two\r\nlines\";\"cr\ronly\";\"lf\nonly\""},
        {{"", "", ""}, ";;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string text;
        AppendSemicolonLine(text, c.fields);
        EXPECT_EQ(text, c.line + "\r\n");
        const TableResult read = ReadSemicolonText(text + text, "x.txt");
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(read.table.rows, (Rows{c.fields, c.fields}));
    }
}

TEST(SemicolonTest, SplitsLinesAndFields)
{
    const struct {
        const char* name;
        std::string text;
        Rows rows;
        std::size_t columns;
    } cases[] = {
        {"LinesOfDifferentWidth", "a\r\nb;c;d\nlast;\r\n", {{"a"}, {"b", "c", "d"}, {"last", ""}}, 3},
        {"EmptyLinesAreRows", "\r\na\r\n\r\n\nb", {{""}, {"a"}, {""}, {""}, {"b"}}, 1},
        {"EmptyFile", "", {}, 0},
        {"StrayQuotesAreText", "5\" floppy;\"open;x\"y\";\"z", {{"5\" floppy", "\"open", "x\"y\"", "\"z"}}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableResult read = ReadSemicolonText(c.text, "in.txt");
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.table.rows, c.rows);
        EXPECT_EQ(read.table.columnCount, c.columns);
    }
    const TableResult binary = ReadSemicolonText(std::string("\x89PNG\r\n\x1a\n\0\0", 10), "/tmp/p.txt");
    EXPECT_FALSE(binary.ok);
    EXPECT_EQ(binary.message, "/tmp/p.txt is not a text file.");
}

// The separator is the one that splits the lines evenly.
TEST(SemicolonTest, DetectsTheSeparator)
{
    const std::pair<std::string, char> cases[] = {
        {"Lee;1,5;Main St 1, Town\r\nBerg;2,5;x\r\n", ';'},  // commas inside semicolon fields
        {"\"Lee; Ann\",5\r\n\"Berg; Bo\",6\r\n\"a;b;c\",7", ','},
        {"a,\"x\r\ny;z;w\",b\r\nc,d,e", ','},  // a quoted line break is no line
        {"Lee\tAnn, Dr\t5\nBerg\tBo\t6\n", '\t'},
        {"a,b;c;d\r\ne,f;g\r\nh,i;j;k;l", ','},  // a steady width beats more separators
        {"Ann Lee\r\n\r\nBob Berg", 0},
    };
    for (const auto& [text, separator] : cases) EXPECT_EQ(DetectSeparator(text), separator) << text;
}

// Files the spreadsheet program saved, with semicolons and with commas (its
// numbers holding commas too): read in their columns, the separator named.
TEST(SemicolonTest, ReadsTheTextsTheSpreadsheetProgramWrote)
{
    const TableResult read = ReadSemicolonText(test::SampleFile("people-as-shown.csv"), "people.csv");
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.table.RowCount(), 6u);
    EXPECT_EQ(read.table.rows[1][7], "two\nlines");
    EXPECT_EQ(read.table.rows[2][7], "Semi;colon \"quoted\"");
    EXPECT_EQ(read.table.rows[5][7], "\xE2\x82\xAC and \xE6\x97\xA5\xE6\x9C\xAC");

    const SeparatedText comma = ReadSeparatedText(test::SampleFile("people-comma.csv"), "people-comma.csv", 0);
    EXPECT_EQ(comma.separator, ',');
    EXPECT_EQ(comma.result.table.rows, read.table.rows);
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

}  // namespace
}  // namespace orv
