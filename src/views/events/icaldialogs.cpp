#include "views/events/icaldialogs.h"

#include <algorithm>

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "views/events/tchangehint.h"
#include "views/events/eventpage.h"
#include "views/common/longwork.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

// The summary lines put into their box at once (and then at each step):
// a screen and much more, and still no time a person would notice.
constexpr qsizetype kSummaryLinesAtOnce = 2000;

QDate ToQDate(Date d) { return QDate(d.Year, d.Month, d.Day); }

Date FromQDate(QDate d)
{
    return Date{static_cast<std::uint16_t>(d.year()), static_cast<std::uint16_t>(d.month()),
                static_cast<std::uint16_t>(d.day())};
}

QDateEdit* DateField(QWidget* parent, const char* name)
{
    auto* edit = Named<QDateEdit>(QString::fromLatin1(name), parent);
    // QDateEdit cannot show years before 100; ORV's files hold none worth exporting.
    edit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    return edit;
}

QLabel* Note(QWidget* parent, const char* name)
{
    auto* note = Named<QLabel>(QString::fromLatin1(name), parent);
    note->setWordWrap(true);
    QPalette p = note->palette();
    p.setColor(QPalette::WindowText, Qt::darkRed);
    note->setPalette(p);
    note->hide();
    return note;
}

const QString kPeriodBackwards = QStringLiteral("The period ends before it begins.");

}  // namespace

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

PeriodFields::PeriodFields(TChangeHint& picker, QWidget* parent) : QWidget(parent), picker_(picker)
{
    IcalFrom = DateField(this, "IcalFrom");
    IcalTo = DateField(this, "IcalTo");
    IcalFromPick = MakeToolButton(this, "IcalFromPick", QStringLiteral("Pick the first day"));
    IcalToPick = MakeToolButton(this, "IcalToPick", QStringLiteral("Pick the last day"));
    for (QToolButton* b : {IcalFromPick, IcalToPick}) b->setText(QStringLiteral("..."));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(MakeCaption(this, QStringLiteral("From:"), IcalFrom), 0, 0);
    grid->addWidget(IcalFrom, 0, 1);
    grid->addWidget(IcalFromPick, 0, 2);
    grid->addWidget(MakeCaption(this, QStringLiteral("To:"), IcalTo), 1, 0);
    grid->addWidget(IcalTo, 1, 1);
    grid->addWidget(IcalToPick, 1, 2);
    grid->setColumnStretch(3, 1);
    setFocusProxy(IcalFrom);
    setTabOrder(IcalFrom, IcalFromPick);
    setTabOrder(IcalFromPick, IcalTo);
    setTabOrder(IcalTo, IcalToPick);

    // Once a date is typed, not at each digit: a half-typed year is no period to plan for.
    for (QDateEdit* e : {IcalFrom, IcalTo}) connect(e, &QDateEdit::editingFinished, this, &PeriodFields::changed);
    connect(IcalFromPick, &QToolButton::clicked, this, [this] { Pick(IcalFrom, IcalFromPick); });
    connect(IcalToPick, &QToolButton::clicked, this, [this] { Pick(IcalTo, IcalToPick); });
}

// A date field that loses the focus while its window is destroyed still
// reports its date (editingFinished); by then nobody is left to take it.
PeriodFields::~PeriodFields()
{
    for (QDateEdit* e : {IcalFrom, IcalTo}) e->disconnect(this);
}

void PeriodFields::setPeriod(Date from, Date to, bool monthFirst)
{
    const QString format = monthFirst ? QStringLiteral("M/d/yyyy") : QStringLiteral("d/M/yyyy");
    for (QDateEdit* e : {IcalFrom, IcalTo}) e->setDisplayFormat(format);
    IcalFrom->setDate(ToQDate(from));
    IcalTo->setDate(ToQDate(to));
}

Date PeriodFields::from() const { return FromQDate(IcalFrom->date()); }
Date PeriodFields::to() const { return FromQDate(IcalTo->date()); }

void PeriodFields::Pick(QDateEdit* edit, QToolButton* anchor)
{
    if (const std::optional<Date> picked = picker_.Pick(FromQDate(edit->date()), anchor)) {
        edit->setDate(ToQDate(*picked));
        emit changed();
    }
    edit->setFocus(Qt::OtherFocusReason);
}

