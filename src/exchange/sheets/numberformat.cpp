#include "exchange/sheets/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "store/records.h"

namespace orv {

namespace {

std::string General(double v)
{
    if (!std::isfinite(v)) return "#NUM!";
    char buffer[64];
    const double a = std::fabs(v);
    if (a == 0) return "0";
    if (a >= 1e-9 && a < 1e15) {
        const int magnitude = static_cast<int>(std::floor(std::log10(a)));
        const int decimals = std::clamp(14 - magnitude, 0, 24);
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
        std::string s = buffer;
        if (s.find('.') != std::string::npos) {
            s.erase(s.find_last_not_of('0') + 1);
            if (s.back() == '.') s.pop_back();
        }
        return s == "-0" ? "0" : s;
    }
    std::snprintf(buffer, sizeof buffer, "%.14E", v);
    std::string s = buffer;
    const std::size_t e = s.find('E');
    std::string mantissa = s.substr(0, e);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
    mantissa.append(s, e);
    return mantissa;
}

// Decimal digits of |v| rounded half away from zero to `decimals` places, from
// its 15 significant digits as a spreadsheet keeps them (so 2.675 rounds to 2.68).
void Decimal(double v, int decimals, std::string& integer, std::string& fraction)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(v));
    const std::string s = buffer;
    const std::size_t e = s.find('e');
    std::string digits = s.substr(0, 1);
    digits.append(s, 2, e - 2);
    int point = std::atoi(s.c_str() + e + 1) + 1;
    if (point <= 0) {
        digits = std::string(static_cast<std::size_t>(-point), '0').append(digits);
        point = 0;
    }
    const std::size_t keep = static_cast<std::size_t>(point + decimals);
    if (digits.size() <= keep) digits.append(keep + 1 - digits.size(), '0');
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
        std::size_t i = keep;
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits = std::string("1").append(digits);
            ++point;
        } else {
            ++digits[i - 1];
        }
    }
    integer = digits.substr(0, static_cast<std::size_t>(point));
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    fraction = digits.substr(static_cast<std::size_t>(point));
}

// ---- Format codes ----------------------------------------------------------------------------

enum class Kind { Literal, Digit, Point, Percent, Comma, Exponent, DatePart, AmPm, General };

struct Token {
    Kind kind;
    std::string text;  // literal text, the digit placeholder, or the date part
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

std::vector<std::string_view> Sections(std::string_view code)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    bool bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (bracket) {
            bracket = c != ']';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            bracket = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            sections.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(code.substr(start));
    return sections;
}

bool Tokenize(std::string_view s, std::vector<Token>& tokens)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const char l = Lower(c);
        const auto run = [&](char letter) {
            std::size_t j = i;
            while (j < s.size() && Lower(s[j]) == letter) ++j;
            std::string part(j - i, letter);
            i = j - 1;
            return part;
        };
        if (c == '"') {
            const std::size_t close = s.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? s.size() : close;
            tokens.push_back({Kind::Literal, std::string(s.substr(i + 1, end - i - 1))});
            i = end;
        } else if (c == '\\') {
            if (i + 1 < s.size()) tokens.push_back({Kind::Literal, std::string(1, s[++i])});
        } else if (c == '_') {
            ++i;
            tokens.push_back({Kind::Literal, " "});
        } else if (c == '*') {
            ++i;  // a fill character depends on the column width
        } else if (c == '[') {
            const std::size_t close = s.find(']', i);
            if (close == std::string_view::npos) return false;
            const std::string_view inside = s.substr(i + 1, close - i - 1);
            if (!inside.empty() && (Lower(inside[0]) == 'h' || Lower(inside[0]) == 'm' || Lower(inside[0]) == 's') &&
                std::all_of(inside.begin(), inside.end(), [&](char x) { return Lower(x) == Lower(inside[0]); })) {
                std::string part = "[";
                part += Lower(inside[0]);
                part += ']';
                tokens.push_back({Kind::DatePart, part});
            } else if (inside.substr(0, 1) == "$") {
                // A currency or locale tag: "[$€-407]" shows "€".
                tokens.push_back({Kind::Literal, std::string(inside.substr(1, inside.find('-') - 1))});
            } else if (!inside.empty() && (inside[0] == '<' || inside[0] == '>' || inside[0] == '=')) {
                return false;  // conditions: shown as General
            }
            i = close;
        } else if (c == '0' || c == '#' || c == '?') {
            tokens.push_back({Kind::Digit, std::string(1, c)});
        } else if (c == '.') {
            tokens.push_back({Kind::Point, "."});
        } else if (c == '%') {
            tokens.push_back({Kind::Percent, "%"});
        } else if (c == ',') {
            tokens.push_back({Kind::Comma, ","});
        } else if (l == 'e' && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            tokens.push_back({Kind::Exponent, std::string(1, s[++i])});
        } else if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's') {
            tokens.push_back({Kind::DatePart, run(l)});
        } else if (l == 'a' && Lowered(s.substr(i, 5)) == "am/pm") {
            tokens.push_back({Kind::AmPm, std::string(s.substr(i, 5))});
            i += 4;
        } else if (l == 'a' && Lowered(s.substr(i, 3)) == "a/p") {
            tokens.push_back({Kind::AmPm, std::string(s.substr(i, 3))});
            i += 2;
        } else if (l == 'g' && Lowered(s.substr(i, 7)) == "general") {
            tokens.push_back({Kind::General, ""});
            i += 6;
        } else if (c == '@') {
            tokens.push_back({Kind::General, ""});
        } else if (c == '/' && i + 1 < s.size() && (s[i + 1] == '?' || s[i + 1] == '#' || (s[i + 1] >= '1' && s[i + 1] <= '9'))) {
            return false;  // fractions
        } else {
            tokens.push_back({Kind::Literal, std::string(1, c)});
        }
    }
    return true;
}

