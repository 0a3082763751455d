// The import's column assignment: which column of the loaded table holds which
// of the eleven fields of a person, and the fields of one row read through it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/addressbook.h"
#include "exchange/lists/table.h"

namespace orv {

enum class ImportField { FirstName, Surname, Address, City, Country, Tele1, Tele2, Email, Day, Month, Year };
inline constexpr std::size_t kImportFieldCount = 11;

struct ImportColumns {
    static constexpr int kFirst = 1, kLast = 50;
    // 1-based column numbers, in the order of ImportField; 1 .. 11 by default.
    std::array<int, kImportFieldCount> column{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

    int& operator[](ImportField f) { return column[static_cast<std::size_t>(f)]; }
    int operator[](ImportField f) const { return column[static_cast<std::size_t>(f)]; }
};

// The eleven texts of one row; a column beyond the table reads as empty text.
// A line break in a cell is a blank in its field; lineBreaks counts the
// fields where that happened, so that the user can be told.
struct ImportedFields {
    std::array<std::string, kImportFieldCount> text;
    std::size_t lineBreaks = 0;
    const std::string& operator[](ImportField f) const { return text[static_cast<std::size_t>(f)]; }
};
ImportedFields FieldsOfRow(const Table& table, std::size_t row, const ImportColumns& columns);

// "Can not add Ann Lee. Make sure the date is of type Integer." when the day,
// month or year is neither empty nor a whole number.
std::optional<std::string> ImportDateError(const ImportedFields& fields);

// The person's fields as the import posts them, the cells' texts unchanged:
// the post checks them as it checks what is typed into the address book.
AddressFields ImportedAddress(const ImportedFields& fields);

}  // namespace orv