TIcalPeriod::TIcalPeriod(TChangeHint& picker, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IcalPeriod"));
    setWindowTitle(QStringLiteral("Export iCalendar"));
    auto* explain = new QLabel(QStringLiteral("Calendar events of this period are written; weekly, monthly, annual "
                                              "and advanced events and birthdays begin at their first date in it."),
                               this);
    explain->setWordWrap(true);
    period_ = new PeriodFields(picker, this);
    IcalAllEvents = Named<QCheckBox>("IcalAllEvents", QStringLiteral("All calendar events, whatever their date"), this);
    IcalPeriodNote = Note(this, "IcalPeriodNote");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeDialogTitle(this, QStringLiteral("iCalendar")));
    layout->addWidget(explain);
    layout->addWidget(period_);
    layout->addWidget(IcalAllEvents);
    layout->addWidget(IcalPeriodNote);
    layout->addStretch(1);
    layout->addLayout(MakeDialogButtons(this, IcalPeriodOk, "IcalPeriodOk", QStringLiteral("Ok"), IcalPeriodCancel,
                                        "IcalPeriodCancel"));
    connect(IcalPeriodOk, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(360);
    connect(period_, &PeriodFields::changed, this, &TIcalPeriod::PeriodChanged);
}

// The same for the dialog around the fields.
TIcalPeriod::~TIcalPeriod() { period_->disconnect(this); }

void TIcalPeriod::Prepare(Date from, Date to, bool monthFirst)
{
    period_->setPeriod(from, to, monthFirst);
    IcalAllEvents->setChecked(true);
    PeriodChanged();
    period_->setFocus(Qt::OtherFocusReason);
}

Date TIcalPeriod::from() const { return period_->from(); }
Date TIcalPeriod::to() const { return period_->to(); }
bool TIcalPeriod::wholeCalendar() const { return IcalAllEvents->isChecked(); }

void TIcalPeriod::PeriodChanged()
{
    const bool valid = period_->valid();
    IcalPeriodOk->setEnabled(valid);
    IcalPeriodNote->setText(kPeriodBackwards);
    IcalPeriodNote->setVisible(!valid);
}

TIcalImport::TIcalImport(TChangeHint& picker, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IcalImport"));
    setWindowTitle(QStringLiteral("Import iCalendar"));
    IcalFile = Named<QLabel>("IcalFile", this);
    IcalFile->setTextFormat(Qt::PlainText);
    IcalSummary = Named<QPlainTextEdit>("IcalSummary", this);
    IcalSummary->setReadOnly(true);
    IcalSummary->setTabChangesFocus(true);
    IcalTakeList = Named<QListWidget>("IcalTakeList", this);
    IcalTakeCaption = MakeCaption(this, QStringLiteral("Take the dates of these events as calendar events:"), IcalTakeList);
    IcalTakeCaption->setObjectName(QStringLiteral("IcalTakeCaption"));
    period_ = new PeriodFields(picker, this);
    IcalPeriodCaption = Named<QLabel>("IcalPeriodCaption", QStringLiteral("Their dates within:"), this);
    IcalPeriodNote = Note(this, "IcalImportNote");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeDialogTitle(this, QStringLiteral("iCalendar")));
    layout->addWidget(IcalFile);
    layout->addWidget(MakeCaption(this, QStringLiteral("Before anything is stored:"), IcalSummary, CaptionWeight::Bold));
    layout->addWidget(IcalSummary, 2);
    layout->addWidget(IcalTakeCaption);
    layout->addWidget(IcalTakeList, 1);
    layout->addWidget(IcalPeriodCaption);
    layout->addWidget(period_);
    layout->addWidget(IcalPeriodNote);
    layout->addLayout(MakeDialogButtons(this, IcalImportOk, "IcalImportOk", QStringLiteral("Import"), IcalImportCancel,
                                        "IcalImportCancel"));
    connect(IcalImportOk, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 440);

    summaryFill_ = new QTimer(this);
    connect(summaryFill_, &QTimer::timeout, this, &TIcalImport::FillSummary);
    connect(period_, &PeriodFields::changed, this, &TIcalImport::Replan);
    connect(IcalTakeList, &QListWidget::itemChanged, this, &TIcalImport::TakeChanged);
}

TIcalImport::~TIcalImport() { period_->disconnect(this); }

QStringList TIcalImport::SummaryLines(const IcalPlan& plan) { return DecodeStoredLines(IcalPlanSummary(plan)); }

