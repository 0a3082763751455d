#include "views/documents/timportdata.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <utility>

#include "core/session.h"
#include "engine/addressbook.h"
#include "exchange/lists/semicolon.h"
#include "views/common/named.h"
#include "views/documents/tarea.h"
#include "views/common/chosenfile.h"
#include "views/common/labelbutton.h"
#include "views/common/longwork.h"
#include "views/address/searchresultmodel.h"
#include "views/common/storedtext.h"
#include "views/common/texttablemodel.h"

namespace orv {

namespace {

const QStringList kOpenFilters{QStringLiteral("Data in text-file (*.TXT *.txt *.CSV *.csv)"),
                               QStringLiteral("Excel (*.xlsx *.XLSX *.ods *.ODS)"),
                               QStringLiteral("Excel area (*.xlsx *.XLSX *.ods *.ODS)")};
const char* const kFieldLabels[kImportFieldCount] = {"First name",   "Surname",      "Address", "City", "Country", "1.Telephone#",
                                                     "2.Telephone#", "E-Mail",       "dd",      "mm",   "yyyy"};
// The largest file the import reads: far beyond any address book.
constexpr qint64 kLargestImport = 256 << 20;
// A long list of refused rows is cut short in the final message.
constexpr int kRowsReported = 100;

bool IsZip(const QByteArray& bytes) { return bytes.startsWith("PK\x03\x04"); }

}  // namespace

TImportData::TImportData(Session& session, QWidget* parent)
    : QDialog(parent), session_(session), dialogs_(StandardDialogs())
{
    setObjectName(QStringLiteral("ImportData"));
    setWindowTitle(QStringLiteral(" ORV - Import data"));
    // In this order: it is the order of the dialog's children for screen readers.
    BuildGrid();
    BuildCommands();
    LayOut(BuildColumnFields());

    connect(Label12, &LabelButton::clicked, this, &TImportData::FromFileClick);
    connect(Label13, &LabelButton::clicked, this, &TImportData::ToDatabaseClick);
    connect(Label14, &LabelButton::clicked, this, &TImportData::DeleteRowClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &QDialog::reject);
    setLabelColours(LabelColours{});
    resize(760, 480);
}

// The table read from the file, one grid row a line.
void TImportData::BuildGrid()
{
    table_ = std::make_shared<Table>();
    table_->rows.resize(1);
    table_->columnCount = 1;
    model_ = new TextTableModel(
        {[this] { return static_cast<int>(table_->rows.size()); }, [this] { return static_cast<int>(table_->columnCount); },
         [this](int r, int c) { return table_->Cell(static_cast<std::size_t>(r), static_cast<std::size_t>(c)); },
         [this](int r, int c, std::string text) {
             std::vector<std::string>& cells = EditTable().rows[static_cast<std::size_t>(r)];
             if (cells.size() <= static_cast<std::size_t>(c)) cells.resize(static_cast<std::size_t>(c) + 1);
             cells[static_cast<std::size_t>(c)] = std::move(text);
         },
         {}},
        this);
    StringGrid1 = Named<QTableView>("StringGrid1", this);
    StringGrid1->setAccessibleName(QStringLiteral("Data"));
    StringGrid1->setModel(model_);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
}

void TImportData::BuildCommands()
{
    Label12 = MakeLabelButton(this, "Label12", QStringLiteral("From file"));
    Label13 = MakeLabelButton(this, "Label13", QStringLiteral("To database"));
    Label14 = MakeLabelButton(this, "Label14", QStringLiteral("Delete row"));
    for (LabelButton* b : {Label12, Label13, Label14}) commands_.add(b);
    SpeedButton1 = Named<QPushButton>("SpeedButton1", QStringLiteral("Exit"), this);
    SpeedButton1->setAutoDefault(false);
}

// The grid column of each field of a person, under the field's name.
QGridLayout* TImportData::BuildColumnFields()
{
    auto* columns = new QGridLayout;
    for (std::size_t i = 0; i < kImportFieldCount; ++i) {
        auto* spin = Named<QSpinBox>(QStringLiteral("SpinEdit%1").arg(i + 1), this);
        spin->setRange(ImportColumns::kFirst, ImportColumns::kLast);
        spin->setValue(ImportColumns{}.column[i]);
        auto* label = new QLabel(QLatin1String(kFieldLabels[i]), this);
        label->setBuddy(spin);
        spin->setAccessibleName(label->text());
        columns->addWidget(label, static_cast<int>(i), 0);
        columns->addWidget(spin, static_cast<int>(i), 1);
        spinEdits_[i] = spin;
    }
    return columns;
}

void TImportData::LayOut(QGridLayout* columns)
{
    auto* note = new QLabel(QStringLiteral("Make sure that the column number is correct"), this);
    note->setWordWrap(true);

    auto* side = new QVBoxLayout;
    for (LabelButton* b : {Label12, Label13, Label14}) side->addWidget(b, 0, Qt::AlignLeft);
    side->addSpacing(8);
    side->addLayout(columns);
    side->addWidget(note);
    side->addStretch(1);
    side->addWidget(SpeedButton1);
    SeparatorNote = Named<QLabel>("SeparatorNote", this);
    SeparatorNote->setWordWrap(true);
    SeparatorNote->hide();
    auto* grid = new QVBoxLayout;
    grid->addWidget(MakeHeading(this, "Data", StringGrid1));
    grid->addWidget(SeparatorNote);
    grid->addWidget(StringGrid1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(side);
}

// The grid reads the table until it is gone, so it goes before it.
TImportData::~TImportData() { delete StringGrid1; }

void TImportData::setLabelColours(const LabelColours& c) { SetCommandColours(commands_, c); }

void TImportData::setAreaDialog(TArea* area)
{
    setAreaQuestion([area]() -> std::optional<SheetArea> {
        const TArea::Choice choice = area->Ask();
        if (choice.cancelled) return std::nullopt;
        return SheetArea{static_cast<std::size_t>(choice.rows), static_cast<std::size_t>(choice.columns)};
    });
}

ImportColumns TImportData::Columns() const
{
    ImportColumns c;
    for (std::size_t i = 0; i < kImportFieldCount; ++i) c.column[i] = spinEdits_[i]->value();
    return c;
}

void TImportData::Message(const QString& text, const QString& detail)
{
    dialogs_.message(this, QStringLiteral("ORV"), text, detail);
}

Table& TImportData::EditTable()
{
    if (table_.use_count() > 1) table_ = std::make_shared<Table>(*table_);
    return *table_;
}

void TImportData::SetTable(Table table)
{
    // The grid always has a cell, as an empty sheet has its first one.
    if (table.rows.empty()) table.rows.resize(1);
    table.columnCount = std::max<std::size_t>(table.columnCount, 1);
    table_ = std::make_shared<Table>(std::move(table));
    model_->Reset();
}

// ---- Loading ----------------------------------------------------------------------------------

void TImportData::FromFileClick()
{
    const ViewDialogs::TypedFile chosen = dialogs_.openTyped(this, kOpenFilters, TextFile);
    if (chosen.path.isEmpty()) return;
    LoadFile(chosen.path, static_cast<FileType>(std::clamp(chosen.type, 0, 2)));
}

bool TImportData::LoadFile(const QString& path, FileType type)
{
    std::optional<SheetArea> area;
    if (type == SpreadsheetArea) {
        if (!askArea_) setAreaDialog((ownArea_ = std::make_unique<TArea>()).get());
        area = askArea_();
        if (!area) return false;  // cancelled: the grid keeps what it holds
    }
    // The file is read and parsed beside the window; the grid changes only
    // once it is all there.
    struct Loaded {
        QString error;  // the file could not be read
        TableResult read;
        bool text = false;
        char separator = 0;
    } loaded;
    const QString fileName = QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral(" ORV - Import in progress"));
    // While a sheet's cells are read the caption tells how far the work got.
    std::atomic<int> percent{-1};
    QTimer caption;
    connect(&caption, &QTimer::timeout, this, [&] {
        if (const int p = percent.load(); p >= 0) setWindowTitle(QStringLiteral(" ORV - Importing: %1%").arg(p));
    });
    caption.start(100);
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Importing '%1'").arg(fileName), [&](WorkProgress& progress) {
        const std::optional<QByteArray> file = ReadChosenFile(path, kLargestImport, loaded.error);
        if (!file || progress.Cancelled()) return;
        const QByteArray& bytes = *file;
        // A spreadsheet chosen under the text type is still read as the spreadsheet it is.
        loaded.text = type == TextFile && !IsZip(bytes);
        const ReadProgress going = [&progress, &percent, sheet = !loaded.text](std::size_t done, std::size_t total) {
            if (total > 0) {
                progress.SetTotal(static_cast<long long>(total));
                progress.Advance(static_cast<long long>(done));
                if (sheet) percent = static_cast<int>(done * 100 / total);
            }
            return !progress.Cancelled();
        };
        const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        const std::string name = fileName.toStdString();
        if (loaded.text) {
            SeparatedText separated = ReadSeparatedText(view, name, 0, going);
            loaded.read = std::move(separated.result);
            loaded.separator = separated.separator;
        } else {
            loaded.read = ReadSpreadsheet(view, name, area, going);
        }
    });
    caption.stop();
    setWindowTitle(QStringLiteral(" ORV - Import data"));
    if (end != WorkEnd::Done) return false;
    if (!loaded.error.isEmpty()) {
        Message(loaded.error);
        return false;
    }
    if (!loaded.read.ok) {
        Message(DecodeStored(loaded.read.message));
        return false;
    }
    SetTable(std::move(loaded.read.table));
    ShowSeparator(loaded.text, loaded.separator);
    return true;
}

