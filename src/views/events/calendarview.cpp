#include "views/events/calendarview.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "engine/dayviews.h"
#include "engine/peoplesearch.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/events/tchangehint.h"
#include "views/today/eventgrid.h"
#include "views/events/icaldialogs.h"
#include "views/common/labelbutton.h"
#include "views/events/tmycal.h"
#include "views/events/tnewcal.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"

namespace orv {

CalendarView::CalendarView(Session& session, Navigator& navigator, QWidget* parent)
    : EventPage(session, QStringLiteral("PP13"), QStringLiteral("T4"), QStringLiteral("Calendar"), parent),
      navigator_(navigator)
{
    // In this order: it is the order of the view's children for screen readers.
    BuildCommands();
    BuildEventList();
    MakeMenusAndDialogs();
    LayOut();
    Connect();
    CalStringGrid->installEventFilter(this);

    SetupPopupMenu();
    MyCal1Click();
}

// The calendar and the commands around it.
void CalendarView::BuildCommands()
{
    Label25 = MakeCommand("Label25", QString());
    MonthLabel1 = MakeCommand("MonthLabel1", QString());
    WeekLabel1 = MakeCommand("WeekLabel1", QString());
    for (LabelButton* b : {Label25, MonthLabel1}) {
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
    }
    Label25->setToolTip(QStringLiteral("Choose a month"));
    MonthLabel1->setToolTip(QStringLiteral("Choose a year"));
    WeekLabel1->setToolTip(QStringLiteral("Go to a week"));

    MyCal1 = new TMyCal(this);
    MyCal1->setXWidth(170);
    MyCal1->setXHeight(100);

    ML3 = MakeCommand("ML3", QStringLiteral("Previous"), QStringLiteral("Previous day"));
    T16 = MakeLink("T16", QStringLiteral("Today"));
    ML9 = MakeCommand("ML9", QStringLiteral("Next"), QStringLiteral("Next day"));
    MenuL34 = MakeCommand("MenuL34", QStringLiteral("Event"), QStringLiteral("Next event"));
    MenuL35 = MakeCommand("MenuL35", QStringLiteral("Birthday"), QStringLiteral("Next birthday"));
    MenuL36 = MakeCommand("MenuL36", QStringLiteral("Month"), QStringLiteral("Next month"));
    MenuL14 = MakeCommand("MenuL14", QStringLiteral("Year"), QStringLiteral("Next year"));
    MenuL30 = MakeCommand("MenuL30", QStringLiteral("Event"), QStringLiteral("Previous event"));
    MenuL31 = MakeCommand("MenuL31", QStringLiteral("Birthday"), QStringLiteral("Previous birthday"));
    MenuL32 = MakeCommand("MenuL32", QStringLiteral("Month"), QStringLiteral("Previous month"));
    MenuL33 = MakeCommand("MenuL33", QStringLiteral("Year"), QStringLiteral("Previous year"));
    MenuL29 = MakeCommand("MenuL29", QStringLiteral("New"), QStringLiteral("New calendar event"));
    MenuL27 = MakeCommand("MenuL27", QStringLiteral("Change"), QStringLiteral("Change calendar event"));
    MenuL28 = MakeCommand("MenuL28", QStringLiteral("Delete"), QStringLiteral("Delete calendar event"));
    ExportIcal = MakeCommand("ExportIcal", QStringLiteral("Export iCalendar..."));
    ImportIcal = MakeCommand("ImportIcal", QStringLiteral("Import iCalendar..."));
}

// The day's events and the selected one's additional info.
void CalendarView::BuildEventList()
{
    CalStringGrid = Named<EventGrid>("CalStringGrid", EventGrid::Columns::KindText, QStringLiteral("Panel16"), this);
    L19 = MakeCaption(this, QStringLiteral("Events:"), CalStringGrid, CaptionWeight::Bold);
    L19->setObjectName(QStringLiteral("L19"));
    Memo1 = Named<QPlainTextEdit>("Memo1", this);
    Memo1->setReadOnly(true);
    Memo1->setToolTip(QStringLiteral("Additional info about the event"));
    Memo1->setAccessibleName(QStringLiteral("Additional info about the event"));
    Memo1->setTabChangesFocus(true);
}

void CalendarView::MakeMenusAndDialogs()
{
    monthMenu_ = new QMenu(Label25);
    yearMenu_ = new QMenu(MonthLabel1);
    weekMenu_ = new WeekMenu(WeekLabel1);
    picker_ = new TChangeHint(session(), this);
    newCal_ = new TNewCal(session(), *MyCal1, *picker_, this);
    icalPeriod_ = new TIcalPeriod(*picker_, this);
    icalImport_ = new TIcalImport(*picker_, this);
}

// The calendar's column: the month heading, the calendar, the moves, the event commands.
QVBoxLayout* CalendarView::LayOutCalendarColumn()
{
    auto* heading = new QHBoxLayout;
    heading->setSpacing(0);
    heading->addWidget(Label25);
    heading->addWidget(MonthLabel1);
    heading->addStretch(1);
    heading->addWidget(WeekLabel1);
    auto* days = new QHBoxLayout;
    days->addWidget(ML3);
    days->addStretch(1);
    days->addWidget(T16);
    days->addStretch(1);
    days->addWidget(ML9);
    auto* jumps = new QGridLayout;
    jumps->setHorizontalSpacing(2);
    jumps->addWidget(new QLabel(QStringLiteral("Forward:"), this), 0, 0);
    jumps->addWidget(new QLabel(QStringLiteral("Back:"), this), 1, 0);
    int column = 1;
    for (LabelButton* b : {MenuL34, MenuL35, MenuL36, MenuL14}) jumps->addWidget(b, 0, column++);
    column = 1;
    for (LabelButton* b : {MenuL30, MenuL31, MenuL32, MenuL33}) jumps->addWidget(b, 1, column++);
    auto* edits = new QHBoxLayout;
    edits->addWidget(MenuL29);
    edits->addWidget(MenuL27);
    edits->addWidget(MenuL28);
    edits->addStretch(1);
    auto* exchange = new QVBoxLayout;
    exchange->setSpacing(0);
    for (LabelButton* b : {ExportIcal, ImportIcal}) exchange->addWidget(b, 0, Qt::AlignLeft);

    auto* left = new QVBoxLayout;
    left->addLayout(heading);
    left->addWidget(MyCal1, 0, Qt::AlignLeft);
    left->addLayout(days);
    left->addSpacing(6);
    left->addLayout(jumps);
    left->addSpacing(6);
    left->addLayout(edits);
    left->addSpacing(6);
    left->addLayout(exchange);
    left->addStretch(1);
    return left;
}

void CalendarView::LayOut()
{
    QVBoxLayout* left = LayOutCalendarColumn();
    auto* right = new QVBoxLayout;
    right->addWidget(L19);
    right->addWidget(CalStringGrid, 3);
    right->addWidget(Memo1, 2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(8);
    columns->addLayout(right, 1);
    body()->addLayout(columns, 1);
}

void CalendarView::Connect()
{
    connect(MyCal1, &TMyCal::dayClicked, this, &CalendarView::MyCal1Click);
    connect(ML9, &LabelButton::clicked, this, [this] { MyCal1->NextDay(); FocusCalendar(); });
    connect(ML3, &LabelButton::clicked, this, [this] { MyCal1->PrevDay(); FocusCalendar(); });
    connect(MenuL36, &LabelButton::clicked, this, [this] { MyCal1->NextMonth(); FocusCalendar(); });
    connect(MenuL32, &LabelButton::clicked, this, [this] { MyCal1->PrevMonth(); FocusCalendar(); });
    connect(MenuL14, &LabelButton::clicked, this, [this] { MyCal1->NextYear(); FocusCalendar(); });
    connect(MenuL33, &LabelButton::clicked, this, [this] { MyCal1->PrevYear(); FocusCalendar(); });
    connect(T16, &LabelButton::clicked, this, [this] { MyCal1->SetToday(); FocusCalendar(); });
    connect(MenuL34, &LabelButton::clicked, this, &CalendarView::NextEvent);
    connect(MenuL30, &LabelButton::clicked, this, &CalendarView::PrevEvent);
    connect(MenuL35, &LabelButton::clicked, this, &CalendarView::NextBirthday);
    connect(MenuL31, &LabelButton::clicked, this, &CalendarView::PrevBirthday);
    connect(MenuL29, &LabelButton::clicked, this, &CalendarView::NewEvent);
    connect(MenuL27, &LabelButton::clicked, this, &CalendarView::ChangeEvent);
    connect(MenuL28, &LabelButton::clicked, this, &CalendarView::DeleteEvent);
    connect(ExportIcal, &LabelButton::clicked, this, &CalendarView::ExportIcalClick);
    connect(ImportIcal, &LabelButton::clicked, this, &CalendarView::ImportIcalClick);
    connect(Label25, &LabelButton::clicked, this, [this] { PopupBelow(monthMenu_, Label25); });
    connect(MonthLabel1, &LabelButton::clicked, this, [this] { PopupBelow(yearMenu_, MonthLabel1); });
    connect(WeekLabel1, &LabelButton::clicked, this, [this] { PopupBelow(weekMenu_, WeekLabel1); });
    connect(weekMenu_, &WeekMenu::weekChosen, this, [this](int week) {
        if (const auto d = FirstDateOfWeek(MyCal1->XYear(), week, DateSettingsFrom(this->session().settings()))) GoTo(*d);
    });
    connect(CalStringGrid, &EventGrid::lineClicked, this, &CalendarView::RowClicked);
    connect(CalStringGrid, &EventGrid::lineDoubleClicked, this, &CalendarView::RowDoubleClicked);
    connect(newCal_, &TNewCal::okPressed, this, &CalendarView::NewCalOk);
}

Date CalendarView::selectedDate() const { return MyCal1->XDate(); }

void CalendarView::ApplySettings()
{
    CalStringGrid->setIndicatorWidth(session().settings().Indicator);
    MyCal1->setToday(session().today());
    MyCal1->setXStartOfWeek(DateSettingsFrom(session().settings()).WeekStart);
    picker_->ApplySettings();
}

void CalendarView::GoTo(Date date) { MyCal1->GoToDate(date.Year, date.Month, date.Day); }

void CalendarView::SetupPopupMenu()
{
    BuildMonthMenu(monthMenu_, [this](int month) { MyCal1->setXMonth(month); });
    const int centre = session().today().Year ? session().today().Year : MyCal1->XYear();
    BuildYearMenu(yearMenu_, centre, [this](int year) { MyCal1->setXYear(year); });
}

void CalendarView::MyCal1Click()
{
    const Date d = selectedDate();
    const DateSettings settings = DateSettingsFrom(session().settings());
    MenuL27->setEnabled(false);
    MenuL28->setEnabled(false);
    CalStringGrid->setTable(DayList(session().finder(), d, session().settings().CB11));
    Label25->setText(MonthName(d.Month));
    Label25->setAccessibleName(QStringLiteral("Month: ") + Label25->text());
    MonthLabel1->setText(QString::number(d.Year));
    MonthLabel1->setAccessibleName(QStringLiteral("Year: ") + MonthLabel1->text());
    MyCal1->setToolTip(QString::fromStdString(ELongDate(d, settings)));
    const int week = Week1(d.Year, d.Month, d.Day, settings.WeekStart, settings.FirstWeek);
    WeekLabel1->setText(QStringLiteral("Week %1").arg(week));
    WeekLabel1->setAccessibleName(WeekLabel1->text());
    weekMenu_->setCurrentWeek(std::clamp(week, 1, 52));
    Memo1->clear();
}

void CalendarView::RowClicked()
{
    Memo1->clear();
    const Occurrence* line = CalStringGrid->currentLine();
    const char kind = line ? line->Kind : 0;
    const bool event = kind == EventKind::High || kind == EventKind::Normal || kind == EventKind::Low;
    MenuL27->setEnabled(event);
    MenuL28->setEnabled(event);
    RecordStore& records = session().records();
    if (event && line->SourceIndex >= 0 && line->SourceIndex < static_cast<int>(records.calendar().size())) {
        records.CurrentCalendar = line->SourceIndex;
        Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        QStringList text;
        for (const std::string& l : records.calendar()[static_cast<std::size_t>(line->SourceIndex)].More)
            text << DecodeStored(l);
        Memo1->setPlainText(text.join(QLatin1Char('\n')));
    } else if (kind == EventKind::Birthday && line->SourceIndex >= 0 &&
               line->SourceIndex < static_cast<int>(records.addresses().size())) {
        records.CurrentAddress = line->SourceIndex;
        Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
        std::vector<std::string> card;
        AddressSummary(card, records.addresses()[static_cast<std::size_t>(line->SourceIndex)]);
        const QStringList text = DecodeStoredLines(card);
        Memo1->setPlainText(text.join(QLatin1Char('\n')));
    }
}

void CalendarView::RowDoubleClicked()
{
    const Occurrence* found = CalStringGrid->currentLine();
    if (!found) return;
    const Occurrence line = *found;  // the navigator may refresh this page
    // A dated event is where the calendar already is.
    if (line.Kind == EventKind::High || line.Kind == EventKind::Normal || line.Kind == EventKind::Low) return;
    navigator_.OpenRecord(line, selectedDate());
}

bool CalendarView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CalStringGrid) {
        // From the keyboard the line the grid lands on counts as clicked, and
        // Enter does what a double click does.
        if (event->type() == QEvent::FocusIn) {
            RowClicked();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                RowDoubleClicked();
                return true;
            }
        }
    }
    return EventPage::eventFilter(watched, event);
}

