#include "shell/tdata.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMetaMethod>
#include <QUrl>
#include <algorithm>

#include "core/engineconfig.h"
#include "engine/dayviews.h"
#include "exchange/phonebook/phonebook.h"
#include "shell/aboutpanel.h"
#include "shell/colours.h"
#include "shell/fontapply.h"
#include "shell/thelpbox.h"
#include "shell/maker.h"
#include "shell/programicon.h"
#include "shell/sidebar.h"
#include "shell/viewtable.h"
#include "views/address/addressview.h"
#include "views/common/named.h"
#include "views/events/advancedview.h"
#include "views/events/annualview.h"
#include "views/events/calendarview.h"
#include "views/documents/tdatalistform.h"
#include "views/events/eventpage.h"
#include "views/address/hintsearchview.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"
#include "views/events/monthcalendarview.h"
#include "views/events/monthlyview.h"
#include "views/events/tmycal.h"
#include "views/address/tnewadd.h"
#include "views/today/overviewview.h"
#include "views/address/peoplesearchview.h"
#include "views/events/periodicalview.h"
#include "views/address/phonebookview.h"
#include "views/common/storedtext.h"
#include "views/today/todoview.h"
#include "views/common/viewdialogs.h"
#include "views/common/viewpanel.h"
#include "views/events/weeklyview.h"

namespace orv {

namespace {

// The rows of one main menu in their menu order.
std::vector<const ViewRow*> MenuRows(MainMenu menu)
{
    std::vector<const ViewRow*> rows;
    for (const ViewRow& row : ViewTable())
        if (row.menu.menu == menu) rows.push_back(&row);
    std::ranges::sort(rows, {}, [](const ViewRow* row) { return row->menu.position; });
    return rows;
}

// The order the panels are made in, which is the order a screen reader finds
// them in the window: today's two first, then the pages of their own, then the
// views in a titled panel, each group in the table's order.
std::vector<const ViewRow*> RowsInMakingOrder()
{
    const auto group = [](const ViewRow* row) {
        if (row->item == ViewItem::NextWeek || row->item == ViewItem::Todo) return 0;
        return *row->frame.name ? 2 : 1;
    };
    std::vector<const ViewRow*> rows;
    for (const ViewRow& row : ViewTable()) rows.push_back(&row);
    std::ranges::stable_sort(rows, {}, group);
    return rows;
}

}  // namespace

TData::TData(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), changes_(session), openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("Data"));
    setWindowTitle(QStringLiteral("ORV"));
    setWindowIcon(ProgramIcon());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    stack_ = Named<QStackedWidget>("Views", central);
    sidebar_ = new Sidebar(central);
    sidebar_->setFixedWidth(112);
    row->addWidget(stack_, 1);
    row->addWidget(sidebar_);
    outer->addLayout(row, 1);
    setCentralWidget(central);

    BuildViews();
    ConnectViews();
    BuildProgramMenu(menuBar());
    BuildNewMenu(menuBar());
    BuildEventsMenu(menuBar());
    BuildHelpMenu(menuBar());
    BuildOldMenu(menuBar());
    outer->addWidget(BuildButtons());

    connect(sidebar_, &Sidebar::viewRequested, this, &TData::ShowView);
    connect(sidebar_, &Sidebar::hoverChanged, this, [this] { overview()->ResetHeadings(); });
    connect(sidebar_, &Sidebar::exportRequested, this, [this] { ShowDataList(DataList::Kept); });
    connect(sidebar_, &Sidebar::importRequested, this, &TData::ShowImportData);
    resize(760, 520);
    ShowView(ViewItem::NextWeek);
}

void TData::AddPanel(QWidget* panel)
{
    stack_->addWidget(panel);
    panels_.insert(panel->objectName(), panel);
}

