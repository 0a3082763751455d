# The navigator beside the views: items under three heads, their menus and marks.
orv_qt_library(orv_sidebar sidebar.cpp sidebar.h)
target_link_libraries(orv_sidebar PUBLIC orv_shellbase)
orv_qt_test(orv_sidebar_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/sidebar_test.cpp LIBS orv_sidebar)
