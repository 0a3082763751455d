#include "views/events/tnewrec.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "engine/weeklist.h"
#include "views/events/annualview.h"
#include "views/events/eventpage.h"
#include "views/events/monthlyview.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"
#include "views/events/weeklyview.h"

namespace orv {

TNewRec::TNewRec(Session& session, WeeklyView& weekly, MonthlyView& monthly, AnnualView& annual, QWidget* parent)
    : QDialog(parent),
      session_(session),
      weekly_(weekly),
      monthly_(monthly),
      annual_(annual),
      dialogs_(StandardDialogs())
{
    setObjectName(QStringLiteral("NewRec"));
    setWindowTitle(QStringLiteral("New Recurrent Event"));
    auto* title = MakeDialogTitle(this, QStringLiteral("Recurrent event"));
    Edit1 = Named<QLineEdit>("Edit1", this);
    MakeKinds();
    panels_ = new QStackedWidget(this);
    panels_->addWidget(new QWidget(panels_));  // before a choice: an empty panel covers the others
    panels_->addWidget(MakeWeeklyPanel());
    panels_->addWidget(MakeMonthlyPanel());
    panels_->addWidget(MakeAnnualPanel());
    preview_ = new UpcomingLabel("NewRecPreview", this);
    QHBoxLayout* buttons =
        MakeDialogButtons(this, OkButton, "OkButton", QStringLiteral("Ok"), CancelButton, "CancelButton");
    LayOut(title, buttons);
    resize(420, 360);
    Connect();
    Prepare();
}

void TNewRec::MakeKinds()
{
    RadioWeekly = Named<QRadioButton>("RadioWeekly", QStringLiteral("Weekly"), this);
    RadioMonthly = Named<QRadioButton>("RadioMonthly", QStringLiteral("Monthly"), this);
    RadioAnnually = Named<QRadioButton>("RadioAnnually", QStringLiteral("Annually"), this);
    auto* kinds = new QButtonGroup(this);
    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually}) kinds->addButton(r);
}

QWidget* TNewRec::MakeWeeklyPanel()
{
    auto* panel = new QWidget(panels_);
    WeekdayBox = MakeChoiceBox(panel, "WeekdayBox", WeekdayNameList());
    WeeksEdit = Named<QLineEdit>("WeeksEdit", panel);
    auto* form = new QFormLayout(panel);
    form->addRow(MakeCaption(panel, QStringLiteral("Select a weekday:"), WeekdayBox), WeekdayBox);
    form->addRow(MakeCaption(panel, QStringLiteral("Specify the week numbers*:"), WeeksEdit), WeeksEdit);
    form->addRow(QString(), new QLabel(QStringLiteral("(eg. 1,3,5-7)\n* optional"), panel));
    return panel;
}

QWidget* TNewRec::MakeMonthlyPanel()
{
    auto* panel = new QWidget(panels_);
    MonthDayBox = MakeChoiceBox(panel, "MonthDayBox", DayOfMonthItems());
    CountMonthEdit = Named<QLineEdit>("CountMonthEdit", panel);
    CountYearEdit = Named<QLineEdit>("CountYearEdit", panel);
    auto* counting = new QHBoxLayout;
    counting->addWidget(MakeCaption(panel, QStringLiteral("Month:"), CountMonthEdit));
    counting->addWidget(CountMonthEdit);
    counting->addWidget(MakeCaption(panel, QStringLiteral("Year:"), CountYearEdit));
    counting->addWidget(CountYearEdit);
    auto* form = new QFormLayout(panel);
    form->addRow(MakeCaption(panel, QStringLiteral("Select a date:"), MonthDayBox), MonthDayBox);
    form->addRow(new QLabel(QStringLiteral("Counting from*:"), panel), counting);
    form->addRow(QString(), new QLabel(QStringLiteral("* optional"), panel));
    return panel;
}

QWidget* TNewRec::MakeAnnualPanel()
{
    auto* panel = new QWidget(panels_);
    AnnualDayBox = MakeChoiceBox(panel, "AnnualDayBox", DayOfMonthItems());
    AnnualMonthBox = MakeChoiceBox(panel, "AnnualMonthBox", MonthNameList());
    AnnualYearEdit = Named<QLineEdit>("AnnualYearEdit", panel);
    auto* form = new QFormLayout(panel);
    form->addRow(MakeCaption(panel, QStringLiteral("Select a date:"), AnnualDayBox), AnnualDayBox);
    form->addRow(MakeCaption(panel, QStringLiteral("Select a month:"), AnnualMonthBox), AnnualMonthBox);
    form->addRow(MakeCaption(panel, QStringLiteral("Counting from this year*:"), AnnualYearEdit), AnnualYearEdit);
    form->addRow(QString(), new QLabel(QStringLiteral("* optional"), panel));
    return panel;
}

