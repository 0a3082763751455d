#include "sync/contentlines.h"

#include <algorithm>

namespace orv::sync {

namespace {

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool IsContinuation(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ContentLine ParseContentLine(std::string_view raw)
{
    ContentLine line;
    line.raw = std::string(raw);
    // The name ends at the first ';' or ':'; a ':' inside a quoted parameter
    // value (an URL in ALTREP) does not end the parameters.
    std::size_t i = 0;
    while (i < raw.size() && raw[i] != ';' && raw[i] != ':') ++i;
    std::string_view name = raw.substr(0, i);
    if (const auto dot = name.find('.'); dot != std::string_view::npos) {
        line.group = std::string(name.substr(0, dot));
        name.remove_prefix(dot + 1);
    }
    line.name = Upper(name);
    if (i < raw.size() && raw[i] == ';') {
        const std::size_t start = ++i;
        bool quoted = false;
        while (i < raw.size() && (quoted || raw[i] != ':')) {
            if (raw[i] == '"') quoted = !quoted;
            ++i;
        }
        line.params = std::string(raw.substr(start, i - start));
    }
    if (i < raw.size()) line.value = std::string(raw.substr(i + 1));
    return line;
}

ContentObject ContentObject::Parse(std::string_view text)
{
    ContentObject object;
    std::vector<std::string> stack;
    std::string current;
    bool have = false;
    const auto flush = [&] {
        if (!have) return;
        have = false;
        ContentLine line = ParseContentLine(current);
        if (line.name == "END" && !stack.empty()) {
            line.depth = static_cast<int>(stack.size());
            line.path = stack.empty() ? "" : [&] {
                std::string p;
                for (const auto& s : stack) p += (p.empty() ? "" : "/") + s;
                return p;
            }();
            stack.pop_back();
        } else {
            if (line.name == "BEGIN") stack.push_back(Upper(line.value));
            std::string p;
            for (const auto& s : stack) p += (p.empty() ? "" : "/") + s;
            line.path = p;
            line.depth = static_cast<int>(stack.size());
        }
        if (!line.raw.empty()) object.lines_.push_back(std::move(line));
        current.clear();
    };
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find('\n', i);
        if (end == std::string_view::npos) end = text.size();
        std::string_view piece = text.substr(i, end - i);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        if (!piece.empty() && IsContinuation(piece.front()) && have) {
            current.append(piece.substr(1));
        } else {
            flush();
            current.assign(piece);
            have = true;
        }
        i = end + 1;
    }
    flush();
    return object;
}

std::vector<ContentObject::Range> ContentObject::Components(std::string_view path) const
{
    std::vector<Range> out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].name != "BEGIN" || lines_[i].path != path) continue;
        std::size_t j = i + 1;
        while (j < lines_.size() && !(lines_[j].name == "END" && lines_[j].path == path && lines_[j].depth == lines_[i].depth))
            ++j;
        if (j == lines_.size()) break;  // a component without its END is not taken apart
        out.push_back({i, j + 1});
        i = j;
    }
    return out;
}

std::vector<std::size_t> ContentObject::Find(Range r, std::string_view name) const
{
    std::vector<std::size_t> out;
    if (r.empty()) return out;
    const int depth = lines_[r.first].depth;
    for (std::size_t i = r.first + 1; i + 1 < r.last; ++i)
        if (lines_[i].depth == depth && lines_[i].name == name) out.push_back(i);
    return out;
}

std::string ContentObject::Value(Range r, std::string_view name) const
{
    const auto found = Find(r, name);
    return found.empty() ? std::string() : lines_[found.front()].value;
}

std::size_t ContentObject::Remove(Range& r, const std::vector<std::string_view>& names)
{
    if (r.empty()) return r.first;
    const int depth = lines_[r.first].depth;
    std::size_t at = std::string::npos;
    for (std::size_t i = r.first + 1; i + 1 < r.last;) {
        const ContentLine& l = lines_[i];
        if (l.depth == depth && std::find(names.begin(), names.end(), l.name) != names.end()) {
            if (at == std::string::npos) at = i;
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            --r.last;
        } else {
            ++i;
        }
    }
    // Nothing removed: new properties go before the first sub-component (a
    // VALARM) or the END, where a reader expects the event's own lines.
    if (at == std::string::npos) {
        at = r.last - 1;
        for (std::size_t i = r.first + 1; i + 1 < r.last; ++i)
            if (lines_[i].name == "BEGIN") {
                at = i;
                break;
            }
    }
    return at;
}

void ContentObject::Insert(Range& r, std::size_t at, const std::vector<std::string>& raw)
{
    const int depth = r.empty() ? 0 : lines_[r.first].depth;
    const std::string path = r.empty() ? std::string() : lines_[r.first].path;
    std::vector<ContentLine> added;
    for (const std::string& text : raw) {
        ContentLine l = ParseContentLine(text);
        l.depth = depth;
        l.path = path;
        added.push_back(std::move(l));
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    r.last += added.size();
}

std::string ContentObject::Text() const
{
    std::string out;
    for (const ContentLine& l : lines_) {
        std::string_view rest = l.raw;
        std::size_t limit = 75;
        while (rest.size() > limit) {
            std::size_t cut = limit;
            // Never inside a UTF-8 sequence: back up to its first byte.
            while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) --cut;
            out.append(rest.substr(0, cut));
            out += "\r\n ";
            rest.remove_prefix(cut);
            limit = 74;  // the leading blank counts
        }
        out.append(rest);
        out += "\r\n";
    }
    return out;
}

std::string ObjectUid(std::string_view text)
{
    for (std::size_t at = 0; (at = text.find("UID", at)) != std::string_view::npos; at += 3) {
        if ((at != 0 && text[at - 1] != '\n') || at + 3 >= text.size() || (text[at + 3] != ':' && text[at + 3] != ';'))
            continue;
        // The line with its folded continuations.
        std::size_t end = text.find('\n', at);
        while (end != std::string_view::npos && end + 1 < text.size() && (text[end + 1] == ' ' || text[end + 1] == '\t'))
            end = text.find('\n', end + 1);
        const ContentObject line = ContentObject::Parse(text.substr(at, end == std::string_view::npos ? end : end - at));
        return line.lines().empty() ? std::string() : UnescapeText(line.lines().front().value);
    }
    return {};
}

std::string EscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char n = value[++i];
            out += n == 'n' || n == 'N' ? '\n' : n;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::vector<std::string> SplitComponents(std::string_view value)
{
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            current += value[i];
            current += value[++i];
        } else if (value[i] == ';') {
            parts.push_back(UnescapeText(current));
            current.clear();
        } else {
            current += value[i];
        }
    }
    parts.push_back(UnescapeText(current));
    return parts;
}

std::string JoinComponents(const std::vector<std::string>& parts)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += ';';
        out += EscapeText(parts[i]);
    }
    return out;
}

}  // namespace orv::sync
