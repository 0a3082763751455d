#include "views/events/tnewcal.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/named.h"
#include "views/events/tchangehint.h"
#include "views/events/eventpage.h"
#include "views/events/tmycal.h"
#include "views/common/storedtext.h"

namespace orv {

TNewCal::TNewCal(Session& session, TMyCal& calendar, TChangeHint& picker, QWidget* parent)
    : QDialog(parent), session_(session), calendar_(calendar), picker_(picker)
{
    setObjectName(QStringLiteral("NewCal"));
    setWindowTitle(QStringLiteral("New Calendar Event"));

    auto* title = MakeDialogTitle(this, QStringLiteral("Calendar event"));
    title->setObjectName(QStringLiteral("NewCalTitle"));
    // In this order: it is the order of the dialog's children for screen readers.
    BuildFields();
    QHBoxLayout* buttons = MakeDialogButtons(this, Button1, "Button1", QStringLiteral("Ok"), Button2, "Button2");
    LayOut(title, buttons);
    resize(380, 340);

    setTabOrder(Edit1, Memo1);
    setTabOrder(Memo1, PriSelect1);
    setTabOrder(PriSelect1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, BitBtn1);

    connect(BitBtn1, &QPushButton::clicked, this, &TNewCal::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TNewCal::okPressed);
}

// The date with its "Change date", the hint, the information, the priority.
void TNewCal::BuildFields()
{
    Label4 = Named<QLabel>("Label4", this);
    Label5 = Named<QLabel>("Label5", this);
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    BitBtn1 = Named<QPushButton>("BitBtn1", QStringLiteral("Change date"), this);
    BitBtn1->setAutoDefault(false);

    Edit1 = Named<QLineEdit>("Edit1", this);
    Memo1 = Named<QPlainTextEdit>("Memo1", this);
    Memo1->setTabChangesFocus(true);
    PriSelect1 = Named<QRadioButton>("PriSelect1", QStringLiteral("High"), this);
    PriSelect2 = Named<QRadioButton>("PriSelect2", QStringLiteral("Normal"), this);
    PriSelect3 = Named<QRadioButton>("PriSelect3", QStringLiteral("Low"), this);
    priorities_ = new QButtonGroup(this);
    priorities_->addButton(PriSelect1, 0);
    priorities_->addButton(PriSelect2, 1);
    priorities_->addButton(PriSelect3, 2);
}

void TNewCal::LayOut(QWidget* title, QHBoxLayout* buttons)
{
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(Label4);
    dateRow->addWidget(Label5);
    dateRow->addStretch(1);
    dateRow->addWidget(BitBtn1);
    auto* priorityRow = new QHBoxLayout;
    priorityRow->addWidget(PriSelect1);
    priorityRow->addWidget(PriSelect2);
    priorityRow->addWidget(PriSelect3);
    priorityRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(dateRow);
    auto* label1 = MakeCaption(this, QStringLiteral("Type a hint for the Event here:"), Edit1);
    label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1);
    layout->addWidget(Edit1);
    auto* label2 = MakeCaption(this, QStringLiteral("Write additional information here:"), Memo1);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label2);
    layout->addWidget(Memo1, 1);
    auto* label3 = MakeCaption(this, QStringLiteral("Select a priority for the Event:"));
    label3->setObjectName(QStringLiteral("Label3"));
    layout->addWidget(label3);
    layout->addLayout(priorityRow);
    layout->addLayout(buttons);
}

void TNewCal::ShowDate()
{
    Label5->setText(QString::fromStdString(ELongDate(calendar_.XDate(), DateSettingsFrom(session_.settings()))));
}

void TNewCal::PrepareNew()
{
    mode_ = Mode::New;
    Label4->setText(QStringLiteral("New calendar event for:"));
    ShowDate();
    Edit1->clear();
    Memo1->clear();
    priorities_->setExclusive(false);
    for (QAbstractButton* b : priorities_->buttons()) b->setChecked(false);
    priorities_->setExclusive(true);
    Edit1->setFocus();
}

void TNewCal::PrepareChange(const ACal& event)
{
    mode_ = Mode::Change;
    Label4->setText(QStringLiteral("Change calendar event for:"));
    ShowDate();
    Edit1->setText(DecodeStored(event.Hint));
    const QStringList lines = DecodeStoredLines(event.More);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    PriSelect2->setChecked(true);
    if (event.Priority == 0) PriSelect1->setChecked(true);
    if (event.Priority == 2) PriSelect3->setChecked(true);
    Edit1->setFocus();
}

std::string TNewCal::hint() const { return EncodeTyped(Edit1->text()); }

std::vector<std::string> TNewCal::more() const
{
    std::vector<std::string> lines;
    const QString text = Memo1->toPlainText();
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(EncodeTyped(line));
    return lines;
}

std::uint8_t TNewCal::priority() const
{
    if (PriSelect1->isChecked()) return 0;
    if (PriSelect3->isChecked()) return 2;
    return 1;
}

void TNewCal::BitBtn1Click()
{
    // Confirming moves both the calendar view and this dialog to the picked date.
    if (const auto picked = picker_.Pick(calendar_.XDate(), BitBtn1)) {
        calendar_.setXDate(*picked);
        ShowDate();
    }
}

}  // namespace orv
