// vCard cards: the program's own export read back, and the cards other
// programs write (2.1 with parameters, 3.0, 4.0, folding, quoted-printable,
// charsets, escapes, the birthday forms).
#include <gtest/gtest.h>

#include "exchange/vcard.h"

namespace orv {
namespace {

AddressFields Ann()
{
    AddressFields f;
    f.Name = "Ann Marie";
    f.Surname = "Lee";
    f.Day = "7";
    f.Month = "5";
    f.Year = "1970";
    f.Address = "Main Street 4";
    f.City = "0150 Oslo";
    f.Country = "Norway";
    f.Tele1 = "555 0101";
    f.Tele2 = "+47 900 00 000";
    f.Email1 = "ann@example.org";
    f.Email2 = "not@exported.org";
    f.More = {"not exported"};
    return f;
}

TEST(VCardExport, WritesTheCardLineByLine)
{
    EXPECT_EQ(WriteVCard(Ann()),
              "BEGIN:VCARD\r\n"
              "VERSION:2.1\r\n"
              "N:Lee;Ann Marie\r\n"
              "TEL;HOME;VOICE:555 0101\r\n"
              "TEL;CELL;VOICE:+47 900 00 000\r\n"
              "ADR;HOME:;;Main Street 4;0150 Oslo;;;Norway\r\n"
              "EMAIL;PREF;INTERNET:ann@example.org\r\n"
              "BDAY:19700507\r\n"
              "END:VCARD\r\n");
}

TEST(VCardExport, LeavesOutWhatIsNotFilled)
{
    AddressFields f;
    f.City = "Oslo";  // no address: no ADR line, so the city goes too
    f.Day = "7";
    f.Month = "5";    // no year: no BDAY
    EXPECT_EQ(WriteVCard(f), "BEGIN:VCARD\r\nVERSION:2.1\r\nN:;\r\nEND:VCARD\r\n");
}

// Stored texts go out decoded, whichever encoding they were stored in, and a
// 2.1 line with non-ASCII text names its charset.
TEST(VCardExport, WritesUtf8WithItsCharsetAndTheUid)
{
    AddressFields f;
    f.Name = "Jos\xE9";                 // Windows-1252
    f.Surname = "N\xC3\xBA\xC3\xB1" "ez;Jr"; // UTF-8, with a semicolon
    f.Address = "C\\ Mayor 1";
    f.City = "28013 Madrid";
    f.Country = "Espa\xF1" "a";
    f.Tele1 = "555";
    f.Email1 = "jose@example.org";
    EXPECT_EQ(WriteVCard(f, "6f1c-42"),
              "BEGIN:VCARD\r\n"
              "VERSION:2.1\r\n"
              "N;CHARSET=UTF-8:N\xC3\xBA\xC3\xB1" "ez\\;Jr;Jos\xC3\xA9\r\n"
              "TEL;HOME;VOICE:555\r\n"
              "ADR;HOME;CHARSET=UTF-8:;;C\\\\ Mayor 1;28013 Madrid;;;Espa\xC3\xB1" "a\r\n"
              "EMAIL;PREF;INTERNET:jose@example.org\r\n"
              "UID:6f1c-42\r\n"
              "END:VCARD\r\n");
    // Read back, the card gives the decoded person and its identity.
    const std::vector<CardFields> cards = ReadVCards(WriteVCard(f, "6f1c-42"));
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].Name, "Jos\xC3\xA9");
    EXPECT_EQ(cards[0].Surname, "N\xC3\xBA\xC3\xB1" "ez;Jr");
    EXPECT_EQ(cards[0].Address, "C\\ Mayor 1");
    EXPECT_EQ(cards[0].Uid, "6f1c-42");
}

