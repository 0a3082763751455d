#include "core/settingsstore.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "store/records.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::string_view kEol = "\r\n";

// Registry type numbers that map onto the typed values.
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// Days since 1899-12-30 of 0001-01-01 and 9999-12-31, the span a stored date may have.
constexpr std::int32_t kFirstSerial = -693593;
constexpr std::int32_t kLastSerial = 2958465;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StartsNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && EqualNoCase(s.substr(0, prefix.size()), prefix);
}

// 1 to 8 hex digits, nothing else.
std::optional<std::uint32_t> ParseHex32(std::string_view s)
{
    if (s.empty() || s.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (const char c : s) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

// "00,e0,40": comma-separated bytes of one or two hex digits; empty is no bytes.
std::optional<std::string> ParseHexBytes(std::string_view s)
{
    std::string bytes;
    if (Trim(s).empty()) return bytes;
    for (;;) {
        const std::size_t comma = s.find(',');
        const std::optional<std::uint32_t> b = [&]() -> std::optional<std::uint32_t> {
            const std::string_view token = Trim(s.substr(0, comma));
            if (token.size() > 2) return std::nullopt;
            return ParseHex32(token);
        }();
        if (!b) return std::nullopt;
        bytes.push_back(static_cast<char>(*b));
        if (comma == std::string_view::npos) return bytes;
        s.remove_prefix(comma + 1);
    }
}

// A quoted name or text starting at s[pos]: only \\ and \" are escapes, any
// other backslash stays as it is. Moves pos past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& pos)
{
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '\\' && pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"')) {
            out.push_back(s[++pos]);
        } else if (c == '"') {
            ++pos;
            return out;
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

void AppendQuoted(std::string& out, std::string_view s)
{
    out.push_back('"');
    for (const char c : s) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

// Registry exports made on Windows are UTF-16LE; a lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view b)
{
    std::string out;
    out.reserve(b.size() / 2);
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(b[i + 1])) << 8);
    };
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00) {
            const std::uint32_t low = i + 3 < b.size() ? unit(i + 2) : 0;
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xDC00 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, static_cast<char32_t>(cp));
    }
    return out;
}

// A key path without leading or trailing separators, or nothing when a part is
// empty or holds a control character (those could not be told apart from the
// separator in the folded form, nor written on one line).
std::optional<std::string_view> NormaliseKey(std::string_view key)
{
    while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    if (key.empty()) return std::nullopt;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (static_cast<unsigned char>(key[i]) < 0x20) return std::nullopt;
        if (key[i] == '\\' && i + 1 < key.size() && key[i + 1] == '\\') return std::nullopt;
    }
    return key;
}

constexpr char kFoldedSeparator = '\x01';

std::string Fold(std::string_view path)
{
    std::string folded(path);
    for (char& c : folded) c = c == '\\' ? kFoldedSeparator : Lower(c);
    return folded;
}

bool IsStorableName(std::string_view name)
{
    return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

Result SetFailed(std::string_view what) { return Result::Error("Failed to set data for '" + std::string(what) + "'"); }
// A failed save says why on its second line, in the system's words where it has them.
Result SetFailed(std::string_view what, std::string_view reason)
{
    return Result::Error(SetFailed(what).message + "\n" + std::string(reason));
}
Result GetFailed(std::string_view what) { return Result::Error("Failed to get data for '" + std::string(what) + "'"); }
Result InvalidType(std::string_view name) { return Result::Error("Invalid data type for '" + std::string(name) + "'"); }

void AppendHexBytes(std::string& out, std::string_view bytes, std::size_t column)
{
    static constexpr char digits[] = "0123456789abcdef";
    // Lines stay under 80 columns, continued with a trailing backslash.
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const std::size_t width = k + 1 < bytes.size() ? 3 : 2;
        if (column + width > 78 && column > 2) {
            out += "\\";
            out += kEol;
            out += "  ";
            column = 2;
        }
        const auto b = static_cast<unsigned char>(bytes[k]);
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0xF]);
        if (width == 3) out.push_back(',');
        column += width;
    }
}

}  // namespace

