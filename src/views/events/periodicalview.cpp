#include "views/events/periodicalview.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/session.h"
#include "engine/periodlines.h"
#include "store/textutil.h"
#include "views/common/named.h"
#include "views/today/eventgrid.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

QLineEdit* DateEntry(QWidget* parent, const char* name, const QString& accessibleName, int width)
{
    auto* edit = Named<QLineEdit>(QString::fromLatin1(name), parent);
    edit->setAccessibleName(accessibleName);
    edit->setMaximumWidth(width);
    return edit;
}

std::optional<int> Typed(const QLineEdit* edit)
{
    if (edit->text().isEmpty()) return std::nullopt;
    return ParseInt32(edit->text().toStdString());
}

}  // namespace

PeriodicalView::PeriodicalView(Session& session, Navigator& navigator, QWidget* parent)
    : EventPage(session, QStringLiteral("PP10"), QStringLiteral("TitlePP10"), QStringLiteral("Periodical search"), parent),
      navigator_(navigator)
{
    // In this order: it is the order of the view's children for screen readers.
    BuildControls();
    BuildMenu();
    LayOut();
    Connect();
    StringGrid7->installEventFilter(this);
    ApplySettings();
}

void PeriodicalView::BuildControls()
{
    ShowFromDEdit = DateEntry(this, "ShowFromDEdit", QStringLiteral("From day"), 40);
    ShowFromMEdit = DateEntry(this, "ShowFromMEdit", QStringLiteral("From month"), 40);
    ShowFromYEdit = DateEntry(this, "ShowFromYEdit", QStringLiteral("From year"), 60);
    ShowToDEdit = DateEntry(this, "ShowToDEdit", QStringLiteral("To day"), 40);
    ShowToMEdit = DateEntry(this, "ShowToMEdit", QStringLiteral("To month"), 40);
    ShowToYEdit = DateEntry(this, "ShowToYEdit", QStringLiteral("To year"), 60);
    SB9 = Named<QPushButton>("SB9", QStringLiteral("Compute"), this);
    SB9->setAutoDefault(false);
    CB1 = Named<QCheckBox>("CB1", QStringLiteral("Birthdays"), this);
    CB2 = Named<QCheckBox>("CB2", QStringLiteral("Hints"), this);
    ML7 = Named<QLabel>("ML7", QStringLiteral("Next:"), this);
    MenuL24 = MakeCommand("MenuL24", QStringLiteral("Week"), QStringLiteral("Next week"));
    MenuL25 = MakeCommand("MenuL25", QStringLiteral("Month"), QStringLiteral("Next month"));
    MenuL26 = MakeCommand("MenuL26", QStringLiteral("Year"), QStringLiteral("Next year"));
    StringGrid7 = Named<EventGrid>("StringGrid7", EventGrid::Columns::KindText, QStringLiteral("Panel17"), this);
    StringGrid7->setAccessibleName(QStringLiteral("Periodical search"));
}

void PeriodicalView::BuildMenu()
{
    SearchPPopupMenu = Named<QMenu>("SearchPPopupMenu", this);
    M54 = SearchPPopupMenu->addAction(QStringLiteral("Next week"));
    M54->setObjectName(QStringLiteral("M54"));
    M55 = SearchPPopupMenu->addAction(QStringLiteral("Next month"));
    M55->setObjectName(QStringLiteral("M55"));
    M56 = SearchPPopupMenu->addAction(QStringLiteral("Next year"));
    M56->setObjectName(QStringLiteral("M56"));
}

