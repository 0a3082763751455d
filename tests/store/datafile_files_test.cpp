// Loading and saving the data files in a folder: failures, aside copies, backups.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "store/datafile.h"
#include "storetest.h"

namespace orv {
namespace {

using test::CrLf;
using test::Listing;
using test::ReadFile;
using test::WriteFile;

constexpr std::time_t Stamp = 1796558399;  // 2026-12-06 11:59:59 UTC

class DataFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The aside copies are named in local time: fix the zone for exact names.
        setenv("TZ", "UTC", 1);
        tzset();
    }

    std::string Path(const std::string& name) const { return folder / name; }

    static std::string Sample(DataKind kind)
    {
        return ReadFile(std::string(ORV_STORE_TEST_DATA "/worked/") + std::string(DataFileName(kind)));
    }

    test::TempFolder folder;
    DataFiles files{folder.path(), [] { return Stamp; }};
};

const std::string CalHeader = "<BEGIN:CAL:FILE:VERSION>3.0";
const std::string BadCalendar = CrLf({CalHeader, "<BEGIN>", "<HINT>kept", "<DAY>1", "<MONTH>2", "<YEAR>2003", "<END>",
                                      "<BEGIN>", "<HINT>lost", "<DAY>x", "<MONTH>2", "<YEAR>2003", "<END>", "<BEGIN>",
                                      "<HINT>never read", "<DAY>1", "<MONTH>2", "<YEAR>2003", "<END>", "<END:FILE>"});

// That missing files load nothing, without a failure, is the orv-cli case
// tests/data/cli/empty.
TEST_F(DataFilesTest, TheFirstSaveCreatesTheMissingFilesAndTheirFolder)
{
    const std::string data = folder / "a/b/orv";
    DataFiles nested(data, [] { return Stamp; });
    RecordStore store;
    nested.LoadAll(store);
    for (const SaveReport& r : nested.SaveAll(store)) EXPECT_TRUE(r.ok) << r.message;
    // Nothing else: no temporary file is left behind by the atomic writes.
    EXPECT_EQ(Listing(data), (std::set<std::string>{"data.orv", "cal.orv", "adv.orv", "year.orv", "month.orv", "week.orv"}));
    EXPECT_EQ(ReadFile(data + "/cal.orv"), CalHeader + "\r\n<END:FILE>\r\n");
}

// A file failing half way beside others that load is the orv-cli case
// tests/data/cli/broken: its records before the failure stay, the others load.
TEST_F(DataFilesTest, SomeFilesLoadTogetherAppendedInTheOrderAskedAndAddressesSorted)
{
    WriteFile(Path("year.orv"), Sample(DataKind::Annual));
    WriteFile(Path("data.orv"), CrLf({"<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN>", "<NAME>Zoe", "<DAY>2", "<MONTH>1",
                                      "<END>", "<BEGIN>", "<NAME>adam", "<DAY>2", "<MONTH>1", "<END>", "<BEGIN>",
                                      "<NAME>Nobirthday", "<END>"}));
    RecordStore some;
    some.editAnnual().push_back({1, 1, "", "there before"});
    const DataKind kinds[] = {DataKind::Weekly, DataKind::Annual, DataKind::Addresses};
    const std::vector<LoadReport> partly = files.Load(kinds, some);
    ASSERT_EQ(partly.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(partly[i].kind, kinds[i]);
        EXPECT_TRUE(partly[i].ok) << partly[i].message;
    }
    ASSERT_EQ(some.annual().size(), 2u);
    EXPECT_EQ(some.annual()[0].Hint, "there before");
    std::vector<std::string> names;
    for (const AData& a : some.addresses()) names.push_back(a.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Nobirthday", "Zoe", "adam"}));
}

TEST_F(DataFilesTest, AFileNotLoadedOrThatCannotBeReadIsNotReplaced)
{
    WriteFile(Path("week.orv"), Sample(DataKind::Weekly));
    RecordStore store;
    const SaveReport refused = files.Save(DataKind::Weekly, store);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "'week.orv' was not read, so it was not replaced");
    EXPECT_EQ(ReadFile(Path("week.orv")), Sample(DataKind::Weekly));

    // A link to itself cannot be opened, by the owner or by root: it fails
    // alone (with the system's text, which the settings store's test checks).
    std::filesystem::create_symlink("month.orv", Path("month.orv"));
    EXPECT_FALSE(files.LoadAll(store)[4].ok);

    // Not replaced when no copy of it can be kept. (A write that fails half
    // way is the settings store's test of the same helper.)
    store.editMonthly().push_back({1, "", "", "new"});
    const std::vector<SaveReport> saves = files.SaveAll(store);
    EXPECT_FALSE(saves[4].ok);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("month.orv")));
    for (const std::size_t i : {0, 1, 2, 3, 5}) EXPECT_TRUE(saves[i].ok) << "a failing file does not stop the others";
}

