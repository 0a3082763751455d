// TNewRec, "New Recurrent Event": a hint and the kind of event, then the
// kind's own panel (weekday and weeks; day of the month and counting start;
// day, month and counting year). "Ok" creates through the matching page, so
// the page's rules (week-list check, duplicate refusal) apply.
#pragma once

#include <QDialog>

#include "views/common/viewdialogs.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace orv {

class AnnualView;
class MonthlyView;
class Session;
class UpcomingLabel;
class WeeklyView;

class TNewRec : public QDialog {
    Q_OBJECT
public:
    TNewRec(Session& session, WeeklyView& weekly, MonthlyView& monthly, AnnualView& annual, QWidget* parent = nullptr);

    // Empty fields and no kind chosen, as every opening starts.
    void Prepare();
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }

public slots:
    void OkClick();

private:
    void MakeKinds();
    QWidget* MakeWeeklyPanel();
    QWidget* MakeMonthlyPanel();
    QWidget* MakeAnnualPanel();
    void LayOut(QWidget* title, QHBoxLayout* buttons);
    void Connect();
    void KindChosen();
    void ShowPreview();

    Session& session_;
    WeeklyView& weekly_;
    MonthlyView& monthly_;
    AnnualView& annual_;
    ViewDialogs dialogs_;

    QLineEdit* Edit1;
    QRadioButton* RadioWeekly;
    QRadioButton* RadioMonthly;
    QRadioButton* RadioAnnually;
    QStackedWidget* panels_;
    QComboBox* WeekdayBox;
    QLineEdit* WeeksEdit;
    QComboBox* MonthDayBox;
    QLineEdit* CountMonthEdit;
    QLineEdit* CountYearEdit;
    QComboBox* AnnualDayBox;
    QComboBox* AnnualMonthBox;
    QLineEdit* AnnualYearEdit;
    UpcomingLabel* preview_;
    QPushButton* OkButton;
    QPushButton* CancelButton;
};

}  // namespace orv
