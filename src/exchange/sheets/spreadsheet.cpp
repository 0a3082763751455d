#include "exchange/sheets/spreadsheet.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <xlsxwriter.h>
#include <zip.h>

#include "exchange/codepages.h"
#include "exchange/sheets/sheetparts.h"
#include "exchange/sheets/xmlreader.h"

namespace orv {

// ---- Collecting cells ----------------------------------------------------------------------

bool CellCollector::Put(std::size_t row, std::size_t column, std::string_view text)
{
    if (!ok_) return false;
    if (text.empty() || row >= RowLimit() || column >= ColumnLimit()) return true;
    if (table_.rows.size() <= row) table_.rows.resize(row + 1);
    std::vector<std::string>& cells = table_.rows[row];
    if (cells.size() <= column) {
        cells_ += column + 1 - cells.size();
        cells.resize(column + 1);
    }
    bytes_ += text.size();
    if (cells_ > kMaxCells || bytes_ > kMaxBytes) {
        ok_ = false;
        return false;
    }
    cells[column].assign(text);
    table_.columnCount = std::max(table_.columnCount, column + 1);
    return true;
}

bool CellCollector::Expect(std::size_t cells)
{
    if (cells > kMaxCells - std::min(cells_, kMaxCells)) ok_ = false;
    return ok_;
}

TableResult CellCollector::Finish()
{
    if (!ok_) return {false, "the sheet is too large to import; choose a smaller area", {}};
    TableResult result;
    result.table = std::move(table_);
    if (area_) {
        result.table.rows.resize(area_->rows);
        result.table.columnCount = area_->columns;
    } else if (result.table.rows.empty()) {
        // As a spreadsheet program sees it, an empty sheet's last used cell is A1.
        result.table.rows.resize(1);
        result.table.columnCount = 1;
    }
    return result;
}

// ---- Reading ------------------------------------------------------------------------------

namespace {

constexpr std::size_t kMaxPart = 256u << 20;

class ZipReader {
public:
    explicit ZipReader(std::string_view bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
            if (!archive_) zip_source_free(source);
        }
        zip_error_fini(&error);
    }
    ~ZipReader()
    {
        if (archive_) zip_discard(archive_);
    }
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool open() const { return archive_ != nullptr; }
    bool Has(const std::string& name) const { return zip_name_locate(archive_, name.c_str(), 0) >= 0; }

    // The whole entry; false when it is missing, too large or damaged, or
    // when `going` (asked every megabyte) says to stop.
    bool Read(const std::string& name, std::string& out, std::string& error, const ReadProgress& going = {}) const
    {
        const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
        if (index < 0) {
            error = name + " is missing";
            return false;
        }
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
            st.size > kMaxPart) {
            error = name + " is too large";
            return false;
        }
        zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
        if (!file) {
            error = name + " cannot be unpacked";
            return false;
        }
        out.clear();
        char buffer[1 << 16];
        bool ok = true;
        for (;;) {
            const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
            if (n < 0) {
                error = name + " cannot be unpacked (" + zip_error_strerror(zip_file_get_error(file)) + ")";
                ok = false;
                break;
            }
            if (n == 0) break;
            const std::size_t before = out.size();
            out.append(buffer, static_cast<std::size_t>(n));
            if (going && before >> 20 != out.size() >> 20 && !going(0, 0)) {
                error = "stopped";
                ok = false;
                break;
            }
            if (out.size() > kMaxPart) {
                error = name + " is too large";
                ok = false;
                break;
            }
        }
        zip_fclose(file);
        return ok;
    }

private:
    zip_t* archive_ = nullptr;
};

// The relationships of the workbook: id to part name, and the parts by type.
class RelationshipsHandler : public XmlHandler {
public:
    struct Relationship {
        std::string id, type, target;
    };
    std::vector<Relationship> all;
    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (name == "Relationship") {
            all.push_back({std::string(a.Get("Id").value_or("")), std::string(a.Get("Type").value_or("")),
                           std::string(a.Get("Target").value_or(""))});
        }
    }
};

class FirstSheetHandler : public XmlHandler {
public:
    std::string relationship;
    void Start(std::string_view name, const XmlAttributes& a) override
    {
        if (name == "sheet" && relationship.empty()) relationship = std::string(a.Get("id").value_or(""));
    }
};

// A relationship target as a name inside the archive: relative to "xl/".
std::string PartName(std::string target)
{
    if (!target.empty() && target[0] == '/') return target.substr(1);
    std::string base = "xl/";
    while (target.rfind("../", 0) == 0) {
        target.erase(0, 3);
        base.clear();
    }
    return base + target;
}

