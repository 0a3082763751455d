// The settings as the engine takes them, and where the data lives.
#pragma once

#include <string>

#include "core/settings.h"
#include "engine/dayviews.h"
#include "engine/overview.h"

namespace orv {

// A week start outside Sunday..Saturday (a hand-edited store) counts as Monday,
// the default, rather than shifting every week number.
DateSettings DateSettingsFrom(const Settings& s);
OverviewSettings OverviewSettingsFrom(const Settings& s);
TodayBoxSettings TodayBoxSettingsFrom(const Settings& s);

// The data folder, ending in '/': ORV_DATA_FOLDER when set; else the program's
// own folder when it holds data.orv (a portable install); else
// $XDG_DATA_HOME/orv/ ($HOME/.local/share/orv/). `programDir` may be empty.
std::string DataFolderFrom(const char* orvDataFolder, const std::string& programDir, const char* xdgDataHome,
                           const char* home);
std::string DefaultDataFolder(const std::string& programDir);

// The folder of the running executable, ending in '/'; empty when unknown.
std::string ProgramDirectory();

}  // namespace orv
