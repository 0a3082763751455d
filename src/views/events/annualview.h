// The "Annual events" page: pick a day and a month (a day the month lacks is
// pulled back; 29 February stays, for leap years), see the date's events, pick one
// to see its hint and first year, type a hint and an optional first year and
// "Create" (a hint the date already lists is refused silently), or "Delete".
#pragma once

#include "views/events/recurrentpage.h"

class QComboBox;
class QLineEdit;

namespace orv {

class Changes;

// The day the annual page keeps for `day` of `month`: a day the month lacks
// is pulled back to its last day in a common year, so 30 or 31 "Febuary"
// gives 28; the 29th itself can be chosen, and occurs in leap years.
int AnnualPageDay(int day, int month);

class AnnualView : public RecurrentPage {
    Q_OBJECT
public:
    explicit AnnualView(Session& session, QWidget* parent = nullptr);
    // The "Goto" menu built anew after a change of the annual events.
    void Follow(Changes& changes);

    // Chooses the date and lists its events (the day pulled back where needed).
    void SetDate(int day, int month);
    int selectedDay() const;    // 1..31, 0 when none
    int selectedMonth() const;  // 1..12, 0 when none
    void SetupPopupMenu() override;
    void SetFields(const QString& hint, const QString& year);
    void CreateClick() override;
    void DeleteClick() override;

private:
    // The date's events; a day the month lacks is pulled back first.
    void ListEvents() override;
    void ShowEvent(std::size_t row) override;
    void ShowPreview() override;

    int movedFrom_ = 0;  // the day chosen before it was pulled back to the month's last; 0: not moved

    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QLineEdit* Edit9;
    QLineEdit* Edit11;
};

}  // namespace orv