std::string SettingsPathFrom(const char* orvSettingsFile, const char* xdgConfigHome, const char* home)
{
    if (orvSettingsFile && *orvSettingsFile) return orvSettingsFile;
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/orv/settings.reg";
    if (home && *home) return std::string(home) + "/.config/orv/settings.reg";
    return {};
}

std::string DefaultSettingsPath()
{
    return SettingsPathFrom(std::getenv("ORV_SETTINGS_FILE"), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

Result SettingsStore::Load()
{
    keys_.clear();
    warnings_.clear();
    loadFailed_ = false;
    const ReadResult r = ReadWholeFile(path_);
    stamp_ = r.stamp;
    if (!r.exists) return Result::Ok();
    if (r.ok && Parse(r.content)) return Result::Ok();
    if (!r.ok) warnings_.push_back(r.message);
    loadFailure_ = r.ok ? (warnings_.empty() ? std::string("no registry header") : warnings_.back())
                               : r.message;
    keys_.clear();
    loadFailed_ = true;
    return GetFailed(path_);
}

Result SettingsStore::Save()
{
    // A file that could not be read may be something else than our settings:
    // never replace it.
    if (path_.empty()) return SetFailed(path_, "No settings file: neither XDG_CONFIG_HOME nor HOME is set.");
    if (loadFailed_) {
        return SetFailed(path_, "The file could not be read as settings (" + loadFailure_ +
                                    "), so it is kept as it is and not replaced.");
    }
    const std::size_t slash = path_.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        if (const Result folder = EnsureFolder(path_.substr(0, slash)); !folder.ok)
            return SetFailed(path_, folder.message);
    }
    outsideChange_.clear();
    if (ChangedSince(path_, stamp_)) {
        const AsideCopy aside = CopyAside(path_, std::time(nullptr));
        if (!aside.ok)
            return SetFailed(path_, "The file was changed by another program and no copy of it could be kept, so it "
                                    "was not replaced: " + aside.message);
        if (!aside.copy.empty())
            outsideChange_ = "The settings file was changed by another program while ORV had it open. ORV's "
                             "settings were saved; the other version is kept unchanged as:\n" + aside.copy;
    }
    if (const Result written = WriteFileAtomic(path_, Serialize(), &stamp_); !written.ok)
        return SetFailed(path_, written.message);
    return Result::Ok();
}

void SettingsStore::Warn(std::size_t line, std::string_view what)
{
    warnings_.push_back("line " + std::to_string(line) + ": " + std::string(what));
}

bool SettingsStore::Parse(std::string_view bytes)
{
    keys_.clear();
    warnings_.clear();
    std::string decoded;
    std::string_view text = bytes;
    if (text.starts_with("\xFF\xFE")) {
        if (text.size() % 2 != 0) warnings_.push_back("the file ends in the middle of a character");
        decoded = Utf16LeToUtf8(text.substr(2));
        text = decoded;
    } else if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    if (i == lines.size()) return true;
    const std::string_view header = Trim(lines[i]);
    if (header != kHeader5 && header != kHeader4) {
        Warn(i + 1, "not a registry file: it does not start with \"" + std::string(kHeader5) + "\" or \"" +
                        std::string(kHeader4) + "\"");
        return false;
    }

    Key* current = nullptr;
    for (++i; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '"' || line.front() == '@') {
            ParseValueLine(lines, i, current);
            continue;
        }
        if (line.front() != '[') {
            Warn(i + 1, "skipped: neither a key nor a value");
            continue;
        }
        current = nullptr;
        if (line.back() != ']') {
            Warn(i + 1, "skipped key: no closing ']'");
            continue;
        }
        std::string_view inner = line.substr(1, line.size() - 2);
        if (inner.starts_with('-')) continue;  // a deletion: nothing to delete from
        const std::size_t sep = inner.find('\\');
        if (!EqualNoCase(inner.substr(0, sep), kRoot)) {
            Warn(i + 1, "skipped key: not under " + std::string(kRoot));
            continue;
        }
        const std::optional<std::string_view> path =
            sep == std::string_view::npos ? std::nullopt : NormaliseKey(inner.substr(sep));
        if (!path) {
            Warn(i + 1, "skipped key: empty name or control character");
            continue;
        }
        current = CreateKey(*path);
    }
    return true;
}

