#include "exchange/vcard/vcard.h"

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
    std::string omitYear;            // the year an address book writes for "no year"
    std::string value;               // raw, still encoded and escaped
    bool Has(std::string_view type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};

bool NamesQuotedPrintable(std::string_view line)
{
    const std::size_t colon = FindOutsideQuotes(line, ':');
    return UpperAscii(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

bool IsLine(std::string_view line, std::string_view upper)
{
    return UpperAscii(Trim(line)) == upper;
}

// Joins folded lines (a line starting with a blank continues the one before)
// and quoted-printable soft line breaks (a value ending in "="). Version 2.1
// folds before a blank of the value, which stays; the later versions insert
// the blank, which goes.
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    bool softBreak = false;
    bool version21 = false;
    for (std::string_view physical : SplitLines(text)) {
        if (softBreak) {
            lines.back().append(physical);
        } else if (!lines.empty() && !physical.empty() && (physical.front() == ' ' || physical.front() == '\t')) {
            lines.back().append(version21 ? physical : physical.substr(1));
        } else {
            // The line before is whole now.
            if (!lines.empty()) {
                if (IsLine(lines.back(), "BEGIN:VCARD")) version21 = false;
                else if (IsLine(lines.back(), "VERSION:2.1")) version21 = true;
            }
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
        } else if (key.size() > 10 && key.ends_with("-OMIT-YEAR")) {
            p.omitYear = std::string(val);
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

// One to `most` digits.
bool Digits(std::string_view s, std::size_t most) { return s.size() <= most && AllDigits(s); }

// YYYYMMDD, YYYY-M-D, --MMDD, --MM-DD and DD.MM.YYYY, a time after "T"
// ignored; the texts go through the birthday field checks afterwards. A year
// equal to `omitYear` is an address book's way of saying "no year". False
// when the value is none of these.
bool ReadBirthday(std::string_view value, const std::string& omitYear, CardFields& card)
{
    value = Trim(value);
    if (const std::size_t t = value.find_first_of("Tt"); t != std::string_view::npos && t > 0 && AllDigits(value.substr(t - 1, 1)))
        value = value.substr(0, t);
    std::string_view year, month, day;
    const std::vector<std::string_view> dashed = SplitOutsideQuotes(value, '-');
    const std::vector<std::string_view> dotted = SplitOutsideQuotes(value, '.');
    if (value.size() == 8 && AllDigits(value)) {
        year = value.substr(0, 4), month = value.substr(4, 2), day = value.substr(6, 2);
    } else if (value.size() == 6 && value.substr(0, 2) == "--") {
        month = value.substr(2, 2), day = value.substr(4, 2);
    } else if (value.size() == 7 && value.substr(0, 2) == "--" && value[4] == '-') {
        month = value.substr(2, 2), day = value.substr(5, 2);
    } else if (dashed.size() == 3 && Digits(dashed[0], 4) && dashed[0].size() >= 3) {
        year = dashed[0], month = dashed[1], day = dashed[2];
    } else if (dotted.size() == 3 && dotted[2].size() == 4) {
        day = dotted[0], month = dotted[1], year = dotted[2];
    }
    if (!Digits(month, 2) || !Digits(day, 2) || (!year.empty() && !AllDigits(year))) return false;
    card.Month = std::string(month);
    card.Day = std::string(day);
    if (!year.empty() && year != omitYear) card.Year = std::string(year);
    return true;
}

struct Tel {
    std::string number;
    bool home, cell;
    std::string label;  // the card's types, for a number that has no field
};

// The types of a property as a reader sees them: "work, fax"; the ones that
// only say how the value is used (voice, internet, pref) are left out.
std::string TypeLabel(const Property& p)
{
    std::string label;
    for (const std::string& t : p.types) {
        if (t == "VOICE" || t == "INTERNET" || t == "PREF" || t.empty() || t.rfind("X-", 0) == 0) continue;
        std::string lower = t;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (label.find(lower) != std::string::npos) continue;
        if (!label.empty()) label += ", ";
        label += lower;
    }
    return label;
}

std::string Labelled(std::string_view what, std::string_view label)
{
    return label.empty() ? std::string(what) : std::string(what) + " (" + std::string(label) + ")";
}

// Properties that say nothing about the person, or that the fields hold in
// another form (FN beside N, LABEL beside ADR).
bool Bookkeeping(std::string_view name)
{
    static constexpr std::string_view kNames[] = {"VERSION", "PRODID", "REV", "UID", "FN", "LABEL", "SORT-STRING",
                                                  "KIND", "SOURCE", "CLIENTPIDMAP", "MAILER", "NAME", "PROFILE"};
    return name.rfind("X-", 0) == 0 || std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

// What one card holds, gathered until its END line decides the fields.
class CardBuilder {
public:
    void Add(const Property& p)
    {
        if (p.encoding == "BASE64" || p.encoding == "B") {
            // Pictures, sounds and keys: no place for them, but named.
            Unkept(p.name);
            return;
        }
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
            std::string number = Unescape(value);
            if (p.uri && UpperAscii(std::string_view(number).substr(0, 4)) == "TEL:") number.erase(0, 4);
            if (Trim(number).empty()) return;
            // A fax or pager number never takes a telephone field.
            const bool other = p.Has("FAX") || p.Has("PAGER");
            tels_.push_back(Tel{std::move(number), p.Has("HOME") && !other, p.Has("CELL") && !other, TypeLabel(p)});
            if (other) fixed_.push_back(tels_.size() - 1);
        } else if (p.name == "EMAIL") {
            std::string mail = Unescape(value);
            if (Trim(mail).empty()) return;
            if (p.Has("PREF")) emails_.insert(emails_.begin() + prefEmails_++, std::move(mail));
            else emails_.push_back(std::move(mail));
        } else if (p.name == "ADR") {
            addresses_.push_back({Components(value), TypeLabel(p)});
            if (!address_ || (!addressIsHome_ && p.Has("HOME"))) {
                address_ = addresses_.size() - 1;
                addressIsHome_ = p.Has("HOME");
            }
        } else if (p.name == "BDAY") {
            birthday_ = Unescape(value);
            omitYear_ = p.omitYear;
        } else if (p.name == "UID") {
            uid_ = OneLine(Trim(Unescape(value)));
        } else if (p.name == "ORG") {
            const std::vector<std::string> parts = Components(value);
            std::string org;
            for (const std::string& part : parts) org = JoinWith(org, part, ", ");
            if (!org.empty()) org_ = org, company_ = parts[0];
        } else if (p.name == "TITLE") {
            Further("Title", Unescape(value));
        } else if (p.name == "ROLE") {
            Further("Role", Unescape(value));
        } else if (p.name == "NICKNAME") {
            Further("Nickname", Unescape(value));
        } else if (p.name == "URL") {
            Further(Labelled("Web page", TypeLabel(p)), Unescape(value));
        } else if (p.name == "NOTE") {
            Further("Note", Unescape(value));
        } else if (!Bookkeeping(p.name)) {
            Unkept(p.name);
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
        std::vector<std::string> more;
        if (name_) {
            // Family name; given and additional names; prefixes; suffixes.
            // Without a semicolon the whole value is the surname.
            std::vector<std::string> n = *name_;
            n.resize(std::max<std::size_t>(n.size(), 5));
            card.Surname = oneLine(n[0]);
            std::string first = JoinNonEmpty({n[1], n[2]});
            for (std::size_t i = 5; i < n.size(); ++i) first = JoinNonEmpty({first, n[i]});
            card.Name = oneLine(first);
            AddFurther(more, "Name prefix", n[3]);
            AddFurther(more, "Name suffix", n[4]);
        }
        const auto nameless = [&card] {
            return (!card.Name || card.Name->empty()) && (!card.Surname || card.Surname->empty());
        };
        // Cards of the later versions may leave the name to the formatted name alone.
        // A company's card names the company there too.
        if (nameless() && fn_ && !fn_->empty() && (!org_ || (*fn_ != *org_ && *fn_ != company_))) {
            const std::string fn = oneLine(*fn_);
            const std::size_t blank = fn.rfind(' ');
            card.Name = blank == std::string::npos ? fn : fn.substr(0, blank);
            card.Surname = blank == std::string::npos ? std::string() : fn.substr(blank + 1);
        }
        // A company's card: its name is the organisation.
        bool orgIsName = false;
        if (nameless() && org_) {
            card.Name = std::string();
            card.Surname = oneLine(*org_);
            orgIsName = true;
        }
        if (org_ && !orgIsName) AddFurther(more, "Organisation", *org_);
        more.insert(more.end(), further_.begin(), further_.end());

        BuildTelephones(card, more);
        // The e-mail addresses fill the e-mail fields in order, the preferred first.
        std::size_t mail = 0;
        ForEachShownText([&](const PersonFieldInfo& info, auto field) {
            if (info.contact == Contact::Email && mail < emails_.size()) field(card) = emails_[mail++];
        });
        for (std::size_t i = mail; i < emails_.size(); ++i) AddFurther(more, "E-mail", emails_[i]);
        // The numbers and e-mail addresses are taken as the card gives them:
        // one line each now, like every field given so far.
        ForEachShownText([&](const PersonFieldInfo&, auto field) {
            if (field(card)) *field(card) = oneLine(*field(card));
        });
        for (std::size_t i = 0; i < addresses_.size(); ++i) {
            std::vector<std::string> adr = addresses_[i].parts;
            adr.resize(std::max<std::size_t>(adr.size(), 7));
            std::string country = adr[6];
            for (std::size_t k = 7; k < adr.size(); ++k) country += " " + adr[k];
            if (address_ && i == *address_) {
                // Post office box, extended address, street, locality, region, postal code, country.
                card.Address = oneLine(adr[2]);
                card.City = oneLine(JoinNonEmpty({adr[5], adr[3]}));
                card.Country = oneLine(JoinNonEmpty({country, adr[4]}));
                AddFurther(more, "Post office box", adr[0]);
                AddFurther(more, "Extended address", adr[1]);
                continue;
            }
            std::string whole;
            for (const std::string& part : {adr[0], adr[1], adr[2], JoinNonEmpty({adr[5], adr[3]}), adr[4], country})
                whole = JoinWith(whole, part, ", ");
            AddFurther(more, Labelled("Address", addresses_[i].label), whole);
        }
        if (birthday_ && !ReadBirthday(*birthday_, omitYear_, card) && !Trim(*birthday_).empty())
            card.Lost.push_back("The birthday '" + OneLine(Trim(*birthday_)) + "' is no date ORV reads; it was left out.");
        if (!unkept_.empty()) {
            std::string names;
            for (const std::string& n : unkept_) names = JoinWith(names, n, ", ");
            card.Lost.push_back("Not kept: " + names + ".");
        }
        card.Uid = uid_;
        card.LineBreaks = broken;
        card.More = std::move(more);
        return card;
    }

private:
    struct Adr {
        std::vector<std::string> parts;
        std::string label;
    };

    static std::string JoinWith(std::string text, std::string_view part, std::string_view sep)
    {
        if (Trim(part).empty()) return text;
        if (!text.empty()) text.append(sep);
        text.append(Trim(part));
        return text;
    }

    // "Label: value" for the additional information; a value of several
    // lines goes on below its label, a line each.
    static void AddFurther(std::vector<std::string>& more, std::string_view label, std::string_view value)
    {
        std::vector<std::string> lines = LinesOf(value);
        while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
        if (lines.empty() || (lines.size() == 1 && Trim(lines[0]).empty())) return;
        more.push_back(std::string(label) + ": " + std::string(Trim(lines[0])));
        for (std::size_t i = 1; i < lines.size(); ++i) more.push_back(lines[i]);
    }

    void Further(std::string_view label, std::string_view value) { AddFurther(further_, label, value); }

    void Unkept(const std::string& name)
    {
        if (std::find(unkept_.begin(), unkept_.end(), name) == unkept_.end()) unkept_.push_back(name);
    }

    // The home number is the first, the mobile the second; other numbers fill
    // whichever is still free, in the order of the card; the rest, fax and
    // pager numbers among them, go to the additional information.
    void BuildTelephones(CardFields& card, std::vector<std::string>& more) const
    {
        std::vector<bool> used(tels_.size(), false);
        for (const std::size_t i : fixed_) used[i] = true;
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
        for (std::size_t i = 0; i < tels_.size(); ++i) {
            const bool taken = std::find(fixed_.begin(), fixed_.end(), i) == fixed_.end() && used[i];
            if (!taken) AddFurther(more, Labelled("Telephone", tels_[i].label), tels_[i].number);
        }
    }

    std::optional<std::vector<std::string>> name_;
    std::optional<std::string> fn_;
    std::optional<std::string> org_;
    std::string company_;  // the organisation's first part, without its units
    std::vector<Tel> tels_;
    std::vector<std::size_t> fixed_;  // numbers that take no field
    std::vector<std::string> emails_;
    std::size_t prefEmails_ = 0;
    std::vector<Adr> addresses_;
    std::optional<std::size_t> address_;  // the one the fields take
    bool addressIsHome_ = false;
    std::optional<std::string> birthday_;
    std::string omitYear_;
    std::optional<std::string> uid_;
    std::vector<std::string> further_;
    std::vector<std::string> unkept_;
};

// What a later card gives overwrites what an earlier one gave; lines add up.
void Merge(const std::optional<std::string>& from, std::optional<std::string>& into)
{
    if (from) into = from;
}

void Merge(const std::vector<std::string>& from, std::vector<std::string>& into)
{
    into.insert(into.end(), from.begin(), from.end());
}

// What a card gives replaces the field's text; its lines are added, each once.
void Apply(const std::optional<std::string>& from, std::string& into)
{
    if (from) into = *from;
}

void Apply(const std::vector<std::string>& from, std::vector<std::string>& into)
{
    for (const std::string& line : from)
        if (std::find(into.begin(), into.end(), line) == into.end()) into.push_back(line);
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
    // Without a year the birthday still goes out, in the form the later
    // versions give a date without its year (and readers of 2.1 take).
    if (month && day) line("BDAY", (f.Year.empty() ? std::string("--") : f.Year) + TwoDigits(*month) + TwoDigits(*day));
    if (!uid.empty()) line("UID", StoredAsUtf8(uid));
    out.append("END:VCARD").append(kCrLf);
    return out;
}

std::vector<CardFields> ReadVCards(std::string_view bytes)
{
    std::vector<CardFields> cards;
    // A byte-order mark or UTF-16 is the file's, not the card's.
    const TextFileContent file = TextOfFile(bytes, {});
    if (!file.ok) return cards;
    const std::string_view text = file.text;
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
        ForEachShownField([&](const PersonFieldInfo&, auto field) { Merge(field(c), field(merged)); });
        Merge(c.Uid, merged.Uid);
        merged.LineBreaks += c.LineBreaks;
        Merge(c.Lost, merged.Lost);
    }
    return merged;
}

void ApplyCard(const CardFields& c, AddressFields& f)
{
    ForEachShownField([&](const PersonFieldInfo&, auto field) { Apply(field(c), field(f)); });
}

}  // namespace orv
