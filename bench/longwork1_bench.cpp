// The long commands of the periodical search, the calendar's iCalendar export
// and import, "Import all vCards" and the phone book's "Save as.." on the
// workload "a lifetime": the longest stall of the window's event loop while
// each runs (the time the windows could not repaint or take a key), and the
// command's whole time. A stall meter ticks every millisecond; the command
// starts from the event loop, as a click starts it. Run the release build:
//   build/release/bench/orv-bench-longwork1
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "core/session.h"
#include "engine/addressbook.h"
#include "exchange/ical/icalexport.h"
#include "exchange/vcard/vcard.h"
#include "nonavigator.h"
#include "views/address/addressview.h"
#include "views/events/calendarview.h"
#include "views/today/eventgrid.h"
#include "views/events/icaldialogs.h"
#include "views/events/periodicalview.h"
#include "views/address/phonebookview.h"
#include "widgetbench.h"

using namespace orv;

namespace {

using bench::BenchFolder;
using bench::LifetimeSession;
using bench::NoNavigator;

NoNavigator navigator;

// Dialogs that answer at once: Yes to every question, `file` for every file
// dialog; messages are counted.
ViewDialogs Answering(const QString& file, int& messages)
{
    ViewDialogs d;
    d.message = [&messages](QWidget*, const QString&, const QString&, const QString&) { ++messages; };
    d.ask = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons) { return QMessageBox::Yes; };
    d.openFile = [file](QWidget*, const QString&) { return file; };
    d.saveFile = [file](QWidget*, const QString& offered, const QString&, QString* selected) {
        if (selected) *selected = offered.section(QStringLiteral(";;"), 0, 0);
        return file;
    };
    return d;
}

// Accepts each modal dialog of type `Dialog` under `parent` as soon as it shows.
template <typename Dialog>
QTimer* AcceptWhenShown(QWidget* parent)
{
    auto* poll = new QTimer(parent);
    QObject::connect(poll, &QTimer::timeout, parent, [parent] {
        for (Dialog* d : parent->findChildren<Dialog*>())
            if (d->isVisible()) d->done(QDialog::Accepted);
    });
    poll->start(5);
    return poll;
}

// Runs `command` from the event loop and reports its longest stall (over all
// iterations) and its whole time; `firstLines`, when given, says when the
// first result shows.
void Measure(benchmark::State& state, const std::function<void()>& command, const std::function<bool()>& firstLines = {})
{
    double stall = 0, whole = 0, first = 0;
    for (auto _ : state) {
        bool done = false;
        QElapsedTimer clock;
        QTimer watch;
        if (firstLines) {
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (first == 0 && firstLines()) first = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            });
            watch.start(1);
        }
        QTimer::singleShot(0, [&] {
            clock.start();
            command();
            whole = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            done = true;
        });
        stall = std::max(stall, bench::LongestStallUntil([&] { return done; }));
    }
    state.counters["stall_ms"] = stall;
    state.counters["whole_ms"] = whole;
    if (firstLines) state.counters["first_lines_ms"] = first;
}

void PeriodicalSearchOf100Years(benchmark::State& state)
{
    PeriodicalView view(LifetimeSession(), navigator);
    view.resize(700, 500);
    view.show();
    const std::pair<const char*, int> dates[] = {{"ShowFromDEdit", 1}, {"ShowFromMEdit", 1}, {"ShowFromYEdit", 1970},
                                                 {"ShowToDEdit", 31},  {"ShowToMEdit", 12},  {"ShowToYEdit", 2069}};
    for (const auto& [name, value] : dates) view.findChild<QLineEdit*>(QLatin1String(name))->setText(QString::number(value));
    Measure(state, [&] { view.SB9Click(); }, [&] { return view.grid()->hasLines(); });
    state.counters["rows"] = static_cast<double>(view.grid()->lineCount());
}
BENCHMARK(PeriodicalSearchOf100Years)->Unit(benchmark::kMillisecond)->Iterations(3);

void PhoneBookSaveAsHtml(benchmark::State& state)
{
    PhoneBookView view(LifetimeSession());
    int messages = 0;
    const QString path = BenchFolder() + QStringLiteral("phone.htm");
    view.setDialogs(Answering(path, messages));
    view.setPageSource([] { return PhoneBookView::PageTexts{"#334D73", "#FFFFFF", "#FFFFFF", "500"}; });
    view.Build();
    Measure(state, [&] { view.SaveAs(); });
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
    state.counters["messages"] = messages;
}
BENCHMARK(PhoneBookSaveAsHtml)->Unit(benchmark::kMillisecond)->Iterations(3);

