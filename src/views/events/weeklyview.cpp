#include "views/events/weeklyview.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "engine/weeklist.h"
#include "views/common/labelbutton.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"

namespace orv {

const char* const kWeeksFormatError =
    "Error in the 'Weeks' format. Use only numbers separated by ',' and/or '-' e.g.: 1,2-8";

WeeklyView::WeeklyView(Session& session, QWidget* parent)
    : EventPage(session, QStringLiteral("PP1"), QStringLiteral("T5"), QStringLiteral("Weekly events"), parent)
{
    T21 = MakeLink("T21", QStringLiteral("Goto"), QStringLiteral("Go to a weekly event"));
    gotoMenu_ = new QMenu(T21);
    WeeklyListBox1 = new QListWidget(this);
    WeeklyListBox1->setObjectName(QStringLiteral("WeeklyListBox1"));
    WeeklyListBox2 = new QListWidget(this);
    WeeklyListBox2->setObjectName(QStringLiteral("WeeklyListBox2"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit8 = new QLineEdit(this);
    Edit8->setObjectName(QStringLiteral("Edit8"));
    Edit8->setToolTip(QStringLiteral("eg. 1,3,5-7"));
    Edit8->setPlaceholderText(QStringLiteral("eg. 1,3,5-7"));
    preview_ = new UpcomingLabel("WeeklyPreview", this);
    B2 = new QPushButton(QStringLiteral("Create"), this);
    B2->setObjectName(QStringLiteral("B2"));
    B2->setAutoDefault(false);
    SB16 = new QPushButton(QStringLiteral("Delete"), this);
    SB16->setObjectName(QStringLiteral("SB16"));
    SB16->setAutoDefault(false);
    WeeklyRadioButton1 = new QRadioButton(QStringLiteral("Today / tomorrow"), this);
    WeeklyRadioButton1->setObjectName(QStringLiteral("WeeklyRadioButton1"));
    WeeklyRadioButton2 = new QRadioButton(QStringLiteral("All days"), this);
    WeeklyRadioButton2->setObjectName(QStringLiteral("WeeklyRadioButton2"));
    auto* radios = new QButtonGroup(this);
    radios->addButton(WeeklyRadioButton1);
    radios->addButton(WeeklyRadioButton2);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Select day, write event and click 'Create' to add an event."), this), 1);
    top->addWidget(T21);
    auto* lists = new QGridLayout;
    lists->addWidget(MakeCaption(this, QStringLiteral("Select day"), WeeklyListBox1, true), 0, 0);
    lists->addWidget(MakeCaption(this, QStringLiteral("Select event"), WeeklyListBox2, true), 0, 1);
    lists->addWidget(WeeklyListBox1, 1, 0);
    lists->addWidget(WeeklyListBox2, 1, 1);
    lists->setColumnStretch(1, 2);
    auto* fields = new QGridLayout;
    fields->addWidget(MakeCaption(this, QStringLiteral("New hint:"), Edit1), 0, 0);
    fields->addWidget(Edit1, 0, 1, 1, 2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Weeks:"), Edit8), 1, 0);
    fields->addWidget(Edit8, 1, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(B2);
    buttons->addWidget(SB16);
    buttons->addStretch(1);
    auto* overview = new QHBoxLayout;
    overview->addWidget(new QLabel(QStringLiteral("In the overview:"), this));
    overview->addWidget(WeeklyRadioButton1);
    overview->addWidget(WeeklyRadioButton2);
    overview->addStretch(1);

    body()->addLayout(top);
    body()->addLayout(lists, 1);
    body()->addLayout(fields);
    body()->addWidget(preview_);
    body()->addLayout(buttons);
    body()->addLayout(overview);

    connect(WeeklyListBox1, &QListWidget::currentRowChanged, this, &WeeklyView::WeeklyListBox1Click);
    connect(WeeklyListBox2, &QListWidget::currentRowChanged, this, &WeeklyView::WeeklyListBox2Click);
    connect(B2, &QPushButton::clicked, this, &WeeklyView::B2Click);
    connect(SB16, &QPushButton::clicked, this, &WeeklyView::SB16Click);
    connect(T21, &LabelButton::clicked, this, [this] { PopupBelow(gotoMenu_, T21); });
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) SetCreateDefault(true);
    });
    connect(Edit8, &QLineEdit::textChanged, this, &WeeklyView::ShowPreview);
    for (QLineEdit* e : {Edit1, Edit8})
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (B2->isDefault()) B2Click();
        });
    // TOorAll holds whether "Today / tomorrow" is chosen, as settings files
    // have always stored it.
    connect(WeeklyRadioButton1, &QRadioButton::clicked, this, [this] {
        this->session().settings().TOorAll = true;
        emit changed();
    });
    connect(WeeklyRadioButton2, &QRadioButton::clicked, this, [this] {
        this->session().settings().TOorAll = false;
        emit changed();
    });
    ApplySettings();
}

