# The desktop program's frame: main window, tray service, launcher, start-up.
orv_qt_library(orv_shell
  fontapply.cpp orvapp.cpp programicon.cpp syncrunner.cpp systemsignals.cpp tdata.cpp tlaunch.cpp tmain.cpp
  ${PROJECT_SOURCE_DIR}/resources/orv.qrc)
target_link_libraries(orv_shell PUBLIC orv_shellbase orv_coreqt orv_sidebar orv_views orv_todaybox orv_setup
  orv_help orv_moon Qt6::Multimedia Qt6::Network)
orv_qt_test(orv_shell_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/orvapp_test.cpp LIBS orv_shell)
orv_qt_test(orv_tmain_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/tmain_test.cpp LIBS orv_shell)
orv_qt_test(orv_fontapply_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/fontapply_test.cpp LIBS orv_shell)
