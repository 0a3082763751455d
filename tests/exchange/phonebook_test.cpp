// The phone book: who is listed and in which order, and the page and text
// file "Save as.." writes, compared with the files under tests/data/exchange.
#include <gtest/gtest.h>

#include "exchange/phonebook/phonebook.h"
#include "store/textutil.h"

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

std::string Golden(const char* name)
{
    return ReadWholeFile(std::string(ORV_EXCHANGE_TEST_DATA) + "/" + name).content;
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
    EXPECT_EQ(PhoneBookHtml(PhoneBookRows(Sample()), page), Golden("phonebook.htm"));
    EXPECT_EQ(PhoneBookText(PhoneBookRows(Sample())), Golden("phonebook.txt"));
    EXPECT_EQ(PhoneBookText({}), "ORV Phone book\r\n");
    EXPECT_EQ(PhoneBookHtml({}, {}).find("<a name="), std::string::npos);
}

// The width must be a whole number; the initial is a whole character.
TEST(PhoneBook, WidthAndInitial)
{
    EXPECT_EQ(ParsePageWidth("500"), 500);
    EXPECT_EQ(ParsePageWidth("50%"), std::nullopt);
    EXPECT_EQ(ParsePageWidth(""), std::nullopt);
    EXPECT_EQ(NotAnIntegerMessage("50%"), "'50%' is not a valid integer value");
    EXPECT_EQ(Initial("\xC3\x96rjan"), "\xC3\x96");
    EXPECT_EQ(Initial("\xD6rjan"), "\xD6");  // an older single-byte text
    EXPECT_EQ(Initial(""), "");
}

}  // namespace
}  // namespace orv
