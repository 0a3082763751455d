// The to-do files and the every-day rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "store/todofile.h"
#include "storetest.h"

namespace orv {
namespace {

using test::ReadFile;
using test::WriteFile;
using Items = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Items items;
};

class TodoTextTest : public testing::TestWithParam<SplitCase> {};

// How the lists are written, and an empty file, a final break or none, are the file tests below;
// LF then CR as two breaks is the line reader's, checked with the data files.
TEST_P(TodoTextTest, SplitsAtEveryLineBreakAndReadsBack)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(ParseTodoText(c.text), c.items);
    EXPECT_EQ(ParseTodoText(SerializeTodoText(c.items)), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TodoTextTest,
    testing::Values(SplitCase{"CrOnly", "a\r\rb\r", {"a", "", "b"}},
                    SplitCase{"BlanksSurvive", "  call Bo \t\r\n \r\n", {"  call Bo \t", " "}},
                    SplitCase{"OtherCodePage", "caf\xe9\r\n", {"caf\xe9"}}),
    [](const auto& row) { return std::string(row.param.name); });

// ---- "Done" and "Delete" -------------------------------------------------------------------

TEST(RemoveTodoItemTest, DeletingAnEveryDayItemTakesEveryCopyFromToday)
{
    TodoLists lists;
    lists.EveryDay = {"water plants", "walk", "water plants", "Read"};
    lists.TodayEveryDay = {"water plants", "read", "walk", "water plants"};
    ASSERT_TRUE(RemoveTodoItem(lists, TodoList::EveryDay, 2));
    EXPECT_EQ(lists.EveryDay, (Items{"water plants", "walk", "Read"}));
    EXPECT_EQ(lists.TodayEveryDay, (Items{"read", "walk"}));

    // Done already today: only the every-day list changes; compared exactly.
    ASSERT_TRUE(RemoveTodoItem(lists, TodoList::EveryDay, 2));
    EXPECT_EQ(lists.EveryDay, (Items{"water plants", "walk"}));
    EXPECT_EQ(lists.TodayEveryDay, (Items{"read", "walk"}));

    // No such item: nothing changes.
    EXPECT_FALSE(RemoveTodoItem(lists, TodoList::EveryDay, 2));
    EXPECT_EQ(lists.EveryDay, (Items{"water plants", "walk"}));
}

// ---- Files ------------------------------------------------------------------------------------

constexpr std::int32_t Today = 46362;  // 2026-12-06

class TodoFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    std::string Path(const char* name) const { return folder / name; }

    test::TempFolder folder;
    TodoFiles files{folder.path(), [] { return std::time_t{1796558399}; }};  // 2026-12-06 11:59:59 UTC
};

struct EveryDayCase {
    const char* name;
    std::optional<std::int32_t> lastDate;
    std::optional<std::string> todo3, todo4;  // file content, or no file
    Items today, everyDay;                    // the lists afterwards
};

class EveryDayTest : public TodoFilesTest, public testing::WithParamInterface<EveryDayCase> {};

// The same day going on and a new day starting again are the orv-cli cases
// "overview" and "overview-new-day" (tests/data/cli/family).
TEST_P(EveryDayTest, ChoosesTheFilesByTheLastDate)
{
    const EveryDayCase& c = GetParam();
    if (c.todo3) WriteFile(Path("todo3.qsf"), *c.todo3);
    if (c.todo4) WriteFile(Path("todo4.qsf"), *c.todo4);
    TodoLists lists;
    lists.TodayEveryDay = {"before"};
    lists.EveryDay = {"before"};
    const TodoReport r = files.LoadEveryDay(lists, c.lastDate, Today);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(lists.TodayEveryDay, c.today);
    EXPECT_EQ(lists.EveryDay, c.everyDay);
}

const std::string Full = "walk\r\nwater plants\r\n";
const std::string NotDone = "water plants\r\n";
INSTANTIATE_TEST_SUITE_P(
    Rules, EveryDayTest,
    testing::Values(EveryDayCase{"SameDayAllDone", Today, "", Full, {}, {"walk", "water plants"}},
                    EveryDayCase{"SameDayWithoutTodo3", Today, std::nullopt, Full, {"walk", "water plants"},
                                 {"walk", "water plants"}},
                    EveryDayCase{"NoLastDateCountsAsAnotherDay", std::nullopt, NotDone, Full,
                                 {"walk", "water plants"}, {"walk", "water plants"}},
                    EveryDayCase{"WithoutTodo4NothingIsRead", Today, NotDone, std::nullopt, {"before"}, {"before"}}),
    [](const auto& row) { return std::string(row.param.name); });

// Each list is read only when its file exists, and written CR LF with each line
// break of an item made a blank (the same day's reading is the table above).
TEST_F(TodoFilesTest, ReadsWhatExistsAndSavesAllFour)
{
    WriteFile(Path("todo2.qsf"), "later\nmuch later");
    TodoLists lists;
    lists.Top = {"kept"};
    const TodoReport r = files.LoadTopBottom(lists);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(lists.Bottom, (Items{"later", "much later"}));

    lists.Top = {" urgent ", "", "call\r\nBo", "a\nb\rc", "<END:FILE>"};
    lists.Bottom = {};
    lists.TodayEveryDay = {"b"};
    lists.EveryDay = {"a", "b"};
    EXPECT_TRUE(files.Save(lists).ok);
    EXPECT_EQ(ReadFile(Path("todo1.qsf")), " urgent \r\n\r\ncall Bo\r\na b c\r\n<END:FILE>\r\n");
    EXPECT_EQ(ReadFile(Path("todo2.qsf")), "");
    EXPECT_EQ(ReadFile(Path("todo3.qsf")), "b\r\n");
    EXPECT_EQ(ReadFile(Path("todo4.qsf")), "a\r\nb\r\n");
}

