// The writer thread of the data files: order, coalescing, and nothing lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "store/datawriter.h"
#include "gate.h"
#include "storetest.h"

namespace orv {
namespace {

RecordStore Weekdays(int count, const std::string& hint)
{
    RecordStore copy;
    for (int n = 0; n < count; ++n) {
        AWeek w;
        w.Hint = hint + std::to_string(n);
        w.Weekday = 1 + n % 7;
        copy.editWeekly().push_back(w);
    }
    copy.AssignUids(DataKind::Weekly);
    return copy;
}

std::vector<std::string> ReloadedWeekly(const std::string& folder)
{
    RecordStore again;
    DataFiles files(folder);
    EXPECT_TRUE(files.Load(DataKind::Weekly, again).ok);
    std::vector<std::string> hints;
    for (const AWeek& w : again.weekly()) hints.push_back(w.Hint);
    return hints;
}

TEST(DataWriterTest, CopiesQueuedDuringAWriteBecomeOneWriteOfTheNewestAndEndingWritesWhatIsStillQueued)
{
    test::TempFolder folder;
    DataFiles files(folder.path());
    RecordStore loaded;
    files.LoadAll(loaded);
    test::Gate gate;
    auto writer = std::make_unique<DataWriter>(files);
    writer->SetBeforeWrite([&](DataKind) { gate.Enter(); });

    std::vector<std::uint64_t> tickets{writer->Queue(DataKind::Weekly, Weekdays(1, "first"))};
    gate.WaitInside();
    // The edits go on while the file is being written: each hands over a newer copy.
    for (int n = 2; n <= 40; ++n) tickets.push_back(writer->Queue(DataKind::Weekly, Weekdays(n, "w")));
    const std::uint64_t annual = writer->Queue(DataKind::Annual, RecordStore());
    tickets.push_back(writer->Queue(DataKind::Weekly, Weekdays(3, "newest")));
    EXPECT_FALSE(writer->Idle());
    EXPECT_FALSE(std::filesystem::exists(folder / "week.orv"));
    gate.Open();
    writer->WaitIdle();

    // The first copy, then the newest (queued first, so before the annual list); never one between.
    const std::vector<DataWriter::Done> done = writer->TakeDone();
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(done[0].ticket, tickets.front());
    EXPECT_EQ(done[1].kind, DataKind::Weekly);
    EXPECT_EQ(done[1].ticket, tickets.back());
    EXPECT_EQ(done[2].ticket, annual);
    for (const DataWriter::Done& d : done) EXPECT_TRUE(d.report.ok) << d.report.message;
    EXPECT_EQ(ReloadedWeekly(folder.path()), (std::vector<std::string>{"newest0", "newest1", "newest2"}));
    EXPECT_TRUE(std::filesystem::exists(folder / "year.orv"));

    // Ending the writer writes what is still queued.
    for (int n = 1; n <= 5; ++n) writer->Queue(DataKind::Weekly, Weekdays(n, "w"));
    writer.reset();
    EXPECT_EQ(ReloadedWeekly(folder.path()).size(), 5u);
}

}  // namespace
}  // namespace orv
