// Every value the program keeps in its settings key, with its type and default,
// loaded into one value type. The table below is the only place a setting is
// declared; the members, the reads, the writes and the command-line overrides
// all come from it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settingsstore.h"

namespace orv {

// The C++ type each kind of setting is held in. The optional kinds have no
// default: they stay empty while the value is absent, because their users
// behave differently then (a centred window, no chosen search field, ...).
namespace setting_type {
using Bool = bool;
using Int = std::int32_t;
using Text = std::string;
using OptBool = std::optional<bool>;
using OptInt = std::optional<std::int32_t>;
using OptDate = std::optional<std::int32_t>;  // days since 1899-12-30, stored as a date
}  // namespace setting_type

// X(group, kind, name, default). Life: start-up state. Dialog: written by the
// settings dialog's "Save" in exactly this order. SaveAll: written by the
// save-all step in exactly this order.
#define ORV_SETTINGS_TABLE(X)                        \
    X(Life, OptDate, LastStartDate, {})              \
    X(Life, OptDate, LastDate, {})                   \
    X(Life, OptBool, saved1, {})                     \
    X(Dialog, Int, nextweek, 7)                      \
    X(Dialog, Bool, CB1, true)                       \
    X(Dialog, Bool, CB2, false)                      \
    X(Dialog, Bool, CB3, false)                      \
    X(Dialog, Bool, CB4, true)                       \
    X(Dialog, Bool, CB5, true)                       \
    X(Dialog, Bool, CB6, false)                      \
    X(Dialog, Bool, CB7, true)                       \
    X(Dialog, Bool, CB8, true)                       \
    X(Dialog, Bool, CB9, true)                       \
    X(Dialog, Bool, CB10, true)                      \
    X(Dialog, Bool, CB11, true)                      \
    X(Dialog, Bool, CB12, true)                      \
    X(Dialog, Bool, CB13, true)                      \
    X(Dialog, Bool, CB14, true)                      \
    X(Dialog, Bool, CB15, true)                      \
    X(Dialog, Bool, CB16, true)                      \
    X(Dialog, Bool, CB17, true)                      \
    X(Dialog, Bool, CB18, true)                      \
    X(Dialog, Bool, CB19, true)                      \
    X(Dialog, Bool, CB20, false)                     \
    X(Dialog, Bool, CB21, false)                     \
    X(Dialog, Bool, CB22, false)                     \
    X(Dialog, Bool, CB23, false)                     \
    X(Dialog, Bool, CB24, false)                     \
    X(Dialog, Bool, CB25, false)                     \
    X(Dialog, Bool, CB27, false)                     \
    X(Dialog, Bool, CB28, false)                     \
    X(Dialog, Bool, CB29, false)                     \
    X(Dialog, OptBool, CB30, {})                     \
    X(Dialog, Text, FontName, "MS Sans Serif")       \
    X(Dialog, Int, FontSize, 8)                      \
    X(Dialog, Int, Indicator, 16)                    \
    X(Dialog, Int, FontCharset, 1)                   \
    X(Dialog, Int, FirstWeek, 0)                     \
    X(Dialog, Int, priority, 1)                      \
    X(Dialog, Int, PageL, 200)                       \
    X(Dialog, Int, PageR, 2200)                      \
    X(Dialog, Int, PageT, 200)                       \
    X(Dialog, Int, PageB, 3300)                      \
    X(Dialog, Int, WeekStart, 1)                     \
    X(Dialog, Text, Color1, "#334D73")               \
    X(Dialog, Text, Color2, "#FFFFFF")               \
    X(Dialog, Text, Color3, "#334D73")               \
    X(Dialog, Text, Color4, "#FFFFFF")               \
    X(Dialog, Text, Color5, "BtnFace")               \
    X(Dialog, Text, Color6, "#000000")               \
    X(Dialog, Text, Color7, "#337373")               \
    X(Dialog, Text, Color8, "#FFFFFF")               \
    X(Dialog, Text, Color9, "#334D73")               \
    X(Dialog, Text, Color10, "#FFFFFF")              \
    X(Dialog, Text, Color11, "#FFFFFF")              \
    X(Dialog, Text, ColorP, "")                      \
    X(SaveAll, Bool, WriteCountry, false)            \
    X(SaveAll, Bool, WriteNumber, false)             \
    X(SaveAll, Bool, IncBirth, true)                 \
    X(SaveAll, Bool, IncHint, true)                  \
    X(SaveAll, OptInt, ChooseSearch, {})             \
    X(SaveAll, Bool, TOorAll, true)                  \
    X(SaveAll, OptInt, ViewEvent, {})                \
    X(SaveAll, OptInt, DataTop, {})                  \
    X(SaveAll, OptInt, DataLeft, {})                 \
    X(SaveAll, OptInt, DataHeight, {})               \
    X(SaveAll, OptInt, DataWidth, {})                \
    X(SaveAll, OptInt, LetterTop, {})                \
    X(SaveAll, OptInt, LetterLeft, {})               \
    X(SaveAll, OptInt, LetterHeight, {})             \
    X(SaveAll, OptInt, LetterWidth, {})              \
    X(SaveAll, OptInt, TodayBoxTop, {})              \
    X(SaveAll, OptInt, TodayBoxLeft, {})             \
    X(SaveAll, OptInt, TodayBoxHeight, {})           \
    X(SaveAll, OptInt, TodayBoxWidth, {})            \
    X(SaveAll, OptInt, ChangeHintTop, {})            \
    X(SaveAll, OptInt, ChangeHintLeft, {})           \
    X(SaveAll, OptInt, ChangeHintHeight, {})         \
    X(SaveAll, OptInt, ChangeHintWidth, {})          \
    X(SaveAll, OptInt, DatalistFormTop, {})          \
    X(SaveAll, OptInt, DatalistFormLeft, {})         \
    X(SaveAll, OptInt, DatalistFormHeight, {})       \
    X(SaveAll, OptInt, DatalistFormWidth, {})        \
    X(SaveAll, OptInt, ImportDataTop, {})            \
    X(SaveAll, OptInt, ImportDataLeft, {})           \
    X(SaveAll, OptInt, ImportDataHeight, {})         \
    X(SaveAll, OptInt, ImportDataWidth, {})          \
    X(SaveAll, OptInt, SetupTop, {})                 \
    X(SaveAll, OptInt, SetupLeft, {})                \
    X(SaveAll, OptInt, SetupHeight, {})              \
    X(SaveAll, OptInt, SetupWidth, {})               \
    X(SaveAll, OptBool, MenuPopupMenu11, {})         \
    X(SaveAll, OptBool, MenuPopupMenu12, {})         \
    X(SaveAll, OptBool, MenuPopupMenu13, {})         \
    X(SaveAll, OptBool, MenuPopupMenu14, {})         \
    X(SaveAll, OptBool, MenuPopupMenu15, {})         \
    X(SaveAll, OptBool, MenuPopupMenu16, {})         \
    X(SaveAll, OptBool, MenuPopupMenu17, {})         \
    X(SaveAll, OptBool, MenuPopupMenu18, {})         \
    X(SaveAll, OptBool, MenuPopupMenu19, {})         \
    X(SaveAll, OptBool, MenuPopupMenu111, {})        \
    X(SaveAll, OptBool, MenuPopupMenu21, {})         \
    X(SaveAll, OptBool, MenuPopupMenu22, {})         \
    X(SaveAll, OptBool, MenuPopupMenu23, {})         \
    X(SaveAll, OptBool, MenuPopupMenu25, {})         \
    X(SaveAll, OptBool, MenuPopupMenu31, {})         \
    X(SaveAll, OptBool, MenuPopupMenu32, {})         \
    X(SaveAll, OptBool, MenuPopupMenu33, {})         \
    X(SaveAll, OptBool, MenuPopupMenu35, {})         \
    X(SaveAll, Int, FB0, 225)                        \
    X(SaveAll, Int, FB1, 120)                        \
    X(Sync, Text, SyncServer, "")                    \
    X(Sync, Text, SyncUser, "")                      \
    X(Sync, Text, SyncCalendar, "")                  \
    X(Sync, Text, SyncAddressBook, "")               \
    X(Sync, Text, SyncPasswordCommand, "")           \
    X(Sync, Text, SyncTrusted, "")                   \
    X(Sync, Int, SyncEvery, 0)

// The numbers the settings dialog can choose, each as its spin box or list
// allows. A stored value outside its range is read as the nearest end, so a
// hand-edited or foreign settings file cannot make a loop over the coming days
// run for ever; the dialog takes its ranges from here.
struct SettingRange {
    std::int32_t min;
    std::int32_t max;
};

// X(name, min, max)
#define ORV_SETTING_RANGES(X) \
    X(nextweek, 1, 99)        \
    X(FontSize, 1, 200)       \
    X(Indicator, 1, 999)      \
    X(priority, 0, 2)         \
    X(WeekStart, 0, 6)        \
    X(FirstWeek, 0, 2)        \
    X(FontCharset, 0, 18)     \
    X(SyncEvery, 0, 1440)

namespace setting_range {
#define ORV_SETTING_RANGE(name, lo, hi) inline constexpr SettingRange name{lo, hi};
ORV_SETTING_RANGES(ORV_SETTING_RANGE)
#undef ORV_SETTING_RANGE
}  // namespace setting_range

// The range of a setting by its name; none for a number without one (window
// bounds, column widths, the page margins) and for the other kinds.
std::optional<SettingRange> RangeOf(std::string_view name);

struct Settings {
#define ORV_SETTING_MEMBER(group, kind, name, def) setting_type::kind name = def;
    ORV_SETTINGS_TABLE(ORV_SETTING_MEMBER)
#undef ORV_SETTING_MEMBER

