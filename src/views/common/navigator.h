// What the views and windows ask of the main window: open a view, go to a day,
// a person, a to-do item, the record behind a listed line. The main window
// implements it.
#pragma once

#include <vector>

#include "engine/dates.h"
#include "engine/occurrence.h"
#include "store/todofile.h"

namespace orv {

// The view items of the sidebar, by the number of their label MenuLn; the
// number is stored as the last view, so it stays with its view.
enum class ViewItem {
    NextWeek = 1,
    Calendar = 2,
    People = 3,
    Weekly = 4,
    Monthly = 5,
    Advanced = 6,
    Todo = 7,
    SearchPeople = 8,
    SearchCalendar = 9,
    Periodical = 10,
    PhoneBook = 11,
    Annually = 12,
    MonthCal = 13,
};

class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void ShowView(ViewItem item) = 0;
    // The to-do view with an item selected (index -1: none).
    virtual void ShowTodo(TodoList list, int index) = 0;
    // Presses "Done" for that item, as the overview's "Done" does.
    virtual void DoneTodo(TodoList list, int index) = 0;
    virtual void ShowCalendarAt(Date date) = 0;
    virtual void ShowAddress(int addressIndex) = 0;
    virtual void SendEmail(int addressIndex) = 0;
    // Weekly view with list item `weekdayItem` selected; monthly with the day's item.
    virtual void ShowWeekly(int weekdayItem) = 0;
    virtual void ShowMonthly(int dayItem) = 0;
    virtual void ShowAnnual(int day, int month) = 0;
    virtual void ShowAdvanced(int advancedIndex) = 0;
    // The view that holds the record behind a line listed for `day`: the
    // weekly, monthly or annual list on that day, the first advanced event of
    // the day, the person of a birthday (line.SourceIndex), the calendar on
    // the day, the to-do list. False when there is nothing to open: a kind
    // without a view, a person no longer in the address book.
    virtual bool OpenRecord(const Occurrence& line, Date day) = 0;
    // Shows the main window and brings the program to the front.
    virtual void ShowMainWindow() = 0;

    // The windows of their own: the letter writer, the data list, the import.
    virtual void ShowLetterWriter() = 0;
    // The data list window on its "Export" page; DataList::Cleared empties the
    // list first ("Create list").
    enum class DataList { Kept, Cleared };
    virtual void ShowDataList(DataList list) = 0;
    // The data list's "Add address" for each of these persons, in this order.
    virtual void AddToDataList(const std::vector<int>& addressIndexes) = 0;
    // The import window, modally.
    virtual void ShowImportData() = 0;
};

}  // namespace orv
