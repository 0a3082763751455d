// vCard cards: the program's own export read back, and the cards other
// programs write (2.1 with parameters, 3.0, 4.0, folding, quoted-printable,
// charsets, escapes, the birthday forms).
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "exchange/vcard/vcard.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

void PrintTo(const CardFields& c, std::ostream* os)
{
    ForEachShownText([&](const PersonFieldInfo& info, auto field) {
        if (field(c)) *os << info.name << "='" << *field(c) << "' ";
    });
    if (c.Uid) *os << "Uid='" << *c.Uid << "' ";
    *os << "LineBreaks=" << c.LineBreaks;
    for (const std::string& l : c.More) *os << " More='" << l << "'";
    for (const std::string& l : c.Lost) *os << " Lost='" << l << "'";
}

namespace {

// A person whose every field holds a text of its own, the birthday a date.
AddressFields Distinct()
{
    AddressFields f;
    ForEachShownText([&](const PersonFieldInfo& info, auto field) { field(f) = "the-" + std::string(info.name); });
    f.Day = "17", f.Month = "11", f.Year = "1970";
    f.More = {"the-More"};
    return f;
}

// Only what is filled goes out: no ADR without an address (the city goes
// too), a birthday without a year has none, one without a month is none.
// Each stored text is decoded on its own, an older file's byte beside
// UTF-8, and a semicolon in a part is escaped. (A card of every field and
// the charsets are pinned by orv-cli's vcard cases.)
TEST(VCardExport, WritesOnlyWhatIsFilledEachTextDecoded)
{
    AddressFields noYear, noMonth, mixed;
    noYear.City = "Oslo";
    noYear.Day = "7";
    noYear.Month = "5";
    noMonth.Day = "7";
    mixed.Name = "Jos\xE9";                       // Windows-1252
    mixed.Surname = "N\xC3\xBA\xC3\xB1" "ez;Jr";  // UTF-8, with a semicolon
    EXPECT_EQ(WriteVCard(noYear, ""), "BEGIN:VCARD\r\nVERSION:2.1\r\nN:;\r\nBDAY:--0507\r\nEND:VCARD\r\n");
    EXPECT_EQ(WriteVCard(noMonth, ""), "BEGIN:VCARD\r\nVERSION:2.1\r\nN:;\r\nEND:VCARD\r\n");
    EXPECT_EQ(WriteVCard(mixed, ""),
              "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:N\xC3\xBA\xC3\xB1" "ez\\;Jr;Jos\xC3\xA9\r\nEND:VCARD\r\n");
}

// The fields "Export vCard" leaves out; every other field the view shows goes
// out (in its line of orv-cli's vcard cases) and must come back into itself, so
// a field added to the view without a place in the card fails here.
constexpr PersonField kNotExported[] = {PersonField::Email2, PersonField::Email3, PersonField::More};

TEST(VCardExport, EachFieldReadsBackIntoItself)
{
    const AddressFields sent = Distinct();
    const std::string card = WriteVCard(sent);
    const std::vector<CardFields> cards = ReadVCards(card);
    ASSERT_EQ(cards.size(), 1u);
    AddressFields back;
    ApplyCard(cards[0], back);
    ForEachShownField([&](const PersonFieldInfo& info, auto field) {
        using Value = std::decay_t<decltype(field(sent))>;
        const bool left = std::find(std::begin(kNotExported), std::end(kNotExported), info.id) != std::end(kNotExported);
        EXPECT_EQ(field(back), left ? Value{} : field(sent)) << info.name;
    });
}

// What a card gives goes into its own field and no other; a field the card
// does not mention keeps its text, in a merge of cards and in the person.
TEST(VCardRead, EachFieldIsMergedAndAppliedIntoItselfAlone)
{
    ForEachShownText([](const PersonFieldInfo& given, auto givenField) {
        CardFields early, late;
        ForEachShownText([&](const PersonFieldInfo& info, auto field) { field(early) = "early-" + std::string(info.name); });
        givenField(late) = "late";
        AddressFields merged, applied;
        ApplyCard(MergeCards({early, late}), merged);
        ForEachShownText([&](const PersonFieldInfo& info, auto field) { field(applied) = "kept-" + std::string(info.name); });
        ApplyCard(late, applied);
        ForEachShownText([&](const PersonFieldInfo& info, auto field) {
            const bool same = info.id == given.id;
            EXPECT_EQ(field(merged), same ? "late" : "early-" + std::string(info.name)) << given.name << " " << info.name;
            EXPECT_EQ(field(applied), same ? "late" : "kept-" + std::string(info.name)) << given.name << " " << info.name;
        });
    });
}

CardFields Card(std::initializer_list<std::pair<std::optional<std::string> CardFields::*, const char*>> fields)
{
    CardFields c;
    for (const auto& [member, value] : fields) c.*member = value;
    return c;
}

// The further lines, what was lost and the fields whose line breaks became
// blanks, besides the fields.
CardFields With(CardFields c, std::vector<std::string> more, std::vector<std::string> lost = {},
                int lineBreaks = 0)
{
    c.More = std::move(more);
    c.Lost = std::move(lost);
    c.LineBreaks = lineBreaks;
    return c;
}

using F = CardFields;

TEST(VCardRead, FillsWhatTheCardProvides)
{
    const struct {
        const char* name;
        const char* text;
        CardFields expected;
    } cases[] = {
        {"EscapedSemicolonAndBackslash", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:O\\;Brien\\\\Lee;Zo\xC3\xAB\r\nEND:VCARD\r\n",
         Card({{&F::Surname, "O;Brien\\Lee"}, {&F::Name, "Zo\xC3\xAB"}})},
        {"ModernPhoneExport",
         "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nN:Lee;Ann;;;\nTEL;TYPE=CELL:+47 900\n"
         "TEL;TYPE=HOME,VOICE:555 0101\nEMAIL;TYPE=INTERNET:ann@exam\n ple.org\n"
         "ADR;TYPE=HOME:;;Main Street 4\\, flat 2;Oslo;;0150;Norway\nBDAY:1970-05-17\nUID:urn:uuid:1234\nEND:VCARD\n",
         Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Tele1, "555 0101"}, {&F::Tele2, "+47 900"},
               {&F::Email1, "ann@example.org"}, {&F::Address, "Main Street 4, flat 2"}, {&F::City, "0150 Oslo"},
               {&F::Country, "Norway"}, {&F::Year, "1970"}, {&F::Month, "05"}, {&F::Day, "17"},
               {&F::Uid, "urn:uuid:1234"}})},
        {"Version4WithFormattedNameOnly",
         "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann Marie Lee\r\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0101\r\n"
         "EMAIL:a@b.org\r\nEMAIL;PREF=1:pref@b.org\r\nBDAY:--0517\r\nEND:VCARD\r\n",
         Card({{&F::Name, "Ann Marie"}, {&F::Surname, "Lee"}, {&F::Tele1, "+1-555-0101"},
               {&F::Email1, "pref@b.org"}, {&F::Email2, "a@b.org"}, {&F::Month, "05"}, {&F::Day, "17"}})},
        {"QuotedPrintableLatin1WithSoftBreak",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n"
         "=F6rg\r\nEND:VCARD\r\n",
         Card({{&F::Surname, "M\xC3\xBCller"}, {&F::Name, "J\xC3\xB6rg"}})},
        {"PropertyNamesInAnyCaseAndGroups",
         "begin:vcard\r\nversion:2.1\r\nn:Lee;Ann\r\nitem1.tel;home;voice:123\r\nitem2.TEL;FAX:999\r\nend:vcard\r\n",
         With(Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Tele1, "123"}}), {"Telephone (fax): 999"})},
        {"HomeAddressBeforeAnEarlierWorkAddress",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nADR;WORK:;;Office 1;Bergen;;;\r\nADR;HOME:;;Home 2;Oslo;;;Norway\r\n"
         "TEL;WORK;VOICE:777\r\nEND:VCARD\r\n",
         With(Card({{&F::Address, "Home 2"}, {&F::City, "Oslo"}, {&F::Country, "Norway"}, {&F::Tele1, "777"}}),
              {"Address (work): Office 1, Bergen"})},
        {"Windows1252WithoutCharsetIsReadAsAStoredText",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\xFCller;J\xF6rg\r\nEMAIL:j\x80@x.de\r\nEND:VCARD\r\n",
         Card({{&F::Surname, "M\xC3\xBCller"}, {&F::Name, "J\xC3\xB6rg"}, {&F::Email1, "j\xE2\x82\xAC@x.de"}})},
        {"LineBreaksInValuesBecomeBlanks",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\\nMarie\r\n"
         "ADR;TYPE=HOME:;;Main Street 4\\nFlat 2;Oslo;;0150;Nor\r\n way\r\n"
         "TEL:555\\n0101\r\nNOTE:first\\nsecond\r\n"
         "EMAIL;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:a=0D=0A@b.org\r\nEND:VCARD\r\n",
         With(Card({{&F::Surname, "Lee"}, {&F::Name, "Ann Marie"}, {&F::Address, "Main Street 4 Flat 2"},
                    {&F::City, "0150 Oslo"}, {&F::Country, "Norway"}, {&F::Tele1, "555 0101"},
                    {&F::Email1, "a @b.org"}}),
              {"Note: first", "second"}, {}, 4)},
        {"BirthdayInAnotherFormIsLeftAloneAndNamed",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nBDAY:17 May 1970\r\nEND:VCARD\r\n",
         With({}, {}, {"The birthday '17 May 1970' is no date ORV reads; it was left out."})},
        // An address book's birthday without a year: a placeholder year and
        // a parameter naming it.
        {"PlaceholderYearIsNoYear",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-07-04\r\nEND:VCARD\r\n",
         Card({{&F::Month, "07"}, {&F::Day, "04"}})},
        {"Version21FoldKeepsItsBlank",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nADR;HOME:;;Mannerheimintie\r\n 12 B 5;Helsinki;;00100;\r\nEND:VCARD\r\n",
         Card({{&F::Address, "Mannerheimintie 12 B 5"}, {&F::City, "00100 Helsinki"}, {&F::Country, ""}})},
        {"WhatHasNoFieldGoesToTheAdditionalInformation",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;Marie;Dr.;PhD\r\nORG:Acme;Sales\r\nTITLE:Buyer\r\n"
         "NOTE:Met at the fair\\nlikes tea\r\nTEL;TYPE=HOME:1\r\nTEL;TYPE=CELL:2\r\nTEL;TYPE=WORK:3\r\n"
         "EMAIL:a@x\r\nEMAIL:b@x\r\nEMAIL:c@x\r\nEMAIL:d@x\r\nADR;TYPE=HOME:PO 9;c/o Berg;Street 1;Oslo;;;\r\n"
         "URL:https://ann.example\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\nGEO:59.9;10.7\r\nX-ABUID:1\r\n"
         "END:VCARD\r\n",
         With(Card({{&F::Surname, "Lee"}, {&F::Name, "Ann Marie"}, {&F::Tele1, "1"}, {&F::Tele2, "2"},
                    {&F::Email1, "a@x"}, {&F::Email2, "b@x"}, {&F::Email3, "c@x"}, {&F::Address, "Street 1"},
                    {&F::City, "Oslo"}, {&F::Country, ""}}),
              {"Name prefix: Dr.", "Name suffix: PhD", "Organisation: Acme, Sales", "Title: Buyer",
               "Note: Met at the fair", "likes tea", "Web page: https://ann.example", "Telephone (work): 3",
               "E-mail: d@x", "Post office box: PO 9", "Extended address: c/o Berg"},
              {"Not kept: PHOTO, GEO."})},
        {"CompanyCardIsNamedAfterItsOrganisation",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Acme\r\nORG:Acme;Sales\r\nTEL:555\r\nEND:VCARD\r\n",
         Card({{&F::Surname, "Acme, Sales"}, {&F::Name, ""}, {&F::Tele1, "555"}})},
        {"FileCutOffInsideTheCard", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nBDAY:19700517T000000Z",
         Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Year, "1970"}, {&F::Month, "05"}, {&F::Day, "17"}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CardFields> cards = ReadVCards(c.text);
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(cards[0], c.expected);
    }
}

