#include "exchange/lists/semicolon.h"

#include <algorithm>
#include <array>

#include "exchange/codepages.h"
#include "store/utf8.h"

namespace orv {

void AppendSemicolonLine(std::string& out, std::span<const std::string> fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ';';
        const std::string& f = fields[i];
        if (f.find_first_of(";\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (const char c : f) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

std::string SerializeSemicolonText(const std::vector<ExportRow>& rows)
{
    // Each cell is one stored text, decoded on its own: the file is UTF-8 throughout.
    std::string out;
    ExportRow decoded;
    for (const ExportRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) decoded[i] = StoredAsUtf8(row[i]);
        AppendSemicolonLine(out, decoded);
    }
    return out;
}

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The quoted field starting at `pos` (on its opening quote): its value and
// where it ends, or nothing when it is not a well-formed quoted field.
bool ReadQuoted(std::string_view text, std::size_t pos, char separator, std::string& value, std::size_t& end)
{
    value.clear();
    std::size_t i = pos + 1;
    while (i < text.size()) {
        if (text[i] != '"') {
            value += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '"') {
            value += '"';
            i += 2;
            continue;
        }
        // The closing quote must end the field.
        if (i + 1 == text.size() || text[i + 1] == separator || IsLineEnd(text[i + 1])) {
            end = i + 1;
            return true;
        }
        return false;
    }
    return false;
}

std::size_t SkipLineEnd(std::string_view text, std::size_t pos)
{
    return pos + ((text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1);
}

// The separators outside quotes in each of the first `records` lines that
// are not empty, for ";", tab and "," in this order. Every '"' opens or
// closes a quote (a doubled one does both), so a quoted value, even one
// over several lines, hides the separators in it from all three alike.
std::vector<std::array<std::size_t, 3>> SeparatorsPerLine(std::string_view text, std::size_t records)
{
    std::vector<std::array<std::size_t, 3>> lines;
    std::array<std::size_t, 3> count{};
    bool quoted = false;
    bool empty = true;
    for (std::size_t pos = 0; pos < text.size() && lines.size() < records; ++pos) {
        const char c = text[pos];
        if (c == '"') quoted = !quoted;
        if (quoted || !IsLineEnd(c)) {
            empty = false;
            if (!quoted) {
                if (c == ';') ++count[0];
                if (c == '\t') ++count[1];
                if (c == ',') ++count[2];
            }
            continue;
        }
        if (!empty) lines.push_back(count);
        count = {};
        empty = true;
    }
    if (!empty && lines.size() < records) lines.push_back(count);
    return lines;
}

}  // namespace

char DetectSeparator(std::string_view text)
{
    constexpr std::size_t kLines = 20;
    constexpr std::array<char, 3> kSeparators{';', '\t', ','};
    const std::vector<std::array<std::size_t, 3>> lines = SeparatorsPerLine(text, kLines);
    char best = 0;
    std::size_t bestSteady = 0, bestSplit = 0;
    // A tie goes to the earlier one: the program's own ";", then tab.
    for (std::size_t k = 0; k < kSeparators.size(); ++k) {
        // Lines split into the same number of fields (the commonest number
        // but one), and lines split at all.
        std::size_t steady = 0, split = 0;
        for (const auto& line : lines) {
            if (line[k] == 0) continue;
            ++split;
            const auto same = std::count_if(lines.begin(), lines.end(), [&](const auto& l) { return l[k] == line[k]; });
            steady = std::max(steady, static_cast<std::size_t>(same));
        }
        if (steady > bestSteady || (steady == bestSteady && split > bestSplit)) {
            best = kSeparators[k];
            bestSteady = steady;
            bestSplit = split;
        }
    }
    return bestSteady > 0 ? best : 0;
}

TableResult ReadSemicolonText(std::string_view bytes, std::string_view fileName)
{
    return ReadSeparatedText(bytes, fileName, ';').result;
}

SeparatedText ReadSeparatedText(std::string_view bytes, std::string_view fileName, char separator,
                                const ReadProgress& going)
{
    SeparatedText out;
    TableResult& result = out.result;
    const TextFileContent content = TextOfFile(bytes, fileName);
    if (!content.ok) {
        result = {false, content.message, {}};
        return out;
    }
    const std::string_view text = content.text;
    if (separator == 0) separator = DetectSeparator(text);
    out.separator = separator;
    // Without a separator each line is one field: nothing splits it.
    const char split = separator == 0 ? '\n' : separator;
    Table& table = result.table;
    std::vector<std::string> row;
    std::string value;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One field.
        std::size_t end = 0;
        if (text[pos] == '"' && ReadQuoted(text, pos, split, value, end)) {
            row.push_back(value);
            pos = end;
        } else {
            std::size_t stop = pos;
            while (stop < text.size() && text[stop] != split && !IsLineEnd(text[stop])) ++stop;
            row.emplace_back(text.substr(pos, stop - pos));
            pos = stop;
        }
        if (pos < text.size() && text[pos] == split && separator != 0) {
            ++pos;
            // A separator that ends the text still opens an empty last field.
            if (pos == text.size()) row.emplace_back();
            continue;
        }
        // The end of a line (CR LF, LF or a lone CR) or of the text.
        if (pos < text.size()) pos = SkipLineEnd(text, pos);
        table.columnCount = std::max(table.columnCount, row.size());
        table.rows.push_back(std::move(row));
        row.clear();
        if (going && table.rows.size() % 4096 == 0 && !going(pos, text.size())) {
            out.result = {false, "stopped", {}};
            return out;
        }
        // An empty line is a row with one empty field.
        while (pos < text.size() && IsLineEnd(text[pos])) {
            table.rows.push_back({std::string()});
            table.columnCount = std::max<std::size_t>(table.columnCount, 1);
            pos = SkipLineEnd(text, pos);
        }
    }
    if (!row.empty()) {
        table.columnCount = std::max(table.columnCount, row.size());
        table.rows.push_back(std::move(row));
    }
    return out;
}

}  // namespace orv
