// A table of text cells as an import reads it: rows of cells, each row as long
// as its last non-empty cell at most, and the width of the whole table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct Table {
    std::vector<std::vector<std::string>> rows;
    std::size_t columnCount = 0;

    std::size_t RowCount() const { return rows.size(); }
    // Empty for a cell beyond its row.
    std::string_view Cell(std::size_t row, std::size_t column) const
    {
        if (row >= rows.size() || column >= rows[row].size()) return {};
        return rows[row][column];
    }
};

struct TableResult {
    bool ok = true;
    std::string message;  // why nothing could be read
    Table table;
};

}  // namespace orv