TableResult ReadXlsx(const ZipReader& zip, std::optional<SheetArea> area, const ReadProgress& going)
{
    XlsxParts parts;
    std::string error;
    if (!zip.Read("xl/workbook.xml", parts.workbook, error)) return {false, error, {}};
    FirstSheetHandler first;
    if (!ParseXml(parts.workbook, first, error)) return {false, "the workbook part is damaged (" + error + ")", {}};

    std::string rels;
    RelationshipsHandler relationships;
    if (zip.Read("xl/_rels/workbook.xml.rels", rels, error) && !ParseXml(rels, relationships, error)) {
        return {false, "the workbook's relationships are damaged (" + error + ")", {}};
    }
    std::string sheetName = "xl/worksheets/sheet1.xml";
    std::string sharedName = "xl/sharedStrings.xml";
    std::string stylesName = "xl/styles.xml";
    const auto endsWith = [](const std::string& s, std::string_view suffix) {
        return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    for (const auto& r : relationships.all) {
        if (r.id == first.relationship && !first.relationship.empty()) sheetName = PartName(r.target);
        if (endsWith(r.type, "/sharedStrings")) sharedName = PartName(r.target);
        if (endsWith(r.type, "/styles")) stylesName = PartName(r.target);
    }
    if (!zip.Read(sheetName, parts.sheet, error, going)) return {false, error, {}};
    if (zip.Has(sharedName) && !zip.Read(sharedName, parts.sharedStrings, error, going)) return {false, error, {}};
    if (zip.Has(stylesName) && !zip.Read(stylesName, parts.styles, error, going)) return {false, error, {}};
    return ReadXlsxParts(parts, area, going);
}

}  // namespace

TableResult ReadSpreadsheet(std::string_view bytes, std::string_view fileName, std::optional<SheetArea> area,
                            const ReadProgress& going)
{
    const std::string name(fileName);
    if (area && (area->rows == 0 || area->columns == 0 || area->rows > CellCollector::kMaxRows ||
                 area->columns > 65536)) {
        return {false, "The area to import must lie within the sheet.", {}};
    }
    if (bytes.substr(0, 4) == "\xD0\xCF\x11\xE0") {
        return {false, name + " is a spreadsheet in the old binary format, which cannot be read. Save it as .xlsx or .ods and import that file.", {}};
    }
    if (bytes.substr(0, 2) != "PK") {
        return {false, name + " is not a spreadsheet (.xlsx or .ods).", {}};
    }
    const ZipReader zip(bytes);
    if (!zip.open()) return {false, "The spreadsheet " + name + " is damaged or incomplete.", {}};
    TableResult result;
    if (zip.Has("xl/workbook.xml")) {
        result = ReadXlsx(zip, area, going);
    } else if (zip.Has("content.xml")) {
        std::string content, error;
        if (!zip.Read("content.xml", content, error, going)) {
            result = {false, error, {}};
        } else {
            result = ReadOdsContent(content, area, going);
        }
    } else {
        return {false, name + " is not a spreadsheet (.xlsx or .ods).", {}};
    }
    if (!result.ok) result.message = "The spreadsheet " + name + " cannot be read: " + result.message + ".";
    return result;
}

TableResult ReadSpreadsheetFile(const std::string& path, std::optional<SheetArea> area)
{
    const ReadResult file = ReadWholeFile(path);
    if (!file.exists) return {false, IoErrorText(ENOENT, path), {}};
    if (!file.ok) return {false, file.message, {}};
    return ReadSpreadsheet(file.content, path, area);
}

// ---- Writing ------------------------------------------------------------------------------

namespace {

// A cell's text as the file needs it: UTF-8 within the cell limit of 32767 characters.
std::string CellText(std::string_view stored)
{
    std::string text = StoredAsUtf8(stored);
    if (text.size() <= 32767) return text;  // never more characters than bytes
    std::size_t pos = 0;
    std::size_t characters = 0;
    while (pos < text.size()) {
        if (++characters > 32767) {
            text.resize(pos);
            break;
        }
        NextCodePoint(text, pos);
    }
    return text;
}

}  // namespace

Result XlsxBytes(const std::string& path, const std::vector<ExportRow>& rows, std::string& out)
{
    out.clear();
    if (rows.size() > CellCollector::kMaxRows)
        return Result::Error("Too many rows or columns for a spreadsheet: " + path);
    // The library writes to a file name of its own choosing only, so the
    // workbook is made in a scratch file and read back.
    std::error_code noTemp;
    std::filesystem::path scratch = std::filesystem::temp_directory_path(noTemp);
    if (noTemp) scratch = "/tmp";
    std::string tmp = (scratch / "orv-xlsx-XXXXXX").string();
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return Result::Error(IoErrorText(errno, tmp));
    ::close(fd);

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to the file as they are written
    lxw_workbook* workbook = workbook_new_opt(tmp.c_str(), &options);
    if (!workbook) {
        ::unlink(tmp.c_str());
        return Result::Error("The spreadsheet could not be created: " + path);
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_error failure = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (std::size_t r = 0; r < rows.size() && failure == LXW_NO_ERROR; ++r) {
        for (std::size_t c = 0; c < rows[r].size() && failure == LXW_NO_ERROR; ++c) {
            const std::string_view stored = rows[r][c];
            if (stored.empty()) continue;
            failure = worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                             CellText(stored).c_str(), nullptr);
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure == LXW_NO_ERROR) failure = closed;
    if (failure == LXW_NO_ERROR) {
        ReadResult made = ReadWholeFile(tmp);
        ::unlink(tmp.c_str());
        if (made.ok) out = std::move(made.content);
        return made;
    }
    ::unlink(tmp.c_str());
    return Result::Error(std::string("The spreadsheet could not be written (") + lxw_strerror(failure) + "): " + path);
}

Result WriteXlsx(const std::string& path, const std::vector<ExportRow>& rows)
{
    std::string bytes;
    const Result made = XlsxBytes(path, rows, bytes);
    if (!made.ok) return made;
    return WriteFileAtomic(path, bytes);
}

}  // namespace orv
