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
  named.h
  recurrentpage.cpp recurrentpage.h
  weeklyview.cpp weeklyview.h
  monthlyview.cpp monthlyview.h
  annualview.cpp annualview.h
  newrecdialog.cpp newrecdialog.h
  advancedview.cpp advancedview.h
  newadvdialog.cpp newadvdialog.h
  monthcalview.cpp monthcalview.h
  periodicalview.cpp periodicalview.h)
target_link_libraries(orv_eventviews PUBLIC orv_views)

set(_tests ${PROJECT_SOURCE_DIR}/tests/views)
orv_qt_test(orv_eventviews_tests
  SOURCES ${_tests}/eventviews_main.cpp ${_tests}/mycal_test.cpp ${_tests}/calendarview_test.cpp
    ${_tests}/recurrentviews_test.cpp ${_tests}/advancedview_test.cpp ${_tests}/monthcalview_test.cpp
    ${_tests}/periodicalview_test.cpp
  LIBS orv_eventviews)
if(TARGET orv_eventviews_tests)
  target_include_directories(orv_eventviews_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
