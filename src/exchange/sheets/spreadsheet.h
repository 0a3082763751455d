// Spreadsheet files for the data list's export and the import: an .xlsx writer
// (one worksheet, every cell as text) and a reader of .xlsx and .ods files that
// gives the first sheet's cells as the text a person sees in them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/lists/datalist.h"
#include "exchange/lists/table.h"
#include "store/textutil.h"

namespace orv {

// Writes rows to a temporary file beside `path` and renames it over `path`.
// Stored texts that are not UTF-8 are taken as Windows-1252.
Result WriteXlsx(const std::string& path, const std::vector<ExportRow>& rows);

// The file WriteXlsx writes, as bytes in `out`, so that it can be made away
// from where it is written; `path` is for the messages.
Result XlsxBytes(const std::string& path, const std::vector<ExportRow>& rows, std::string& out);

// The area the import's area dialog gives: rows 1 .. rows, columns 1 .. columns.
struct SheetArea {
    std::size_t rows = 1;
    std::size_t columns = 1;
};

// The first sheet's used area (up to the last row and column that hold
// something; an empty sheet is one empty cell), or exactly the given area.
// Cells keep their columns, empty ones included. The kind of file is told by
// its content, not by its name; `fileName` is for the messages.
// `going` (see ReadProgress) is asked while the parts are unpacked and told
// the bytes of the sheet's text parsed.
TableResult ReadSpreadsheet(std::string_view bytes, std::string_view fileName,
                            std::optional<SheetArea> area = std::nullopt, const ReadProgress& going = {});
TableResult ReadSpreadsheetFile(const std::string& path, std::optional<SheetArea> area = std::nullopt);

}  // namespace orv
