// The main window's event pages: keeping them in step at the initialisation,
// and the New menu's dialogs.
#include "core/engineconfig.h"
#include "shell/tdata.h"
#include "views/events/advancedview.h"
#include "views/events/annualview.h"
#include "views/events/calendarview.h"
#include "views/events/monthcalendarview.h"
#include "views/events/monthlyview.h"
#include "views/events/tnewadv.h"
#include "views/events/tnewrec.h"
#include "views/events/periodicalview.h"
#include "views/events/weeklyview.h"

namespace orv {

void TData::BuildEventDialogs()
{
    newRec_ = new TNewRec(session_, *weeklyView(), *monthlyView(), *annualView(), this);
    newAdv_ = new TNewAdv(session_, *advancedView(), this);
}

void TData::InitialiseEventPages(Date today)
{
    calendarView()->ApplySettings();
    calendarView()->GoTo(today);
    weeklyView()->ApplySettings();
    annualView()->SetDate(today.Day, today.Month);
    periodicalView()->ApplySettings();
    periodicalView()->PresetFrom(today);
    session_.records().CurrentAdvanced = 0;
    advancedView()->ShowCurrent();
    monthCalendarView()->ShowToday();
    monthCalendarView()->MonCalSetupPopupMenu();
    SetupPopupMenu();
}

void TData::SetupPopupMenu()
{
    // The calendar's month and year menus follow only today; the goto menus the records.
    calendarView()->SetupPopupMenu();
    SetupGotoMenus();
}

void TData::SetupGotoMenus()
{
    weeklyView()->SetupPopupMenu();
    monthlyView()->SetupPopupMenu();
    annualView()->SetupPopupMenu();
    advancedView()->SetupPopupMenu();
}

void TData::NewCalendarEvent() { calendarView()->NewEvent(); }

void TData::NewRecurrentEvent()
{
    newRec_->Prepare();
    newRec_->exec();
}

void TData::NewAdvancedEvent()
{
    advancedView()->PostIfComplete();
    newAdv_->Prepare();
    newAdv_->exec();
}

}  // namespace orv