void WeeklyView::ApplySettings()
{
    const int start = DateSettingsFrom(session().settings()).WeekStart;
    const int row = WeeklyListBox1->currentRow();
    {
        const QSignalBlocker blocker(WeeklyListBox1);
        WeeklyListBox1->clear();
        const QStringList names = WeekdayNameList();
        for (int i = 0; i < 7; ++i) WeeklyListBox1->addItem(names[(start + i) % 7]);
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
    const int w = item + 1 + DateSettingsFrom(session().settings()).WeekStart;
    return w > 7 ? w - 7 : w;
}

void WeeklyView::SelectDay(int item)
{
    if (item < 0 || item > 6) return;
    const QSignalBlocker blocker(WeeklyListBox1);
    WeeklyListBox1->setCurrentRow(item);
    WeeklyListBox1Click();
}

void WeeklyView::WeeklyListBox1Click()
{
    hints_.clear();
    weeks_.clear();
    const int weekday = selectedWeekday();
    for (const AWeek& w : session().records().weekly()) {
        if (weekday == 0 || w.Weekday != weekday) continue;
        hints_.push_back(w.Hint);
        weeks_.push_back(w.WeekNr);
    }
    FillHintList(WeeklyListBox2, hints_);
    Edit1->clear();
    Edit8->clear();
    SetCreateDefault(false);
    ShowPreview();
}

void WeeklyView::WeeklyListBox2Click()
{
    const int row = WeeklyListBox2->currentRow();
    SetCreateDefault(false);
    if (row < 0 || row >= static_cast<int>(hints_.size())) {
        Edit1->clear();
        Edit8->clear();
        return;
    }
    Edit1->setText(DecodeStored(hints_[static_cast<std::size_t>(row)]));
    Edit8->setText(DecodeStored(weeks_[static_cast<std::size_t>(row)]));
    SetCreateDefault(false);  // filling the fields is no new event
}

void WeeklyView::B2Click()
{
    const int weekday = selectedWeekday();
    if (weekday == 0) return;
    SetCreateDefault(false);
    if (!Edit1->text().isEmpty()) {
        const std::string weeks = EncodeTyped(Edit8->text());
        if (!WeekListAccepted(weeks)) {
            Message(QMessageBox::Critical, QStringLiteral("Error"), QString::fromLatin1(kWeeksFormatError));
            // Only the bad list goes; the hint stays for a second try.
            Edit8->clear();
            return;
        }
        AddEvent(weekday, weeks, EncodeTyped(Edit1->text()));
        return;
    }
    WeeklyListBox1Click();
}

void WeeklyView::AddEvent(int weekday, const std::string& weekNr, const std::string& hint)
{
    session().records().editWeekly().push_back(AWeek{weekday, weekNr, hint});
    SaveNow(DataKind::Weekly);
    WeeklyListBox1Click();
    SetupPopupMenu();
    emit changed();
}

void WeeklyView::SB16Click()
{
    const int weekday = selectedWeekday();
    const int row = WeeklyListBox2->currentRow();
    if (weekday == 0 || row < 0 || row >= static_cast<int>(hints_.size())) return;
    auto& list = session().records().editWeekly();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->Weekday == weekday && it->WeekNr == weeks_[static_cast<std::size_t>(row)] &&
            it->Hint == hints_[static_cast<std::size_t>(row)]) {
            list.erase(it);
            SaveNow(DataKind::Weekly);
            break;
        }
    }
    WeeklyListBox1Click();
    SetupPopupMenu();
    emit changed();
}

void WeeklyView::SetupPopupMenu()
{
    // Grouped by weekday as the day list shows them.
    const int weekStart = DateSettingsFrom(session().settings()).WeekStart;
    const QStringList names = WeekdayNameList();
    QStringList days;
    for (int i = 0; i < 7; ++i) days << names[(weekStart + i) % 7];
    std::vector<GotoItem> items;
    for (const AWeek& w : session().records().weekly())
        items.push_back(
            {DecodeStored(w.Hint), w.Weekday >= 1 && w.Weekday <= 7 ? WeekdayColumn(w.Weekday, weekStart) : -1});
    BuildGotoMenu(gotoMenu_, items, days, [this](int index) {
        const auto& list = session().records().weekly();
        if (index < 0 || index >= static_cast<int>(list.size())) return;
        const int weekday = list[static_cast<std::size_t>(index)].Weekday;
        if (weekday < 1 || weekday > 7) return;
        const int start = DateSettingsFrom(session().settings()).WeekStart;
        SelectDay(WeekdayColumn(weekday, start));
    });
}

void WeeklyView::ShowPreview()
{
    const int weekday = selectedWeekday();
    if (weekday == 0) {
        preview_->clear();
        return;
    }
    preview_->ShowWeekly(AWeek{weekday, EncodeTyped(Edit8->text()), EncodeTyped(Edit1->text())}, session().today(),
                         DateSettingsFrom(session().settings()));
}

void WeeklyView::SetCreateDefault(bool on)
{
    B2->setDefault(on);
}

void WeeklyView::hideEvent(QHideEvent* event)
{
    // Enter must not create on a page that is no longer shown.
    SetCreateDefault(false);
    EventPage::hideEvent(event);
}

}  // namespace orv
