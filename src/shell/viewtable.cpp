#include "shell/viewtable.h"

#include <type_traits>

#include "core/settings.h"
#include "shell/thelpbox.h"
#include "views/address/addressview.h"
#include "views/events/advancedview.h"
#include "views/events/annualview.h"
#include "views/events/calendarview.h"
#include "views/address/hintsearchview.h"
#include "views/events/monthcalendarview.h"
#include "views/events/monthlyview.h"
#include "views/events/tmycal.h"
#include "views/today/overviewview.h"
#include "views/address/peoplesearchview.h"
#include "views/events/periodicalview.h"
#include "views/address/phonebookview.h"
#include "views/today/todoview.h"
#include "views/events/weeklyview.h"

namespace orv {

namespace {

template <class V>
QWidget* Make(Session& session, Navigator& navigator, QWidget* parent)
{
    if constexpr (std::is_constructible_v<V, Session&, Navigator&, QWidget*>)
        return new V(session, navigator, parent);
    else
        return new V(session, parent);
}

// The searches run once when their view is opened, not again while it is
// current, and before it is shown, so that it appears searched.
template <class V>
void SearchWhenFresh(QWidget* view, bool fresh)
{
    if (fresh) static_cast<V*>(view)->Search();
}

template <class V>
void FocusEntryWhenFresh(QWidget* view, bool fresh)
{
    if (fresh) static_cast<V*>(view)->FocusEntry();
}

void FocusTodoEntry(QWidget* view, bool) { static_cast<TodoView*>(view)->FocusEntry(); }
void FocusPeriodFrom(QWidget* view, bool) { static_cast<PeriodicalView*>(view)->FocusToDate(); }
void FocusCalendar(QWidget* view, bool) { static_cast<CalendarView*>(view)->calendar()->setFocus(Qt::OtherFocusReason); }

using G = SidebarGroup;
using M = MainMenu;
using S = Settings;

const ViewRow kViews[] = {
    {.item = ViewItem::NextWeek,
     .make = Make<OverviewView>,
     .sidebar = {G::Events, "MenuL1", "Next week", "N5", &S::MenuPopupMenu11},
     .helpPage = THelpBox::PageOrv,
     .menu = {M::Program, 1, "Next weeks events", "Alt+1"},
     .oldMenu = {4, "", "Events"}},
    {.item = ViewItem::Calendar,
     .make = Make<CalendarView>,
     .sidebar = {G::Events, "MenuL2", "Calendar", "Calendar5", &S::MenuPopupMenu12},
     .helpPage = THelpBox::PageCalendar,
     .menu = {M::Events, 2, "Calendar event", "Alt+2"},
     .oldMenu = {6, "", "Calendar"},
     .opened = FocusCalendar},
    {.item = ViewItem::MonthCal,
     .make = Make<MonthCalendarView>,
     .sidebar = {G::Events, "MenuL13", "Month cal", "CalendarMonth1", &S::MenuPopupMenu13},
     .helpPage = THelpBox::PageMonthCalendar},
    {.item = ViewItem::People,
     .make = Make<AddressView>,
     .sidebar = {G::Events, "MenuL3", "People", "People1", &S::MenuPopupMenu14},
     .helpPage = THelpBox::PageAddressBook,
     .menu = {M::Events, 1, "Address / Birthday", "Alt+3"},
     .oldMenu = {5, "", "Database"},
     .frame = {"PP7", "TitlePP7", "Address book"}},
    {.item = ViewItem::Weekly,
     .make = Make<WeeklyView>,
     .sidebar = {G::Events, "MenuL4", "Weekly", "Weekly2", &S::MenuPopupMenu15},
     .helpPage = THelpBox::PageWeekly,
     .menu = {M::Events, 3, "Weekly", "Alt+4"},
     .oldMenu = {7, "Recurrent", "Weekly"}},
    {.item = ViewItem::Monthly,
     .make = Make<MonthlyView>,
     .sidebar = {G::Events, "MenuL5", "Monthly", "Monthly2", &S::MenuPopupMenu16},
     .helpPage = THelpBox::PageMonthly,
     .menu = {M::Events, 4, "Monthly", "Alt+5"},
     .oldMenu = {8, "Recurrent", "Monthly"}},
    {.item = ViewItem::Annually,
     .make = Make<AnnualView>,
     .sidebar = {G::Events, "MenuL12", "Annually", "Annually3", &S::MenuPopupMenu17},
     .helpPage = THelpBox::PageAnnual,
     .menu = {M::Events, 5, "Annually", "Alt+Y"}},
    {.item = ViewItem::Advanced,
     .make = Make<AdvancedView>,
     .sidebar = {G::Events, "MenuL6", "Advanced", "Advanced2", &S::MenuPopupMenu18},
     .helpPage = THelpBox::PageAdvanced,
     .menu = {M::Events, 7, "Advanced", "Alt+6"},
     .oldMenu = {9, "Recurrent", "Advanced"}},
    {.item = ViewItem::Todo,
     .make = Make<TodoView>,
     .sidebar = {G::Events, "MenuL7", "To do..", "Todo1", &S::MenuPopupMenu19},
     .helpPage = THelpBox::PageTodo,
     .menu = {M::Events, 6, "To do ..", "Alt+7"},
     .opened = FocusTodoEntry},
    {.item = ViewItem::SearchPeople,
     .make = Make<PeopleSearchView>,
     .sidebar = {G::Search, "MenuL8", "People", "People2", &S::MenuPopupMenu21},
     .helpPage = THelpBox::PageSearchPeople,
     .menu = {M::Events, 8, "Search for people", "Alt+8"},
     .oldMenu = {1, "Search", "People"},
     .frame = {"PP9", "TitlePP9", "Search for people in the address book"},
     .opening = SearchWhenFresh<PeopleSearchView>,
     .opened = FocusEntryWhenFresh<PeopleSearchView>},
    {.item = ViewItem::SearchCalendar,
     .make = Make<HintSearchView>,
     .sidebar = {G::Search, "MenuL9", "Calendar", "Calendar6", &S::MenuPopupMenu22},
     .helpPage = THelpBox::PageSearchCalendar,
     .menu = {M::Events, 9, "Search for calendar event", "Alt+9"},
     .oldMenu = {2, "Search", "Hint"},
     .frame = {"PP8", "TitlePP8", "Search for hint in the Calendar"},
     .opening = SearchWhenFresh<HintSearchView>,
     .opened = FocusEntryWhenFresh<HintSearchView>},
    {.item = ViewItem::Periodical,
     .make = Make<PeriodicalView>,
     .sidebar = {G::Search, "MenuL10", "Periodical", "Periodical1", &S::MenuPopupMenu23},
     .helpPage = THelpBox::PagePeriodical,
     .menu = {M::Events, 10, "Periodical search", "Alt+0"},
     .oldMenu = {3, "Search", "Periodical"},
     .opened = FocusPeriodFrom},
    {.item = ViewItem::PhoneBook,
     .make = Make<PhoneBookView>,
     .sidebar = {G::Address, "MenuL11", "Phone book", "Phonebook1", &S::MenuPopupMenu31},
     .helpPage = THelpBox::PagePhoneBook,
     .frame = {"PP14", "TitlePP14", "Phone book"}},
};

}  // namespace

std::span<const ViewRow> ViewTable() { return kViews; }

const ViewRow* FindView(ViewItem item)
{
    for (const ViewRow& row : kViews)
        if (row.item == item) return &row;
    return nullptr;
}

const ViewRow* FindView(int itemNumber) { return FindView(static_cast<ViewItem>(itemNumber)); }

}  // namespace orv