void TData::BuildViews()
{
    for (const ViewRow* each : RowsInMakingOrder()) {
        const ViewRow& row = *each;
        // The About panel follows today's two.
        if (!about_ && row.item != ViewItem::NextWeek && row.item != ViewItem::Todo) {
            about_ = new AboutPanel(stack_);
            AddPanel(about_);
        }
        QWidget* view = row.make(session_, *this, stack_);
        QWidget* panel = view;
        if (*row.frame.name) {
            auto* frame = new ViewPanel(QLatin1String(row.frame.name), QLatin1String(row.frame.titleName),
                                        QLatin1String(row.frame.title), stack_);
            frame->body()->addWidget(view, 1);
            panel = frame;
        }
        AddPanel(panel);
        views_[row.item] = BuiltView{view, panel};
        if (auto* page = qobject_cast<EventPage*>(view)) eventPages_.push_back(page);
        // A view that changes data says so by its changed() signal; what it
        // changed is then published to the views that show it.
        const int changed = view->metaObject()->indexOfSignal("changed()");
        if (changed >= 0)
            connect(view, view->metaObject()->method(changed), this,
                    staticMetaObject.method(staticMetaObject.indexOfSlot("ViewChanged()")));
    }
    auto* more = new ViewPanel(QStringLiteral("PP4"), QStringLiteral("TitlePP4"),
                               QStringLiteral("Address book - additional info"), stack_);
    more->body()->addWidget(addressView()->infoView(), 1);
    AddPanel(more);
}

void TData::ConnectViews()
{
    connect(overview(), &OverviewView::updateRequested, this, &TData::updateRequested);
    newAdd_ = new TNewAdd(*addressView(), this);
    connect(addressView(), &AddressView::additionalInfoRequested, this, [this] { ShowPanel(QStringLiteral("PP4")); });
    connect(addressView()->infoView(), &AddressInfoView::exitRequested, this, [this] { ShowView(ViewItem::People); });
    connect(peopleSearch(), &PeopleSearchView::addressSelected, addressView(), &AddressView::ShowAddress);
    BuildEventDialogs();
    FollowChanges();
}

void TData::FollowChanges()
{
    // In the order the views have always been refreshed after an edit.
    overview()->Follow(changes_);
    peopleSearch()->Follow(changes_);
    hintSearch()->Follow(changes_);
    calendarView()->Follow(changes_);
    monthCalendarView()->Follow(changes_);
    weeklyView()->Follow(changes_);
    monthlyView()->Follow(changes_);
    annualView()->Follow(changes_);
    advancedView()->Follow(changes_);
}

void TData::ViewChanged() { changes_.Publish(sender()); }

template <class V>
V* TData::viewAs(ViewItem item) const
{
    return static_cast<V*>(view(item));
}

QWidget* TData::view(ViewItem item) const
{
    const auto found = views_.find(item);
    return found != views_.end() ? found->second.view : nullptr;
}

QWidget* TData::panelOf(ViewItem item) const
{
    const auto found = views_.find(item);
    return found != views_.end() ? found->second.panel : nullptr;
}

OverviewView* TData::overview() const { return viewAs<OverviewView>(ViewItem::NextWeek); }
TodoView* TData::todoView() const { return viewAs<TodoView>(ViewItem::Todo); }
AddressView* TData::addressView() const { return viewAs<AddressView>(ViewItem::People); }
PeopleSearchView* TData::peopleSearch() const { return viewAs<PeopleSearchView>(ViewItem::SearchPeople); }
HintSearchView* TData::hintSearch() const { return viewAs<HintSearchView>(ViewItem::SearchCalendar); }
PhoneBookView* TData::phoneBook() const { return viewAs<PhoneBookView>(ViewItem::PhoneBook); }
CalendarView* TData::calendarView() const { return viewAs<CalendarView>(ViewItem::Calendar); }
MonthCalendarView* TData::monthCalendarView() const { return viewAs<MonthCalendarView>(ViewItem::MonthCal); }
WeeklyView* TData::weeklyView() const { return viewAs<WeeklyView>(ViewItem::Weekly); }
MonthlyView* TData::monthlyView() const { return viewAs<MonthlyView>(ViewItem::Monthly); }
AnnualView* TData::annualView() const { return viewAs<AnnualView>(ViewItem::Annually); }
AdvancedView* TData::advancedView() const { return viewAs<AdvancedView>(ViewItem::Advanced); }
PeriodicalView* TData::periodicalView() const { return viewAs<PeriodicalView>(ViewItem::Periodical); }

