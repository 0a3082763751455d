// The four to-do lists and their plain text files todo1.qsf .. todo4.qsf.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/datafile.h"

namespace orv {

struct TodoLists {
    std::vector<std::string> Top;            // todo1.qsf
    std::vector<std::string> Bottom;         // todo2.qsf
    std::vector<std::string> TodayEveryDay;  // todo3.qsf: every-day items not yet done today
    std::vector<std::string> EveryDay;       // todo4.qsf
};

enum class TodoList { Top, Bottom, TodayEveryDay, EveryDay };

// File names in the order the lists are saved, indexed by TodoList.
inline constexpr std::array<std::string_view, 4> TodoFileNames{"todo1.qsf", "todo2.qsf", "todo3.qsf", "todo4.qsf"};

// The longest to-do item read from a file: some thirty printed pages. A
// longer one (a pasted file, a damaged list) costs some 85 times its size in
// the windows (10 MB took 800 MB); it is cut there when read, and its file is
// kept aside before the next save.
inline constexpr std::size_t kTodoItemLimit = kLongestValue;

// One item per line; an empty line between items is an empty item and a final
// line break adds none.
std::vector<std::string> ParseTodoText(std::string_view text);
// Every item followed by CR LF; a line break inside an item becomes a blank.
std::string SerializeTodoText(const std::vector<std::string>& items);

// "Done" / "Delete" on the item at `index` of `list`: from the every-day list it
// also removes every entry of today's list with exactly the same text; from the
// other lists only that item goes. False when there is no such item.
bool RemoveTodoItem(TodoLists& lists, TodoList list, std::size_t index);

struct TodoReport : Result {
    std::vector<std::string> asideCopies;  // unread files kept before this save replaced them
    // Files another program changed since they were read here: each was kept
    // aside before the list replaced it, and the text says where.
    std::vector<std::string> notices{};
};

// Reads and writes the to-do files of one data folder. Keep one object from load
// to save: a file that could not be read is kept aside before it is replaced.
class TodoFiles {
public:
    explicit TodoFiles(std::string folder, WallClock clock = {});

    std::string Path(TodoList list) const;

    // The every-day lists at initialisation. `lastDate` is the serial day of the
    // previous initialisation, `today` this one's; the caller records today after.
    // Same day: the every-day list from todo4.qsf and today's from todo3.qsf,
    // or from todo4.qsf without it. Another day or none recorded: both from
    // todo4.qsf. Nothing is read without todo4.qsf; a list not read keeps its items.
    TodoReport LoadEveryDay(TodoLists& lists, std::optional<std::int32_t> lastDate, std::int32_t today);
    // The top and bottom lists, each only when its file exists.
    TodoReport LoadTopBottom(TodoLists& lists);
    // Writes todo1.qsf .. todo4.qsf in order; stops at the first failure. A
    // list is never written over a file that was not read into it: such a
    // file stays as it is, and one that failed to read, or that another
    // program changed since, is first kept aside.
    TodoReport Save(const TodoLists& lists);

private:
    struct Read {
        TodoList file;
        std::vector<std::vector<std::string>*> into;
    };
    TodoReport Run(const std::vector<Read>& plan);
    void MarkInStep(TodoList list, bool inStep);

    std::string folder_;
    WallClock clock_;
    std::array<bool, 4> unread_{};
    // The version of each file when it was read or written here.
    std::array<FileStamp, 4> stamp_{};
    // The list holds what its file holds (read, replaced at a new day, saved,
    // or there was no file): only then may a save replace the file.
    std::array<bool, 4> inStep_{};
};

}  // namespace orv
