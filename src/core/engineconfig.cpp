#include "core/engineconfig.h"

#include <cstdlib>
#include <unistd.h>

#include "store/textutil.h"

namespace orv {

DateSettings DateSettingsFrom(const Settings& s)
{
    DateSettings d;
    d.WeekStart = (s.WeekStart >= 0 && s.WeekStart <= 6) ? s.WeekStart : 1;
    d.FirstWeek = s.FirstWeek;
    d.MonthFirst = s.CB25;
    return d;
}

OverviewSettings OverviewSettingsFrom(const Settings& s)
{
    OverviewSettings o;
    o.Priority = s.priority;
    o.NextWeek = s.nextweek;
    o.DateOnNext = s.CB21;
    o.WeeklyAllDays = !s.TOorAll;  // TOorAll true is "Today / tomorrow"
    return o;
}

TodayBoxSettings TodayBoxSettingsFrom(const Settings& s)
{
    return TodayBoxSettings{s.CB12, s.CB13, s.CB14, s.CB15, s.CB8, s.CB16, s.CB17, s.CB18};
}

namespace {
std::string WithSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}
}  // namespace

std::string DataFolderFrom(const char* orvDataFolder, const std::string& programDir, const char* xdgDataHome,
                           const char* home)
{
    if (orvDataFolder && *orvDataFolder) return WithSlash(orvDataFolder);
    if (!programDir.empty() && FileExists(WithSlash(programDir) + "data.orv")) return WithSlash(programDir);
    if (xdgDataHome && xdgDataHome[0] == '/') return WithSlash(xdgDataHome) + "orv/";
    if (home && *home) return WithSlash(home) + ".local/share/orv/";
    return "./";
}

std::string DefaultDataFolder(const std::string& programDir)
{
    return DataFolderFrom(std::getenv("ORV_DATA_FOLDER"), programDir, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string ProgramDirectory()
{
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return {};
    path.resize(static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace orv
