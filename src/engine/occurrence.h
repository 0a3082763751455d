// One line of a result table: what occurs, produced by which record.
#pragma once

#include <string>
#include <vector>

namespace orv {

// The event type letters shown in every list.
namespace EventKind {
inline constexpr char Birthday = 'B';
inline constexpr char Normal = 'N';
inline constexpr char High = 'H';
inline constexpr char Low = 'L';
inline constexpr char Weekly = 'W';
inline constexpr char Monthly = 'M';
inline constexpr char Annual = 'Y';
inline constexpr char Advanced = 'A';
inline constexpr char Todo = 'T';
inline constexpr char EveryDay = 'E';
}  // namespace EventKind

// Letter of a calendar event by its priority (0 high, 1 normal, 2 low).
char PriorityLetter(int priority);

struct Occurrence {
    static constexpr int NoDays = -1;
    int DaysUntil = NoDays;  // shown only in tables with a days column; NoDays shows a blank
    char Kind = 0;
    std::string Text;
    int SourceIndex = -1;  // index in the producing list; -1 for to-do lines
};

// Rows in table order; row r's record index is rows[r].SourceIndex, so every
// occurrence has its row and its index entry, whatever its text.
using OccurrenceTable = std::vector<Occurrence>;

}  // namespace orv
