#include "store/textutil.h"


namespace orv {

std::optional<std::int32_t> ParseInt32(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string NotAnIntegerMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid integer value";
}

bool HasLineBreak(std::string_view text)
{
    return !text.empty() && (std::memchr(text.data(), '\n', text.size()) != nullptr ||
                             std::memchr(text.data(), '\r', text.size()) != nullptr);
}

std::string OneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += ' ';
    }
    return out;
}

std::vector<std::string> LinesOf(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    return {lines.begin(), lines.end()};
}

bool CutToLimit(std::string& text, std::size_t limit)
{
    if (text.size() <= limit) return false;
    std::size_t end = limit;
    for (int back = 0; back < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back) --end;
    text.resize(end);
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) lines.push_back(line);
    return lines;
}

std::string EscapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace orv
