// The text a spreadsheet shows for a number cell of an .xlsx file, from the
// cell's number format: General without a trailing ".0", fixed decimals,
// leading zeros (postal codes), thousands separators, percentages, and dates
// and times as the format spells them. What it cannot render (fractions,
// conditions) shows as General.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// The format code of a built-in number format id; empty for General and for
// ids without a fixed code.
std::string_view BuiltInNumberFormat(int id);

// `date1904`: the workbook counts days from 1904-01-01 instead of 1900.
std::string FormatCellNumber(double value, std::string_view formatCode, bool date1904);

}  // namespace orv
