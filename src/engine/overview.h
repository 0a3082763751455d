// The overview of today, tomorrow and the coming days, and the tray menu built
// from it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/eventfinder.h"

namespace orv {

struct OverviewSettings {
    int Priority = 1;      // 0 only high, 1 normal and high, 2 all
    int NextWeek = 7;      // days covered
    bool DateOnNext = false;  // CB21: short date before next-days lines
    bool WeeklyAllDays = true;  // TOorAll: weekly events in the next-days table too
};

// The to-do lines the overview shows: top and today's every-day list with
// today's events, the bottom list after the coming days.
struct OverviewTodos {
    const std::vector<std::string>* Top = nullptr;
    const std::vector<std::string>* TodayEveryDay = nullptr;
    const std::vector<std::string>* Bottom = nullptr;
};

struct Overview {
    OccurrenceTable Today;
    OccurrenceTable Tomorrow;
    OccurrenceTable Next;  // DaysUntil set; bottom to-do lines have NoDays
    std::string Heading;   // "Next week's events", "Next 10 day's events"
    // High-priority calendar events today and tomorrow: what the reminder sound is for.
    int HighPriority = 0;
};

std::string NextDaysHeading(int nextWeek);

Overview BuildOverview(const EventFinder& finder, Date today, const OverviewSettings& settings,
                       const OverviewTodos& todos);
// The last day the overview shows, in days after today (tomorrow at least):
// a reader may leave out the calendar events after it.
int OverviewDaysAhead(const OverviewSettings& settings);

// The tray menu as data for the shell to show.
struct TrayMenuItem {
    enum class Type { Heading, Separator, Line, Submenu, TodayBox, WriteLetter, ShowOrv, Exit };
    enum class Table { None, Today, Tomorrow, Next };
    Type type = Type::Line;
    std::string caption;
    bool isDefault = false;     // shown bold
    bool newColumn = false;     // starts a new menu column with a bar
    Table table = Table::None;  // for lines: the table and row the line acts on
    int row = -1;               // -1 on a line: the whole table (the overview)
    std::vector<TrayMenuItem> children;
};

// A section shows at most this many lines, then kTrayMenuMore (a line with
// row -1, which opens the overview): a menu taller than the screen is of no
// use, and a long to-do list would make building it cost seconds.
inline constexpr std::size_t kTrayMenuLines = 30;
inline constexpr const char* kTrayMenuMore = "\xE2\x80\xA6";  // "…"

std::vector<TrayMenuItem> BuildTrayMenu(const Overview& overview);

}  // namespace orv
