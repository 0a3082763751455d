// The phone book: who is listed and in which order. The page and the text
// file themselves (escapes, groups, widths, colours, both encodings, an
// empty book's text) are pinned by orv-cli's phone book cases, and a person
// with a second number only is left out in the phone book view's test.
#include <gtest/gtest.h>

#include "exchange/phonebook/phonebook.h"

namespace orv {
namespace {

AData Person(std::string name, std::string surname, std::string tele1)
{
    AData a;
    a.Name = std::move(name);
    a.Surname = std::move(surname);
    a.Tele1 = std::move(tele1);
    return a;
}

// By name without regard to case, an older file's name (Windows-1252) sorted
// as it reads; the two Anders keep their list order. An empty book's page
// opens no group, an empty width is none, and an empty name has no initial.
TEST(PhoneBook, ByNameEqualNamesInListOrder)
{
    const std::vector<AData> book{Person("anna", "Berg", "3"), Person("Anders", "Lund", "2"),
                                  Person("Zoe", "Weiss", "7"), Person("\xC9mile", "Zola", "6"),
                                  Person("Anders", "Lund", "1")};
    EXPECT_EQ(PhoneBookText(PhoneBookRows(book)), "ORV Phone book\r\nAnders Lund;2\r\nAnders Lund;1\r\nanna Berg;3\r\n"
                                                  "\xC3\x89mile Zola;6\r\nZoe Weiss;7\r\n");
    EXPECT_EQ(PhoneBookHtml({}, {}).find("<a name="), std::string::npos);
    EXPECT_EQ(ParsePageWidth(""), std::nullopt);
    EXPECT_EQ(Initial(""), "");
}

}  // namespace
}  // namespace orv
