#include <algorithm>
#include <string>
#include <vector>

#include "exchange/codepages.h"
#include "exchange/letters/rtf.h"

namespace orv {

namespace {

// Writes text in the ASCII that RTF is made of.
void AppendEscaped(std::string& out, std::string_view utf8, bool inFontName = false)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, pos);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == 0x2028 || cp == '\r' || cp == '\n') {
            if (!inFontName) out += "\\line ";
        } else if (cp == ';' && inFontName) {
            // A semicolon would end the name in the font table.
        } else if (cp < 0x20) {
            // Control characters have no place in a letter.
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            const auto unit = [&out](char32_t u, std::optional<unsigned char> fallback) {
                const int value = u > 0x7FFF ? static_cast<int>(u) - 0x10000 : static_cast<int>(u);
                out += "\\u" + std::to_string(value);
                if (fallback) {
                    static const char* hex = "0123456789abcdef";
                    out += "\\'";
                    out += hex[*fallback >> 4];
                    out += hex[*fallback & 0xF];
                } else {
                    out += '?';
                }
            };
            if (cp >= 0x10000) {
                unit(0xD800 + ((cp - 0x10000) >> 10), std::nullopt);
                unit(0xDC00 + ((cp - 0x10000) & 0x3FF), std::nullopt);
            } else {
                unit(cp, ToWindows1252(cp));
            }
        }
    }
}

template <class T>
int IndexOf(std::vector<T>& list, const T& value)
{
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) it = list.insert(list.end(), value);
    return static_cast<int>(it - list.begin());
}

const char* AlignmentWord(Alignment a)
{
    switch (a) {
    case Alignment::Center: return "\\qc";
    case Alignment::Right: return "\\qr";
    case Alignment::Justify: return "\\qj";
    case Alignment::Left: break;
    }
    return "\\ql";
}

}  // namespace

std::string WriteRtf(const RichDocument& document)
{
    std::vector<std::string> fonts;
    std::vector<Rgb> colors;
    for (const Paragraph& p : document.paragraphs) {
        for (const TextRun& run : p.runs) {
            if (!run.format.font.empty()) IndexOf(fonts, run.format.font);
            if (run.format.color) IndexOf(colors, *run.format.color);
        }
    }
    // Every reader needs a default font; the runs without one use it.
    if (fonts.empty()) fonts.push_back("Times New Roman");

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset0 ";
        AppendEscaped(out, fonts[i], true);
        out += ";}";
    }
    out += "}\r\n";
    if (!colors.empty()) {
        // Entry 0 stays empty: the automatic colour.
        out += "{\\colortbl;";
        for (const Rgb& c : colors) {
            out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" +
                   std::to_string(c.blue) + ";";
        }
        out += "}\r\n";
    }
    for (const Paragraph& p : document.paragraphs) {
        out += "\\pard\\plain";
        out += AlignmentWord(p.alignment);
        for (const TextRun& run : p.runs) {
            if (run.text.empty()) continue;
            const CharFormat& f = run.format;
            out += '{';
            const std::size_t bare = out.size();
            if (!f.font.empty()) out += "\\f" + std::to_string(IndexOf(fonts, f.font));
            if (f.halfPoints > 0) out += "\\fs" + std::to_string(f.halfPoints);
            if (f.bold) out += "\\b";
            if (f.italic) out += "\\i";
            if (f.underline) out += "\\ul";
            if (f.strikeOut) out += "\\strike";
            if (f.color) out += "\\cf" + std::to_string(IndexOf(colors, *f.color) + 1);
            // A space ends the last control word; without one it would be text.
            if (out.size() > bare) out += ' ';
            AppendEscaped(out, run.text);
            out += '}';
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

}  // namespace orv
