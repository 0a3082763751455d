#include "exchange/lists/importcolumns.h"

#include "store/textutil.h"

namespace orv {

ImportedRow FieldsOfRow(const Table& table, std::size_t row, const ImportColumns& columns)
{
    ImportedRow out;
    for (std::size_t i = 0; i < kImportFieldCount; ++i) {
        const int column = columns.column[i];
        if (column < ImportColumns::kFirst) continue;
        const std::string_view cell = table.Cell(row, static_cast<std::size_t>(column - 1));
        std::string& text = *FieldText(out.fields, kImportFields[i]);
        // Every field of a person is one line: a cell of several lines (a
        // spreadsheet's paragraphs, a quoted semicolon cell) becomes one.
        if (HasLineBreak(cell)) {
            text = OneLine(cell);
            ++out.lineBreaks;
        } else {
            text = std::string(cell);
        }
    }
    return out;
}

std::optional<std::string> ImportDateError(const AddressFields& f)
{
    for (const std::string* part : {&f.Year, &f.Month, &f.Day}) {
        if (!part->empty() && !ParseInt32(*part)) {
            return "Can not add " + f.Name + " " + f.Surname + ". Make sure the date is of type Integer.";
        }
    }
    return std::nullopt;
}

}  // namespace orv