// Spreadsheet programs print English names whatever the format's locale tag.
constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDays{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string Padded(long long value, std::size_t width)
{
    std::string s = std::to_string(value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

bool FormatDate(double value, bool date1904, std::vector<Token>& tokens, std::string& out)
{
    if (value < 0 || value >= 2958466) return false;
    // Fractions of a second shown after "ss" set the rounding.
    int secondDecimals = 0;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].kind == Kind::Point && i > 0 && tokens[i - 1].kind == Kind::DatePart && tokens[i - 1].text[0] == 's') {
            for (std::size_t j = i + 1; j < tokens.size() && tokens[j].kind == Kind::Digit && tokens[j].text == "0"; ++j) {
                ++secondDecimals;
            }
        }
    }
    secondDecimals = std::min(secondDecimals, 3);
    const double scale = std::pow(10.0, secondDecimals);
    const long long ticks = std::llround(value * 86400.0 * scale);
    const long long perDay = static_cast<long long>(86400 * scale);
    const long long day = ticks / perDay;
    const long long inDay = ticks % perDay;
    const long long seconds = inDay / static_cast<long long>(scale);
    const long long subSeconds = inDay % static_cast<long long>(scale);
    const double totalSeconds = static_cast<double>(ticks) / scale;

    int y = 1900, m = 1, d = 0;
    int weekday = static_cast<int>((day + 6) % 7);  // day 0 is 1899-12-30, a Saturday
    if (date1904) {
        SerialToDate(static_cast<std::int32_t>(day + 1462), y, m, d);
        weekday = static_cast<int>((day + 1462 + 6) % 7);
    } else if (day == 60) {
        // The 1900 system counts a 29 February 1900 that never was.
        m = 2, d = 29;
    } else if (day > 60) {
        SerialToDate(static_cast<std::int32_t>(day), y, m, d);
    } else if (day > 0) {
        SerialToDate(static_cast<std::int32_t>(day + 1), y, m, d);
    }

    bool twelveHours = false;
    for (const Token& t : tokens) twelveHours |= t.kind == Kind::AmPm;
    // "m" after an hour or before a second is minutes.
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Kind::DatePart || tokens[i].text[0] != 'm' || tokens[i].text.size() > 2) continue;
        bool minutes = false;
        for (std::size_t j = i; j-- > 0;) {
            if (tokens[j].kind != Kind::DatePart) continue;
            minutes = tokens[j].text[0] == 'h' || tokens[j].text == "[h]";
            break;
        }
        for (std::size_t j = i + 1; !minutes && j < tokens.size(); ++j) {
            if (tokens[j].kind != Kind::DatePart) continue;
            minutes = tokens[j].text[0] == 's';
            break;
        }
        if (minutes) tokens[i].text = tokens[i].text == "m" ? "n" : "nn";
    }

    const long long hour = seconds / 3600;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Kind::DatePart: {
            const std::string& p = t.text;
            if (p == "[h]") out += std::to_string(static_cast<long long>(totalSeconds) / 3600);
            else if (p == "[m]") out += std::to_string(static_cast<long long>(totalSeconds) / 60);
            else if (p == "[s]") out += std::to_string(static_cast<long long>(totalSeconds));
            else if (p[0] == 'y') out += p.size() <= 2 ? Padded(y % 100, 2) : Padded(y, 4);
            else if (p[0] == 'm') {
                if (p.size() == 1) out += std::to_string(m);
                else if (p.size() == 2) out += Padded(m, 2);
                else if (p.size() == 3) out += std::string(kMonths[m - 1]).substr(0, 3);
                else if (p.size() == 5) out += kMonths[m - 1][0];
                else out += kMonths[m - 1];
            } else if (p[0] == 'd') {
                if (p.size() == 1) out += std::to_string(d);
                else if (p.size() == 2) out += Padded(d, 2);
                else if (p.size() == 3) out += std::string(kDays[weekday]).substr(0, 3);
                else out += kDays[weekday];
            } else if (p[0] == 'h') {
                long long h = hour;
                if (twelveHours) h = h % 12 == 0 ? 12 : h % 12;
                out += p.size() == 1 ? std::to_string(h) : Padded(h, 2);
            } else if (p[0] == 'n') {
                out += p.size() == 1 ? std::to_string(seconds / 60 % 60) : Padded(seconds / 60 % 60, 2);
            } else if (p[0] == 's') {
                out += p.size() == 1 ? std::to_string(seconds % 60) : Padded(seconds % 60, 2);
                if (secondDecimals > 0 && i + 1 < tokens.size() && tokens[i + 1].kind == Kind::Point) {
                    out += '.';
                    out += Padded(subSeconds, static_cast<std::size_t>(secondDecimals));
                    i += 1 + static_cast<std::size_t>(secondDecimals);
                }
            }
            break;
        }
        case Kind::AmPm: {
            const bool pm = hour >= 12;
            if (t.text.size() == 3) out += pm ? t.text[2] : t.text[0];
            else out += pm ? (t.text[0] == 'a' ? "pm" : "PM") : (t.text[0] == 'a' ? "am" : "AM");
            break;
        }
        case Kind::Digit:
        case Kind::Point:
        case Kind::Comma:
        case Kind::Literal: out += t.text; break;
        default: break;
        }
    }
    return true;
}

