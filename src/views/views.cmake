# The overview, the to-do view and its dialog, and the event grid they share.
orv_qt_library(orv_views
  occurrencemodel.cpp
  eventgrid.cpp
  overviewview.cpp
  todoview.cpp
  newtododialog.cpp)
target_link_libraries(orv_views PUBLIC orv_viewbase)

set(_tests ${PROJECT_SOURCE_DIR}/tests/views)
orv_qt_test(orv_views_tests
  SOURCES ${_tests}/main.cpp ${_tests}/eventgrid_test.cpp ${_tests}/overviewview_test.cpp ${_tests}/todoview_test.cpp
  LIBS orv_views)
if(TARGET orv_views_tests)
  target_include_directories(orv_views_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
