#include "exchange/lists/importcolumns.h"

#include "store/textutil.h"

namespace orv {

ImportedFields FieldsOfRow(const Table& table, std::size_t row, const ImportColumns& columns)
{
    ImportedFields fields;
    for (std::size_t i = 0; i < kImportFieldCount; ++i) {
        const int column = columns.column[i];
        if (column < ImportColumns::kFirst) continue;
        const std::string_view cell = table.Cell(row, static_cast<std::size_t>(column - 1));
        // Every field of a person is one line: a cell of several lines (a
        // spreadsheet's paragraphs, a quoted semicolon cell) becomes one.
        if (HasLineBreak(cell)) {
            fields.text[i] = OneLine(cell);
            ++fields.lineBreaks;
        } else {
            fields.text[i] = std::string(cell);
        }
    }
    return fields;
}

std::optional<std::string> ImportDateError(const ImportedFields& f)
{
    for (const ImportField part : {ImportField::Year, ImportField::Month, ImportField::Day}) {
        if (!f[part].empty() && !ParseInt32(f[part])) {
            return "Can not add " + f[ImportField::FirstName] + " " + f[ImportField::Surname] +
                   ". Make sure the date is of type Integer.";
        }
    }
    return std::nullopt;
}

AddressFields ImportedAddress(const ImportedFields& f)
{
    AddressFields a;
    a.Name = f[ImportField::FirstName];
    a.Surname = f[ImportField::Surname];
    a.Address = f[ImportField::Address];
    a.City = f[ImportField::City];
    a.Country = f[ImportField::Country];
    a.Tele1 = f[ImportField::Tele1];
    a.Tele2 = f[ImportField::Tele2];
    a.Email1 = f[ImportField::Email];
    a.Day = f[ImportField::Day];
    a.Month = f[ImportField::Month];
    a.Year = f[ImportField::Year];
    return a;
}

}  // namespace orv
