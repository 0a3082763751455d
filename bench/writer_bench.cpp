// The commands that save a data file, on the whole program over the lifetime
// workload, offscreen: how long each holds the window's thread (the time
// reported), and the longest stall of the event loop while its write goes on
// beside the window (the counter "stall_ms").
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "shell/orvapp.h"
#include "shell/tdata.h"
#include "views/address/addressview.h"
#include "views/events/calendarview.h"
#include "views/events/tnewcal.h"
#include "widgetbench.h"

namespace orv::bench {
namespace {

// Built on a program whose files are written beside it, and on one (before
// that) whose saves return when the file is written.
#if __has_include("store/datawriter.h")
bool WritesDone(OrvApp& app) { return app.session().writer().Idle(); }
#else
bool WritesDone(OrvApp&) { return true; }
#endif

OrvApp& Program()
{
    static OrvApp* app = [] {
        LifetimeSession();  // writes the lifetime's files
        const QString settings = BenchFolder() + QStringLiteral("program.reg");
        QFile f(settings);
        if (!f.open(QIODevice::WriteOnly)) std::abort();
        f.write("Windows Registry Editor Version 5.00\r\n\r\n"
                "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n\"saved1\"=dword:00000001\r\n\r\n");
        f.close();
        OrvApp::Options options;
        options.dataFolder = (BenchFolder() + QStringLiteral("data/")).toStdString();
        options.settingsFile = settings.toStdString();
        options.now = [] { return QDateTime(QDate(kBenchToday.Year, kBenchToday.Month, kBenchToday.Day), QTime(10, 0)); };
        options.splash = false;
        auto* program = new OrvApp(options);
        program->showMessage = [](const QString&, const QString& text) { qWarning("%s", qPrintable(text)); };
        program->Start();
        return program;
    }();
    return *app;
}

// Times `command` on the window's thread, then lets its write end while the
// event loop runs.
void Measure(benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& command)
{
    OrvApp& app = Program();
    double stall = 0;
    for (auto _ : state) {
        prepare();
        state.SetIterationTime(MsOnWindowThread(command) / 1000.0);
        stall = std::max(stall, LongestStallUntil([&] { return WritesDone(app); }));
    }
    state.counters["stall_ms"] = stall;
}

void NewCalendarEventOk(benchmark::State& state)
{
    CalendarView* calendar = Program().data()->calendarView();
    TNewCal* dialog = calendar->newCal();
    Measure(
        state,
        [&] {
            calendar->GoTo(Date{2026, 12, 24});
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Carols"));
        },
        [&] { dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); });
}
BENCHMARK(NewCalendarEventOk)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void CalendarDelete(benchmark::State& state)
{
    CalendarView* calendar = Program().data()->calendarView();
    TNewCal* dialog = calendar->newCal();
    Measure(
        state,
        [&] {
            // An event of its own to delete, stored (and written) first.
            calendar->GoTo(Date{2026, 12, 27});
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Skating"));
            dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            LongestStallUntil([] { return WritesDone(Program()); });
        },
        [&] { calendar->DeleteEvent(); });
}
BENCHMARK(CalendarDelete)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void AddressBookPost(benchmark::State& state)
{
    AddressView* book = Program().data()->addressView();
    int n = 0;
    Measure(
        state, [&] { book->findChild<QLineEdit*>(QStringLiteral("DataEdit3"))->setText(QStringLiteral("Street %1").arg(++n)); },
        [&] { book->findChild<QPushButton*>(QStringLiteral("DataPost"))->click(); });
}
BENCHMARK(AddressBookPost)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void HideWithNothingToWrite(benchmark::State& state)
{
    Measure(state, [] { Program().data()->ShowMainWindow(); }, [] { Program().Hide(); });
}
BENCHMARK(HideWithNothingToWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace orv::bench

namespace orv::bench {
namespace {

#if __has_include("store/datawriter.h")
// The saving's own part of a command on the window's thread: the identities
// and the copy of the calendar's 200 000 events handed to the writer.
void CalendarHandOver(benchmark::State& state)
{
    OrvApp& app = Program();
    for (auto _ : state) {
        app.session().records().editCalendar();
        state.SetIterationTime(MsOnWindowThread([&] { app.session().SaveDataFile(DataKind::Calendar, {}); }) / 1000.0);
        LongestStallUntil([&] { return WritesDone(app); });
    }
}
BENCHMARK(CalendarHandOver)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace
}  // namespace orv::bench
