// A table of text cells as an import reads it: rows of cells, each row as long
// as its last non-empty cell at most, and the width of the whole table.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

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

// What a long read says of itself now and then: `done` of `total` bytes
// (a total of 0: busy, without a measure). A false answer stops the read,
// which then fails.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;

struct TableResult : Result {  // the message: why nothing could be read
    Table table;
};

}  // namespace orv
