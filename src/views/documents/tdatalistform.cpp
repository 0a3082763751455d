#include "views/documents/tdatalistform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTextDocument>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

#include "core/session.h"
#include "exchange/lists/semicolon.h"
#include "exchange/sheets/spreadsheet.h"
#include "views/common/chosenfile.h"
#include "views/common/labelbutton.h"
#include "views/common/longwork.h"
#include "views/address/printjob.h"
#include "views/address/searchresultmodel.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"
#include "views/common/texttablemodel.h"

namespace orv {

namespace {

const QStringList kListFilter{QStringLiteral("ORV list (*.QSL *.qsl)")};
const QStringList kListSuffix{QStringLiteral("QSL")};
enum SaveType { TextFile = 0, Spreadsheet = 1, DataInTextFile = 2 };
const QStringList kSaveFilters{QStringLiteral("Text-file (*.TXT *.txt)"), QStringLiteral("Excel (*.xlsx *.XLSX)"),
                               QStringLiteral("Data in text-file (*.TXT *.txt)")};
const QStringList kSaveSuffixes{QStringLiteral("TXT"), QStringLiteral("xlsx"), QStringLiteral("TXT")};
// A list file names a few persons a line; one far larger than this is something else.
constexpr qint64 kLargestListFile = 64 << 20;

const char* const kLetterHeader[] = {"First name", "Surname", "Address", "Postal", "Country", "1.Telephone number",
                                     "2.Telephone number", "E-mail", "Birthday"};

QTableView* MakeGrid(QWidget* parent, const char* name, const QString& heading, TextTableModel* model)
{
    auto* grid = Named<QTableView>(QLatin1String(name), parent);
    grid->setAccessibleName(heading);
    grid->setModel(model);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = grid->horizontalHeader();
    header->setDefaultSectionSize(110);
    // Every heading whole ("1.Telephone number" beside "2.Telephone number").
    for (int c = 0; c < model->columnCount(); ++c) header->resizeSection(c, std::max(110, header->sectionSizeHint(c)));
    return grid;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = Named<QPushButton>(QLatin1String(name), QLatin1String(caption), parent);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TDatalistForm::TDatalistForm(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), navigator_(navigator), dialogs_(StandardDialogs()),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("DatalistForm"));
    setWindowTitle(QStringLiteral(" ORV - Data List"));
    MakeModels();
    // In this order: it is the order of the window's children for screen readers.
    QHBoxLayout* top = BuildPageButtons();
    QWidget* listPage = BuildListPage();
    QWidget* exportPage = BuildExportPage();
    pages_ = new QStackedWidget(this);
    pages_->addWidget(listPage);
    pages_->addWidget(exportPage);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages_, 1);
    Connect();

    printFont_ = font();
    setTabOrder(SpeedButton1, SpeedButton2);
    setTabOrder(SpeedButton2, SpeedButton3);
    setLabelColours(LabelColours{});
    SpeedButton1Click();
    UpdateExportForm();
    resize(720, 460);
}

