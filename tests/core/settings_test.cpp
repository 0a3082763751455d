#include "core/settings.h"

#include <gtest/gtest.h>

#include "../store/tempfolder.h"
#include "store/records.h"

namespace orv {
namespace {

const std::int32_t kToday = DateSerial(2024, 3, 1);

// Gives every member a value unlike its default, through the table itself, so
// that a setting missing from a read or a write cannot go unnoticed.
void Change(bool& v, int) { v = !v; }
void Change(std::int32_t& v, int n) { v += 1000 + n; }
void Change(std::string& v, int n) { v += "-" + std::to_string(n) + " \"q\\"; }
void Change(std::optional<bool>& v, int n) { v = n % 2 == 0; }
void Change(std::optional<std::int32_t>& v, int n) { v = 40000 + n; }  // also a plausible date

Settings AllChanged()
{
    Settings s;
    int n = 0;
#define ORV_CHANGE(group, kind, name, def) Change(s.name, n++);
    ORV_SETTINGS_TABLE(ORV_CHANGE)
#undef ORV_CHANGE
    // A number with a range must stay inside it to be read back as written.
#define ORV_TOP(name, lo, hi) s.name = hi;
    ORV_SETTING_RANGES(ORV_TOP)
#undef ORV_TOP
    return s;
}

TEST(SettingsFile, EverySettingSurvivesTheWritersAndTheFile)
{
    const Settings written = AllChanged();
    const test::TempFolder folder;
    SettingsStore store(folder / "settings.reg");
    ASSERT_TRUE(WriteDialogSettings(store, written).ok);
    ASSERT_TRUE(WriteSaveAllSettings(store, written).ok);
    ASSERT_TRUE(WriteSyncSettings(store, written).ok);
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastStartDate", *written.LastStartDate).ok);
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastDate", *written.LastDate).ok);
    ASSERT_TRUE(store.Save().ok);

    SettingsStore again(store.Path());
    ASSERT_TRUE(again.Load().ok);
    Settings read;
    ASSERT_TRUE(ReadSettings(again, read).ok);

    Settings expected = written;
    expected.saved1 = true;
    expected.ChangeHintTop = expected.ChangeHintLeft = expected.ChangeHintHeight = expected.ChangeHintWidth =
        std::nullopt;  // written for the date picker, never read back
    EXPECT_TRUE(read == expected);
}

// A window never placed has no bounds yet: none are written for it.
TEST(SettingsWriters, SaveAllLeavesOutWhatIsUnknown)
{
    Settings s;
    s.DataTop = 10;
    s.MenuPopupMenu21 = false;
    SettingsStore store;
    ASSERT_TRUE(WriteSaveAllSettings(store, s).ok);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "DataTop").value, 10);
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "DataLeft"));
    EXPECT_EQ(store.ReadBool(kSettingsKey, "MenuPopupMenu21").value, false);
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "MenuPopupMenu111"));
}

TEST(SettingsFile, AFirstStartWritesWeekStartFirstWeekAndTodayAndTheNextKeepsThem)
{
    const test::TempFolder folder;
    SettingsStore store(folder / "settings.reg");
    ASSERT_TRUE(store.Load().ok);
    Settings s;
    ASSERT_TRUE(InitialiseSettings(store, s, kToday).ok);
    EXPECT_FALSE(s.LastDate.has_value());  // no every-day list was loaded before
    EXPECT_FALSE(s.saved1.has_value());    // so the settings dialog is shown
    ASSERT_TRUE(store.Save().ok);

    SettingsStore again(store.Path());
    ASSERT_TRUE(again.Load().ok);
    EXPECT_EQ(again.ValueNames(kSettingsKey), (std::vector<std::string>{"LastDate", "WeekStart", "FirstWeek"}));
    EXPECT_EQ(again.ReadDate(kSettingsKey, "LastDate").value, kToday);
    EXPECT_EQ(again.ReadInteger(kSettingsKey, "WeekStart").value, 1);
    EXPECT_EQ(again.ReadInteger(kSettingsKey, "FirstWeek").value, 0);

    // A later start keeps the stored values and hands back the previous date.
    ASSERT_TRUE(again.WriteInteger(kSettingsKey, "WeekStart", 3).ok);
    ASSERT_TRUE(again.WriteInteger(kSettingsKey, "FirstWeek", 2).ok);
    Settings t;
    ASSERT_TRUE(InitialiseSettings(again, t, kToday + 1).ok);
    EXPECT_EQ(t.LastDate, kToday);
    EXPECT_EQ(t.WeekStart, 3);
    EXPECT_EQ(t.FirstWeek, 2);
    EXPECT_EQ(again.ReadDate(kSettingsKey, "LastDate").value, kToday + 1);
    EXPECT_EQ(again.ReadInteger(kSettingsKey, "WeekStart").value, 3);
}

