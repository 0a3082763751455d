// Reads the input as "Data in text-file"; the rows written again with the
// export's quoting must read back as the same rows.
#include <string>

#include "exchange/lists/semicolon.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using orv::fuzz::Check;
    const orv::TableResult read = orv::ReadSemicolonText(orv::fuzz::Text(data, size), "fuzz.txt");
    if (!read.ok) return 0;
    std::string written;
    for (const auto& row : read.table.rows) {
        Check(!row.empty() && row.size() <= read.table.columnCount, "row width out of bounds");
        orv::AppendSemicolonLine(written, row);
    }
    // A value that starts with a byte-order mark is taken for one when read again.
    const std::string_view w = written;
    if (w.substr(0, 3) == "\xEF\xBB\xBF" || w.substr(0, 2) == "\xFF\xFE" || w.substr(0, 2) == "\xFE\xFF") return 0;
    const orv::TableResult again = orv::ReadSemicolonText(written, "fuzz.txt");
    Check(again.ok && again.table.rows == read.table.rows, "semicolon round trip broken");
    return 0;
}
