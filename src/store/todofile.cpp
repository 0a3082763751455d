#include "store/todofile.h"

#include <algorithm>

namespace orv {

namespace {

std::size_t Index(TodoList list) { return static_cast<std::size_t>(list); }

// Anything at the path counts: a folder in place of a list is a file that
// cannot be read, to be reported, not a missing one.
bool Exists(const std::string& path) { return PathExists(path); }

// Cuts every item longer than kTodoItemLimit. Returns how many were cut.
std::size_t CutLongItems(std::vector<std::string>& items)
{
    std::size_t cut = 0;
    for (std::string& item : items) cut += CutToLimit(item, kTodoItemLimit) ? 1 : 0;
    return cut;
}

}  // namespace

std::vector<std::string> ParseTodoText(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    return {lines.begin(), lines.end()};
}

std::string SerializeTodoText(const std::vector<std::string>& items)
{
    std::size_t size = 0;
    for (const std::string& item : items) size += item.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& item : items) {
        // An item is one line; a break inside it would split it in two on reading.
        if (HasLineBreak(item)) out += OneLine(item);
        else out += item;
        out += "\r\n";
    }
    return out;
}

bool RemoveTodoItem(TodoLists& lists, TodoList list, std::size_t index)
{
    std::vector<std::string>* items = nullptr;
    switch (list) {
    case TodoList::Top: items = &lists.Top; break;
    case TodoList::Bottom: items = &lists.Bottom; break;
    case TodoList::TodayEveryDay: items = &lists.TodayEveryDay; break;
    case TodoList::EveryDay: items = &lists.EveryDay; break;
    }
    if (items == nullptr || index >= items->size()) return false;
    if (list == TodoList::EveryDay) {
        const std::string& text = (*items)[index];
        std::erase(lists.TodayEveryDay, text);
    }
    items->erase(items->begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

TodoFiles::TodoFiles(std::string folder, WallClock clock) : folder_(std::move(folder)), clock_(std::move(clock))
{
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

std::string TodoFiles::Path(TodoList list) const { return folder_ + std::string(TodoFileNames[Index(list)]); }

TodoReport TodoFiles::Run(const std::vector<Read>& plan)
{
    TodoReport report;
    for (std::size_t step = 0; step < plan.size(); ++step) {
        const ReadResult file = ReadWholeFile(Path(plan[step].file));
        stamp_[Index(plan[step].file)] = file.stamp;
        if (!file.exists) continue;
        if (!file.ok) {
            // This file and those the failure kept from being read would be
            // replaced by lists that lack their items: keep them before the save.
            for (std::size_t rest = step; rest < plan.size(); ++rest) {
                if (rest == step || Exists(Path(plan[rest].file))) unread_[Index(plan[rest].file)] = true;
            }
            if (!report.ok) report.message += "\n";
            report.message += file.message;
            report.ok = false;
            return report;
        }
        std::vector<std::string> items = ParseTodoText(file.content);
        if (const std::size_t cut = CutLongItems(items); cut > 0) {
            // The items are of use without their far end, but the file is kept
            // whole: the next save copies it aside before replacing it.
            const std::size_t i = Index(plan[step].file);
            unread_[i] = true;
            if (!report.ok) report.message += "\n";
            report.message += "'" + std::string(TodoFileNames[i]) + "': " + std::to_string(cut) +
                              (cut == 1 ? " item was" : " items were") + " longer than " +
                              std::to_string(kTodoItemLimit / 1024) +
                              " KB and cut there. The whole file is kept beside it as a copy ending in "
                              "'.unread' before it is next saved.";
            report.ok = false;
        }
        for (std::vector<std::string>* list : plan[step].into) *list = items;
    }
    return report;
}

void TodoFiles::MarkInStep(TodoList list, bool inStep)
{
    inStep_[Index(list)] = inStep;
    stamp_[Index(list)] = StampOf(Path(list));
}

TodoReport TodoFiles::LoadEveryDay(TodoLists& lists, std::optional<std::int32_t> lastDate, std::int32_t today)
{
    if (!Exists(Path(TodoList::EveryDay))) {
        // Nothing is read: a today's list without its every-day list stays as
        // it is on disk, since no list holds its items.
        MarkInStep(TodoList::EveryDay, true);
        MarkInStep(TodoList::TodayEveryDay, !Exists(Path(TodoList::TodayEveryDay)));
        return {};
    }
    // Either way today's list is read or started again from the every-day
    // list, which replaces what todo3.qsf held.
    MarkInStep(TodoList::EveryDay, true);
    MarkInStep(TodoList::TodayEveryDay, true);
    // Without a recorded date the start counts as a new day, so that both files'
    // items are in the lists that the next save writes.
    const bool sameDay = lastDate && *lastDate == today;
    if (sameDay && Exists(Path(TodoList::TodayEveryDay))) {
        return Run({{TodoList::EveryDay, {&lists.EveryDay}}, {TodoList::TodayEveryDay, {&lists.TodayEveryDay}}});
    }
    return Run({{TodoList::EveryDay, {&lists.EveryDay, &lists.TodayEveryDay}}});
}

TodoReport TodoFiles::LoadTopBottom(TodoLists& lists)
{
    MarkInStep(TodoList::Top, true);
    MarkInStep(TodoList::Bottom, true);
    std::vector<Read> plan;
    if (Exists(Path(TodoList::Top))) plan.push_back({TodoList::Top, {&lists.Top}});
    if (Exists(Path(TodoList::Bottom))) plan.push_back({TodoList::Bottom, {&lists.Bottom}});
    return Run(plan);
}

TodoReport TodoFiles::Save(const TodoLists& lists)
{
    TodoReport report;
    if (const Result folder = EnsureFolder(folder_); !folder.ok) return {false, folder.message, {}};
    const std::array<const std::vector<std::string>*, 4> all{&lists.Top, &lists.Bottom, &lists.TodayEveryDay,
                                                             &lists.EveryDay};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string path = Path(static_cast<TodoList>(i));
        // A file that was never read holds items no list has: it stays.
        if (!inStep_[i] && !unread_[i] && Exists(path)) continue;
        // Another program's version (a second device's file sync, an editor)
        // is kept, not overwritten blindly.
        const bool changedOutside = inStep_[i] && !unread_[i] && ChangedSince(path, stamp_[i]);
        if (unread_[i] || changedOutside) {
            AsideCopy aside = CopyAside(path, clock_());
            if (!aside.ok) {
                report.ok = false;
                report.message = "'" + std::string(TodoFileNames[i]) +
                                 "' could not be read and no copy of it could be kept, so it was not replaced: " +
                                 aside.message;
                return report;
            }
            if (changedOutside && !aside.copy.empty())
                report.notices.push_back("'" + std::string(TodoFileNames[i]) +
                                         "' was changed by another program while ORV had it open. ORV's list was "
                                         "saved; the other version is kept unchanged as:\n" + aside.copy);
            if (!aside.copy.empty()) report.asideCopies.push_back(std::move(aside.copy));
            unread_[i] = false;
        }
        const Result written = WriteFileAtomic(path, SerializeTodoText(*all[i]), &stamp_[i]);
        if (!written.ok) {
            report.ok = false;
            report.message = written.message;
            return report;
        }
        inStep_[i] = true;
    }
    return report;
}

}  // namespace orv