    bool operator==(const Settings&) const = default;
};

// Reads the main key in the order of the initialisation. An absent value keeps
// what `settings` holds; the four page values count only together, else the
// print rectangle is the default one. A value of the wrong type is read as its
// default and reported ("Invalid data type for '<name>'"), and the read goes
// on: the result holds one message per line for every value that failed.
// ChangeHint's window bounds are written but never read.
Result ReadSettings(const SettingsStore& store, Settings& settings);

// ReadSettings plus the initialisation's writes, each at its place in the
// order: the main key is created, LastDate becomes `today` right after it was
// read (settings.LastDate keeps the previous date, which decides the every-day
// to-do list), WeekStart is written as 1 and FirstWeek as 0 when absent.
Result InitialiseSettings(SettingsStore& store, Settings& settings, std::int32_t today);

// The settings dialog's "Save": saved1 = true, then the Dialog values in order.
Result WriteDialogSettings(SettingsStore& store, const Settings& settings);

// The save-all step: saved1 = true, then the SaveAll values in order; an
// optional value that is empty is not written.
Result WriteSaveAllSettings(SettingsStore& store, const Settings& settings);

// The sync account's values (server, user, collections, password command,
// trusted certificates, minutes between syncs), written by the sync page.
Result WriteSyncSettings(SettingsStore& store, const Settings& settings);

// Colour profiles are sub-keys of the main key holding Ver2 = true and
// Color1..Color8; an absent colour leaves that entry as it is.
using ColourProfile = std::array<std::optional<std::string>, 8>;

// Writes Color1..Color8 of `settings` as the profile. The name must be one key
// name (not empty, no '\', no control characters), else "Failed to set data for '<name>'".
Result WriteColourProfile(SettingsStore& store, std::string_view profile, const Settings& settings);
// Empty when there is no such profile or it does not hold Ver2 = true.
ValueResult<ColourProfile> ReadColourProfile(const SettingsStore& store, std::string_view profile);
void ApplyColourProfile(const ColourProfile& profile, Settings& settings);
bool DeleteColourProfile(SettingsStore& store, std::string_view profile);
std::vector<std::string> ColourProfiles(const SettingsStore& store);

// Sets one value of the main key from "NAME=VALUE": a boolean takes 0 or 1, an
// integer a decimal number, a date YYYY-MM-DD, a colour entry Color1..Color11
// its text. Names are those of the table; other texts cannot be set this way.
// A number outside the range of RangeOf(NAME) is refused. The message says
// what was wrong. A text's line breaks become blanks; the result is then ok
// and its message says so.
Result ApplyOverride(SettingsStore& store, std::string_view nameEqualsValue);

}  // namespace orv