// However the file is encoded, every card is read, the first included.
TEST(VCardRead, FileEncodingsGiveEveryCard)
{
    const std::string two = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:L\xC3\xA9" "e;Ann\r\nEND:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Bob\r\nEND:VCARD\r\n";
    const auto utf16 = [&](bool little, bool bom) {
        std::string out = bom ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
        std::size_t pos = 0;
        while (pos < two.size()) {
            const char32_t cp = NextCodePoint(two, pos);
            const char hi = static_cast<char>(cp >> 8), lo = static_cast<char>(cp & 0xFF);
            out += little ? std::string{lo, hi} : std::string{hi, lo};
        }
        return out;
    };
    for (const std::string& file : {two, "\xEF\xBB\xBF" + two, utf16(true, true), utf16(false, true), utf16(true, false)}) {
        const std::vector<CardFields> cards = ReadVCards(file);
        ASSERT_EQ(cards.size(), 2u) << file;
        EXPECT_EQ(cards[0].Surname, "L\xC3\xA9" "e");
        EXPECT_EQ(cards[1].Surname, "Berg");
    }
    // A text without a card has none.
    EXPECT_TRUE(ReadVCards("").empty());
    EXPECT_TRUE(ReadVCards("N:Lee;Ann\r\nEND:VCARD\r\n").empty());
    EXPECT_TRUE(ReadVCards("\x89PNG\r\n\x1a\n").empty());
}

// The further lines join the person's own, once: importing the card again adds none.
TEST(VCardRead, FurtherLinesAreAddedOnce)
{
    const std::vector<CardFields> cards = ReadVCards(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nORG:Acme\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nTITLE:Buyer\r\nBDAY:soon\r\nEND:VCARD\r\n");
    const CardFields merged = MergeCards(cards);
    EXPECT_EQ(merged.Lost.size(), 1u);
    AddressFields f;
    f.More = {"Met in 2001"};
    ApplyCard(merged, f);
    ApplyCard(merged, f);
    EXPECT_EQ(f.More, (std::vector<std::string>{"Met in 2001", "Organisation: Acme", "Title: Buyer"}));
}

}  // namespace
}  // namespace orv
