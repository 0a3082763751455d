// Small text helpers shared by the file readers: numbers and lines. The file
// operations themselves are in store/fileio.h.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    explicit LineCursor(std::string_view text)
        : p_(text.data()), begin_(p_), end_(text.data() + text.size()), block_(p_), breaks_(BreaksIn(block_))
    {
    }

    // The next line, false at the end of the text.
    [[gnu::always_inline]] bool Next(std::string_view& line)
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
    static constexpr std::size_t kBlock = 64;

    // Bit i set where block[i] is CR or LF, for the bytes of the block within
    // the text. Lines are short: one look at 64 bytes serves several of them,
    // where a search per line would start over each time.
    std::uint64_t BreaksIn(const char* block) const
    {
        const auto left = static_cast<std::size_t>(end_ - block);
        std::uint64_t bits = 0;
        if (left < kBlock) {
            for (std::size_t i = 0; i < left; ++i)
                if (block[i] == '\n' || block[i] == '\r') bits |= std::uint64_t{1} << i;
            return bits;
        }
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
        for (std::size_t i = 0; i < kBlock; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
            const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr));
            bits |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits))) << i;
        }
#else
        for (std::size_t i = 0; i < kBlock; ++i)
            if (block[i] == '\n' || block[i] == '\r') bits |= std::uint64_t{1} << i;
#endif
        return bits;
    }

    // The first CR or LF at or after `q`, or the end of the text. Nearly
    // always in the block at hand: only the rest goes out of line.
    [[gnu::always_inline]] const char* FindBreak(const char* q)
    {
        const std::ptrdiff_t offset = q - block_;
        if (offset >= 0 && offset < static_cast<std::ptrdiff_t>(kBlock)) {
            const std::uint64_t ahead = breaks_ & (~std::uint64_t{0} << offset);
            if (ahead != 0) return block_ + std::countr_zero(ahead);
        }
        return FindBreakBeyond(q);
    }

    [[gnu::noinline]] const char* FindBreakBeyond(const char* q)
    {
        for (;;) {
            // `q` lies in this block, or before it when its line began in an earlier one.
            const std::ptrdiff_t offset = q - block_;
            if (offset < static_cast<std::ptrdiff_t>(kBlock)) {
                const std::uint64_t ahead = offset <= 0 ? breaks_ : breaks_ & (~std::uint64_t{0} << offset);
                if (ahead != 0) return block_ + std::countr_zero(ahead);
            }
            if (static_cast<std::size_t>(end_ - block_) <= kBlock) return end_;
            block_ += kBlock;
            breaks_ = BreaksIn(block_);
        }
    }

    const char* p_;
    const char* begin_;
    const char* end_;
    const char* block_;     // the 64 bytes `breaks_` describes
    std::uint64_t breaks_;
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