void TDatalistForm::MakeModels()
{
    letterModel_ = new TextTableModel(
        {[this] { return static_cast<int>(list_.LetterRows().size()); }, [] { return 9; },
         [this](int r, int c) -> std::string_view { return list_.LetterRows()[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; },
         [this](int r, int c, std::string text) { list_.LetterCell(static_cast<std::size_t>(r), c) = std::move(text); },
         [](int c) { return QLatin1String(kLetterHeader[c]); }},
        this);
    // Row 0 of the export table is its header: it heads the columns here.
    exportModel_ = new TextTableModel(
        {[this] { return static_cast<int>(list_.ExportRows().size()) - 1; }, [] { return 11; },
         [this](int r, int c) -> std::string_view {
             return list_.ExportRows()[static_cast<std::size_t>(r) + 1][static_cast<std::size_t>(c)];
         },
         {},
         [this](int c) {
             // An empty list has no header row yet; its columns are named all the same.
             const std::string& head = list_.ExportRows()[0][static_cast<std::size_t>(c)];
             return DecodeStored(head.empty() ? kExportHeader[static_cast<std::size_t>(c)] : head);
         }},
        this);
}

// "Data list", "Export" and "Exit" along the top.
QHBoxLayout* TDatalistForm::BuildPageButtons()
{
    SpeedButton1 = MakeButton(this, "SpeedButton1", "Data list");
    SpeedButton2 = MakeButton(this, "SpeedButton2", "Export");
    SpeedButton3 = MakeButton(this, "SpeedButton3", "Exit");
    for (QPushButton* b : {SpeedButton1, SpeedButton2}) b->setCheckable(true);
    auto* pageButtons = new QButtonGroup(this);
    pageButtons->addButton(SpeedButton1);
    pageButtons->addButton(SpeedButton2);
    auto* top = new QHBoxLayout;
    top->addWidget(SpeedButton1);
    top->addWidget(SpeedButton2);
    top->addStretch(1);
    top->addWidget(SpeedButton3);
    return top;
}

// The page "Address data list".
QWidget* TDatalistForm::BuildListPage()
{
    auto* listPage = Named<QWidget>("AddressDataList", this);
    StringGrid1 = MakeGrid(listPage, "StringGrid1", QStringLiteral("Data used to write letters"), letterModel_);
    DeleteRowButton = MakeButton(listPage, "DeleteRowButton", "Delete row");
    AddRowButton = MakeButton(listPage, "AddRowButton", "Add row");
    LoadListButton = MakeButton(listPage, "LoadListButton", "Load list");
    SaveListButton = MakeButton(listPage, "SaveListButton", "Save list");
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(MakeHeading(listPage, "Address data list"));
    auto* caption = new QLabel(QStringLiteral("Data used to write letters:"), listPage);
    caption->setBuddy(StringGrid1);
    listLayout->addWidget(caption);
    listLayout->addWidget(new QLabel(QStringLiteral("Modifications will not affect the Data bank"), listPage));
    listLayout->addWidget(StringGrid1, 1);
    auto* listButtons = new QHBoxLayout;
    for (QPushButton* b : {DeleteRowButton, AddRowButton, LoadListButton, SaveListButton}) listButtons->addWidget(b);
    listButtons->addStretch(1);
    listLayout->addLayout(listButtons);
    return listPage;
}

// The page "Export data": its commands, then their layout.
QWidget* TDatalistForm::BuildExportPage()
{
    auto* exportPage = Named<QWidget>("ExportData", this);
    BuildExportControls(exportPage);
    LayOutExportPage(exportPage);
    return exportPage;
}

void TDatalistForm::BuildExportControls(QWidget* exportPage)
{
    L1 = MakeLabelButton(exportPage, "L1", QStringLiteral("Add address"));
    L2 = MakeLabelButton(exportPage, "L2", QStringLiteral("Write all"));
    L3 = MakeLabelButton(exportPage, "L3", QStringLiteral("Clear all"));
    L4 = MakeLabelButton(exportPage, "L4", QStringLiteral("Letter"));
    L5 = MakeLabelButton(exportPage, "L5", QStringLiteral("Save in file"));
    L6 = MakeLabelButton(exportPage, "L6", QStringLiteral("Print"));
    for (LabelButton* b : {L1, L2, L3, L4, L5, L6}) commands_.add(b);
    NWRadioButton = Named<QRadioButton>("NWRadioButton", QStringLiteral("Text"), exportPage);
    ExcelRadioButton = Named<QRadioButton>("ExcelRadioButton", QStringLiteral("Export"), exportPage);
    ExcelRadioButton->setChecked(true);
    CB1 = Named<QCheckBox>("CB1", QStringLiteral("Country"), exportPage);
    CB2 = Named<QCheckBox>("CB2", QStringLiteral("Phone#"), exportPage);
    StringGrid2 = MakeGrid(exportPage, "StringGrid2", QStringLiteral("Export data"), exportModel_);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Memo1 = Named<QPlainTextEdit>("Memo1", exportPage);
    Memo1->setAccessibleName(QStringLiteral("Text list"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    exportView_ = new QStackedWidget(exportPage);
    exportView_->addWidget(StringGrid2);
    exportView_->addWidget(Memo1);
}

void TDatalistForm::LayOutExportPage(QWidget* exportPage)
{
    auto* commands = new QVBoxLayout;
    commands->addWidget(MakeHeading(exportPage, "Use list"));
    for (LabelButton* b : {L1, L2, L3}) commands->addWidget(b, 0, Qt::AlignLeft);
    commands->addSpacing(8);
    commands->addWidget(MakeHeading(exportPage, "Write"));
    for (LabelButton* b : {L4, L5, L6}) commands->addWidget(b, 0, Qt::AlignLeft);
    commands->addSpacing(8);
    commands->addWidget(NWRadioButton);
    commands->addWidget(ExcelRadioButton);
    commands->addSpacing(4);
    commands->addWidget(CB1);
    commands->addWidget(CB2);
    commands->addStretch(1);
    auto* exportLayout = new QVBoxLayout(exportPage);
    exportLayout->setContentsMargins(0, 0, 0, 0);
    exportLayout->addWidget(MakeHeading(exportPage, "Export data"));
    auto* exportRow = new QHBoxLayout;
    exportRow->addLayout(commands);
    exportRow->addWidget(exportView_, 1);
    exportLayout->addLayout(exportRow, 1);
}

void TDatalistForm::Connect()
{
    connect(SpeedButton1, &QPushButton::clicked, this, &TDatalistForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TDatalistForm::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &QWidget::close);
    connect(DeleteRowButton, &QPushButton::clicked, this, &TDatalistForm::DeleteRow);
    connect(AddRowButton, &QPushButton::clicked, this, &TDatalistForm::AddRow);
    connect(LoadListButton, &QPushButton::clicked, this, &TDatalistForm::LoadList);
    connect(SaveListButton, &QPushButton::clicked, this, &TDatalistForm::SaveList);
    connect(L1, &LabelButton::clicked, this, &TDatalistForm::AddAddress);
    connect(L2, &LabelButton::clicked, this, &TDatalistForm::WriteAll);
    connect(L3, &LabelButton::clicked, this, &TDatalistForm::ClearAll);
    connect(L4, &LabelButton::clicked, this, [this] { navigator_.ShowLetterWriter(); });
    connect(L5, &LabelButton::clicked, this, &TDatalistForm::SaveInFile);
    connect(L6, &LabelButton::clicked, this, &TDatalistForm::Print);
    connect(NWRadioButton, &QRadioButton::toggled, this, &TDatalistForm::UpdateExportForm);
    connect(CB1, &QCheckBox::toggled, this, [this](bool on) { session_.settings().WriteCountry = on; });
    connect(CB2, &QCheckBox::toggled, this, [this](bool on) { session_.settings().WriteNumber = on; });
}

// The grids read the list until they are gone, so they go before it.
TDatalistForm::~TDatalistForm() { delete pages_; }

void TDatalistForm::setLabelColours(const LabelColours& c) { SetCommandColours(commands_, c); }

void TDatalistForm::LoadOptions()
{
    const Settings& s = session_.settings();
    CB1->setChecked(s.WriteCountry);
    CB2->setChecked(s.WriteNumber);
}

TextListOptions TDatalistForm::Options() const { return {CB1->isChecked(), CB2->isChecked()}; }

void TDatalistForm::Message(const QString& text) { dialogs_.message(this, QStringLiteral("ORV"), text, {}); }

void TDatalistForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (textStale_ && NWRadioButton->isChecked()) ShowTextList();
}

// ---- Pages and the export form ---------------------------------------------------------------

void TDatalistForm::SpeedButton1Click()
{
    SpeedButton1->setChecked(true);
    pages_->setCurrentIndex(0);
}

void TDatalistForm::SpeedButton2Click()
{
    SpeedButton2->setChecked(true);
    pages_->setCurrentIndex(1);
}

void TDatalistForm::ShowExportPage()
{
    SpeedButton2Click();
    BringForward(this);
}

void TDatalistForm::UpdateExportForm()
{
    const bool text = NWRadioButton->isChecked();
    CB1->setVisible(text);
    CB2->setVisible(text);
    exportView_->setCurrentWidget(text ? static_cast<QWidget*>(Memo1) : StringGrid2);
    if (text && textStale_) ShowTextList();
}

namespace {

// The text list as a document for Memo1; it may be made on another thread.
std::unique_ptr<QTextDocument> TextListDocument(const std::vector<std::string>& lines, const QFont& font)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    document->setDefaultFont(font);
    document->setPlainText(DecodeStoredLines(lines).join(QLatin1Char('\n')));
    return document;
}

}  // namespace

bool TDatalistForm::TextListShown() const { return NWRadioButton->isChecked() && isVisible(); }

void TDatalistForm::ShowTextList() { ShowTextDocument(TextListDocument(list_.TextLines(), Memo1->font())); }

void TDatalistForm::ShowTextDocument(std::unique_ptr<QTextDocument> document)
{
    // The edit deletes the document it made itself when it gets another; those
    // given here are children of the edit, and go when the next one comes (in
    // a later turn of the event loop: a long list takes a while to free).
    QTextDocument* shown = Memo1->document();
    const bool given = shown->parent() == Memo1;
    document->setParent(Memo1);
    Memo1->setDocument(document.release());
    if (given) shown->deleteLater();
    textStale_ = false;
}

void TDatalistForm::Refresh(std::unique_ptr<QTextDocument> text)
{
    letterModel_->Reset();
    exportModel_->Reset();
    if (text) {
        ShowTextDocument(std::move(text));
        return;
    }
    // The text list can run to many thousands of lines: it is built when it is shown.
    textStale_ = true;
    if (TextListShown()) ShowTextList();
}

// ---- Filling the list -------------------------------------------------------------------------

void TDatalistForm::AddAddress()
{
    const RecordStore& records = session_.records();
    const int current = records.CurrentAddress;
    if (current < 0 || current >= static_cast<int>(records.addresses().size())) return;
    list_.AddAddress(records.addresses()[static_cast<std::size_t>(current)], Options());
    Refresh();
}

void TDatalistForm::AddAddresses(const std::vector<int>& addressIndexes)
{
    const auto& addresses = session_.records().addresses();
    const TextListOptions options = Options();
    for (const int i : addressIndexes) {
        if (i >= 0 && i < static_cast<int>(addresses.size())) list_.AddAddress(addresses[static_cast<std::size_t>(i)], options);
    }
    Refresh();
}

void TDatalistForm::WriteAll()
{
    // The list is made beside the window from a copy of the address book and
    // replaces the one shown only when it is whole.
    // So is the text list's document, when it is shown.
    RecordStore& records = session_.records();
    const std::vector<AData> addresses = records.addresses();
    const TextListOptions options = Options();
    const bool textShown = TextListShown();
    const QFont font = Memo1->font();
    QThread* const window = thread();
    DataList written;
    std::unique_ptr<QTextDocument> text;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Writing the data list"), [&](WorkProgress& progress) {
        written.WriteAll(addresses, options);
        if (!textShown || progress.Cancelled()) return;
        text = TextListDocument(written.TextLines(), font);
        text->moveToThread(window);
    });
    if (end != WorkEnd::Done) return;
    list_ = std::move(written);
    records.CurrentAddress = 0;
    Refresh(std::move(text));
    emit currentAddressChanged();
}