bool FormatNumber(double value, bool explicitSign, const std::vector<Token>& tokens, std::string& out)
{
    std::size_t lastInteger = tokens.size();
    std::size_t point = tokens.size();
    int integerPlaces = 0;
    int decimals = 0;
    bool grouping = false;
    int thousandsScale = 0;
    bool exponent = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Kind::Point && point == tokens.size()) point = i;
        else if (t.kind == Kind::Digit && point == tokens.size() && !exponent) ++integerPlaces, lastInteger = i;
        else if (t.kind == Kind::Digit && !exponent) ++decimals;
        else if (t.kind == Kind::Percent) value *= 100;
        else if (t.kind == Kind::Exponent) exponent = true;
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Kind::Comma || i > point) continue;
        // A comma between digit places groups thousands; one after the last scales by 1000.
        if (i < lastInteger && lastInteger != tokens.size()) grouping = true;
        else if (lastInteger != tokens.size() && i > lastInteger) ++thousandsScale;
    }
    if (integerPlaces + decimals == 0) return false;
    for (int i = 0; i < thousandsScale; ++i) value /= 1000;
    const bool negative = value < 0 && !explicitSign;

    if (exponent) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*E", std::min(decimals, 30), std::fabs(value));
        if (negative) out += '-';
        for (const Token& t : tokens) {
            if (t.kind == Kind::Literal) out += t.text;
            if (t.kind == Kind::Digit) {
                out += buffer;
                break;
            }
        }
        return true;
    }

    std::string integer, fraction;
    Decimal(value, std::min(decimals, 30), integer, fraction);
    const bool zero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
    if (negative && !zero) out += '-';

    // Integer digits fill their places from the right; extra ones go to the first.
    std::vector<char> kinds;
    for (std::size_t i = 0; i < tokens.size() && i < point; ++i) {
        if (tokens[i].kind == Kind::Digit) kinds.push_back(tokens[i].text[0]);
    }
    std::vector<std::string> places(kinds.size());
    for (std::size_t p = kinds.size(), d = integer.size(); p-- > 0;) {
        if (d == 0) {
            // Missing digits: "0" shows a zero, "?" a blank, "#" nothing.
            if (kinds[p] != '#') places[p].assign(1, kinds[p] == '0' ? '0' : ' ');
        } else if (p == 0) {
            places[0] = integer.substr(0, d);
            d = 0;
        } else {
            places[p] = std::string(1, integer[--d]);
        }
    }
    if (grouping) {
        std::string all;
        for (const std::string& s : places) all += s;
        const std::size_t firstDigit = all.find_first_not_of(' ');
        std::string head = all.substr(0, firstDigit == std::string::npos ? all.size() : firstDigit);
        std::string digits = firstDigit == std::string::npos ? "" : all.substr(firstDigit);
        std::string grouped;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
            grouped += digits[i];
        }
        digits.swap(grouped);
        places.assign(places.size(), "");
        if (!places.empty()) places[0] = head + digits;
    }

    std::size_t place = 0;
    std::size_t decimal = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
        case Kind::Literal: out += t.text; break;
        case Kind::Percent: out += '%'; break;
        case Kind::Point:
            if (i == point && decimals > 0) out += '.';
            break;
        case Kind::Digit:
            if (i < point) {
                out += places[place++];
            } else {
                // Trailing zeros under "#" vanish and under "?" become blanks.
                const char digit = fraction[decimal++];
                const bool trailing = fraction.find_first_not_of('0', decimal - 1) == std::string::npos;
                if (digit != '0' || !trailing || t.text == "0") out += digit;
                else if (t.text == "?") out += ' ';
            }
            break;
        default: break;
        }
    }
    // "0.#" of a whole number leaves a point with nothing after it.
    if (decimals > 0 && !out.empty() && out.back() == '.') out.pop_back();
    return true;
}

