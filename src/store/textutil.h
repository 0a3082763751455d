// Small text helpers shared by the file readers: numbers and lines. The file
// operations themselves are in store/fileio.h.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileio.h"

namespace orv {

// A decimal integer: an optional sign and ASCII digits, within 32 bits. Blanks,
// "1.5", "1a" and hex are not integers.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// "'%s' is not a valid integer value" for a text that should have been a number.
std::string NotAnIntegerMessage(std::string_view text);

// The value of a hex digit (either case), or -1.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Walks the lines of a text without copying them. A line ends at CR LF, LF or
// a lone CR; a final line break starts no further line, and an empty text has
// no lines. This is the one line splitter of every reader.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : p_(text.data()), begin_(p_), end_(text.data() + text.size()) {}

    // The next line, false at the end of the text.
    bool Next(std::string_view& line)
    {
        if (p_ == end_) return false;
        const char* stop = FindBreak(p_);
        line = std::string_view(p_, static_cast<std::size_t>(stop - p_));
        if (stop == end_) {
            p_ = end_;
        } else {
            p_ = stop + ((*stop == '\r' && stop + 1 != end_ && stop[1] == '\n') ? 2 : 1);
        }
        return true;
    }

    std::size_t Consumed() const { return static_cast<std::size_t>(p_ - begin_); }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

private:
    // Marks the bytes of `word` equal to `c` in their top bit; bits above the
    // first match may be wrong, which the lowest-bit search never sees.
    static std::uint64_t Matches(std::uint64_t word, unsigned char c)
    {
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        const std::uint64_t v = word ^ (ones * c);
        return (v - ones) & ~v & (ones << 7);
    }

    // Lines are short, so the search for their end looks at eight bytes at a
    // time rather than calling a library search per line.
    const char* FindBreak(const char* q) const
    {
        if constexpr (std::endian::native == std::endian::little) {
            while (end_ - q >= 8) {
                std::uint64_t word;
                std::memcpy(&word, q, sizeof word);
                const std::uint64_t m = Matches(word, '\n') | Matches(word, '\r');
                if (m != 0) return q + std::countr_zero(m) / 8;
                q += 8;
            }
        }
        while (q != end_ && *q != '\n' && *q != '\r') ++q;
        return q;
    }

    const char* p_;
    const char* begin_;
    const char* end_;
};

// A stored value is one line: every line break (CR LF, LF or a lone CR) of a
// text bound for a one-line field becomes one blank. The tagged files, the
// to-do files and the settings file would otherwise read it back as a new line.
bool HasLineBreak(std::string_view text);
std::string OneLine(std::string_view text);

// The lines of a text bound for a list of lines (a record's further lines):
// one item per line, the same break rule as LineCursor, so that a final break
// adds no empty item and an empty text gives none.
std::vector<std::string> LinesOf(std::string_view text);

// The longest value a record or to-do item keeps from a file: the windows
// cost many times a text's size, and no note needs more.
inline constexpr std::size_t kLongestValue = 64 * 1024;

// Cuts `text` to at most `limit` bytes at a character boundary (of UTF-8; a
// single-byte text loses at most three more bytes). False when it was short
// enough already.
bool CutToLimit(std::string& text, std::size_t limit = kLongestValue);

// A text for HTML or XML content and attribute values: & < > " and ' as
// character references, which both languages read alike.
std::string EscapeMarkup(std::string_view text);

// All the lines of a text, as LineCursor walks them.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace orv
