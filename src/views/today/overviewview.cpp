#include "views/today/overviewview.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/today/eventgrid.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

using Which = TrayMenuItem::Table;

const char* const kToday = "Today's events";
const char* const kTomorrow = "Tomorrow's events";
const char* const kNextWeek = "Next week's events";
const char* const kTypeOfEvent = "Type of Event";
const char* const kDaysUntil = "Days until the event occurs";

QLabel* Heading(QWidget* parent, const char* name, const char* text)
{
    auto* label = Named<QLabel>(QString::fromLatin1(name), QString::fromLatin1(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

OverviewView::OverviewView(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent), session_(session), navigator_(navigator), dialogs_(StandardDialogs())
{
    setObjectName(QStringLiteral("PP11"));
    setWindowTitle(QString::fromLatin1(kNextWeek));
    // In this order: it is the order of the view's children for screen readers.
    BuildTitle();
    BuildTables();
    BuildMenus();
    ConnectMenus();
    LayOut();

    setTitleColours(TodayStringGrid->titleBackground(), TodayStringGrid->titleText());
    for (EventGrid* g : {TodayStringGrid, TomorrowStringGrid, NextWeekStringGrid})
        g->setIndicatorWidth(session_.settings().Indicator);
}

// The title line (T3) and its "Update" link.
void OverviewView::BuildTitle()
{
    T3 = Named<QLabel>("T3", QString::fromLatin1(kNextWeek), this);
    T3->setAutoFillBackground(true);
    T3->setContentsMargins(6, 2, 6, 2);
    QFont titleFont = T3->font();
    titleFont.setBold(true);
    T3->setFont(titleFont);
    T18 = Named<LabelButton>("T18", QStringLiteral("Update"), this);
    T18->setMargin(2);
    connect(T18, &LabelButton::clicked, this, &OverviewView::updateRequested);
}

// The three tables under their headings.
void OverviewView::BuildTables()
{
    L16 = Heading(this, "L16", kToday);
    TodayStringGrid = makeGrid(Which::Today, "TodayStringGrid", "Panel15", kToday);
    L17 = Heading(this, "L17", kTomorrow);
    TomorrowStringGrid = makeGrid(Which::Tomorrow, "TomorrowStringGrid", "Panel14", kTomorrow);
    L18 = Heading(this, "L18", kNextWeek);
    Label1 = Named<QLabel>("Label1", this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NextWeekStringGrid = makeGrid(Which::Next, "NextWeekStringGrid", "Panel2", kNextWeek);
    L16->setBuddy(TodayStringGrid);
    L17->setBuddy(TomorrowStringGrid);
    L18->setBuddy(NextWeekStringGrid);
}

void OverviewView::BuildMenus()
{
    PopupMenu8 = makeMenu(TodayStringGrid, "PopupMenu8");
    Go1 = addItem(PopupMenu8, "Go1", "Go..");
    Done1 = addItem(PopupMenu8, "Done1", "Done");
    Sendemail1 = addItem(PopupMenu8, "Sendemail1", "Send e-mail");
    Calendar2 = addItem(PopupMenu8, "Calendar2", "Calendar");
    PopupMenu10 = makeMenu(TomorrowStringGrid, "PopupMenu10");
    Go3 = addItem(PopupMenu10, "Go3", "Go..");
    Sendemail3 = addItem(PopupMenu10, "Sendemail3", "Send e-mail");
    Calendar3 = addItem(PopupMenu10, "Calendar3", "Calendar");
    PopupMenu9 = makeMenu(NextWeekStringGrid, "PopupMenu9");
    Go2 = addItem(PopupMenu9, "Go2", "Go..");
    Done2 = addItem(PopupMenu9, "Done2", "Done");
    Sendemail2 = addItem(PopupMenu9, "Sendemail2", "Send e-mail");
    Calendar4 = addItem(PopupMenu9, "Calendar4", "Calendar");
}

void OverviewView::ConnectMenus()
{
    connect(Go1, &QAction::triggered, this, [this] { Go(Which::Today, GoAs::Go); });
    connect(Done1, &QAction::triggered, this, [this] { Go(Which::Today, GoAs::Done); });
    connect(Sendemail1, &QAction::triggered, this, [this] { Go(Which::Today, GoAs::SendEmail); });
    connect(Calendar2, &QAction::triggered, this, [this] { navigator_.ShowCalendarAt(session_.today()); });
    connect(Go3, &QAction::triggered, this, [this] { Go(Which::Tomorrow, GoAs::Go); });
    connect(Sendemail3, &QAction::triggered, this, [this] { Go(Which::Tomorrow, GoAs::SendEmail); });
    connect(Calendar3, &QAction::triggered, this, [this] { navigator_.ShowCalendarAt(NextDate(session_.today())); });
    connect(Go2, &QAction::triggered, this, [this] { Go(Which::Next, GoAs::Go); });
    connect(Done2, &QAction::triggered, this, [this] { Go(Which::Next, GoAs::Done); });
    connect(Sendemail2, &QAction::triggered, this, [this] { Go(Which::Next, GoAs::SendEmail); });
    connect(Calendar4, &QAction::triggered, this, [this] { Go(Which::Next, GoAs::Calendar); });
}

void OverviewView::LayOut()
{
    auto* nextHeading = new QHBoxLayout;
    nextHeading->setContentsMargins(0, 0, 0, 0);
    nextHeading->addWidget(L18, 1);
    nextHeading->addWidget(Label1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(3);
    body->addWidget(L16);
    body->addWidget(TodayStringGrid, 3);
    body->addSpacing(4);
    body->addWidget(L17);
    body->addWidget(TomorrowStringGrid, 2);
    body->addSpacing(4);
    body->addLayout(nextHeading);
    body->addWidget(NextWeekStringGrid, 4);

    auto* title = new QHBoxLayout;
    title->setContentsMargins(0, 0, 0, 0);
    title->setSpacing(0);
    title->addWidget(T3, 1);
    title->addWidget(T18);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(title);
    layout->addLayout(body, 1);
    setTabOrder(T18, TodayStringGrid);
    setTabOrder(TodayStringGrid, TomorrowStringGrid);
    setTabOrder(TomorrowStringGrid, NextWeekStringGrid);
}

EventGrid* OverviewView::makeGrid(Which which, const char* name, const char* fillerName, const char* hint)
{
    auto* g = Named<EventGrid>(QString::fromLatin1(name),
                               which == Which::Next ? EventGrid::Columns::DaysKindText : EventGrid::Columns::KindText,
                               QString::fromLatin1(fillerName), this);
    g->setToolTip(QString::fromLatin1(hint));
    // A screen reader names the grid after its heading.
    g->setAccessibleName(QString::fromLatin1(hint));
    g->setContextMenuPolicy(Qt::CustomContextMenu);
    g->viewport()->installEventFilter(this);
    g->filler()->installEventFilter(this);
    connect(g, &EventGrid::lineClicked, this, [this, which] { LineClicked(which); });
    connect(g, &EventGrid::lineDoubleClicked, this, [this, which] { Go(which, GoAs::Go); });
    connect(g, &QWidget::customContextMenuRequested, this, [this, which](const QPoint& pos) { ShowMenu(which, pos); });
    return g;
}

QMenu* OverviewView::makeMenu(EventGrid* grid, const char* name)
{
    auto* menu = Named<QMenu>(QString::fromLatin1(name), grid);
    return menu;
}

QAction* OverviewView::addItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

OverviewView::Parts OverviewView::parts(Which which) const
{
    switch (which) {
    case Which::Today:
        return {.grid = TodayStringGrid,
                .heading = L16,
                .menu = PopupMenu8,
                .done = Done1,
                .sendEmail = Sendemail1,
                .calendar = Calendar2,
                .hint = kToday};
    case Which::Tomorrow:
        return {.grid = TomorrowStringGrid,
                .heading = L17,
                .menu = PopupMenu10,
                .done = nullptr,
                .sendEmail = Sendemail3,
                .calendar = nullptr,
                .hint = kTomorrow};
    case Which::Next:
    case Which::None:
        break;
    }
    return {.grid = NextWeekStringGrid,
            .heading = L18,
            .menu = PopupMenu9,
            .done = Done2,
            .sendEmail = Sendemail2,
            .calendar = Calendar4,
            .hint = kNextWeek};
}

EventGrid* OverviewView::grid(Which which) const { return which == Which::None ? nullptr : parts(which).grid; }

void OverviewView::Build(Reminder reminder)
{
    const Settings& s = session_.settings();
    const TodoLists& todos = session_.todos();
    const Date today = session_.today();
    // Before the first initialisation there is no day to list.
    if (!IsValidDate(today.Year, today.Month, today.Day)) return;
    Overview o = BuildOverview(session_.finder(), today, OverviewSettingsFrom(s),
                               OverviewTodos{.Top = &todos.Top, .TodayEveryDay = &todos.TodayEveryDay, .Bottom = &todos.Bottom});
    if (reminder == Reminder::ForHighPriority && o.HighPriority > 0) emit reminderDue();
    trayMenu_ = BuildTrayMenu(o);
    for (Which which : {Which::Today, Which::Tomorrow, Which::Next}) {
        const Parts p = parts(which);
        p.grid->setIndicatorWidth(s.Indicator);
        p.grid->setToolTip(QString::fromLatin1(p.hint));
    }
    TodayStringGrid->setTable(std::move(o.Today));
    TomorrowStringGrid->setTable(std::move(o.Tomorrow));
    NextWeekStringGrid->setTable(std::move(o.Next));
    nextHeading_ = QString::fromStdString(o.Heading);
    L18->setText(nextHeading_);
    NextWeekStringGrid->setAccessibleName(nextHeading_);
    ClearDateStamp();
    emit trayMenuChanged();
}

void OverviewView::ResetHeadings()
{
    L16->setText(QString::fromLatin1(kToday));
    L17->setText(QString::fromLatin1(kTomorrow));
    L18->setText(nextHeading_.isEmpty() ? QString::fromLatin1(kNextWeek) : nextHeading_);
}

void OverviewView::ClearDateStamp() { Label1->clear(); }

void OverviewView::setTitleColours(const QColor& background, const QColor& text)
{
    QPalette palette = T3->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    T3->setPalette(palette);
    T18->setColours(background, text);
    for (EventGrid* g : {TodayStringGrid, TomorrowStringGrid, NextWeekStringGrid}) g->setTitleColours(background, text);
}

void OverviewView::setLinkHoverColours(const QColor& background, const QColor& text)
{
    T18->setHoverColours(background, text);
}

void OverviewView::LineClicked(Which which)
{
    const Parts p = parts(which);
    const Occurrence* line = p.grid->currentLine();
    const char kind = line ? line->Kind : 0;
    if (which == Which::Next && !session_.settings().CB21) {
        // With the dates in the lines (CB21) the stamp would only repeat them.
        if (line && line->DaysUntil == Occurrence::NoDays) {
            ClearDateStamp();
        } else if (line) {
            const Date d = LineDate(which, *line);
            Label1->setText(QString::fromStdString(EShortDate(d.Month, d.Day, DateSettingsFrom(session_.settings()))));
        }
    } else if (which != Which::Next) {
        ClearDateStamp();
    }
    p.sendEmail->setVisible(kind == EventKind::Birthday);
    if (p.done) {
        const bool done = kind == EventKind::Todo || (which == Which::Today && kind == EventKind::EveryDay);
        p.done->setVisible(done);
        p.calendar->setVisible(!done);
    }
}

void OverviewView::ShowMenu(Which which, const QPoint& pos)
{
    const Parts p = parts(which);
    if (!p.grid->hasLines()) return;
    p.menu->popup(p.grid->viewport()->mapToGlobal(pos));
}

bool OverviewView::eventFilter(QObject* watched, QEvent* event)
{
    // Off a grid (onto the window or elsewhere) the headings say their own
    // text again; a move onto the filler strip explains it anew.
    if (event->type() == QEvent::Leave) ResetHeadings();
    if (event->type() == QEvent::MouseMove) {
        for (Which which : {Which::Today, Which::Tomorrow, Which::Next}) {
            const Parts p = parts(which);
            if (watched == p.grid->viewport() || watched == p.grid->filler()) {
                Explain(which, watched, static_cast<int>(static_cast<QMouseEvent*>(event)->position().x()));
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OverviewView::Explain(Which which, QObject* over, int x)
{
    if (!session_.settings().CB4) return;
    const Parts p = parts(which);
    if (over == p.grid->filler()) {
        p.heading->setText(QString::fromLatin1(kTypeOfEvent));
        return;
    }
    const int i = p.grid->indicatorWidth();
    const char* text = p.hint;
    if (x < i)
        text = which == Which::Next ? kDaysUntil : kTypeOfEvent;
    else if (which == Which::Next && x < 2 * i)
        text = kTypeOfEvent;
    // Over the text of the next-days lines the heading says what the table covers.
    const bool plain = text == p.hint;
    p.heading->setText(plain && which == Which::Next && !nextHeading_.isEmpty() ? nextHeading_ : QString::fromLatin1(text));
    p.grid->setToolTip(QString::fromLatin1(text));
}

Date OverviewView::LineDate(Which which, const Occurrence& line) const
{
    const Date today = session_.today();
    switch (which) {
    case Which::Tomorrow:
        return NextDate(today);
    case Which::Next: {
        Date d = today;
        for (int k = 0; k < line.DaysUntil; ++k) d = NextDate(d);
        return d;
    }
    case Which::Today:
    case Which::None:
        break;
    }
    return today;
}

void OverviewView::ActivateTrayLine(Which table, int row)
{
    EventGrid* g = grid(table);
    if (!g) return;
    g->setCurrentRow(row);
    Go(table, GoAs::Go);
    navigator_.ShowMainWindow();
}

void OverviewView::Go(Which which, GoAs as)
{
    if (which == Which::None) return;
    const Occurrence* found = parts(which).grid->currentLine();
    if (!found) return;
    // The navigator may rebuild this view; act on a copy of the line.
    const Occurrence line = *found;
    const Date d = LineDate(which, line);
    switch (line.Kind) {
    case EventKind::Todo:
        GoTodo(which == Which::Today ? TodoList::Top : TodoList::Bottom, line.Text, as);
        return;
    case EventKind::EveryDay:
        GoTodo(TodoList::TodayEveryDay, line.Text, as);
        return;
    default:
        break;
    }
    if (as == GoAs::Calendar) {
        navigator_.ShowCalendarAt(d);
        return;
    }
    if (line.Kind == EventKind::Birthday && as == GoAs::SendEmail) {
        SendEmail(line.SourceIndex);
        return;
    }
    navigator_.OpenRecord(line, d);
}

void OverviewView::GoTodo(TodoList list, const std::string& text, GoAs as)
{
    const TodoLists& todos = session_.todos();
    const std::vector<std::string>& items = list == TodoList::Top      ? todos.Top
                                            : list == TodoList::Bottom ? todos.Bottom
                                                                       : todos.TodayEveryDay;
    // Walk from the first item, stopping at the first equal one or at the last.
    int index = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        index = static_cast<int>(i);
        if (items[i] == text) break;
    }
    if (as == GoAs::Done && index >= 0 && items[static_cast<std::size_t>(index)] == text)
        navigator_.DoneTodo(list, index);
    else
        navigator_.ShowTodo(list, index);
}

void OverviewView::SendEmail(int index)
{
    const auto& addresses = session_.records().addresses();
    if (index < 0 || index >= static_cast<int>(addresses.size())) return;
    session_.records().CurrentAddress = index;
    if (!addresses[static_cast<std::size_t>(index)].Email1.empty())
        navigator_.SendEmail(index);
    else
        dialogs_.alert(this, QMessageBox::NoIcon, QStringLiteral("E-mail error"), QStringLiteral("No e-mail address in the address book"));
}

void OverviewView::Follow(Changes& changes)
{
    changes.Subscribe(this, kEveryKind, [this] { Build(Reminder::Quiet); });
}

}  // namespace orv
