// Letters as rich-text files (RTF): a reader that takes what word processors
// write, keeping what the letter area can show (fonts, sizes, bold, italic,
// underline, strike-out, colours, alignment, paragraphs, line breaks, tabs) and
// passing over everything else, and a writer whose files they open with that
// formatting. No text engine is involved, so both are tested and fuzzed alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/letters/richdocument.h"
#include "store/result.h"

namespace orv {

struct RtfReadResult : Result {  // the message: why the file could not be read
    RichDocument document;  // at least one paragraph when ok
    // What the file holds that the letter cannot keep, each named once in
    // the order met ("headers and footers", "pictures", "tables", ...):
    // writing the letter back over the file would lose it.
    std::vector<std::string> dropped;
};

// Unknown control words and destinations are passed over; only a text that
// is not RTF, or whose braces do not balance, fails.
RtfReadResult ReadRtf(std::string_view bytes);

// Where the RTF starts in `bytes` (after a byte-order mark and blanks), or
// npos when the text is not RTF.
std::size_t RtfStart(std::string_view bytes);

// ASCII only: other characters as \uN with a Windows-1252 fallback ("?" where
// the code page has none), lines ended by CR LF.
std::string WriteRtf(const RichDocument& document);

}  // namespace orv