void SettingsStore::ParseValueLine(const std::vector<std::string_view>& lines, std::size_t& i, Key* target)
{
    const std::size_t lineNo = i + 1;
    const std::string_view line = Trim(lines[i]);
    std::size_t pos = 1;
    std::string name;
    if (line.front() == '"') {
        pos = 0;
        std::optional<std::string> quoted = ReadQuoted(line, pos);
        if (!quoted) return Warn(lineNo, "skipped value: the name has no closing quote");
        name = std::move(*quoted);
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') return Warn(lineNo, "skipped value: no '=' after the name");
    std::string_view data = Trim(line.substr(pos + 1));

    // Long hex data goes on over indented lines, each but the last ending in '\'.
    std::string joined;
    if (StartsNoCase(data, "hex") && data.ends_with('\\')) {
        joined = data;
        while (joined.ends_with('\\') && i + 1 < lines.size()) {
            const std::string_view next = Trim(lines[i + 1]);
            if (next.empty() || HexDigitValue(next.front()) < 0) break;
            joined.pop_back();
            joined += next;
            ++i;
        }
        data = joined;
    }

    // The unnamed default value and "=-" deletions mean nothing to this program.
    if (name.empty() || data == "-") return;

    Value v;
    v.name = std::move(name);
    if (data.starts_with('"')) {
        std::size_t p = 0;
        std::optional<std::string> text = ReadQuoted(data, p);
        if (!text || p != data.size()) return Warn(lineNo, "skipped value: malformed text");
        v.type = ValueType::Text;
        v.data = std::move(*text);
    } else if (StartsNoCase(data, "dword:")) {
        const std::optional<std::uint32_t> d = ParseHex32(data.substr(6));
        if (!d) return Warn(lineNo, "skipped value: a dword needs 1 to 8 hex digits");
        v.type = ValueType::Dword;
        v.dword = *d;
    } else if (StartsNoCase(data, "hex")) {
        std::uint32_t type = kRegBinary;
        data.remove_prefix(3);
        if (data.starts_with('(')) {
            const std::size_t close = data.find(')');
            const std::optional<std::uint32_t> t =
                close == std::string_view::npos ? std::nullopt : ParseHex32(data.substr(1, close - 1));
            if (!t) return Warn(lineNo, "skipped value: malformed hex(type)");
            type = *t;
            data.remove_prefix(close + 1);
        }
        if (!data.starts_with(':')) return Warn(lineNo, "skipped value: no ':' after hex");
        std::optional<std::string> bytes = ParseHexBytes(data.substr(1));
        if (!bytes) return Warn(lineNo, "skipped value: malformed hex bytes");
        if (type == kRegBinary) {
            v.type = ValueType::Binary;
        } else if (type == kRegDword && bytes->size() == 4) {
            v.type = ValueType::Dword;
            for (int k = 3; k >= 0; --k) v.dword = (v.dword << 8) | static_cast<unsigned char>((*bytes)[k]);
            bytes->clear();
        } else {
            v.type = ValueType::Other;
            v.rawType = type;
        }
        v.data = std::move(*bytes);
    } else {
        return Warn(lineNo, "skipped value: unknown data type");
    }
    if (!target) return;  // belongs to a key that was skipped
    for (Value& existing : target->values) {
        if (EqualNoCase(existing.name, v.name)) {
            v.name = std::move(existing.name);
            existing = std::move(v);
            return;
        }
    }
    target->values.push_back(std::move(v));
}

std::string SettingsStore::Serialize() const
{
    std::string out;
    out += kHeader5;
    out += kEol;
    out += kEol;
    for (const auto& entry : keys_) {
        const Key& key = entry.second;
        out += "[";
        out += kRoot;
        out += "\\";
        out += key.path;
        out += "]";
        out += kEol;
        for (const Value& v : key.values) {
            AppendQuoted(out, v.name);
            out += "=";
            switch (v.type) {
            case ValueType::Dword: {
                static constexpr char digits[] = "0123456789abcdef";
                out += "dword:";
                for (int shift = 28; shift >= 0; shift -= 4) out.push_back(digits[(v.dword >> shift) & 0xF]);
                break;
            }
            case ValueType::Text:
                AppendQuoted(out, v.data);
                break;
            case ValueType::Binary:
            case ValueType::Other: {
                std::string prefix = "hex";
                if (v.type == ValueType::Other) {
                    char buffer[16];
                    std::snprintf(buffer, sizeof buffer, "(%x)", static_cast<unsigned>(v.rawType));
                    prefix += buffer;
                }
                prefix += ":";
                out += prefix;
                // The column counts the quoted name roughly; only the wrapping depends on it.
                AppendHexBytes(out, v.data, v.name.size() + 3 + prefix.size());
                break;
            }
            }
            out += kEol;
        }
        out += kEol;
    }
    return out;
}

SettingsStore::Key* SettingsStore::FindKey(std::string_view key)
{
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path) return nullptr;
    const auto it = keys_.find(Fold(*path));
    return it == keys_.end() ? nullptr : &it->second;
}

