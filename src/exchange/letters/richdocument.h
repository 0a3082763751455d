// The letter as a small document model: paragraphs with an alignment, each a
// list of runs of UTF-8 text with one character format. The rich-text reader
// and writer and the letter merge work on it without any text engine; the
// letter window converts it to and from its editor's document.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

enum class Alignment { Left, Center, Right, Justify };

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct CharFormat {
    std::string font;            // family name; empty: the editor's default font
    int halfPoints = 0;          // size in half points; 0: the editor's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<Rgb> color;    // nothing: the automatic text colour
    bool operator==(const CharFormat&) const = default;
};

// A soft line break inside a paragraph is U+2028, a tab is '\t'.
inline constexpr std::string_view kLineBreak = "\xE2\x80\xA8";

struct TextRun {
    std::string text;
    CharFormat format;
    bool operator==(const TextRun&) const = default;
};

struct Paragraph {
    Alignment alignment = Alignment::Left;
    std::vector<TextRun> runs;
    bool operator==(const Paragraph&) const = default;

    // Appends text, joining it to the last run when the format is the same.
    void Append(std::string_view text, const CharFormat& format);
    std::string PlainText() const;
};

struct RichDocument {
    std::vector<Paragraph> paragraphs;
    bool operator==(const RichDocument&) const = default;

    // One line per paragraph, soft line breaks included, joined by `eol`.
    std::string PlainText(std::string_view eol = "\n") const;
    // Every paragraph without text.
    bool IsEmpty() const;
};

}  // namespace orv
