// The "Annual events" page: pick a day and a month (a day the month lacks is
// pulled back; 29 February cannot be chosen), see the date's events, pick one
// to see its hint and first year, type a hint and an optional first year and
// "Create" (a hint the date already lists is refused silently), or "Delete".
#pragma once

#include <string>
#include <vector>

#include "views/eventpage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace orv {

class UpcomingLabel;

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