QAction* TData::AddViewAction(QMenu* menu, const QString& caption, ViewItem item, const QKeySequence& key)
{
    QAction* action = menu->addAction(caption);
    if (!key.isEmpty()) action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, item] { ShowView(item); });
    return action;
}

void TData::BuildProgramMenu(QMenuBar* bar)
{
    QMenu* program = bar->addMenu(QStringLiteral("&Program"));
    for (const ViewRow* row : MenuRows(MainMenu::Program))
        AddViewAction(program, QLatin1String(row->menu.caption), row->item, QKeySequence(QLatin1String(row->menu.shortcut)));
    connect(program->addAction(QStringLiteral("Update")), &QAction::triggered, this, &TData::updateRequested);
    QAction* syncNow = program->addAction(QStringLiteral("Sync now"));
    syncNow->setObjectName(QStringLiteral("SyncNow"));
    connect(syncNow, &QAction::triggered, this, &TData::syncRequested);
    connect(program->addAction(QStringLiteral("Properties")), &QAction::triggered, this, &TData::propertiesRequested);
    connect(program->addAction(QStringLiteral("Minimize")), &QAction::triggered, this, &QWidget::showMinimized);
    QAction* toLauncher = program->addAction(QStringLiteral("Minimize to ORV Launch"));
    toLauncher->setObjectName(QStringLiteral("MinimizetoORVLaunch1"));
    connect(toLauncher, &QAction::triggered, this, &TData::minimizeToLauncherRequested);
    connect(program->addAction(QStringLiteral("Hide")), &QAction::triggered, this, &TData::hideRequested);
    QAction* exit = program->addAction(QStringLiteral("Exit"));
    exit->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    connect(exit, &QAction::triggered, this, &TData::exitRequested);
}

void TData::BuildNewMenu(QMenuBar* bar)
{
    newMenu_ = bar->addMenu(QStringLiteral("&New"));
    connect(newMenu_->addAction(QStringLiteral("Address / Birthday")), &QAction::triggered, this,
            [this] { newAdd_->exec(); });
    connect(newMenu_->addAction(QStringLiteral("Calendar event")), &QAction::triggered, this, &TData::NewCalendarEvent);
    connect(newMenu_->addAction(QStringLiteral("Recurrent event")), &QAction::triggered, this, &TData::NewRecurrentEvent);
    connect(newMenu_->addAction(QStringLiteral("To do..")), &QAction::triggered, this, &TData::newTodoRequested);
    connect(newMenu_->addAction(QStringLiteral("Advanced")), &QAction::triggered, this, &TData::NewAdvancedEvent);
    newMenu_->addSeparator();
    connect(newMenu_->addAction(QStringLiteral("Letter")), &QAction::triggered, this, &TData::ShowLetterWriter);
    connect(newMenu_->addAction(QStringLiteral("List")), &QAction::triggered, this, [this] {
        ShowView(ViewItem::SearchPeople);
        ShowDataList(DataList::Cleared);
    });
}

void TData::BuildEventsMenu(QMenuBar* bar)
{
    QMenu* events = bar->addMenu(QStringLiteral("&Events"));
    const ViewRow* previous = nullptr;
    for (const ViewRow* row : MenuRows(MainMenu::Events)) {
        if (previous && previous->sidebar.group != row->sidebar.group) events->addSeparator();
        AddViewAction(events, QLatin1String(row->menu.caption), row->item, QKeySequence(QLatin1String(row->menu.shortcut)));
        previous = row;
    }
}

