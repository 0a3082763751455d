#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/session.h"

using namespace orv;
namespace fs = std::filesystem;

namespace {

Date D(int y, int m, int d) { return Date{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), static_cast<std::uint16_t>(d)}; }

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& p, const std::string& text)
{
    std::ofstream out(p, std::ios::binary);
    out << text;
}

class SessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::path(testing::TempDir()) / "orv-session-XXXXXX").string();
        dir = mkdtemp(tmpl.data());
        data = dir / "data";
        fs::create_directories(data);
        settings = dir / "settings.reg";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<Session> Open()
    {
        return std::make_unique<Session>(data.string() + "/", settings.string(), [] { return std::time_t{1733000000}; });
    }

    fs::path dir, data, settings;
};

}  // namespace

TEST_F(SessionTest, FirstStartWritesTheWeekSettingsAndLastDateAndAsksForTheSettingsDialog)
{
    auto s = Open();
    EXPECT_TRUE(s->LoadData().ok());
    const auto init = s->Initialise(D(2024, 2, 28));
    EXPECT_TRUE(init.report.ok());
    EXPECT_TRUE(init.firstRun);
    SettingsStore store(settings.string());
    ASSERT_TRUE(store.Load().ok);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "WeekStart").value, 1);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "FirstWeek").value, 0);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "LastDate").value, DateSerial(2024, 2, 28));
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "saved1"));
}

TEST_F(SessionTest, SaveAllWritesDataToDosAndTheSaveAllSettings)
{
    auto s = Open();
    s->LoadData();
    s->Initialise(D(2024, 2, 28));
    AData a;
    a.Name = "Anna";
    a.Day = 28;
    a.Month = 2;
    BuildDateText(a);
    s->records().editAddresses().push_back(a);
    s->todos().Top = {"Call the bank"};
    s->settings().ViewEvent = 7;
    const SessionReport r = s->SaveAll();
    EXPECT_TRUE(r.ok()) << (r.messages.empty() ? "" : r.messages.front());
    EXPECT_NE(Read(data / "data.orv").find("<NAME>Anna\r\n"), std::string::npos);
    EXPECT_EQ(Read(data / "todo1.qsf"), "Call the bank\r\n");
    SettingsStore store(settings.string());
    ASSERT_TRUE(store.Load().ok);
    EXPECT_EQ(store.ReadBool(kSettingsKey, "saved1").value, true);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "ViewEvent").value, 7);

    // The next start is no longer a first start and finds what was saved.
    auto again = Open();
    again->LoadData();
    EXPECT_FALSE(again->Initialise(D(2024, 2, 28)).firstRun);
    ASSERT_EQ(again->records().addresses().size(), 1u);
    EXPECT_EQ(again->todos().Top, std::vector<std::string>{"Call the bank"});
}

TEST_F(SessionTest, EveryDayItemsDoneTodayStayDoneUntilAnotherDay)
{
    Write(data / "todo4.qsf", "Walk\r\nWater plants\r\n");
    {
        auto s = Open();
        s->LoadData();
        s->Initialise(D(2024, 2, 28));
        EXPECT_EQ(s->todos().TodayEveryDay.size(), 2u);
        RemoveTodoItem(s->todos(), TodoList::TodayEveryDay, 0);
        s->SaveAll();
    }
    {
        auto s = Open();
        s->LoadData();
        s->Initialise(D(2024, 2, 28));
        EXPECT_EQ(s->todos().TodayEveryDay, std::vector<std::string>{"Water plants"});
        s->SaveAll();
    }
    auto s = Open();
    s->LoadData();
    s->Initialise(D(2024, 2, 29));
    EXPECT_EQ(s->todos().TodayEveryDay.size(), 2u);
}

TEST_F(SessionTest, AnUnreadableFileIsReportedWithTheCopyKeptAsideAndSurvivesTheNextSave)
{
    const std::string broken = "<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>x\r\n<DAY>1O\r\n<END>\r\n<END:FILE>\r\n";
    Write(data / "cal.orv", broken);
    auto s = Open();
    const SessionReport load = s->LoadData();
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_NE(load.messages[0].find("'1O' is not a valid integer value"), std::string::npos);
    ASSERT_EQ(load.asideCopies.size(), 1u);
    EXPECT_NE(load.messages[0].find(load.asideCopies[0]), std::string::npos);
    EXPECT_EQ(Read(load.asideCopies[0]), broken);
    s->Initialise(D(2024, 2, 28));
    const SessionReport saved = s->SaveAll();
    EXPECT_TRUE(saved.ok());
    EXPECT_TRUE(saved.asideCopies.empty());  // kept once, not again
    EXPECT_EQ(Read(load.asideCopies[0]), broken);
}

TEST_F(SessionTest, BackupsOfTheWeekdayHoldTheSameDataAsTheMainFiles)
{
    auto s = Open();
    s->LoadData();
    s->Initialise(D(2024, 2, 27));
    s->records().editWeekly().push_back(AWeek{2, "1-5", "Gym"});
    s->SaveAll();
    EXPECT_TRUE(s->WriteBackups(3).ok());
    for (const char* name : {"data", "cal", "adv", "year", "month", "week"})
        EXPECT_EQ(Read(data / "backup" / (std::string(name) + "3.orv")), Read(data / (std::string(name) + ".orv"))) << name;
}

TEST_F(SessionTest, TheFinderFollowsTheWeekSettings)
{
    auto s = Open();
    s->Initialise(D(2004, 1, 1));
    EXPECT_EQ(s->finder().Settings.WeekStart, 1);
    s->settings().WeekStart = 0;
    s->settings().CB25 = true;
    EXPECT_EQ(s->finder().Settings.WeekStart, 0);
    EXPECT_TRUE(s->finder().Settings.MonthFirst);
    s->settings().WeekStart = 9;  // a hand-edited store: taken as Monday
    EXPECT_EQ(s->finder().Settings.WeekStart, 1);
}
