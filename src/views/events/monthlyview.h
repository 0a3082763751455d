// The "Monthly events" page: pick a day of the month, see its events, pick one
// to see its hint and counting start, type a hint and an optional counting
// month and year and "Create" (a hint the day already lists is refused
// silently), or "Delete" the selected one; "Goto" lists all of them.
#pragma once

#include <string>
#include <vector>

#include "views/events/eventpage.h"

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace orv {

class UpcomingLabel;

class MonthlyView : public EventPage {
    Q_OBJECT
public:
    explicit MonthlyView(Session& session, QWidget* parent = nullptr);

    // Selects day item `item` (0 = the 1st) and lists its events.
    void SelectDay(int item);
    int selectedDay() const;  // 1..31, 0 when none
    void SetupPopupMenu();
    // Puts a hint and counting start into the fields, as typed (the filters apply).
    void SetFields(const QString& hint, const QString& month, const QString& year);

public slots:
    void MonthlyListBox1Click();  // select day
    void MonthlyListBox2Click();  // select event
    void B3Click();               // "Create"
    void SB17Click();             // "Delete"

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void ShowPreview();
    void SetCreateDefault(bool on);

    std::vector<std::string> hints_;

    QListWidget* MonthlyListBox1;
    QListWidget* MonthlyListBox2;
    QLineEdit* Edit2;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QPushButton* B3;
    QPushButton* SB17;
    LabelButton* T20;
    QMenu* gotoMenu_;
    UpcomingLabel* preview_;
};

}  // namespace orv
