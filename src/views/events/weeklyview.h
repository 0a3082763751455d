// The "Weekly events" page: pick a weekday, see its events, pick one to see
// its hint and week list, type a hint and an optional week list and "Create",
// or "Delete" the selected one. Also where weekly events enter the overview
// ("Today / tomorrow" or "All days") and the "Goto" menu of all of them.
#pragma once

#include <string>
#include <vector>

#include "views/events/eventpage.h"

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

namespace orv {

class UpcomingLabel;

// The message of a week list that cannot be stored.
extern const char* const kWeeksFormatError;

class WeeklyView : public EventPage {
    Q_OBJECT
public:
    explicit WeeklyView(Session& session, QWidget* parent = nullptr);

    // The day names from "Week starts with:", and the overview choice (TOorAll).
    void ApplySettings();
    // Selects list item `item` (0 = the week's first day) and lists its events.
    void SelectDay(int item);
    // The weekday (1 = Sunday .. 7) of the selected item; 0 when none is.
    int selectedWeekday() const;
    // Rebuilds the "Goto" menu from the weekly list.
    void SetupPopupMenu();
    // Appends a weekly event, writes week.orv and lists the selected day anew
    // (the "New Recurrent Event" dialog).
    void AddEvent(int weekday, const std::string& weekNr, const std::string& hint);

public slots:
    void WeeklyListBox1Click();  // select day
    void WeeklyListBox2Click();  // select event
    void B2Click();              // "Create"
    void SB16Click();            // "Delete"

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void ShowPreview();
    void SetCreateDefault(bool on);

    std::vector<std::string> hints_;
    std::vector<std::string> weeks_;  // the week list of each listed event

    QListWidget* WeeklyListBox1;
    QListWidget* WeeklyListBox2;
    QLineEdit* Edit1;
    QLineEdit* Edit8;
    QPushButton* B2;
    QPushButton* SB16;
    QRadioButton* WeeklyRadioButton1;
    QRadioButton* WeeklyRadioButton2;
    LabelButton* T21;
    QMenu* gotoMenu_;
    UpcomingLabel* preview_;
};

}  // namespace orv
