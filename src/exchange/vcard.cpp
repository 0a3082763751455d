#include "exchange/vcard.h"

#include <algorithm>

#include "exchange/codepages.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A semicolon or backslash inside a structured value would split it on reading.
std::string EscapeComponent(std::string_view s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == ';') out += '\\';
        out += c;
    }
    return out;
}

std::string TwoDigits(std::int32_t n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

// Splits at `sep` outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view s, char sep)
{
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') quoted = !quoted;
        else if (s[i] == sep && !quoted) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(s.substr(start));
    return parts;
}

std::size_t FindOutsideQuotes(std::string_view s, char c)
{
    bool quoted = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') quoted = !quoted;
        else if (s[i] == c && !quoted) return i;
    }
    return std::string_view::npos;
}

struct Property {
    std::string name;                // upper case, group removed
    std::vector<std::string> types;  // upper case: HOME, CELL, PREF, ...
    std::string charset;
    std::string encoding;            // QUOTED-PRINTABLE, BASE64, B, ...
    bool uri = false;                // VALUE=uri: a number written as "tel:..."
    std::string value;               // raw, still encoded and escaped
    bool Has(std::string_view type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};

bool NamesQuotedPrintable(std::string_view line)
{
    const std::size_t colon = FindOutsideQuotes(line, ':');
    return UpperAscii(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

// Joins folded lines (a line starting with a blank continues the one before)
// and quoted-printable soft line breaks (a value ending in "=").
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    bool softBreak = false;
    for (std::string_view physical : SplitLines(text)) {
        if (softBreak) {
            lines.back().append(physical);
        } else if (!lines.empty() && !physical.empty() && (physical.front() == ' ' || physical.front() == '\t')) {
            lines.back().append(physical.substr(1));
        } else {
            lines.emplace_back(physical);
        }
        std::string& last = lines.back();
        softBreak = !last.empty() && last.back() == '=' && NamesQuotedPrintable(last);
        if (softBreak) last.pop_back();
    }
    return lines;
}

std::optional<Property> ParseProperty(std::string_view line)
{
    const std::size_t colon = FindOutsideQuotes(line, ':');
    if (colon == std::string_view::npos) return std::nullopt;
    Property p;
    p.value = std::string(line.substr(colon + 1));
    const std::vector<std::string_view> parts = SplitOutsideQuotes(line.substr(0, colon), ';');
    std::string_view name = Trim(parts[0]);
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    p.name = UpperAscii(name);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view param = Trim(parts[i]);
        const std::size_t eq = param.find('=');
        if (eq == std::string_view::npos) {
            const std::string bare = UpperAscii(param);
            if (bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "B") p.encoding = bare;
            else p.types.push_back(bare);
            continue;
        }
        const std::string key = UpperAscii(Trim(param.substr(0, eq)));
        std::string_view val = Trim(param.substr(eq + 1));
        if (val.size() >= 2 && val.front() == '"' && val.back() == '"') val = val.substr(1, val.size() - 2);
        if (key == "TYPE") {
            for (std::string_view t : SplitOutsideQuotes(val, ',')) p.types.push_back(UpperAscii(Trim(t)));
        } else if (key == "CHARSET") {
            p.charset = UpperAscii(val);
        } else if (key == "ENCODING") {
            p.encoding = UpperAscii(val);
        } else if (key == "PREF") {
            p.types.emplace_back("PREF");
        } else if (key == "VALUE") {
            p.uri = UpperAscii(val) == "URI";
        }
    }
    return p;
}

std::string DecodeQuotedPrintable(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '=' && i + 2 < s.size()) {
            const int hi = HexDigitValue(s[i + 1]);
            const int lo = HexDigitValue(s[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// The value in UTF-8; a charset the system cannot convert from leaves the bytes
// as they are (the view then reads them as it reads every stored text).
std::string ToUtf8(const std::string& bytes, const std::string& charset)
{
    if (charset.empty() || charset == "UTF-8" || charset == "US-ASCII" || bytes.empty()) return bytes;
    return CharsetToUtf8(charset, bytes, true).value_or(bytes);
}

// Backslash escapes of the later versions; an unknown escape stays as written.
std::string Unescape(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char next = s[i + 1];
            if (next == '\\' || next == ';' || next == ',' || next == ':') {
                out += next;
                ++i;
                continue;
            }
            if (next == 'n' || next == 'N') {
                out += '\n';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// The components of a structured value, split at semicolons that are not escaped.
std::vector<std::string> Components(std::string_view s)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
        } else if (s[i] == ';') {
            parts.push_back(Unescape(s.substr(start, i - start)));
            start = i + 1;
        }
    }
    parts.push_back(Unescape(s.substr(start)));
    return parts;
}

std::string JoinNonEmpty(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (std::string_view p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += ' ';
        out.append(p);
    }
    return out;
}

bool AllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// YYYYMMDD, YYYY-MM-DD, --MMDD and --MM-DD, a time after "T" ignored; the
// texts go through the birthday field checks afterwards.
void ReadBirthday(std::string_view value, CardFields& card)
{
    value = Trim(value);
    if (const std::size_t t = value.find_first_of("Tt"); t != std::string_view::npos) value = value.substr(0, t);
    std::string_view year, month, day;
    if (value.size() == 8 && AllDigits(value)) {
        year = value.substr(0, 4), month = value.substr(4, 2), day = value.substr(6, 2);
    } else if (value.size() == 10 && value[4] == '-' && value[7] == '-') {
        year = value.substr(0, 4), month = value.substr(5, 2), day = value.substr(8, 2);
    } else if (value.size() == 6 && value.substr(0, 2) == "--") {
        month = value.substr(2, 2), day = value.substr(4, 2);
    } else if (value.size() == 7 && value.substr(0, 2) == "--" && value[4] == '-') {
        month = value.substr(2, 2), day = value.substr(5, 2);
    }
    if (!AllDigits(month) || !AllDigits(day) || (!year.empty() && !AllDigits(year))) return;
    card.Month = std::string(month);
    card.Day = std::string(day);
    if (!year.empty()) card.Year = std::string(year);
}

struct Tel {
    std::string number;
    bool home, cell;
};

// What one card holds, gathered until its END line decides the fields.
class CardBuilder {
public:
    void Add(const Property& p)
    {
        if (p.encoding == "BASE64" || p.encoding == "B") return;  // pictures and keys
        std::string value = p.value;
        if (p.encoding == "QUOTED-PRINTABLE") value = DecodeQuotedPrintable(value);
        // One rule for every import: a value in no declared charset that is not
        // UTF-8 is Windows-1252, as a stored text is read.
        value = StoredAsUtf8(ToUtf8(value, p.charset));
        if (p.name == "N") {
            name_ = Components(value);
        } else if (p.name == "FN") {
            fn_ = Unescape(value);
        } else if (p.name == "TEL") {
            if (p.Has("FAX") || p.Has("PAGER")) return;
            std::string number = Unescape(value);
            if (p.uri && UpperAscii(std::string_view(number).substr(0, 4)) == "TEL:") number.erase(0, 4);
            tels_.push_back(Tel{std::move(number), p.Has("HOME"), p.Has("CELL")});
        } else if (p.name == "EMAIL") {
            std::string mail = Unescape(value);
            if (p.Has("PREF")) emails_.insert(emails_.begin() + prefEmails_++, std::move(mail));
            else emails_.push_back(std::move(mail));
        } else if (p.name == "ADR") {
            if (!address_ || (!addressIsHome_ && p.Has("HOME"))) {
                address_ = Components(value);
                addressIsHome_ = p.Has("HOME");
            }
        } else if (p.name == "BDAY") {
            birthday_ = Unescape(value);
        } else if (p.name == "UID") {
            uid_ = OneLine(Trim(Unescape(value)));
        }
    }

    CardFields Build() const
    {
        CardFields card;
        // A field holds one line: a line break of a value becomes a blank,
        // counted so that the import can say where it changed the card's text.
        int broken = 0;
        auto oneLine = [&broken](std::string_view text) {
            if (!HasLineBreak(text)) return std::string(text);
            ++broken;
            return OneLine(text);
        };
        if (name_) {
            // Without a semicolon the whole value is the surname.
            card.Surname = oneLine((*name_)[0]);
            std::string first;
            for (std::size_t i = 1; i < name_->size(); ++i) first = JoinNonEmpty({first, (*name_)[i]});
            card.Name = oneLine(first);
        }
        // Cards of the later versions may leave the name to the formatted name alone.
        if ((!card.Name || (card.Name->empty() && card.Surname->empty())) && fn_ && !fn_->empty()) {
            const std::string fn = oneLine(*fn_);
            const std::size_t blank = fn.rfind(' ');
            card.Name = blank == std::string::npos ? fn : fn.substr(0, blank);
            card.Surname = blank == std::string::npos ? std::string() : fn.substr(blank + 1);
        }
        BuildTelephones(card);
        if (!emails_.empty()) card.Email1 = emails_[0];
        if (emails_.size() > 1) card.Email2 = emails_[1];
        if (emails_.size() > 2) card.Email3 = emails_[2];
        for (std::optional<std::string>* field : {&card.Tele1, &card.Tele2, &card.Email1, &card.Email2, &card.Email3})
            if (*field) **field = oneLine(**field);
        if (address_) {
            std::vector<std::string> adr = *address_;
            adr.resize(std::max<std::size_t>(adr.size(), 7));
            // Post office box, extended address, street, locality, region, postal code, country.
            card.Address = oneLine(adr[2]);
            card.City = oneLine(JoinNonEmpty({adr[5], adr[3]}));
            std::string country = adr[6];
            for (std::size_t i = 7; i < adr.size(); ++i) country += " " + adr[i];
            card.Country = oneLine(JoinNonEmpty({country, adr[4]}));
        }
        if (birthday_) ReadBirthday(*birthday_, card);
        card.Uid = uid_;
        card.LineBreaks = broken;
        return card;
    }

private:
    // The home number is the first, the mobile the second; other numbers fill
    // whichever is still free, in the order of the card.
    void BuildTelephones(CardFields& card) const
    {
        std::vector<bool> used(tels_.size(), false);
        auto take = [&](auto wanted) -> std::optional<std::string> {
            for (std::size_t i = 0; i < tels_.size(); ++i)
                if (!used[i] && wanted(tels_[i])) {
                    used[i] = true;
                    return tels_[i].number;
                }
            return std::nullopt;
        };
        card.Tele1 = take([](const Tel& t) { return t.home && !t.cell; });
        card.Tele2 = take([](const Tel& t) { return t.cell; });
        if (!card.Tele1) card.Tele1 = take([](const Tel&) { return true; });
        if (!card.Tele2) card.Tele2 = take([](const Tel&) { return true; });
    }

    std::optional<std::vector<std::string>> name_;
    std::optional<std::string> fn_;
    std::vector<Tel> tels_;
    std::vector<std::string> emails_;
    std::size_t prefEmails_ = 0;
    std::optional<std::vector<std::string>> address_;
    bool addressIsHome_ = false;
    std::optional<std::string> birthday_;
    std::optional<std::string> uid_;
};

template <typename T>
void Take(const std::optional<T>& from, std::optional<T>& into)
{
    if (from) into = from;
}

void Take(const std::optional<std::string>& from, std::string& into)
{
    if (from) into = *from;
}

}  // namespace

std::string WriteVCard(const AddressFields& f, std::string_view uid)
{
    std::string out;
    // Version 2.1 reads a value without CHARSET as ASCII, so a line with any
    // other text names its charset.
    auto line = [&](std::string_view property, std::string_view value) {
        out.append(property);
        if (std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            out.append(";CHARSET=UTF-8");
        out.append(":").append(value).append(kCrLf);
    };
    const auto text = [](const std::string& stored) { return StoredAsUtf8(stored); };
    out.append("BEGIN:VCARD").append(kCrLf);
    out.append("VERSION:2.1").append(kCrLf);
    line("N", EscapeComponent(text(f.Surname)) + ";" + EscapeComponent(text(f.Name)));
    if (!f.Tele1.empty()) line("TEL;HOME;VOICE", text(f.Tele1));
    if (!f.Tele2.empty()) line("TEL;CELL;VOICE", text(f.Tele2));
    if (!f.Address.empty())
        line("ADR;HOME", ";;" + EscapeComponent(text(f.Address)) + ";" + EscapeComponent(text(f.City)) + ";;;" +
                             EscapeComponent(text(f.Country)));
    if (!f.Email1.empty()) line("EMAIL;PREF;INTERNET", text(f.Email1));
    const auto month = ParseInt32(f.Month);
    const auto day = ParseInt32(f.Day);
    if (!f.Year.empty() && month && day) line("BDAY", f.Year + TwoDigits(*month) + TwoDigits(*day));
    if (!uid.empty()) line("UID", StoredAsUtf8(uid));
    out.append("END:VCARD").append(kCrLf);
    return out;
}

std::vector<CardFields> ReadVCards(std::string_view text)
{
    std::vector<CardFields> cards;
    std::optional<CardBuilder> card;
    int depth = 0;  // cards inside a card (an agent's) are skipped
    for (const std::string& line : LogicalLines(text)) {
        const std::optional<Property> p = ParseProperty(line);
        if (!p) continue;
        const bool aboutCard = UpperAscii(Trim(p->value)) == "VCARD";
        if (p->name == "BEGIN" && aboutCard) {
            if (depth++ == 0) card.emplace();
        } else if (p->name == "END" && aboutCard) {
            if (depth > 0 && --depth == 0) {
                cards.push_back(card->Build());
                card.reset();
            }
        } else if (depth == 1) {
            card->Add(*p);
        }
    }
    // A file cut off inside a card still gives what the card held.
    if (card) cards.push_back(card->Build());
    return cards;
}

CardFields MergeCards(const std::vector<CardFields>& cards)
{
    CardFields merged;
    for (const CardFields& c : cards) {
        Take(c.Name, merged.Name);
        Take(c.Surname, merged.Surname);
        Take(c.Address, merged.Address);
        Take(c.City, merged.City);
        Take(c.Country, merged.Country);
        Take(c.Tele1, merged.Tele1);
        Take(c.Tele2, merged.Tele2);
        Take(c.Email1, merged.Email1);
        Take(c.Email2, merged.Email2);
        Take(c.Email3, merged.Email3);
        Take(c.Day, merged.Day);
        Take(c.Month, merged.Month);
        Take(c.Year, merged.Year);
        Take(c.Uid, merged.Uid);
        merged.LineBreaks += c.LineBreaks;
    }
    return merged;
}

void ApplyCard(const CardFields& c, AddressFields& f)
{
    Take(c.Name, f.Name);
    Take(c.Surname, f.Surname);
    Take(c.Address, f.Address);
    Take(c.City, f.City);
    Take(c.Country, f.Country);
    Take(c.Tele1, f.Tele1);
    Take(c.Tele2, f.Tele2);
    Take(c.Email1, f.Email1);
    Take(c.Email2, f.Email2);
    Take(c.Email3, f.Email3);
    Take(c.Day, f.Day);
    Take(c.Month, f.Month);
    Take(c.Year, f.Year);
}

}  // namespace orv
