// Speed of the event pages themselves on the workload "a lifetime", widgets
// included (offscreen): a click on a day in the calendar, a month calendar
// build and a periodical search of 100 years into its grid. Run the release
// build: build/release/bench/orv-bench-views
#include <benchmark/benchmark.h>

#include <QLineEdit>

#include "core/session.h"
#include "nonavigator.h"
#include "views/events/calendarview.h"
#include "views/today/eventgrid.h"
#include "views/events/monthcalendarview.h"
#include "views/events/tmycal.h"
#include "views/events/periodicalview.h"
#include "widgetbench.h"

using namespace orv;

namespace {

using bench::LifetimeSession;
using bench::NoNavigator;

NoNavigator navigator;

void CalendarClickOnADay(benchmark::State& state)
{
    CalendarView view(LifetimeSession(), navigator);
    view.ApplySettings();
    view.GoTo(bench::kBenchToday);
    for (auto _ : state) view.calendar()->NextDay();  // the click and the refresh of the day it raises
    state.counters["rows"] = static_cast<double>(view.dayList()->table().size());
}
BENCHMARK(CalendarClickOnADay)->Unit(benchmark::kMicrosecond);

void MonthCalendarBuild(benchmark::State& state)
{
    MonthCalendarView view(LifetimeSession(), navigator);
    for (auto _ : state) view.Build();
}
BENCHMARK(MonthCalendarBuild)->Unit(benchmark::kMillisecond);

void PeriodicalSearchOf100Years(benchmark::State& state)
{
    PeriodicalView view(LifetimeSession(), navigator);
    const std::pair<const char*, int> dates[] = {{"ShowFromDEdit", 1},  {"ShowFromMEdit", 1},  {"ShowFromYEdit", 1970},
                                                 {"ShowToDEdit", 31},   {"ShowToMEdit", 12},   {"ShowToYEdit", 2069}};
    for (const auto& [name, value] : dates) view.findChild<QLineEdit*>(QLatin1String(name))->setText(QString::number(value));
    for (auto _ : state) view.SB9Click();
    state.counters["rows"] = static_cast<double>(view.grid()->lineCount());
}
BENCHMARK(PeriodicalSearchOf100Years)->Unit(benchmark::kMillisecond);

}  // namespace
