// The letter writer's logic without its window: the merge fields and their
// filling from a row of the data list, the example browsing ("Example k/n"),
// and letter files as rich text or plain text.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/lists/datalist.h"
#include "exchange/letters/richdocument.h"
#include "store/result.h"

namespace orv {

// A merge field: its code in the letter and the column of the data list's
// person table that replaces it. Codes are case-sensitive.
struct MergeField {
    std::string_view code;
    int column;
};
inline constexpr std::array<MergeField, 7> kMergeFields{{{"{fn}", LetterColumn::FirstName},
                                                         {"{sn}", LetterColumn::Surname},
                                                         {"{ad}", LetterColumn::Address},
                                                         {"{ci}", LetterColumn::City},
                                                         {"{co}", LetterColumn::Country},
                                                         {"{tn}", LetterColumn::Tele1},
                                                         {"{em}", LetterColumn::Email1}}};

// The letter for one person: every code replaced by the row's text (decoded
// from the stored bytes), in the code's formatting. Text that came from the
// row is never searched for codes again.
RichDocument MergeLetter(const RichDocument& letter, const LetterRow& row);
std::string MergeLetterText(std::string_view letter, const LetterRow& row);

// Which example the example view shows: k of n, 1-based; n is the number of
// rows of the data list (an empty list is one empty row).
class ExampleCursor {
public:
    explicit ExampleCursor(std::size_t rowCount) { SetRowCount(rowCount); }

    std::size_t k() const { return k_; }
    std::size_t n() const { return n_; }
    std::size_t Row() const { return k_ - 1; }  // the data-list row merged
    bool CanNext() const { return k_ < n_; }
    bool CanPrevious() const { return k_ > 1; }
    bool Next();
    bool Previous();
    // The list may have changed in the data list window meanwhile.
    void SetRowCount(std::size_t rowCount);
    std::string StatusText() const;  // "Example 2/3"

private:
    std::size_t k_ = 1;
    std::size_t n_ = 1;
};

// Letter files. Type 1 of the dialogs is rich text; types 2 and 3 plain text,
// one line per paragraph (and per line break), UTF-8, lines ended by CR LF.
std::string WritePlainLetter(const RichDocument& letter);

struct LetterReadResult : Result {
    bool richText = false;
    RichDocument document;  // at least one paragraph when ok
    std::vector<std::string> dropped;  // what a rich-text file held that the letter cannot keep
};
// A file that starts as rich text is read as such; any other is plain text,
// UTF-8 when it is valid UTF-8, else Windows-1252.
LetterReadResult ReadLetterFile(std::string_view bytes, std::string_view fileName);

}  // namespace orv
