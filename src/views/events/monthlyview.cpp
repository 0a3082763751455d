#include "views/events/monthlyview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/events/upcominglabel.h"

namespace orv {

namespace {

constexpr RecurrentNames kNames{"PP2", "T6", "Monthly events", "T20", "Go to a monthly event",
                                "MonthlyPreview", "B3", "SB17"};

}  // namespace

MonthlyView::MonthlyView(Session& session, QWidget* parent) : RecurrentPage(session, kNames, parent)
{
    MonthlyListBox1 = Named<QListWidget>("MonthlyListBox1", this);
    MonthlyListBox1->addItems(DayOfMonthItems());
    auto* events = Named<QListWidget>("MonthlyListBox2", this);
    Edit2 = Named<QLineEdit>("Edit2", this);
    Edit4 = Named<QLineEdit>("Edit4", this);
    Edit5 = Named<QLineEdit>("Edit5", this);
    MakeCommands(events, {Edit2, Edit4, Edit5});

    QHBoxLayout* top = TopRow();
    QGridLayout* lists = DayAndEventLists(MonthlyListBox1);
    QGridLayout* fields = HintGrid(5);
    fields->addWidget(new QLabel(QStringLiteral("Counting:"), this), 1, 0);
    fields->addWidget(MakeCaption(this, QStringLiteral("Month"), Edit4), 1, 1);
    fields->addWidget(Edit4, 1, 2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Year"), Edit5), 1, 3);
    fields->addWidget(Edit5, 1, 4);
    Edit4->setMaximumWidth(60);
    Edit5->setMaximumWidth(80);
    body()->addLayout(top);
    body()->addLayout(lists, 1);
    AddFieldRows(fields);

    connect(MonthlyListBox1, &QListWidget::currentRowChanged, this, &MonthlyView::ListEvents);
    WatchCountField(Edit4, CountField::Month, this, [this] { ShowPreview(); });
    WatchCountField(Edit5, CountField::Year, this, [this] { ShowPreview(); });
    EnterCreates();
    SetupPopupMenu();
}

int MonthlyView::selectedDay() const { return MonthlyListBox1->currentRow() + 1; }

void MonthlyView::SelectDay(int item) { SelectDayItem(MonthlyListBox1, item); }

void MonthlyView::ListEvents()
{
    std::vector<std::string> hints;
    const int day = selectedDay();
    for (const AMonth& m : session().records().monthly())
        if (day != 0 && m.Day == day) hints.push_back(m.Hint);
    ListHints(std::move(hints));
}

void MonthlyView::ShowEvent(std::size_t row)
{
    // Every record of the day with the hint; the last one shows.
    for (const AMonth& m : session().records().monthly()) {
        if (m.Day != selectedDay() || m.Hint != hint(row)) continue;
        SetFields(DecodeStored(m.Hint), DecodeStored(m.Month), DecodeStored(m.Year));
    }
}

void MonthlyView::SetFields(const QString& hint, const QString& month, const QString& year)
{
    Edit2->setText(hint);
    Edit4->setText(month);
    Edit5->setText(year);
}

void MonthlyView::CreateClick()
{
    const int day = selectedDay();
    if (!HintToCreate(day != 0)) return;
    const std::string hint = EncodeTyped(Edit2->text());
    // The same hint twice on one day is refused without a word.
    if (Listed(hint)) return;
    session().records().editMonthly().push_back(
        AMonth{day, EncodeTyped(Edit4->text()), EncodeTyped(Edit5->text()), hint});
    Stored(DataKind::Monthly);
}

void MonthlyView::DeleteClick()
{
    const int day = selectedDay();
    const int row = chosenEvent();
    if (day == 0 || row < 0) return;
    DeleteFirst(session().records().editMonthly(), DataKind::Monthly, [&](const AMonth& m) {
        return m.Day == day && m.Hint == hint(static_cast<std::size_t>(row));
    });
    EditDone();
}

void MonthlyView::SetupPopupMenu()
{
    SetupGoto([this]() -> const auto& { return session().records().monthly(); }, DayOfMonthItems(),
              [](const AMonth& m) { return m.Day - 1; }, [this](const AMonth& m) { SelectDay(m.Day - 1); });
}

void MonthlyView::ShowPreview()
{
    const int day = selectedDay();
    if (day == 0) {
        preview()->clear();
        return;
    }
    preview()->ShowMonthly(
        AMonth{day, EncodeTyped(Edit4->text()), EncodeTyped(Edit5->text()), EncodeTyped(Edit2->text())},
        session().today(), DateSettingsFrom(session().settings()));
}

void MonthlyView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::Monthly, [this] { SetupPopupMenu(); });
}

}  // namespace orv
