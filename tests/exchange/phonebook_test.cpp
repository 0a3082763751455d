// The phone book: who is listed and in which order, and the page and text
// file "Save as.." writes, compared with the files under tests/data/exchange.
#include <gtest/gtest.h>

#include "exchange/phonebook/phonebook.h"
#include "exchangetest.h"

namespace orv {
namespace {

AData Person(std::string name, std::string surname, std::string tele1, std::string email = {}, std::string tele2 = {})
{
    AData a;
    a.Name = std::move(name);
    a.Surname = std::move(surname);
    a.Tele1 = std::move(tele1);
    a.Tele2 = std::move(tele2);
    a.Email1 = std::move(email);
    return a;
}

// In address-list order (by birthday), not by name.
std::vector<AData> Sample()
{
    return {Person("anna", "Berg", "555 3"),
            Person("Tom & Jerry", "<TJ>", "\"1\" & 2", "tom&jerry@example.org"),
            Person("Anders", "Lund", "555 1", "anders lund@example.org"),
            Person("Only", "Mobile", "", "", "900"),
            Person("Nils", "\xC3\x96rn", "555 4"),
            Person("\xC3\x96rjan", "Ek", "555 5"),
            Person("Anders", "Lund", "555 2"),
            // Older records in Windows-1252 beside UTF-8 ones.
            Person("Zoe", "Weiss", "555 7"),
            Person("\xC9mile", "Zola", "555 6", "\xE9mile@example.org"),
            Person("J\xFCrgen", "M\xC3\xBCller", "555 8"),
            // Names that start with markup characters, as imported files may hold.
            Person("'x' style='color:red' onmouseover='alert(1)", "", "1"),
            Person("\"Doc\"", "Holliday", "2"),
            Person("<b>", "Bold", "3")};
}

// The page escapes texts and opens a group per first character; the text
// file has one line per person with a first number, by name without regard
// to case ("Only Mobile", with a second number only, is not listed); the two
// Anders keep their list order; every text is decoded, field by field, and
// sorted decoded. An empty book has no rows.
TEST(PhoneBook, PageAndTextFileAreTheGoldenOnes)
{
    PhoneBookPage page;
    page.Width = 640;
    page.Link = "yellow";
    EXPECT_EQ(PhoneBookHtml(PhoneBookRows(Sample()), page), test::SampleFile("phonebook.htm"));
    EXPECT_EQ(PhoneBookText(PhoneBookRows(Sample())), test::SampleFile("phonebook.txt"));
    EXPECT_EQ(PhoneBookText({}), "ORV Phone book\r\n");
    EXPECT_EQ(PhoneBookHtml({}, {}).find("<a name="), std::string::npos);
}

// An empty width is none, and an empty name has no initial. (A width that
// is no whole number, its message, and the initial as a whole character of
// either encoding are pinned by orv-cli's phone book cases.)
TEST(PhoneBook, EmptyWidthAndInitial)
{
    EXPECT_EQ(ParsePageWidth(""), std::nullopt);
    EXPECT_EQ(Initial(""), "");
}

}  // namespace
}  // namespace orv
