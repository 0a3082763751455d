#include "core/settings.h"

#include <algorithm>
#include <chrono>
#include <variant>

#include "store/records.h"

namespace orv {

namespace {

enum class Kind { Bool, Int, Text, OptBool, OptInt, OptDate };
enum class Group { Life, Dialog, SaveAll, Sync };

using Member = std::variant<bool Settings::*, std::int32_t Settings::*, std::string Settings::*,
                            std::optional<bool> Settings::*, std::optional<std::int32_t> Settings::*>;

struct Entry {
    std::string_view name;
    Kind kind;
    Group group;
    Member member;
};

const Entry kTable[] = {
#define ORV_SETTING_ENTRY(group, kind, name, def) {#name, Kind::kind, Group::group, &Settings::name},
    ORV_SETTINGS_TABLE(ORV_SETTING_ENTRY)
#undef ORV_SETTING_ENTRY
};

// The order in which start-up and the initialisation read (and so where a
// value of the wrong type stops them). The page values are read together.
constexpr std::string_view kReadOrder[] = {
    "LastStartDate", "LastDate",
    "DataTop", "DataLeft", "DataHeight", "DataWidth",
    "LetterTop", "LetterLeft", "LetterHeight", "LetterWidth",
    "TodayBoxTop", "TodayBoxLeft", "TodayBoxHeight", "TodayBoxWidth",
    "DatalistFormTop", "DatalistFormLeft", "DatalistFormHeight", "DatalistFormWidth",
    "ImportDataTop", "ImportDataLeft", "ImportDataHeight", "ImportDataWidth",
    "SetupTop", "SetupLeft", "SetupHeight", "SetupWidth",
    "nextweek", "priority", "ChooseSearch", "WeekStart", "FirstWeek",
    "MenuPopupMenu11", "MenuPopupMenu12", "MenuPopupMenu13", "MenuPopupMenu14", "MenuPopupMenu15",
    "MenuPopupMenu16", "MenuPopupMenu17", "MenuPopupMenu18", "MenuPopupMenu19", "MenuPopupMenu111",
    "MenuPopupMenu21", "MenuPopupMenu22", "MenuPopupMenu23", "MenuPopupMenu25",
    "MenuPopupMenu31", "MenuPopupMenu32", "MenuPopupMenu33", "MenuPopupMenu35",
    "CB1", "CB2", "CB3", "CB4", "CB5", "CB6", "CB7", "CB8", "CB9", "CB10", "CB11", "CB12", "CB13", "CB14",
    "CB15", "CB16", "CB17", "CB18", "CB19", "CB20", "CB21", "CB22", "CB23", "CB24", "CB25", "CB27", "CB28",
    "CB29", "CB30",
    "FontName", "FontSize", "FontCharset", "Indicator",
    "Color1", "Color2", "Color3", "Color4", "Color5", "Color6", "Color7", "Color8", "Color9", "Color10",
    "Color11", "ColorP",
    "WriteCountry", "WriteNumber", "IncBirth", "IncHint", "TOorAll",
    "PageL", "PageR", "PageT", "PageB",
    "ViewEvent", "saved1", "FB0", "FB1",
    "SyncServer", "SyncUser", "SyncCalendar", "SyncAddressBook", "SyncPasswordCommand", "SyncTrusted", "SyncEvery",
};

constexpr std::string_view kPages[] = {"PageL", "PageR", "PageT", "PageB"};

// ChangeHint's window bounds are written but never read.
constexpr std::string_view kWrittenOnly[] = {"ChangeHintTop", "ChangeHintLeft", "ChangeHintHeight", "ChangeHintWidth"};

// A setting missing from kReadOrder would be saved but never read back, which
// no test of the existing settings would notice: the build refuses it.
constexpr bool EverySettingIsReadOnce()
{
    constexpr std::string_view names[] = {
#define ORV_SETTING_NAME(group, kind, name, def) #name,
        ORV_SETTINGS_TABLE(ORV_SETTING_NAME)
#undef ORV_SETTING_NAME
    };
    auto count = [](const auto& list, std::string_view name) { return std::count(std::begin(list), std::end(list), name); };
    for (std::string_view name : names)
        if (count(kReadOrder, name) + count(kWrittenOnly, name) != 1) return false;
    return std::size(kReadOrder) + std::size(kWrittenOnly) == std::size(names);
}
static_assert(EverySettingIsReadOnce(), "every setting is in kReadOrder once, or written only");

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

const Entry* FindEntry(std::string_view name)
{
    for (const Entry& e : kTable)
        if (e.name == name) return &e;
    return nullptr;
}

Result ReadEntry(const SettingsStore& store, const Entry& e, Settings& s)
{
    switch (e.kind) {
    case Kind::Bool:
    case Kind::OptBool: {
        const ValueResult<bool> r = store.ReadBool(kSettingsKey, e.name);
        if (r.value) {
            if (e.kind == Kind::Bool) s.*std::get<bool Settings::*>(e.member) = *r.value;
            else s.*std::get<std::optional<bool> Settings::*>(e.member) = *r.value;
        }
        return r;
    }
    case Kind::Int:
    case Kind::OptInt:
    case Kind::OptDate: {
        const ValueResult<std::int32_t> r = e.kind == Kind::OptDate ? store.ReadDate(kSettingsKey, e.name)
                                                                    : store.ReadInteger(kSettingsKey, e.name);
        if (r.value) {
            std::int32_t value = *r.value;
            if (const std::optional<SettingRange> range = RangeOf(e.name))
                value = std::clamp(value, range->min, range->max);
            if (e.kind == Kind::Int) s.*std::get<std::int32_t Settings::*>(e.member) = value;
            else s.*std::get<std::optional<std::int32_t> Settings::*>(e.member) = value;
        }
        return r;
    }
    case Kind::Text: {
        const ValueResult<std::string> r = store.ReadText(kSettingsKey, e.name);
        if (r.value) s.*std::get<std::string Settings::*>(e.member) = *r.value;
        return r;
    }
    }
    return Result::Ok();
}

Result WriteEntry(SettingsStore& store, const Entry& e, const Settings& s)
{
    switch (e.kind) {
    case Kind::Bool:
        return store.WriteBool(kSettingsKey, e.name, s.*std::get<bool Settings::*>(e.member));
    case Kind::OptBool: {
        const std::optional<bool>& v = s.*std::get<std::optional<bool> Settings::*>(e.member);
        return v ? store.WriteBool(kSettingsKey, e.name, *v) : Result::Ok();
    }
    case Kind::Int:
        return store.WriteInteger(kSettingsKey, e.name, s.*std::get<std::int32_t Settings::*>(e.member));
    case Kind::OptInt:
    case Kind::OptDate: {
        const std::optional<std::int32_t>& v = s.*std::get<std::optional<std::int32_t> Settings::*>(e.member);
        if (!v) return Result::Ok();
        return e.kind == Kind::OptDate ? store.WriteDate(kSettingsKey, e.name, *v)
                                       : store.WriteInteger(kSettingsKey, e.name, *v);
    }
    case Kind::Text:
        return store.WriteText(kSettingsKey, e.name, s.*std::get<std::string Settings::*>(e.member));
    }
    return Result::Ok();
}

// Puts the default back into the member of `e`, after its stored value could not be read.
void ResetEntry(const Entry& e, Settings& s)
{
    const Settings defaults;
    std::visit([&](auto member) { s.*member = defaults.*member; }, e.member);
}

// The print rectangle counts only when all four values exist and can be read;
// else it is the default one, whatever `s` held before.
Result ReadPageRect(const SettingsStore& store, Settings& s)
{
    Settings read;
    bool all = true;
    for (const std::string_view name : kPages) all = all && store.ValueExists(kSettingsKey, name);
    Result failed;
    if (all) {
        read = s;
        for (const std::string_view name : kPages) {
            const Result r = ReadEntry(store, *FindEntry(name), read);
            if (!r.ok && failed.ok) failed = r;
        }
        if (!failed.ok) read = Settings{};
    }
    s.PageL = read.PageL;
    s.PageR = read.PageR;
    s.PageT = read.PageT;
    s.PageB = read.PageB;
    return failed;
}

// The writes of the initialisation that follow the read of `name`.
Result InitialiseAfter(SettingsStore& store, std::string_view name, std::int32_t today)
{
    if (name == "LastDate") return store.WriteDate(kSettingsKey, name, today);
    if (name == "WeekStart" && !store.ValueExists(kSettingsKey, name)) return store.WriteInteger(kSettingsKey, name, 1);
    if (name == "FirstWeek" && !store.ValueExists(kSettingsKey, name)) return store.WriteInteger(kSettingsKey, name, 0);
    return Result::Ok();
}

// A value that cannot be read is reported and taken as its default; the
// values after it are read all the same, so that one bad value costs that
// value only. The messages are joined one per line.
Result ReadInOrder(const SettingsStore& store, Settings& s, SettingsStore* init, std::int32_t today)
{
    std::string messages;
    auto note = [&](const Result& r) {
        if (r.ok) return;
        if (!messages.empty()) messages += '\n';
        messages += r.message;
    };
    for (std::size_t i = 0; i < std::size(kReadOrder); ++i) {
        const std::string_view name = kReadOrder[i];
        if (name == kPages[0]) {
            note(ReadPageRect(store, s));
            i += std::size(kPages) - 1;
            continue;
        }
        const Entry& e = *FindEntry(name);
        const Result r = ReadEntry(store, e, s);
        if (!r.ok) ResetEntry(e, s);
        note(r);
        if (init) note(InitialiseAfter(*init, name, today));
    }
    return messages.empty() ? Result::Ok() : Result::Error(std::move(messages));
}

Result WriteGroup(SettingsStore& store, const Settings& s, Group group)
{
    Result r = store.WriteBool(kSettingsKey, "saved1", true);
    for (const Entry& e : kTable) {
        if (!r.ok) break;
        if (e.group == group) r = WriteEntry(store, e, s);
    }
    return r;
}

std::string ProfileKey(std::string_view profile) { return std::string(kSettingsKey) + "\\" + std::string(profile); }

bool IsProfileName(std::string_view profile)
{
    if (profile.empty()) return false;
    for (const char c : profile)
        if (c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

// The eight sidebar and title colours a profile holds.
constexpr std::string Settings::*kProfileColours[] = {&Settings::Color1, &Settings::Color2, &Settings::Color3,
                                                      &Settings::Color4, &Settings::Color5, &Settings::Color6,
                                                      &Settings::Color7, &Settings::Color8};

bool AllDigits(std::string_view s)
{
    if (s.empty()) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// YYYY-MM-DD of the years 1..9999 as days since 1899-12-30.
std::optional<std::int32_t> ParseIsoDate(std::string_view s)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    const std::string_view ys = s.substr(0, 4), ms = s.substr(5, 2), ds = s.substr(8, 2);
    if (!AllDigits(ys) || !AllDigits(ms) || !AllDigits(ds)) return std::nullopt;
    const int y = *ParseInt32(ys), m = *ParseInt32(ms), d = *ParseInt32(ds);
    const std::chrono::year_month_day ymd{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                          std::chrono::day{static_cast<unsigned>(d)}};
    if (y < 1 || !ymd.ok()) return std::nullopt;
    return DateSerial(y, m, d);
}

}  // namespace

std::optional<SettingRange> RangeOf(std::string_view name)
{
#define ORV_SETTING_RANGE_CASE(n, lo, hi) \
    if (name == #n) return setting_range::n;
    ORV_SETTING_RANGES(ORV_SETTING_RANGE_CASE)
#undef ORV_SETTING_RANGE_CASE
    return std::nullopt;
}

Result ReadSettings(const SettingsStore& store, Settings& settings)
{
    return ReadInOrder(store, settings, nullptr, 0);
}

Result InitialiseSettings(SettingsStore& store, Settings& settings, std::int32_t today)
{
    store.OpenKey(kSettingsKey, true);
    return ReadInOrder(store, settings, &store, today);
}

Result WriteDialogSettings(SettingsStore& store, const Settings& settings)
{
    return WriteGroup(store, settings, Group::Dialog);
}

Result WriteSaveAllSettings(SettingsStore& store, const Settings& settings)
{
    return WriteGroup(store, settings, Group::SaveAll);
}

Result WriteSyncSettings(SettingsStore& store, const Settings& settings)
{
    return WriteGroup(store, settings, Group::Sync);
}

Result WriteColourProfile(SettingsStore& store, std::string_view profile, const Settings& settings)
{
    if (!IsProfileName(profile)) return Result::Error("Failed to set data for " + Quoted(profile));
    const std::string key = ProfileKey(profile);
    Result r = store.WriteBool(key, "Ver2", true);
    for (std::size_t i = 0; i < std::size(kProfileColours) && r.ok; ++i)
        r = store.WriteText(key, "Color" + std::to_string(i + 1), settings.*kProfileColours[i]);
    return r;
}

ValueResult<ColourProfile> ReadColourProfile(const SettingsStore& store, std::string_view profile)
{
    if (!IsProfileName(profile)) return {};
    const std::string key = ProfileKey(profile);
    const ValueResult<bool> ver2 = store.ReadBool(key, "Ver2");
    if (!ver2.ok || !ver2.value.value_or(false)) return {ver2, std::nullopt};
    ColourProfile colours;
    static_assert(std::tuple_size_v<ColourProfile> == std::size(kProfileColours));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        ValueResult<std::string> c = store.ReadText(key, "Color" + std::to_string(i + 1));
        if (!c.ok) return {c, std::nullopt};
        colours[i] = std::move(c.value);
    }
    return {Result::Ok(), std::move(colours)};
}

void ApplyColourProfile(const ColourProfile& profile, Settings& settings)
{
    for (std::size_t i = 0; i < profile.size(); ++i)
        if (profile[i]) settings.*kProfileColours[i] = *profile[i];
}

bool DeleteColourProfile(SettingsStore& store, std::string_view profile)
{
    return IsProfileName(profile) && store.DeleteKey(ProfileKey(profile));
}

std::vector<std::string> ColourProfiles(const SettingsStore& store)
{
    return store.SubKeyNames(kSettingsKey);
}

Result ApplyOverride(SettingsStore& store, std::string_view nameEqualsValue)
{
    const std::size_t eq = nameEqualsValue.find('=');
    if (eq == std::string_view::npos) return Result::Error("expected NAME=VALUE, not " + Quoted(nameEqualsValue));
    const std::string_view name = nameEqualsValue.substr(0, eq);
    const std::string_view value = nameEqualsValue.substr(eq + 1);
    const Entry* e = FindEntry(name);
    if (!e) return Result::Error("unknown setting " + Quoted(name));
    switch (e->kind) {
    case Kind::Bool:
    case Kind::OptBool: {
        const std::optional<std::int32_t> v = ParseInt32(value);
        if (!v || (*v != 0 && *v != 1))
            return Result::Error(Quoted(name) + " takes 0 or 1, not " + Quoted(value));
        return store.WriteBool(kSettingsKey, e->name, *v == 1);
    }
    case Kind::Int:
    case Kind::OptInt: {
        const std::optional<std::int32_t> v = ParseInt32(value);
        if (!v) return Result::Error(Quoted(name) + " takes a decimal integer, not " + Quoted(value));
        if (const std::optional<SettingRange> range = RangeOf(name); range && (*v < range->min || *v > range->max))
            return Result::Error(Quoted(name) + " takes " + std::to_string(range->min) + " to " +
                                     std::to_string(range->max) + ", not " + Quoted(value));
        return store.WriteInteger(kSettingsKey, e->name, *v);
    }
    case Kind::OptDate: {
        const std::optional<std::int32_t> v = ParseIsoDate(value);
        if (!v) return Result::Error(Quoted(name) + " takes a date YYYY-MM-DD, not " + Quoted(value));
        return store.WriteDate(kSettingsKey, e->name, *v);
    }
    case Kind::Text:
        // The colour entries, for the phone book page; other texts stay as stored.
        if (name.substr(0, 5) == "Color" && name != "ColorP") {
            // The settings file holds a text on one line.
            if (!HasLineBreak(value)) return store.WriteText(kSettingsKey, e->name, value);
            Result r = store.WriteText(kSettingsKey, e->name, OneLine(value));
            if (r.ok) r.message = Quoted(name) + ": its line breaks became blanks";
            return r;
        }
        break;
    }
    return Result::Error(Quoted(name) + " is a text and cannot be set here");
}

}  // namespace orv
