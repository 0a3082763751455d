#include "exchange/semicolon.h"

#include <algorithm>

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
bool ReadQuoted(std::string_view text, std::size_t pos, std::string& value, std::size_t& end)
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
        if (i + 1 == text.size() || text[i + 1] == ';' || IsLineEnd(text[i + 1])) {
            end = i + 1;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace

TableResult ReadSemicolonText(std::string_view bytes, std::string_view fileName)
{
    TableResult result;
    const TextFileContent content = TextOfFile(bytes, fileName);
    if (!content.ok) return {false, content.message, {}};
    const std::string_view text = content.text;
    Table& table = result.table;
    std::vector<std::string> row;
    std::string value;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One field.
        std::size_t end = 0;
        if (text[pos] == '"' && ReadQuoted(text, pos, value, end)) {
            row.push_back(value);
            pos = end;
        } else {
            std::size_t stop = pos;
            while (stop < text.size() && text[stop] != ';' && !IsLineEnd(text[stop])) ++stop;
            row.emplace_back(text.substr(pos, stop - pos));
            pos = stop;
        }
        if (pos < text.size() && text[pos] == ';') {
            ++pos;
            // A ";" that ends the text still opens an empty last field.
            if (pos == text.size()) row.emplace_back();
            continue;
        }
        // The end of a line (CR LF, LF or a lone CR) or of the text.
        if (pos < text.size()) pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
        table.columnCount = std::max(table.columnCount, row.size());
        table.rows.push_back(std::move(row));
        row.clear();
        // An empty line is a row with one empty field.
        while (pos < text.size() && IsLineEnd(text[pos])) {
            table.rows.push_back({std::string()});
            table.columnCount = std::max<std::size_t>(table.columnCount, 1);
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
        }
    }
    if (!row.empty()) {
        table.columnCount = std::max(table.columnCount, row.size());
        table.rows.push_back(std::move(row));
    }
    return result;
}

}  // namespace orv
