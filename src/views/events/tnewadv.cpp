#include "views/events/tnewadv.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/named.h"
#include "views/events/advancedview.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"

namespace orv {

TNewAdv::TNewAdv(Session& session, AdvancedView& page, QWidget* parent) : QDialog(parent), session_(session), page_(page)
{
    setObjectName(QStringLiteral("NewAdv"));
    setWindowTitle(QStringLiteral("New Advanced Event"));
    auto* title = MakeDialogTitle(this, QStringLiteral("Advanced Event"));

    Edit1 = Named<QLineEdit>("Edit1", this);
    ComboBox1 = MakeChoiceBox(this, "ComboBox1", DayNumberItems());
    ComboBox3 = MakeChoiceBox(this, "ComboBox3", WeekdayNameList());
    ComboBox2 = MakeChoiceBox(this, "ComboBox2", MonthNameList());
    auto* explanation =
        new QLabel(QStringLiteral("Day number = 1, Day = Friday and  Month = January means the first Friday in January."), this);
    explanation->setWordWrap(true);
    preview_ = new UpcomingLabel("NewAdvPreview", this);
    stored_ = Named<QLabel>("NewAdvStored", this);

    auto* choices = new QGridLayout;
    choices->addWidget(MakeCaption(this, QStringLiteral("Select the day number."), ComboBox1), 0, 0);
    choices->addWidget(MakeCaption(this, QStringLiteral("Select the weekday"), ComboBox3), 0, 1);
    choices->addWidget(MakeCaption(this, QStringLiteral("Select the month"), ComboBox2), 0, 2);
    choices->addWidget(ComboBox1, 1, 0);
    choices->addWidget(ComboBox3, 1, 1);
    choices->addWidget(ComboBox2, 1, 2);
    QHBoxLayout* buttons =
        MakeDialogButtons(this, OkButton, "OkButton", QStringLiteral("Ok"), CancelButton, "CancelButton", stored_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(MakeCaption(this, QStringLiteral("Type a hint for the Event here:"), Edit1));
    layout->addWidget(Edit1);
    layout->addLayout(choices);
    layout->addWidget(explanation);
    layout->addWidget(preview_);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(440, 280);

    // The hint only decides whether Ok can be pressed; the dates follow the choices.
    connect(Edit1, &QLineEdit::textChanged, this, &TNewAdv::UpdateOk);
    for (QComboBox* b : {ComboBox1, ComboBox3, ComboBox2})
        connect(b, &QComboBox::currentIndexChanged, this, &TNewAdv::FieldsChanged);
    connect(OkButton, &QPushButton::clicked, this, &TNewAdv::OkClick);
    Prepare();
}

void TNewAdv::Prepare()
{
    Edit1->clear();
    for (QComboBox* b : {ComboBox1, ComboBox3, ComboBox2}) {
        const QSignalBlocker quiet(b);
        b->setCurrentIndex(-1);
    }
    stored_->clear();
    FieldsChanged();
    Edit1->setFocus();
}

AdvancedChoice TNewAdv::Choice() const
{
    return {ComboBox1->currentIndex(), ComboBox3->currentIndex(), ComboBox2->currentIndex()};
}

void TNewAdv::UpdateOk() { OkButton->setEnabled(!Edit1->text().isEmpty() && Choice().complete()); }

void TNewAdv::FieldsChanged()
{
    UpdateOk();
    const AdvancedChoice c = Choice();
    if (!c.complete()) {
        preview_->clear();
        return;
    }
    AAdv event;
    ApplyChoice(c, event);
    preview_->ShowAdvanced(event, session_.today(), DateSettingsFrom(session_.settings()));
}

void TNewAdv::OkClick()
{
    const AdvancedChoice c = Choice();
    if (Edit1->text().isEmpty() || !c.complete()) return;
    page_.AddEvent(EncodeTyped(Edit1->text()), c);
    // The dialog stays open for the next one; the line says this one is kept.
    stored_->setText(QStringLiteral("Added: ") + Edit1->text());
}

}  // namespace orv
