// The XML layer of the spreadsheet reader, apart from the zip container, so
// that it is tested and fuzzed on its own.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/sheets/spreadsheet.h"
#include "exchange/lists/table.h"

namespace orv {

// Collects the cells of one sheet within limits that keep a hostile file from
// taking all memory.
class CellCollector {
public:
    static constexpr std::size_t kMaxRows = 1048576;
    static constexpr std::size_t kMaxColumns = 16384;
    static constexpr std::size_t kMaxCells = 8'000'000;
    static constexpr std::size_t kMaxBytes = 256u << 20;

    explicit CellCollector(std::optional<SheetArea> area) : area_(area) {}

    // 0-based; empty texts and cells outside the area are passed over. False
    // once the sheet is beyond the limits.
    bool Put(std::size_t row, std::size_t column, std::string_view text);
    bool ok() const { return ok_; }  // false once the sheet was beyond the limits
    // Fails at once when that many more cells could not be kept, so that a
    // repeated row is refused before it is copied a million times.
    bool Expect(std::size_t cells);
    // Rows and columns beyond these are never kept.
    std::size_t RowLimit() const { return area_ ? std::min(area_->rows, kMaxRows) : kMaxRows; }
    std::size_t ColumnLimit() const { return area_ ? std::min(area_->columns, kMaxColumns) : kMaxColumns; }
    TableResult Finish();

private:
    std::optional<SheetArea> area_;
    Table table_;
    std::size_t cells_ = 0;
    std::size_t bytes_ = 0;
    bool ok_ = true;
};

struct XlsxParts {
    std::string workbook;       // xl/workbook.xml, for the 1904 date system
    std::string sheet;          // the first worksheet
    std::string sharedStrings;  // may be empty
    std::string styles;         // may be empty
};
// `going` (see ReadProgress) counts the bytes of the shared strings and the sheet.
TableResult ReadXlsxParts(const XlsxParts& parts, std::optional<SheetArea> area, const ReadProgress& going = {});

// content.xml of an OpenDocument spreadsheet.
TableResult ReadOdsContent(std::string_view contentXml, std::optional<SheetArea> area,
                           const ReadProgress& going = {});

// "_x000D_" escapes of the OOXML string type, to the characters they stand for.
std::string DecodeXlsxEscapes(std::string_view text);

}  // namespace orv
