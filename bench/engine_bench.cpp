// Speed of the engine on the workload "a lifetime". Run the release build:
//   cmake --preset release && cmake --build --preset release && build/release/bench/orv-bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "engine/nameorder.h"
#include "engine/overview.h"
#include "engine/peoplesearch.h"
#include "engine/periodical.h"
#include "lifetime.h"
#include "store/datafile.h"

using namespace orv;

namespace {

const std::string& WorkloadFolder()
{
    static const std::string folder = [] {
        char tmpl[] = "/tmp/orv-bench-XXXXXX";
        std::string f = std::string(mkdtemp(tmpl)) + "/";
        if (!bench::WriteLifetime(bench::SharedLifetime(), f)) std::abort();
        return f;
    }();
    return folder;
}

const Date kToday{2026, 12, 6};

void LoadAllDataFiles(benchmark::State& state)
{
    const std::string& folder = WorkloadFolder();
    for (auto _ : state) {
        RecordStore store;
        DataFiles files(folder);
        benchmark::DoNotOptimize(files.LoadAll(store));
        benchmark::DoNotOptimize(store.calendar().size());
    }
}
BENCHMARK(LoadAllDataFiles)->Unit(benchmark::kMillisecond);

void SaveAllDataFiles(benchmark::State& state)
{
    char tmpl[] = "/tmp/orv-bench-save-XXXXXX";
    const std::string folder = std::string(mkdtemp(tmpl)) + "/";
    DataFiles files(folder);
    RecordStore store = bench::SharedLifetime().store;
    for (auto _ : state) benchmark::DoNotOptimize(files.SaveAll(store));
    std::filesystem::remove_all(folder);
}
BENCHMARK(SaveAllDataFiles)->Unit(benchmark::kMillisecond);

// The first query builds the indexes; every query after a change rebuilds the changed part.
void BuildIndexes(benchmark::State& state)
{
    for (auto _ : state) {
        EventFinder finder(bench::SharedLifetime().store);
        OccurrenceTable t;
        finder.FindEvent(kToday, {}, EventOptions{}, t);
        finder.FindBirthday(kToday, {}, Age::Shown, t);
        finder.FindRecurrent(kToday, {}, RecurrentKinds{}, t);
        finder.FindRecAvd(kToday, {}, t);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BuildIndexes)->Unit(benchmark::kMillisecond);

void BuildOverview99Days(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    OverviewSettings settings;
    settings.NextWeek = 99;
    settings.WeeklyAllDays = true;
    const auto& todos = bench::SharedLifetime().todos;
    const OverviewTodos lists{&todos.Top, &todos.TodayEveryDay, &todos.Bottom};
    BuildOverview(finder, kToday, settings, lists);  // warm the indexes
    std::size_t rows = 0;
    for (auto _ : state) {
        const Overview o = BuildOverview(finder, kToday, settings, lists);
        rows = o.Today.size() + o.Tomorrow.size() + o.Next.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BuildOverview99Days)->Unit(benchmark::kMillisecond);

void PeriodicalSearch100Years(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    PeriodicalSearch(finder, TypedDate{1990, 1, 1}, TypedDate{1990, 1, 2}, true, true);  // warm the indexes
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto r = PeriodicalSearch(finder, TypedDate{1970, 1, 1}, TypedDate{2069, 12, 31}, true, true);
        rows = r.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(PeriodicalSearch100Years)->Unit(benchmark::kMillisecond);

void PeopleSearchKeystroke(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    SearchPeople(finder.index(), SearchField::FirstName, "");  // warm the sorted order
    const char* texts[] = {"", "a", "an", "ann", "anna"};
    const char* text = texts[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(SearchPeople(finder.index(), SearchField::FirstName, text));
}
BENCHMARK(PeopleSearchKeystroke)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void PeopleSearchByTelephone(benchmark::State& state)
{
    EventFinder finder(bench::SharedLifetime().store);
    SearchPeople(finder.index(), SearchField::Telephone, "");
    for (auto _ : state) benchmark::DoNotOptimize(SearchPeople(finder.index(), SearchField::Telephone, "12 3"));
}
BENCHMARK(PeopleSearchByTelephone)->Unit(benchmark::kMillisecond);

// The lifetime's people with every tenth first name as an older file stores
// it (Windows-1252 "Jos\xE9"), so that a search decodes some texts.
const RecordStore& MixedEncodings()
{
    static const RecordStore store = [] {
        RecordStore s;
        s.editAddresses() = bench::SharedLifetime().store.addresses();
        auto& list = s.editAddresses();
        for (std::size_t i = 0; i < list.size(); i += 10) list[i].Name = "Jos\xE9";
        return s;
    }();
    return store;
}

void PeopleSearchKeystrokeMixedEncodings(benchmark::State& state)
{
    EventFinder finder(MixedEncodings());
    SearchPeople(finder.index(), SearchField::FirstName, "");
    const char* texts[] = {"", "j", "jo", "jos", "jos\xC3\xA9"};
    const char* text = texts[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(SearchPeople(finder.index(), SearchField::FirstName, text));
}
BENCHMARK(PeopleSearchKeystrokeMixedEncodings)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The first search after the address list changed builds the name order again.
void PeopleNameOrder(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(PeopleInNameOrder(MixedEncodings().addresses()));
}
BENCHMARK(PeopleNameOrder)->Unit(benchmark::kMillisecond);

// A post changes one record; the list is sorted again keeping the current one.
void SortAddressesAfterPost(benchmark::State& state)
{
    RecordStore store;
    store.editAddresses() = bench::SharedLifetime().store.addresses();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto& list = store.editAddresses();
        store.CurrentAddress = static_cast<int>((step * 7919) % list.size());
        AData& a = list[static_cast<std::size_t>(store.CurrentAddress)];
        a.Day = 1 + step % 28;
        a.Month = 1 + step % 12;
        BuildDateText(a);
        ++step;
        state.ResumeTiming();
        store.SortAddresses();
    }
}
BENCHMARK(SortAddressesAfterPost)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
