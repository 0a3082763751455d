#include "views/today/tnewtodo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "views/today/todoview.h"

namespace orv {

namespace {

QRadioButton* Choice(QWidget* parent, const char* name, const char* caption)
{
    auto* button = Named<QRadioButton>(QString::fromLatin1(name), QString::fromLatin1(caption), parent);
    return button;
}

}  // namespace

TNewTodo::TNewTodo(TodoView& todoView, QWidget* parent) : QDialog(parent), todoView_(todoView)
{
    setObjectName(QStringLiteral("NewTodo"));
    setWindowTitle(QStringLiteral("New To do Event"));

    auto* prompt = new QLabel(QStringLiteral("Type a hint for the Event here:"), this);
    Edit1 = Named<QLineEdit>("Edit1", this);
    prompt->setBuddy(Edit1);

    auto* select = new QLabel(QStringLiteral("Select the type of Event:"), this);
    RadioButton1 = Choice(this, "RadioButton1", "Top priority");
    RadioButton2 = Choice(this, "RadioButton2", "Low priority");
    RadioButton3 = Choice(this, "RadioButton3", "Every day");
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3}) {
        connect(b, &QRadioButton::clicked, this, &TNewTodo::ChoiceClicked);
    }

    Explanation = Named<QLabel>("Explanation", this);
    Explanation->setWordWrap(true);
    Explanation->setFrameShape(QFrame::StyledPanel);
    Explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Explanation->setMargin(6);
    Explanation->setMinimumHeight(3 * fontMetrics().height() + 12);

    OkButton = Named<QPushButton>("OkButton", QStringLiteral("Ok"), this);
    OkButton->setDefault(true);
    CancelButton = Named<QPushButton>("CancelButton", QStringLiteral("Cancel"), this);
    connect(OkButton, &QPushButton::clicked, this, &TNewTodo::OkClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addWidget(RadioButton1);
    choices->addWidget(RadioButton2);
    choices->addWidget(RadioButton3);
    choices->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(Edit1);
    layout->addSpacing(6);
    layout->addWidget(select);
    layout->addLayout(choices);
    layout->addWidget(Explanation);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void TNewTodo::showEvent(QShowEvent* event)
{
    // Every new event starts empty, with no list chosen.
    if (!event->spontaneous()) {
        Edit1->clear();
        for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3}) {
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(true);
        }
        Explanation->clear();
        Edit1->setFocus();
    }
    QDialog::showEvent(event);
}

void TNewTodo::ChoiceClicked()
{
    if (RadioButton1->isChecked())
        Explanation->setText(QStringLiteral("Top priority - appears with Events that occurs today."));
    else if (RadioButton2->isChecked())
        Explanation->setText(QStringLiteral("Low priority - appears with Events that occurs tomorrow."));
    else if (RadioButton3->isChecked())
        Explanation->setText(QStringLiteral("Every day - appears with Events that occurs today, and reappears every day."));
}

void TNewTodo::OkClick()
{
    todoView_.setEntryText(Edit1->text());
    if (RadioButton1->isChecked())
        todoView_.AddTop();
    else if (RadioButton2->isChecked())
        todoView_.AddBottom();
    else if (RadioButton3->isChecked())
        todoView_.AddEveryDay();
    accept();
}

}  // namespace orv
