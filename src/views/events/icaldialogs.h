// The dialogs of the calendar page's iCalendar commands: the period an export
// covers, and the summary of an import shown before anything is stored, with
// the choice, event by event, of taking the dates of events ORV cannot repeat.
#pragma once

#include <QDialog>
#include <functional>

#include "engine/dates.h"
#include "exchange/ical/icalimport.h"
#include "views/common/viewdialogs.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace orv {

class TChangeHint;

// The busy pointer while the imported events are stored.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Two dates, typed or picked with the program's date picker.
class PeriodFields : public QWidget {
    Q_OBJECT
public:
    PeriodFields(TChangeHint& picker, QWidget* parent = nullptr);
    ~PeriodFields() override;

    // Shows the dates in the order the settings write them (CB25).
    void setPeriod(Date from, Date to, bool monthFirst);
    Date from() const;
    Date to() const;
    bool valid() const { return !(to() < from()); }

signals:
    // A date was typed (and left) or picked.
    void changed();

private:
    void Pick(QDateEdit* edit, QToolButton* anchor);

    TChangeHint& picker_;
    QDateEdit* IcalFrom;
    QToolButton* IcalFromPick;
    QDateEdit* IcalTo;
    QToolButton* IcalToPick;
};

// "Export iCalendar": the period, and whether calendar events outside it go too.
class TIcalPeriod : public QDialog {
    Q_OBJECT
public:
    TIcalPeriod(TChangeHint& picker, QWidget* parent = nullptr);
    ~TIcalPeriod() override;

    void Prepare(Date from, Date to, bool monthFirst);
    Date from() const;
    Date to() const;
    bool wholeCalendar() const;

private:
    void PeriodChanged();

    PeriodFields* period_;
    QCheckBox* IcalAllEvents;
    QLabel* IcalPeriodNote;
    QPushButton* IcalPeriodOk;
    QPushButton* IcalPeriodCancel;
};

// "Import iCalendar": what the file adds, shown before anything is stored.
class TIcalImport : public QDialog {
    Q_OBJECT
public:
    // Plans the import again for another period of the dates that stand in
    // for events ORV cannot repeat.
    using Planner = std::function<IcalImport(Date from, Date to)>;

    TIcalImport(TChangeHint& picker, QWidget* parent = nullptr);
    ~TIcalImport() override;

    // The summary's lines as shown: for a large file they are made beside
    // the window, with the plan.
    static QStringList SummaryLines(const IcalPlan& plan);

    // `summary` is SummaryLines(plan); `planner` runs beside the window
    // (through `dialogs` a refusal is told).
    void Prepare(const QString& fileName, IcalPlan plan, QStringList summary, Planner planner,
                 const ViewDialogs& dialogs, Date from, Date to, bool monthFirst);
    // The plan as the user left it: the take flags chosen, the period's dates.
    const IcalPlan& plan() const { return plan_; }
    // Closing lets go of the planner and the file text it holds.
    void done(int result) override;

private:
    void Replan();
    // Shows the plan with its summary (made here when not given).
    void ShowPlan(QStringList* summary = nullptr);
    void ShowSummary(QStringList* summary = nullptr);
    void ShowPeriodState();
    void FillSummary();
    void TakeChanged(QListWidgetItem* item);

    Planner planner_;
    ViewDialogs dialogs_;
    IcalPlan plan_;
    Date planFrom_, planTo_;  // the period the plan shown was made for
    bool monthFirst_ = false;
    // A long summary goes into its box a slice at a time, beside the person reading its start.
    QStringList summary_;
    qsizetype summaryShown_ = 0;
    QTimer* summaryFill_;

    QLabel* IcalFile;
    QPlainTextEdit* IcalSummary;
    QLabel* IcalTakeCaption;
    QListWidget* IcalTakeList;
    QLabel* IcalPeriodCaption;
    PeriodFields* period_;
    QLabel* IcalPeriodNote;
    QPushButton* IcalImportOk;
    QPushButton* IcalImportCancel;
};

}  // namespace orv
