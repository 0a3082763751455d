#include "views/events/weeklyview.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "engine/weeklist.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/events/upcominglabel.h"

namespace orv {

const char* const kWeeksFormatError =
    "Error in the 'Weeks' format. Use only numbers separated by ',' and/or '-' e.g.: 1,2-8";

namespace {

constexpr RecurrentNames kNames{"PP1", "T5", "Weekly events", "T21", "Go to a weekly event",
                                "WeeklyPreview", "B2", "SB16"};

// The weekday names from the week's first day, as the day list shows them.
QStringList DayItems(int weekStart)
{
    const QStringList names = WeekdayNameList();
    QStringList days;
    for (int i = 0; i < 7; ++i) days << names[(weekStart + i) % 7];
    return days;
}

bool IsWeekday(int weekday) { return weekday >= 1 && weekday <= 7; }

}  // namespace

WeeklyView::WeeklyView(Session& session, QWidget* parent) : RecurrentPage(session, kNames, parent)
{
    WeeklyListBox1 = Named<QListWidget>("WeeklyListBox1", this);
    auto* events = Named<QListWidget>("WeeklyListBox2", this);
    Edit1 = Named<QLineEdit>("Edit1", this);
    Edit8 = Named<QLineEdit>("Edit8", this);
    Edit8->setToolTip(QStringLiteral("eg. 1,3,5-7"));
    Edit8->setPlaceholderText(QStringLiteral("eg. 1,3,5-7"));
    MakeCommands(events, {Edit1, Edit8});
    WeeklyRadioButton1 = Named<QRadioButton>("WeeklyRadioButton1", QStringLiteral("Today / tomorrow"), this);
    WeeklyRadioButton2 = Named<QRadioButton>("WeeklyRadioButton2", QStringLiteral("All days"), this);
    auto* radios = new QButtonGroup(this);
    radios->addButton(WeeklyRadioButton1);
    radios->addButton(WeeklyRadioButton2);
    LayOut();

    connect(WeeklyListBox1, &QListWidget::currentRowChanged, this, &WeeklyView::ListEvents);
    connect(Edit8, &QLineEdit::textChanged, this, &WeeklyView::ShowPreview);
    EnterCreates();
    // TOorAll holds whether "Today / tomorrow" is chosen, as settings files
    // have always stored it.
    for (QRadioButton* r : {WeeklyRadioButton1, WeeklyRadioButton2})
        connect(r, &QRadioButton::clicked, this, [this, r] {
            this->session().settings().TOorAll = r == WeeklyRadioButton1;
            emit changed();
        });
    ApplySettings();
}

void WeeklyView::LayOut()
{
    QHBoxLayout* top = TopRow();
    QGridLayout* lists = DayAndEventLists(WeeklyListBox1);
    QGridLayout* fields = HintGrid(2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Weeks:"), Edit8), 1, 0);
    fields->addWidget(Edit8, 1, 1);
    auto* overview = new QHBoxLayout;
    overview->addWidget(new QLabel(QStringLiteral("In the overview:"), this));
    overview->addWidget(WeeklyRadioButton1);
    overview->addWidget(WeeklyRadioButton2);
    overview->addStretch(1);

    body()->addLayout(top);
    body()->addLayout(lists, 1);
    AddFieldRows(fields);
    body()->addLayout(overview);
}

int WeeklyView::WeekStart() const { return DateSettingsFrom(session().settings()).WeekStart; }

void WeeklyView::ApplySettings()
{
    const int row = WeeklyListBox1->currentRow();
    {
        const QSignalBlocker blocker(WeeklyListBox1);
        WeeklyListBox1->clear();
        WeeklyListBox1->addItems(DayItems(WeekStart()));
    }
    if (row >= 0) SelectDay(row);
    WeeklyRadioButton1->setChecked(session().settings().TOorAll);
    WeeklyRadioButton2->setChecked(!session().settings().TOorAll);
    SetupPopupMenu();
}

int WeeklyView::selectedWeekday() const
{
    const int item = WeeklyListBox1->currentRow();
    if (item < 0) return 0;
    const int w = item + 1 + WeekStart();
    return w > 7 ? w - 7 : w;
}

void WeeklyView::SelectDay(int item) { SelectDayItem(WeeklyListBox1, item); }

void WeeklyView::ListEvents()
{
    std::vector<std::string> hints;
    weeks_.clear();
    const int weekday = selectedWeekday();
    for (const AWeek& w : session().records().weekly()) {
        if (weekday == 0 || w.Weekday != weekday) continue;
        hints.push_back(w.Hint);
        weeks_.push_back(w.WeekNr);
    }
    ListHints(std::move(hints));
}

void WeeklyView::ShowEvent(std::size_t row)
{
    Edit1->setText(DecodeStored(hint(row)));
    Edit8->setText(DecodeStored(weeks_[row]));
}

void WeeklyView::CreateClick()
{
    const int weekday = selectedWeekday();
    if (!HintToCreate(weekday != 0)) return;
    const std::string weeks = EncodeTyped(Edit8->text());
    if (!WeekListAccepted(weeks)) {
        Message(QMessageBox::Critical, QStringLiteral("Error"), QString::fromLatin1(kWeeksFormatError));
        // Only the bad list goes; the hint stays for a second try.
        Edit8->clear();
        return;
    }
    AddEvent(weekday, weeks, EncodeTyped(Edit1->text()));
}

void WeeklyView::AddEvent(int weekday, const std::string& weekNr, const std::string& hint)
{
    session().records().editWeekly().push_back(AWeek{weekday, weekNr, hint});
    Stored(DataKind::Weekly);
}

void WeeklyView::DeleteClick()
{
    const int weekday = selectedWeekday();
    const int row = chosenEvent();
    if (weekday == 0 || row < 0) return;
    const auto r = static_cast<std::size_t>(row);
    DeleteFirst(session().records().editWeekly(), DataKind::Weekly, [&](const AWeek& w) {
        return w.Weekday == weekday && w.WeekNr == weeks_[r] && w.Hint == hint(r);
    });
    EditDone();
}

void WeeklyView::SetupPopupMenu()
{
    // Grouped by weekday as the day list shows them.
    const int weekStart = WeekStart();
    SetupGoto([this]() -> const auto& { return session().records().weekly(); }, DayItems(weekStart),
              [weekStart](const AWeek& w) { return IsWeekday(w.Weekday) ? WeekdayColumn(w.Weekday, weekStart) : -1; },
              [this](const AWeek& w) {
                  if (IsWeekday(w.Weekday)) SelectDay(WeekdayColumn(w.Weekday, WeekStart()));
              });
}

void WeeklyView::ShowPreview()
{
    const int weekday = selectedWeekday();
    if (weekday == 0) {
        preview()->clear();
        return;
    }
    preview()->ShowWeekly(AWeek{weekday, EncodeTyped(Edit8->text()), EncodeTyped(Edit1->text())}, session().today(),
                          DateSettingsFrom(session().settings()));
}

void WeeklyView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::Weekly, [this] { SetupPopupMenu(); });
}

}  // namespace orv
