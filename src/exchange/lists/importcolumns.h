// The import's column assignment: which column of the loaded table holds which
// of a person's fields, and the person of one row read through it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/addressbook.h"
#include "exchange/lists/table.h"

namespace orv {

// The fields the import takes, in the order of the import dialog's column
// choices (the order of the data list's export).
inline constexpr std::array kImportFields{PersonField::Name,  PersonField::Surname, PersonField::Address,
                                          PersonField::City,  PersonField::Country, PersonField::Tele1,
                                          PersonField::Tele2, PersonField::Email1,  PersonField::Day,
                                          PersonField::Month, PersonField::Year};
inline constexpr std::size_t kImportFieldCount = kImportFields.size();

struct ImportColumns {
    static constexpr int kFirst = 1, kLast = 50;
    // 1-based column numbers, in the order of kImportFields; 1, 2, 3 ... by default.
    std::array<int, kImportFieldCount> column = [] {
        std::array<int, kImportFieldCount> c{};
        for (std::size_t i = 0; i < kImportFieldCount; ++i) c[i] = static_cast<int>(i) + 1;
        return c;
    }();

    // The column of one of kImportFields.
    int& operator[](PersonField f) { return column.at(IndexOf(f)); }
    int operator[](PersonField f) const { return column.at(IndexOf(f)); }

private:
    static constexpr std::size_t IndexOf(PersonField f)
    {
        std::size_t i = 0;
        while (i < kImportFieldCount && kImportFields[i] != f) ++i;
        return i;
    }
};

// One row's person, the cells' texts unchanged: the post checks them as it
// checks what is typed into the address book. A column beyond the table reads
// as empty text. A line break in a cell is a blank in its field; lineBreaks
// counts the fields where that happened, so that the user can be told.
struct ImportedRow {
    AddressFields fields;
    std::size_t lineBreaks = 0;
};
ImportedRow FieldsOfRow(const Table& table, std::size_t row, const ImportColumns& columns);

// "Can not add Ann Lee. Make sure the date is of type Integer." when the day,
// month or year is neither empty nor a whole number.
std::optional<std::string> ImportDateError(const AddressFields& fields);

}  // namespace orv
