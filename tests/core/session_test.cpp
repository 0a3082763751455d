#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>

#include "../engine/builders.h"
#include "../store/gate.h"
#include "../store/storetest.h"
#include "core/session.h"
#include "engine/dayviews.h"

using namespace orv;
namespace fs = std::filesystem;
using test::D;

namespace {

std::string Read(const fs::path& p) { return test::ReadFile(p.string()); }
void Write(const fs::path& p, const std::string& text) { test::WriteFile(p.string(), text); }

class SessionTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(data); }

    std::unique_ptr<Session> Open()
    {
        return std::make_unique<Session>(data.string() + "/", settings.string(), [] { return std::time_t{1733000000}; });
    }

    test::TempFolder folder{"orv-session"};
    fs::path dir = folder.path(), data = dir / "data", settings = dir / "settings.reg";
};

}  // namespace

TEST_F(SessionTest, NothingIsSavedThatWasNotReadFirstAndTheFinderFollowsTheWeekSettings)
{
    // Files of another run: a save before anything was read must leave them
    // (a to-do list never loaded is the to-do files' own test).
    const std::string before = "Windows Registry Editor Version 5.00\r\n";
    Write(data / "cal.orv", "<BEGIN:CAL:FILE:VERSION>3.0\r\n<END:FILE>\r\n");
    Write(settings, before);
    auto s = Open();
    s->SaveAll();
    EXPECT_TRUE(s->WriteBackups(3).ok());
    EXPECT_EQ(Read(settings), before);
    EXPECT_FALSE(fs::exists(data / "backup"));

    s->LoadData();
    s->Initialise(D(2024, 2, 28));
    EXPECT_TRUE(s->SaveAll().ok());
    EXPECT_NE(Read(settings), before);
    EXPECT_TRUE(fs::exists(data / "week.orv"));

    EXPECT_EQ(s->finder().dateSettings().WeekStart, 1);
    s->settings().WeekStart = 0;
    EXPECT_EQ(s->finder().dateSettings().WeekStart, 0);
    s->settings().WeekStart = 9;  // a hand-edited store: taken as Monday
    EXPECT_EQ(s->finder().dateSettings().WeekStart, 1);
}

namespace {

ACal Event(const std::string& hint, int day) { return test::Event(hint, D(2027, 6, day)); }

// The session's writes going on beside its thread, the writer held at the
// gate in its first write.
class BackgroundTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        Write(data / "cal.orv", "<BEGIN:CAL:FILE:VERSION>3.0\r\n<END:FILE>\r\n");
        s = Open();
        s->LoadData();
        s->WriteInBackground([this] { ++wakes; });
        s->writer().SetBeforeWrite([this](DataKind) { gate.Enter(); });
    }
    std::unique_ptr<Session> s;
    test::Gate gate;
    std::atomic<int> wakes = 0;
    std::vector<SessionReport> answers;
    // Answers are counted and kept; a reporter gets one per write of the newest copy.
    Session::SaveDone collect = [this](const SessionReport& r) { answers.push_back(r); };
};

}  // namespace

