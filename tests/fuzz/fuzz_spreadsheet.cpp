// Reads the input as a spreadsheet: a zip (.xlsx or .ods) as it stands, an
// OpenDocument content.xml, or the parts of an .xlsx (sheet, shared strings,
// styles, workbook) separated by \x01 bytes; inputs of odd length are read
// through a small area. The table must keep within its own width and the area.
#include <algorithm>
#include <string>

#include "exchange/sheets/sheetparts.h"
#include "exchange/sheets/spreadsheet.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = orv::fuzz::Text(data, size);
    std::optional<orv::SheetArea> area;
    if (size % 2 == 1) area = orv::SheetArea{1 + size % 7, 1 + size % 5};

    orv::TableResult read;
    if (input.substr(0, 2) == "PK") {
        read = orv::ReadSpreadsheet(input, "fuzz.xlsx", area);
    } else if (input.find("urn:oasis:names:tc:opendocument") != std::string_view::npos) {
        read = orv::ReadOdsContent(input, area);
    } else {
        orv::XlsxParts parts;
        std::string* fields[] = {&parts.sheet, &parts.sharedStrings, &parts.styles, &parts.workbook};
        std::size_t from = 0;
        for (std::string* field : fields) {
            const std::size_t cut = std::min(input.find('\x01', from), input.size());
            field->assign(input.substr(std::min(from, input.size()), cut - std::min(from, input.size())));
            from = cut + 1;
        }
        read = orv::ReadXlsxParts(parts, area);
    }
    if (!read.ok) return 0;
    const orv::Table& t = read.table;
    bool sound = t.RowCount() >= 1 && t.columnCount >= 1;
    for (const auto& row : t.rows) sound = sound && row.size() <= t.columnCount;
    if (area) sound = sound && t.RowCount() == area->rows && t.columnCount == area->columns;
    orv::fuzz::Check(sound, "table out of its bounds");
    return 0;
}
