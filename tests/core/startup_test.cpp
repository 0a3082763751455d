#include <gtest/gtest.h>

#include "core/startup.h"

using namespace orv;

namespace {

struct Row {
    const char* name;
    std::vector<std::string> args;
    int lastStart;  // days ago, -1: never recorded
    StartMode mode;
    bool writes;
    bool overviewFirst;
};

class StartModes : public testing::TestWithParam<Row> {};

}  // namespace

TEST_P(StartModes, Decide)
{
    const Row& r = GetParam();
    const std::int32_t today = 45350;
    const auto line = ParseCommandLine(r.args);
    ASSERT_TRUE(line.error.empty()) << line.error;
    const auto d = DecideStart(line, r.lastStart < 0 ? std::nullopt : std::optional<std::int32_t>(today - r.lastStart), today);
    EXPECT_EQ(d.mode, r.mode);
    EXPECT_EQ(d.writeLastStartDate, r.writes);
    EXPECT_EQ(d.overviewFirst, r.overviewFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartModes,
    testing::Values(Row{"plain", {}, 1, StartMode::Normal, false, false},
                    Row{"one_never_started", {"start", "one"}, -1, StartMode::Normal, true, true},
                    Row{"one_again", {"start", "one"}, 0, StartMode::End, false, true},
                    Row{"oneshow_again", {"start", "oneshow"}, 0, StartMode::NormalNoShow, true, true},
                    Row{"lau_oneshow_again", {"LAU", "oneshow"}, 0, StartMode::Launcher, false, true},
                    Row{"options_do_not_count_as_words", {"--data-folder", "/tmp/x", "LAUall"}, 1, StartMode::Launcher, false, false}),
    [](const testing::TestParamInfo<Row>& p) { return std::string(p.param.name); });

TEST(StartModes, OptionsAreParsed)
{
    const auto line = ParseCommandLine({"--settings-file=/tmp/s.reg", "--data-folder", "/d", "start"});
    EXPECT_EQ(line.settingsFile, "/tmp/s.reg");
    EXPECT_EQ(line.dataFolder, "/d");
    EXPECT_EQ(line.word(1), "start");
    EXPECT_FALSE(ParseCommandLine({"--frobnicate"}).error.empty());
    EXPECT_FALSE(ParseCommandLine({"--data-folder"}).error.empty());
}
