#include "engine/overview.h"

#include <algorithm>

namespace orv {

std::string NextDaysHeading(int nextWeek)
{
    return nextWeek == 7 ? std::string("Next week's events") : "Next " + std::to_string(nextWeek) + " day's events";
}

namespace {

void AddTodos(OccurrenceTable& out, const std::vector<std::string>* items, char kind, int days)
{
    if (!items) return;
    for (const std::string& item : *items) out.push_back(Occurrence{days, kind, item, -1});
}

void FindDay(const EventFinder& finder, Date date, const FindArgs& args, const EventOptions& events,
             RecurrentKinds recurrent, OccurrenceTable& out)
{
    finder.FindEvent(date, args, events, out);
    finder.FindBirthday(date, args, Age::Shown, out);
    finder.FindRecurrent(date, args, recurrent, out);
    finder.FindRecAvd(date, args, out);
}

}  // namespace

Overview BuildOverview(const EventFinder& finder, Date today, const OverviewSettings& settings,
                       const OverviewTodos& todos)
{
    Overview o;
    // A stored choice outside 0..2 filters as the nearest one.
    const auto priorities = static_cast<Priorities>(std::clamp(settings.Priority, 0, 2));
    const EventOptions events{.priorities = priorities};
    Date date = today;
    FindDay(finder, date, FindArgs{}, events, RecurrentKinds{}, o.Today);
    AddTodos(o.Today, todos.Top, EventKind::Todo, Occurrence::NoDays);
    AddTodos(o.Today, todos.TodayEveryDay, EventKind::EveryDay, Occurrence::NoDays);

    date = NextDate(date);
    FindDay(finder, date, FindArgs{}, events, RecurrentKinds{}, o.Tomorrow);
    o.HighPriority = finder.HighPriorityCount(today) + finder.HighPriorityCount(date);

    for (int k = 2; k <= OverviewDaysAhead(settings); ++k) {
        date = NextDate(date);
        const FindArgs args{k, settings.DateOnNext, true};
        FindDay(finder, date, args, EventOptions{.priorities = priorities}, RecurrentKinds{.weekly = settings.WeeklyAllDays}, o.Next);
    }
    o.Heading = NextDaysHeading(settings.NextWeek);
    AddTodos(o.Next, todos.Bottom, EventKind::Todo, Occurrence::NoDays);
    return o;
}

int OverviewDaysAhead(const OverviewSettings& settings) { return std::max(1, settings.NextWeek); }

namespace {

std::string LineCaption(const Occurrence& o) { return std::string(1, o.Kind) + " - " + o.Text; }

std::vector<TrayMenuItem> Lines(const OccurrenceTable& table, TrayMenuItem::Table which)
{
    const std::size_t shown = std::min(table.size(), kTrayMenuLines);
    std::vector<TrayMenuItem> items;
    items.reserve(shown + 1);
    for (std::size_t r = 0; r < shown; ++r) {
        TrayMenuItem item;
        item.type = TrayMenuItem::Type::Line;
        item.caption = LineCaption(table[r]);
        item.table = which;
        item.row = static_cast<int>(r);
        items.push_back(std::move(item));
    }
    if (shown < table.size()) {
        TrayMenuItem more;
        more.type = TrayMenuItem::Type::Line;
        more.caption = kTrayMenuMore;
        more.table = which;
        items.push_back(std::move(more));  // row -1: the overview itself
    }
    return items;
}

TrayMenuItem Fixed(TrayMenuItem::Type type, std::string caption)
{
    TrayMenuItem item;
    item.type = type;
    item.caption = std::move(caption);
    return item;
}

}  // namespace

std::vector<TrayMenuItem> BuildTrayMenu(const Overview& overview)
{
    std::vector<TrayMenuItem> menu;
    const bool today = !overview.Today.empty();
    const bool tomorrow = !overview.Tomorrow.empty();
    const bool next = !overview.Next.empty();
    if (today) {
        TrayMenuItem heading = Fixed(TrayMenuItem::Type::Heading, "Today's events:");
        heading.isDefault = true;
        menu.push_back(std::move(heading));
        menu.push_back(Fixed(TrayMenuItem::Type::Separator, "-"));
        for (auto& line : Lines(overview.Today, TrayMenuItem::Table::Today)) menu.push_back(std::move(line));
    }
    if (tomorrow) {
        TrayMenuItem sub = Fixed(TrayMenuItem::Type::Submenu, "Tomorrow's events");
        sub.newColumn = today;
        sub.children = Lines(overview.Tomorrow, TrayMenuItem::Table::Tomorrow);
        menu.push_back(std::move(sub));
    }
    if (next) {
        TrayMenuItem sub = Fixed(TrayMenuItem::Type::Submenu, overview.Heading);
        sub.newColumn = today && !tomorrow;
        sub.children = Lines(overview.Next, TrayMenuItem::Table::Next);
        menu.push_back(std::move(sub));
    }
    if (tomorrow || next) menu.push_back(Fixed(TrayMenuItem::Type::Separator, "-"));
    TrayMenuItem box = Fixed(TrayMenuItem::Type::TodayBox, "Today Box");
    box.newColumn = today && !tomorrow && !next;
    menu.push_back(std::move(box));
    menu.push_back(Fixed(TrayMenuItem::Type::WriteLetter, "Write letter"));
    menu.push_back(Fixed(TrayMenuItem::Type::ShowOrv, "Show ORV"));
    menu.push_back(Fixed(TrayMenuItem::Type::Exit, "Exit"));
    return menu;
}

}  // namespace orv
