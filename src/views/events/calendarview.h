// The "Calendar" page: the month grid, everything that falls on the selected
// day, the further text of the selected line, day, month and year stepping,
// the jumps to the next or previous calendar event or birthday, the month,
// year and week menus, and New, Change and Delete of calendar events.
#pragma once

#include <optional>

#include "engine/occurrence.h"
#include "views/events/eventpage.h"
#include "views/common/navigator.h"
#include "views/common/viewdialogs.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QVBoxLayout;

namespace orv {

class Changes;
class EventGrid;
class TChangeHint;
class TIcalImport;
class TIcalPeriod;
class TMyCal;
class TNewCal;
class WeekMenu;

class CalendarView : public EventPage {
    Q_OBJECT
public:
    CalendarView(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    // The day's list shown anew after a change of what a day can show.
    void Follow(Changes& changes);

    TMyCal* calendar() const { return MyCal1; }
    TNewCal* newCal() const { return newCal_; }
    TChangeHint* picker() const { return picker_; }
    EventGrid* dayList() const { return CalStringGrid; }
    Date selectedDate() const;

    // Week start and today from the settings (the initialisation).
    void ApplySettings();
    // Shows a date (GoToDate) and its day.
    void GoTo(Date date);
    // Rebuilds the month, year and week menus; the years around today.
    void SetupPopupMenu();

public slots:
    void MyCal1Click();  // the refresh of the day
    void NewEvent();     // MenuL29 "New", the main menu's "Calendar event"
    void ChangeEvent();  // MenuL27
    void DeleteEvent();  // MenuL28
    void NextEvent();
    void PrevEvent();
    void NextBirthday();
    void PrevBirthday();
    // "Export iCalendar...": the period, the file, then the events written.
    void ExportIcalClick();
    // "Import iCalendar...": the file, its summary, then the events stored.
    void ImportIcalClick();

private:
    // The constructor's parts, in the order it runs them.
    void BuildCommands();
    void BuildEventList();
    void MakeMenusAndDialogs();
    QVBoxLayout* LayOutCalendarColumn();
    void LayOut();
    void Connect();

    // Shows the calendar event found (if any) on its day, and makes it current.
    void GoToEvent(std::optional<int> index);
    void RowClicked();
    void RowDoubleClicked();
    // Stores what TNewCal holds ("Ok").
    void NewCalOk();
    void FocusCalendar();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Navigator& navigator_;
    OccurrenceTable lines_;

    TMyCal* MyCal1;
    LabelButton* Label25;
    LabelButton* MonthLabel1;
    LabelButton* WeekLabel1;
    LabelButton* ML9;
    LabelButton* ML3;
    LabelButton* T16;
    LabelButton* MenuL34;
    LabelButton* MenuL35;
    LabelButton* MenuL36;
    LabelButton* MenuL14;
    LabelButton* MenuL30;
    LabelButton* MenuL31;
    LabelButton* MenuL32;
    LabelButton* MenuL33;
    LabelButton* MenuL27;
    LabelButton* MenuL28;
    LabelButton* MenuL29;
    LabelButton* ExportIcal;
    LabelButton* ImportIcal;
    QLabel* L19;
    EventGrid* CalStringGrid;
    QPlainTextEdit* Memo1;
    QMenu* monthMenu_;
    QMenu* yearMenu_;
    WeekMenu* weekMenu_;
    TChangeHint* picker_;
    TNewCal* newCal_;
    TIcalPeriod* icalPeriod_;
    TIcalImport* icalImport_;
};

}  // namespace orv