const SettingsStore::Key* SettingsStore::FindKey(std::string_view key) const
{
    return const_cast<SettingsStore*>(this)->FindKey(key);
}

SettingsStore::Key* SettingsStore::CreateKey(std::string_view normalisedPath)
{
    auto [it, inserted] = keys_.try_emplace(Fold(normalisedPath));
    if (inserted) it->second.path = std::string(normalisedPath);
    return &it->second;
}

const SettingsStore::Value* SettingsStore::FindValue(std::string_view key, std::string_view name) const
{
    const Key* k = FindKey(key);
    if (!k) return nullptr;
    for (const Value& v : k->values)
        if (EqualNoCase(v.name, name)) return &v;
    return nullptr;
}

bool SettingsStore::KeyExists(std::string_view key) const
{
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path) return false;
    // A key also exists while it only has sub-keys, as their parent.
    const std::string folded = Fold(*path);
    const auto it = keys_.lower_bound(folded);
    if (it == keys_.end()) return false;
    return it->first == folded || it->first.starts_with(folded + kFoldedSeparator);
}

bool SettingsStore::OpenKey(std::string_view key, bool create)
{
    if (KeyExists(key)) return true;
    if (!create) return false;
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path) return false;
    CreateKey(*path);
    return true;
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view key) const
{
    std::vector<std::string> names;
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path) return names;
    const std::string prefix = Fold(*path) + kFoldedSeparator;
    std::string_view last;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix); ++it) {
        const std::string_view rest = std::string_view(it->first).substr(prefix.size());
        const std::string_view child = rest.substr(0, rest.find(kFoldedSeparator));
        if (!names.empty() && child == last) continue;
        last = child;
        // Folding keeps every byte in place, so the spelling sits at the same offset.
        names.push_back(it->second.path.substr(prefix.size(), child.size()));
    }
    return names;
}

bool SettingsStore::DeleteKey(std::string_view key)
{
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path) return false;
    const std::string folded = Fold(*path);
    const std::string prefix = folded + kFoldedSeparator;
    bool removed = keys_.erase(folded) > 0;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix);) {
        it = keys_.erase(it);
        removed = true;
    }
    return removed;
}

bool SettingsStore::ValueExists(std::string_view key, std::string_view name) const
{
    return FindValue(key, name) != nullptr;
}

std::optional<ValueType> SettingsStore::TypeOf(std::string_view key, std::string_view name) const
{
    const Value* v = FindValue(key, name);
    if (!v) return std::nullopt;
    return v->type;
}

