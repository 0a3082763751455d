// The address book's views on the workload "a lifetime" (20 000 people): one
// keystroke in the people search, from the changed text to the result list
// painted again, and the phone book built at start. Run the release build:
//   build/release/bench/orv-bench-address
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>

#include "core/session.h"
#include "nonavigator.h"
#include "views/address/peoplesearchview.h"
#include "views/address/phonebookview.h"
#include "widgetbench.h"

using namespace orv;

namespace {

using bench::LifetimeSession;
using bench::NoNavigator;

// Typing "a", "an", "ann", "anna" one key after the other (range 1..4), and
// the first key into an empty field, which lists everyone first (range 0).
void PeopleSearchKeystrokeRepaint(benchmark::State& state)
{
    NoNavigator navigator;
    PeopleSearchView view(LifetimeSession(), navigator);
    view.resize(700, 500);
    view.show();
    auto* edit = view.findChild<QLineEdit*>(QStringLiteral("NewSearchEdit"));
    auto* list = view.findChild<QListView*>(QStringLiteral("ResultListBox"));
    const QString texts[] = {QString(), QStringLiteral("a"), QStringLiteral("an"), QStringLiteral("ann"), QStringLiteral("anna")};
    const auto n = static_cast<std::size_t>(state.range(0));
    const QString before = n == 0 ? QStringLiteral("x") : texts[n - 1];
    const QString after = n == 0 ? QString() : texts[n];
    for (auto _ : state) {
        state.PauseTiming();
        edit->setText(before);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        edit->setText(after);
        list->viewport()->repaint();
    }
    state.counters["results"] = list->model()->rowCount();
}
BENCHMARK(PeopleSearchKeystrokeRepaint)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The whole build, until the rows are in the grid.
void PhoneBookBuild(benchmark::State& state)
{
    PhoneBookView view(LifetimeSession());
    for (auto _ : state) {
        view.Build();
        benchmark::DoNotOptimize(view.rows().size());
    }
    state.counters["rows"] = static_cast<double>(view.rows().size());
}
BENCHMARK(PhoneBookBuild)->Unit(benchmark::kMillisecond);

// The window's share of it: the copy handed to the worker that sorts.
void PhoneBookBuildOnWindowThread(benchmark::State& state)
{
    PhoneBookView view(LifetimeSession());
    for (auto _ : state) {
        state.SetIterationTime(bench::MsOnWindowThread([&] { view.Build(); }) / 1e3);
        benchmark::DoNotOptimize(view.rows().size());
    }
}
BENCHMARK(PhoneBookBuildOnWindowThread)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
