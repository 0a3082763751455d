// Speed of what the event pages ask of the engine on the workload "a lifetime":
// the day list of a clicked day, a month calendar, the upcoming dates of an
// event being typed and the line count that guards the periodical search.
#include <benchmark/benchmark.h>

#include "engine/dayviews.h"
#include "engine/periodlines.h"
#include "engine/upcoming.h"
#include "lifetime.h"

using namespace orv;

namespace {

// One click on a day: the calendar view's whole day list, advanced included.
void DayListOfAClickedDay(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    DayList(finder, Date{2026, 12, 6}, true);  // warm the indexes
    Date day{2026, 1, 1};
    std::size_t rows = 0;
    for (auto _ : state) {
        const OccurrenceTable t = DayList(finder, day, true);
        rows = t.size();
        benchmark::DoNotOptimize(rows);
        day = NextDate(day);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(DayListOfAClickedDay)->Unit(benchmark::kMicrosecond);

void MonthCalendarFill(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    MonthRows(finder, 2026, 12, MonthFilter::All, true);
    const auto filter = static_cast<MonthFilter>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(MonthRows(finder, 2026, 12, filter, true));
}
BENCHMARK(MonthCalendarFill)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void PeriodicalLineCount100Years(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    std::uint64_t lines = 0;
    for (auto _ : state) {
        lines = PeriodicalLineCount(finder, TypedDate{1970, 1, 1}, TypedDate{2069, 12, 31}, true, true);
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(PeriodicalLineCount100Years)->Unit(benchmark::kMillisecond);

// The preview under the weekly editor's fields while a week list is typed: a
// list naming week 53 under "First full week" has to look years ahead.
void UpcomingDatesOfAWeekList(benchmark::State& state)
{
    const AWeek event{2, "53", "Bins"};
    const DateSettings settings{1, 0, false};
    for (auto _ : state) {
        benchmark::DoNotOptimize(NextOccurrences(event, Date{2026, 12, 6}, 5, settings));
        benchmark::DoNotOptimize(CheckWeekList(event.WeekNr, 2026, settings));
    }
}
BENCHMARK(UpcomingDatesOfAWeekList)->Unit(benchmark::kMillisecond);

}  // namespace
