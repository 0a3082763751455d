# The help window with its sixteen pages, and the about panel.
orv_qt_library(orv_help helpbox.cpp helpbox.h aboutpanel.cpp aboutpanel.h maker.h urlopener.h
  ${PROJECT_SOURCE_DIR}/resources/help/help.qrc)
target_link_libraries(orv_help PUBLIC orv_shellbase PRIVATE orv_version)
orv_qt_test(orv_help_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/helpbox_test.cpp LIBS orv_help)
