# The event-editing pages and their dialogs: calendar, month calendar, weekly,
# monthly, annual and advanced events, the periodical search, the month grid
# and the date picker.
orv_qt_library(orv_eventviews
  labellist.cpp labellist.h
  eventpage.cpp eventpage.h
  popupmenus.cpp popupmenus.h
  upcominglabel.cpp upcominglabel.h
  mycal.cpp mycal.h
  changehint.cpp changehint.h
  newcaldialog.cpp newcaldialog.h
  calendarview.cpp calendarview.h
  weeklyview.cpp weeklyview.h
  monthlyview.cpp monthlyview.h
  annualview.cpp annualview.h
  newrecdialog.cpp newrecdialog.h
  advancedview.cpp advancedview.h
  newadvdialog.cpp newadvdialog.h
  monthcalview.cpp monthcalview.h
  periodicalview.cpp periodicalview.h)
target_link_libraries(orv_eventviews PUBLIC orv_views)
