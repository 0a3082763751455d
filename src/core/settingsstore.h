// A typed, registry-shaped settings store kept in one text file in the ".reg"
// export format. Keys are paths below HKEY_CURRENT_USER; each key holds named
// values of type dword, string or binary. Everything lives in memory between
// Load() and Save(), so a batch of writes costs one atomic file write.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/textutil.h"

namespace orv {

// The program's own key; colour profiles are its sub-keys.
inline constexpr std::string_view kSettingsKey = "Software\\Quillon Software\\ORV";

// How a value is stored. Other covers the registry types this program never
// writes (expandable and multi strings, qwords, ...); they are kept as raw bytes
// so that a file exported elsewhere survives a load and save unchanged.
enum class ValueType { Dword, Text, Binary, Other };

// The outcome of a read: a failure message, or the value (empty when absent).
template <typename T>
struct ValueResult : Result {
    std::optional<T> value;
};

// ORV_SETTINGS_FILE when set and not empty; else $XDG_CONFIG_HOME/orv/settings.reg
// (XDG_CONFIG_HOME must be absolute to count); else $HOME/.config/orv/settings.reg.
// Empty when none of them is usable.
std::string SettingsPathFrom(const char* orvSettingsFile, const char* xdgConfigHome, const char* home);
std::string DefaultSettingsPath();

class SettingsStore {
public:
    SettingsStore() = default;
    explicit SettingsStore(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Replaces the content with the file at Path(). A missing or empty file is an
    // empty store. An unreadable file, or one without a registry header, fails
    // with "Failed to get data for '<path>'" and leaves the store empty; Save()
    // then refuses to overwrite that file.
    Result Load();

    // Writes the whole store to Path() through a temporary file and a rename,
    // creating the folder when needed. Fails with "Failed to set data for '<path>'"
    // and, on the next line, the reason (the system's words where it gave them).
    // A file another program (the user's editor) changed since it was read
    // or written here is copied aside first; OutsideChange() then says where.
    Result Save();

    // After a Save() that kept another program's version aside: the text that
    // tells the user where; empty otherwise.
    const std::string& OutsideChange() const { return outsideChange_; }

    // Replaces the content with a parsed ".reg" text (UTF-8, UTF-16LE with BOM,
    // "REGEDIT4" or version 5.00). False when the text has no registry header.
    // Malformed lines are skipped and listed in Warnings().
    bool Parse(std::string_view bytes);

    // The whole store as ".reg" text: version 5.00 header, UTF-8, CR LF.
    std::string Serialize() const;

    // What the last Load() or Parse() skipped, one "line N: ..." text each.
    const std::vector<std::string>& Warnings() const { return warnings_; }

    // Key paths are relative to HKEY_CURRENT_USER, components separated by '\';
    // names of keys and values compare ASCII case-insensitively, as in the
    // registry, and keep the spelling they were created with.
    bool OpenKey(std::string_view key, bool create);
    bool KeyExists(std::string_view key) const;
    std::vector<std::string> SubKeyNames(std::string_view key) const;
    // Removes the key with its values and all its sub-keys.
    bool DeleteKey(std::string_view key);

    bool ValueExists(std::string_view key, std::string_view name) const;
    std::optional<ValueType> TypeOf(std::string_view key, std::string_view name) const;
    std::vector<std::string> ValueNames(std::string_view key) const;
    bool DeleteValue(std::string_view key, std::string_view name);

    // Reads fail with "Invalid data type for '<name>'" when the value has another
    // type; a date that is not 8 bytes or not a day of the years 1..9999 fails
    // with "Failed to get data for '<name>'".
    ValueResult<bool> ReadBool(std::string_view key, std::string_view name) const;
    ValueResult<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const;
    ValueResult<std::string> ReadText(std::string_view key, std::string_view name) const;
    // Days since 1899-12-30; a time of day is dropped.
    ValueResult<std::int32_t> ReadDate(std::string_view key, std::string_view name) const;

    // Writes create the key. They fail with "Failed to set data for '<name>'" when
    // the key path or the name cannot be stored (empty parts, control
    // characters in key names, line breaks in names or texts).
    Result WriteBool(std::string_view key, std::string_view name, bool value);
    Result WriteInteger(std::string_view key, std::string_view name, std::int32_t value);
    Result WriteText(std::string_view key, std::string_view name, std::string_view value);
    Result WriteDate(std::string_view key, std::string_view name, std::int32_t serial);

private:
    struct Value {
        std::string name;
        ValueType type = ValueType::Dword;
        std::uint32_t dword = 0;
        std::uint32_t rawType = 0;  // registry type number of an Other value
        std::string data;           // the text, or the raw bytes of Binary and Other
    };
    struct Key {
        std::string path;  // as first spelled
        std::vector<Value> values;
    };

    Key* FindKey(std::string_view key);
    const Key* FindKey(std::string_view key) const;
    const Value* FindValue(std::string_view key, std::string_view name) const;
    Key* CreateKey(std::string_view normalisedPath);
    Result Store(std::string_view key, Value value);
    void ParseValueLine(const std::vector<std::string_view>& lines, std::size_t& i, Key* target);
    void Warn(std::size_t line, std::string_view what);

    std::string path_;
    FileStamp stamp_;  // the file as last read or written here
    std::string outsideChange_;
    bool loadFailed_ = false;
    std::string loadFailure_;  // why, for the message of a refused save
    // Folded paths (lower case, '\' made the lowest byte) keep each key right
    // after its parent and before its siblings' sub-keys.
    std::map<std::string, Key> keys_;
    std::vector<std::string> warnings_;
};

}  // namespace orv
