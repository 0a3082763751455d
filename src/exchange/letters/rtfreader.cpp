// The reader keeps a stack of group states instead of recursing, so that no
// nesting depth can exhaust the call stack.
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "exchange/codepages.h"
#include "exchange/letters/rtf.h"
#include "store/textutil.h"

namespace orv {

namespace {

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;  // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = -1;  // -1: automatic
    int fallbackChars = 1;
    Alignment alignment = Alignment::Left;
};

struct FontEntry {
    std::string name;
    int codePage = 0;  // 0: the document's code page
    bool complete = false;
};

// Destinations whose text is not part of the letter's body.
constexpr std::array<std::string_view, 40> kSkipped{
    "stylesheet", "info",       "pict",      "objdata",    "header",     "headerl",   "headerr",
    "headerf",    "footer",     "footerl",   "footerr",    "footerf",    "footnote",  "annotation",
    "atnid",      "atnauthor",  "xe",        "tc",         "txe",        "rxe",       "bkmkstart",
    "bkmkend",    "filetbl",    "revtbl",    "listtable",  "listoverridetable",       "rsidtbl",
    "generator",  "pgdsctbl",   "themedata", "colorschememapping",      "datastore", "latentstyles",
    "pn",         "fldinst",    "template",  "docvar",     "ftnsep",     "ftnsepc",   "nonshppict"};

// Control words that stand for one character.
constexpr std::array<std::pair<std::string_view, char32_t>, 14> kSymbolWords{{{"emdash", 0x2014},
                                                                              {"endash", 0x2013},
                                                                              {"emspace", 0x2003},
                                                                              {"enspace", 0x2002},
                                                                              {"qmspace", 0x2005},
                                                                              {"bullet", 0x2022},
                                                                              {"lquote", 0x2018},
                                                                              {"rquote", 0x2019},
                                                                              {"ldblquote", 0x201C},
                                                                              {"rdblquote", 0x201D},
                                                                              {"zwj", 0x200D},
                                                                              {"zwnj", 0x200C},
                                                                              {"ltrmark", 0x200E},
                                                                              {"rtlmark", 0x200F}}};

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;  // default, symbol and others: the document's code page
    }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    RtfReadResult Run()
    {
        RtfReadResult result;
        const std::size_t start = RtfStart(in_);
        if (start == std::string_view::npos) return {false, "This is not a rich-text (RTF) file.", {}, {}};
        pos_ = start;
        bool closed = false;
        while (pos_ < in_.size() && !closed) {
            const char c = in_[pos_];
            if (c == '{') {
                Flush();
                fallbackLeft_ = 0;
                stack_.push_back(state_);
                ++pos_;
            } else if (c == '}') {
                Flush();
                fallbackLeft_ = 0;
                if (stack_.empty()) break;
                state_ = stack_.back();
                stack_.pop_back();
                ++pos_;
                closed = stack_.empty();
            } else if (c == '\\') {
                ControlSequence();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                ++pos_;
            } else {
                ++pos_;
                if (c == '\t') {
                    Flush();
                    Emit("\t");
                } else {
                    TextByte(c);
                }
            }
        }
        Flush();
        if (!closed) {
            result.ok = false;
            result.message = "The rich-text file is damaged or incomplete: " + std::to_string(stack_.size()) +
                             " '{' without a matching '}'.";
            return result;
        }
        // What follows the document's last brace does not count, unless it
        // closes a group that was never opened.
        if (in_.find('}', pos_) != std::string_view::npos) {
            result.ok = false;
            result.message = "The rich-text file is damaged: a '}' at byte " +
                             std::to_string(in_.find('}', pos_) + 1) + " closes no group.";
            return result;
        }
        // A last \par ends the last paragraph rather than starting an empty one.
        if (!current_.runs.empty() || doc_.paragraphs.empty()) doc_.paragraphs.push_back(std::move(current_));
        result.document = std::move(doc_);
        result.dropped = std::move(dropped_);
        return result;
    }

