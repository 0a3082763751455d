// The small month calendar of the calendar view and the date picker: six week
// rows of day numbers under a row of weekday names, with the days of the
// months before and after greyed, and the selection and stepping rules the
// calendar widget shows. Pure, so that every rule is tested without widgets.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "engine/dates.h"

namespace orv {

// The header abbreviations, 0 = Sunday .. 6 = Saturday ("Wen" as the grid has always said).
inline constexpr std::array<std::string_view, 7> GridDayNames{"Sun", "Mon", "Tue", "Wen", "Thu", "Fri", "Sat"};

// A cell of the grid: column 0..6, row 0 the header, rows 1..6 the weeks.
struct GridCell {
    int column = 0;
    int row = 1;
    bool operator==(const GridCell&) const = default;
};

// The 42 day numbers of one month, starting the week on `startOfWeek`
// (0 = Sunday .. 6 = Saturday).
class MonthLayout {
public:
    MonthLayout(int year, int month, int startOfWeek);

    int year() const { return year_; }
    int month() const { return month_; }
    int startOfWeek() const { return startOfWeek_; }

    std::string_view Header(int column) const;
    // The day number of a week cell; 0 for the header or outside the grid.
    int DayAt(GridCell cell) const;
    // A day of the month before or after, drawn grey.
    bool IsGrey(GridCell cell) const;
    // The real date of a week cell: grey days belong to the neighbouring month.
    Date DateAt(GridCell cell) const;
    // The cell of `day` in the displayed month, searched column by column; none
    // when the month lacks the day.
    std::optional<GridCell> Find(int day) const;
    // Column of day 1 in the first week row.
    int FirstColumn() const { return first_; }

private:
    int Index(GridCell cell) const;

    int year_;
    int month_;
    int startOfWeek_;
    int first_ = 0;
    int length_ = 0;
    std::array<int, 42> days_{};
};

// The state of the month grid: the displayed month, the selected cell and the
// date it stands for. A grey day can be selected without turning the grid; the
// stepping operations always show the month of the date they arrive at.
class MonthGrid {
public:
    // January 2000 with the 1st selected, the week starting on Sunday.
    MonthGrid();

    const MonthLayout& layout() const { return layout_; }
    int XDay() const { return day_; }
    int XMonth() const { return layout_.month(); }
    int XYear() const { return layout_.year(); }
    int XGrayMonth() const { return grayMonth_; }
    int XGrayYear() const { return grayYear_; }
    int XStartOfWeek() const { return layout_.startOfWeek(); }
    GridCell current() const { return current_; }

    // The selected date (XGrayYear, XGrayMonth, XDay).
    Date XDate() const;
    // Shows the date's month and selects it. Dates outside the years 1..9999
    // or invalid days are refused (false).
    bool SetXDate(Date date);

    // The month or year menus: the displayed year and month with the selected
    // day number, pulled back to the month's last day where it lacks the day,
    // so that the selection always shows the date the grid reports.
    void SetXMonth(int month);
    void SetXYear(int year);
    // Lays the weeks out anew keeping the selected date.
    void SetXStartOfWeek(int startOfWeek);

    // Shows month/year and selects the day, the last day of the month standing
    // in for a day the month lacks.
    bool GoToDate(int year, int month, int day);

    // A click on a cell: selects its date without turning the grid. The
    // header row cannot be selected (false).
    bool Click(GridCell cell);
    // A double click: turns the grid to the selected (grey) day's month.
    void DblClick();

    void NextDay();
    void PrevDay();
    // A month or a year on, the day pulled back where the target month is shorter.
    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();

private:
    void StepMonth(int year, int month);

    MonthLayout layout_;
    int day_ = 1;
    int grayMonth_ = 1;
    int grayYear_ = 2000;
    GridCell current_{};
};

}  // namespace orv
