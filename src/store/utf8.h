// UTF-8 and Windows-1252, the two encodings stored texts come in: texts typed
// here are UTF-8, files written on older Windows systems are Windows-1252. The
// one rule that turns a stored text into UTF-8 lives here, for every window,
// export and format.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

bool IsValidUtf8(std::string_view bytes);

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

// A stored text as UTF-8: unchanged when it is UTF-8 already, else read as
// Windows-1252.
std::string StoredAsUtf8(std::string_view bytes);
// The same without a copy where none is needed: the text itself when it is
// UTF-8, else its decoded form, kept in `scratch`. For loops over many texts
// (searches, sort keys) that nearly always see UTF-8.
std::string_view StoredAsUtf8(std::string_view bytes, std::string& scratch);

}  // namespace orv