void WriteWrongType(SettingsStore& store, const char* name, const std::string&)
{
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, name, 5).ok);
}
template <class T>
void WriteWrongType(SettingsStore& store, const char* name, const T&)
{
    ASSERT_TRUE(store.WriteText(kSettingsKey, name, "ten").ok);
}

// Every setting hand-edited to a value of the wrong type reads as its default,
// whatever an earlier read left, and is told; none stops the read of the others.
TEST(SettingsRead, AValueOfTheWrongTypeIsItsDefaultAndTold)
{
    SettingsStore store;
#define ORV_WRONG(group, kind, name, def) WriteWrongType(store, #name, Settings{}.name);
    ORV_SETTINGS_TABLE(ORV_WRONG)
#undef ORV_WRONG
    Settings s = AllChanged();
    const Result r = ReadSettings(store, s);
    EXPECT_FALSE(r.ok);
    Settings expected;
    expected.ChangeHintTop = s.ChangeHintTop, expected.ChangeHintLeft = s.ChangeHintLeft;
    expected.ChangeHintHeight = s.ChangeHintHeight, expected.ChangeHintWidth = s.ChangeHintWidth;
    EXPECT_TRUE(s == expected);
    EXPECT_NE(r.message.find("Invalid data type for 'nextweek'"), std::string::npos) << r.message;

    // The initialisation's own writes all happen.
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastDate", kToday - 5).ok);
    ASSERT_TRUE(store.DeleteValue(kSettingsKey, "WeekStart"));
    Settings t;
    EXPECT_FALSE(InitialiseSettings(store, t, kToday).ok);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "LastDate").value, kToday);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "WeekStart").value, 1);
}

struct StoredNumber {
    const char* name;
    const char* fileValue;  // as the .reg file holds it
    std::int32_t read;
};

class SettingsRange : public testing::TestWithParam<StoredNumber> {};

