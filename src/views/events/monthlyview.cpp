#include "views/events/monthlyview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/labelbutton.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"

namespace orv {

MonthlyView::MonthlyView(Session& session, QWidget* parent)
    : EventPage(session, QStringLiteral("PP2"), QStringLiteral("T6"), QStringLiteral("Monthly events"), parent)
{
    T20 = MakeLink("T20", QStringLiteral("Goto"), QStringLiteral("Go to a monthly event"));
    gotoMenu_ = new QMenu(T20);
    MonthlyListBox1 = new QListWidget(this);
    MonthlyListBox1->setObjectName(QStringLiteral("MonthlyListBox1"));
    MonthlyListBox1->addItems(DayOfMonthItems());
    MonthlyListBox2 = new QListWidget(this);
    MonthlyListBox2->setObjectName(QStringLiteral("MonthlyListBox2"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit5 = new QLineEdit(this);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    preview_ = new UpcomingLabel("MonthlyPreview", this);
    B3 = new QPushButton(QStringLiteral("Create"), this);
    B3->setObjectName(QStringLiteral("B3"));
    B3->setAutoDefault(false);
    SB17 = new QPushButton(QStringLiteral("Delete"), this);
    SB17->setObjectName(QStringLiteral("SB17"));
    SB17->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Select day, write event and click 'Create' to add an event."), this), 1);
    top->addWidget(T20);
    auto* lists = new QGridLayout;
    lists->addWidget(MakeCaption(this, QStringLiteral("Select day"), MonthlyListBox1, true), 0, 0);
    lists->addWidget(MakeCaption(this, QStringLiteral("Select event"), MonthlyListBox2, true), 0, 1);
    lists->addWidget(MonthlyListBox1, 1, 0);
    lists->addWidget(MonthlyListBox2, 1, 1);
    lists->setColumnStretch(1, 2);
    auto* fields = new QGridLayout;
    fields->addWidget(MakeCaption(this, QStringLiteral("New hint:"), Edit2), 0, 0);
    fields->addWidget(Edit2, 0, 1, 1, 5);
    fields->addWidget(new QLabel(QStringLiteral("Counting:"), this), 1, 0);
    fields->addWidget(MakeCaption(this, QStringLiteral("Month"), Edit4), 1, 1);
    fields->addWidget(Edit4, 1, 2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Year"), Edit5), 1, 3);
    fields->addWidget(Edit5, 1, 4);
    fields->setColumnStretch(5, 1);
    Edit4->setMaximumWidth(60);
    Edit5->setMaximumWidth(80);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(B3);
    buttons->addWidget(SB17);
    buttons->addStretch(1);

    body()->addLayout(top);
    body()->addLayout(lists, 1);
    body()->addLayout(fields);
    body()->addWidget(preview_);
    body()->addLayout(buttons);

    connect(MonthlyListBox1, &QListWidget::currentRowChanged, this, &MonthlyView::MonthlyListBox1Click);
    connect(MonthlyListBox2, &QListWidget::currentRowChanged, this, &MonthlyView::MonthlyListBox2Click);
    connect(B3, &QPushButton::clicked, this, &MonthlyView::B3Click);
    connect(SB17, &QPushButton::clicked, this, &MonthlyView::SB17Click);
    connect(T20, &LabelButton::clicked, this, [this] { PopupBelow(gotoMenu_, T20); });
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) SetCreateDefault(true);
    });
    connect(Edit4, &QLineEdit::textChanged, this, [this] {
        FilterCountField(Edit4, CountField::Month);
        ShowPreview();
    });
    connect(Edit5, &QLineEdit::textChanged, this, [this] {
        FilterCountField(Edit5, CountField::Year);
        ShowPreview();
    });
    for (QLineEdit* e : {Edit2, Edit4, Edit5})
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (B3->isDefault()) B3Click();
        });
    SetupPopupMenu();
}

int MonthlyView::selectedDay() const { return MonthlyListBox1->currentRow() + 1; }

