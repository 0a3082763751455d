// TNewCal, "New Calendar Event": the hint, the further text and the priority
// of a calendar event, new or changed, on the calendar view's date; "Change
// date" moves that date with the date picker. The calendar view stores what
// the dialog holds when "Ok" is pressed.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "engine/dates.h"

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orv {

class Session;
class TChangeHint;
class TMyCal;
struct ACal;

class TNewCal : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New, Change };

    TNewCal(Session& session, TMyCal& calendar, TChangeHint& picker, QWidget* parent = nullptr);

    // New mode on the calendar's date: empty fields, no priority chosen.
    void PrepareNew();
    // Change mode for `event`: its hint, text and priority.
    void PrepareChange(const ACal& event);
    Mode mode() const { return mode_; }

    // What the fields hold, as the store keeps it.
    std::string hint() const;
    std::vector<std::string> more() const;
    // 1 (normal) unless "High" (0) or "Low" (2) is chosen.
    std::uint8_t priority() const;

public slots:
    void BitBtn1Click();  // "Change date"

signals:
    void okPressed();

private:
    void BuildFields();
    void LayOut(QWidget* title, QHBoxLayout* buttons);
    void ShowDate();

    Session& session_;
    TMyCal& calendar_;
    TChangeHint& picker_;
    Mode mode_ = Mode::New;

    QLabel* Label4;
    QLabel* Label5;
    QPushButton* BitBtn1;
    QLineEdit* Edit1;
    QPlainTextEdit* Memo1;
    QButtonGroup* priorities_;
    QRadioButton* PriSelect1;
    QRadioButton* PriSelect2;
    QRadioButton* PriSelect3;
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace orv
