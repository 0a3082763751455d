#include "core/autostart.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct AutostartRow {
    const char* label;
    AutostartChoice choice;
    const char* commandLine;  // nullptr: the entry is deleted
};

class SettingsAutostartTable : public testing::TestWithParam<AutostartRow> {};

TEST_P(SettingsAutostartTable, GivesTheCommandLineOfItsRow)
{
    for (const char* program : {"/usr/bin/orv", "/home/ann/my apps/orv"}) {
        SCOPED_TRACE(program);
        const std::optional<StartCommand> command = StartWithSystemCommand(GetParam().choice, program);
        if (!GetParam().commandLine) {
            EXPECT_FALSE(command.has_value());
            continue;
        }
        ASSERT_TRUE(command.has_value());
        const std::string path = std::string(program).find(' ') == std::string::npos
                                     ? std::string(program)
                                     : "\"" + std::string(program) + "\"";
        EXPECT_EQ(CommandLine(*command), path + GetParam().commandLine);
    }
}

// AutostartChoice{CB1, CB22, CB23, CB2, CB3}
INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsAutostartTable,
    testing::Values(AutostartRow{"off", {false, true, true, true, true}, nullptr},
                    AutostartRow{"start", {true, false, true, false, true}, " start"},
                    AutostartRow{"launcherAfterFirst", {true, true, true, false, false}, " LAU oneshow"},
                    AutostartRow{"once", {true, false, true, true, false}, " start one"},
                    AutostartRow{"onceShow", {true, false, false, true, true}, " start oneshow"},
                    AutostartRow{"bothWinsLauncher", {true, true, false, true, true}, " LAUall"}),
    [](const testing::TestParamInfo<AutostartRow>& row) { return std::string(row.param.label); });

struct ExecCase {
    const char* program;
    const char* exec;
};

class SettingsAutostartExec : public testing::TestWithParam<ExecCase> {};

TEST_P(SettingsAutostartExec, QuotesAndEscapesAsDesktopEntriesRequire)
{
    // The folder options come first, so the log-in start reads the same data.
    const StartCommand command{GetParam().program, {"--data-folder", "/home/ann/my data/"}, {"start", "one"}};
    EXPECT_EQ(AutostartDesktopEntry(command), std::string("[Desktop Entry]\n"
                                                          "Type=Application\n"
                                                          "Name=ORV\n"
                                                          "Exec=") +
                                                  GetParam().exec +
                                                  " --data-folder \"/home/ann/my data/\" start one\n"
                                                  "X-GNOME-Autostart-enabled=true\n");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SettingsAutostartExec,
    testing::Values(ExecCase{"/usr/bin/orv", "/usr/bin/orv"},
                    ExecCase{"/opt/my apps/orv", "\"/opt/my apps/orv\""},
                    ExecCase{"/opt/100%/orv", "/opt/100%%/orv"},
                    ExecCase{"/opt/back\\slash/orv", "\"/opt/back\\\\\\\\slash/orv\""}));

TEST(SettingsAutostartPath, FollowsXdgThenHome)
{
    EXPECT_EQ(AutostartPathFrom("/x", "/h"), "/x/autostart/orv.desktop");
    EXPECT_EQ(AutostartPathFrom("relative", "/h"), "/h/.config/autostart/orv.desktop");
}

}  // namespace
}  // namespace orv