void TData::BuildHelpMenu(QMenuBar* bar)
{
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    connect(help->addAction(QStringLiteral("ORV")), &QAction::triggered, this, [this] { emit helpRequested(0); });
    connect(help->addAction(QStringLiteral("Event type letters")), &QAction::triggered, this,
            [this] { emit helpRequested(13); });
    help->addSeparator();
    connect(help->addAction(QStringLiteral("About")), &QAction::triggered, this,
            [this] { ShowPanel(QStringLiteral("PP5")); });
    connect(help->addAction(QStringLiteral("Read me...")), &QAction::triggered, this, [this] { emit helpRequested(15); });
    connect(help->addAction(QStringLiteral("Download update")), &QAction::triggered, this,
            [this] { openUrl_(QUrl(QString::fromLatin1(kMakerDownloadPage))); });
}

void TData::BuildOldMenu(QMenuBar* bar)
{
    // The older menu layout, shown only when asked for in the settings.
    verMenu_ = bar->addMenu(QStringLiteral("Ver 1.2"));
    std::vector<const ViewRow*> rows;
    for (const ViewRow& row : ViewTable())
        if (row.oldMenu.position > 0) rows.push_back(&row);
    std::ranges::sort(rows, {}, [](const ViewRow* row) { return row->oldMenu.position; });
    QMap<QString, QMenu*> submenus;
    for (const ViewRow* row : rows) {
        QMenu* into = verMenu_;
        if (const QString name = QLatin1String(row->oldMenu.submenu); !name.isEmpty()) {
            if (!submenus.contains(name)) submenus.insert(name, verMenu_->addMenu(name));
            into = submenus.value(name);
        }
        AddViewAction(into, QLatin1String(row->oldMenu.caption), row->item);
    }
    connect(verMenu_->addAction(QStringLiteral("Data list")), &QAction::triggered, this, [this] { ShowDataList(DataList::Kept); });
    connect(verMenu_->addAction(QStringLiteral("About")), &QAction::triggered, this,
            [this] { ShowPanel(QStringLiteral("PP5")); });
    verMenu_->addSeparator();
    connect(verMenu_->addAction(QStringLiteral("Setup")), &QAction::triggered, this, &TData::propertiesRequested);
    connect(verMenu_->addAction(QStringLiteral("Update")), &QAction::triggered, this, &TData::updateRequested);
    verMenu_->menuAction()->setVisible(false);
}

QWidget* TData::BuildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 0);
    auto button = [&](const char* name, const char* caption) {
        auto* b = Named<QPushButton>(QLatin1String(name), QLatin1String(caption), row);
        b->setAutoDefault(false);
        layout->addWidget(b);
        return b;
    };
    connect(button("SpeedButton2", "Help"), &QPushButton::clicked, this,
            [this] { emit helpRequested(HelpPageForCurrentView()); });
    connect(button("SpeedButton1", "Today Box"), &QPushButton::clicked, this, &TData::todayBoxRequested);
    QPushButton* newButton = button("SB18", "New..");
    // The button offers the five new-record items of the New menu (the same
    // actions), not the letter and list items below them.
    auto* newButtonMenu = Named<QMenu>("PopupMenuNew", newButton);
    newButtonMenu->addActions(newMenu_->actions().mid(0, 5));
    connect(newButton, &QPushButton::clicked, this, [newButton, newButtonMenu] {
        newButtonMenu->popup(newButton->mapToGlobal(QPoint(0, newButton->height())));
    });
    connect(button("SB19", "Hide"), &QPushButton::clicked, this, &TData::hideRequested);
    layout->addStretch(1);
    return row;
}

QWidget* TData::panel(const QString& name) const { return panels_.value(name, nullptr); }

QWidget* TData::currentPanel() const { return stack_->currentWidget(); }

void TData::ShowPanel(const QString& name)
{
    if (QWidget* p = panel(name)) stack_->setCurrentWidget(p);
}

void TData::ShowView(ViewItem item)
{
    const ViewRow* row = FindView(item);
    if (!row) return;
    const bool fresh = sidebar_->current() != item;
    sidebar_->setCurrent(item);
    QWidget* shown = view(item);
    if (row->opening) row->opening(shown, fresh);
    stack_->setCurrentWidget(panelOf(item));
    if (row->opened && isVisible()) row->opened(shown, fresh);
}

