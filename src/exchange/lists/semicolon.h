// "Data in text-file": one line per row, the fields separated by ";", lines
// ended by CR LF. A field holding ";", '"', CR or LF is written inside double
// quotes with each '"' doubled, so a value never becomes two fields or two
// rows; every other field is written byte for byte. The reader takes such
// quoted fields back and reads everything else as the plain ";"-split lines
// other programs write.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/lists/datalist.h"
#include "exchange/lists/table.h"

namespace orv {

void AppendSemicolonLine(std::string& out, std::span<const std::string> fields);
// The data list's export table, every cell decoded as a stored text: UTF-8.
std::string SerializeSemicolonText(const std::vector<ExportRow>& rows);

// Every line is a row, also an empty one; a final line break adds no row.
// A field is quoted only when it starts with '"' and its closing quote is
// followed by ";" or the end of the line; otherwise its bytes are taken as
// they stand. Refuses binary files.
TableResult ReadSemicolonText(std::string_view bytes, std::string_view fileName);

// Tables that other programs keep as text (.csv) split their fields at ";",
// "," or a tab. The separator is the one that splits the first lines (up to
// 20, not counting empty ones; nothing inside double quotes counts) most
// often into the same number of fields; a tie goes to ";", then tab. 0 when
// none of them splits any of those lines.
char DetectSeparator(std::string_view text);

struct SeparatedText {
    TableResult result;
    char separator = 0;  // the one used; 0: none found, each line is one field
};
// As ReadSemicolonText, with fields split at `separator` (quoted the same
// way); a separator of 0 is detected from the text. `going` (see
// ReadProgress) is told the bytes read every few thousand lines.
SeparatedText ReadSeparatedText(std::string_view bytes, std::string_view fileName, char separator,
                                const ReadProgress& going = {});

}  // namespace orv