TEST(VCardRoundTrip, ExportedAndReadBackGivesTheSamePerson)
{
    AddressFields sent = Ann();
    sent.Surname = "O;Brien\\Lee";  // a semicolon and a backslash survive
    sent.Name = "Zoë";
    const std::vector<CardFields> cards = ReadVCards(WriteVCard(sent));
    ASSERT_EQ(cards.size(), 1u);
    AddressFields back;
    ApplyCard(cards[0], back);
    back.Month = CheckBirthdayField(BirthdayField::Month, back.Month).text;
    back.Day = CheckBirthdayField(BirthdayField::Day, back.Day).text;
    sent.Email2.clear();
    sent.More.clear();
    EXPECT_EQ(back, sent);
}

struct ReadCase {
    const char* name;
    const char* text;
    CardFields expected;
};

CardFields Card(std::initializer_list<std::pair<std::optional<std::string> CardFields::*, const char*>> fields)
{
    CardFields c;
    for (const auto& [member, value] : fields) c.*member = value;
    return c;
}

CardFields WithLineBreaks(CardFields c, int fields)
{
    c.LineBreaks = fields;
    return c;
}

class VCardRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(VCardRead, FillsWhatTheCardProvides)
{
    const std::vector<CardFields> cards = ReadVCards(GetParam().text);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0], GetParam().expected);
}

using F = CardFields;

