#include "core/settings.h"

#include <gtest/gtest.h>

#include <limits>

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

// Through the store in memory: the file round trip of every value type is the store's test.
TEST(SettingsWriters, EverySettingSurvivesTheWritersAndTheReader)
{
    const Settings written = AllChanged();
    SettingsStore store;
    ASSERT_TRUE(WriteDialogSettings(store, written).ok);
    ASSERT_TRUE(WriteSaveAllSettings(store, written).ok);
    ASSERT_TRUE(WriteSyncSettings(store, written).ok);
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastStartDate", *written.LastStartDate).ok);
    ASSERT_TRUE(store.WriteDate(kSettingsKey, "LastDate", *written.LastDate).ok);
    Settings read;
    ASSERT_TRUE(ReadSettings(store, read).ok);

    Settings expected = written;
    expected.saved1 = true;
    expected.ChangeHintTop = expected.ChangeHintLeft = expected.ChangeHintHeight = expected.ChangeHintWidth =
        std::nullopt;  // written for the date picker, never read back
    EXPECT_TRUE(read == expected);
}

TEST(SettingsInitialise, AFirstStartWritesWeekStartFirstWeekAndTodayAndTheNextKeepsThem)
{
    SettingsStore store;
    Settings s;
    ASSERT_TRUE(InitialiseSettings(store, s, kToday).ok);
    EXPECT_FALSE(s.LastDate.has_value());  // no every-day list was loaded before
    EXPECT_FALSE(s.saved1.has_value());    // so the settings dialog is shown
    EXPECT_EQ(store.ValueNames(kSettingsKey), (std::vector<std::string>{"LastDate", "WeekStart", "FirstWeek"}));
    EXPECT_EQ(store.ReadDate(kSettingsKey, "LastDate").value, kToday);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "WeekStart").value, 1);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "FirstWeek").value, 0);
    // A window never placed has no bounds yet: none are written for it.
    ASSERT_TRUE(WriteSaveAllSettings(store, s).ok);
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "DataLeft"));
    EXPECT_FALSE(store.ValueExists(kSettingsKey, "MenuPopupMenu111"));

    // A later start keeps the stored values and hands back the previous date.
    // A hand-edited number outside the dialog's range reads as its nearest end:
    // the program must not loop over 2^31 coming days or ask for a font of no
    // points; window bounds have none (a position left of the first screen is real).
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "WeekStart", 3).ok);
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "FirstWeek", 2).ok);
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "nextweek", std::numeric_limits<std::int32_t>::max()).ok);
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "FontSize", 0).ok);
    ASSERT_TRUE(store.WriteInteger(kSettingsKey, "DataTop", -100).ok);
    Settings t;
    ASSERT_TRUE(InitialiseSettings(store, t, kToday + 1).ok);
    EXPECT_EQ(t.LastDate, kToday);
    EXPECT_EQ(t.WeekStart, 3);
    EXPECT_EQ(t.FirstWeek, 2);
    EXPECT_EQ(store.ReadDate(kSettingsKey, "LastDate").value, kToday + 1);
    EXPECT_EQ(store.ReadInteger(kSettingsKey, "WeekStart").value, 3);
    EXPECT_EQ(t.nextweek, 99);
    EXPECT_EQ(t.FontSize, 1);
    EXPECT_EQ(t.DataTop, -100);
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
};

class SettingsOverride : public testing::TestWithParam<Override> {};

// Taking values in range, a date and a bool is pinned by the orv-cli cases that --set them.
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
    EXPECT_EQ(store.ReadInteger(kSettingsKey, o.name).value, o.value);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SettingsOverride,
    testing::Values(Override{"nextweek=+99", "", "nextweek", 99}, Override{"DataLeft=-3", "", "DataLeft", -3},
                    Override{"WeekStart", "expected NAME=VALUE, not 'WeekStart'"},
                    Override{"Nope=1", "unknown setting 'Nope'"},
                    Override{"CB25=2", "'CB25' takes 0 or 1, not '2'"},
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
