// Character sets of the files ORV exchanges with other programs: UTF-8 checks,
// Windows-1252 (files from older Windows systems) and the ANSI code pages that
// rich-text files name. Texts inside the program are bytes; these helpers turn
// them into UTF-8 where a format needs it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 form of a code point; surrogates and values beyond U+10FFFF
// become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// The code point at `pos` of UTF-8 text, moving `pos` past it. A byte that does
// not start a valid sequence gives U+FFFD and moves by one.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Windows-1252 to UTF-8. The five bytes the code page leaves unassigned keep
// their Latin-1 control code, so that nothing is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

// The byte that stands for `cp` in Windows-1252, when there is one.
std::optional<unsigned char> ToWindows1252(char32_t cp);

// A stored text as UTF-8: UTF-8 as it is, anything else read as Windows-1252.
std::string DecodeToUtf8(std::string_view bytes);

// Bytes in a Windows code page (1250 .. 1258, 874, 932, 936, 949, 950, 437 ...)
// as UTF-8; a sequence the code page does not define becomes U+FFFD. Nothing
// when the system knows no such code page.
std::optional<std::string> CodePageToUtf8(int codePage, std::string_view bytes);

// The text of a file that is meant to be text: a UTF-8 byte-order mark is
// dropped, UTF-16 with a byte-order mark becomes UTF-8, and anything holding a
// NUL byte is refused as not being text. Other bytes are kept as they are.
struct TextFileContent {
    bool ok = true;
    std::string message;
    std::string text;
};
TextFileContent TextOfFile(std::string_view bytes, std::string_view fileName);

}  // namespace orv