void TData::ShowTodo(TodoList list, int index)
{
    ShowView(ViewItem::Todo);
    todoView()->Select(list, index);
}

void TData::DoneTodo(TodoList list, int index) { todoView()->Done(list, index); }

void TData::ShowCalendarAt(Date date)
{
    calendarView()->GoTo(date);
    ShowView(ViewItem::Calendar);
}

void TData::ShowAddress(int addressIndex)
{
    addressView()->GoTo(addressIndex);
    ShowView(ViewItem::People);
}

void TData::SendEmail(int addressIndex)
{
    const auto& list = session_.records().addresses();
    if (addressIndex < 0 || addressIndex >= static_cast<int>(list.size())) return;
    const std::string& mail = list[static_cast<std::size_t>(addressIndex)].Email1;
    if (mail.empty()) return;
    // Percent-encoded as the phone book page writes its links, from the text as shown.
    const std::string encoded = PercentEncodeMailto(EncodeTyped(DecodeStored(mail)));
    openUrl_(QUrl::fromEncoded(QByteArray("mailto:") + QByteArray::fromStdString(encoded), QUrl::StrictMode));
}

void TData::ShowWeekly(int weekdayItem)
{
    weeklyView()->SelectDay(weekdayItem);
    ShowView(ViewItem::Weekly);
}

void TData::ShowMonthly(int dayItem)
{
    monthlyView()->SelectDay(dayItem);
    ShowView(ViewItem::Monthly);
}

void TData::ShowAnnual(int day, int month)
{
    annualView()->SetDate(day, month);
    ShowView(ViewItem::Annually);
}

void TData::ShowAdvanced(int advancedIndex)
{
    session_.records().CurrentAdvanced = advancedIndex;
    advancedView()->ShowCurrent();
    ShowView(ViewItem::Advanced);
}

bool TData::OpenRecord(const Occurrence& line, Date day)
{
    switch (line.Kind) {
    case EventKind::Weekly:
        ShowWeekly(WeekdayListItem(day, DateSettingsFrom(session_.settings()).WeekStart));
        return true;
    case EventKind::Monthly:
        ShowMonthly(day.Day - 1);
        return true;
    case EventKind::Annual:
        ShowAnnual(day.Day, day.Month);
        return true;
    case EventKind::Birthday: {
        const int index = line.SourceIndex;
        if (index < 0 || index >= static_cast<int>(session_.records().addresses().size())) return false;
        session_.records().CurrentAddress = index;
        ShowAddress(index);
        return true;
    }
    case EventKind::High:
    case EventKind::Normal:
    case EventKind::Low:
        ShowCalendarAt(day);
        return true;
    case EventKind::Advanced:
        // Several may fall on the day: the first is opened.
        if (const auto index = session_.finder().OpenRecAvd(day)) ShowAdvanced(*index);
        return true;
    case EventKind::Todo:
        ShowView(ViewItem::Todo);
        return true;
    default:
        return false;
    }
}

void TData::ShowMainWindow() { BringForward(this); }

void TData::SaveState(Settings& s) const
{
    SaveBounds(this, s.DataTop, s.DataLeft, s.DataHeight, s.DataWidth);
    sidebar_->SaveMarks(s);
    s.ViewEvent = sidebar_->viewEventNumber();
    s.ChooseSearch = static_cast<int>(peopleSearch()->category());
    s.FB0 = phoneBook()->columnWidth(0);
    s.FB1 = phoneBook()->columnWidth(1);
}

void TData::RestoreState(const Settings& s)
{
    RestoreBounds(this, s.DataTop, s.DataLeft, s.DataHeight, s.DataWidth);
    sidebar_->RestoreMarks(s);
    const int field = s.ChooseSearch && *s.ChooseSearch >= 0 && *s.ChooseSearch <= 3 ? *s.ChooseSearch : 0;
    peopleSearch()->RestoreCategory(static_cast<SearchField>(field));
    // Before the phone book is built at the initialisation.
    phoneBook()->setColumnWidths(s.FB0, s.FB1);
}

