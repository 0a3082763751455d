#include "shell/tdata.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QUrl>

#include "exchange/phonebook/phonebook.h"
#include "shell/programicon.h"
#include "shell/aboutpanel.h"
#include "shell/colours.h"
#include "shell/helpbox.h"
#include "shell/maker.h"
#include "shell/sidebar.h"
#include "views/common/viewdialogs.h"
#include "views/common/viewpanel.h"
#include "views/address/addressview.h"
#include "views/events/advancedview.h"
#include "views/events/annualview.h"
#include "views/events/calendarview.h"
#include "views/documents/datalistform.h"
#include "views/events/eventpage.h"
#include "views/address/hintsearchview.h"
#include "views/documents/importdata.h"
#include "views/documents/letterwriter.h"
#include "views/events/monthlyview.h"
#include "views/events/mycal.h"
#include "views/address/newaddressdialog.h"
#include "views/today/overviewview.h"
#include "views/address/peoplesearchview.h"
#include "views/events/periodicalview.h"
#include "views/address/phonebookview.h"
#include "views/common/storedtext.h"
#include "views/today/todoview.h"
#include "views/events/weeklyview.h"

namespace orv {

namespace {

struct PanelInfo {
    const char* name;
    const char* titleName;
    const char* title;
    ViewItem item;
};

// The views that later versions fill in keep their panel and title here, so
// that the sidebar, the menus, the help button and the last view all work.
constexpr PanelInfo kPanels[] = {
    {"PP13", "T4", "Calendar", ViewItem::Calendar},
    {"PP6", "T23", "Month Calendar", ViewItem::MonthCal},
    {"PP7", "TitlePP7", "Address book", ViewItem::People},
    {"PP1", "T5", "Weekly events", ViewItem::Weekly},
    {"PP2", "T6", "Monthly events", ViewItem::Monthly},
    {"PP15", "T14", "Annual events", ViewItem::Annually},
    {"PP3", "TitlePP3", "Advanced events", ViewItem::Advanced},
    {"PP9", "TitlePP9", "Search for people in the address book", ViewItem::SearchPeople},
    {"PP8", "TitlePP8", "Search for hint in the Calendar", ViewItem::SearchCalendar},
    {"PP10", "TitlePP10", "Periodical search", ViewItem::Periodical},
    {"PP14", "TitlePP14", "Phone book", ViewItem::PhoneBook},
};

QString PanelOf(ViewItem item)
{
    switch (item) {
    case ViewItem::NextWeek: return QStringLiteral("PP11");
    case ViewItem::Todo: return QStringLiteral("PP12");
    default: break;
    }
    for (const PanelInfo& p : kPanels)
        if (p.item == item) return QLatin1String(p.name);
    return QStringLiteral("PP11");
}


}  // namespace

TData::TData(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("Data"));
    setWindowTitle(QStringLiteral("ORV"));
    setWindowIcon(ProgramIcon());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    stack_ = new QStackedWidget(central);
    stack_->setObjectName(QStringLiteral("Views"));
    sidebar_ = new Sidebar(central);
    sidebar_->setFixedWidth(112);
    row->addWidget(stack_, 1);
    row->addWidget(sidebar_);
    outer->addLayout(row, 1);
    setCentralWidget(central);

    BuildPanels();
    BuildMenus();
    outer->addWidget(BuildButtons());

    connect(sidebar_, &Sidebar::viewRequested, this, &TData::ShowView);
    connect(sidebar_, &Sidebar::hoverChanged, this, [this] { overview_->ResetHeadings(); });
    connect(sidebar_, &Sidebar::exportRequested, this, [this] { ShowDataList(false); });
    connect(sidebar_, &Sidebar::importRequested, this, &TData::ShowImportData);
    resize(760, 520);
    ShowView(ViewItem::NextWeek);
}