void TDatalistForm::ClearAll()
{
    list_.ClearAll();
    Refresh();
}

void TDatalistForm::DeleteRow()
{
    // Only a row the user chose goes, never the first by chance.
    const QModelIndex current = StringGrid1->currentIndex();
    if (!current.isValid() || !StringGrid1->selectionModel()->isSelected(current)) {
        dialogs_.message(this, QStringLiteral("ORV"), QStringLiteral("Select the row to delete first."), {});
        return;
    }
    const int row = current.row();
    list_.DeleteLetterRow(static_cast<std::size_t>(row));
    letterModel_->Reset();
    const int rows = static_cast<int>(list_.LetterRows().size());
    StringGrid1->setCurrentIndex(letterModel_->index(std::min(row, rows - 1), current.column()));
}

void TDatalistForm::AddRow()
{
    const int row = static_cast<int>(list_.AddLetterRow());
    letterModel_->Reset();
    StringGrid1->setCurrentIndex(letterModel_->index(row, 0));
    StringGrid1->setFocus();
}

// ---- Files ------------------------------------------------------------------------------------

bool TDatalistForm::WriteBytes(const QString& path, const std::string& bytes)
{
    QString error;
    if (WriteChosenFile(path, bytes, error)) return true;
    Message(error);
    return false;
}