void TData::SetDocumentWindows(TLetter* letter, TDatalistForm* dataList, TImportData* import)
{
    letter_ = letter;
    dataList_ = dataList;
    import_ = import;
    connect(dataList_, &TDatalistForm::currentAddressChanged, addressView(), &AddressView::ShowAddress);
    connect(import_, &TImportData::changed, this, [this] {
        addressView()->ShowAddress();
        changes_.Publish(import_);
    });
}

void TData::ShowLetterWriter()
{
    if (letter_) BringForward(letter_);
}

void TData::ShowDataList(DataList list)
{
    if (!dataList_) return;
    if (list == DataList::Cleared) dataList_->ClearAll();
    dataList_->ShowExportPage();
}

void TData::AddToDataList(const std::vector<int>& addressIndexes)
{
    if (dataList_) dataList_->AddAddresses(addressIndexes);
}

void TData::ShowImportData()
{
    if (import_) import_->exec();
}

int TData::HelpPageForCurrentView() const
{
    const auto current = sidebar_->current();
    const ViewRow* row = current ? FindView(*current) : nullptr;
    return row ? row->helpPage : THelpBox::PageOrv;
}

void TData::ApplyColours()
{
    const Settings& s = session_.settings();
    const std::string* texts[] = {&s.Color1, &s.Color2, &s.Color3, &s.Color4, &s.Color5, &s.Color6, &s.Color7, &s.Color8};
    ApplyColours([&](int n) {
        const auto c = ColourFromText(DecodeStored(*texts[n - 1]));
        return c ? *c : QColor();
    });
}

void TData::ApplyColours(const std::function<QColor(int)>& entry)
{
    // An entry that names no colour keeps the program's default for it.
    auto colour = [&](int n, QColor fallback) {
        const QColor c = entry(n);
        return c.isValid() ? c : fallback;
    };
    const QColor titleBack = colour(1, QColor(0x33, 0x4D, 0x73));
    const QColor titleText = colour(2, Qt::white);
    for (QWidget* p : panels_)
        if (auto* view = qobject_cast<ViewPanel*>(p)) view->setTitleColours(titleBack, titleText);
    todoView()->setTitleColours(titleBack, titleText);
    phoneBook()->setTitleColours(titleBack, titleText);
    const LabelColours labels{titleBack, titleText, colour(5, palette().color(QPalette::Button)), colour(6, Qt::black),
                              colour(7, QColor(0x33, 0x73, 0x73)), colour(8, Qt::white)};
    for (EventPage* page : eventPages_) page->setLabelColours(labels);
    emit labelColoursChanged(labels);
    SidebarColours colours;
    colours.menuBack = colour(3, QColor(0x33, 0x4D, 0x73));
    colours.menuText = colour(4, Qt::white);
    colours.notSelBack = colour(5, palette().color(QPalette::Button));
    colours.notSelText = colour(6, Qt::black);
    colours.selBack = colour(7, QColor(0x33, 0x73, 0x73));
    colours.selText = colour(8, Qt::white);
    sidebar_->setColours(colours);
    // The views' links take the title colours, and the "Selected:" ones under the mouse.
    overview()->setTitleColours(titleBack, titleText);
    overview()->setLinkHoverColours(colours.selBack, colours.selText);
    emit titleColoursChanged(titleBack, titleText);
}

void TData::SetCaptionFor(Date today)
{
    const int weekday = DayOfWeek(today);
    setWindowTitle(QStringLiteral("ORV - %1 %2/%3 %4")
                       .arg(QLatin1String(DayNames[static_cast<std::size_t>(weekday)].data(),
                                          static_cast<int>(DayNames[static_cast<std::size_t>(weekday)].size())))
                       .arg(today.Day)
                       .arg(today.Month)
                       .arg(today.Year));
}

void TData::closeEvent(QCloseEvent* event)
{
    if (closingByExit_) {
        event->accept();
        return;
    }
    // The close box closes the program like "Exit": the owner saves first.
    event->ignore();
    emit exitRequested();
}

}  // namespace orv