private:
    void ControlSequence()
    {
        ++pos_;  // the backslash
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (IsLetter(c)) {
            const std::size_t begin = pos_;
            while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - begin < 32) ++pos_;
            const std::string_view word = in_.substr(begin, pos_ - begin);
            bool hasParam = false;
            bool negative = false;
            std::int64_t param = 0;
            if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            for (int digits = 0; pos_ < in_.size() && IsDigit(in_[pos_]); ++digits, ++pos_) {
                hasParam = true;
                if (digits < 10) param = param * 10 + (in_[pos_] - '0');
            }
            if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
            param = std::clamp<std::int64_t>(negative ? -param : param, -2147483647, 2147483647);
            Word(word, hasParam, static_cast<int>(param));
            return;
        }
        ++pos_;
        switch (c) {
        case '\'': {
            const int hi = pos_ < in_.size() ? HexDigitValue(in_[pos_]) : -1;
            const int lo = pos_ + 1 < in_.size() ? HexDigitValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) return;
            pos_ += 2;
            TextByte(static_cast<char>(hi * 16 + lo));
            return;
        }
        case '\\':
        case '{':
        case '}': TextByte(c); return;
        case '*':
            Flush();
            state_.destination = Destination::Skip;
            return;
        case '~': Symbol(U'\u00A0'); return;
        case '_': Symbol(U'\u2011'); return;
        case '\r':
        case '\n': Word("par", false, 0); return;
        case '\t': Symbol(U'\t'); return;
        default: return;  // \- optional hyphen, \: and others show nothing
        }
    }

    // Parts of a document the letter has no place for; tables count only in
    // the body (their cells are kept as text between tabs).
    void NoteDropped(std::string_view w)
    {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kParts{{
            {"header", "headers and footers"}, {"headerl", "headers and footers"}, {"headerr", "headers and footers"},
            {"headerf", "headers and footers"}, {"footer", "headers and footers"}, {"footerl", "headers and footers"},
            {"footerr", "headers and footers"}, {"footerf", "headers and footers"}, {"pict", "pictures"},
            {"shppict", "pictures"}, {"object", "embedded objects"}, {"shp", "drawings and text boxes"},
            {"do", "drawings and text boxes"}, {"footnote", "footnotes"}, {"annotation", "comments"},
            {"trowd", "tables"}, {"intbl", "tables"}}};
        for (const auto& [word, part] : kParts) {
            if (w != word) continue;
            if (part == "tables" && state_.destination != Destination::Text) return;
            if (std::find(dropped_.begin(), dropped_.end(), part) == dropped_.end()) dropped_.emplace_back(part);
            return;
        }
    }

    void Word(std::string_view w, bool hasParam, int param)
    {
        Flush();
        NoteDropped(w);
        if (w != "u") fallbackLeft_ = 0;
        const bool on = !hasParam || param != 0;
        GroupState& s = state_;
        if (w == "par" || w == "sect" || w == "page" || w == "row" || w == "nestrow") return EndParagraph();
        if (w == "line") return Emit(kLineBreak);
        if (w == "tab" || w == "cell" || w == "nestcell") return Emit("\t");
        if (w == "u") return Unicode(param);
        for (const auto& [word, cp] : kSymbolWords) {
            if (w == word) return Symbol(cp);
        }
        if (w == "bin") {
            pos_ += std::min<std::size_t>(hasParam && param > 0 ? static_cast<std::size_t>(param) : 0, in_.size() - pos_);
            return;
        }
        if (w == "fonttbl") {
            s.destination = Destination::FontTable;
            return;
        }
        if (w == "colortbl") {
            s.destination = Destination::ColorTable;
            colors_.clear();
            pendingColor_.reset();
            return;
        }
        if (std::find(kSkipped.begin(), kSkipped.end(), w) != kSkipped.end()) {
            s.destination = Destination::Skip;
            return;
        }
        if (s.destination == Destination::FontTable) {
            if (w == "f" && hasParam) {
                fontEntry_ = param;
                fonts_[param] = FontEntry{};
            } else if (w == "fcharset" && fontEntry_) {
                fonts_[*fontEntry_].codePage = CodePageOfCharset(param);
            } else if (w == "cpg" && fontEntry_ && param > 0) {
                fonts_[*fontEntry_].codePage = param;
            }
            return;
        }
        if (s.destination == Destination::ColorTable) {
            const auto component = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
            if (w == "red") Color().red = component;
            if (w == "green") Color().green = component;
            if (w == "blue") Color().blue = component;
            return;
        }
        if (w == "ansicpg" && param > 0) documentCodePage_ = param;
        else if (w == "mac") documentCodePage_ = 10000;
        else if (w == "pc") documentCodePage_ = 437;
        else if (w == "pca") documentCodePage_ = 850;
        else if (w == "deff" && hasParam) defaultFont_ = param;
        else if (w == "uc") s.fallbackChars = std::clamp(param, 0, 16);
        else if (w == "pard") s.alignment = Alignment::Left;
        else if (w == "ql") s.alignment = Alignment::Left;
        else if (w == "qc") s.alignment = Alignment::Center;
        else if (w == "qr") s.alignment = Alignment::Right;
        else if (w == "qj" || w == "qd") s.alignment = Alignment::Justify;
        else if (w == "plain") {
            const GroupState keep = s;
            s = GroupState{};
            s.destination = keep.destination;
            s.fallbackChars = keep.fallbackChars;
            s.alignment = keep.alignment;
        } else if (w == "b") s.bold = on;
        else if (w == "i") s.italic = on;
        else if (w == "strike" || w == "striked") s.strikeOut = on;
        else if (w == "ulnone") s.underline = false;
        else if (w.substr(0, 2) == "ul" && w != "ulc") s.underline = on;
        else if (w == "f" && hasParam) s.font = param;
        else if (w == "fs" && param > 0 && param <= 3276) s.halfPoints = param;
        else if (w == "cf" && hasParam) s.color = param;
    }

    Rgb& Color()
    {
        if (!pendingColor_) pendingColor_ = Rgb{};
        return *pendingColor_;
    }

    void Unicode(int value)
    {
        char32_t unit = static_cast<char32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else {
            char32_t cp = unit;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                cp = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : 0xFFFD;
            } else if (highSurrogate_) {
                Symbol(0xFFFD);
            }
            highSurrogate_ = 0;
            Symbol(cp);
        }
        fallbackLeft_ = state_.fallbackChars;
    }

    // A character of the text in the code page in force; kept until the next
    // control word so that multi-byte code pages decode whole characters.
    void TextByte(char c)
    {
        if (fallbackLeft_ > 0) {
            --fallbackLeft_;
            return;
        }
        if (state_.destination == Destination::ColorTable) {
            if (c == ';') {
                colors_.push_back(pendingColor_);
                pendingColor_.reset();
            }
            return;
        }
        if (state_.destination == Destination::FontTable && c == ';') {
            Flush();
            if (fontEntry_) fonts_[*fontEntry_].complete = true;
            return;
        }
        raw_ += c;
    }

    void Symbol(char32_t cp)
    {
        Flush();
        std::string utf8;
        AppendUtf8(utf8, cp);
        Emit(utf8);
    }

    int CodePageInForce() const
    {
        int cp = 0;
        if (state_.destination == Destination::FontTable) {
            if (fontEntry_) cp = fonts_.at(*fontEntry_).codePage;
        } else {
            const auto f = fonts_.find(state_.font >= 0 ? state_.font : defaultFont_);
            if (f != fonts_.end()) cp = f->second.codePage;
        }
        return cp > 0 ? cp : documentCodePage_;
    }

    void Flush()
    {
        if (raw_.empty()) return;
        std::string text;
        if (std::all_of(raw_.begin(), raw_.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            text = std::move(raw_);
        } else {
            std::optional<std::string> decoded = CodePageToUtf8(CodePageInForce(), raw_);
            text = decoded ? std::move(*decoded) : Windows1252ToUtf8(raw_);
        }
        raw_.clear();
        Emit(text);
    }

    void Emit(std::string_view utf8)
    {
        switch (state_.destination) {
        case Destination::Text:
            current_.Append(utf8, Format());
            current_.alignment = state_.alignment;
            break;
        case Destination::FontTable:
            if (fontEntry_ && !fonts_[*fontEntry_].complete) fonts_[*fontEntry_].name += utf8;
            break;
        default: break;
        }
    }

    CharFormat Format() const
    {
        CharFormat f;
        const auto font = fonts_.find(state_.font >= 0 ? state_.font : defaultFont_);
        if (font != fonts_.end()) f.font = Trimmed(font->second.name);
        f.halfPoints = state_.halfPoints;
        f.bold = state_.bold;
        f.italic = state_.italic;
        f.underline = state_.underline;
        f.strikeOut = state_.strikeOut;
        if (state_.color >= 0 && static_cast<std::size_t>(state_.color) < colors_.size()) f.color = colors_[state_.color];
        return f;
    }

    static std::string Trimmed(const std::string& s)
    {
        const std::size_t b = s.find_first_not_of(' ');
        if (b == std::string::npos) return {};
        return s.substr(b, s.find_last_not_of(' ') - b + 1);
    }

    void EndParagraph()
    {
        if (state_.destination != Destination::Text) return;
        current_.alignment = state_.alignment;
        doc_.paragraphs.push_back(std::move(current_));
        current_ = Paragraph{};
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    int documentCodePage_ = 1252;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    std::optional<int> fontEntry_;
    std::vector<std::optional<Rgb>> colors_;
    std::optional<Rgb> pendingColor_;
    std::string raw_;
    int fallbackLeft_ = 0;
    char32_t highSurrogate_ = 0;
    RichDocument doc_;
    std::vector<std::string> dropped_;
    Paragraph current_;
};

}  // namespace

std::size_t RtfStart(std::string_view bytes)
{
    std::size_t start = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    start = std::min(bytes.size(), bytes.find_first_not_of(" \t\r\n", start));
    return bytes.substr(start, 5) == "{\\rtf" ? start : std::string_view::npos;
}

RtfReadResult ReadRtf(std::string_view bytes) { return Reader(bytes).Run(); }

}  // namespace orv
