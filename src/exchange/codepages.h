// Character sets of the files ORV exchanges with other programs: the ANSI code
// pages that rich-text files name, and text files in UTF-8 or UTF-16 (UTF-8 and
// Windows-1252 themselves are in store/utf8.h). Texts inside the program are bytes; these helpers turn
// them into UTF-8 where a format needs it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"
#include "store/utf8.h"

namespace orv {

// Bytes in a Windows code page (1250 .. 1258, 874, 932, 936, 949, 950, 437 ...)
// as UTF-8; a sequence the code page does not define becomes U+FFFD. Nothing
// when the system knows no such code page.
std::optional<std::string> CodePageToUtf8(int codePage, std::string_view bytes);

// Bytes in the character set the system's converter knows by `charset`
// ("ISO-8859-1", "CP1252") as UTF-8. Nothing when it knows no such set, or,
// when `strict`, when the bytes hold a sequence the set does not define;
// otherwise such a sequence becomes U+FFFD.
std::optional<std::string> CharsetToUtf8(const std::string& charset, std::string_view bytes, bool strict);

// The text of a file that is meant to be text: a UTF-8 byte-order mark is
// dropped, UTF-16 with a byte-order mark (or, without one, starting with an
// ASCII character) becomes UTF-8, and anything holding a NUL byte is refused
// as not being text. Other bytes are kept as they are.
struct TextFileContent : Result {
    std::string text;
};
TextFileContent TextOfFile(std::string_view bytes, std::string_view fileName);

}  // namespace orv
