// Speed of the exchange formats on the address book of "a lifetime" (20 000
// persons). Run the release build:
//   cmake --preset release && cmake --build --preset release && build/release/bench/orv-exchange-bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "exchange/lists/datalist.h"
#include "exchange/letters/letter.h"
#include "exchange/lists/semicolon.h"
#include "exchange/sheets/spreadsheet.h"
#include "lifetime.h"

using namespace orv;

namespace {

const DataList& EveryPerson()
{
    static const DataList list = [] {
        bench::Lifetime data;
        bench::MakeLifetime(data);
        DataList l;
        l.WriteAll(data.store.addresses(), {.country = true, .phone = true});
        return l;
    }();
    return list;
}

const std::string& Folder()
{
    static const std::string folder = [] {
        char tmpl[] = "/tmp/orv-exchange-bench-XXXXXX";
        return std::string(mkdtemp(tmpl)) + "/";
    }();
    return folder;
}

// "Write all" of the whole address book into the data list.
void WriteAllToDataList(benchmark::State& state)
{
    bench::Lifetime data;
    bench::MakeLifetime(data);
    for (auto _ : state) {
        DataList list;
        list.WriteAll(data.store.addresses(), {});
        benchmark::DoNotOptimize(list.ExportRows().size());
    }
}
BENCHMARK(WriteAllToDataList)->Unit(benchmark::kMillisecond);

// "Save in file" as a spreadsheet: 20 001 rows of 11 text cells.
void ExportXlsx(benchmark::State& state)
{
    const std::string path = Folder() + "export.xlsx";
    for (auto _ : state) {
        if (!WriteXlsx(path, EveryPerson().ExportRows()).ok) state.SkipWithError("write failed");
    }
    state.counters["rows"] = static_cast<double>(EveryPerson().ExportRows().size());
}
BENCHMARK(ExportXlsx)->Unit(benchmark::kMillisecond);

// The import reading that file back ("Excel", the whole used area).
void ImportXlsx(benchmark::State& state)
{
    const std::string path = Folder() + "import.xlsx";
    if (!WriteXlsx(path, EveryPerson().ExportRows()).ok) state.SkipWithError("write failed");
    for (auto _ : state) {
        const TableResult read = ReadSpreadsheetFile(path);
        if (!read.ok || read.table.RowCount() != EveryPerson().ExportRows().size()) state.SkipWithError("read failed");
    }
}
BENCHMARK(ImportXlsx)->Unit(benchmark::kMillisecond);

// "Data in text-file" written and read back.
void SemicolonRoundTrip(benchmark::State& state)
{
    for (auto _ : state) {
        const std::string text = SerializeSemicolonText(EveryPerson().ExportRows());
        benchmark::DoNotOptimize(ReadSemicolonText(text, "bench.txt").table.RowCount());
    }
}
BENCHMARK(SemicolonRoundTrip)->Unit(benchmark::kMillisecond);

// "Print Letter": one merged letter per person of the list.
void MergeLetterForEveryPerson(benchmark::State& state)
{
    RichDocument letter;
    letter.paragraphs.resize(8);
    CharFormat f;
    f.font = "Liberation Serif";
    f.halfPoints = 24;
    letter.paragraphs[0].Append("{fn} {sn}", f);
    letter.paragraphs[1].Append("{ad}", f);
    letter.paragraphs[2].Append("{ci}", f);
    letter.paragraphs[4].Append("Dear {fn},", f);
    letter.paragraphs[5].Append(std::string(400, 'x') + " {em} " + std::string(400, 'y'), f);
    for (auto _ : state) {
        for (const LetterRow& row : EveryPerson().LetterRows()) benchmark::DoNotOptimize(MergeLetter(letter, row));
    }
}
BENCHMARK(MergeLetterForEveryPerson)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