// A foreign or hand-edited file can hold any dword; the program must not loop
// over 2^31 coming days or ask for a font of a million points.
TEST_P(SettingsRange, AStoredNumberOutsideTheDialogsRangeIsReadAsItsNearestEnd)
{
    SettingsStore store;
    ASSERT_TRUE(store.Parse("Windows Registry Editor Version 5.00\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n\"" +
                            std::string(GetParam().name) + "\"=" + GetParam().fileValue + "\r\n"));
    Settings s;
    ASSERT_TRUE(ReadSettings(store, s).ok);
    std::int32_t read = 0;
#define ORV_PICK(member, lo, hi) \
    if (std::string_view(GetParam().name) == #member) read = s.member;
    ORV_SETTING_RANGES(ORV_PICK)
#undef ORV_PICK
    if (std::string_view(GetParam().name) == "DataTop") read = s.DataTop.value_or(-1);
    EXPECT_EQ(read, GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Extremes, SettingsRange,
    testing::Values(StoredNumber{"nextweek", "dword:7fffffff", 99}, StoredNumber{"nextweek", "dword:00000000", 1},
                    StoredNumber{"WeekStart", "dword:ffffffff", 0},
                    // Window bounds have no range: a position left of the first screen is real.
                    StoredNumber{"DataTop", "dword:ffffff9c", -100}));

// The page rectangle counts only when all four values are there, each an
// integer (a text among the four is told); otherwise it is the default,
// whatever an earlier read left.
TEST(SettingsRead, ThePageRectangleCountsOnlyWhole)
{
    const char* names[] = {"PageL", "PageR", "PageT", "PageB"};
    for (int missing = -1; missing < 4; ++missing)
        for (const bool textTop : {false, true}) {
            SCOPED_TRACE(std::to_string(missing) + (textTop ? " with a text PageT" : ""));
            SettingsStore store;
            for (int i = 0; i < 4; ++i) {
                if (i == missing) continue;
                ASSERT_TRUE((i == 2 && textTop ? store.WriteText(kSettingsKey, names[i], "33")
                                               : store.WriteInteger(kSettingsKey, names[i], 11 * (i + 1)))
                                .ok);
            }
            Settings s;
            s.PageL = 1, s.PageR = 2, s.PageT = 3, s.PageB = 4;
            EXPECT_EQ(ReadSettings(store, s).message, textTop && missing < 0 ? "Invalid data type for 'PageT'" : "");
            const bool whole = missing < 0 && !textTop;
            EXPECT_EQ((std::array<std::int32_t, 4>{s.PageL, s.PageR, s.PageT, s.PageB}),
                      whole ? (std::array<std::int32_t, 4>{11, 22, 33, 44}) : (std::array<std::int32_t, 4>{200, 2200, 200, 3300}));
        }
}

TEST(SettingsColourProfiles, AreSubKeysThatCountOnlyWithVer2)
{
    const std::string main(kSettingsKey);
    SettingsStore store;
    Settings s;
    s.Color1 = "#1", s.Color8 = "#8", s.Color9 = "#9";
    ASSERT_TRUE(WriteColourProfile(store, "Blue", s).ok);
    ASSERT_TRUE(store.WriteText(main + "\\NoVer", "Color1", "#000000").ok);
    ASSERT_TRUE(store.WriteBool(main + "\\Off", "Ver2", false).ok);
    ASSERT_TRUE(store.WriteBool(main + "\\Part", "Ver2", true).ok);
    ASSERT_TRUE(store.WriteText(main + "\\Part", "Color3", "#333333").ok);

    const ValueResult<ColourProfile> blue = ReadColourProfile(store, "blue");
    ASSERT_TRUE(blue.ok && blue.value);
    EXPECT_EQ((*blue.value)[0], "#1");
    EXPECT_EQ((*blue.value)[7], "#8");
    for (const char* ignored : {"NoVer", "Off", "Missing"}) {
        const ValueResult<ColourProfile> r = ReadColourProfile(store, ignored);
        EXPECT_TRUE(r.ok && !r.value) << ignored;
    }

    Settings applied;
    ApplyColourProfile(*ReadColourProfile(store, "Part").value, applied);
    EXPECT_EQ(applied.Color3, "#333333");
    EXPECT_EQ(applied.Color1, Settings{}.Color1);

    EXPECT_EQ(ColourProfiles(store), (std::vector<std::string>{"Blue", "NoVer", "Off", "Part"}));
    EXPECT_TRUE(DeleteColourProfile(store, "Blue"));
    EXPECT_FALSE(DeleteColourProfile(store, "Blue"));
    EXPECT_FALSE(WriteColourProfile(store, "a\\b", s).ok);
}

struct Override {
    const char* input;
    const char* message;     // empty: taken
    const char* name = "";   // of the one value it sets
    std::int32_t value = 0;
    bool isDate = false;
};

class SettingsOverride : public testing::TestWithParam<Override> {};

TEST_P(SettingsOverride, SetsOneValueOfTheMainKeyOrIsRefusedWithAReason)
{
    const Override& o = GetParam();
    SettingsStore store;
    EXPECT_EQ(ApplyOverride(store, o.input).message, o.message);
    if (*o.message != '\0') {
        EXPECT_FALSE(store.KeyExists(kSettingsKey));
        return;
    }
    EXPECT_EQ(store.ValueNames(kSettingsKey), std::vector<std::string>{o.name});
    EXPECT_EQ(o.isDate ? store.ReadDate(kSettingsKey, o.name).value : store.ReadInteger(kSettingsKey, o.name).value,
              o.value);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SettingsOverride,
    testing::Values(Override{"WeekStart=0", "", "WeekStart", 0}, Override{"CB25=1", "", "CB25", 1},
                    Override{"nextweek=+99", "", "nextweek", 99}, Override{"DataLeft=-3", "", "DataLeft", -3},
                    Override{"LastDate=2024-02-29", "", "LastDate", DateSerial(2024, 2, 29), true},
                    Override{"WeekStart", "expected NAME=VALUE, not 'WeekStart'"},
                    Override{"Nope=1", "unknown setting 'Nope'"},
                    Override{"CB25=2", "'CB25' takes 0 or 1, not '2'"},
                    Override{"nextweek=1.5", "'nextweek' takes a decimal integer, not '1.5'"},
                    Override{"nextweek=0", "'nextweek' takes 1 to 99, not '0'"},
                    Override{"LastDate=2023-02-29", "'LastDate' takes a date YYYY-MM-DD, not '2023-02-29'"},
                    Override{"FontName=Arial", "'FontName' is a text and cannot be set here"}));

TEST(SettingsOverride, ATextsLineBreaksBecomeBlanksAndTheResultSaysSo)
{
    SettingsStore store;
    const Result r = ApplyOverride(store, "Color9=#00\r\n00\n00");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.message, "'Color9': its line breaks became blanks");
    EXPECT_EQ(store.ReadText(kSettingsKey, "Color9").value, "#00 00 00");
}

}  // namespace
}  // namespace orv