void TData::BuildPanels()
{
    overview_ = new OverviewView(session_, *this, stack_);
    todo_ = new TodoView(session_, stack_);
    about_ = new AboutPanel(stack_);
    connect(todo_, &TodoView::changed, this, &TData::dataChanged);
    connect(overview_, &OverviewView::updateRequested, this, &TData::updateRequested);
    for (QWidget* w : {static_cast<QWidget*>(overview_), static_cast<QWidget*>(todo_), static_cast<QWidget*>(about_)}) {
        stack_->addWidget(w);
        panels_.insert(w->objectName(), w);
    }
    BuildAddressViews();
    BuildEventPages();
    // The views that exist go into their panels; the others keep an empty one.
    const QMap<QString, QWidget*> content{{QStringLiteral("PP7"), address_},
                                          {QStringLiteral("PP9"), people_},
                                          {QStringLiteral("PP8"), hints_},
                                          {QStringLiteral("PP14"), phoneBook_}};
    for (const PanelInfo& p : kPanels) {
        if (panels_.contains(QLatin1String(p.name))) continue;  // built by its own view
        auto* panel = new ViewPanel(QLatin1String(p.name), QLatin1String(p.titleName), QLatin1String(p.title), stack_);
        if (QWidget* view = content.value(panel->objectName())) panel->body()->addWidget(view, 1);
        else panel->body()->addStretch(1);
        stack_->addWidget(panel);
        panels_.insert(panel->objectName(), panel);
    }
    auto* more = new ViewPanel(QStringLiteral("PP4"), QStringLiteral("TitlePP4"),
                               QStringLiteral("Address book - additional info"), stack_);
    more->body()->addWidget(address_->infoView(), 1);
    stack_->addWidget(more);
    panels_.insert(more->objectName(), more);
}

void TData::BuildAddressViews()
{
    address_ = new AddressView(session_, *this, stack_);
    people_ = new PeopleSearchView(session_, *this, stack_);
    hints_ = new HintSearchView(session_, *this, stack_);
    phoneBook_ = new PhoneBookView(session_, stack_);
    newAdd_ = new TNewAdd(*address_, this);
    connect(address_, &AddressView::changed, this, &TData::dataChanged);
    connect(address_, &AddressView::additionalInfoRequested, this, [this] { ShowPanel(QStringLiteral("PP4")); });
    connect(address_->infoView(), &AddressInfoView::exitRequested, this, [this] { ShowView(ViewItem::People); });
    connect(people_, &PeopleSearchView::addressSelected, address_, &AddressView::ShowAddress);
}

QAction* TData::AddViewAction(QMenu* menu, const QString& caption, ViewItem item, const QKeySequence& key)
{
    QAction* action = menu->addAction(caption);
    if (!key.isEmpty()) action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, item] { ShowView(item); });
    return action;
}

