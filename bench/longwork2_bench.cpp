// The longest stall of the window's event loop while a long command of the
// import, data list and letter windows runs on "a lifetime" (20 000 people),
// with Qt offscreen: the command is clicked from the event loop, as a person
// clicks it, and the loop is watched until the command has returned. Each
// benchmark reports the stall as the counter "stall_ms". Run the release
// build:
//   build/release/bench/orv-bench-longwork2
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "core/session.h"
#include "exchange/lists/semicolon.h"
#include "exchange/sheets/spreadsheet.h"
#include "nonavigator.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"
#include "widgetbench.h"

using namespace orv;

namespace {

using bench::BenchFolder;
using bench::LifetimeSession;
using bench::NoNavigator;

QString Path(const char* name) { return BenchFolder() + QLatin1String(name); }

// Answers every dialog: the file named, its type chosen, every question
// "No", the font taken as offered, the printer a PDF file.
ViewDialogs Answering(const QString& path, int type)
{
    ViewDialogs d = StandardDialogs();
    d.message = [](QWidget*, const QString&, const QString&, const QString&) {};
    d.ask = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) { return QMessageBox::No; };
    d.saveTyped = [path, type](QWidget*, const QStringList&, const QStringList&, int) {
        return ViewDialogs::TypedFile{path, type};
    };
    d.openTyped = [path, type](QWidget*, const QStringList&, int) { return ViewDialogs::TypedFile{path, type}; };
    d.chooseFont = [](QWidget*, const QFont& font) { return std::optional<QFont>(font); };
    d.choosePrinter = [path](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    return d;
}

void Click(QWidget& window, const char* name) { window.findChild<QAbstractButton*>(QLatin1String(name))->click(); }

// Clicks `name` from the event loop and returns the loop's longest stall
// until the click has returned.
double StallOfClick(QWidget& window, const char* name)
{
    bool returned = false;
    QTimer::singleShot(0, &window, [&] {
        Click(window, name);
        returned = true;
    });
    return bench::LongestStallUntil([&] { return returned; });
}

void Report(benchmark::State& state, double longest) { state.counters["stall_ms"] = longest; }

// The lifetime's export table as a spreadsheet and as semicolon text, the
// files the import reads.
const DataList& LifetimeList()
{
    static const DataList list = [] {
        DataList l;
        l.WriteAll(LifetimeSession().records().addresses(), {});
        return l;
    }();
    return list;
}

QString ImportFile(bool spreadsheet)
{
    const QString path = Path(spreadsheet ? "import.xlsx" : "import.csv");
    if (!QFileInfo::exists(path)) {
        if (spreadsheet) {
            WriteXlsx(path.toStdString(), LifetimeList().ExportRows());
        } else {
            const std::string text = SerializeSemicolonText(LifetimeList().ExportRows());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0)
                std::abort();
        }
    }
    return path;
}

// "From file" into the import grid.
void ImportFromFile(benchmark::State& state)
{
    const bool spreadsheet = state.range(0) == 1;
    TImportData window(LifetimeSession());
    window.setDialogs(Answering(ImportFile(spreadsheet), spreadsheet ? 1 : 0));
    double longest = 0;
    for (auto _ : state) longest = std::max(longest, StallOfClick(window, "Label12"));
    state.counters["rows"] = static_cast<double>(window.table().RowCount());
    Report(state, longest);
}
BENCHMARK(ImportFromFile)->ArgName("xlsx")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// "To database" with the 20 000 persons of the grid, then data.orv saved once.
void ImportToDatabase(benchmark::State& state)
{
    Session& session = LifetimeSession();
    const std::vector<AData> before = session.records().addresses();
    TImportData window(session);
    window.setDialogs(Answering(ImportFile(true), 1));
    Click(window, "Label12");
    double longest = 0;
    for (auto _ : state) {
        longest = std::max(longest, StallOfClick(window, "Label13"));
        state.PauseTiming();
        session.records().editAddresses() = before;
        state.ResumeTiming();
    }
    Report(state, longest);
    // Of the stall, the one save of data.orv with the 40 000 persons.
    Click(window, "Label13");
    state.counters["save_ms"] = bench::MsOnWindowThread([&] { session.SaveDataFile(DataKind::Addresses); });
    session.records().editAddresses() = before;
}
BENCHMARK(ImportToDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

// "Write all" into the data list, grids and all (or the text list shown).
void DataListWriteAll(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm window(LifetimeSession(), navigator);
    window.resize(900, 600);
    window.ShowExportPage();
    if (state.range(0) == 1) Click(window, "NWRadioButton");
    double longest = 0;
    for (auto _ : state) longest = std::max(longest, StallOfClick(window, "L2"));
    Report(state, longest);
}
BENCHMARK(DataListWriteAll)->ArgName("text")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// "Save in file" of the 20 000 persons: text list, spreadsheet, semicolon text.
void DataListSaveInFile(benchmark::State& state)
{
    static const char* const names[] = {"list.txt", "list.xlsx", "data.txt"};
    const int type = static_cast<int>(state.range(0));
    NoNavigator navigator;
    TDatalistForm window(LifetimeSession(), navigator);
    window.setDialogs(Answering(Path(names[type]), type));
    Click(window, "L2");
    double longest = 0;
    for (auto _ : state) longest = std::max(longest, StallOfClick(window, "L5"));
    state.counters["bytes"] = static_cast<double>(QFileInfo(Path(names[type])).size());
    Report(state, longest);
}
BENCHMARK(DataListSaveInFile)->ArgName("type")->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);

// "Print" of the data list: the 20 000 address blocks into a PDF file.
void DataListPrint(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm window(LifetimeSession(), navigator);
    window.setDialogs(Answering(Path("blocks.pdf"), 0));
    Click(window, "L2");
    double longest = 0;
    for (auto _ : state) longest = std::max(longest, StallOfClick(window, "L6"));
    state.counters["bytes"] = static_cast<double>(QFileInfo(Path("blocks.pdf")).size());
    Report(state, longest);
}
BENCHMARK(DataListPrint)->Unit(benchmark::kMillisecond)->Iterations(1);

// "Print Letter": one letter per person of the data list into a PDF file.
void LetterPrint(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm list(LifetimeSession(), navigator);
    Click(list, "L2");
    TLetter letter(LifetimeSession());
    letter.setDialogs(Answering(Path("letters.pdf"), 0));
    letter.setRows([&list]() -> const std::vector<LetterRow>& { return list.list().LetterRows(); });
    letter.letter()->setPlainText(QStringLiteral("Dear {fn} {sn},\n{ad}\n{ci}\n\nsee you on the 5th.\n"));
    double longest = 0;
    for (auto _ : state) longest = std::max(longest, StallOfClick(letter, "ToolButton1"));
    state.counters["bytes"] = static_cast<double>(QFileInfo(Path("letters.pdf")).size());
    Report(state, longest);
}
BENCHMARK(LetterPrint)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
