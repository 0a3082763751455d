# The settings dialog TSetup.
orv_qt_library(orv_setup setupdialog.cpp setupdialog.h setuppages.cpp syncpage.cpp syncpage.h)
target_link_libraries(orv_setup PUBLIC orv_shellbase orv_syncjob)
orv_qt_test(orv_setup_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/setupdialog_test.cpp LIBS orv_setup)
