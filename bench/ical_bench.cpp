// Speed of the iCalendar export and import on the workload "a lifetime":
//   cmake --preset release && cmake --build --preset release --target orv-bench-ical
//   build/release/bench/orv-bench-ical
#include <benchmark/benchmark.h>

#include "exchange/ical/icalexport.h"
#include "exchange/ical/icalimport.h"
#include "lifetime.h"

using namespace orv;

namespace {

IcalExportOptions ExportOptions()
{
    IcalExportOptions o;
    o.from = Date{2026, 1, 1};
    o.to = Date{2027, 12, 31};
    o.wholeCalendar = true;
    o.stamp = 1796515200;
    return o;
}

const std::string& Exported()
{
    static const std::string text = ExportICalendar(bench::SharedLifetime().store, ExportOptions()).text;
    return text;
}

IcalImportOptions ImportOptions()
{
    IcalImportOptions o;
    o.today = Date{2026, 12, 6};
    o.from = Date{2026, 1, 1};
    o.to = Date{2027, 12, 31};
    return o;
}

// Every calendar event, recurrent event and birthday of a lifetime into one file.
void BM_ExportLifetime(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(ExportICalendar(bench::SharedLifetime().store, ExportOptions()).events);
    state.counters["bytes"] = static_cast<double>(Exported().size());
}
BENCHMARK(BM_ExportLifetime)->Unit(benchmark::kMillisecond);

// That file read back into an empty ORV: everything is new.
void BM_PlanImportIntoEmpty(benchmark::State& state)
{
    const RecordStore empty;
    for (auto _ : state) benchmark::DoNotOptimize(PlanICalendarImport(Exported(), empty, ImportOptions()).plan.calendar.size());
}
BENCHMARK(BM_PlanImportIntoEmpty)->Unit(benchmark::kMillisecond);

// The same file into the ORV it came from: everything is found already there.
void BM_PlanImportIntoSame(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PlanICalendarImport(Exported(), bench::SharedLifetime().store, ImportOptions()).plan.skipped.size());
}
BENCHMARK(BM_PlanImportIntoSame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