void TIcalImport::Prepare(const QString& fileName, IcalPlan plan, QStringList summary, Planner planner,
                          const ViewDialogs& dialogs, Date from, Date to, bool monthFirst)
{
    planner_ = std::move(planner);
    dialogs_ = dialogs;
    plan_ = std::move(plan);
    planFrom_ = from;
    planTo_ = to;
    monthFirst_ = monthFirst;
    IcalFile->setText(QStringLiteral("File: ") + fileName);
    period_->setPeriod(from, to, monthFirst);
    ShowPlan(&summary);
    IcalSummary->setFocus(Qt::OtherFocusReason);
}

void TIcalImport::done(int result)
{
    planner_ = nullptr;
    summaryFill_->stop();
    summary_.clear();
    QDialog::done(result);
}

void TIcalImport::Replan()
{
    if (!period_->valid() || !planner_ || (period_->from() == planFrom_ && period_->to() == planTo_)) {
        ShowPeriodState();
        return;
    }
    const Date from = period_->from();
    const Date to = period_->to();
    const Planner planner = planner_;
    std::vector<bool> takes;
    for (const IcalUnexpressed& u : plan_.unexpressed) takes.push_back(u.take);
    IcalImport again;
    QStringList summary;
    const WorkEnd end = RunLongWork(this, dialogs_, QStringLiteral("Reading the dates"), [&](WorkProgress&) {
        again = planner(from, to);
        if (!again.ok) return;
        // The same file gives the same events ORV cannot repeat, in the same order: the choices stay.
        if (again.plan.unexpressed.size() == takes.size())
            for (std::size_t i = 0; i < takes.size(); ++i) again.plan.unexpressed[i].take = takes[i];
        summary = SummaryLines(again.plan);
    });
    if (end != WorkEnd::Done) {
        // The summary stays that of the period shown with it.
        const QSignalBlocker blocker(period_);
        period_->setPeriod(planFrom_, planTo_, monthFirst_);
        ShowPeriodState();
        return;
    }
    if (!again.ok) {
        ShowPlan();
        return;
    }
    plan_ = std::move(again.plan);
    planFrom_ = from;
    planTo_ = to;
    ShowPlan(&summary);
}

void TIcalImport::ShowPlan(QStringList* summary)
{
    const bool any = !plan_.unexpressed.empty();
    for (QWidget* w : std::initializer_list<QWidget*>{IcalTakeCaption, IcalTakeList, IcalPeriodCaption, period_})
        w->setVisible(any);
    {
        const QSignalBlocker blocker(IcalTakeList);
        const int current = IcalTakeList->currentRow();
        IcalTakeList->clear();
        for (const IcalUnexpressed& u : plan_.unexpressed) {
            auto* item = new QListWidgetItem(QStringLiteral("%1 (%2 dates)").arg(DecodeStored(u.summary)).arg(u.occurrences.size()),
                                             IcalTakeList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(u.take ? Qt::Checked : Qt::Unchecked);
            item->setToolTip(DecodeStored(u.reason));
        }
        if (IcalTakeList->count() > 0) IcalTakeList->setCurrentRow(std::clamp(current, 0, IcalTakeList->count() - 1));
    }
    ShowSummary(summary);
}

void TIcalImport::ShowSummary(QStringList* summary)
{
    summary_ = summary ? std::move(*summary) : SummaryLines(plan_);
    summaryShown_ = std::min<qsizetype>(summary_.size(), kSummaryLinesAtOnce);
    IcalSummary->setPlainText(summary_.mid(0, summaryShown_).join(QLatin1Char('\n')));
    if (summaryShown_ < summary_.size())
        summaryFill_->start(0);
    else
        summaryFill_->stop();
    ShowPeriodState();
}

void TIcalImport::FillSummary()
{
    const qsizetype next = std::min<qsizetype>(summary_.size(), summaryShown_ + kSummaryLinesAtOnce);
    IcalSummary->appendPlainText(summary_.mid(summaryShown_, next - summaryShown_).join(QLatin1Char('\n')));
    summaryShown_ = next;
    if (summaryShown_ < summary_.size()) return;
    summaryFill_->stop();
    summary_.clear();
}

void TIcalImport::ShowPeriodState()
{
    const bool valid = period_->valid();
    IcalImportOk->setEnabled(IcalPlanAddCount(plan_) > 0 && valid);
    IcalPeriodNote->setText(kPeriodBackwards);
    IcalPeriodNote->setVisible(!valid);
}

void TIcalImport::TakeChanged(QListWidgetItem* item)
{
    const int row = IcalTakeList->row(item);
    if (row < 0 || row >= static_cast<int>(plan_.unexpressed.size())) return;
    plan_.unexpressed[static_cast<std::size_t>(row)].take = item->checkState() == Qt::Checked;
    ShowSummary();
}

}  // namespace orv
