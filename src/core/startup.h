// The command line of orv: where the data and settings are, and which start
// mode the words "start", "LAU", "LAUall", "one" and "oneshow" select.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct ProgramArguments {
    std::optional<std::string> dataFolder;    // --data-folder DIR
    std::optional<std::string> settingsFile;  // --settings-file FILE
    std::vector<std::string> words;           // the positional words, position 1 first
    std::string error;                        // set when an option is malformed
    bool help = false;
    bool version = false;  // --version
    bool syncNow = false;                     // --sync-now: one sync, no window

    std::string word(std::size_t position) const  // 1-based, empty when absent
    {
        return position >= 1 && position <= words.size() ? words[position - 1] : std::string();
    }
};

ProgramArguments ParseCommandLine(const std::vector<std::string>& args);

// The options that make another start of the program use this data folder and
// settings file: every start the program makes itself (the launcher, "Minimize
// to ORV Launch", the start-with-system entry) carries them. Empty ones are left out.
std::vector<std::string> FolderArguments(const std::string& dataFolder, const std::string& settingsFile);

enum class StartMode {
    End,           // "one", already started today: nothing at all
    Launcher,      // the tray launcher only, no data
    Normal,        // create the windows and show the main window
    NormalNoShow,  // create the windows without the initial show
};

struct StartDecision {
    StartMode mode = StartMode::Normal;
    bool writeLastStartDate = false;  // record today as the last start
    bool overviewFirst = false;       // "start" or "LAU": the overview is the first view
};

// `lastStart` is the stored LastStartDate (serial days), `today` today's.
StartDecision DecideStart(const ProgramArguments& line, std::optional<std::int32_t> lastStart, std::int32_t today);

}  // namespace orv