// A backup writes the weekday's files in the backup folder, not the main
// files; a second exit on the same weekday replaces that day's files.
TEST_F(DataFilesTest, ABackupWritesTheWeekdaysFilesInTheBackupFolder)
{
    RecordStore store;
    store.editWeekly().push_back({2, "1", "first"});
    for (const SaveReport& r : files.SaveAll(store, SaveTarget::Backup(7))) EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(Listing(folder / "backup").size(), 6u);
    EXPECT_EQ(Listing(folder / "backup").count("data7.orv"), 1u);
    store.editWeekly()[0].Hint = "second";
    EXPECT_TRUE(files.Save(DataKind::Weekly, store, SaveTarget::Backup(7)).ok);
    EXPECT_EQ(ReadFile(folder / "backup/week7.orv"), SerializeDataText(store.weekly()));
    EXPECT_EQ(Listing(folder.path()), std::set<std::string>{"backup/"}) << "main files are not written";
}

// ---- Files another program changes while they are open ----------------------------

std::string WeekLine(const std::string& uid, int weekday, const std::string& hint)
{
    return CrLf({"<BEGIN>", "<WEEKDAY>" + std::to_string(weekday), "<WEEKNR>", "<HINT>" + hint, "<UID>" + uid, "<END>"});
}

std::string WeekFile(std::initializer_list<std::string> records)
{
    std::string text = "<BEGIN:WEEK:FILE:VERSION>3.0\r\n";
    for (const std::string& record : records) text += record;
    return text + "<END:FILE>\r\n";
}

std::vector<std::string> Hints(const std::vector<AWeek>& list)
{
    std::vector<std::string> hints;
    for (const AWeek& w : list) hints.push_back(w.Uid + "=" + w.Hint);
    return hints;
}

TEST_F(DataFilesTest, ChangesMadeElsewhereAreTakenInDeletionsThereGoAcrossAndAnUnreadableVersionIsKeptAside)
{
    const std::string path = folder / "week.orv";
    WriteFile(path, WeekFile({WeekLine("a", 1, "Gym"), WeekLine("b", 2, "Choir"), WeekLine("c", 3, "Chess"),
                              WeekLine("d", 4, "Piano")}));
    RecordStore store;
    files.Load(DataKind::Weekly, store);
    // Another program writes its own file and renames it over ours, as editors
    // and file-syncing programs do.
    const auto writeElsewhere = [&](const std::string& text) {
        WriteFile(path + ".theirs", text);
        std::filesystem::rename(path + ".theirs", path);
    };
    const auto reloaded = [&] {
        RecordStore again;
        EXPECT_TRUE(DataFiles(folder.path()).Load(DataKind::Weekly, again).ok);
        return Hints(again.weekly());
    };

    // Here: "b" changed, "c" deleted, "d" changed. There: "a" changed, "c"
    // changed, "d" changed differently, "e" added.
    const std::string theirs = WeekFile({WeekLine("a", 1, "Gym at six"), WeekLine("b", 2, "Choir"),
                                         WeekLine("c", 3, "Chess club"), WeekLine("d", 4, "Piano lesson"),
                                         WeekLine("e", 5, "Swim")});
    auto& list = store.editWeekly();
    list[1].Hint = "Choir, new hall";
    list[3].Hint = "Piano, cancelled";
    list.erase(list.begin() + 2);
    writeElsewhere(theirs);

    const SaveReport saved = files.Save(DataKind::Weekly, store);
    EXPECT_TRUE(saved.ok) << saved.message;
    EXPECT_TRUE(saved.changedOutside);
    EXPECT_EQ(saved.asideCopy, path + ".20261206-115959.unread");
    EXPECT_EQ(ReadFile(saved.asideCopy), theirs);
    EXPECT_NE(saved.notice.find("2 added, 1 changed, 0 removed"), std::string::npos) << saved.notice;
    EXPECT_NE(saved.notice.find("1 record(s) changed both there and in ORV keep ORV's version"), std::string::npos)
        << saved.notice;
    // "c" comes back: its change there outweighs its deletion here.
    const std::vector<std::string> expected{"a=Gym at six", "b=Choir, new hall", "d=Piano, cancelled", "c=Chess club",
                                            "e=Swim"};
    EXPECT_EQ(Hints(store.weekly()), expected);
    EXPECT_EQ(reloaded(), expected);

    // The file written is now the one ORV knows: one only touched there (the
    // same text written anew) is written quietly.
    store.editWeekly()[0].Hint = "Gym at seven";
    writeElsewhere(ReadFile(path));
    const SaveReport quiet = files.Save(DataKind::Weekly, store);
    EXPECT_FALSE(quiet.changedOutside);
    EXPECT_EQ(quiet.asideCopy, "");

    // A deletion there goes across where this side left the record as it was.
    store.editWeekly()[1].Hint = "Choir, kept";
    writeElsewhere(WeekFile({WeekLine("d", 4, "Piano, cancelled")}));
    files.Save(DataKind::Weekly, store);
    EXPECT_EQ(reloaded(), (std::vector<std::string>{"b=Choir, kept", "d=Piano, cancelled"}));

    // A file in a format this version cannot read is kept aside before it is replaced.
    const std::string newer = "<BEGIN:WEEK:FILE:VERSION>4.0\r\n<BEGIN>\r\n<HINT>future\r\n<END>\r\n";
    writeElsewhere(newer);
    const SaveReport unreadable = files.Save(DataKind::Weekly, store);
    EXPECT_TRUE(unreadable.ok) << unreadable.message;
    EXPECT_TRUE(unreadable.changedOutside);
    EXPECT_NE(unreadable.notice.find("could not be read"), std::string::npos) << unreadable.notice;
    EXPECT_EQ(ReadFile(unreadable.asideCopy), newer);
    EXPECT_EQ(reloaded().size(), 2u);
}