void CalendarView::FocusCalendar()
{
    if (isVisible()) MyCal1->setFocus(Qt::OtherFocusReason);
}

void CalendarView::NextEvent() { GoToEvent(NextEventAfter(session().records(), selectedDate())); }

void CalendarView::PrevEvent() { GoToEvent(PrevEventBefore(session().records(), selectedDate())); }

void CalendarView::GoToEvent(std::optional<int> index)
{
    if (index) {
        const ACal& c = session().records().calendar()[static_cast<std::size_t>(*index)];
        MyCal1->GoToDate(c.Year, c.Month, c.Day);
        session().records().CurrentCalendar = *index;
    }
    FocusCalendar();
}

void CalendarView::NextBirthday()
{
    MyCal1->setXDate(NextBirthdayFrom(session().records().addresses(), selectedDate()));
    FocusCalendar();
}

void CalendarView::PrevBirthday()
{
    MyCal1->setXDate(PrevBirthdayFrom(session().records().addresses(), selectedDate()));
    FocusCalendar();
}

void CalendarView::NewEvent()
{
    newCal_->PrepareNew();
    newCal_->exec();
    MyCal1Click();
    FocusCalendar();
}

void CalendarView::ChangeEvent()
{
    const auto& list = session().records().calendar();
    const int i = session().records().CurrentCalendar;
    if (i < 0 || i >= static_cast<int>(list.size())) return;
    newCal_->PrepareChange(list[static_cast<std::size_t>(i)]);
    newCal_->exec();
    MyCal1Click();
    FocusCalendar();
}

