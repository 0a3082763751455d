// The sheet, shared strings, styles and workbook parts of an .xlsx file.
#include <charconv>
#include <map>

#include "exchange/codepages.h"
#include "exchange/sheets/numberformat.h"
#include "exchange/sheets/sheetparts.h"
#include "exchange/sheets/xmlreader.h"
#include "store/textutil.h"

namespace orv {

namespace {

std::optional<std::size_t> Index(std::optional<std::string_view> text)
{
    if (!text) return std::nullopt;
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}

// "B12" to 0-based row 11, column 1.
bool ParseCellReference(std::string_view ref, std::size_t& row, std::size_t& column)
{
    std::size_t i = 0;
    std::size_t c = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && i < 3) c = c * 26 + static_cast<std::size_t>(ref[i++] - 'A' + 1);
    if (c == 0 || c > CellCollector::kMaxColumns) return false;
    const auto r = Index(ref.substr(i));
    if (!r || *r == 0 || *r > CellCollector::kMaxRows) return false;
    row = *r - 1;
    column = c - 1;
    return true;
}

class WorkbookHandler : public XmlHandler {
public:
    bool date1904 = false;
    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (name == "workbookPr") {
            const auto v = a.Get("date1904");
            date1904 = v && (*v == "1" || *v == "true");
        }
    }
};

class StylesHandler : public XmlHandler {
public:
    std::map<std::size_t, std::string> custom;
    std::vector<std::size_t> cellFormats;  // number format id of each cell style

    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (name == "numFmt") {
            const auto id = Index(a.Get("numFmtId"));
            if (id) custom[*id] = std::string(a.Get("formatCode").value_or(""));
        } else if (name == "cellXfs") {
            inCellXfs_ = true;
        } else if (name == "xf" && inCellXfs_ && cellFormats.size() < CellCollector::kMaxCells) {
            cellFormats.push_back(Index(a.Get("numFmtId")).value_or(0));
        }
    }
    void End(std::string_view name) override
    {
        if (name == "cellXfs") inCellXfs_ = false;
    }

    std::string_view CodeOfStyle(std::size_t style) const
    {
        if (style >= cellFormats.size()) return {};
        const std::size_t id = cellFormats[style];
        const auto found = custom.find(id);
        if (found != custom.end()) return found->second;
        return BuiltInNumberFormat(static_cast<int>(std::min<std::size_t>(id, 1000)));
    }

private:
    bool inCellXfs_ = false;
};

// Text of <t> elements, apart from phonetic guides (<rPh>).
class StringItemText {
public:
    void Start(std::string_view name)
    {
        if (name == "rPh") ++phonetic_;
        if (name == "t" && phonetic_ == 0) inText_ = true;
    }
    void End(std::string_view name)
    {
        if (name == "rPh" && phonetic_ > 0) --phonetic_;
        if (name == "t") inText_ = false;
    }
    void Text(std::string_view text)
    {
        if (inText_) value += text;
    }
    void Clear()
    {
        value.clear();
        inText_ = false;
        phonetic_ = 0;
    }
    std::string value;

private:
    bool inText_ = false;
    int phonetic_ = 0;
};

class SharedStringsHandler : public XmlHandler {
public:
    std::vector<std::string> strings;

    void Start(std::string_view name, const XmlAttributes&) override
    {
        if (name == "si") {
            item_.Clear();
            inItem_ = true;
        } else if (inItem_) {
            item_.Start(name);
        }
    }
    void End(std::string_view name) override
    {
        if (name == "si" && inItem_) {
            inItem_ = false;
            bytes_ += item_.value.size();
            if (bytes_ > CellCollector::kMaxBytes) return Fail("the shared strings are too large");
            strings.push_back(DecodeXlsxEscapes(item_.value));
        } else if (inItem_) {
            item_.End(name);
        }
    }
    void Text(std::string_view text) override
    {
        if (inItem_) item_.Text(text);
    }

private:
    StringItemText item_;
    bool inItem_ = false;
    std::size_t bytes_ = 0;
};

