# The main window's event pages (built in tdataevents.cpp) and their tests.
target_sources(orv_shell PRIVATE tdataevents.cpp)
target_link_libraries(orv_shell PUBLIC orv_eventviews)
orv_qt_test(orv_eventpages_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/shell/eventpages_test.cpp LIBS orv_shell)
