// Spreadsheets: ORV's .xlsx comes back cell for cell, files saved by the
// spreadsheet program read as it shows them, and damaged files are refused.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "exchange/sheets/numberformat.h"
#include "exchange/sheets/sheetparts.h"
#include "exchange/sheets/spreadsheet.h"
#include "exchangetest.h"

namespace orv {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The first sheet of people.fods as the spreadsheet program shows it (its own
// "as shown" export is people-as-shown.csv).
const Rows kPeople{
    {"First name", "Surname", "Postal", "Born", "Year", "Share", "Amount", "Note"},
    {"Ann", "Lee", "01234", "05.11.1970", "1970", "25%", "1,234.50", "two\nlines"},
    {"J\xC3\xB6rg", "", "80331", "", "3.5", "", "", "Semi;colon \"quoted\""},
    {},
    {},
    {"Ann", "Lee", "", "", "0.1", "", "", "\xE2\x82\xAC and \xE6\x97\xA5\xE6\x9C\xAC"},
};

Rows Trimmed(Rows rows)
{
    for (auto& row : rows) {
        while (!row.empty() && row.back().empty()) row.pop_back();
    }
    return rows;
}

// Files the spreadsheet program saved: the first sheet as it shows it, a
// given area exactly; the import's progress bar and its Cancel: the read
// says how far it got without changing what it reads, and stops when told to.
TEST(SpreadsheetTest, ReadsWhatTheSpreadsheetProgramSaved)
{
    for (const char* file : {"people.xlsx", "people.ods"}) {
        SCOPED_TRACE(file);
        const std::string bytes = test::SampleFile(file);
        std::size_t calls = 0;
        const TableResult read = ReadSpreadsheet(bytes, file, std::nullopt, [&](std::size_t done, std::size_t total) {
            EXPECT_LE(done, total);
            ++calls;
            return true;
        });
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(Trimmed(read.table.rows), Trimmed(kPeople));
        EXPECT_EQ(read.table.columnCount, 8u);
        EXPECT_GT(calls, 0u);
        EXPECT_FALSE(ReadSpreadsheet(bytes, file, std::nullopt, [](std::size_t, std::size_t) { return false; }).ok);

        const TableResult area = ReadSpreadsheetFile(test::SamplePath(file), SheetArea{.rows = 3, .columns = 2});
        ASSERT_TRUE(area.ok) << area.message;
        EXPECT_EQ(area.table.rows, (Rows{{"First name", "Surname"}, {"Ann", "Lee"}, {"J\xC3\xB6rg"}}));
        EXPECT_EQ(area.table.columnCount, 2u);
    }
}

// Every cell goes out as text and comes back; the spreadsheet program opens
// the file with the same cells (export-orv-resaved.ods is what it saved of
// these rows, written by WriteXlsx).
TEST(XlsxWriterTest, WritesEveryCellAsTextAndReadsItBack)
{
    test::TempFolder folder;
    std::vector<ExportRow> rows{
        kExportHeader,
        {"Ann", "Lee", "Main Street 1", "01234 Town", "Land", "0555 123", "", "ann@example.org", "", "", ""},
        {"J\xF6rg", "<b>&amp;", "line\r\nbreak", "1.0", "=1+1", "\x01", "", "", "5", "11", "1970"}};
    const std::string path = folder / "list.xlsx";
    ASSERT_TRUE(WriteXlsx(path, rows).ok);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & 0044, 0u) << "an export is readable like any file the user saves";
    EXPECT_EQ(test::Listing(folder.path()), std::set<std::string>{"list.xlsx"}) << "no temporary file is left";

    const auto expected = [](const std::vector<ExportRow>& written) {
        Rows out;
        for (const ExportRow& r : written) out.emplace_back(r.begin(), r.end());
        out[2][0] = "J\xC3\xB6rg";  // stored Windows-1252 comes out as UTF-8
        return Trimmed(out);
    };
    const TableResult read = ReadSpreadsheetFile(path);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(Trimmed(read.table.rows), expected(rows));

    rows[2] = {"J\xF6rg", "<b>&amp;", "Semi;colon \"q\"", "1.0", "=1+1", "x", "", "", "5", "11", "1970"};
    rows.push_back({"\xE6\x97\xA5\xE6\x9C\xAC", "Gr\xC3\xBC\xC3\x9F" "e", "", "", "", "", "", "", "0", "0", "0"});
    const TableResult resaved = ReadSpreadsheetFile(test::SamplePath("export-orv-resaved.ods"));
    ASSERT_TRUE(resaved.ok) << resaved.message;
    EXPECT_EQ(Trimmed(resaved.table.rows), expected(rows));
}

TEST(BadSpreadsheetTest, IsRefusedWithAMessage)
{
    const std::pair<std::string, std::string> cases[] = {
        {test::SampleFile("people.xlsx").substr(0, 3000), "The spreadsheet in.xlsx is damaged or incomplete."},
        {"First name;Surname\r\n", "in.xlsx is not a spreadsheet (.xlsx or .ods)."},
        {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'),
         "in.xlsx is a spreadsheet in the old binary format, which cannot be read. Save it as .xlsx or .ods "
         "and import that file."},
    };
    for (const auto& [bytes, message] : cases) {
        const TableResult read = ReadSpreadsheet(bytes, "in.xlsx");
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.message, message);
    }
    EXPECT_EQ(ReadSpreadsheetFile("/nonexistent/people.xlsx").message, "File not found: /nonexistent/people.xlsx");
    EXPECT_FALSE(ReadSpreadsheet(test::SampleFile("people.ods"), "p.ods", SheetArea{.rows = 0, .columns = 1}).ok);
    const Result written = WriteXlsx("/nonexistent-folder/list.xlsx", std::vector<ExportRow>{kExportHeader});
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.message.find("/nonexistent-folder/list.xlsx"), std::string::npos) << written.message;
}

