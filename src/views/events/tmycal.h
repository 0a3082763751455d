// TMyCal: the small month calendar of the calendar view and the date picker.
// A header row of weekday names over six week rows; days of the months around
// are grey, today has its own background, the selected day the highlight.
// The rules (layout, grey days, stepping) are the engine's MonthGrid; this
// widget draws it and turns clicks and keys into its operations.
#pragma once

#include <QColor>
#include <QTableView>

#include "engine/monthgrid.h"

namespace orv {

class MonthGridModel;

class TMyCal : public QTableView {
    Q_OBJECT
public:
    explicit TMyCal(QWidget* parent = nullptr);

    const MonthGrid& grid() const { return grid_; }
    Date XDate() const { return grid_.XDate(); }
    int XDay() const { return grid_.XDay(); }
    int XMonth() const { return grid_.XMonth(); }
    int XYear() const { return grid_.XYear(); }
    int XGrayMonth() const { return grid_.XGrayMonth(); }
    int XGrayYear() const { return grid_.XGrayYear(); }
    int XStartOfWeek() const { return grid_.XStartOfWeek(); }
    int XWidth() const { return width_; }
    int XHeight() const { return height_; }
    QColor XTodayColor() const { return todayColor_; }

    void setXDate(Date date);
    void setXMonth(int month);
    void setXYear(int year);
    void setXStartOfWeek(int startOfWeek);
    // Wanted total size; each cell is a seventh of it, but never smaller than
    // the font needs.
    void setXWidth(int pixels);
    void setXHeight(int pixels);
    void setXTodayColor(const QColor& colour);

    // The day drawn in the today colour; SetToday selects it.
    void setToday(Date today);
    Date today() const { return today_; }
    void SetToday();

    bool GoToDate(int year, int month, int day);
    void NextDay();
    void PrevDay();
    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();

    // The cell a date is shown in, for tests and for the picker's placement.
    QRect cellRect(GridCell cell) const;

signals:
    // Raised after every change of the selected cell, by the user or by an
    // operation, and on a click on the selected cell.
    void dayClicked();
    // A double click, after the grid turned to the clicked day's month.
    void dayDoubleClicked();
    // Enter on the grid.
    void returnPressed();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Shows the grid's state and raises the click.
    void Sync();
    void ApplySizes();

    MonthGrid grid_;
    MonthGridModel* model_;
    Date today_{};
    QColor todayColor_{0xC0, 0xC0, 0xC0};
    int width_ = 200;
    int height_ = 120;
    bool syncing_ = false;
};

}  // namespace orv
