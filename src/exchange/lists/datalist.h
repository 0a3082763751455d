// The data list: persons copied from the address book for letters and exports,
// kept three times in step as the data list window shows them (the letter
// table, the export table and the text list), and the list file (.QSL) that
// names the letter table's persons. The tables hold the stored bytes; the text
// list holds them decoded (UTF-8), as it is shown and saved.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/result.h"

namespace orv {

// The columns of the letter table, the person table that letters are merged from.
namespace LetterColumn {
inline constexpr int FirstName = 0, Surname = 1, Address = 2, City = 3, Country = 4, Tele1 = 5, Tele2 = 6,
                     Email1 = 7, DateText = 8;
}
using LetterRow = std::array<std::string, 9>;

// First name .. E-mail, then day, month and year as decimal text.
using ExportRow = std::array<std::string, 11>;
extern const ExportRow kExportHeader;

// The options of the text list: "Country" (CB1) and "Phone#" (CB2), read when
// a person is added.
struct TextListOptions {
    bool country = false;
    bool phone = false;
};

class DataList {
public:
    DataList() { ClearAll(); }

    // "Clear all": one empty letter row, one empty export row, no text lines.
    void ClearAll();
    // "Add address". A list whose letter table is a single row of empty cells
    // is new: it is cleared and the person becomes its first entry.
    void AddAddress(const AData& person, TextListOptions options);
    // "Write all": the whole address book, in its order, as a new list.
    void WriteAll(const std::vector<AData>& addresses, TextListOptions options);

    // The letter table, which the user may edit ("Delete row", "Add row", typing).
    const std::vector<LetterRow>& LetterRows() const { return letter_; }
    std::string& LetterCell(std::size_t row, int column) { return letter_[row][static_cast<std::size_t>(column)]; }
    // With one row its cells are emptied; otherwise the row goes.
    void DeleteLetterRow(std::size_t row);
    // Appends an empty row; returns its index.
    std::size_t AddLetterRow();

    // Header and one row per person, or a single empty row for a new list.
    const std::vector<ExportRow>& ExportRows() const { return export_; }
    // Lines of the text list (UTF-8), without line ends.
    const std::vector<std::string>& TextLines() const { return text_; }

private:
    bool IsNew() const;
    void Add(const AData& person, TextListOptions options, bool first);

    std::vector<LetterRow> letter_;
    std::vector<ExportRow> export_;
    std::vector<std::string> text_;
};

// "Save in file" as "Text-file": the text list in UTF-8 (each line read as a
// stored text), lines ended by CR LF.
std::string SerializeTextList(const std::vector<std::string>& lines);

// The list file: per letter row "first name", blank, "surname", blank, birthday
// key, lines ended by CR LF.
std::string SerializeListFile(const std::vector<LetterRow>& rows);

// "Load list": each line of the file compared exactly with first name, blank,
// surname, blank, birthday key of every person; every person that matches a
// line is a match, in the order of the lines and then of the address book.
struct ListFileMatch : Result {        // the message: the file was not a list file
    std::size_t lines = 0;             // lines read
    std::vector<std::size_t> matches;  // indexes into the address list
};
ListFileMatch MatchListFile(std::string_view bytes, std::string_view fileName, const std::vector<AData>& addresses);

// "3 of 4 addresses successfully imported".
std::string ListLoadMessage(std::size_t matches, std::size_t lines);

}  // namespace orv
