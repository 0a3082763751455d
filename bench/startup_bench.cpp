// The whole program on the workload "a lifetime", offscreen: from the start
// of the program object until the main window has painted today's overview,
// and how long "Update" holds the window's thread. The process's own start
// (libraries, QApplication) is left to bench/startup-time. Run the release
// build: build/release/bench/orv-bench-startup
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "lifetime.h"
#include "shell/orvapp.h"
#include "shell/tdata.h"
#include "views/today/overviewview.h"
#include "widgetbench.h"

using namespace orv;

namespace {

// A data folder of its own (the program writes to it) and a settings file
// saved before, so that no first-start dialog waits for a person.
struct Folder {
    std::string data, settings;
};

const Folder& LifetimeFolder()
{
    static const Folder folder = [] {
        const QString root = bench::BenchFolder() + QStringLiteral("program/");
        QDir().mkpath(root + QStringLiteral("data"));
        Folder f{(root + QStringLiteral("data/")).toStdString(), (root + QStringLiteral("settings.reg")).toStdString()};
        if (!bench::WriteLifetime(bench::SharedLifetime(), f.data)) std::abort();
        QFile settings(QString::fromStdString(f.settings));
        if (!settings.open(QIODevice::WriteOnly)) std::abort();
        settings.write("Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n\"saved1\"=dword:00000001\r\n");
        return f;
    }();
    return folder;
}

std::unique_ptr<OrvApp> MakeApp()
{
    const Folder& f = LifetimeFolder();
    OrvApp::Options options;
    options.dataFolder = f.data;
    options.settingsFile = f.settings;
    options.now = [] { return QDateTime(QDate(2026, 12, 6), QTime(10, 0)); };
    options.splash = false;
    auto app = std::make_unique<OrvApp>(options);
    app->showMessage = [](const QString&, const QString&) {};
    return app;
}

// Notes the first paint of the overview panel.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("PP11")) painted = true;
        return false;
    }
};

// Lets the event loop run for two seconds; the longest stall meanwhile.
double SettleMs()
{
    QElapsedTimer clock;
    clock.start();
    return bench::LongestStallUntil([&] { return clock.elapsed() > 2000; });
}

void StartToFirstPaint(benchmark::State& state)
{
    LifetimeFolder();
    double start = 0, stall = 0;
    for (auto _ : state) {
        PaintWatch watch;
        qApp->installEventFilter(&watch);
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<OrvApp> app = MakeApp();
        app->Start();
        const double started = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        while (!watch.painted && clock.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        start += started;
        // The work left for the event loop after the paint: the longest stall it caused.
        stall = std::max(stall, SettleMs());
        qApp->removeEventFilter(&watch);
        state.PauseTiming();
        app.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["Start_ms"] = benchmark::Counter(start, benchmark::Counter::kAvgIterations);
    state.counters["after_paint_stall_ms"] = stall;
}
BENCHMARK(StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// "Update": save all, read the settings and to-do lists again, rebuild the
// views. The save's own share is timed alone beside it.
void UpdateOnWindowThread(benchmark::State& state)
{
    std::unique_ptr<OrvApp> app = MakeApp();
    app->Start();
    SettleMs();
    double save = 0, rebuild = 0, stall = 0;
    for (auto _ : state) {
        state.SetIterationTime(bench::MsOnWindowThread([&] { app->Update(); }) / 1e3);
        stall = std::max(stall, SettleMs());
        // Its two steps alone: the save, which is to become a queue for a
        // writer beside the window, and the rebuild of the views.
        save += bench::MsOnWindowThread([&] { app->SaveAll(); });
        rebuild += bench::MsOnWindowThread([&] { app->Initialise(orv::OrvApp::Occasion::Update); });
        stall = std::max(stall, SettleMs());
    }
    state.counters["SaveAll_ms"] = benchmark::Counter(save, benchmark::Counter::kAvgIterations);
    state.counters["rebuild_ms"] = benchmark::Counter(rebuild, benchmark::Counter::kAvgIterations);
    state.counters["after_update_stall_ms"] = stall;
}
BENCHMARK(UpdateOnWindowThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
