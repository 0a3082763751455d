// The "Weekly events" page: pick a weekday, see its events, pick one to see
// its hint and week list, type a hint and an optional week list and "Create",
// or "Delete" the selected one. Also where weekly events enter the overview
// ("Today / tomorrow" or "All days") and the "Goto" menu of all of them.
#pragma once

#include <string>
#include <vector>

#include "views/events/recurrentpage.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace orv {

class Changes;

// The message of a week list that cannot be stored.
extern const char* const kWeeksFormatError;

class WeeklyView : public RecurrentPage {
    Q_OBJECT
public:
    explicit WeeklyView(Session& session, QWidget* parent = nullptr);
    // The "Goto" menu built anew after a change of the weekly events.
    void Follow(Changes& changes);

    // The day names from "Week starts with:", and the overview choice (TOorAll).
    void ApplySettings();
    // Selects list item `item` (0 = the week's first day) and lists its events.
    void SelectDay(int item);
    // The weekday (1 = Sunday .. 7) of the selected item; 0 when none is.
    int selectedWeekday() const;
    void SetupPopupMenu() override;
    // Appends a weekly event, writes week.orv and lists the selected day anew
    // (the "New Recurrent Event" dialog).
    void AddEvent(int weekday, const std::string& weekNr, const std::string& hint);
    void CreateClick() override;
    void DeleteClick() override;

private:
    void LayOut();
    void ListEvents() override;
    void ShowEvent(std::size_t row) override;
    void ShowPreview() override;
    int WeekStart() const;

    std::vector<std::string> weeks_;  // the week list of each listed event

    QListWidget* WeeklyListBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit8;
    QRadioButton* WeeklyRadioButton1;
    QRadioButton* WeeklyRadioButton2;
};

}  // namespace orv