void IcalExportWholeCalendar(benchmark::State& state)
{
    CalendarView view(LifetimeSession(), navigator);
    int messages = 0;
    const QString path = BenchFolder() + QStringLiteral("lifetime.ics");
    view.setDialogs(Answering(path, messages));
    QTimer* accept = AcceptWhenShown<TIcalPeriod>(&view);
    Measure(state, [&] { view.ExportIcalClick(); });
    delete accept;
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}
BENCHMARK(IcalExportWholeCalendar)->Unit(benchmark::kMillisecond)->Iterations(2);

void WriteICalendar(const QString& path, const RecordStore& records, const IcalExportOptions& options)
{
    const IcalExport x = ExportICalendar(records, options);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(x.text.data(), static_cast<qint64>(x.text.size()));
}

// The import of `path` into the lifetime's calendar, its summary accepted.
void MeasureIcalImport(benchmark::State& state, const QString& path)
{
    CalendarView view(LifetimeSession(), navigator);
    int messages = 0;
    view.setDialogs(Answering(path, messages));
    QTimer* accept = AcceptWhenShown<TIcalImport>(&view);
    Measure(state, [&] { view.ImportIcalClick(); });
    delete accept;
    state.counters["calendar"] = static_cast<double>(LifetimeSession().records().calendar().size());
}

// The lifetime's own calendar read back: every event is already there, so
// the plan is the whole work and nothing is added.
void IcalImportOfItsOwnExport(benchmark::State& state)
{
    const QString path = BenchFolder() + QStringLiteral("import.ics");
    IcalExportOptions options;
    options.from = Date{1900, 1, 1};
    options.to = Date{2100, 12, 31};
    options.wholeCalendar = true;
    options.weeks = LifetimeSession().finder().dateSettings();
    WriteICalendar(path, LifetimeSession().records(), options);
    MeasureIcalImport(state, path);
}
BENCHMARK(IcalImportOfItsOwnExport)->Unit(benchmark::kMillisecond)->Iterations(2);

// 20 000 new calendar events, read, planned and added to the lifetime's.
void IcalImportOfNewEvents(benchmark::State& state)
{
    const QString path = BenchFolder() + QStringLiteral("new.ics");
    RecordStore other;
    for (int i = 0; i < 20000; ++i) {
        ACal& c = other.editCalendar().emplace_back();
        c.Day = i % 28 + 1;
        c.Month = i / 28 % 12 + 1;
        c.Year = 2030 + i % 40;
        c.Hint = "Imported event " + std::to_string(i);
    }
    IcalExportOptions options;
    options.from = Date{2030, 1, 1};
    options.to = Date{2069, 12, 31};
    options.wholeCalendar = true;
    WriteICalendar(path, other, options);
    MeasureIcalImport(state, path);
}
BENCHMARK(IcalImportOfNewEvents)->Unit(benchmark::kMillisecond)->Iterations(1);

// Last: it adds the whole address book once more (20 000 people).
void ImportAllVCardsOfTheAddressBook(benchmark::State& state)
{
    const QString path = BenchFolder() + QStringLiteral("everyone.vcf");
    {
        std::string cards;
        for (const AData& a : LifetimeSession().records().addresses()) cards += WriteVCard(FieldsOf(a), a.Uid);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) std::abort();
        file.write(cards.data(), static_cast<qint64>(cards.size()));
    }
    AddressView view(LifetimeSession(), navigator);
    int messages = 0;
    view.setDialogs(Answering(path, messages));
    Measure(state, [&] { view.ImportAllVCards(); });
    state.counters["people"] = static_cast<double>(LifetimeSession().records().addresses().size());
}
BENCHMARK(ImportAllVCardsOfTheAddressBook)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

namespace {
// What a copy of the lists costs the window's thread, for the commands that
// hand their work a copy.
void CopyOfTheLists(benchmark::State& state)
{
    const RecordStore& records = LifetimeSession().records();
    for (auto _ : state) {
        RecordStore copy = records;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(CopyOfTheLists)->Unit(benchmark::kMillisecond);
}  // namespace
