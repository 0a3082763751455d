// The start-with-system entry: which command line the settings dialog's "Save"
// registers to start the program at log-in, and the XDG autostart file that
// carries it on this platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The start-up options of the settings dialog.
struct AutostartChoice {
    bool CB1 = true;    // "Launch at Windows start-up"
    bool CB22 = false;  // "Use ORV Launch", counted only while enabled and on
    bool CB23 = false;  // "After the first start-up"
    bool CB2 = false;   // "Launch only once a day"
    bool CB3 = false;   // "Show only once a day"
};

struct StartCommand {
    std::string program;
    std::vector<std::string> options;  // where the data and settings are (FolderArguments)
    std::vector<std::string> words;    // "start"/"LAU"/"LAUall", then "one"/"oneshow"
    bool operator==(const StartCommand&) const = default;
};

// Empty when the entry is to be deleted (CB1 off). The dialog keeps CB2 and
// CB22 exclusive; should both be on, CB22 wins. The launcher variant starts the
// program itself in launcher mode ("LAUall"), there being no separate launcher.
// `options` go before the words, so that the program started at log-in uses
// the data folder and settings file of the one that wrote the entry.
std::optional<StartCommand> StartWithSystemCommand(const AutostartChoice& choice, std::string_view programPath,
                                                   std::vector<std::string> options = {});

// The program path, in double quotes when it holds a blank so that the words
// keep their positions, then each option (quoted likewise) and word after a blank.
std::string CommandLine(const StartCommand& command);

// The text of an XDG autostart desktop entry running `command`; its Exec line
// is quoted and escaped as desktop entries require.
std::string AutostartDesktopEntry(const StartCommand& command);

// $XDG_CONFIG_HOME/autostart/orv.desktop (XDG_CONFIG_HOME must be absolute to
// count), else $HOME/.config/autostart/orv.desktop; empty when neither is set.
std::string AutostartPathFrom(const char* xdgConfigHome, const char* home);
std::string DefaultAutostartPath();

}  // namespace orv
