// The letter, data list and import windows on the workload "a lifetime"
// (20 000 people), through their commands as a person gives them, with Qt
// offscreen: "Write all" into the data list and its grids painted, the list
// saved as an .xlsx file, that file loaded into the import grid and added to
// the address book with the one save of data.orv, and one step of the letter's
// example view. Run the release build:
//   build/release/bench/orv-bench-letters
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QFileInfo>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>

#include "core/session.h"
#include "exchange/sheets/spreadsheet.h"
#include "nonavigator.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"
#include "widgetbench.h"

using namespace orv;

namespace {

using bench::LifetimeSession;
using bench::NoNavigator;

// Answers every dialog: the file named, its type chosen, every question "No".
ViewDialogs Answering(const QString& path, int type)
{
    ViewDialogs d = StandardDialogs();
    d.message = [](QWidget*, const QString&, const QString&, const QString&) {};
    d.ask = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) { return QMessageBox::No; };
    d.saveTyped = [path, type](QWidget*, const QStringList&, const QStringList&, int) {
        return ViewDialogs::TypedFile{path, type};
    };
    d.openTyped = [path, type](QWidget*, const QStringList&, int) { return ViewDialogs::TypedFile{path, type}; };
    return d;
}

QString XlsxPath() { return bench::BenchFolder() + QStringLiteral("lifetime.xlsx"); }

void Click(QWidget& window, const char* name) { window.findChild<QAbstractButton*>(QLatin1String(name))->click(); }

void DataListWriteAll(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm window(LifetimeSession(), navigator);
    window.resize(900, 600);
    window.ShowExportPage();
    auto* grid = window.findChild<QTableView*>(QStringLiteral("StringGrid2"));
    for (auto _ : state) {
        Click(window, "L2");
        grid->viewport()->repaint();
    }
    state.counters["rows"] = static_cast<double>(window.list().LetterRows().size());
}
BENCHMARK(DataListWriteAll)->Unit(benchmark::kMillisecond);

// "Save in file" as a spreadsheet: the export table of 20 000 persons.
void DataListSaveXlsx(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm window(LifetimeSession(), navigator);
    window.setDialogs(Answering(XlsxPath(), 1));
    Click(window, "L2");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(XlsxPath());
        state.ResumeTiming();
        Click(window, "L5");
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(XlsxPath()).size());
}
BENCHMARK(DataListSaveXlsx)->Unit(benchmark::kMillisecond);

// "From file" with that spreadsheet, then "To database": 20 000 more persons,
// sorted in and written to data.orv once.
void ImportXlsxToDatabase(benchmark::State& state)
{
    Session& session = LifetimeSession();
    const std::vector<AData> before = session.records().addresses();
    if (!QFileInfo::exists(XlsxPath())) {
        DataList list;
        list.WriteAll(before, {});
        WriteXlsx(XlsxPath().toStdString(), list.ExportRows());
    }
    TImportData window(session);
    window.setDialogs(Answering(XlsxPath(), 1));
    for (auto _ : state) {
        Click(window, "Label12");
        Click(window, "Label14");  // the header row
        Click(window, "Label13");
        state.PauseTiming();
        session.records().editAddresses() = before;
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(window.table().RowCount());
}
BENCHMARK(ImportXlsxToDatabase)->Unit(benchmark::kMillisecond);

// "Next" in the letter's example view with 20 000 persons in the list.
void LetterNextExample(benchmark::State& state)
{
    NoNavigator navigator;
    TDatalistForm list(LifetimeSession(), navigator);
    Click(list, "L2");
    TLetter letter(LifetimeSession());
    letter.setRows([&list]() -> const std::vector<LetterRow>& { return list.list().LetterRows(); });
    letter.letter()->setPlainText(QStringLiteral("Dear {fn} {sn},\n{ad}\n{ci}\n\nsee you on the 5th.\n"));
    auto* view = letter.findChild<QToolButton*>(QStringLiteral("ToolButton4"));
    auto* next = letter.findChild<QToolButton*>(QStringLiteral("ToolButton6"));
    view->click();
    for (auto _ : state) {
        if (!next->isEnabled()) {
            view->click();
            view->click();
        }
        next->click();
    }
}
BENCHMARK(LetterNextExample)->Unit(benchmark::kMicrosecond);

}  // namespace
