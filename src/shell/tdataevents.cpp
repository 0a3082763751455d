// The main window's event pages: building them into the window, keeping them
// in step at the initialisation and after edits, and the New menu's dialogs.
#include <QStackedWidget>

#include "core/engineconfig.h"
#include "shell/tdata.h"
#include "views/events/advancedview.h"
#include "views/events/annualview.h"
#include "views/events/calendarview.h"
#include "views/events/monthcalview.h"
#include "views/events/monthlyview.h"
#include "views/events/newadvdialog.h"
#include "views/events/newrecdialog.h"
#include "views/events/periodicalview.h"
#include "views/events/weeklyview.h"

namespace orv {

void TData::BuildEventPages()
{
    calendar_ = new CalendarView(session_, *this, stack_);
    monthCal_ = new MonthCalendarView(session_, *this, stack_);
    weekly_ = new WeeklyView(session_, stack_);
    monthly_ = new MonthlyView(session_, stack_);
    annual_ = new AnnualView(session_, stack_);
    advanced_ = new AdvancedView(session_, stack_);
    periodical_ = new PeriodicalView(session_, *this, stack_);
    eventPages_ = {calendar_, monthCal_, weekly_, monthly_, annual_, advanced_, periodical_};
    for (EventPage* page : eventPages_) {
        stack_->addWidget(page);
        panels_.insert(page->objectName(), page);
        connect(page, &EventPage::changed, this, &TData::dataChanged);
    }
    newRec_ = new TNewRec(session_, *weekly_, *monthly_, *annual_, this);
    newAdv_ = new TNewAdv(session_, *advanced_, this);
}

void TData::InitialiseEventPages(Date today)
{
    calendar_->ApplySettings();
    calendar_->GoTo(today);
    weekly_->ApplySettings();
    annual_->SetDate(today.Day, today.Month);
    periodical_->ApplySettings();
    periodical_->PresetFrom(today);
    session_.records().CurrentAdvanced = 0;
    advanced_->ShowCurrent();
    monthCal_->ShowToday();
    monthCal_->MonCalSetupPopupMenu();
    SetupPopupMenu();
}

void TData::RefreshEventPages()
{
    calendar_->MyCal1Click();
    monthCal_->Build();
    SetupGotoMenus();
}

void TData::SetupPopupMenu()
{
    // The calendar's month and year menus follow only today; the goto menus the records.
    calendar_->SetupPopupMenu();
    SetupGotoMenus();
}

void TData::SetupGotoMenus()
{
    weekly_->SetupPopupMenu();
    monthly_->SetupPopupMenu();
    annual_->SetupPopupMenu();
    advanced_->SetupPopupMenu();
}

void TData::NewCalendarEvent() { calendar_->NewEvent(); }

void TData::NewRecurrentEvent()
{
    newRec_->Prepare();
    newRec_->exec();
}

void TData::NewAdvancedEvent()
{
    advanced_->PostIfComplete();
    newAdv_->Prepare();
    newAdv_->exec();
}

}  // namespace orv
