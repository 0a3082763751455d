# The navigator beside the views: items under three heads, their menus and marks.
# The table of views it shows, which the main window builds them from.
orv_qt_library(orv_sidebar sidebar.cpp sidebar.h viewtable.cpp viewtable.h named.h)
target_link_libraries(orv_sidebar PUBLIC orv_shellbase orv_eventviews orv_addressviews)
orv_qt_test(orv_sidebar_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/sidebar_test.cpp LIBS orv_sidebar)
# The views reached from the sidebar, the menus and the help button.
orv_qt_test(orv_viewtable_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/viewtable_test.cpp LIBS orv_shell)
if(TARGET orv_viewtable_tests)
  target_include_directories(orv_viewtable_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