// A text file's fields may be split at ";", "," or tabs: the grid says which
// was taken, so that a file split the wrong way is noticed before the import.
void TImportData::ShowSeparator(bool text, char separator)
{
    SeparatorNote->setVisible(text);
    if (!text) return;
    switch (separator) {
    case ';': SeparatorNote->setText(QStringLiteral("Fields separated by \";\" (semicolon).")); break;
    case ',': SeparatorNote->setText(QStringLiteral("Fields separated by \",\" (comma).")); break;
    case '\t': SeparatorNote->setText(QStringLiteral("Fields separated by tabs.")); break;
    default:
        SeparatorNote->setText(QStringLiteral("No \";\", \",\" or tab divides the first lines: each line is read "
                                              "as one field."));
    }
}

void TImportData::DeleteRowClick()
{
    // Only a row the user chose goes: a header is deleted on purpose, never
    // the first person by chance.
    const QModelIndex current = StringGrid1->currentIndex();
    if (!current.isValid() || !StringGrid1->selectionModel()->isSelected(current)) {
        Message(QStringLiteral("Select the row to delete first."));
        return;
    }
    const auto row = static_cast<std::size_t>(current.row());
    Table& table = EditTable();
    if (table.rows.size() <= 1) table.rows.assign(1, {});
    else table.rows.erase(table.rows.begin() + static_cast<std::ptrdiff_t>(row));
    model_->Reset();
    const int last = static_cast<int>(table.rows.size()) - 1;
    StringGrid1->setCurrentIndex(model_->index(std::min(static_cast<int>(row), last), current.column()));
}