INSTANTIATE_TEST_SUITE_P(
    Cards, VCardRead,
    ::testing::Values(
        ReadCase{"FurtherNamesJoinTheFirstName", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann;Marie;;\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "Lee"}, {&F::Name, "Ann Marie"}})},
        ReadCase{"NameWithoutSemicolonIsTheSurname", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "Lee"}, {&F::Name, ""}})},
        ReadCase{"ModernPhoneExport",
                 "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nN:Lee;Ann;;;\nTEL;TYPE=CELL:+47 900\n"
                 "TEL;TYPE=HOME,VOICE:555 0101\nEMAIL;TYPE=INTERNET:ann@exam\n ple.org\n"
                 "ADR;TYPE=HOME:;;Main Street 4\\, flat 2;Oslo;;0150;Norway\nBDAY:1970-05-17\nEND:VCARD\n",
                 Card({{&F::Surname, "Lee"},
                       {&F::Name, "Ann"},
                       {&F::Tele1, "555 0101"},
                       {&F::Tele2, "+47 900"},
                       {&F::Email1, "ann@example.org"},
                       {&F::Address, "Main Street 4, flat 2"},
                       {&F::City, "0150 Oslo"},
                       {&F::Country, "Norway"},
                       {&F::Year, "1970"},
                       {&F::Month, "05"},
                       {&F::Day, "17"}})},
        ReadCase{"Version4WithFormattedNameOnly",
                 "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann Marie Lee\r\nTEL;VALUE=uri;TYPE=work:tel:+1-555-0101\r\n"
                 "EMAIL:a@b.org\r\nEMAIL;PREF=1:pref@b.org\r\nBDAY:--0517\r\nEND:VCARD\r\n",
                 Card({{&F::Name, "Ann Marie"},
                       {&F::Surname, "Lee"},
                       {&F::Tele1, "+1-555-0101"},
                       {&F::Email1, "pref@b.org"},
                       {&F::Email2, "a@b.org"},
                       {&F::Month, "05"},
                       {&F::Day, "17"}})},
        ReadCase{"QuotedPrintableLatin1WithSoftBreak",
                 "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n"
                 "=F6rg\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "M\xC3\xBCller"}, {&F::Name, "J\xC3\xB6rg"}})},
        ReadCase{"QuotedPrintableUtf8BareParameter",
                 "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;QUOTED-PRINTABLE:=C3=98st;=C3=85se\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "\xC3\x98st"}, {&F::Name, "\xC3\x85se"}})},
        ReadCase{"PropertyNamesInAnyCaseAndGroups",
                 "begin:vcard\r\nversion:2.1\r\nn:Lee;Ann\r\nitem1.tel;home;voice:123\r\nitem2.TEL;FAX:999\r\nend:vcard\r\n",
                 Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Tele1, "123"}})},
        ReadCase{"HomeAddressBeforeAnEarlierWorkAddress",
                 "BEGIN:VCARD\r\nVERSION:2.1\r\nADR;WORK:;;Office 1;Bergen;;;\r\nADR;HOME:;;Home 2;Oslo;;;Norway\r\n"
                 "TEL;WORK;VOICE:777\r\nEND:VCARD\r\n",
                 Card({{&F::Address, "Home 2"}, {&F::City, "Oslo"}, {&F::Country, "Norway"}, {&F::Tele1, "777"}})},
        ReadCase{"AgentCardInsideIsSkipped",
                 "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nAGENT:\r\nBEGIN:VCARD\r\nN:Agent;Smith\r\nEND:VCARD\r\n"
                 "EMAIL;INTERNET:ann@x.org\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Email1, "ann@x.org"}})},
        ReadCase{"Windows1252WithoutCharsetIsReadAsAStoredText",
                 "BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\xFCller;J\xF6rg\r\nEMAIL:j\x80@x.de\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "M\xC3\xBCller"}, {&F::Name, "J\xC3\xB6rg"}, {&F::Email1, "j\xE2\x82\xAC@x.de"}})},
        ReadCase{"UidIsKept", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nUID:urn:uuid:1234\r\nEND:VCARD\r\n",
                 Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Uid, "urn:uuid:1234"}})},
        ReadCase{"LineBreaksInValuesBecomeBlanks",
                 "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\\nMarie\r\n"
                 "ADR;TYPE=HOME:;;Main Street 4\\nFlat 2;Oslo;;0150;Nor\r\n way\r\n"
                 "TEL:555\\n0101\r\nNOTE:first\\nsecond\r\n"
                 "EMAIL;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:a=0D=0A@b.org\r\nEND:VCARD\r\n",
                 WithLineBreaks(Card({{&F::Surname, "Lee"},
                                      {&F::Name, "Ann Marie"},
                                      {&F::Address, "Main Street 4 Flat 2"},
                                      {&F::City, "0150 Oslo"},
                                      {&F::Country, "Norway"},
                                      {&F::Tele1, "555 0101"},
                                      {&F::Email1, "a @b.org"}}),
                                4)},
        ReadCase{"BirthdayInAnotherFormIsLeftAlone", "BEGIN:VCARD\r\nVERSION:2.1\r\nBDAY:17 May 1970\r\nEND:VCARD\r\n",
                 CardFields{}},
        ReadCase{"FileCutOffInsideTheCard", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nBDAY:19700517T000000Z",
                 Card({{&F::Surname, "Lee"}, {&F::Name, "Ann"}, {&F::Year, "1970"}, {&F::Month, "05"}, {&F::Day, "17"}})}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(VCardRead, TextWithoutACardHasNone)
{
    EXPECT_TRUE(ReadVCards("").empty());
    EXPECT_TRUE(ReadVCards("N:Lee;Ann\r\nEND:VCARD\r\n").empty());
    EXPECT_TRUE(ReadVCards("\x89PNG\r\n\x1a\n").empty());
}

TEST(VCardRead, TwoCardsMakeOnePersonWhereTheLaterOneWins)
{
    const std::vector<CardFields> cards = ReadVCards(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nTEL;HOME;VOICE:1\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Bob\r\nEMAIL;PREF;INTERNET:bob@x\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 2u);
    AddressFields f;
    f.Country = "kept";
    ApplyCard(MergeCards(cards), f);
    EXPECT_EQ(f.Name, "Bob");
    EXPECT_EQ(f.Surname, "Berg");
    EXPECT_EQ(f.Tele1, "1");
    EXPECT_EQ(f.Email1, "bob@x");
    EXPECT_EQ(f.Country, "kept");
}

}  // namespace
}  // namespace orv