// ---- What a save keeps of the file it replaces -----------------------------------

TEST_F(DataFilesTest, ASaveKeepsTheFilesModeAndLinksAndAnAsideCopyIsNoMoreReadable)
{
    WriteFile(Path("cal.orv"), BadCalendar);
    std::filesystem::permissions(Path("cal.orv"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    RecordStore store;
    files.Load(DataKind::Calendar, store);
    const SaveReport saved = files.Save(DataKind::Calendar, store);
    ASSERT_TRUE(saved.ok) << saved.message;
    using std::filesystem::perms;
    EXPECT_EQ(std::filesystem::status(Path("cal.orv")).permissions(), perms::owner_read | perms::owner_write);
    EXPECT_EQ(std::filesystem::status(saved.asideCopy).permissions(), perms::owner_read | perms::owner_write);

    // A data file that is a link stays a link and its target is written.
    std::filesystem::create_directory(Path("synced"));
    WriteFile(Path("synced/year.orv"), Sample(DataKind::Annual));
    std::filesystem::create_symlink("synced/year.orv", Path("year.orv"));
    std::filesystem::create_symlink(Path("synced/month.orv"), Path("month.orv"));  // its target not there yet
    files.Load(DataKind::Annual, store);
    files.Load(DataKind::Monthly, store);
    store.editAnnual().front().Hint = "Wedding day, 30 years";
    store.editMonthly().push_back({1, "", "", "Rent"});
    const SaveReport annual = files.Save(DataKind::Annual, store);
    EXPECT_TRUE(annual.ok && annual.asideCopy.empty()) << "a file read whole is not copied aside";
    EXPECT_TRUE(files.Save(DataKind::Monthly, store).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("year.orv")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("month.orv")));
    EXPECT_NE(ReadFile(Path("synced/year.orv")).find("Wedding day, 30 years"), std::string::npos);
    EXPECT_NE(ReadFile(Path("synced/month.orv")).find("<HINT>Rent"), std::string::npos);
}

struct AsideCase {
    const char* name;
    DataKind kind;
    std::string text;     // the file as another program left it
    std::string message;  // of its load; empty: no failure. What it reads is the reader's test
};

class AsideTest : public DataFilesTest, public testing::WithParamInterface<AsideCase> {};

// A file that was not read whole is copied aside before the first save to the
// main folder replaces it (a backup does not), never over an earlier copy, and
// only once. A file read whole is not (the test of the links above).
TEST_P(AsideTest, KeepsWhatWasNotReadBeforeTheFirstSave)
{
    const AsideCase& c = GetParam();
    const std::string path = Path(std::string(DataFileName(c.kind)));
    const std::string earlier = path + ".20261206-115959.unread";
    WriteFile(path, c.text);
    WriteFile(earlier, "an earlier copy");
    RecordStore store;
    const LoadReport load = files.Load(c.kind, store);
    EXPECT_EQ(load.message, c.message);
    EXPECT_EQ(!load.ok, !c.message.empty());
    const std::string read = SerializeDataText(c.kind, store);

    const SaveReport backup = files.Save(c.kind, store, SaveTarget::Backup(4));
    EXPECT_TRUE(backup.ok) << backup.message;
    EXPECT_EQ(backup.asideCopy, "");
    EXPECT_EQ(ReadFile(path), c.text);

    const SaveReport saved = files.Save(c.kind, store);
    EXPECT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(saved.asideCopy, path + ".20261206-115959-2.unread");
    EXPECT_EQ(ReadFile(saved.asideCopy), c.text);
    EXPECT_EQ(ReadFile(earlier), "an earlier copy");
    EXPECT_EQ(ReadFile(path), read);
    EXPECT_EQ(files.Save(c.kind, store).asideCopy, "");
    EXPECT_EQ(Listing(folder.path()).size(), 4u);  // with backup/
}

INSTANTIATE_TEST_SUITE_P(
    Files, AsideTest,
    testing::Values(
        AsideCase{"BadValue", DataKind::Calendar, BadCalendar, "'x' is not a valid integer value"},
        AsideCase{"CutShort", DataKind::Calendar,
                  CrLf({CalHeader, "<BEGIN>", "<HINT>whole", "<DAY>1", "<MONTH>2", "<YEAR>2003", "<END>", "<BEGIN>", "<HINT>half"}),
                  ""},
        AsideCase{"OverlongValue", DataKind::Annual,
                  CrLf({"<BEGIN:YEAR:FILE:VERSION>3.0", "<BEGIN>", "<DAY>1", "<HINT>" + std::string(100 * 1024, 'x'), "<END>",
                        "<END:FILE>"}),
                  "1 value was longer than 64 KB and cut there."}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orv
