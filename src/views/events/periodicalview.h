// The "Periodical search" page: every birthday and calendar event between two
// typed dates, date by date, with quick periods (next week, month, year), and
// a double click that opens the person or the calendar on the event's day.
#pragma once

#include "views/events/eventpage.h"
#include "views/common/navigator.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace orv {

class EventGrid;

// More lines than this are refused: the period would not fit in memory.
inline constexpr unsigned long kMaxPeriodicalLines = 3000000;

class PeriodicalView : public EventPage {
    Q_OBJECT
public:
    PeriodicalView(Session& session, Navigator& navigator, QWidget* parent = nullptr);

    // The from-date becomes today (the initialisation); the to-date is left.
    void PresetFrom(Date today);
    // "Birthdays" and "Hints" from the settings (IncBirth, IncHint).
    void ApplySettings();
    void FocusToDate();
    EventGrid* grid() const { return StringGrid7; }

public slots:
    void SB9Click();  // "Compute"
    void M54Click();  // next week
    void M55Click();  // next month
    void M56Click();  // next year
    void StringGrid7DblClick();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's parts, in the order it runs them.
    void BuildControls();
    void BuildMenu();
    void LayOut();
    void Connect();
    // The button (or Enter in a date field) also shows the results; a quick period only fills them.
    enum class ComputeBy { Button, QuickPeriod };
    void Compute(ComputeBy by);
    void EntryChanged(QLineEdit* edit);
    enum class Quick { Week, Month, Year };
    void QuickPeriod(Quick period);
    void MenuL24Click(LabelButton* sender);

    Navigator& navigator_;

    QLineEdit* ShowFromDEdit;
    QLineEdit* ShowFromMEdit;
    QLineEdit* ShowFromYEdit;
    QLineEdit* ShowToDEdit;
    QLineEdit* ShowToMEdit;
    QLineEdit* ShowToYEdit;
    QPushButton* SB9;
    QCheckBox* CB1;
    QCheckBox* CB2;
    QLabel* ML7;
    LabelButton* MenuL24;
    LabelButton* MenuL25;
    LabelButton* MenuL26;
    QMenu* SearchPPopupMenu;
    QAction* M54;
    QAction* M55;
    QAction* M56;
    EventGrid* StringGrid7;
};

}  // namespace orv
