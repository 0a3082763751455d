#include "views/events/newrecdialog.h"

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
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"
#include "views/events/weeklyview.h"

namespace orv {

namespace {

QLineEdit* Field(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}


}  // namespace

TNewRec::TNewRec(Session& session, WeeklyView& weekly, MonthlyView& monthly, AnnualView& annual, QWidget* parent)
    : QDialog(parent),
      session_(session),
      weekly_(weekly),
      monthly_(monthly),
      annual_(annual),
      message_([](QWidget* owner, const QString& caption, const QString& text) {
          QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
          box.exec();
      })
{
    setObjectName(QStringLiteral("NewRec"));
    setWindowTitle(QStringLiteral("New Recurrent Event"));
    auto* title = MakeDialogTitle(this, QStringLiteral("Recurrent event"));

    Edit1 = Field(this, "Edit1");
    RadioWeekly = new QRadioButton(QStringLiteral("Weekly"), this);
    RadioWeekly->setObjectName(QStringLiteral("RadioWeekly"));
    RadioMonthly = new QRadioButton(QStringLiteral("Monthly"), this);
    RadioMonthly->setObjectName(QStringLiteral("RadioMonthly"));
    RadioAnnually = new QRadioButton(QStringLiteral("Annually"), this);
    RadioAnnually->setObjectName(QStringLiteral("RadioAnnually"));
    auto* kinds = new QButtonGroup(this);
    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually}) kinds->addButton(r);

    panels_ = new QStackedWidget(this);
    panels_->addWidget(new QWidget(panels_));  // before a choice: an empty panel covers the others

    auto* weeklyPanel = new QWidget(panels_);
    WeekdayBox = MakeChoiceBox(weeklyPanel, "WeekdayBox", WeekdayNameList());
    WeeksEdit = Field(weeklyPanel, "WeeksEdit");
    auto* weeklyForm = new QFormLayout(weeklyPanel);
    weeklyForm->addRow(MakeCaption(weeklyPanel, QStringLiteral("Select a weekday:"), WeekdayBox), WeekdayBox);
    weeklyForm->addRow(MakeCaption(weeklyPanel, QStringLiteral("Specify the week numbers*:"), WeeksEdit), WeeksEdit);
    weeklyForm->addRow(QString(), new QLabel(QStringLiteral("(eg. 1,3,5-7)\n* optional"), weeklyPanel));
    panels_->addWidget(weeklyPanel);

    auto* monthlyPanel = new QWidget(panels_);
    MonthDayBox = MakeChoiceBox(monthlyPanel, "MonthDayBox", DayOfMonthItems());
    CountMonthEdit = Field(monthlyPanel, "CountMonthEdit");
    CountYearEdit = Field(monthlyPanel, "CountYearEdit");
    auto* counting = new QHBoxLayout;
    counting->addWidget(MakeCaption(monthlyPanel, QStringLiteral("Month:"), CountMonthEdit));
    counting->addWidget(CountMonthEdit);
    counting->addWidget(MakeCaption(monthlyPanel, QStringLiteral("Year:"), CountYearEdit));
    counting->addWidget(CountYearEdit);
    auto* monthlyForm = new QFormLayout(monthlyPanel);
    monthlyForm->addRow(MakeCaption(monthlyPanel, QStringLiteral("Select a date:"), MonthDayBox), MonthDayBox);
    monthlyForm->addRow(new QLabel(QStringLiteral("Counting from*:"), monthlyPanel), counting);
    monthlyForm->addRow(QString(), new QLabel(QStringLiteral("* optional"), monthlyPanel));
    panels_->addWidget(monthlyPanel);

    auto* annualPanel = new QWidget(panels_);
    AnnualDayBox = MakeChoiceBox(annualPanel, "AnnualDayBox", DayOfMonthItems());
    AnnualMonthBox = MakeChoiceBox(annualPanel, "AnnualMonthBox", MonthNameList());
    AnnualYearEdit = Field(annualPanel, "AnnualYearEdit");
    auto* annualForm = new QFormLayout(annualPanel);
    annualForm->addRow(MakeCaption(annualPanel, QStringLiteral("Select a date:"), AnnualDayBox), AnnualDayBox);
    annualForm->addRow(MakeCaption(annualPanel, QStringLiteral("Select a month:"), AnnualMonthBox), AnnualMonthBox);
    annualForm->addRow(MakeCaption(annualPanel, QStringLiteral("Counting from this year*:"), AnnualYearEdit),
                       AnnualYearEdit);
    annualForm->addRow(QString(), new QLabel(QStringLiteral("* optional"), annualPanel));
    panels_->addWidget(annualPanel);

    preview_ = new UpcomingLabel("NewRecPreview", this);
    QHBoxLayout* buttons =
        MakeDialogButtons(this, OkButton, "OkButton", QStringLiteral("Ok"), CancelButton, "CancelButton");

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
    resize(420, 360);

    for (QRadioButton* r : {RadioWeekly, RadioMonthly, RadioAnnually}) connect(r, &QRadioButton::toggled, this, &TNewRec::KindChosen);
    for (QComboBox* b : {WeekdayBox, MonthDayBox, AnnualDayBox, AnnualMonthBox})
        connect(b, &QComboBox::currentIndexChanged, this, &TNewRec::ShowPreview);
    connect(WeeksEdit, &QLineEdit::textChanged, this, &TNewRec::ShowPreview);
    connect(CountMonthEdit, &QLineEdit::textChanged, this, [this] {
        FilterCountField(CountMonthEdit, CountField::Month);
        ShowPreview();
    });
    connect(CountYearEdit, &QLineEdit::textChanged, this, [this] {
        FilterCountField(CountYearEdit, CountField::Year);
        ShowPreview();
    });
    connect(AnnualYearEdit, &QLineEdit::textChanged, this, [this] {
        FilterCountField(AnnualYearEdit, CountField::Year);
        ShowPreview();
    });
    connect(OkButton, &QPushButton::clicked, this, &TNewRec::OkClick);
    Prepare();
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
                message_(this, QStringLiteral("Error"), QString::fromLatin1(kWeeksFormatError));
                // The dialog stays open with the hint, for a corrected list.
                WeeksEdit->clear();
                WeeksEdit->setFocus();
                return;
            }
            weekly_.AddEvent(WeekdayBox->currentIndex() + 1, weeks, EncodeTyped(hint));
        } else if (RadioMonthly->isChecked() && MonthDayBox->currentIndex() >= 0) {
            monthly_.SelectDay(MonthDayBox->currentIndex());
            monthly_.SetFields(hint, CountMonthEdit->text(), CountYearEdit->text());
            monthly_.B3Click();
        } else if (RadioAnnually->isChecked() && AnnualDayBox->currentIndex() >= 0 && AnnualMonthBox->currentIndex() >= 0) {
            annual_.SetDate(AnnualDayBox->currentIndex() + 1, AnnualMonthBox->currentIndex() + 1);
            annual_.SetFields(hint, AnnualYearEdit->text());
            annual_.AnnButton1Click();
        }
    }
    accept();
}

}  // namespace orv
