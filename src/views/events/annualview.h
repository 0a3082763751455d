// The "Annual events" page: pick a day and a month (a day the month lacks is
// pulled back; 29 February cannot be chosen), see the date's events, pick one
// to see its hint and first year, type a hint and an optional first year and
// "Create" (a hint the date already lists is refused silently), or "Delete".
#pragma once

#include <string>
#include <vector>

#include "views/events/eventpage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace orv {

class UpcomingLabel;

// The day the annual page keeps for `day` of `month`: a day the month lacks
// is pulled back to its last day in a common year, so 30 or 31 "Febuary"
// gives 28; the 29th itself can be chosen, and occurs in leap years.
int AnnualPageDay(int day, int month);

class AnnualView : public EventPage {
    Q_OBJECT
public:
    explicit AnnualView(Session& session, QWidget* parent = nullptr);

    // Chooses the date and lists its events (the day pulled back where needed).
    void SetDate(int day, int month);
    int selectedDay() const;    // 1..31, 0 when none
    int selectedMonth() const;  // 1..12, 0 when none
    void SetupPopupMenu();
    void SetFields(const QString& hint, const QString& year);

public slots:
    void DateChange();         // ComboBox1 / ComboBox2
    void ListBox5Click();      // select event
    void AnnButton1Click();    // "Create"
    void SpeedButton3Click();  // "Delete"

private:
    void ShowPreview();

    std::vector<std::string> hints_;
    int movedFrom_ = 0;  // the day chosen before it was pulled back to the month's last; 0: not moved

    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QListWidget* ListBox5;
    QLineEdit* Edit9;
    QLineEdit* Edit11;
    QPushButton* AnnButton1;
    QPushButton* SpeedButton3;
    LabelButton* T19;
    QMenu* gotoMenu_;
    UpcomingLabel* preview_;
};

}  // namespace orv