void CalendarView::NewCalOk()
{
    const std::string hint = newCal_->hint();
    RecordStore& records = session().records();
    const int current = records.CurrentCalendar;
    const bool changing = newCal_->mode() == TNewCal::Mode::Change;
    if (!hint.empty() && (!changing || (current >= 0 && current < static_cast<int>(records.calendar().size())))) {
        const Date d = selectedDate();
        ACal event;
        event.Hint = hint;
        event.Priority = newCal_->priority();
        event.Day = d.Day;
        event.Month = d.Month;
        event.Year = d.Year;
        event.More = newCal_->more();
        EncodeCalendarDate(event);
        if (changing) {
            // A changed event keeps its place in the list, whatever its new
            // date, and its identity.
            ACal& target = records.editCalendar()[static_cast<std::size_t>(current)];
            event.Uid = target.Uid;
            target = std::move(event);
        } else {
            records.AddCalendarEvent(std::move(event));
        }
        SaveNow(DataKind::Calendar);
        emit changed();
    }
    MyCal1Click();
    RowClicked();
    newCal_->accept();
}

void CalendarView::DeleteEvent()
{
    RecordStore& records = session().records();
    const int i = records.CurrentCalendar;
    if (i < 0 || i >= static_cast<int>(records.calendar().size())) return;
    const ACal& c = records.calendar()[static_cast<std::size_t>(i)];
    const Date d = selectedDate();
    if (c.Year != d.Year || c.Month != d.Month || c.Day != d.Day) return;
    records.editCalendar().erase(records.editCalendar().begin() + i);
    // Written at once, so a delete is never undone by a program that ends early.
    SaveNow(DataKind::Calendar);
    emit changed();
    MyCal1Click();
    FocusCalendar();
}

void CalendarView::Follow(Changes& changes)
{
    changes.Subscribe(this, kEventKinds, [this] { MyCal1Click(); });
}

}  // namespace orv