TEST_F(BackgroundTest, AWriteBesideTheThreadIsAnsweredOnceAndAFailedOneIsWrittenByTheNextSave)
{
    gate.Open();
    EXPECT_TRUE(s->SaveAll().ok());  // the missing five are created
    std::map<std::string, FileStamp> before;
    for (const std::string& name : DataFiles::MainFileNames()) before[name] = StampOf((data / name).string());

    gate.Close();
    s->records().editCalendar().push_back(Event("Cinema", 1));
    s->SaveDataFile(DataKind::Calendar, collect, this);
    gate.WaitInside();
    // Coalescing the copies queued meanwhile is the writer's own test.
    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(s->Unsaved(DataKind::Calendar));
    gate.Open();
    const Session::Delivered flushed = s->FlushWrites();
    EXPECT_TRUE(flushed.report.ok());
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_TRUE(answers[0].ok());
    EXPECT_GE(wakes, 1);
    EXPECT_FALSE(s->Unsaved(DataKind::Calendar));

    // Only the changed list's file was written; a save-all without changes writes none.
    EXPECT_TRUE(s->SaveAll().ok());
    for (const std::string& name : DataFiles::MainFileNames())
        EXPECT_EQ(StampOf((data / name).string()) == before[name], name != "cal.orv") << name;

    // cal.orv now leads into a folder that is not there (yet): the write fails.
    fs::remove(data / "cal.orv");
    fs::create_symlink(dir / "elsewhere" / "cal.orv", data / "cal.orv");
    s->records().editCalendar().push_back(Event("Dentist", 4));
    s->SaveDataFile(DataKind::Calendar, collect, this);
    s->FlushWrites();
    // The message's text is the store's; here only that it reaches the caller.
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1].messages.size(), 1u);
    EXPECT_TRUE(s->Unsaved(DataKind::Calendar));
    EXPECT_EQ(s->SaveAll().messages.size(), 1u);

    fs::create_directory(dir / "elsewhere");
    EXPECT_TRUE(s->SaveAll().ok());
    EXPECT_FALSE(s->Unsaved(DataKind::Calendar));
}

TEST_F(BackgroundTest, AnotherProgramsVersionWrittenDuringAQueuedWriteIsTakenInNotOverwritten)
{
    s->records().editCalendar().push_back(Event("Party", 1));
    s->SaveDataFile(DataKind::Calendar, collect, this);
    gate.WaitInside();
    // A file sync brings its version while the write waits.
    Write(data / "cal.orv.sync", "<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>Flight\r\n<PRI>0\r\n<DAY>9\r\n"
                                 "<MONTH>1\r\n<YEAR>2027\r\n<END>\r\n<END:FILE>\r\n");
    fs::rename(data / "cal.orv.sync", data / "cal.orv");
    gate.Open();
    const Session::Delivered flushed = s->FlushWrites();
    EXPECT_TRUE(flushed.listsChanged);
    // The merge and the aside copy are the data files' own test; here they reach the
    // caller and the lists in memory.
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_TRUE(answers[0].ok());
    EXPECT_EQ(answers[0].notices.size(), 1u);
    EXPECT_EQ(answers[0].asideCopies.size(), 1u);
    ASSERT_EQ(s->records().calendar().size(), 2u);
    EXPECT_EQ(s->records().calendar()[0].Hint, "Flight");
    EXPECT_FALSE(s->Unsaved(DataKind::Calendar));
}

TEST_F(SessionTest, DataReadBesideTheWindowsReplacesWhatWasBuiltOverTheEmptyLists)
{
    Write(data / "cal.orv", "<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>Dentist\r\n<PRI>1\r\n<DAY>3\r\n<MONTH>5\r\n"
                            "<YEAR>2027\r\n<END>\r\n<END:FILE>\r\n");
    Write(data / "week.orv", "not a data file\r\n");
    auto s = Open();
    s->StartLoadingData();
    // Meanwhile the windows are made and ask the finder over the empty lists.
    EXPECT_TRUE(DayList(s->finder(), D(2027, 5, 3), false).empty());
    const SessionReport loaded = s->FinishLoadingData();
    // A list read whole needs no write until it changes; one not read whole does.
    EXPECT_FALSE(s->Unsaved(DataKind::Calendar));
    EXPECT_TRUE(s->Unsaved(DataKind::Weekly));
    EXPECT_EQ(DayList(s->finder(), D(2027, 5, 3), false).size(), 1u);
    // Told and kept aside as LoadData does, and what was read is saved.
    EXPECT_EQ(loaded.messages.size(), 1u);
    EXPECT_EQ(loaded.asideCopies.size(), 1u);
    s->records().editCalendar().clear();
    EXPECT_TRUE(s->SaveAll().ok());
    EXPECT_FALSE(s->Unsaved(DataKind::Calendar));
}