void TNewRec::LayOut(QWidget* title, QHBoxLayout* buttons)
{
    auto* kindRow = new QHBoxLayout;
    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually}) kindRow->addWidget(r);
    kindRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(MakeCaption(this, QStringLiteral("Type a hint for the Event here:"), Edit1));
    layout->addWidget(Edit1);
    layout->addWidget(new QLabel(QStringLiteral("Select the type of Event:"), this));
    layout->addLayout(kindRow);
    layout->addWidget(panels_);
    layout->addWidget(preview_);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TNewRec::Connect()
{
    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually})
        connect(r, &QRadioButton::toggled, this, &TNewRec::KindChosen);
    for (QComboBox* b : {WeekdayBox, MonthDayBox, AnnualDayBox, AnnualMonthBox})
        connect(b, &QComboBox::currentIndexChanged, this, &TNewRec::ShowPreview);
    connect(WeeksEdit, &QLineEdit::textChanged, this, &TNewRec::ShowPreview);
    WatchCountField(CountMonthEdit, CountField::Month, this, [this] { ShowPreview(); });
    WatchCountField(CountYearEdit, CountField::Year, this, [this] { ShowPreview(); });
    WatchCountField(AnnualYearEdit, CountField::Year, this, [this] { ShowPreview(); });
    connect(OkButton, &QPushButton::clicked, this, &TNewRec::OkClick);
}

void TNewRec::Prepare()
{
    for (QLineEdit* e : {Edit1, WeeksEdit, CountMonthEdit, CountYearEdit, AnnualYearEdit}) e->clear();
    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually}) {
        r->group()->setExclusive(false);
        r->setChecked(false);
        r->group()->setExclusive(true);
    }
    panels_->setCurrentIndex(0);
    preview_->clear();
    Edit1->setFocus();
}

void TNewRec::KindChosen()
{
    panels_->setCurrentIndex(RadioWeekly->isChecked() ? 1 : RadioMonthly->isChecked() ? 2 : RadioAnnually->isChecked() ? 3 : 0);
    ShowPreview();
}

void TNewRec::ShowPreview()
{
    const Date today = session_.today();
    const DateSettings settings = DateSettingsFrom(session_.settings());
    const std::string hint = EncodeTyped(Edit1->text());
    if (RadioWeekly->isChecked() && WeekdayBox->currentIndex() >= 0) {
        preview_->ShowWeekly(AWeek{WeekdayBox->currentIndex() + 1, EncodeTyped(WeeksEdit->text()), hint}, today, settings);
    } else if (RadioMonthly->isChecked() && MonthDayBox->currentIndex() >= 0) {
        preview_->ShowMonthly(AMonth{MonthDayBox->currentIndex() + 1, EncodeTyped(CountMonthEdit->text()),
                                     EncodeTyped(CountYearEdit->text()), hint},
                              today, settings);
    } else if (RadioAnnually->isChecked() && AnnualDayBox->currentIndex() >= 0 && AnnualMonthBox->currentIndex() >= 0) {
        // The annual page pulls a day the month lacks back to its last day; so does the preview.
        const int month = AnnualMonthBox->currentIndex() + 1;
        const int chosen = AnnualDayBox->currentIndex() + 1;
        const int day = AnnualPageDay(chosen, month);
        preview_->ShowAnnual(AYear{month, day, EncodeTyped(AnnualYearEdit->text()), hint}, today, settings,
                             day == chosen ? 0 : chosen);
    } else {
        preview_->clear();
    }
}

void TNewRec::OkClick()
{
    const QString hint = Edit1->text();
    if (!hint.isEmpty()) {
        if (RadioWeekly->isChecked() && WeekdayBox->currentIndex() >= 0) {
            const std::string weeks = EncodeTyped(WeeksEdit->text());
            if (!WeekListAccepted(weeks)) {
                dialogs_.alert(this, QMessageBox::Critical, QStringLiteral("Error"), QString::fromLatin1(kWeeksFormatError));
                // The dialog stays open with the hint, for a corrected list.
                WeeksEdit->clear();
                WeeksEdit->setFocus();
                return;
            }
            weekly_.AddEvent(WeekdayBox->currentIndex() + 1, weeks, EncodeTyped(hint));
        } else if (RadioMonthly->isChecked() && MonthDayBox->currentIndex() >= 0) {
            monthly_.SelectDay(MonthDayBox->currentIndex());
            monthly_.SetFields(hint, CountMonthEdit->text(), CountYearEdit->text());
            monthly_.CreateClick();
        } else if (RadioAnnually->isChecked() && AnnualDayBox->currentIndex() >= 0 && AnnualMonthBox->currentIndex() >= 0) {
            annual_.SetDate(AnnualDayBox->currentIndex() + 1, AnnualMonthBox->currentIndex() + 1);
            annual_.SetFields(hint, AnnualYearEdit->text());
            annual_.CreateClick();
        }
    }
    accept();
}

}  // namespace orv
