# The Today Box window.
orv_qt_library(orv_todaybox todaybox.cpp)
target_link_libraries(orv_todaybox PUBLIC orv_views)
orv_qt_test(orv_todaybox_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/todaybox_test.cpp LIBS orv_todaybox)
if(TARGET orv_todaybox_tests)
  target_include_directories(orv_todaybox_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