void TDatalistForm::SaveList()
{
    const QString path = dialogs_.saveTyped(this, kListFilter, kListSuffix, 0).path;
    if (path.isEmpty() || !MayOverwrite(dialogs_, this, path)) return;
    WriteBytes(path, SerializeListFile(list_.LetterRows()));
}

void TDatalistForm::LoadList()
{
    // The list in hand is replaced only by a file that could be read.
    const QString path = dialogs_.openTyped(this, kListFilter, 0).path;
    if (path.isEmpty()) return;
    QString error;
    const std::optional<QByteArray> file = ReadChosenFile(path, kLargestListFile, error);
    if (!file) {
        Message(error);
        return;
    }
    const QByteArray& bytes = *file;
    const auto& addresses = session_.records().addresses();
    const ListFileMatch match = MatchListFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                              QFileInfo(path).fileName().toStdString(), addresses);
    if (!match.ok) {
        Message(DecodeStored(match.message));
        return;
    }
    list_.ClearAll();
    const TextListOptions options = Options();
    for (const std::size_t i : match.matches) list_.AddAddress(addresses[i], options);
    Refresh();
    Message(QString::fromStdString(ListLoadMessage(match.matches.size(), match.lines)));
}

void TDatalistForm::SaveInFile()
{
    const ViewDialogs::TypedFile chosen = dialogs_.saveTyped(this, kSaveFilters, kSaveSuffixes, TextFile);
    if (chosen.path.isEmpty() || !MayOverwrite(dialogs_, this, chosen.path)) return;
    // A name typed with ".xlsx" is a spreadsheet whichever type the dialog showed.
    const int type = chosen.path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? Spreadsheet : chosen.type;
    // The file's bytes are made beside the window from a copy of the list;
    // the file is written only once they are all there, so Cancel writes nothing.
    const std::vector<ExportRow> rows = type == TextFile ? std::vector<ExportRow>{} : list_.ExportRows();
    const std::vector<std::string> lines = type == TextFile ? list_.TextLines() : std::vector<std::string>{};
    const std::string path = chosen.path.toStdString();
    std::string bytes;
    Result made;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Saving '%1'").arg(QFileInfo(chosen.path).fileName()),
                                    [&](WorkProgress&) {
                                        switch (type) {
                                        case Spreadsheet: made = XlsxBytes(path, rows, bytes); return;
                                        case DataInTextFile: bytes = SerializeSemicolonText(rows); return;
                                        default: bytes = SerializeTextList(lines); return;
                                        }
                                    });
    if (end != WorkEnd::Done) return;
    if (!made.ok) {
        Message(DecodeStored(made.message));
        return;
    }
    if (!WriteBytes(chosen.path, bytes) || type != Spreadsheet) return;
    const QString question = QStringLiteral("Open %1 in your spreadsheet program?").arg(QFileInfo(chosen.path).fileName());
    if (dialogs_.ask(this, QStringLiteral("Confirm"), question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        openUrl_(QUrl::fromLocalFile(chosen.path));
}

void TDatalistForm::Print()
{
    // The list prints as its address blocks, whichever form is shown.
    const std::optional<QFont> printFont = dialogs_.chooseFont(this, printFont_);
    if (!printFont) return;
    printFont_ = *printFont;
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.choosePrinter(this, printer)) return;
    const std::vector<std::string> lines = list_.TextLines();
    const QFont font = *printFont;
    const QRect area = PrintJob::Area(session_.settings());
    // The blocks are laid out and painted beside the window, on a document of the work's own.
    const PrintEnd printed = PrintBeside(this, dialogs_, printer, QStringLiteral("Printing the address blocks"), [&](WorkProgress& progress) {
        QTextDocument blocks;
        blocks.setDefaultFont(font);
        blocks.setPlainText(DecodeStoredLines(lines).join(QLatin1Char('\n')));
        return PrintDocuments(printer, area, QStringLiteral("File"), 1,
                              [&](int) -> const QTextDocument& { return blocks; }, &progress);
    });
    if (printed == PrintEnd::Failed) Message(QStringLiteral("The printer could not be started."));
}

}  // namespace orv