std::vector<std::string> SettingsStore::ValueNames(std::string_view key) const
{
    std::vector<std::string> names;
    if (const Key* k = FindKey(key))
        for (const Value& v : k->values) names.push_back(v.name);
    return names;
}

bool SettingsStore::DeleteValue(std::string_view key, std::string_view name)
{
    Key* k = FindKey(key);
    if (!k) return false;
    return std::erase_if(k->values, [&](const Value& v) { return EqualNoCase(v.name, name); }) > 0;
}

ValueResult<bool> SettingsStore::ReadBool(std::string_view key, std::string_view name) const
{
    const ValueResult<std::int32_t> i = ReadInteger(key, name);
    if (!i.value) return {i, std::nullopt};
    return {Result::Ok(), *i.value != 0};
}

ValueResult<std::int32_t> SettingsStore::ReadInteger(std::string_view key, std::string_view name) const
{
    const Value* v = FindValue(key, name);
    if (!v) return {};
    if (v->type != ValueType::Dword) return {InvalidType(name), std::nullopt};
    return {Result::Ok(), std::bit_cast<std::int32_t>(v->dword)};
}

ValueResult<std::string> SettingsStore::ReadText(std::string_view key, std::string_view name) const
{
    const Value* v = FindValue(key, name);
    if (!v) return {};
    if (v->type != ValueType::Text) return {InvalidType(name), std::nullopt};
    return {Result::Ok(), v->data};
}

ValueResult<std::int32_t> SettingsStore::ReadDate(std::string_view key, std::string_view name) const
{
    const Value* v = FindValue(key, name);
    if (!v) return {};
    if (v->type != ValueType::Binary) return {InvalidType(name), std::nullopt};
    if (v->data.size() != 8) return {GetFailed(name), std::nullopt};
    std::uint64_t bits = 0;
    for (int k = 7; k >= 0; --k) bits = (bits << 8) | static_cast<unsigned char>(v->data[k]);
    // The integral part is the day, also before 1899 where the time counts forward.
    const double days = std::trunc(std::bit_cast<double>(bits));
    if (!(days >= kFirstSerial && days <= kLastSerial)) return {GetFailed(name), std::nullopt};
    return {Result::Ok(), static_cast<std::int32_t>(days)};
}

Result SettingsStore::Store(std::string_view key, Value value)
{
    const std::optional<std::string_view> path = NormaliseKey(key);
    if (!path || !IsStorableName(value.name)) return SetFailed(value.name);
    Key* k = CreateKey(*path);
    for (Value& existing : k->values) {
        if (EqualNoCase(existing.name, value.name)) {
            value.name = std::move(existing.name);
            existing = std::move(value);
            return Result::Ok();
        }
    }
    k->values.push_back(std::move(value));
    return Result::Ok();
}

Result SettingsStore::WriteBool(std::string_view key, std::string_view name, bool value)
{
    return WriteInteger(key, name, value ? 1 : 0);
}

Result SettingsStore::WriteInteger(std::string_view key, std::string_view name, std::int32_t value)
{
    Value v;
    v.name = std::string(name);
    v.type = ValueType::Dword;
    v.dword = std::bit_cast<std::uint32_t>(value);
    return Store(key, std::move(v));
}

Result SettingsStore::WriteText(std::string_view key, std::string_view name, std::string_view value)
{
    // A line break cannot be written inside a quoted text of the file.
    if (value.find_first_of("\r\n") != std::string_view::npos) return SetFailed(name);
    Value v;
    v.name = std::string(name);
    v.type = ValueType::Text;
    v.data = std::string(value);
    return Store(key, std::move(v));
}

Result SettingsStore::WriteDate(std::string_view key, std::string_view name, std::int32_t serial)
{
    if (serial < kFirstSerial || serial > kLastSerial) return SetFailed(name);
    Value v;
    v.name = std::string(name);
    v.type = ValueType::Binary;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(static_cast<double>(serial));
    for (int k = 0; k < 8; ++k, bits >>= 8) v.data.push_back(static_cast<char>(bits & 0xFF));
    return Store(key, std::move(v));
}

}  // namespace orv
