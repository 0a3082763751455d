// The "Monthly events" page: pick a day of the month, see its events, pick one
// to see its hint and counting start, type a hint and an optional counting
// month and year and "Create" (a hint the day already lists is refused
// silently), or "Delete" the selected one; "Goto" lists all of them.
#pragma once

#include "views/events/recurrentpage.h"

class QLineEdit;
class QListWidget;

namespace orv {

class Changes;
class MonthlyView : public RecurrentPage {
    Q_OBJECT
public:
    explicit MonthlyView(Session& session, QWidget* parent = nullptr);
    // The "Goto" menu built anew after a change of the monthly events.
    void Follow(Changes& changes);

    // Selects day item `item` (0 = the 1st) and lists its events.
    void SelectDay(int item);
    int selectedDay() const;  // 1..31, 0 when none
    void SetupPopupMenu() override;
    // Puts a hint and counting start into the fields, as typed (the filters apply).
    void SetFields(const QString& hint, const QString& month, const QString& year);
    void CreateClick() override;
    void DeleteClick() override;

private:
    void ListEvents() override;
    void ShowEvent(std::size_t row) override;
    void ShowPreview() override;

    QListWidget* MonthlyListBox1;
    QLineEdit* Edit2;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
};

}  // namespace orv
