# The calendar page's iCalendar commands: the period and summary dialogs and
# the export and import that write and read the files.
target_sources(orv_eventviews PRIVATE calendarexchange.cpp icaldialogs.cpp icaldialogs.h)
target_link_libraries(orv_eventviews PUBLIC orv_ical)

orv_qt_test(orv_icalviews_tests
  SOURCES ${PROJECT_SOURCE_DIR}/tests/views/calendarexchange_test.cpp
  LIBS orv_eventviews PkgConfig::LIBICAL)
if(TARGET orv_icalviews_tests)
  target_include_directories(orv_icalviews_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(orv_icalviews_tests PRIVATE ORV_ICAL_SAMPLES="${PROJECT_SOURCE_DIR}/tests/data/exchange/")
endif()
