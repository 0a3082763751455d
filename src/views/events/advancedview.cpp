#include "views/events/advancedview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/changes.h"
#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"

namespace orv {

namespace {

QToolButton* Glyph(QWidget* parent, const char* name, const QString& text, const QString& accessibleName)
{
    auto* b = Named<QToolButton>(QString::fromLatin1(name), parent);
    b->setText(text);
    b->setAccessibleName(accessibleName);
    b->setToolTip(accessibleName);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumWidth(30);
    return b;
}

}  // namespace

QStringList DayNumberItems()
{
    return {QStringLiteral("1st"),         QStringLiteral("2nd"),         QStringLiteral("3rd"),
            QStringLiteral("4th"),         QStringLiteral("5th"),         QStringLiteral("Last"),
            QStringLiteral("2nd to last"), QStringLiteral("3rd to last"), QStringLiteral("4th to last"),
            QStringLiteral("5th to last")};
}

AdvancedChoice ChoiceOf(const AAdv& event)
{
    AdvancedChoice c;
    if (event.Down >= 1 && event.Down <= 5) c.dayNumber = event.Down - 1 + (event.FromEnd ? 5 : 0);
    // A name spelled otherwise than the program spells it shows no choice.
    if (const auto weekday = WeekdayNumber(event.Day)) c.weekday = *weekday - 1;
    if (const auto month = MonthNumber(event.Month)) c.month = *month - 1;
    return c;
}

void ApplyChoice(const AdvancedChoice& c, AAdv& event)
{
    event.FromEnd = c.dayNumber >= 5;
    event.Down = c.dayNumber % 5 + 1;
    event.Day = std::string(DayNames[static_cast<std::size_t>(c.weekday + 1)]);
    event.Month = std::string(MonthNames[static_cast<std::size_t>(c.month + 1)]);
}

AdvancedView::AdvancedView(Session& session, QWidget* parent)
    : EventPage(session, QStringLiteral("PP3"), QStringLiteral("TitlePP3"), QStringLiteral("Advanced events"), parent)
{
    // In this order: it is the order of the view's children for screen readers.
    BuildControls();
    LayOut();
    Connect();
    SetupPopupMenu();
    ShowCurrent();
}

void AdvancedView::BuildControls()
{
    T22 = MakeLink("T22", QStringLiteral("Goto"), QStringLiteral("Go to an advanced event"));
    gotoMenu_ = new QMenu(T22);
    ComboBox4 = MakeChoiceBox(this, "ComboBox4", DayNumberItems());
    ComboBox5 = MakeChoiceBox(this, "ComboBox5", WeekdayNameList());
    ComboBox6 = MakeChoiceBox(this, "ComboBox6", MonthNameList());
    Edit3 = Named<QLineEdit>("Edit3", this);
    L44 = Named<QLabel>(
        "L44", QStringLiteral("Day number = 1, Day = Friday and  Month = January means the first Friday in January."), this);
    L44->setWordWrap(true);
    position_ = Named<QLabel>("AdvPosition", this);
    AdvPrior = Glyph(this, "AdvPrior", QString(), QStringLiteral("Previous advanced event"));
    AdvPrior->setArrowType(Qt::LeftArrow);
    AdvNext = Glyph(this, "AdvNext", QString(), QStringLiteral("Next advanced event"));
    AdvNext->setArrowType(Qt::RightArrow);
    AdvInsert = Glyph(this, "AdvInsert", QStringLiteral("+"), QStringLiteral("Insert a new advanced event"));
    AdvDelete = Glyph(this, "AdvDelete", QStringLiteral("\u2212"), QStringLiteral("Delete this advanced event"));
    AdvPost = Glyph(this, "AdvPost", QStringLiteral("\u2713"), QStringLiteral("Store this advanced event"));
    preview_ = new UpcomingLabel("AdvancedPreview", this);
}

void AdvancedView::LayOut()
{
    auto* top = new QHBoxLayout;
    top->addWidget(L44, 1);
    top->addWidget(T22, 0, Qt::AlignTop);
    auto* fields = new QGridLayout;
    auto* l40 = MakeCaption(this, QStringLiteral("Day number"), ComboBox4, CaptionWeight::Bold);
    l40->setObjectName(QStringLiteral("L40"));
    auto* l41 = MakeCaption(this, QStringLiteral("Day"), ComboBox5, CaptionWeight::Bold);
    l41->setObjectName(QStringLiteral("L41"));
    auto* l42 = MakeCaption(this, QStringLiteral("Month"), ComboBox6, CaptionWeight::Bold);
    l42->setObjectName(QStringLiteral("L42"));
    auto* l43 = MakeCaption(this, QStringLiteral("Event:"), Edit3, CaptionWeight::Bold);
    l43->setObjectName(QStringLiteral("L43"));
    fields->addWidget(l40, 0, 0);
    fields->addWidget(l41, 0, 1);
    fields->addWidget(l42, 0, 2);
    fields->addWidget(ComboBox4, 1, 0);
    fields->addWidget(ComboBox5, 1, 1);
    fields->addWidget(ComboBox6, 1, 2);
    fields->addWidget(l43, 2, 0, 1, 3);
    fields->addWidget(Edit3, 3, 0, 1, 3);
    auto* navigator = new QHBoxLayout;
    for (QToolButton* b : {AdvPrior, AdvNext, AdvInsert, AdvDelete, AdvPost}) navigator->addWidget(b);
    navigator->addSpacing(8);
    navigator->addWidget(position_);
    navigator->addStretch(1);

    body()->addLayout(top);
    body()->addLayout(fields);
    body()->addWidget(preview_);
    body()->addLayout(navigator);
    body()->addStretch(1);
}

void AdvancedView::Connect()
{
    connect(AdvPost, &QToolButton::clicked, this, &AdvancedView::AdvPostClick);
    connect(AdvDelete, &QToolButton::clicked, this, &AdvancedView::AdvDeleteClick);
    connect(AdvInsert, &QToolButton::clicked, this, &AdvancedView::AdvInsertClick);
    connect(AdvNext, &QToolButton::clicked, this, &AdvancedView::AdvNextClick);
    connect(AdvPrior, &QToolButton::clicked, this, &AdvancedView::AdvPriorClick);
    connect(T22, &LabelButton::clicked, this, [this] { PopupBelow(gotoMenu_, T22); });
    for (QComboBox* b : {ComboBox4, ComboBox5, ComboBox6})
        connect(b, &QComboBox::currentIndexChanged, this, &AdvancedView::ShowPreview);
}

AdvancedChoice AdvancedView::choice() const
{
    return AdvancedChoice{ComboBox4->currentIndex(), ComboBox5->currentIndex(), ComboBox6->currentIndex()};
}

void AdvancedView::SetPage(const QString& hint, const AdvancedChoice& c)
{
    Edit3->setText(hint);
    {
        // One preview for the page, not one for each choice set.
        const QSignalBlocker day(ComboBox4), weekday(ComboBox5), month(ComboBox6);
        ComboBox4->setCurrentIndex(c.dayNumber);
        ComboBox5->setCurrentIndex(c.weekday);
        ComboBox6->setCurrentIndex(c.month);
    }
    ShowPreview();
}

void AdvancedView::ShowCurrent()
{
    RecordStore& records = session().records();
    const auto& list = records.advanced();
    if (list.empty()) {
        SetPage(QString(), AdvancedChoice{});
        position_->setText(QStringLiteral("No advanced events"));
        return;
    }
    records.CurrentAdvanced = std::clamp(records.CurrentAdvanced, 0, static_cast<int>(list.size()) - 1);
    const AAdv& a = list[static_cast<std::size_t>(records.CurrentAdvanced)];
    SetPage(DecodeStored(a.Hint), ChoiceOf(a));
    position_->setText(QStringLiteral("Event %1 of %2").arg(records.CurrentAdvanced + 1).arg(list.size()));
}

void AdvancedView::Stored()
{
    ShowCurrent();
    SaveNow(DataKind::Advanced);
    SetupPopupMenu();
    emit changed();
}

void AdvancedView::AdvInsertClick()
{
    RecordStore& records = session().records();
    records.editAdvanced().push_back(AAdv{});
    records.CurrentAdvanced = static_cast<int>(records.advanced().size()) - 1;
    Stored();
}

void AdvancedView::AdvPostClick()
{
    const AdvancedChoice c = choice();
    if (!c.complete()) {
        // A record without a day or a month could never occur: nothing half-filled is stored.
        Message(QMessageBox::Information, QStringLiteral("Advanced events"),
                QStringLiteral("Choose the day number, the day and the month first."));
        return;
    }
    RecordStore& records = session().records();
    if (records.advanced().empty()) {
        records.editAdvanced().push_back(AAdv{});
        records.CurrentAdvanced = 0;
    }
    records.CurrentAdvanced = std::clamp(records.CurrentAdvanced, 0, static_cast<int>(records.advanced().size()) - 1);
    AAdv& target = records.editAdvanced()[static_cast<std::size_t>(records.CurrentAdvanced)];
    ApplyChoice(c, target);
    // An unedited hint keeps its stored bytes (an older file's code page).
    if (Edit3->text() != DecodeStored(target.Hint)) target.Hint = EncodeTyped(Edit3->text());
    Stored();
}

void AdvancedView::PostIfComplete()
{
    if (choice().complete()) AdvPostClick();
}

void AdvancedView::AddEvent(const std::string& hint, const AdvancedChoice& c)
{
    if (!c.complete()) return;
    RecordStore& records = session().records();
    AAdv event;
    ApplyChoice(c, event);
    event.Hint = hint;
    records.editAdvanced().push_back(std::move(event));
    records.CurrentAdvanced = static_cast<int>(records.advanced().size()) - 1;
    Stored();
}

void AdvancedView::AdvDeleteClick()
{
    RecordStore& records = session().records();
    const auto& list = records.advanced();
    const int i = records.CurrentAdvanced;
    // Only the record as shown is deleted: an edited hint refuses.
    if (i >= 0 && i < static_cast<int>(list.size()) && DecodeStored(list[static_cast<std::size_t>(i)].Hint) == Edit3->text()) {
        records.editAdvanced().erase(records.editAdvanced().begin() + i);
        Stored();
        return;
    }
    emit changed();
}

void AdvancedView::AdvNextClick()
{
    RecordStore& records = session().records();
    if (records.CurrentAdvanced < static_cast<int>(records.advanced().size()) - 1) ++records.CurrentAdvanced;
    ShowCurrent();
}

void AdvancedView::AdvPriorClick()
{
    RecordStore& records = session().records();
    if (records.CurrentAdvanced > 0) --records.CurrentAdvanced;
    ShowCurrent();
}

void AdvancedView::SetupPopupMenu()
{
    std::vector<GotoItem> items;
    for (const AAdv& a : session().records().advanced())
        items.push_back({DecodeStored(a.Hint), MonthNumber(a.Month).value_or(0) - 1});
    BuildGotoMenu(gotoMenu_, items, MonthNameList(), [this](int index) {
        session().records().CurrentAdvanced = index;
        ShowCurrent();
    });
}

void AdvancedView::ShowPreview()
{
    const AdvancedChoice c = choice();
    if (!c.complete()) {
        preview_->clear();
        return;
    }
    AAdv event;
    ApplyChoice(c, event);
    preview_->ShowAdvanced(event, session().today(), DateSettingsFrom(session().settings()));
}

void AdvancedView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::Advanced, [this] { SetupPopupMenu(); });
}

}  // namespace orv
