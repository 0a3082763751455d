// content.xml of an OpenDocument spreadsheet: the first table's cells as the
// paragraphs of text the file shows in them.
#include <charconv>

#include "exchange/sheets/sheetparts.h"
#include "exchange/sheets/xmlreader.h"

namespace orv {

namespace {

std::size_t Repeat(std::optional<std::string_view> text, std::size_t limit)
{
    if (!text) return 1;
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || value == 0) return 1;
    return std::min(value, limit);
}

class ContentHandler : public XmlHandler {
public:
    explicit ContentHandler(CellCollector& cells) : cells_(cells) {}

    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (done_) return;
        if (!inTable_) {
            if (name == "table") inTable_ = true;
            return;
        }
        if (skip_ > 0) {
            ++skip_;
            return;
        }
        if (name == "table") {
            // A table inside a cell is not part of the sheet's grid.
            skip_ = 1;
        } else if (name == "table-row") {
            rowRepeat_ = Repeat(a.Get("number-rows-repeated"), CellCollector::kMaxRows);
            column_ = 0;
            rowCells_.clear();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = true;
            cellRepeat_ = Repeat(a.Get("number-columns-repeated"), CellCollector::kMaxColumns);
            text_.clear();
            paragraphs_ = 0;
            value_.clear();
            for (const char* attribute : {"value", "date-value", "time-value", "boolean-value", "string-value"}) {
                if (const auto v = a.Get(attribute)) {
                    value_ = std::string(*v);
                    break;
                }
            }
        } else if (!inCell_) {
        } else if (name == "annotation") {
            skip_ = 1;
        } else if (name == "p" || name == "h") {
            if (paragraphs_++ > 0) text_ += '\n';
            ++inParagraph_;
        } else if (inParagraph_ > 0 && name == "s") {
            text_.append(Repeat(a.Get("c"), 1000), ' ');
        } else if (inParagraph_ > 0 && name == "tab") {
            text_ += '\t';
        } else if (inParagraph_ > 0 && name == "line-break") {
            text_ += '\n';
        }
    }

    void End(std::string_view name) override
    {
        if (done_ || !inTable_) return;
        if (skip_ > 0) {
            --skip_;
            return;
        }
        if (name == "table") {
            done_ = true;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = false;
            const std::string& shown = paragraphs_ > 0 ? text_ : value_;
            if (!shown.empty()) {
                for (std::size_t i = 0; i < cellRepeat_ && column_ + i < CellCollector::kMaxColumns; ++i) {
                    rowCells_.emplace_back(column_ + i, shown);
                }
            }
            column_ += cellRepeat_;
        } else if (name == "table-row") {
            // Repeated rows are only stored when they hold something: sheets
            // end with a million empty ones.
            const std::size_t rows = std::min(rowRepeat_, cells_.RowLimit() - std::min(row_, cells_.RowLimit()));
            std::erase_if(rowCells_, [this](const auto& cell) { return cell.first >= cells_.ColumnLimit(); });
            if (!rowCells_.empty() && !cells_.Expect(rows * (rowCells_.back().first + 1))) return Fail("too many cells");
            for (std::size_t r = 0; r < rows && !rowCells_.empty(); ++r) {
                for (const auto& [column, text] : rowCells_) {
                    if (!cells_.Put(row_ + r, column, text)) return Fail("too many cells");
                }
            }
            row_ += rowRepeat_;
        } else if (name == "p" || name == "h") {
            if (inParagraph_ > 0) --inParagraph_;
        }
    }

    void Text(std::string_view text) override
    {
        if (!done_ && skip_ == 0 && inCell_ && inParagraph_ > 0) text_ += text;
    }

    bool foundTable() const { return inTable_; }

private:
    CellCollector& cells_;
    bool inTable_ = false;
    bool done_ = false;
    int skip_ = 0;
    bool inCell_ = false;
    int inParagraph_ = 0;
    int paragraphs_ = 0;
    std::size_t row_ = 0;
    std::size_t rowRepeat_ = 1;
    std::size_t column_ = 0;
    std::size_t cellRepeat_ = 1;
    std::string text_;
    std::string value_;
    std::vector<std::pair<std::size_t, std::string>> rowCells_;
};

}  // namespace

TableResult ReadOdsContent(std::string_view contentXml, std::optional<SheetArea> area, const ReadProgress& going)
{
    CellCollector cells(area);
    ContentHandler handler(cells);
    std::string error;
    std::function<bool(std::size_t)> counted;
    if (going) counted = [&going, total = contentXml.size()](std::size_t done) { return going(done, total); };
    if (!ParseXml(contentXml, handler, error, counted)) {
        return cells.ok() ? TableResult{false, "the sheet is damaged (" + error + ")", {}} : cells.Finish();
    }
    if (!handler.foundTable()) return {false, "the file holds no sheet", {}};
    return cells.Finish();
}

}  // namespace orv
