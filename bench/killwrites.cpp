// Kills a program that saves its data files in a loop, with SIGKILL, at random
// moments, many times over; after each kill every file must be whole: one of
// the two versions the program alternates between, and readable.
//
//     orv-kill-writes [ROUNDS]        (default 250)
//
// Prints the rounds, how many kills hit a write (a temporary left behind) and
// every file found broken; exits 1 when any was.
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "store/dataformat.h"
#include "store/datafile.h"
#include "store/datawriter.h"

namespace {

using namespace orv;

// Version 0 or 1 of every list; the two differ in every file.
RecordStore Version(int v)
{
    RecordStore s;
    for (int n = 0; n < 3000 + v; ++n) {
        AData a;
        a.Name = "Name" + std::to_string(n);
        a.Surname = "Surname" + std::to_string(v);
        a.Address = "Long Street " + std::to_string(n * 7);
        s.editAddresses().push_back(a);
        ACal c;
        c.Hint = "Event " + std::to_string(n) + " of version " + std::to_string(v);
        c.Day = 1 + n % 28, c.Month = 1 + n % 12, c.Year = 2000 + n % 50;
        EncodeCalendarDate(c);
        s.editCalendar().push_back(c);
    }
    for (int n = 0; n < 50 + v; ++n) {
        AAdv d;
        d.Down = 1 + n % 5, d.Month = "May", d.Day = "Monday", d.Hint = "Adv " + std::to_string(n);
        s.editAdvanced().push_back(d);
        AYear y;
        y.Day = 1 + n % 28, y.Month = 1 + n % 12, y.Hint = "Year " + std::to_string(n);
        s.editAnnual().push_back(y);
        AMonth m;
        m.Day = 1 + n % 28, m.Hint = "Month " + std::to_string(n);
        s.editMonthly().push_back(m);
        AWeek w;
        w.Weekday = 1 + n % 7, w.Hint = "Week " + std::to_string(n);
        s.editWeekly().push_back(w);
    }
    for (const DataKind kind : AllDataKinds) s.AssignUids(kind);
    return s;
}

[[noreturn]] void SaveForever(const std::string& folder, const std::array<RecordStore, 2>& versions)
{
    DataFiles files(folder);
    RecordStore loaded;
    files.LoadAll(loaded);
    DataWriter writer(files);
    // Version 1 first: the files start as version 0.
    for (int i = 1;; ++i) {
        for (const DataKind kind : AllDataKinds) writer.Queue(kind, versions[static_cast<std::size_t>(i % 2)]);
        writer.WaitIdle();
        writer.TakeDone();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 250;
    std::string pattern = (std::filesystem::temp_directory_path() / "orv-kill-writes-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const std::string folder = pattern + "/";
    const std::array<RecordStore, 2> versions{Version(0), Version(1)};
    std::array<std::array<std::string, 2>, 6> texts;
    for (const DataKind kind : AllDataKinds)
        for (std::size_t v = 0; v < 2; ++v) texts[static_cast<std::size_t>(kind)][v] = SerializeDataText(kind, versions[v]);
    {
        DataFiles files(folder);
        RecordStore first = versions[0];
        files.SaveAll(first);
    }

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayUs(1000, 300000);
    int hitWrites = 0, broken = 0;
    std::array<int, 2> seen{};
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        if (child < 0) return 2;
        if (child == 0) SaveForever(folder, versions);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::vector<std::string> stale = RemoveStaleTemporaries(folder, DataFiles::MainFileNames());
        if (!stale.empty()) ++hitWrites;
        DataFiles files(folder);
        RecordStore loaded;
        for (const DataKind kind : AllDataKinds) {
            const std::size_t i = static_cast<std::size_t>(kind);
            const std::string content = ReadWholeFile(files.MainPath(kind)).content;
            const LoadReport load = files.Load(kind, loaded);
            const bool known = content == texts[i][0] || content == texts[i][1];
            if (known) ++seen[content == texts[i][0] ? 0 : 1];
            if (!known || !load.whole) {
                ++broken;
                std::printf("round %d: %s is %s\n", round + 1, std::string(DataFileName(kind)).c_str(),
                            known ? "not readable" : "neither the old nor the new version");
            }
        }
    }
    std::filesystem::remove_all(folder);
    std::printf("%d rounds killed with SIGKILL, %d of them during a write (a temporary left behind);\n"
                "files found whole: %d as version 0, %d as version 1; broken: %d\n",
                rounds, hitWrites, seen[0], seen[1], broken);
    return broken == 0 ? 0 : 1;
}
