// The letter merge, the example browsing and plain-text letter files.
#include <gtest/gtest.h>

#include "exchange/letters/letter.h"
#include "exchange/letters/rtf.h"
#include "exchangetest.h"

namespace orv {
namespace {

using test::Plain;

LetterRow Row(std::string first, std::string surname)
{
    LetterRow row;
    row[LetterColumn::FirstName] = std::move(first);
    row[LetterColumn::Surname] = std::move(surname);
    row[LetterColumn::Address] = "Main Street 1";
    row[LetterColumn::City] = "1234 Town";
    row[LetterColumn::Country] = "Land";
    row[LetterColumn::Tele1] = "555";
    row[LetterColumn::Tele2] = "666";
    row[LetterColumn::Email1] = "ann@example.org";
    row[LetterColumn::DateText] = "5/11";
    return row;
}

TEST(MergeLetterTest, FillsTheCodes)
{
    const struct {
        std::string letter;
        LetterRow row;
        std::string merged;
    } cases[] = {
        {"Dear {fn} {sn},", Row("Ann", "Lee"), "Dear Ann Lee,"},
        {"{FN} {Fn} {fn}", Row("Ann", "Lee"), "{FN} {Fn} Ann"},  // codes are case-sensitive
        {"{fn} {sn}", Row("{sn}", "Lee"), "{sn} Lee"},          // a value is not searched again
        {"{em}", Row("Ann", "Lee"), "ann@example.org"},         // the first address, not the phone
        {"{ad}|{ci}|{co}|{tn}", Row("Ann", "Lee"), "Main Street 1|1234 Town|Land|555"},
        {"{x} {{fn}} {fn", Row("Ann", "Lee"), "{x} {Ann} {fn"},
        {"Dear {fn} {sn},", LetterRow{}, "Dear  ,"},
        {"{fn}", Row("J\xF6rg", "Lee"), "J\xC3\xB6rg"},  // stored Windows-1252 is decoded
    };
    for (const auto& c : cases) EXPECT_EQ(MergeLetterText(c.letter, c.row), c.merged) << c.letter;
}

// A value takes the format of its code, also across runs; its line breaks
// stay in the paragraph.
TEST(MergeLetterTest, ValueTakesTheFormatOfItsCodeAlsoAcrossRuns)
{
    CharFormat bold = Plain();
    bold.bold = true;
    CharFormat red = Plain();
    red.color = Rgb{255, 0, 0};
    RichDocument letter;
    letter.paragraphs.resize(2);
    letter.paragraphs[0].alignment = Alignment::Center;
    letter.paragraphs[0].Append("Dear ", Plain());
    letter.paragraphs[0].Append("{f", bold);  // the code made bold halfway
    letter.paragraphs[0].Append("n} and {sn}", red);
    letter.paragraphs[1].Append("{ad}", Plain());

    LetterRow row = Row("Ann", "Lee");
    row[LetterColumn::Address] = "c/o Bo\r\nMain Street 1";
    const RichDocument merged = MergeLetter(letter, row);
    ASSERT_EQ(merged.paragraphs.size(), 2u);
    EXPECT_EQ(merged.paragraphs[0].alignment, Alignment::Center);
    EXPECT_EQ(merged.paragraphs[0].runs,
              (std::vector<TextRun>{{"Dear ", Plain()}, {"Ann", bold}, {" and Lee", red}}));
    EXPECT_EQ(merged.paragraphs[1].PlainText(), "c/o Bo\xE2\x80\xA8Main Street 1");
}

TEST(ExampleCursorTest, ThreePersonsStepFromFirstToLastAndBack)
{
    ExampleCursor cursor(3);
    EXPECT_EQ(cursor.StatusText(), "Example 1/3");
    EXPECT_FALSE(cursor.CanPrevious());
    EXPECT_TRUE(cursor.Next());
    EXPECT_TRUE(cursor.Next());
    EXPECT_EQ(cursor.Row(), 2u);
    EXPECT_FALSE(cursor.CanNext());
    EXPECT_FALSE(cursor.Next());

    // The list shrank in the data list window meanwhile.
    cursor.SetRowCount(2);
    EXPECT_EQ(cursor.StatusText(), "Example 2/2");
    EXPECT_TRUE(cursor.Previous());
    EXPECT_FALSE(cursor.CanPrevious());

    // An empty list is one empty example.
    const ExampleCursor empty(0);
    EXPECT_EQ(empty.StatusText(), "Example 1/1");
    EXPECT_FALSE(empty.CanNext());
}

TEST(PlainLetterTest, WritesUtf8LinesAndReadsUtf8Windows1252OrRichText)
{
    RichDocument letter;
    letter.paragraphs.resize(3);
    letter.paragraphs[0].Append("Dear {fn},", Plain());
    letter.paragraphs[2].Append("Gr\xC3\xBC\xC3\x9F" "e\xE2\x80\xA8" "Ann", Plain());
    const std::string file = WritePlainLetter(letter);
    EXPECT_EQ(file, "Dear {fn},\r\n\r\nGr\xC3\xBC\xC3\x9F" "e\r\nAnn\r\n");

    const LetterReadResult read = ReadLetterFile(file, "letter.txt");
    ASSERT_TRUE(read.ok);
    EXPECT_FALSE(read.richText);
    EXPECT_EQ(read.document.PlainText("|"), "Dear {fn},||Gr\xC3\xBC\xC3\x9F" "e|Ann");
    EXPECT_EQ(WritePlainLetter(RichDocument{{Paragraph{}}}), "");

    // An older file in Windows-1252, and rich text told by its content.
    const LetterReadResult old = ReadLetterFile("Gr\xFC\xDF" "e \x80\r\n", "old.txt");
    ASSERT_TRUE(old.ok);
    EXPECT_EQ(old.document.PlainText(), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");

    const LetterReadResult rich = ReadLetterFile("\r\n{\\rtf1 {\\b Bold}}", "named.txt");
    ASSERT_TRUE(rich.ok);
    EXPECT_TRUE(rich.richText);
    EXPECT_TRUE(rich.document.paragraphs[0].runs[0].format.bold);

    // A damaged file is refused with its name. (A binary one is the text
    // reader's, shared with the semicolon text and refused in its test.)
    const LetterReadResult broken = ReadLetterFile("{\\rtf1 {\\b x}", "/tmp/cut.rtf");
    EXPECT_FALSE(broken.ok);
    EXPECT_NE(broken.message.find("/tmp/cut.rtf"), std::string::npos);
}

}  // namespace
}  // namespace orv
