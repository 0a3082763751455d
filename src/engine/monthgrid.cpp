#include "engine/monthgrid.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kCells = 42;

bool InYearRange(int year) { return year >= 1 && year <= 9999; }

Date MakeDate(int year, int month, int day)
{
    return Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
}

}  // namespace

MonthLayout::MonthLayout(int year, int month, int startOfWeek)
    : year_(year), month_(month), startOfWeek_(((startOfWeek % 7) + 7) % 7)
{
    length_ = DaysInMonth(year_, month_);
    // Column of day 1: its weekday counted from the week's first day.
    first_ = WeekdayColumn(DayOfWeek(year_, month_, 1), startOfWeek_);
    const int before = DaysInMonth(PrevYear(year_, month_), PrevMonth(month_));
    for (int i = 0; i < first_; ++i) days_[static_cast<std::size_t>(i)] = before - first_ + i + 1;
    // The month, then the month after from its 1st: six week rows always.
    int day = 1;
    for (int i = first_; i < kCells; ++i) {
        days_[static_cast<std::size_t>(i)] = day;
        day = day == length_ && i < first_ + length_ ? 1 : day + 1;
    }
}

std::string_view MonthLayout::Header(int column) const
{
    if (column < 0 || column > 6) return {};
    return GridDayNames[static_cast<std::size_t>((startOfWeek_ + column) % 7)];
}

int MonthLayout::Index(GridCell cell) const
{
    if (cell.column < 0 || cell.column > 6 || cell.row < 1 || cell.row > 6) return -1;
    return (cell.row - 1) * 7 + cell.column;
}

int MonthLayout::DayAt(GridCell cell) const
{
    const int i = Index(cell);
    return i < 0 ? 0 : days_[static_cast<std::size_t>(i)];
}

bool MonthLayout::IsGrey(GridCell cell) const
{
    const int i = Index(cell);
    return i >= 0 && (i < first_ || i >= first_ + length_);
}

Date MonthLayout::DateAt(GridCell cell) const
{
    const int i = Index(cell);
    if (i < 0) return {};
    int year = year_;
    int month = month_;
    if (i < first_) {
        year = PrevYear(year_, month_);
        month = PrevMonth(month_);
    } else if (i >= first_ + length_) {
        year = NextYear(year_, month_);
        month = NextMonth(month_);
    }
    return MakeDate(year, month, days_[static_cast<std::size_t>(i)]);
}

std::optional<GridCell> MonthLayout::Find(int day) const
{
    if (day < 1 || day > length_) return std::nullopt;
    const int i = first_ + day - 1;
    return GridCell{i % 7, i / 7 + 1};
}

MonthGrid::MonthGrid() : layout_(2000, 1, 0) { SetXDate(MakeDate(2000, 1, 1)); }

Date MonthGrid::XDate() const { return MakeDate(grayYear_, grayMonth_, day_); }

bool MonthGrid::SetXDate(Date date)
{
    if (!InYearRange(date.Year) || !IsValidDate(date.Year, date.Month, date.Day)) return false;
    if (date.Year != layout_.year() || date.Month != layout_.month())
        layout_ = MonthLayout(date.Year, date.Month, layout_.startOfWeek());
    day_ = date.Day;
    grayYear_ = date.Year;
    grayMonth_ = date.Month;
    current_ = *layout_.Find(date.Day);
    return true;
}

bool MonthGrid::GoToDate(int year, int month, int day)
{
    if (!InYearRange(year) || month < 1 || month > 12 || day < 1) return false;
    return SetXDate(MakeDate(year, month, std::min<int>(day, DaysInMonth(year, month))));
}

void MonthGrid::SetXMonth(int month) { GoToDate(layout_.year(), month, day_); }

void MonthGrid::SetXYear(int year) { GoToDate(year, layout_.month(), day_); }

void MonthGrid::SetXStartOfWeek(int startOfWeek)
{
    const Date selected = XDate();
    layout_ = MonthLayout(layout_.year(), layout_.month(), startOfWeek);
    // A grey selection may have left the new layout; then its month is shown.
    const std::optional<GridCell> cell = layout_.Find(selected.Day);
    if (selected.Year == layout_.year() && selected.Month == layout_.month() && cell) {
        current_ = *cell;
        return;
    }
    for (int i = 0; i < kCells; ++i) {
        const GridCell c{i % 7, i / 7 + 1};
        if (layout_.DateAt(c) == selected) {
            current_ = c;
            return;
        }
    }
    SetXDate(selected);
}

bool MonthGrid::Click(GridCell cell)
{
    if (layout_.DayAt(cell) == 0) return false;
    const Date d = layout_.DateAt(cell);
    if (!InYearRange(d.Year)) return false;
    current_ = cell;
    day_ = d.Day;
    grayYear_ = d.Year;
    grayMonth_ = d.Month;
    return true;
}

void MonthGrid::DblClick() { SetXDate(XDate()); }

void MonthGrid::NextDay()
{
    const Date d = XDate();
    if (d.Year == 9999 && d.Month == 12 && d.Day == 31) return;
    SetXDate(NextDate(d));
}

void MonthGrid::PrevDay()
{
    const Date d = XDate();
    if (d.Year == 1 && d.Month == 1 && d.Day == 1) return;
    SetXDate(PrevDate(d));
}

void MonthGrid::StepMonth(int year, int month)
{
    if (!InYearRange(year)) return;
    GoToDate(year, month, day_);
}

void MonthGrid::NextMonth() { StepMonth(orv::NextYear(grayYear_, grayMonth_), orv::NextMonth(grayMonth_)); }
void MonthGrid::PrevMonth() { StepMonth(orv::PrevYear(grayYear_, grayMonth_), orv::PrevMonth(grayMonth_)); }
void MonthGrid::NextYear() { StepMonth(grayYear_ + 1, grayMonth_); }
void MonthGrid::PrevYear() { StepMonth(grayYear_ - 1, grayMonth_); }

}  // namespace orv
