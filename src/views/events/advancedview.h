// The "Advanced events" page: one advanced event at a time (the n-th or n-th
// to last weekday of a month), with buttons that store the page into it,
// delete it, insert an empty one and step to the next or previous, and a
// "Goto" menu of all of them by hint.
#pragma once

#include "views/events/eventpage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace orv {

class Changes;
class UpcomingLabel;
struct AAdv;

// The three choices of the page and what they store.
struct AdvancedChoice {
    int dayNumber = -1;  // "1st" .. "5th" 0..4, "Last" .. "5th to last" 5..9; -1 none
    int weekday = -1;    // 0 = Sunday .. 6; -1 none
    int month = -1;      // 0 = January .. 11; -1 none
    bool complete() const { return dayNumber >= 0 && weekday >= 0 && month >= 0; }
};
AdvancedChoice ChoiceOf(const AAdv& event);
// Fills FromEnd, Down, Day and Month from a complete choice.
void ApplyChoice(const AdvancedChoice& choice, AAdv& event);
// The items of the day number choice: "1st" .. "5th", "Last" .. "5th to last".
QStringList DayNumberItems();

class AdvancedView : public EventPage {
    Q_OBJECT
public:
    explicit AdvancedView(Session& session, QWidget* parent = nullptr);
    // The "Goto" menu built anew after a change of the advanced events.
    void Follow(Changes& changes);

    // Shows the record at CurrentAdvanced (pulled back to the last one).
    void ShowCurrent();
    void SetupPopupMenu();
    // What the page holds, and putting a hint and choices onto it.
    AdvancedChoice choice() const;
    void SetPage(const QString& hint, const AdvancedChoice& choice);
    // Appends a complete event, makes it current and writes adv.orv (the
    // "New Advanced Event" dialog).
    void AddEvent(const std::string& hint, const AdvancedChoice& choice);
    // The main menu's "Advanced": what the page holds is stored first when it
    // is complete; an incomplete page is left alone rather than refused aloud.
    void PostIfComplete();

public slots:
    void AdvPostClick();
    void AdvDeleteClick();
    void AdvInsertClick();
    void AdvNextClick();
    void AdvPriorClick();

private:
    // The constructor's parts, in the order it runs them.
    void BuildControls();
    void LayOut();
    void Connect();
    void ShowPreview();
    void Stored();

    QComboBox* ComboBox4;
    QComboBox* ComboBox5;
    QComboBox* ComboBox6;
    QLineEdit* Edit3;
    QLabel* L44;
    QLabel* position_;
    QToolButton* AdvPost;
    QToolButton* AdvDelete;
    QToolButton* AdvInsert;
    QToolButton* AdvNext;
    QToolButton* AdvPrior;
    LabelButton* T22;
    QMenu* gotoMenu_;
    UpcomingLabel* preview_;
};

}  // namespace orv
