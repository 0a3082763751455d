// The "Month Calendar" page: one month as 31 rows of weekday, day number and
// the day's events under a filter (letters of all events, or the texts of
// birthdays, calendar events or recurrent events). It keeps its own month and
// year; a double click opens the calendar on that day.
#pragma once

#include <vector>

#include "engine/dayviews.h"
#include "views/events/eventpage.h"
#include "views/common/navigator.h"

class QComboBox;
class QMenu;
class QTableView;
class QToolButton;

namespace orv {

class Changes;
class MonthRowsModel;

class MonthCalendarView : public EventPage {
    Q_OBJECT
public:
    MonthCalendarView(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    // The month shown anew after a change of what a day can show.
    void Follow(Changes& changes);

    int month() const { return month_; }
    int year() const { return year_; }
    // Shows a month and builds it.
    void ShowMonth(int year, int month);
    // Today's month (the "Today" square, start-up and "Update").
    void ShowToday();
    // The month and year menus, the years around the displayed one.
    void MonCalSetupPopupMenu();
    void setLabelColours(const LabelColours& colours) override;

public slots:
    void Build();
    void Image1Click();  // next month
    void Image2Click();  // previous month
    void RowDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The constructor's parts, in the order it runs them.
    void BuildCommands();
    void BuildGrid();
    void LayOut();
    void Connect();
    // The month and year labels as wide as their widest text, so that the
    // arrows beside them stay where the mouse is while months are stepped.
    void KeepArrowsInPlace();

    Navigator& navigator_;
    int month_ = 1;
    int year_ = 2000;

    LabelButton* Label32 = nullptr;
    LabelButton* Label34 = nullptr;
    QToolButton* Image1 = nullptr;
    QToolButton* Image2 = nullptr;
    QToolButton* Label35 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QTableView* StringGrid2 = nullptr;
    MonthRowsModel* model_ = nullptr;
    QMenu* monthMenu_ = nullptr;
    QMenu* yearMenu_ = nullptr;
};

}  // namespace orv
