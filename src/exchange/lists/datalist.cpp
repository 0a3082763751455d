#include "exchange/lists/datalist.h"

#include <algorithm>
#include <unordered_map>

#include "exchange/codepages.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

const ExportRow kExportHeader{"First name", "Surname", "Address", "Postal", "Country", "1.Telephone number",
                              "2.Telephone number", "E-mail", "dd", "mm", "yyyy"};

namespace {

std::string ListKey(std::string_view name, std::string_view surname, std::string_view dateText)
{
    std::string key;
    key.reserve(name.size() + surname.size() + dateText.size() + 2);
    key.append(name).append(" ").append(surname).append(" ").append(dateText);
    // A key is one line of the list file, on both sides of the match.
    return HasLineBreak(key) ? OneLine(key) : key;
}

}  // namespace

void DataList::ClearAll()
{
    letter_.assign(1, LetterRow{});
    export_.assign(1, ExportRow{});
    text_.clear();
}

bool DataList::IsNew() const
{
    // Only a first cell was looked at once, which dropped a first person
    // without a first name as soon as the next was added.
    return letter_.size() == 1 &&
           std::all_of(letter_[0].begin(), letter_[0].end(), [](const std::string& s) { return s.empty(); });
}

void DataList::AddAddress(const AData& a, TextListOptions options) { Add(a, options, IsNew()); }

void DataList::Add(const AData& a, TextListOptions options, bool first)
{
    if (first) {
        ClearAll();
        export_[0] = kExportHeader;
    }

    // The text list is text for reading, decoded field by field (a name may be
    // UTF-8 and its surname Windows-1252), so a saved list has one encoding.
    text_.push_back(StoredAsUtf8(a.Name) + " " + StoredAsUtf8(a.Surname));
    if (!a.Address.empty()) text_.push_back(StoredAsUtf8(a.Address));
    if (!a.City.empty()) text_.push_back(StoredAsUtf8(a.City));
    if (!a.Country.empty() && options.country) text_.push_back(StoredAsUtf8(a.Country));
    if (!a.Tele1.empty() && options.phone) text_.push_back("Phone#: " + StoredAsUtf8(a.Tele1));
    text_.push_back(" ");

    // The first person of a list shows a missing birthday part as an empty
    // cell, every later one as "0"; files made by other versions rely on it.
    const auto number = [first](std::int32_t v) { return first && v == 0 ? std::string() : std::to_string(v); };
    export_.push_back({a.Name, a.Surname, a.Address, a.City, a.Country, a.Tele1, a.Tele2, a.Email1, number(a.Day),
                       number(a.Month), number(a.Year)});

    LetterRow row{a.Name, a.Surname, a.Address, a.City, a.Country, a.Tele1, a.Tele2, a.Email1, a.DateText};
    if (first) {
        letter_[0] = std::move(row);
    } else {
        letter_.push_back(std::move(row));
    }
}

void DataList::WriteAll(const std::vector<AData>& addresses, TextListOptions options)
{
    ClearAll();
    letter_.reserve(addresses.size());
    export_.reserve(addresses.size() + 1);
    for (std::size_t i = 0; i < addresses.size(); ++i) Add(addresses[i], options, i == 0);
}

void DataList::DeleteLetterRow(std::size_t row)
{
    if (row >= letter_.size()) return;
    if (letter_.size() == 1) {
        letter_[0] = LetterRow{};
    } else {
        letter_.erase(letter_.begin() + static_cast<std::ptrdiff_t>(row));
    }
}

std::size_t DataList::AddLetterRow()
{
    letter_.emplace_back();
    return letter_.size() - 1;
}

std::string SerializeTextList(const std::vector<std::string>& lines)
{
    std::string out;
    std::string scratch;
    for (const std::string& line : lines) out.append(StoredAsUtf8(line, scratch)).append("\r\n");
    return out;
}

std::string SerializeListFile(const std::vector<LetterRow>& rows)
{
    std::string out;
    for (const LetterRow& row : rows) {
        out += ListKey(row[LetterColumn::FirstName], row[LetterColumn::Surname], row[LetterColumn::DateText]);
        out += "\r\n";
    }
    return out;
}

ListFileMatch MatchListFile(std::string_view bytes, std::string_view fileName, const std::vector<AData>& addresses)
{
    ListFileMatch result;
    const TextFileContent content = TextOfFile(bytes, fileName);
    if (!content.ok) {
        result.ok = false;
        result.message = content.message;
        return result;
    }
    // One pass over the address book instead of one per line.
    std::unordered_map<std::string, std::vector<std::size_t>> byKey;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        byKey[ListKey(addresses[i].Name, addresses[i].Surname, addresses[i].DateText)].push_back(i);
    }
    for (const std::string_view line : SplitLines(content.text)) {
        ++result.lines;
        const auto found = byKey.find(std::string(line));
        if (found != byKey.end()) result.matches.insert(result.matches.end(), found->second.begin(), found->second.end());
    }
    return result;
}

std::string ListLoadMessage(std::size_t matches, std::size_t lines)
{
    return std::to_string(matches) + " of " + std::to_string(lines) + " addresses successfully imported";
}

}  // namespace orv
