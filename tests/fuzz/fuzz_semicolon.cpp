// Reads the input as "Data in text-file"; the rows written again with the
// export's quoting must read back as the same rows.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/lists/semicolon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const orv::TableResult read = orv::ReadSemicolonText(input, "fuzz.txt");
    if (!read.ok) return 0;
    std::string written;
    for (const auto& row : read.table.rows) {
        if (row.empty() || row.size() > read.table.columnCount) {
            std::fputs("row width out of bounds\n", stderr);
            std::abort();
        }
        orv::AppendSemicolonLine(written, row);
    }
    // A value that starts with a byte-order mark is taken for one when read again.
    const std::string_view w = written;
    if (w.substr(0, 3) == "\xEF\xBB\xBF" || w.substr(0, 2) == "\xFF\xFE" || w.substr(0, 2) == "\xFE\xFF") return 0;
    const orv::TableResult again = orv::ReadSemicolonText(written, "fuzz.txt");
    if (!again.ok || again.table.rows != read.table.rows) {
        std::fputs("semicolon round trip broken\n", stderr);
        std::abort();
    }
    return 0;
}
