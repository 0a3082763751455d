// The data list's three tables, the list file and the import's columns.
#include <gtest/gtest.h>

#include "exchange/lists/datalist.h"
#include "exchange/lists/importcolumns.h"
#include "exchange/lists/semicolon.h"
#include "../engine/builders.h"
#include "exchangetest.h"

namespace orv {
namespace {

using test::Person;

const std::string kHeaderLine =
    "First name;Surname;Address;Postal;Country;1.Telephone number;2.Telephone number;E-mail;dd;mm;yyyy\r\n";

TEST(DataListTest, PersonGoesIntoAllThreeTables)
{
    AData ann = Person("Ann", "Lee", 5, 11, 1970);
    ann.Address = "Main Street 1";
    ann.City = "1234 Town";
    ann.Country = "Land";
    ann.Tele1 = "555";
    ann.Tele2 = "666";
    ann.Email1 = "ann@example.org";
    ann.Email2 = "second@example.org";
    AData bo = Person("Bo", "Berg", 0, 0);
    bo.Country = "Land";

    DataList list;
    list.AddAddress(ann, {.country = true, .phone = true});
    list.AddAddress(bo, {.country = false, .phone = true});
    EXPECT_EQ(list.LetterRows(), (std::vector<LetterRow>{{"Ann", "Lee", "Main Street 1", "1234 Town", "Land", "555",
                                                          "666", "ann@example.org", "5/11"},
                                                         {"Bo", "Berg", "", "", "Land", "", "", "", "0/0"}}));
    EXPECT_EQ(list.ExportRows()[1], (ExportRow{"Ann", "Lee", "Main Street 1", "1234 Town", "Land", "555", "666",
                                               "ann@example.org", "5", "11", "1970"}));
    EXPECT_EQ(list.TextLines(), (std::vector<std::string>{"Ann Lee", "Main Street 1", "1234 Town", "Land",
                                                          "Phone#: 555", " ", "Bo Berg", " "}));
}

// An older record (Windows-1252) beside a new one (UTF-8), and one that mixes
// both: each saved file is UTF-8 throughout, each field decoded on its own,
// while the tables keep the stored bytes for the list file. The first
// person's missing birthday is empty, a later one's zeros.
TEST(DataListTest, SavedTextAndSemicolonFilesAreUtf8)
{
    AData old = Person("J\xFCrgen", "M\xFCller", 0, 0);
    old.City = "M\xFCnchen";
    old.Tele1 = "\x80 5";
    AData mixed = Person("Zo\xC3\xAB", "N\xFA\xF1" "ez;Sr", 0, 0);
    DataList list;
    list.WriteAll({old, mixed}, {.country = false, .phone = true});
    EXPECT_EQ(SerializeTextList(list.TextLines()),
              "J\xC3\xBCrgen M\xC3\xBCller\r\nM\xC3\xBCnchen\r\nPhone#: \xE2\x82\xAC 5\r\n \r\n"
              "Zo\xC3\xAB N\xC3\xBA\xC3\xB1" "ez;Sr\r\n \r\n");
    EXPECT_EQ(SerializeSemicolonText(list.ExportRows()).substr(kHeaderLine.size()),
              "J\xC3\xBCrgen;M\xC3\xBCller;;M\xC3\xBCnchen;;\xE2\x82\xAC 5;;;;;\r\n"
              "Zo\xC3\xAB;\"N\xC3\xBA\xC3\xB1" "ez;Sr\";;;;;;;0;0;0\r\n");
    EXPECT_EQ(list.LetterRows()[0][LetterColumn::Surname], "M\xFCller");
}

// "Write all" takes the address book in its order, "Clear all" empties
// every table; the first person is kept without a first name when the next
// is added.
TEST(DataListTest, WriteAllClearAllAndTheFirstPerson)
{
    DataList list;
    list.AddAddress(Person("Old", "Entry", 0, 0), {});
    list.WriteAll({Person("Cy", "A", 1, 1), Person("Ann", "B", 2, 1), Person("Bo", "C", 3, 1)}, {});
    ASSERT_EQ(list.LetterRows().size(), 3u);
    EXPECT_EQ(list.LetterRows()[0][0], "Cy");
    EXPECT_EQ(list.LetterRows()[2][0], "Bo");
    EXPECT_EQ(list.ExportRows().size(), 4u);

    list.ClearAll();
    EXPECT_EQ(list.LetterRows(), std::vector<LetterRow>(1));
    EXPECT_EQ(list.ExportRows(), std::vector<ExportRow>(1));
    EXPECT_TRUE(list.TextLines().empty());

    list.AddAddress(Person("", "Nofirst", 0, 0), {});
    list.AddAddress(Person("Bo", "Berg", 0, 0), {});
    ASSERT_EQ(list.LetterRows().size(), 2u);
    EXPECT_EQ(list.LetterRows()[0][LetterColumn::Surname], "Nofirst");
    EXPECT_EQ(list.ExportRows()[0], kExportHeader);

    // A letter table emptied by hand starts a new list.
    list.DeleteLetterRow(0);
    list.DeleteLetterRow(0);
    EXPECT_EQ(list.LetterRows(), std::vector<LetterRow>(1));
    list.AddAddress(Person("Cy", "Cole", 0, 0), {});
    EXPECT_EQ(list.LetterRows().size(), 1u);
    EXPECT_EQ(list.ExportRows().size(), 2u);

    // A row typed in by hand: the export table does not follow the letter table.
    const std::size_t row = list.AddLetterRow();
    list.LetterCell(row, LetterColumn::FirstName) = "Typed";
    EXPECT_EQ(list.LetterRows()[1][0], "Typed");
    EXPECT_EQ(list.ExportRows().size(), 2u);
}

TEST(ListFileTest, SavedListLoadsTheSamePersons)
{
    // A name with a line break (from an older file) is still one line of the list.
    const std::vector<AData> book{Person("Ann", "Lee", 5, 11), Person("Bo", "Berg", 1, 2), Person("Cy\r\nX", "Ng", 0, 0)};
    DataList list;
    list.AddAddress(book[0], {});
    list.AddAddress(book[2], {});
    const std::string file = SerializeListFile(list.LetterRows());
    EXPECT_EQ(file, "Ann Lee 5/11\r\nCy X Ng 0/0\r\n");

    const ListFileMatch match = MatchListFile(file, "list.QSL", book);
    ASSERT_TRUE(match.ok);
    EXPECT_EQ(match.matches, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(ListLoadMessage(match.matches.size(), match.lines), "2 of 2 addresses successfully imported");

    // Every matching person counts, whatever the line ends; unknown lines add nothing.
    const std::vector<AData> twice{Person("Ann", "Lee", 5, 11), Person("Bo", "Berg", 0, 0), Person("Ann", "Lee", 5, 11)};
    const ListFileMatch all =
        MatchListFile("Bo Berg 0/0\nann Lee 5/11\r\nAnn Lee 5/11\rNobody Here 1/1\r\n", "l", twice);
    EXPECT_EQ(all.lines, 4u);
    EXPECT_EQ(all.matches, (std::vector<std::size_t>{1, 0, 2}));
}

// The default columns are the export's; chosen ones beyond the table are empty.
TEST(ImportColumnsTest, EachFieldComesFromItsColumnOrNamesThePerson)
{
    Table table;
    table.rows = {{"Ann", "Lee", "Main Street 1", "1234 Town", "Land", "555", "", "", "5", "11", "1970"},
                  {"Lee", "Ann", "05", "11"}};
    const AddressFields a = FieldsOfRow(table, 0, ImportColumns{}).fields;
    EXPECT_FALSE(ImportDateError(a));
    EXPECT_EQ(std::tie(a.Name, a.Surname, a.Address, a.City, a.Country, a.Tele1, a.Tele2, a.Email1),
              std::tie("Ann", "Lee", "Main Street 1", "1234 Town", "Land", "555", "", ""));
    EXPECT_EQ(std::tie(a.Day, a.Month, a.Year), std::tie("5", "11", "1970"));

    ImportColumns columns;
    columns[PersonField::Name] = 2;
    columns[PersonField::Surname] = 1;
    columns[PersonField::Day] = 3;
    columns[PersonField::Month] = 4;
    columns[PersonField::Year] = 50;
    const AddressFields b = FieldsOfRow(table, 1, columns).fields;
    EXPECT_EQ(b.Name, "Ann");
    EXPECT_EQ(b.Year, "");
    EXPECT_EQ(b.Day + "/" + b.Month, "05/11") << "kept as the cells hold it";

    // A field is one line: a cell's line breaks become blanks, and are counted.
    table.rows = {{"Ann", "Lee", "Line one\r\n<END:FILE>\nand\rmore"}};
    const ImportedRow lines = FieldsOfRow(table, 0, ImportColumns{});
    EXPECT_EQ(lines.fields.Address, "Line one <END:FILE> and more");
    EXPECT_EQ(lines.lineBreaks, 1u);

    // A date that is no whole number names the person.
    table.rows = {{"First name", "Surname", "", "", "", "", "", "", "dd", "mm", "yyyy"},
                  {"Ann", "Lee", "", "", "", "", "", "", "5", "11", "1970.5"}};
    for (std::size_t row : {0u, 1u}) {
        const AddressFields f = FieldsOfRow(table, row, ImportColumns{}).fields;
        ASSERT_TRUE(ImportDateError(f));
        EXPECT_EQ(*ImportDateError(f), "Can not add " + f.Name + " " + f.Surname + ". Make sure the date is of type Integer.");
    }
}

}  // namespace
}  // namespace orv