void PeriodicalView::LayOut()
{
    auto* dates = new QGridLayout;
    dates->addWidget(new QLabel(QStringLiteral("D"), this), 0, 1);
    dates->addWidget(new QLabel(QStringLiteral("M"), this), 0, 2);
    dates->addWidget(new QLabel(QStringLiteral("Year"), this), 0, 3);
    dates->addWidget(new QLabel(QStringLiteral("From"), this), 1, 0);
    dates->addWidget(ShowFromDEdit, 1, 1);
    dates->addWidget(ShowFromMEdit, 1, 2);
    dates->addWidget(ShowFromYEdit, 1, 3);
    dates->addWidget(new QLabel(QStringLiteral("To"), this), 2, 0);
    dates->addWidget(ShowToDEdit, 2, 1);
    dates->addWidget(ShowToMEdit, 2, 2);
    dates->addWidget(ShowToYEdit, 2, 3);
    auto* include = new QVBoxLayout;
    include->addWidget(CB1);
    include->addWidget(CB2);
    include->addStretch(1);
    auto* quick = new QHBoxLayout;
    quick->addWidget(ML7);
    quick->addWidget(MenuL24);
    quick->addWidget(MenuL25);
    quick->addWidget(MenuL26);
    auto* commands = new QVBoxLayout;
    commands->addWidget(SB9);
    commands->addLayout(quick);
    commands->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(dates);
    top->addSpacing(12);
    top->addLayout(include);
    top->addSpacing(12);
    top->addLayout(commands);
    top->addStretch(1);
    body()->addLayout(top);
    body()->addWidget(StringGrid7, 1);
}

void PeriodicalView::Connect()
{
    for (QLineEdit* e : {ShowFromDEdit, ShowFromMEdit, ShowFromYEdit, ShowToDEdit, ShowToMEdit, ShowToYEdit}) {
        connect(e, &QLineEdit::textChanged, this, [this, e] { EntryChanged(e); });
        connect(e, &QLineEdit::returnPressed, this, [this] { Compute(ComputeBy::Button); });
    }
    connect(SB9, &QPushButton::clicked, this, &PeriodicalView::SB9Click);
    connect(M54, &QAction::triggered, this, &PeriodicalView::M54Click);
    connect(M55, &QAction::triggered, this, &PeriodicalView::M55Click);
    connect(M56, &QAction::triggered, this, &PeriodicalView::M56Click);
    connect(MenuL24, &LabelButton::clicked, this, [this] { MenuL24Click(MenuL24); });
    connect(MenuL25, &LabelButton::clicked, this, [this] { MenuL24Click(MenuL25); });
    connect(MenuL26, &LabelButton::clicked, this, [this] { MenuL24Click(MenuL26); });
    connect(CB1, &QCheckBox::toggled, this, [this](bool on) { this->session().settings().IncBirth = on; });
    connect(CB2, &QCheckBox::toggled, this, [this](bool on) { this->session().settings().IncHint = on; });
    connect(StringGrid7, &EventGrid::lineDoubleClicked, this, &PeriodicalView::StringGrid7DblClick);
}

void PeriodicalView::ApplySettings()
{
    CB1->setChecked(session().settings().IncBirth);
    CB2->setChecked(session().settings().IncHint);
    StringGrid7->setIndicatorWidth(session().settings().Indicator);
}

void PeriodicalView::PresetFrom(Date today)
{
    ShowFromDEdit->setText(QString::number(today.Day));
    ShowFromMEdit->setText(QString::number(today.Month));
    ShowFromYEdit->setText(QString::number(today.Year));
}

void PeriodicalView::FocusToDate()
{
    if (window()->isVisible()) ShowToDEdit->setFocus(Qt::OtherFocusReason);
}

void PeriodicalView::EntryChanged(QLineEdit* edit)
{
    StringGrid7->setTable({});
    const QString text = edit->text();
    if (text.isEmpty()) return;
    // Only a decimal number stays: leading zeros and other characters go as typed.
    const std::optional<std::int32_t> value = ParseInt32(text.toStdString());
    const QString filtered = QString::number(value ? *value : 0);
    if (filtered == text) return;
    const QSignalBlocker blocker(edit);
    edit->setText(filtered);
}

void PeriodicalView::SB9Click() { Compute(ComputeBy::Button); }