// ---- To database ------------------------------------------------------------------------------

void TImportData::ToDatabaseClick()
{
    // The work reads the grid's table (shared, never changed while shared)
    // and a copy of the address book, and sorts the new persons into its own
    // list; that list replaces the address book only when the work is done,
    // so Cancel adds nobody.
    const ImportColumns columns = Columns();
    const RecordStore& shown = session_.records();
    struct Added {
        std::shared_ptr<const Table> table;
        RecordStore records;
        std::size_t people = 0;
        QStringList problems;
        std::size_t lineBreaks = 0;
    } out;
    out.table = table_;
    out.records.editAddresses() = shown.addresses();
    out.records.CurrentAddress = shown.CurrentAddress;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Adding the persons to the address book"), [&](WorkProgress& progress) {
        const Table& table = *out.table;
        // One step per row, and the sort of the address book as one more.
        progress.SetTotal(static_cast<long long>(table.rows.size()) + 1);
        std::vector<AddressFields> people;
        for (std::size_t row = 0; row < table.rows.size(); ++row) {
            if (progress.Cancelled()) return;
            progress.Advance(static_cast<long long>(row));
            ImportedRow f = FieldsOfRow(table, row, columns);
            // A row with nothing in the assigned columns is no person (a blank line, a gap in a sheet).
            if (f.fields == AddressFields{}) continue;
            if (const std::optional<std::string> error = ImportDateError(f.fields)) {
                out.problems << QStringLiteral("Row %1: %2").arg(row + 1).arg(DecodeStored(*error));
                continue;
            }
            AddressFields a = std::move(f.fields);
            if (CheckBirthdayField(BirthdayField::Year, a.Year).changeYear)
                out.problems << QStringLiteral("Row %1: %2 The year %3 of %4 %5 was left empty.")
                                    .arg(row + 1)
                                    .arg(QLatin1String(kChangeTheYear), DecodeStored(a.Year), DecodeStored(a.Name),
                                         DecodeStored(a.Surname));
            people.push_back(std::move(a));
            out.lineBreaks += f.lineBreaks;
        }
        progress.Advance(static_cast<long long>(table.rows.size()));
        if (progress.Cancelled()) return;
        out.people = people.size();
        AddAddresses(out.records, people);
    });
    out.table.reset();  // the grid's own again
    if (end != WorkEnd::Done) return;
    QStringList& problems = out.problems;
    if (problems.size() > kRowsReported) {
        const qsizetype more = problems.size() - kRowsReported;
        problems.resize(kRowsReported);
        problems << QStringLiteral("... and %1 more rows.").arg(more);
    }
    if (out.people > 0) {
        // All or nothing: the address book is as it was unless data.orv holds every new person.
        RecordStore& records = session_.records();
        const int current = records.CurrentAddress;
        std::vector<AData> before = std::exchange(records.editAddresses(), std::move(out.records.editAddresses()));
        records.CurrentAddress = out.records.CurrentAddress;
        const SessionReport saved = session_.SaveDataFile(DataKind::Addresses);
        if (!saved.ok()) {
            records.editAddresses() = std::move(before);
            records.CurrentAddress = current;
            const QStringList lines = DecodeStoredLines(saved.messages);
            Message(QStringLiteral("No person was added."), lines.join(QLatin1Char('\n')));
            return;
        }
        problems << DecodeStoredLines(saved.notices);
        emit changed();
    }
    QString added = QStringLiteral("%1 persons added").arg(out.people);
    if (out.lineBreaks > 0 && out.people > 0) {
        added += out.lineBreaks == 1 ? QStringLiteral(". In 1 field line breaks became blanks.")
                                     : QStringLiteral(". In %1 fields line breaks became blanks.").arg(out.lineBreaks);
    }
    Message(added, problems.join(QLatin1Char('\n')));
}

}  // namespace orv