// An item too long is cut and the next file still read; a file that cannot be
// opened stops the reading. Either file, and one the failure kept from being
// read, is kept aside before it is replaced (what a copy holds is the data
// files' test, and where a cut falls in a character that of the format).
TEST_F(TodoFilesTest, AFileNotReadWholeIsReportedAndNotReplacedBlindly)
{
    const std::string file = "before\r\n" + std::string(kTodoItemLimit + 1, 'x') + "\r\nafter\r\n";
    WriteFile(Path("todo1.qsf"), file);
    WriteFile(Path("todo2.qsf"), "bottom\r\n");
    std::filesystem::create_symlink("todo4.qsf", Path("todo4.qsf"));
    WriteFile(Path("todo3.qsf"), "not done yet\r\n");
    TodoLists lists;
    const TodoReport top = files.LoadTopBottom(lists);
    EXPECT_NE(top.message.find("'todo1.qsf': 1 item was longer than 64 KB"), std::string::npos) << top.message;
    EXPECT_EQ(lists.Top, (Items{"before", std::string(kTodoItemLimit, 'x'), "after"}));
    EXPECT_EQ(lists.Bottom, Items{"bottom"});
    EXPECT_FALSE(files.LoadEveryDay(lists, Today, Today).ok);  // with the system's text, as the settings store checks
    EXPECT_TRUE(lists.TodayEveryDay.empty());

    const TodoReport refused = files.Save(lists);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("'todo4.qsf' could not be read and no copy"), std::string::npos)
        << refused.message;
    EXPECT_TRUE(std::filesystem::is_symlink(Path("todo4.qsf")));
    EXPECT_EQ(refused.asideCopies,
              (Items{Path("todo1.qsf.20261206-115959.unread"), Path("todo3.qsf.20261206-115959.unread")}));

    std::filesystem::remove(Path("todo4.qsf"));
    WriteFile(Path("todo4.qsf"), "all\r\n");
    const TodoReport saved = files.Save(lists);
    EXPECT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(saved.asideCopies, Items{Path("todo4.qsf.20261206-115959.unread")});
    EXPECT_TRUE(files.Save(lists).asideCopies.empty()) << "copied once only";

    // Another day does not protect the today file it discards, nor a todo4.qsf
    // that vanished after its failure.
    std::filesystem::remove(Path("todo4.qsf"));
    std::filesystem::create_symlink("todo4.qsf", Path("todo4.qsf"));
    EXPECT_FALSE(files.LoadEveryDay(lists, Today - 1, Today).ok);
    std::filesystem::remove(Path("todo4.qsf"));
    EXPECT_TRUE(files.Save(lists).asideCopies.empty()) << "todo4.qsf vanished and todo3.qsf is yesterday's";
}

TEST_F(TodoFilesTest, AFileThatWasNotReadIsNeverReplaced)
{
    // Today's list without its every-day list is read by no rule; a save
    // of the (empty) list in memory would lose it.
    WriteFile(Path("todo3.qsf"), "orphan\r\n");
    TodoLists lists;
    EXPECT_TRUE(files.LoadEveryDay(lists, Today, Today).ok);
    EXPECT_TRUE(files.Save(lists).ok);
    EXPECT_EQ(ReadFile(Path("todo3.qsf")), "orphan\r\n");
    EXPECT_EQ(ReadFile(Path("todo4.qsf")), "");

    // Nor are lists never loaded at all.
    WriteFile(Path("todo1.qsf"), "top\r\n");
    TodoFiles fresh(folder.path());
    EXPECT_TRUE(fresh.Save(TodoLists{}).ok);
    EXPECT_EQ(ReadFile(Path("todo1.qsf")), "top\r\n");
}

TEST_F(TodoFilesTest, AListAnotherProgramChangedMeanwhileIsKeptAsideBeforeItIsReplaced)
{
    WriteFile(Path("todo1.qsf"), "Call the bank\r\n");
    WriteFile(Path("todo3.qsf"), "yesterday\r\n");
    WriteFile(Path("todo4.qsf"), "Water the plants\r\n");
    TodoLists lists;
    files.LoadTopBottom(lists);
    files.LoadEveryDay(lists, Today - 1, Today);  // a new day: todo3.qsf is started again, unread
    WriteFile(Path("todo1.qsf.new"), "Call the bank\r\nBuy stamps\r\n");
    std::filesystem::rename(Path("todo1.qsf.new"), Path("todo1.qsf"));

    lists.Top.push_back("Pay rent");
    const TodoReport saved = files.Save(lists);
    EXPECT_TRUE(saved.ok) << saved.message;
    ASSERT_EQ(saved.notices.size(), 1u) << "todo3.qsf was replaced knowingly; only todo1.qsf changed";
    ASSERT_EQ(saved.asideCopies.size(), 1u);
    EXPECT_EQ(ReadFile(saved.asideCopies[0]), "Call the bank\r\nBuy stamps\r\n");
    EXPECT_NE(saved.notices[0].find(saved.asideCopies[0]), std::string::npos);
    EXPECT_EQ(ReadFile(Path("todo1.qsf")), "Call the bank\r\nPay rent\r\n");
    // What ORV wrote is what it knows now.
    EXPECT_TRUE(files.Save(lists).notices.empty());
}

}  // namespace
}  // namespace orv