constexpr std::array<std::pair<int, std::string_view>, 27> kBuiltIn{{
    {1, "0"},           {2, "0.00"},         {3, "#,##0"},           {4, "#,##0.00"},
    {9, "0%"},          {10, "0.00%"},       {11, "0.00E+00"},       {14, "m/d/yyyy"},
    {15, "d-mmm-yy"},   {16, "d-mmm"},       {17, "mmm-yy"},         {18, "h:mm AM/PM"},
    {19, "h:mm:ss AM/PM"}, {20, "h:mm"},     {21, "h:mm:ss"},        {22, "m/d/yyyy h:mm"},
    {37, "#,##0 ;(#,##0)"}, {38, "#,##0 ;(#,##0)"}, {39, "#,##0.00;(#,##0.00)"},
    {40, "#,##0.00;(#,##0.00)"}, {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mm:ss.0"},
    {48, "##0.0E+0"},   {49, "@"},           {12, ""},               {13, ""},
}};

}  // namespace

std::string_view BuiltInNumberFormat(int id)
{
    for (const auto& [key, code] : kBuiltIn) {
        if (key == id) return code;
    }
    return {};
}

std::string FormatCellNumber(double value, std::string_view formatCode, bool date1904)
{
    if (!std::isfinite(value)) return General(value);
    const std::vector<std::string_view> sections = Sections(formatCode);
    std::string_view section = sections[0];
    bool explicitSign = false;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
        section = sections[1];
        explicitSign = true;
    } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
        section = sections[2];
    }
    std::vector<Token> tokens;
    if (section.empty() || !Tokenize(section, tokens)) return General(value);
    bool date = false, general = false;
    for (const Token& t : tokens) {
        date |= t.kind == Kind::DatePart || t.kind == Kind::AmPm;
        general |= t.kind == Kind::General;
    }
    std::string out;
    if (general) {
        for (const Token& t : tokens) {
            if (t.kind == Kind::Literal) out += t.text;
            if (t.kind == Kind::General) out += General(explicitSign ? std::fabs(value) : value);
        }
        return out;
    }
    if (date ? FormatDate(value, date1904, tokens, out)
             : FormatNumber(explicitSign ? std::fabs(value) : value, explicitSign, tokens, out)) {
        return out;
    }
    return General(value);
}

}  // namespace orv