void MonthlyView::SelectDay(int item)
{
    if (item < 0 || item > 30) return;
    const QSignalBlocker blocker(MonthlyListBox1);
    MonthlyListBox1->setCurrentRow(item);
    MonthlyListBox1Click();
}

void MonthlyView::MonthlyListBox1Click()
{
    hints_.clear();
    const int day = selectedDay();
    for (const AMonth& m : session().records().monthly())
        if (day != 0 && m.Day == day) hints_.push_back(m.Hint);
    FillHintList(MonthlyListBox2, hints_);
    Edit2->clear();
    Edit4->clear();
    Edit5->clear();
    SetCreateDefault(false);
    ShowPreview();
}

void MonthlyView::MonthlyListBox2Click()
{
    const int day = selectedDay();
    const int row = MonthlyListBox2->currentRow();
    SetCreateDefault(false);
    if (day == 0 || row < 0 || row >= static_cast<int>(hints_.size())) {
        Edit2->clear();
        Edit4->clear();
        Edit5->clear();
        return;
    }
    for (const AMonth& m : session().records().monthly()) {
        if (m.Day != day || m.Hint != hints_[static_cast<std::size_t>(row)]) continue;
        Edit2->setText(DecodeStored(m.Hint));
        Edit4->setText(DecodeStored(m.Month));
        Edit5->setText(DecodeStored(m.Year));
    }
}

void MonthlyView::SetFields(const QString& hint, const QString& month, const QString& year)
{
    Edit2->setText(hint);
    Edit4->setText(month);
    Edit5->setText(year);
}

void MonthlyView::B3Click()
{
    const int day = selectedDay();
    if (day == 0) return;
    SetCreateDefault(false);
    if (!Edit2->text().isEmpty()) {
        const std::string hint = EncodeTyped(Edit2->text());
        // The same hint twice on one day is refused without a word.
        for (const std::string& listed : hints_)
            if (listed == hint) return;
        session().records().editMonthly().push_back(
            AMonth{day, EncodeTyped(Edit4->text()), EncodeTyped(Edit5->text()), hint});
        SaveNow(DataKind::Monthly);
        MonthlyListBox1Click();
        SetupPopupMenu();
        emit changed();
        return;
    }
    MonthlyListBox1Click();
}

void MonthlyView::SB17Click()
{
    const int day = selectedDay();
    const int row = MonthlyListBox2->currentRow();
    if (day == 0 || row < 0 || row >= static_cast<int>(hints_.size())) return;
    auto& list = session().records().editMonthly();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->Day == day && it->Hint == hints_[static_cast<std::size_t>(row)]) {
            list.erase(it);
            SaveNow(DataKind::Monthly);
            break;
        }
    }
    MonthlyListBox1Click();
    SetupPopupMenu();
    emit changed();
}

void MonthlyView::SetupPopupMenu()
{
    std::vector<GotoItem> items;
    for (const AMonth& m : session().records().monthly()) items.push_back({DecodeStored(m.Hint), m.Day - 1});
    BuildGotoMenu(gotoMenu_, items, DayOfMonthItems(), [this](int index) {
        const auto& list = session().records().monthly();
        if (index < 0 || index >= static_cast<int>(list.size())) return;
        SelectDay(list[static_cast<std::size_t>(index)].Day - 1);
    });
}

void MonthlyView::ShowPreview()
{
    const int day = selectedDay();
    if (day == 0) {
        preview_->clear();
        return;
    }
    preview_->ShowMonthly(AMonth{day, EncodeTyped(Edit4->text()), EncodeTyped(Edit5->text()), EncodeTyped(Edit2->text())},
                          session().today(), DateSettingsFrom(session().settings()));
}

void MonthlyView::SetCreateDefault(bool on)
{
    B3->setDefault(on);
}

void MonthlyView::hideEvent(QHideEvent* event)
{
    SetCreateDefault(false);
    EventPage::hideEvent(event);
}

}  // namespace orv