void PeriodicalView::Compute(ComputeBy by)
{
    StringGrid7->setTable({});
    const TypedDate from{Typed(ShowFromYEdit), Typed(ShowFromMEdit), Typed(ShowFromDEdit)};
    const TypedDate to{Typed(ShowToYEdit), Typed(ShowToMEdit), Typed(ShowToDEdit)};
    const EventFinder& finder = session().finder();
    const bool birthdays = CB1->isChecked();
    const bool hints = CB2->isChecked();
    const std::uint64_t lines = PeriodicalLineCount(finder, from, to, birthdays, hints);
    if (lines > kMaxPeriodicalLines) {
        Message(QMessageBox::Warning, QStringLiteral("Date error"),
                QStringLiteral("The period holds %1 lines, more than can be shown at once. Choose a shorter period.")
                    .arg(QLocale().toString(static_cast<qulonglong>(lines))));
    } else {
        PeriodicalResult result = PeriodicalSearch(finder, from, to, birthdays, hints);
        if (!result.ok)
            Message(QMessageBox::Warning, QStringLiteral("Date error"), QString::fromStdString(result.message));
        else
            StringGrid7->setLines(std::move(result.rows));
    }
    if (by == ComputeBy::Button) MenuL24Click(nullptr);
}

void PeriodicalView::QuickPeriod(Quick period)
{
    const TypedDate from{Typed(ShowFromYEdit), Typed(ShowFromMEdit), Typed(ShowFromDEdit)};
    if (!PeriodDateAcceptable(from)) {
        // Without a from-date there is nothing to count from.
        StringGrid7->setTable({});
        Message(QMessageBox::Warning, QStringLiteral("Date error"), QStringLiteral("Change the 'From-date'"));
        return;
    }
    const Date start = from.date();
    const Date end = period == Quick::Week ? NextWeekTo(start) : period == Quick::Month ? NextMonthTo(start) : NextYearTo(start);
    ShowToYEdit->setText(QString::number(end.Year));
    ShowToMEdit->setText(QString::number(end.Month));
    ShowToDEdit->setText(QString::number(end.Day));
    Compute(ComputeBy::QuickPeriod);
}

void PeriodicalView::M54Click() { QuickPeriod(Quick::Week); }
void PeriodicalView::M55Click() { QuickPeriod(Quick::Month); }
void PeriodicalView::M56Click() { QuickPeriod(Quick::Year); }

void PeriodicalView::MenuL24Click(LabelButton* sender)
{
    LabelButton* labels[] = {MenuL24, MenuL25, MenuL26};
    QAction* items[] = {M54, M55, M56};
    for (int i = 0; i < 3; ++i) {
        QFont f = labels[i]->font();
        f.setBold(labels[i] == sender);
        labels[i]->setFont(f);
    }
    for (int i = 0; i < 3; ++i)
        if (labels[i] == sender) items[i]->trigger();
}

void PeriodicalView::StringGrid7DblClick()
{
    const Occurrence* found = StringGrid7->currentLine();
    if (!found) return;
    const Occurrence line = *found;
    RecordStore& records = session().records();
    if (line.Kind == EventKind::Birthday) {
        if (line.SourceIndex < 0 || line.SourceIndex >= static_cast<int>(records.addresses().size())) return;
        records.CurrentAddress = line.SourceIndex;
        navigator_.ShowAddress(line.SourceIndex);
        return;
    }
    if (line.SourceIndex < 0 || line.SourceIndex >= static_cast<int>(records.calendar().size())) return;
    const ACal& c = records.calendar()[static_cast<std::size_t>(line.SourceIndex)];
    if (!IsValidDate(c.Year, c.Month, c.Day)) return;
    navigator_.ShowCalendarAt(Date{static_cast<std::uint16_t>(c.Year), static_cast<std::uint16_t>(c.Month),
                                   static_cast<std::uint16_t>(c.Day)});
}

void PeriodicalView::contextMenuEvent(QContextMenuEvent* event)
{
    SearchPPopupMenu->popup(event->globalPos());
    event->accept();
}

bool PeriodicalView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid7 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            StringGrid7DblClick();
            return true;
        }
    }
    return EventPage::eventFilter(watched, event);
}

}  // namespace orv
