// The rich-text reader and writer: every format the letter area has survives
// a round trip, files written by a word processor read with their formatting,
// and damaged files are refused with a message.
#include <gtest/gtest.h>

#include "exchange/letters/rtf.h"
#include "exchangetest.h"

namespace orv {
namespace {

using test::Plain;

CharFormat With(void (*change)(CharFormat&))
{
    CharFormat f = Plain();
    change(f);
    return f;
}

// Every format and text the letter area has comes back from a file.
TEST(RtfTest, FormatAndTextComeBack)
{
    const struct {
        const char* name;
        CharFormat format;
        Alignment alignment;
        std::string text;
    } cases[] = {
        {"AllStyles", With([](CharFormat& f) { f.bold = f.italic = f.underline = f.strikeOut = true; }),
         Alignment::Left, "all"},
        {"FontAndHalfPointSize", With([](CharFormat& f) { f.font = "DejaVu Sans Mono", f.halfPoints = 21; }),
         Alignment::Left, "10.5 pt"},
        {"Colour", With([](CharFormat& f) { f.color = Rgb{201, 33, 30}; }), Alignment::Left, "red"},
        {"Black is not automatic", With([](CharFormat& f) { f.color = Rgb{0, 0, 0}; }), Alignment::Left, "k"},
        {"Center", Plain(), Alignment::Center, "centred"},
        {"Justify", Plain(), Alignment::Justify, "justified"},
        {"RtfSyntaxInText", Plain(), Alignment::Left, "{fn} \\par } {"},
        {"LineBreakAndTab", Plain(), Alignment::Left, "line\xE2\x80\xA8" "break\tand tab"},
        {"Windows1252Letters", Plain(), Alignment::Left, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE2\x80\x93"},
        {"BeyondTheCodePage", Plain(), Alignment::Left, "\xD0\x96 \xE6\x97\xA5\xE6\x9C\xAC"},
        {"BeyondSixteenBits", Plain(), Alignment::Left, "\xF0\x9F\x98\x80!"},
        {"FontNameOutsideAscii", With([](CharFormat& f) { f.font = "Schrift \xC3\x9C"; }), Alignment::Left, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RichDocument doc;
        doc.paragraphs.resize(2);
        doc.paragraphs[0].alignment = c.alignment;
        doc.paragraphs[0].Append("before ", Plain());
        doc.paragraphs[0].Append(c.text, c.format);
        doc.paragraphs[1].Append("next paragraph", Plain("DejaVu Sans", 20));
        const std::string rtf = WriteRtf(doc);
        EXPECT_EQ(rtf.find_first_of("\x80\xff"), std::string::npos) << "RTF is 7-bit";
        const RtfReadResult read = ReadRtf(rtf);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.document, doc) << rtf;
    }
    // Empty paragraphs and the last paragraph mark survive too.
    RichDocument doc;
    doc.paragraphs.resize(4);
    doc.paragraphs[1].Append("middle", Plain());
    const RtfReadResult read = ReadRtf(WriteRtf(doc));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.document, doc);
}

// The document without some text, its runs joined again where they meet.
RichDocument Without(const RichDocument& doc, std::string_view text)
{
    RichDocument out;
    for (const Paragraph& p : doc.paragraphs) {
        Paragraph q;
        q.alignment = p.alignment;
        for (const TextRun& run : p.runs) {
            std::string t = run.text;
            for (std::size_t at = t.find(text); at != std::string::npos; at = t.find(text)) t.erase(at, text.size());
            q.Append(t, run.format);
        }
        out.paragraphs.push_back(std::move(q));
    }
    return out;
}

// The word processor's files: what it wrote reads with its formatting, and
// what it made of ours reads as ours.
TEST(RtfTest, TheWordProcessorAndWeReadEachOthersLetters)
{
    // Written by LibreOffice Writer from letter.fodt beside it.
    const RtfReadResult read = ReadRtf(test::SampleFile("letter-writer.rtf"));
    ASSERT_TRUE(read.ok) << read.message;
    const std::vector<Paragraph>& p = read.document.paragraphs;
    ASSERT_EQ(p.size(), 5u) << testing::PrintToString(read.document);
    EXPECT_TRUE(read.dropped.empty());

    CharFormat bold14 = Plain("Liberation Serif", 28);
    bold14.bold = true;
    EXPECT_EQ(p[0].alignment, Alignment::Center);
    EXPECT_EQ(p[0].runs, (std::vector<TextRun>{{"Dear {fn} {sn},", bold14}}));

    EXPECT_TRUE(p[1].runs.empty());

    EXPECT_EQ(p[2].alignment, Alignment::Justify);
    ASSERT_GE(p[2].runs.size(), 4u);
    EXPECT_EQ(p[2].runs[0].text, "thank you");
    EXPECT_TRUE(p[2].runs[0].format.italic);
    EXPECT_EQ(p[2].runs[2].format.color, (Rgb{201, 33, 30}));
    EXPECT_TRUE(p[2].runs[3].format.strikeOut);
    EXPECT_FALSE(p[2].runs[0].format.color) << "the automatic colour stays automatic";

    EXPECT_EQ(p[3].PlainText(), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC {ad}\xE2\x80\xA8{ci}\t{co}");
    EXPECT_EQ(p[3].runs[0].format, Plain("DejaVu Sans Mono", 21));

    EXPECT_EQ(p[4].alignment, Alignment::Right);
    EXPECT_EQ(p[4].PlainText(), "Ann");

    // letter-orv.rtf was written by WriteRtf; the word processor opened it and
    // saved letter-orv-resaved.rtf. What it kept is what a person sees there.
    const RtfReadResult ours = ReadRtf(test::SampleFile("letter-orv.rtf"));
    const RtfReadResult resaved = ReadRtf(test::SampleFile("letter-orv-resaved.rtf"));
    ASSERT_TRUE(ours.ok && resaved.ok);
    EXPECT_EQ(resaved.document.PlainText(), ours.document.PlainText());
    // It writes East Asian characters in a run of their own without their size.
    const std::string_view asian = "\xE6\x97\xA5\xE6\x9C\xAC ";
    EXPECT_EQ(Without(resaved.document, asian), Without(ours.document, asian));
}

// Text as it reads, and what the letter cannot keep, named so that saving
// over such a file can warn.
TEST(RtfTest, ReadsTheTextAndNamesWhatTheLetterCannotKeep)
{
    const struct {
        std::string rtf;
        std::string text;  // paragraphs joined by '|'
        std::vector<std::string> dropped = {};
    } cases[] = {
        {R"({\rtf1\foo12 a{\*\bar hidden}{\unknowndest b}\zzz c})", "abc"},
        {R"({\rtf1{\info{\title T}}{\header H}{\pict 0a0b}x{\field{\*\fldinst HYPERLINK}{\fldrslt link}}})",
         "xlink", {"headers and footers", "pictures"}},
        {R"({\rtf1\ansi\ansicpg1251 \'c6\'e8})", "\xD0\x96\xD0\xB8"},
        {R"({\rtf1\ansi{\fonttbl{\f0 A;}{\f1\fcharset238 B;}}\f1 \'b9\f0 \'b9})", "\xC4\x85\xC2\xB9"},
        {R"({\rtf1\uc2\u8364 EUR\u8364\'80\'80!})", "\xE2\x82\xAC" "R\xE2\x82\xAC!"},
        {R"({\rtf1\u-3913?})", "\xEF\x82\xB7"},
        {R"({\rtf1\u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
        {R"({\rtf1 \{\}\\\~\emdash\lquote x\rquote})", "{}\\\xC2\xA0\xE2\x80\x94\xE2\x80\x98x\xE2\x80\x99"},
        {"{\\rtf1 a\\par b\\\r\nc\\sect d\\page e\\par}", "a|b|c|d|e"},
        {"{\\rtf1 a\r\nb\nc}", "abc"},
        {std::string("{\\rtf1 a\\bin3 \x00}{b}", 19), "ab"},
        {R"({\rtf1 a\cell b\cell\row c})", "a\tb\t|c"},
        {std::string("{\\rtf1 a}\r\n\0", 12), "a"},
        {R"({\rtf1 a{\footnote n}{\*\annotation c}{\object{\*\objdata 0102}}{\footnote m}})", "a",
         {"footnotes", "comments", "embedded objects"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rtf);
        const RtfReadResult read = ReadRtf(c.rtf);
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.document.PlainText("|"), c.text);
        EXPECT_EQ(read.dropped, c.dropped);
    }
    const RtfReadResult office = ReadRtf(test::SampleFile("letter-parts.rtf"));
    EXPECT_EQ(office.dropped, (std::vector<std::string>{"headers and footers", "pictures", "tables"}));
}

TEST(RtfTest, DamagedInputIsRefusedWithAMessage)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"({\rtf1 {\b a} b)", "1 '{' without a matching '}'"},
        {R"({\rtf1 a}})", "a '}' at byte 10 closes no group"},
        {"Dear Ann", "not a rich-text (RTF) file"},
    };
    for (const auto& [rtf, message] : cases) {
        const RtfReadResult read = ReadRtf(rtf);
        EXPECT_FALSE(read.ok) << rtf;
        EXPECT_NE(read.message.find(message), std::string::npos) << read.message;
    }
    // Deep nesting does not exhaust the stack.
    std::string rtf = "{\\rtf1 ";
    rtf += std::string(200000, '{') + "x" + std::string(200000, '}') + "}";
    const RtfReadResult read = ReadRtf(rtf);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.document.PlainText(), "x");
}

}  // namespace
}  // namespace orv