// ---- The XML parts -------------------------------------------------------------------------

std::string Sheet(const std::string& data)
{
    return R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" + data +
           "</sheetData></worksheet>";
}

TEST(XlsxPartsTest, CellKindsGapsAndNumberFormatsKeepTheirColumns)
{
    XlsxParts parts;
    parts.sharedStrings = R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                          R"(<si><t>plain</t></si><si><r><t>ri</t></r><r><t xml:space="preserve">ch </t></r>)"
                          R"(<rPh><t>PHONETIC</t></rPh></si><si><t>a_x000D__x000A_b</t></si></sst>)";
    parts.sheet = Sheet(R"(<row r="2"><c r="B2" t="s"><v>0</v></c><c r="D2" t="s"><v>1</v></c></row>)"
                        R"(<row><c t="inlineStr"><is><t>in</t></is></c><c t="b"><v>1</v></c><c t="str"><f>A1</f><v>f</v></c>)"
                        R"(<c t="e"><v>#DIV/0!</v></c><c t="s"><v>2</v></c><c t="s"><v>99</v></c><c><v>1.5E3</v></c></row>)");
    const TableResult read = ReadXlsxParts(parts, std::nullopt);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.table.rows, (Rows{{}, {"", "plain", "", "rich "}, {"in", "TRUE", "f", "#DIV/0!", "a\r\nb", "", "1500"}}));

    // Number formats of the styles, and the 1904 calendar.
    parts = XlsxParts{};
    parts.workbook = R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><workbookPr date1904="1"/></workbook>)";
    parts.styles = R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                   R"(<numFmts><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/></numFmts>)"
                   R"(<cellStyleXfs><xf numFmtId="2"/></cellStyleXfs><cellXfs><xf numFmtId="0"/><xf numFmtId="164"/></cellXfs></styleSheet>)";
    parts.sheet = Sheet(R"(<row r="1"><c r="A1" s="1"><v>0</v></c><c r="B1" s="0"><v>0</v></c></row>)");
    const TableResult dated = ReadXlsxParts(parts, std::nullopt);
    ASSERT_TRUE(dated.ok) << dated.message;
    EXPECT_EQ(dated.table.rows, (Rows{{"1904-01-01", "0"}}));
}

// DTDs are refused, and a sheet beyond the limits is refused, not allocated
// (damaged files are refused above); an area of it is read, its repeated
// cells copied and a cell's comment left out. (Repeated empty rows and
// columns, which cost nothing, fill the resaved sheet above.)
TEST(OdsContentTest, DamagedAndOversizedSheetsAreRefused)
{
    const std::string content =
        R"(<d xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
        R"( xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"><table:table>)"
        R"(<table:table-row table:number-rows-repeated="1000000"><table:table-cell table:number-columns-repeated="1000">)"
        R"(<text:p>x<text:s text:c="2"/>y<text:tab/>z</text:p><office:annotation><text:p>comment</text:p></office:annotation>)"
        R"(</table:table-cell></table:table-row></table:table></d>)";
    const TableResult read = ReadOdsContent(content, std::nullopt);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.message.find("too large"), std::string::npos) << read.message;
    const TableResult area = ReadOdsContent(content, SheetArea{.rows = 2, .columns = 2});
    ASSERT_TRUE(area.ok) << area.message;
    EXPECT_EQ(area.table.rows, Rows(2, {"x  y\tz", "x  y\tz"}));

    XlsxParts parts;
    parts.sheet = R"(<!DOCTYPE x [<!ENTITY a "aaaaaaaaaa">]><worksheet>&a;</worksheet>)";
    const TableResult dtd = ReadXlsxParts(parts, std::nullopt);
    EXPECT_FALSE(dtd.ok);
    EXPECT_NE(dtd.message.find("DTD"), std::string::npos) << dtd.message;
}

// ---- Number formats --------------------------------------------------------------------------

// Numbers shown as the sheet shows them (the sample files above hold leading
// zeros, percentages, thousands and a dotted date).
TEST(NumberFormatTest, ShowsTheNumberAsTheSheetDoes)
{
    const struct {
        const char* name;
        double value;
        std::string code;
        std::string shown;
    } cases[] = {
        {"GeneralBinaryNoise", 0.1 + 0.2, "General", "0.3"},
        {"GeneralLongPhone", 4915112345678, "", "4915112345678"}, {"GeneralHuge", 1.5e20, "", "1.5E+20"},
        {"FixedDecimalsRoundHalfUp", 2.675, "0.00", "2.68"}, {"OptionalDecimals", 3, "0.##", "3"},
        {"NegativeSection", -5, "0;(0)", "(5)"},
        {"LiteralsAndCurrency", 9.5, "[$\xE2\x82\xAC-407] 0.00\" net\"", "\xE2\x82\xAC 9.50 net"},
        {"BuiltInShortDate", 25877, std::string(BuiltInNumberFormat(14)), "11/5/1970"},
        {"MonthAndDayNames", 25877, "dddd d mmmm yy", "Thursday 5 November 70"},
        {"MinutesNotMonths", 0.5 + 90.0 / 86400, "hh:mm:ss", "12:01:30"},
        {"LeapDayThatNeverWas", 60, "yyyy-mm-dd", "1900-02-29"},
        {"DayBeforeIt", 59, "yyyy-mm-dd", "1900-02-28"},
        {"DateOutOfRangeAsGeneral", -1, "yyyy-mm-dd", "-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatCellNumber(c.value, c.code, false), c.shown) << c.name;
}

}  // namespace
}  // namespace orv