class SheetHandler : public XmlHandler {
public:
    SheetHandler(const std::vector<std::string>& shared, const StylesHandler& styles, bool date1904,
                 CellCollector& cells)
        : shared_(shared), styles_(styles), date1904_(date1904), cells_(cells)
    {
    }

    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (name == "sheetData") {
            inData_ = true;
        } else if (!inData_) {
        } else if (name == "row") {
            const auto r = Index(a.Get("r"));
            row_ = r && *r >= 1 && *r <= CellCollector::kMaxRows ? *r - 1 : nextRow_;
            column_ = 0;
        } else if (name == "c") {
            inCell_ = true;
            const auto ref = a.Get("r");
            std::size_t r = 0, c = 0;
            if (ref && ParseCellReference(*ref, r, c)) {
                row_ = r;
                column_ = c;
            }
            type_ = std::string(a.Get("t").value_or("n"));
            style_ = Index(a.Get("s")).value_or(0);
            value_.clear();
            inline_.Clear();
            inValue_ = false;
        } else if (inCell_ && name == "v") {
            inValue_ = true;
        } else if (inCell_ && name == "is") {
            inInline_ = true;
        } else if (inInline_) {
            inline_.Start(name);
        }
    }

    void End(std::string_view name) override
    {
        if (name == "sheetData") {
            inData_ = false;
        } else if (name == "row") {
            nextRow_ = row_ + 1;
        } else if (name == "c" && inCell_) {
            inCell_ = false;
            if (row_ < CellCollector::kMaxRows && column_ < CellCollector::kMaxColumns &&
                !cells_.Put(row_, column_, Display())) {
                return Fail("too many cells");
            }
            ++column_;
        } else if (name == "v") {
            inValue_ = false;
        } else if (name == "is") {
            inInline_ = false;
        } else if (inInline_) {
            inline_.End(name);
        }
    }

    void Text(std::string_view text) override
    {
        if (inValue_) value_ += text;
        if (inInline_) inline_.Text(text);
    }

private:
    std::string Display() const
    {
        if (type_ == "s") {
            const auto i = Index(std::string_view(value_));
            return i && *i < shared_.size() ? shared_[*i] : std::string();
        }
        if (type_ == "inlineStr") return DecodeXlsxEscapes(inline_.value);
        if (type_ == "b") return value_ == "1" ? "TRUE" : value_.empty() ? "" : "FALSE";
        if (type_ == "str" || type_ == "e" || type_ == "d" || value_.empty()) return DecodeXlsxEscapes(value_);
        double number = 0;
        const char* begin = value_.data();
        const char* end = begin + value_.size();
        const auto [stop, ec] = std::from_chars(begin, end, number);
        if (ec != std::errc() || stop != end) return value_;
        return FormatCellNumber(number, styles_.CodeOfStyle(style_), date1904_);
    }

    const std::vector<std::string>& shared_;
    const StylesHandler& styles_;
    bool date1904_;
    CellCollector& cells_;
    bool inData_ = false;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    std::size_t nextRow_ = 0;
    std::size_t row_ = 0;
    std::size_t column_ = 0;
    std::string type_;
    std::size_t style_ = 0;
    std::string value_;
    StringItemText inline_;
};

}  // namespace

std::string DecodeXlsxEscapes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, 2) == "_x" && i + 7 <= text.size() && text[i + 6] == '_') {
            unsigned value = 0;
            const auto [end, ec] = std::from_chars(text.data() + i + 2, text.data() + i + 6, value, 16);
            if (ec == std::errc() && end == text.data() + i + 6) {
                AppendUtf8(out, value);
                i += 7;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

TableResult ReadXlsxParts(const XlsxParts& parts, std::optional<SheetArea> area, const ReadProgress& going)
{
    // The shared strings and the sheet are nearly all of the work.
    const std::size_t total = parts.sharedStrings.size() + parts.sheet.size();
    const auto counted = [&](std::size_t before) -> std::function<bool(std::size_t)> {
        if (!going) return {};
        return [&going, before, total](std::size_t done) { return going(before + done, total); };
    };
    std::string error;
    WorkbookHandler workbook;
    if (!parts.workbook.empty() && !ParseXml(parts.workbook, workbook, error)) {
        return {false, "the workbook part is damaged (" + error + ")", {}};
    }
    StylesHandler styles;
    if (!parts.styles.empty() && !ParseXml(parts.styles, styles, error)) {
        return {false, "the styles part is damaged (" + error + ")", {}};
    }
    SharedStringsHandler shared;
    if (!parts.sharedStrings.empty() && !ParseXml(parts.sharedStrings, shared, error, counted(0))) {
        return {false, "the shared strings are damaged (" + error + ")", {}};
    }
    CellCollector cells(area);
    SheetHandler sheet(shared.strings, styles, workbook.date1904, cells);
    if (!ParseXml(parts.sheet, sheet, error, counted(parts.sharedStrings.size()))) {
        return cells.ok() ? TableResult{false, "the worksheet is damaged (" + error + ")", {}} : cells.Finish();
    }
    return cells.Finish();
}

}  // namespace orv