void TData::BuildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* program = bar->addMenu(QStringLiteral("&Program"));
    AddViewAction(program, QStringLiteral("Next weeks events"), ViewItem::NextWeek, QKeySequence(QStringLiteral("Alt+1")));
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
        ShowDataList(true);
    });

    QMenu* events = bar->addMenu(QStringLiteral("&Events"));
    AddViewAction(events, QStringLiteral("Address / Birthday"), ViewItem::People, QKeySequence(QStringLiteral("Alt+3")));
    AddViewAction(events, QStringLiteral("Calendar event"), ViewItem::Calendar, QKeySequence(QStringLiteral("Alt+2")));
    AddViewAction(events, QStringLiteral("Weekly"), ViewItem::Weekly, QKeySequence(QStringLiteral("Alt+4")));
    AddViewAction(events, QStringLiteral("Monthly"), ViewItem::Monthly, QKeySequence(QStringLiteral("Alt+5")));
    AddViewAction(events, QStringLiteral("Annually"), ViewItem::Annually, QKeySequence(QStringLiteral("Alt+Y")));
    AddViewAction(events, QStringLiteral("To do .."), ViewItem::Todo, QKeySequence(QStringLiteral("Alt+7")));
    AddViewAction(events, QStringLiteral("Advanced"), ViewItem::Advanced, QKeySequence(QStringLiteral("Alt+6")));
    events->addSeparator();
    AddViewAction(events, QStringLiteral("Search for people"), ViewItem::SearchPeople, QKeySequence(QStringLiteral("Alt+8")));
    AddViewAction(events, QStringLiteral("Search for calendar event"), ViewItem::SearchCalendar,
                  QKeySequence(QStringLiteral("Alt+9")));
    AddViewAction(events, QStringLiteral("Periodical search"), ViewItem::Periodical, QKeySequence(QStringLiteral("Alt+0")));

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

    // The older menu layout, shown only when asked for in the settings.
    verMenu_ = bar->addMenu(QStringLiteral("Ver 1.2"));
    QMenu* search = verMenu_->addMenu(QStringLiteral("Search"));
    AddViewAction(search, QStringLiteral("People"), ViewItem::SearchPeople);
    AddViewAction(search, QStringLiteral("Hint"), ViewItem::SearchCalendar);
    AddViewAction(search, QStringLiteral("Periodical"), ViewItem::Periodical);
    AddViewAction(verMenu_, QStringLiteral("Events"), ViewItem::NextWeek);
    AddViewAction(verMenu_, QStringLiteral("Database"), ViewItem::People);
    AddViewAction(verMenu_, QStringLiteral("Calendar"), ViewItem::Calendar);
    QMenu* recurrent = verMenu_->addMenu(QStringLiteral("Recurrent"));
    AddViewAction(recurrent, QStringLiteral("Weekly"), ViewItem::Weekly);
    AddViewAction(recurrent, QStringLiteral("Monthly"), ViewItem::Monthly);
    AddViewAction(recurrent, QStringLiteral("Advanced"), ViewItem::Advanced);
    connect(verMenu_->addAction(QStringLiteral("Data list")), &QAction::triggered, this, [this] { ShowDataList(false); });
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
        auto* b = new QPushButton(QLatin1String(caption), row);
        b->setObjectName(QLatin1String(name));
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
    auto* newButtonMenu = new QMenu(newButton);
    newButtonMenu->setObjectName(QStringLiteral("PopupMenuNew"));
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
    // The searches run once when their view is opened, not again when it is current.
    const bool opened = sidebar_->current() != item;
    sidebar_->setCurrent(item);
    // Before the panel is shown, so that it is searched once and shown searched.
    if (item == ViewItem::SearchPeople && opened) people_->Search();
    if (item == ViewItem::SearchCalendar && opened) hints_->Search();
    ShowPanel(PanelOf(item));
    if (item == ViewItem::Todo && isVisible()) todo_->FocusEntry();
    if (item == ViewItem::SearchPeople && opened && isVisible()) people_->FocusEntry();
    if (item == ViewItem::SearchCalendar && opened && isVisible()) hints_->FocusEntry();
    if (item == ViewItem::Periodical && isVisible()) periodical_->FocusToDate();
    if (item == ViewItem::Calendar && isVisible()) calendar_->calendar()->setFocus(Qt::OtherFocusReason);
}

void TData::ShowTodo(TodoList list, int index)
{
    ShowView(ViewItem::Todo);
    todo_->Select(list, index);
}

void TData::DoneTodo(TodoList list, int index) { todo_->Done(list, index); }

void TData::ShowCalendarAt(Date date)
{
    calendar_->GoTo(date);
    ShowView(ViewItem::Calendar);
}

void TData::ShowAddress(int addressIndex)
{
    address_->GoTo(addressIndex);
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
    weekly_->SelectDay(weekdayItem);
    ShowView(ViewItem::Weekly);
}

void TData::ShowMonthly(int dayItem)
{
    monthly_->SelectDay(dayItem);
    ShowView(ViewItem::Monthly);
}

void TData::ShowAnnual(int day, int month)
{
    annual_->SetDate(day, month);
    ShowView(ViewItem::Annually);
}

void TData::ShowAdvanced(int advancedIndex)
{
    session_.records().CurrentAdvanced = advancedIndex;
    advanced_->ShowCurrent();
    ShowView(ViewItem::Advanced);
}

void TData::ShowMainWindow() { BringForward(this); }

void TData::SetDocumentWindows(TLetter* letter, TDatalistForm* dataList, TImportData* import)
{
    letter_ = letter;
    dataList_ = dataList;
    import_ = import;
    connect(dataList_, &TDatalistForm::currentAddressChanged, address_, &AddressView::ShowAddress);
    connect(import_, &TImportData::changed, this, [this] {
        address_->ShowAddress();
        emit dataChanged();
    });
}

void TData::ShowLetterWriter()
{
    if (letter_) BringForward(letter_);
}

void TData::ShowDataList(bool clear)
{
    if (!dataList_) return;
    if (clear) dataList_->ClearAll();
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
    return THelpBox::PageForView(current ? static_cast<int>(*current) : 0);
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
    todo_->setTitleColours(titleBack, titleText);
    phoneBook_->setTitleColours(titleBack, titleText);
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
    overview_->setTitleColours(titleBack, titleText);
    overview_->setLinkHoverColours(colours.selBack, colours.selText);
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
